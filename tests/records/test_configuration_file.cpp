// The configuration file: what is written reads back the same, every kind of malformed file is
// turned away with a message that names the file and the key (the target left untouched), and
// a file set beside a transmitter asks for exactly the write groups that differ.
#include "records_helper.h"

#include "records/comparison.h"
#include "units/module1.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

using records::Configuration;

namespace {

// The simulator's configuration as a file, with keys ("section.key") set to other values; an
// invalid QJsonValue removes the key.
QByteArray edited(const QVariantMap &edits) {
    QJsonObject root = recordstest::asObject(recordstest::simulatorDefaults());
    for (auto it = edits.cbegin(); it != edits.cend(); ++it) {
        const QStringList parts = it.key().split(QLatin1Char('.'));
        const QJsonValue value = it.value().isValid() ? QJsonValue::fromVariant(it.value())
                                                      : QJsonValue(QJsonValue::Undefined);
        if (parts.size() == 1) {
            if (value.isUndefined())
                root.remove(parts[0]);
            else
                root[parts[0]] = value;
            continue;
        }
        QJsonObject inner = root[parts[0]].toObject();
        if (value.isUndefined())
            inner.remove(parts[1]);
        else
            inner[parts[1]] = value;
        root[parts[0]] = inner;
    }
    return QJsonDocument(root).toJson();
}

QVariantMap one(const QString &key, const QVariant &value) {
    return {{key, value}};
}

// Something that is not a regular file at `path` (a socket stays bound until the test ends).
bool makeSpecial(const QString &kind, const QString &path) {
    if (kind == QLatin1String("fifo")) return ::mkfifo(QFile::encodeName(path), 0600) == 0;
    if (kind == QLatin1String("folder")) return QDir().mkdir(path);
    if (kind == QLatin1String("device")) return QFile::link(QStringLiteral("/dev/null"), path);
    sockaddr_un addr{AF_UNIX, {}};
    qstrncpy(addr.sun_path, QFile::encodeName(path), sizeof addr.sun_path);
    return ::bind(::socket(AF_UNIX, SOCK_STREAM, 0), reinterpret_cast<sockaddr *>(&addr),
                  sizeof addr) == 0;
}

} // namespace

class TestConfigurationFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void writesSinglesTidily();
    void rejects_data();
    void rejects();
    void unreadableFiles();
    void refusesWhatIsNoFile_data();
    void refusesWhatIsNoFile();
    void unitNamesInAnyCase_data();
    void unitNamesInAnyCase();
    void compareGroups_data();
    void compareGroups();
};

void TestConfigurationFile::roundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lt101.json"));
    Configuration c = recordstest::simulatorDefaults();
    c.tag = QStringLiteral("PT-7 A");
    c.descriptor = QStringLiteral("SUMP \"NORTH\"");
    c.unit = QStringLiteral("KG cm2");
    c.unitCode = 10;
    c.lowerRangeValue = -0.25;
    c.upperRangeValue = 1.5e3;
    c.outputDirection = 1;
    QString error;
    QVERIFY2(records::writeFile(path, c, &error), qPrintable(error));
    Configuration back;
    QVERIFY2(records::readFile(path, &back, &error), qPrintable(error));
    QCOMPARE(records::toJson(back), records::toJson(c));
    QCOMPARE(back.saved, c.saved);
    QCOMPARE(back.outputDirection, 1);
    QCOMPARE(back.deviceIdText(), QStringLiteral("0b7c2d"));
    QVERIFY(records::writableDifferences(c, back).isEmpty());
}

// Values read from the transmitter are singles; the file shows them as a person typed them.
void TestConfigurationFile::writesSinglesTidily() {
    QCOMPARE(records::tidySingle(double(0.4f)), 0.4);
    QCOMPARE(records::tidySingle(double(0.98066f)), 0.98066);
    Configuration c = recordstest::simulatorDefaults();
    c.dampingS = records::tidySingle(double(0.4f));
    QVERIFY(records::toJson(c).contains("\"damping_s\": 0.4,"));
    QVERIFY(records::toJson(c).contains("\"output\": \"4-20 mA\""));
    QVERIFY(records::toJson(c).startsWith("{\n    \"format\": \"zanu-config-configuration\",\n"));
    QVERIFY(records::toJson(c).contains("\"device_id\": \"0b7c2d\""));
}

void TestConfigurationFile::rejects_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("message");
    auto row = [](const char *name, const QVariantMap &edits, const char *message) {
        QTest::newRow(name) << edited(edits) << QString::fromUtf8(message);
    };
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "is not a JSON file";
    QTest::newRow("a list") << QByteArray("[1, 2]") << "is not a configuration file";
    row("format missing", one("format", {}), "\"format\" is missing");
    row("another format", one("format", "zanu-config-settings"),
        "\"format\" is not \"zanu-config-configuration\"");
    row("version 2", one("version", 2), "\"version\" is 2; this program reads version 1 only");
    row("version as text", one("version", "1"), "\"version\" must be a number");
    row("saved without offset", one("saved", "2026-03-01T14:05:00"),
        "\"saved\" must be a date and time with its offset");
    row("program missing", one("program", {}), "\"program\" is missing");
    row("program version a number", one("program.version", 1),
        "\"program.version\" must be a text");
    row("identity missing", one("identity", {}), "\"identity\" is missing");
    row("manufacturer too big", one("identity.manufacturer", 300),
        "\"identity.manufacturer\" is 300, outside 0 to 255");
    row("device id upper case", one("identity.device_id", "0B7C2D"),
        "\"identity.device_id\" must be 6 lower-case hex digits");
    row("device id short", one("identity.device_id", "b7c2d"),
        "\"identity.device_id\" must be 6 lower-case hex digits");
    row("serial a fraction", one("identity.serial_number", 1.5),
        "\"identity.serial_number\" must be a whole number");
    row("serial as text", one("identity.serial_number", "6801234"),
        "\"identity.serial_number\" must be a whole number");
    row("tag too long", one("configuration.tag", "LT-101-NORTH"),
        "\"configuration.tag\" is longer than 8 characters");
    row("tag lower case", one("configuration.tag", "lt-101"), "\"configuration.tag\" holds \"l\"");
    row("descriptor too long", one("configuration.descriptor", "WELL 3 LEVEL NORTH SIDE"),
        "\"configuration.descriptor\" is longer than 16 characters");
    row("date not a date", one("configuration.date", "2026-02-30"),
        "\"configuration.date\" must be a date");
    row("date in another order", one("configuration.date", "07.12.2026"),
        "\"configuration.date\" must be a date");
    row("date before 1900", one("configuration.date", "1899-12-31"),
        "\"configuration.date\" must be a date");
    row("unit unknown", one("configuration.unit", "furlong"),
        "\"configuration.unit\" is \"furlong\", not a unit this program knows; the accepted names "
        "are InH2O, InHg, mmH2O, mmHg, PSI, Bar, mBar, KG cm2, kPa, ATM, MPa, mH2O (in any case)");
    row("unit with a terminal escape", one("configuration.unit", "m\x1b[2J\nH2O"),
        "\"configuration.unit\" is \"m\\x1b[2J\\nH2O\", not a unit");
    row("output of 10 kB", one("configuration.output", QString(10240, QLatin1Char('x'))),
        "\"configuration.output\" is \"xxxxxxxxxx");
    const QByteArray doc = records::toJson(recordstest::simulatorDefaults());
    QTest::newRow("a top-level key twice")
        << QByteArray(doc).replace("\"version\": 1,", "\"version\": 1, \"version\": 2,")
        << "\"version\" is given twice";
    QTest::newRow("a nested key twice, once escaped")
        << QByteArray(doc).replace("\"tag\": \"LT-101\",",
                                   "\"tag\": \"LT-101\", \"t\\u0061g\": \"LT-2\",")
        << "\"configuration.tag\" is given twice";
    row("unit Unknown", one("configuration.unit", "Unknown"),
        "\"configuration.unit\" is \"Unknown\", not a unit");
    row("unit code of another unit", one("configuration.unit_code", 7),
        "\"configuration.unit_code\" is 7, but the unit \"mH2O\" has the code 240");
    row("range as locale text", one("configuration.lower_range_value", "0,5"),
        "\"configuration.lower_range_value\" must be a number");
    row("range missing", one("configuration.upper_range_value", {}),
        "\"configuration.upper_range_value\" is missing");
    row("range beyond a single", one("configuration.upper_range_value", 1e39),
        "\"configuration.upper_range_value\" is 1e+39, outside what the transmitter can hold");
    row("damping negative", one("configuration.damping_s", -1),
        "\"configuration.damping_s\" is negative");
    row("output spelled otherwise", one("configuration.output", "4-20mA"),
        "\"configuration.output\" is \"4-20mA\"; it must be \"4-20 mA\" or \"20-4 mA\"");
    row("limit null", one("limits.minimum_span", QVariant::fromValue(nullptr)),
        "\"limits.minimum_span\" must be a number");
    row("limits missing", one("limits", {}), "\"limits\" is missing");
    // JSON has no infinity; a number too large for a double is refused by the parser, and the
    // line it stands on names the key.
    QByteArray infinite = records::toJson(recordstest::simulatorDefaults());
    infinite.replace("\"damping_s\": 0.4", "\"damping_s\": 1e999");
    QTest::newRow("damping infinite")
        << infinite << "illegal number on line 24: \"damping_s\": 1e999";
}

void TestConfigurationFile::rejects() {
    QFETCH(QByteArray, document);
    QFETCH(QString, message);
    Configuration target = recordstest::simulatorDefaults();
    target.tag = QStringLiteral("KEEP-ME");
    const QByteArray before = records::toJson(target);
    QString error;
    QVERIFY(!records::fromJson(document, QStringLiteral("/plant/lt101.json"), &target, &error));
    QVERIFY2(error.startsWith(QStringLiteral("lt101.json: ")), qPrintable(error));
    QVERIFY2(error.contains(message), qPrintable(error));
    // What the file holds is quoted, never dumped: one line, of a size a message box can show.
    QVERIFY2(error.size() < 400 && !error.contains(QLatin1Char('\x1b')), qPrintable(error));
    QCOMPARE(records::toJson(target), before);
}

void TestConfigurationFile::refusesWhatIsNoFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("what");
    QTest::newRow("a named pipe") << "fifo" << QStringLiteral("a named pipe (FIFO)");
    QTest::newRow("a socket") << "socket" << QStringLiteral("a socket");
    QTest::newRow("a folder") << "folder" << QStringLiteral("a folder");
    QTest::newRow("/dev/null") << "device" << QStringLiteral("a character device");
}

// Nothing waits on a writer that never comes, and nothing is renamed over it.
void TestConfigurationFile::refusesWhatIsNoFile() {
    QFETCH(QString, kind);
    QFETCH(QString, what);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lt101.json"));
    QVERIFY(makeSpecial(kind, path));
    QElapsedTimer clock;
    clock.start();
    Configuration target;
    QString error;
    QVERIFY(!records::readFile(path, &target, &error));
    QCOMPARE(error, QStringLiteral("%1: is %2, not a configuration file. Choose a configuration "
                                   "file saved by this program.")
                        .arg(path, what));
    QVERIFY(!records::writeFile(path, recordstest::simulatorDefaults(), &error) &&
            error.contains(what));
    QVERIFY(clock.elapsed() < 2000);
}

void TestConfigurationFile::unitNamesInAnyCase_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("mbar") << "mbar" << QStringLiteral("mBar");
    QTest::newRow("MBAR") << "MBAR" << QStringLiteral("mBar");
    QTest::newRow("kg CM2") << "kg CM2" << QStringLiteral("KG cm2");
}

void TestConfigurationFile::unitNamesInAnyCase() {
    QFETCH(QString, written);
    QFETCH(QString, read);
    Configuration c;
    QString error;
    QVERIFY2(
        records::fromJson(edited({{"configuration.unit", written},
                                  {"configuration.unit_code", Module1::UnitCodeFromName(read)}}),
                          QStringLiteral("f.json"), &c, &error),
        qPrintable(error));
    QCOMPARE(c.unit, read);
}

void TestConfigurationFile::unreadableFiles() {
    QTemporaryDir dir;
    Configuration target;
    QString error;
    QVERIFY(!records::readFile(dir.filePath(QStringLiteral("gone.json")), &target, &error));
    QVERIFY2(error.contains(QStringLiteral("gone.json: cannot be opened")), qPrintable(error));
    QFile big(dir.filePath(QStringLiteral("big.json")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(2 << 20, ' '));
    big.close();
    QVERIFY(!records::readFile(big.fileName(), &target, &error));
    QVERIFY2(error.contains(QStringLiteral("too large")), qPrintable(error));
    QVERIFY(!records::writeFile(dir.filePath(QStringLiteral("no/such/dir.json")),
                                recordstest::simulatorDefaults(), &error));
    QVERIFY2(error.contains(QStringLiteral("cannot be written")), qPrintable(error));
}

void TestConfigurationFile::compareGroups_data() {
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<bool>("sameSerial");
    QTest::newRow("identical") << QVariantMap{} << "" << QStringList{} << true;
    QTest::newRow("same as a single")
        << one("configuration.upper_range_value", 10.0000001) << "" << QStringList{} << true;
    QTest::newRow("damping") << one("configuration.damping_s", 2.5)
                             << "damping and output direction"
                             << QStringList{"damping_s: 0.4 s -> 2.5 s"} << true;
    QTest::newRow("direction") << one("configuration.output", "20-4 mA")
                               << "damping and output direction"
                               << QStringList{"output: 4-20 mA -> 20-4 mA"} << true;
    QTest::newRow("descriptor") << one("configuration.descriptor", "WELL 4")
                                << "tag, descriptor and date"
                                << QStringList{"descriptor: WELL 3 LEVEL -> WELL 4"} << true;
    QTest::newRow("range and tag")
        << QVariantMap{{"configuration.lower_range_value", 0.5}, {"configuration.tag", "LT-102"}}
        << "unit and range|tag, descriptor and date"
        << QStringList{"lower_range_value: 0 mH2O -> 0.5 mH2O", "tag: LT-101 -> LT-102"} << true;
    // The same physical range in another unit: only the unit is a change.
    QTest::newRow("unit only") << QVariantMap{{"configuration.unit", "Bar"},
                                              {"configuration.unit_code", 7},
                                              {"configuration.upper_range_value", 0.9806},
                                              {"limits.upper_sensor_limit", 1.9612},
                                              {"limits.minimum_span", 0.04903}}
                               << "unit and range" << QStringList{"unit: mH2O -> Bar"} << true;
    QTest::newRow("fixed data only")
        << QVariantMap{{"limits.minimum_span", 1.0}, {"identity.serial_number", 6801235}} << ""
        << QStringList{} << false;
}

void TestConfigurationFile::compareGroups() {
    QFETCH(QVariantMap, edits);
    QFETCH(QString, groups);
    QFETCH(QStringList, changes);
    QFETCH(bool, sameSerial);
    Configuration file;
    QString error;
    QVERIFY2(records::fromJson(edited(edits), QStringLiteral("f.json"), &file, &error),
             qPrintable(error));
    const records::Comparison c = records::compare(file, recordstest::simulatorDefaults());
    QStringList names;
    for (records::Group g : c.groups)
        names << records::groupText(g);
    QCOMPARE(names.join(QLatin1Char('|')), groups);
    QCOMPARE(c.changes, changes);
    QCOMPARE(c.sameSerial, sameSerial);
    // Every field is a row, and a fixed field that differs is marked though nothing writes it.
    QCOMPARE(c.rows.size(), 16);
    const bool limitDiffers = std::any_of(c.rows.cbegin(), c.rows.cend(), [](const auto &r) {
        return r.key == QLatin1String("minimum_span") && r.differs;
    });
    QCOMPARE(limitDiffers,
             edits.contains(QStringLiteral("limits.minimum_span")) &&
                 edits.value(QStringLiteral("limits.minimum_span")).toDouble() == 1.0);
}

QTEST_GUILESS_MAIN(TestConfigurationFile)
#include "test_configuration_file.moc"
