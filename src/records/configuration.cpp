#include "records/configuration.h"

#include "platform/regular_file.h"
#include "units/module1.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace records {

namespace {

// A configuration file is a page of text; anything much larger is not one of ours, and is not
// read into memory whole.
constexpr qint64 kMaxFileBytes = 1 << 20;

constexpr double kFloatMax = double(std::numeric_limits<float>::max());

// Packed ASCII holds the 64 characters from blank to underscore; lower case is not among them.
bool packable(QChar c) {
    return c.unicode() >= 0x20 && c.unicode() <= 0x5F;
}

// Walks a parsed document and records the first problem, phrased with the file and the key.
class Reader {
public:
    explicit Reader(const QString &fileName) : file_(QFileInfo(fileName).fileName()) {}

    bool failed() const { return !error_.isEmpty(); }
    const QString &error() const { return error_; }

    void fail(const QString &key, const QString &what) {
        if (failed()) return;
        // A key may come from the file itself (one given twice).
        error_ = key.isEmpty() ? QStringLiteral("%1: %2").arg(file_, what)
                               : QStringLiteral("%1: \"%2\" %3").arg(file_, printable(key), what);
    }

    std::optional<QJsonValue> value(const QJsonObject &o, const QString &path, const QString &key) {
        const QString full = path.isEmpty() ? key : path + QLatin1Char('.') + key;
        if (!o.contains(key)) {
            fail(full, QStringLiteral("is missing"));
            return std::nullopt;
        }
        return o.value(key);
    }

    QJsonObject object(const QJsonObject &o, const QString &key) {
        const auto v = value(o, QString(), key);
        if (!v) return {};
        if (!v->isObject()) {
            fail(key, QStringLiteral("must be an object"));
            return {};
        }
        return v->toObject();
    }

    QString string(const QJsonObject &o, const QString &path, const QString &key) {
        const auto v = value(o, path, key);
        if (!v) return {};
        if (!v->isString()) {
            fail(path + QLatin1Char('.') + key, QStringLiteral("must be a text"));
            return {};
        }
        return v->toString();
    }

    // Any finite number a single-precision float holds: what the transmitter can be sent.
    double single(const QJsonObject &o, const QString &path, const QString &key) {
        const QString full = path + QLatin1Char('.') + key;
        const auto v = value(o, path, key);
        if (!v) return 0;
        if (!v->isDouble()) {
            fail(full, QStringLiteral("must be a number"));
            return 0;
        }
        const double d = v->toDouble();
        if (!std::isfinite(d)) {
            fail(full, QStringLiteral("must be a finite number"));
            return 0;
        }
        if (std::abs(d) > kFloatMax) {
            fail(full, QStringLiteral("is %1, outside what the transmitter can hold "
                                      "(a single-precision number, at most %2)")
                           .arg(d)
                           .arg(kFloatMax));
            return 0;
        }
        return d;
    }

    qint64 integer(const QJsonObject &o, const QString &path, const QString &key, qint64 lo,
                   qint64 hi) {
        const QString full = path.isEmpty() ? key : path + QLatin1Char('.') + key;
        const auto v = value(o, path, key);
        if (!v) return 0;
        const double d = v->toDouble(std::nan(""));
        if (!v->isDouble() || !std::isfinite(d) || d != std::floor(d)) {
            fail(full, QStringLiteral("must be a whole number"));
            return 0;
        }
        if (d < double(lo) || d > double(hi)) {
            fail(full, QStringLiteral("is %1, outside %2 to %3").arg(d).arg(lo).arg(hi));
            return 0;
        }
        return qint64(d);
    }

private:
    QString file_;
    QString error_;
};

} // namespace

QString Configuration::deviceIdText() const {
    return QStringLiteral("%1").arg(deviceId & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

QString Configuration::outputText() const {
    return outputDirection == 0 ? kOutputRising : kOutputFalling;
}

QString programVersion() {
    return QStringLiteral(ZANU_VERSION_TEXT);
}

double tidySingle(double value) {
    if (!std::isfinite(value)) return value;
    const float target = float(value);
    for (int digits = 1; digits <= 9; ++digits) {
        const double candidate = QString::number(double(target), 'g', digits).toDouble();
        if (float(candidate) == target) return candidate;
    }
    return double(target);
}

QString trimmedField(const QString &text) {
    int end = int(text.size());
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString fieldProblem(const QString &text, int maxChars) {
    if (text.size() > maxChars) return QStringLiteral("is longer than %1 characters").arg(maxChars);
    for (QChar c : text)
        if (!packable(c))
            return QStringLiteral("holds \"%1\", which a transmitter cannot store (allowed: "
                                  "capital letters, digits, blank and punctuation)")
                .arg(printable(QString(c)));
    return {};
}

QString printable(const QString &text, int maxChars) {
    QString out;
    qsizetype used = 0;
    for (; used < text.size() && out.size() < maxChars; ++used) {
        const QChar c = text.at(used);
        switch (c.unicode()) {
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            // A raw escape sequence would reach a terminal, a line separator would break a box.
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
                     c.category() == QChar::Separator_Line ||
                     c.category() == QChar::Separator_Paragraph)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    if (used < text.size()) out += QStringLiteral("… (%1 characters in all)").arg(text.size());
    return out;
}

QString canonicalUnitName(const QString &name) {
    for (const QString &unit : Module1::UnitListNames())
        if (unit != Module1::kUnknownUnit && unit.compare(name, Qt::CaseInsensitive) == 0)
            return unit;
    return {};
}

namespace {

// One JSON value as text (QJsonDocument only takes arrays and objects).
QByteArray jsonValue(const QJsonValue &v) {
    const QByteArray list = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return list.mid(1, list.size() - 2);
}

using Members = QList<QPair<const char *, QJsonValue>>;

// QJsonObject sorts its keys; a file people open should read top-down: what it is, whose it
// is, what is set, what is fixed.
void writeObject(QByteArray &out, const Members &members, int indent) {
    const QByteArray pad(indent + 4, ' ');
    out += "{\n";
    for (qsizetype i = 0; i < members.size(); ++i) {
        out += pad + '"' + members[i].first + "\": " + jsonValue(members[i].second);
        out += i + 1 < members.size() ? ",\n" : "\n";
    }
    out += QByteArray(indent, ' ') + '}';
}

} // namespace

QByteArray toJson(const Configuration &c) {
    const Members program{{"name", c.programName}, {"version", c.programVersion}};
    const Members identity{{"manufacturer", c.manufacturer},
                           {"device_type", c.deviceType},
                           {"device_id", c.deviceIdText()},
                           {"serial_number", double(c.serialNumber)},
                           {"hart_revision", c.hartRevision}};
    const Members configuration{{"tag", c.tag},
                                {"descriptor", c.descriptor},
                                {"date", c.date.toString(Qt::ISODate)},
                                {"unit", c.unit},
                                {"unit_code", c.unitCode},
                                {"lower_range_value", c.lowerRangeValue},
                                {"upper_range_value", c.upperRangeValue},
                                {"damping_s", c.dampingS},
                                {"output", c.outputText()}};
    const Members limits{{"upper_sensor_limit", c.upperSensorLimit},
                         {"lower_sensor_limit", c.lowerSensorLimit},
                         {"minimum_span", c.minimumSpan}};
    QByteArray out = "{\n";
    out += "    \"format\": " + jsonValue(kFormatName) + ",\n";
    out += "    \"version\": " + jsonValue(kFormatVersion) + ",\n";
    out += "    \"saved\": " + jsonValue(c.saved.toString(Qt::ISODate)) + ",\n";
    const QList<QPair<const char *, const Members *>> sections{{"program", &program},
                                                               {"identity", &identity},
                                                               {"configuration", &configuration},
                                                               {"limits", &limits}};
    for (qsizetype i = 0; i < sections.size(); ++i) {
        out += QByteArray("    \"") + sections[i].first + "\": ";
        writeObject(out, *sections[i].second, 4);
        out += i + 1 < sections.size() ? ",\n" : "\n";
    }
    out += "}\n";
    return out;
}

namespace {

// A key as JSON writes it ("\u0041" is "A"): read through the parser only when it holds an escape.
QString keyText(const QByteArray &token) {
    if (!token.contains('\\')) return QString::fromUtf8(token.mid(1, token.size() - 2));
    return QJsonDocument::fromJson('[' + token + ']').array().at(0).toString();
}

// QJsonDocument keeps the last of two equal keys without a word. A file that says two things
// about one setting is a mistake the engineer has to see, not one for us to settle: returns the
// first key given twice in one object, as "section.key", or an empty text. Only called on a
// document the parser accepted, so the brackets and strings are well formed.
QString repeatedKey(const QByteArray &b) {
    struct Level {
        bool object = false;
        bool expectKey = false;
        QString path; // of this object or list
        QString lastKey;
        QSet<QString> keys; // a set: a hostile file may hold many thousands
    };
    std::vector<Level> stack;
    for (qsizetype i = 0; i < b.size(); ++i) {
        const char c = b[i];
        if (c == '"') {
            const qsizetype start = i;
            for (++i; i < b.size() && b[i] != '"'; ++i)
                if (b[i] == '\\') ++i;
            if (stack.empty() || !stack.back().object || !stack.back().expectKey) continue;
            Level &level = stack.back();
            const QString key = keyText(b.mid(start, i - start + 1));
            const QString path = level.path.isEmpty() ? key : level.path + QLatin1Char('.') + key;
            if (level.keys.contains(key)) return path;
            level.keys.insert(key);
            level.lastKey = key;
            level.expectKey = false;
        } else if (c == '{' || c == '[') {
            Level next;
            next.object = c == '{';
            next.expectKey = next.object;
            if (!stack.empty()) {
                const Level &up = stack.back();
                next.path = !up.object          ? up.path + QStringLiteral("[]")
                            : up.path.isEmpty() ? up.lastKey
                                                : up.path + QLatin1Char('.') + up.lastKey;
            }
            stack.push_back(next);
        } else if (c == '}' || c == ']') {
            if (!stack.empty()) stack.pop_back();
        } else if (c == ',' && !stack.empty() && stack.back().object) {
            stack.back().expectKey = true;
        }
    }
    return {};
}

QString notAFile(const QString &path, const QString &kind) {
    return QStringLiteral("%1: is %2, not a configuration file. Choose a configuration file saved "
                          "by this program.")
        .arg(path, kind);
}

// The whole of a regular file, at most `limit` bytes; false with the reason in *error.
bool readRegular(const QString &path, qint64 limit, QByteArray *bytes, QString *error) {
    files::RegularRead read = files::readRegular(path, limit);
    switch (read.outcome) {
    case files::RegularRead::Outcome::NotRegular:
        *error = notAFile(path, read.kind);
        return false;
    case files::RegularRead::Outcome::OpenFailed:
        *error = QStringLiteral("%1: cannot be opened (%2)").arg(path, read.reason);
        return false;
    case files::RegularRead::Outcome::ReadFailed:
        *error = QStringLiteral("%1: cannot be read (%2)").arg(path, read.reason);
        return false;
    case files::RegularRead::Outcome::Read:
        break;
    }
    // The file may have grown since it said its size.
    if (const qint64 size = std::max(read.size, qint64(read.bytes.size())); size > limit) {
        *error = QStringLiteral("%1: is %2 bytes, too large for a configuration file")
                     .arg(QFileInfo(path).fileName())
                     .arg(size);
        return false;
    }
    *bytes = std::move(read.bytes);
    return true;
}

} // namespace

namespace {

// The parser gives a byte offset; the line around it names the key for a person.
QString parseProblem(const QByteArray &bytes, const QJsonParseError &parseError) {
    const qsizetype at = qBound(qsizetype(0), qsizetype(parseError.offset), bytes.size());
    const qsizetype lineStart = bytes.lastIndexOf('\n', at > 0 ? at - 1 : 0) + 1;
    qsizetype lineEnd = bytes.indexOf('\n', at);
    if (lineEnd < 0) lineEnd = bytes.size();
    const int lineNumber = int(bytes.left(lineStart).count('\n')) + 1;
    const QString text =
        printable(QString::fromUtf8(bytes.mid(lineStart, lineEnd - lineStart)).trimmed(), 80);
    return QStringLiteral("is not a JSON file (%1 on line %2: %3)")
        .arg(parseError.errorString())
        .arg(lineNumber)
        .arg(text);
}

// The document's top object, when the text is JSON, an object, and says nothing twice.
QJsonObject parseDocument(Reader &r, const QByteArray &bytes) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        r.fail(QString(), parseProblem(bytes, parseError));
    } else if (!doc.isObject()) {
        r.fail(QString(), QStringLiteral("is not a configuration file (no JSON object)"));
    } else if (const QString key = repeatedKey(bytes); !key.isEmpty()) {
        r.fail(key, QStringLiteral("is given twice; keep the one value that is meant and delete "
                                   "the other"));
    }
    return doc.object();
}

void readHeader(Reader &r, const QJsonObject &root, Configuration &c) {
    const auto format = r.value(root, QString(), QStringLiteral("format"));
    if (format && format->toString() != kFormatName)
        r.fail(QStringLiteral("format"),
               QStringLiteral("is not \"%1\"; this is not a configuration file of this program")
                   .arg(kFormatName));
    const auto version = r.value(root, QString(), QStringLiteral("version"));
    if (version && (!version->isDouble() || version->toDouble() != kFormatVersion))
        r.fail(QStringLiteral("version"),
               version->isDouble() ? QStringLiteral("is %1; this program reads version %2 only")
                                         .arg(version->toDouble())
                                         .arg(kFormatVersion)
                                   : QStringLiteral("must be a number"));
    const auto saved = r.value(root, QString(), QStringLiteral("saved"));
    if (saved) {
        static const QRegularExpression withOffset(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d(:\\d\\d(\\.\\d+)?)?"
                           "(Z|[+-]\\d\\d:\\d\\d)$"));
        c.saved = QDateTime::fromString(saved->toString(), Qt::ISODateWithMs);
        if (!saved->isString() || !withOffset.match(saved->toString()).hasMatch() ||
            !c.saved.isValid())
            r.fail(QStringLiteral("saved"),
                   QStringLiteral("must be a date and time with its offset, such as "
                                  "2026-03-01T14:05:00+01:00"));
    }
}

void readProgram(Reader &r, const QJsonObject &root, Configuration &c) {
    const QJsonObject program = r.object(root, QStringLiteral("program"));
    c.programName = r.string(program, QStringLiteral("program"), QStringLiteral("name"));
    c.programVersion = r.string(program, QStringLiteral("program"), QStringLiteral("version"));
}

void readIdentity(Reader &r, const QJsonObject &root, Configuration &c) {
    const QString p = QStringLiteral("identity");
    const QJsonObject id = r.object(root, p);
    c.manufacturer = int(r.integer(id, p, QStringLiteral("manufacturer"), 0, 255));
    c.deviceType = int(r.integer(id, p, QStringLiteral("device_type"), 0, 255));
    const QString deviceId = r.string(id, p, QStringLiteral("device_id"));
    static const QRegularExpression sixHex(QStringLiteral("^[0-9a-f]{6}$"));
    if (!r.failed() && !sixHex.match(deviceId).hasMatch())
        r.fail(QStringLiteral("identity.device_id"),
               QStringLiteral("must be 6 lower-case hex digits"));
    c.deviceId = deviceId.toUInt(nullptr, 16);
    c.serialNumber =
        r.integer(id, p, QStringLiteral("serial_number"), 0, std::numeric_limits<qint32>::max());
    c.hartRevision = int(r.integer(id, p, QStringLiteral("hart_revision"), 0, 255));
}

// Tag, descriptor and date: what the transmitter keeps in packed ASCII and one date.
void readLabels(Reader &r, const QJsonObject &cfg, Configuration &c) {
    const QString p = QStringLiteral("configuration");
    c.tag = r.string(cfg, p, QStringLiteral("tag"));
    if (!r.failed()) {
        const QString problem = fieldProblem(c.tag, 8);
        if (!problem.isEmpty()) r.fail(QStringLiteral("configuration.tag"), problem);
    }
    c.descriptor = r.string(cfg, p, QStringLiteral("descriptor"));
    if (!r.failed()) {
        const QString problem = fieldProblem(c.descriptor, 16);
        if (!problem.isEmpty()) r.fail(QStringLiteral("configuration.descriptor"), problem);
    }
    c.tag = trimmedField(c.tag);
    c.descriptor = trimmedField(c.descriptor);
    const QString date = r.string(cfg, p, QStringLiteral("date"));
    if (!r.failed()) {
        static const QRegularExpression ymd(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d$"));
        c.date = QDate::fromString(date, Qt::ISODate);
        // The transmitter keeps the year as an offset from 1900 in one byte.
        if (!ymd.match(date).hasMatch() || !c.date.isValid() || c.date.year() < 1900 ||
            c.date.year() > 1900 + 255)
            r.fail(QStringLiteral("configuration.date"),
                   QStringLiteral("must be a date from 1900-01-01 to 2155-12-31 written "
                                  "YYYY-MM-DD"));
    }
}

void readUnit(Reader &r, const QJsonObject &cfg, Configuration &c) {
    const QString p = QStringLiteral("configuration");
    c.unit = r.string(cfg, p, QStringLiteral("unit"));
    if (!r.failed()) {
        // People type "mbar" as often as "mBar"; the file is written with the list's name.
        const QString unit = canonicalUnitName(c.unit);
        if (unit.isEmpty()) {
            QStringList names = Module1::UnitListNames();
            names.removeAll(Module1::kUnknownUnit);
            r.fail(QStringLiteral("configuration.unit"),
                   QStringLiteral("is \"%1\", not a unit this program knows; the accepted "
                                  "names are %2 (in any case)")
                       .arg(printable(c.unit), names.join(QStringLiteral(", "))));
        }
        c.unit = unit;
    }
    c.unitCode = int(r.integer(cfg, p, QStringLiteral("unit_code"), 0, 255));
    if (!r.failed() && c.unitCode != Module1::UnitCodeFromName(c.unit))
        r.fail(QStringLiteral("configuration.unit_code"),
               QStringLiteral("is %1, but the unit \"%2\" has the code %3")
                   .arg(c.unitCode)
                   .arg(c.unit)
                   .arg(Module1::UnitCodeFromName(c.unit)));
}

// Range, damping and output direction.
void readOutput(Reader &r, const QJsonObject &cfg, Configuration &c) {
    const QString p = QStringLiteral("configuration");
    c.lowerRangeValue = r.single(cfg, p, QStringLiteral("lower_range_value"));
    c.upperRangeValue = r.single(cfg, p, QStringLiteral("upper_range_value"));
    c.dampingS = r.single(cfg, p, QStringLiteral("damping_s"));
    if (!r.failed() && c.dampingS < 0)
        r.fail(QStringLiteral("configuration.damping_s"),
               QStringLiteral("is negative; a damping time is 0 s or more"));
    const QString output = r.string(cfg, p, QStringLiteral("output"));
    if (!r.failed()) {
        if (output == kOutputRising)
            c.outputDirection = 0;
        else if (output == kOutputFalling)
            c.outputDirection = 1;
        else
            r.fail(QStringLiteral("configuration.output"),
                   QStringLiteral("is \"%1\"; it must be \"%2\" or \"%3\"")
                       .arg(printable(output), kOutputRising, kOutputFalling));
    }
}

void readConfiguration(Reader &r, const QJsonObject &root, Configuration &c) {
    const QJsonObject cfg = r.object(root, QStringLiteral("configuration"));
    readLabels(r, cfg, c);
    readUnit(r, cfg, c);
    readOutput(r, cfg, c);
}

void readLimits(Reader &r, const QJsonObject &root, Configuration &c) {
    const QString p = QStringLiteral("limits");
    const QJsonObject lim = r.object(root, p);
    c.upperSensorLimit = r.single(lim, p, QStringLiteral("upper_sensor_limit"));
    c.lowerSensorLimit = r.single(lim, p, QStringLiteral("lower_sensor_limit"));
    c.minimumSpan = r.single(lim, p, QStringLiteral("minimum_span"));
}

} // namespace

bool fromJson(const QByteArray &bytes, const QString &fileName, Configuration *out,
              QString *error) {
    Reader r(fileName);
    const QJsonObject root = parseDocument(r, bytes);
    Configuration c;
    // Each section is read only while all before it were sound: the first problem is the one told.
    for (const auto section :
         {readHeader, readProgram, readIdentity, readConfiguration, readLimits})
        if (!r.failed()) section(r, root, c);
    if (r.failed()) {
        if (error) *error = r.error();
        return false;
    }
    *out = c;
    return true;
}

bool readFile(const QString &path, Configuration *out, QString *error) {
    QByteArray bytes;
    QString why;
    if (!readRegular(path, kMaxFileBytes, &bytes, &why)) {
        if (error) *error = why;
        return false;
    }
    return fromJson(bytes, path, out, error);
}

bool writeFile(const QString &path, const Configuration &c, QString *error) {
    files::WriteFailure failure;
    if (files::writeAtomically(path, toJson(c), &failure)) return true;
    if (error)
        *error = failure.stage == files::WriteFailure::Stage::NotRegular
                     ? QStringLiteral("%1: cannot be written, it is %2. Choose another file name.")
                           .arg(path, failure.kind)
                     : QStringLiteral("%1: cannot be written (%2)").arg(path, failure.reason);
    return false;
}

} // namespace records
