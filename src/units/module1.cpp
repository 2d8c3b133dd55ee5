#include "units/module1.h"

#include "units/single.h"

#include <QCoreApplication>
#include <QLatin1String>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

namespace Module1 {

// ============================================================================================
// Pressure units
// ============================================================================================
namespace {

struct UnitRow {
    QLatin1String name;
    quint8 code;
};

// The order is the order of the unit list on the main window; the list index is the position.
constexpr std::array<UnitRow, 12> kUnits{{
    {QLatin1String("InH2O"), 1},
    {QLatin1String("InHg"), 2},
    {QLatin1String("mmH2O"), 4},
    {QLatin1String("mmHg"), 5},
    {QLatin1String("PSI"), 6},
    {QLatin1String("Bar"), 7},
    {QLatin1String("mBar"), 8},
    {QLatin1String("KG cm2"), 10},
    {QLatin1String("kPa"), 12},
    {QLatin1String("ATM"), 14},
    {QLatin1String("MPa"), 237},
    {QLatin1String("mH2O"), 240},
}};

// One standard atmosphere (101325 Pa) over one metre of water at standard gravity (9806.65 Pa):
// 0.0967841... atm per mH2O, i.e. 1 atm = 10.33227 mH2O.
constexpr double kAtmPerMetreOfWater = 9806.65 / 101325.0;

// How many of the unit make one metre of water column. Every conversion goes through mH2O:
// divide by the source's from-factor, multiply by the target's to-factor.
// InH2O is the one row whose two factors differ, and Bar and MPa carry 0.09806 and 0.009807
// rather than the exact 0.0980665 and 0.00980665: these are the numbers the transmitter family
// has always been configured with, and changing them would move every range an engineer reads
// back after a unit change.
struct FactorRow {
    QLatin1String name;
    double toFactor;   // multiply, converting out of mH2O
    double fromFactor; // divide, converting into mH2O
};

constexpr std::array<FactorRow, 12> kFactors{{
    {QLatin1String("InH2O"), 39.3700787, 39.370078},
    {QLatin1String("InHg"), 2.895906, 2.895906},
    {QLatin1String("mmH2O"), 1000.0, 1000.0},
    {QLatin1String("mmHg"), 73.556, 73.556},
    {QLatin1String("PSI"), 1.4223, 1.4223},
    {QLatin1String("Bar"), 0.09806, 0.09806},
    {QLatin1String("mBar"), 98.0665, 98.0665},
    {QLatin1String("KG cm2"), 0.1, 0.1},
    {QLatin1String("kPa"), 9.80665, 9.80665},
    {QLatin1String("ATM"), kAtmPerMetreOfWater, kAtmPerMetreOfWater},
    {QLatin1String("MPa"), 0.009807, 0.009807},
    {QLatin1String("mH2O"), 1.0, 1.0},
}};

constexpr qint16 kUnknownIndex = 12;

const FactorRow *factorRow(const QString &name) {
    for (const FactorRow &row : kFactors)
        if (name == row.name) return &row;
    return nullptr;
}

} // namespace

quint8 UnitCodeFromName(const QString &name) {
    for (const UnitRow &row : kUnits)
        if (name == row.name) return row.code;
    return 0;
}

QString UnitNameFromCode(int code) {
    for (const UnitRow &row : kUnits)
        if (code == row.code) return row.name;
    return QString();
}

QString UnitNameFromIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kUnits.size())) return kUnknownUnit;
    return kUnits[static_cast<std::size_t>(index)].name;
}

qint16 UnitIndexFromName(const QString &name) {
    for (std::size_t i = 0; i < kUnits.size(); ++i)
        if (name == kUnits[i].name) return static_cast<qint16>(i);
    return kUnknownIndex;
}

QStringList UnitListNames() {
    QStringList names;
    for (const UnitRow &row : kUnits)
        names << row.name;
    names << kUnknownUnit;
    return names;
}

float ConvertPressure(double value, const QString &fromUnit, const QString &toUnit) {
    // A name outside the factor table ("Unknown", empty) skips its step, so choosing "Unknown"
    // still leaves the value the transmitter would read in metres of water.
    if (const FactorRow *from = factorRow(fromUnit)) value /= from->fromFactor;
    if (const FactorRow *to = factorRow(toUnit)) value *= to->toFactor;
    return toSingle(value);
}

// ============================================================================================
// Typed numbers
// ============================================================================================
namespace {

bool isSkipped(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

// Reads the text while skipping blanks, tabs and line feeds wherever they are.
class Reader {
public:
    explicit Reader(const QString &text) : text_(text) {}
    QChar peek() {
        while (pos_ < text_.size() && isSkipped(text_.at(pos_)))
            ++pos_;
        return pos_ < text_.size() ? text_.at(pos_) : QChar();
    }
    void next() { ++pos_; }
    bool take(char16_t a, char16_t b) {
        const char16_t u = peek().unicode();
        if (pos_ >= text_.size() || (u != a && u != b)) return false;
        next();
        return true;
    }

private:
    const QString &text_;
    qsizetype pos_ = 0;
};

double readRadixInteger(Reader &in, int base) {
    // Accumulating in double cannot overflow into undefined behaviour; beyond 2^53 the value is
    // merely approximate, and far beyond any number an engineer types.
    double value = 0.0;
    for (int d = digitValue(in.peek(), base); d >= 0; d = digitValue(in.peek(), base)) {
        value = value * base + d;
        in.next();
    }
    return value;
}

// Enough digits to decide the correct rounding of any double; the rest only matters as
// "something non-zero follows".
constexpr std::size_t kMaxSignificantDigits = 800;
// Exponent digits beyond this cannot change the outcome (infinity or zero), and capping them
// keeps the arithmetic far from overflow.
constexpr long long kExponentCap = 1'000'000'000LL;

} // namespace

QString NormalizeDecimal(const QString &text, const QLocale &locale) {
    QString result = text;
    const qsizetype comma = result.indexOf(QLatin1Char(','));
    if (comma >= 0) result[comma] = QLatin1Char('.');

    // The program writes numbers with the locale's separator; one that is neither a point nor a
    // comma would otherwise end the number right there and lose its decimals.
    const QString separator = locale.decimalPoint();
    if (!separator.isEmpty() && separator != QLatin1String(".") &&
        separator != QLatin1String(",")) {
        const qsizetype at = result.indexOf(separator);
        if (at >= 0) result.replace(at, separator.size(), QLatin1Char('.'));
    }
    // A keyboard of such a locale may type its own digits (U+0660.., U+06F0..).
    for (QChar &c : result) {
        if (c.unicode() > 0x7F && c.isDigit() && !c.isSurrogate())
            c = QLatin1Char(char('0' + c.digitValue()));
    }
    return result;
}

double Val(const QString &text, bool *holdsNumber) {
    Reader in(text);
    if (holdsNumber) *holdsNumber = false;

    if (in.take(u'&', u'&')) {
        const int base = in.take(u'H', u'h') ? 16 : in.take(u'O', u'o') ? 8 : 0;
        if (base == 0) return 0.0;
        if (holdsNumber) *holdsNumber = digitValue(in.peek(), base) >= 0;
        return readRadixInteger(in, base);
    }

    const bool negative = in.peek() == QLatin1Char('-');
    if (negative || in.peek() == QLatin1Char('+')) in.next();

    // The number is read as 0.<digits> x 10^scale, with leading zeros dropped, so that neither a
    // long run of digits nor an absurd exponent can overflow anything.
    std::string digits;
    long long scale = 0;
    bool anyDigit = false;
    bool pointSeen = false;
    bool truncatedNonZero = false;
    for (;;) {
        const QChar c = in.peek();
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            anyDigit = true;
            if (digits.empty() && c == QLatin1Char('0')) {
                if (pointSeen) --scale;
            } else {
                if (digits.size() < kMaxSignificantDigits)
                    digits.push_back(static_cast<char>(c.unicode()));
                else if (c != QLatin1Char('0'))
                    truncatedNonZero = true;
                if (!pointSeen) ++scale;
            }
        } else if (c == QLatin1Char('.') && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
        in.next();
    }
    if (!anyDigit) return 0.0;
    if (holdsNumber) *holdsNumber = true;

    if (in.take(u'E', u'e') || in.take(u'D', u'd')) {
        const bool expNegative = in.peek() == QLatin1Char('-');
        if (expNegative || in.peek() == QLatin1Char('+')) in.next();
        long long exponent = 0;
        for (int d = digitValue(in.peek(), 10); d >= 0; d = digitValue(in.peek(), 10)) {
            if (exponent < kExponentCap) exponent = exponent * 10 + d;
            in.next();
        }
        scale += expNegative ? -exponent : exponent;
    }

    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty()) return 0.0; // "-0" reads as plain 0, so it is never shown as "-0"
    if (truncatedNonZero) digits.push_back('1');

    double magnitude = 0.0;
    if (scale > 310) {
        magnitude = std::numeric_limits<double>::infinity();
    } else if (scale >= -330) {
        std::string number = "0." + digits + 'e' + std::to_string(scale);
        const auto [end, ec] =
            std::from_chars(number.data(), number.data() + number.size(), magnitude);
        (void)end;
        if (ec == std::errc::result_out_of_range)
            magnitude = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        else if (ec != std::errc())
            magnitude = 0.0;
    }
    return negative ? -magnitude : magnitude;
}

// ============================================================================================
// Number formats
// ============================================================================================
namespace {

QString nonFiniteText(double value) {
    if (std::isnan(value)) return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
}

bool isDigitPlaceholder(QChar c) {
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

struct Pattern {
    qsizetype point = -1;      // position of the decimal point, -1 when there is none
    qsizetype intAnchor = -1;  // where the integer digits go
    qsizetype fracAnchor = -1; // where the decimals go
    int minIntDigits = 0;      // integer placeholders from the first '0' on
    int maxDecimals = 0;       // decimal placeholders
    int minDecimals = 0;       // decimal placeholders up to the last '0'
};

Pattern parsePattern(const QString &pattern) {
    Pattern p;
    p.point = pattern.indexOf(QLatin1Char('.'));
    const qsizetype intEnd = p.point >= 0 ? p.point : pattern.size();
    bool zeroSeen = false;
    for (qsizetype i = 0; i < intEnd; ++i) {
        const QChar c = pattern.at(i);
        if (!isDigitPlaceholder(c)) continue;
        if (p.intAnchor < 0) p.intAnchor = i;
        zeroSeen = zeroSeen || c == QLatin1Char('0');
        if (zeroSeen) ++p.minIntDigits;
    }
    // A pattern without integer placeholders still shows the integer part, right before the
    // point (or at the end): a number is never silently cut to its decimals.
    if (p.intAnchor < 0) p.intAnchor = intEnd;
    if (p.point >= 0) {
        for (qsizetype i = p.point + 1; i < pattern.size(); ++i) {
            const QChar c = pattern.at(i);
            if (!isDigitPlaceholder(c)) continue;
            if (p.fracAnchor < 0) p.fracAnchor = i;
            ++p.maxDecimals;
            if (c == QLatin1Char('0')) p.minDecimals = p.maxDecimals;
        }
    }
    return p;
}

// The exact decimal expansion of |value| (every double has a finite one), with at least
// `minDecimals` digits after the point.
void exactDigits(double value, int minDecimals, std::string &intPart, std::string &fracPart) {
    int exponent2 = 0;
    std::frexp(value, &exponent2);
    // The lowest bit of a double is worth 2^(exponent2 - 53); that many binary places need as
    // many decimal places, and subnormals bottom out at 2^-1074.
    const int exactDecimals = std::clamp(53 - exponent2, 0, 1074);
    const int precision = std::max(exactDecimals, minDecimals);
    std::vector<char> buffer(static_cast<std::size_t>(precision) + 400);
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                         std::fabs(value), std::chars_format::fixed, precision);
    const std::string text = ec == std::errc() ? std::string(buffer.data(), end) : "0";
    const std::size_t point = text.find('.');
    intPart = text.substr(0, point);
    fracPart = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (fracPart.size() < static_cast<std::size_t>(minDecimals))
        fracPart.append(static_cast<std::size_t>(minDecimals) - fracPart.size(), '0');
}

// Adds one to a string of decimal digits; returns true when it carried out of the front.
bool incrementDigits(std::string &digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

} // namespace

QString Format(double value, const QString &pattern, const QLocale &locale) {
    // No pattern at all still shows the number rather than nothing.
    if (pattern.isEmpty()) return PlainNumberText(value, locale);

    const Pattern p = parsePattern(pattern);
    const bool finite = std::isfinite(value);

    QString integerText;
    QString decimalText;
    bool negative = false;
    if (!finite) {
        integerText = nonFiniteText(value);
    } else {
        std::string intDigits;
        std::string fracDigits;
        exactDigits(value, p.maxDecimals + 1, intDigits, fracDigits);

        // Half away from zero, judged on the double's exact value: 1.005 is stored just below
        // 1.005 and so shows as 1.00, while 0.125 is exact and shows as 0.13.
        const bool roundUp = fracDigits[static_cast<std::size_t>(p.maxDecimals)] >= '5';
        fracDigits.resize(static_cast<std::size_t>(p.maxDecimals));
        if (roundUp && incrementDigits(fracDigits) && incrementDigits(intDigits))
            intDigits.insert(intDigits.begin(), '1');

        while (fracDigits.size() > static_cast<std::size_t>(p.minDecimals) &&
               fracDigits.back() == '0')
            fracDigits.pop_back();
        const std::size_t firstNonZero = intDigits.find_first_not_of('0');
        intDigits.erase(0, std::min(firstNonZero, intDigits.size()));
        const bool allZero =
            intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;
        if (intDigits.size() < static_cast<std::size_t>(p.minIntDigits))
            intDigits.insert(0, static_cast<std::size_t>(p.minIntDigits) - intDigits.size(), '0');

        // A value that rounds to zero is shown without its sign: "-0.0" would read as a
        // different reading than "0.0" to the engineer.
        negative = std::signbit(value) && !allZero;
        integerText =
            QString::fromLatin1(intDigits.data(), static_cast<qsizetype>(intDigits.size()));
        decimalText =
            QString::fromLatin1(fracDigits.data(), static_cast<qsizetype>(fracDigits.size()));
    }

    // The sign is always ASCII '-', whatever the locale's minus sign: shown numbers are read
    // back through Val, which knows no other.
    QString out;
    if (negative) out += QLatin1Char('-');
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        if (i == p.intAnchor) out += integerText;
        if (i == pattern.size()) break;
        const QChar c = pattern.at(i);
        if (i == p.point) {
            if (finite) out += locale.decimalPoint();
        } else if (isDigitPlaceholder(c)) {
            if (i == p.fracAnchor) out += decimalText;
        } else {
            out += c;
        }
    }
    return out;
}

QString PlainNumberText(double value, const QLocale &locale) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (value == 0.0) return QStringLiteral("0");

    // Plain digits for the magnitudes a transmitter deals in; an exponent only where plain
    // digits would run to more than fifteen places either side.
    const double magnitude = std::fabs(value);
    const bool plain = magnitude >= 1e-4 && magnitude < 1e15;
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value,
                      plain ? std::chars_format::fixed : std::chars_format::scientific);
    if (ec != std::errc())
        return QStringLiteral("0"); // cannot happen: 64 bytes hold any shortest double

    QString text = QString::fromLatin1(buffer, end - buffer);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

// ============================================================================================
// Response codes
// ============================================================================================
QString ResponseCodeMessage(int code, int command) {
    if (code == 0) return QString();

    // Codes that mean the same for every command come first, even where a command has its own
    // entry for the same number.
    switch (code) {
    case 2:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Invalid selection"));
    case 3:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Passed Parameter too Large"));
    case 4:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Passed Parameter too Small"));
    case 5:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Too Few Databytes Received"));
    case 6:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Transmitter Specific Command Error"));
    case 7:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "In Write Protect Mode"));
    case 8:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Set to Nearest Value"));
    case 16:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Access Restricted"));
    case 64:
        return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Command Not Implemented"));
    default:
        break;
    }

    switch (command) {
    case 35: // write range values
        switch (code) {
        case 9:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Lowerrange too high"));
        case 10:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Lowerrange too low"));
        case 11:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Upperrange too high"));
        case 12:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Upperrange too low"));
        case 13:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "URV and LRV out of Limits"));
        case 14:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Span too Small"));
        default:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Unspecified Error"));
        }
    case 36: // set upper range value from the applied pressure
    case 37: // set lower range value from the applied pressure
        switch (code) {
        case 9:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Applied process too high"));
        case 10:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Applied process too low"));
        case 14:
            return command == 36 ? QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Span too Small"))
                                 : QStringLiteral(
                                       QT_TRANSLATE_NOOP("Module1", "New LRV pushed URV over USL"));
        default:
            return QStringLiteral(QT_TRANSLATE_NOOP("Module1", "Unspecified Error"));
        }
    default:
        return QStringLiteral(
            QT_TRANSLATE_NOOP("Module1", "Unspecified Error or Wrong returned Command"));
    }
}

QString ResponseCodeMessageShown(int code, int command) {
    const QString english = ResponseCodeMessage(code, command);
    return english.isEmpty() ? english
                             : QCoreApplication::translate("Module1", english.toUtf8().constData());
}

} // namespace Module1
