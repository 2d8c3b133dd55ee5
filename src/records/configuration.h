// A transmitter's configuration as the tool keeps it on disk: what identifies the transmitter,
// what an engineer sets, and the sensor's fixed limits. One model and one file format, shared by
// the window and the console, so that a file saved by either can be compared or written by the
// other.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace records {

// What the "format" key of every configuration file holds, and the one version this program
// writes and reads.
inline const QString kFormatName = QStringLiteral("zanu-config-configuration");
constexpr int kFormatVersion = 1;

// The manufacturer identification code of Zanu transmitters; nothing else is ever written.
constexpr int kZanuManufacturerId = 117;

// The texts of the two output directions, as the window's option buttons show them.
inline const QString kOutputRising = QStringLiteral("4-20 mA");
inline const QString kOutputFalling = QStringLiteral("20-4 mA");

struct Configuration {
    // Who wrote the file and when.
    QDateTime saved;
    QString programName;
    QString programVersion;

    // identity
    int manufacturer = 0;
    int deviceType = 0;
    quint32 deviceId = 0; // 24 bits
    qint64 serialNumber = 0;
    int hartRevision = 0;

    // configuration
    QString tag;        // up to 8 characters, trailing blanks removed
    QString descriptor; // up to 16 characters, trailing blanks removed
    QDate date;
    QString unit; // a name of the unit list, e.g. "mH2O"
    int unitCode = 0;
    double lowerRangeValue = 0; // in unit
    double upperRangeValue = 0;
    double dampingS = 0;
    int outputDirection = 0; // 0 "4-20 mA", 1 "20-4 mA"

    // limits, in unit
    double upperSensorLimit = 0;
    double lowerSensorLimit = 0;
    double minimumSpan = 0;

    QString deviceIdText() const; // 6 lower-case hex digits
    QString outputText() const;   // "4-20 mA" or "20-4 mA"
};

// The version of this program, as the build knows it ("1.0.3").
QString programVersion();

// The shortest decimal that reads back as the same single-precision value. The transmitter holds
// singles; stored as they are widened, 0.4 would be written as 0.4000000059604645.
double tidySingle(double value);

// Right-trimmed text of a packed-ASCII field.
QString trimmedField(const QString &text);

// Why a tag or descriptor cannot be held by the transmitter (too long, or a character outside
// packed ASCII); empty when it can.
QString fieldProblem(const QString &text, int maxChars);

// Text taken from a file, fit to be quoted in a message: control characters written as escapes
// (\n, \t, \x1b), and anything longer than `maxChars` cut, with the full length said.
QString printable(const QString &text, int maxChars = 60);

// The unit list's name for `name` read without regard to case ("MBAR" gives "mBar"); empty when
// it names no unit of the list.
QString canonicalUnitName(const QString &name);

QByteArray toJson(const Configuration &c);

// Reads and checks a whole file. On any problem returns false, leaves *out untouched and sets
// *error to a message naming the file and the key. A key given twice in one object is refused.
bool fromJson(const QByteArray &bytes, const QString &fileName, Configuration *out, QString *error);
// Only a regular file is read: a named pipe, socket, device or folder is refused by name before
// anything could wait on it, and one swapped in after that check is found on the open handle.
bool readFile(const QString &path, Configuration *out, QString *error);
// Writes through a temporary file, so that a failed write leaves an existing file as it was. A
// path naming anything but a regular file is refused rather than replaced.
bool writeFile(const QString &path, const Configuration &c, QString *error);

} // namespace records
