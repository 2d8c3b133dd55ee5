// Typed text to numbers: the comma-to-point step and the leading-number conversion.
#include "units/module1.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace Module1;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

// Exact, NaN-aware and sign-of-zero-aware; QCOMPARE on doubles is fuzzy.
bool sameDouble(double actual, double expected) {
    if (std::isnan(expected)) return std::isnan(actual);
    return actual == expected && std::signbit(actual) == std::signbit(expected);
}
QByteArray describe(double actual, double expected) {
    return QByteArray::number(actual, 'g', 17) + " but expected " +
           QByteArray::number(expected, 'g', 17);
}
} // namespace

class TestTypedNumbers : public QObject {
    Q_OBJECT

private slots:
    void normalize_data();
    void normalize();
    void leadingNumber_data();
    void leadingNumber();
    void longDigitRuns_data();
    void longDigitRuns();
    void holdsNumber_data();
    void holdsNumber();
    void typedInLocale_data();
    void typedInLocale();
    void cleanup() { QLocale::setDefault(QLocale::system()); }
};

// Text as typed, after NormalizeDecimal, and the number NumberOf reads from it.
void TestTypedNumbers::normalize_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalized");
    QTest::addColumn<double>("number");
    QTest::newRow("empty") << ""
                           << "" << 0.0;
    QTest::newRow("4,00") << "4,00"
                          << "4.00" << 4.0;
    QTest::newRow("0,5") << "0,5"
                         << "0.5" << 0.5;
    QTest::newRow("-1,25") << "-1,25"
                           << "-1.25" << -1.25;
    QTest::newRow("4.00 unchanged") << "4.00"
                                    << "4.00" << 4.0;
    QTest::newRow("only the first comma") << "1,2,3"
                                          << "1.2,3" << 1.2;
    QTest::newRow("point then comma") << "1.234,5"
                                      << "1.234.5" << 1.234;
    QTest::newRow("unit after number") << "12,5 mm"
                                       << "12.5 mm" << 12.5;
    QTest::newRow("no digits") << "abc"
                               << "abc" << 0.0;
    QTest::newRow("blank inside") << "1 000,5"
                                  << "1 000.5" << 1000.5;
    QTest::newRow("lone comma") << ","
                                << "." << 0.0;
    QTest::newRow("leading comma") << ",75"
                                   << ".75" << 0.75;
    QTest::newRow("comma after text") << "x,5"
                                      << "x.5" << 0.0;
    QTest::newRow("non-Latin text") << QStringLiteral("ä,5 ü") << QStringLiteral("ä.5 ü") << 0.0;
    QTest::newRow("comma after non-Latin text")
        << QStringLiteral("5,ä,") << QStringLiteral("5.ä,") << 5.0;
    QTest::newRow("exponent") << "2,5E3"
                              << "2.5E3" << 2500.0;
}

void TestTypedNumbers::normalize() {
    QFETCH(QString, typed);
    QFETCH(QString, normalized);
    QFETCH(double, number);
    const QString before = typed;
    QCOMPARE(NormalizeDecimal(typed), normalized);
    QCOMPARE(typed, before);
    QCOMPARE(NormalizeDecimal(typed).size(), typed.size());
    const double actual = NumberOf(typed);
    QVERIFY2(sameDouble(actual, number), describe(actual, number));
}

void TestTypedNumbers::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("integer") << "42" << 42.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("minus sign") << "-7" << -7.0;
    QTest::newRow("minus zero reads as zero") << "-0" << 0.0;
    QTest::newRow("minus zero point zero") << "-0.000" << 0.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("signed point first") << "-.5" << -0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("letters stop") << "12abc" << 12.0;
    QTest::newRow("letters first") << "abc12" << 0.0;
    QTest::newRow("hex prefix is not a number") << "0x10" << 0.0;
    QTest::newRow("exact tenth") << "0.1" << 0.1;

    QTest::newRow("leading blanks") << "   3.5" << 3.5;
    QTest::newRow("tab and line feed") << "\t\n3.5" << 3.5;
    QTest::newRow("blanks between digits") << "1 2 3" << 123.0;
    QTest::newRow("blank after sign") << "- 4" << -4.0;
    QTest::newRow("blank around point") << "1 . 5" << 1.5;
    QTest::newRow("tab in exponent") << "1E\t+\t2" << 100.0;
    QTest::newRow("line feed inside") << "2\n5" << 25.0;
    QTest::newRow("carriage return is not skipped") << "\r5" << 0.0;
    QTest::newRow("carriage return stops") << "5\r5" << 5.0;
    QTest::newRow("no-break space is not skipped") << QStringLiteral("5\u00a05") << 5.0;
    QTest::newRow("NUL stops") << QString::fromUtf16(u"5\u00005", 3) << 5.0;
    QTest::newRow("non-ASCII digits are not digits") << QStringLiteral("\u0663") << 0.0;

    QTest::newRow("exponent E") << "1E3" << 1000.0;
    QTest::newRow("exponent e") << "1e3" << 1000.0;
    QTest::newRow("exponent D") << "1D3" << 1000.0;
    QTest::newRow("exponent d") << "1d3" << 1000.0;
    QTest::newRow("exponent with plus") << "2.5E+2" << 250.0;
    QTest::newRow("negative exponent") << "2.5e-1" << 0.25;
    QTest::newRow("exponent without digits") << "7E" << 7.0;
    QTest::newRow("exponent sign without digits") << "7E-" << 7.0;
    QTest::newRow("exponent without mantissa") << "E5" << 0.0;
    QTest::newRow("point and exponent only") << ".E5" << 0.0;
    QTest::newRow("exponent then text") << "3E2mm" << 300.0;
    QTest::newRow("second exponent stops") << "1E2E3" << 100.0;
    QTest::newRow("point in exponent stops") << "1E2.5" << 100.0;

    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex 16 bits is not negative") << "&HFFFF" << 65535.0;
    QTest::newRow("hex 32 bits is not negative") << "&HFFFFFFFF" << 4294967295.0;
    QTest::newRow("hex stops at G") << "&H1G" << 1.0;
    QTest::newRow("hex without digits") << "&H" << 0.0;
    QTest::newRow("hex with blanks") << " & H 1 0" << 16.0;
    QTest::newRow("hex has no point") << "&H1.8" << 1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal lower case") << "&o777" << 511.0;
    QTest::newRow("octal stops at 8") << "&O18" << 1.0;
    QTest::newRow("octal without digits") << "&O9" << 0.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("ampersand and digits") << "&10" << 0.0;
    QTest::newRow("ampersand and other letter") << "&B101" << 0.0;
    QTest::newRow("sign before ampersand") << "-&H10" << 0.0;

    QTest::newRow("huge exponent") << "1E400" << kInf;
    QTest::newRow("huge exponent, negative") << "-1E400" << -kInf;
    QTest::newRow("tiny exponent") << "1E-400" << 0.0;
    QTest::newRow("exponent beyond 64 bits") << "1E99999999999999999999999" << kInf;
    QTest::newRow("negative exponent beyond 64 bits") << "5E-99999999999999999999999" << 0.0;
    QTest::newRow("largest double") << "1.7976931348623157E308" << 1.7976931348623157e308;
    QTest::newRow("just beyond largest double") << "1.8E308" << kInf;
    QTest::newRow("smallest subnormal") << "4.9406564584124654E-324" << 4.9406564584124654e-324;
    QTest::newRow("below half the smallest subnormal") << "2E-324" << 0.0;
    QTest::newRow("zero with huge exponent") << "0E999999" << 0.0;
    QTest::newRow("halfway rounds to even") << "9007199254740993" << 9007199254740992.0;
    QTest::newRow("just above halfway") << "9007199254740993.0000001" << 9007199254740994.0;
}

void TestTypedNumbers::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, number);
    const double actual = Val(text);
    QVERIFY2(sameDouble(actual, number), describe(actual, number));
}

// Long runs of digits must be read correctly, not cut short, and in reasonable time.
void TestTypedNumbers::longDigitRuns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    const QString zeros400(400, QLatin1Char('0'));
    const QString zeros100k(100000, QLatin1Char('0'));
    QTest::newRow("leading zeros") << zeros100k + "42" << 42.0;
    QTest::newRow("zeros after the point") << "0." + zeros400 + "1E401" << 1.0;
    QTest::newRow("many integer digits") << "1" + zeros400 << kInf;
    QTest::newRow("many integer digits scaled down") << "1" + zeros400 + "E-400" << 1.0;
    QTest::newRow("trailing zeros after the point") << "2.5" + zeros100k << 2.5;
    // The digit that decides the rounding sits far beyond the first 800 digits.
    QTest::newRow("sticky digit far out")
        << "9007199254740993" + QString(1000, QLatin1Char('0')).prepend('.') + "1"
        << 9007199254740994.0;
    QTest::newRow("many digits") << QString(5000, QLatin1Char('3')).prepend("0.") << 1.0 / 3.0;
}

void TestTypedNumbers::longDigitRuns() {
    QFETCH(QString, text);
    QFETCH(double, number);
    const double actual = Val(text);
    QVERIFY2(sameDouble(actual, number), describe(actual, number));
}

// A text that gives 0 because it holds no number is told from one that reads as 0.
void TestTypedNumbers::holdsNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("holds");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << " \t " << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("sign only") << "-" << false;
    QTest::newRow("point only") << "." << false;
    QTest::newRow("comma only") << "," << false;
    QTest::newRow("exponent only") << "E5" << false;
    QTest::newRow("hex without digits") << "&H" << false;
    QTest::newRow("letters before digits") << "abc12" << false;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("point first") << ",5" << true;
    QTest::newRow("digits then letters") << "12abc" << true;
    QTest::newRow("hex") << "&HF" << true;
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0663") << true;
}

void TestTypedNumbers::holdsNumber() {
    QFETCH(QString, text);
    QFETCH(bool, holds);
    QCOMPARE(HoldsNumber(text), holds);
}

// The locale's own separator, a point and a comma all read as meant, in the program's locale.
void TestTypedNumbers::typedInLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed"); // '~' stands for the locale's own separator
    QTest::addColumn<double>("number");
    const QList<QLocale> locales{QLocale(QLocale::English, QLocale::UnitedStates),
                                 QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::Arabic, QLocale::Egypt),
                                 QLocale(QLocale::Persian, QLocale::Iran)};
    for (const QLocale &l : locales) {
        QTest::addRow("%s own", qPrintable(l.name())) << l << "0~4" << 0.4;
        QTest::addRow("%s point", qPrintable(l.name())) << l << "0.4" << 0.4;
        QTest::addRow("%s comma", qPrintable(l.name())) << l << "0,4" << 0.4;
        QTest::addRow("%s own, long", qPrintable(l.name())) << l << "-980~665 mBar" << -980.665;
    }
    const QLocale ar(QLocale::Arabic, QLocale::Egypt);
    QTest::newRow("Arabic digits") << ar << QStringLiteral("\u0662\u066B\u0665") << 2.5;
    QTest::newRow("Persian digits") << QLocale(QLocale::Persian, QLocale::Iran)
                                    << QStringLiteral("\u06F1\u06F2\u066B\u06F5") << 12.5;
    QTest::newRow("Arabic separator in a point locale")
        << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("2\u066B5") << 2.0;
}

void TestTypedNumbers::typedInLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(double, number);
    QLocale::setDefault(locale);
    const QString text = typed.replace(QLatin1Char('~'), locale.decimalPoint());
    const double actual = NumberOf(text);
    QVERIFY2(sameDouble(actual, number), describe(actual, number));
}

QTEST_APPLESS_MAIN(TestTypedNumbers)
#include "test_typed_numbers.moc"
