// Digit patterns and plain number text, in a point locale, a comma locale and locales whose
// separator is neither.
#include "units/module1.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace Module1;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

// Each case is written with a point; the comma locale expects the same text with a comma.
void addBothLocales(const char *name, double value, const char *pattern, const char *expected) {
    QTest::addRow("%s, C", name) << value << QString::fromLatin1(pattern) << QLocale::c()
                                 << QString::fromLatin1(expected);
    QTest::addRow("%s, German", name)
        << value << QString::fromLatin1(pattern) << QLocale(QLocale::German, QLocale::Germany)
        << QString::fromLatin1(expected).replace(QLatin1Char('.'), QLatin1Char(','));
}
} // namespace

class TestNumberFormats : public QObject {
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void formatReadsBack_data();
    void formatReadsBack();
    void plainText_data();
    void plainText();
    void plainTextReadsBack_data();
    void plainTextReadsBack();
    void cleanup() { QLocale::setDefault(QLocale::system()); }
};

void TestNumberFormats::format_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    // "#0.0#": one or two decimals, at least one integer digit.
    addBothLocales("12.346", 12.346, "#0.0#", "12.35");
    addBothLocales("4", 4, "#0.0#", "4.0");
    addBothLocales("2", 2, "#0.0#", "2.0");
    addBothLocales("1.25", 1.25, "#0.0#", "1.25");
    addBothLocales("1.256", 1.256, "#0.0#", "1.26");
    addBothLocales("1.204 drops the zero decimal", 1.204, "#0.0#", "1.2");
    addBothLocales("0.04", 0.04, "#0.0#", "0.04");
    addBothLocales("0", 0, "#0.0#", "0.0");
    addBothLocales("negative zero", -0.0, "#0.0#", "0.0");
    addBothLocales("9.994 rounds down", 9.994, "#0.0#", "9.99");
    addBothLocales("9.996 carries", 9.996, "#0.0#", "10.0");
    addBothLocales("99.9951 carries twice", 99.9951, "#0.0#", "100.0");
    addBothLocales("999.999 carries thrice", 999.999, "#0.0#", "1000.0");
    addBothLocales("exact half rounds away", 0.125, "#0.0#", "0.13");
    addBothLocales("exact half, negative", -0.125, "#0.0#", "-0.13");
    // Stored just below the half: the double's true value decides.
    addBothLocales("1.005 is below the half", 1.005, "#0.0#", "1.0");
    addBothLocales("2.675 is below the half", 2.675, "#0.0#", "2.67");
    // Stored just above the half.
    addBothLocales("0.005 is above the half", 0.005, "#0.0#", "0.01");
    addBothLocales("-1.25", -1.25, "#0.0#", "-1.25");
    addBothLocales("-9.996 carries", -9.996, "#0.0#", "-10.0");
    addBothLocales("-0.001 shows no sign", -0.001, "#0.0#", "0.0");
    addBothLocales("-0.004 shows no sign", -0.004, "#0.0#", "0.0");
    addBothLocales("-0.005 keeps its sign", -0.005, "#0.0#", "-0.01");
    addBothLocales("no thousands separator", 1234567.891, "#0.0#", "1234567.89");
    addBothLocales("beyond 64-bit integers", 1e20, "#0.0#", "100000000000000000000.0");
    addBothLocales("smallest subnormal", 4.9406564584124654e-324, "#0.0#", "0.0");
    addBothLocales("single-precision value", double(1000.06628f), "#0.0#", "1000.07");

    // "#0.00#": two or three decimals.
    addBothLocales("0 two decimals", 0, "#0.00#", "0.00");
    addBothLocales("2.5 two decimals", 2.5, "#0.00#", "2.50");
    addBothLocales("1.23456", 1.23456, "#0.00#", "1.235");
    addBothLocales("1.2345 is below the half", 1.2345, "#0.00#", "1.234");
    addBothLocales("0.99996 carries", 0.99996, "#0.00#", "1.00");
    addBothLocales("99.9996 carries", 99.9996, "#0.00#", "100.00");
    addBothLocales("-3.1", -3.1, "#0.00#", "-3.10");
    addBothLocales("-0.0004 shows no sign", -0.0004, "#0.00#", "0.00");
    addBothLocales("0.99994 from a unit change", 0.99994, "#0.00#", "1.00");

    // "#0.000#": three or four decimals.
    addBothLocales("2.5 three decimals", 2.5, "#0.000#", "2.500");
    addBothLocales("0.00005 is above the half", 0.00005, "#0.000#", "0.0001");
    addBothLocales("1.99996 carries", 1.99996, "#0.000#", "2.000");
    addBothLocales("-0.00004 shows no sign", -0.00004, "#0.000#", "0.000");
    addBothLocales("-12.34567", -12.34567, "#0.000#", "-12.3457");

    // "#0.0# ": as "#0.0#" with a trailing blank.
    addBothLocales("3 with blank", 3, "#0.0# ", "3.0 ");
    addBothLocales("12.345 is above the half", 12.345, "#0.0# ", "12.35 ");
    addBothLocales("2.675 is below the half, with blank", 2.675, "#0.0# ", "2.67 ");
    addBothLocales("-2.5 with blank", -2.5, "#0.0# ", "-2.5 ");
    addBothLocales("9.999 carries, with blank", 9.999, "#0.0# ", "10.0 ");

    // "#.000 ": exactly three decimals, no leading zero, trailing blank.
    addBothLocales("0.5 loop current", 0.5, "#.000 ", ".500 ");
    addBothLocales("12 loop current", 12, "#.000 ", "12.000 ");
    addBothLocales("0 loop current", 0, "#.000 ", ".000 ");
    addBothLocales("0.9994 stays below one", 0.9994, "#.000 ", ".999 ");
    addBothLocales("0.9996 carries into the integer", 0.9996, "#.000 ", "1.000 ");
    addBothLocales("4.0005 is below the half", 4.0005, "#.000 ", "4.000 ");
    addBothLocales("4.0015 is above the half", 4.0015, "#.000 ", "4.002 ");
    addBothLocales("20.5 loop current", 20.5, "#.000 ", "20.500 ");
    addBothLocales("-0.5 loop current", -0.5, "#.000 ", "-.500 ");
    addBothLocales("-0.0004 shows no sign", -0.0004, "#.000 ", ".000 ");

    // Values that are not numbers still give a text that says what they are.
    addBothLocales("NaN", std::nan(""), "#0.0#", "NaN");
    addBothLocales("infinity keeps the blank", kInf, "#.000 ", "Inf ");
    addBothLocales("minus infinity", -kInf, "#0.0# ", "-Inf ");

    // Other shapes of pattern behave by the same rules.
    addBothLocales("leading zeros", 5, "000.0", "005.0");
    addBothLocales("integer only", 2.5, "#0", "3");
    addBothLocales("integer only rounds away", -2.5, "#0", "-3");
    addBothLocales("text around the digits", 7.25, "[#0.0#] bar", "[7.25] bar");
    addBothLocales("no integer placeholder keeps the integer", 12.5, ".00", "12.50");
}

void TestNumberFormats::format() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, pattern, locale), expected);
}

// Whatever the locale, a shown number must read back through NumberOf to the rounded value:
// the range fields are reread from their own text. The program runs in its default locale.
void TestNumberFormats::formatReadsBack_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("shown");
    const QList<QLocale> locales{QLocale::c(),
                                 QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::French, QLocale::France),
                                 QLocale(QLocale::Swedish, QLocale::Sweden),
                                 QLocale(QLocale::English, QLocale::UnitedStates),
                                 QLocale(QLocale::Arabic, QLocale::Egypt),
                                 QLocale(QLocale::Persian, QLocale::Iran)};
    for (const QLocale &locale : locales) {
        QTest::addRow("%s 980.665", qPrintable(locale.name())) << locale << 980.665 << 980.665;
        QTest::addRow("%s -1.23456", qPrintable(locale.name())) << locale << -1.23456 << -1.2346;
        QTest::addRow("%s 1234.5", qPrintable(locale.name())) << locale << 1234.5 << 1234.5;
        QTest::addRow("%s 0.00005", qPrintable(locale.name())) << locale << 0.00005 << 0.0001;
        QTest::addRow("%s -1000000.5", qPrintable(locale.name()))
            << locale << -1000000.5 << -1000000.5;
    }
}

void TestNumberFormats::formatReadsBack() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(double, shown);
    QLocale::setDefault(locale);
    const QString text = Format(value, "#0.000#");
    QCOMPARE(NumberOf(text), shown);
}

void TestNumberFormats::plainText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    const QLocale c = QLocale::c();
    const QLocale de(QLocale::German, QLocale::Germany);
    QTest::newRow("2.5") << 2.5 << c << "2.5";
    QTest::newRow("2.5 German") << 2.5 << de << "2,5";
    QTest::newRow("0") << 0.0 << de << "0";
    QTest::newRow("negative zero") << -0.0 << c << "0";
    QTest::newRow("integer") << 12.0 << de << "12";
    QTest::newRow("million, no separator") << 1000000.0 << de << "1000000";
    QTest::newRow("million, no separator, C") << 1000000.0 << c << "1000000";
    QTest::newRow("negative") << -1.25 << de << "-1,25";
    QTest::newRow("tenth is shortest") << 0.1 << c << "0.1";
    QTest::newRow("sum is not a tenth") << 0.1 + 0.2 << c << "0.30000000000000004";
    QTest::newRow("third") << 1.0 / 3.0 << de << "0,3333333333333333";
    QTest::newRow("single precision widened") << double(0.1f) << c << "0.10000000149011612";
    QTest::newRow("small, still plain") << 0.0001 << c << "0.0001";
    QTest::newRow("large, still plain") << 123456789012345.0 << c << "123456789012345";
    QTest::newRow("very small") << 0.00001 << de << "1E-05";
    QTest::newRow("very large") << 1e15 << c << "1E+15";
    QTest::newRow("very large, fraction") << -2.5e20 << de << "-2,5E+20";
    QTest::newRow("largest double") << 1.7976931348623157e308 << c << "1.7976931348623157E+308";
    QTest::newRow("NaN") << std::nan("") << c << "NaN";
    QTest::newRow("infinity") << kInf << de << "Inf";
    QTest::newRow("minus infinity") << -kInf << c << "-Inf";
}

void TestNumberFormats::plainText() {
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(PlainNumberText(value, locale), expected);
}

// Written text must give back exactly the number it was written from.
void TestNumberFormats::plainTextReadsBack_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    const QList<QLocale> locales{QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::Swedish, QLocale::Sweden),
                                 QLocale(QLocale::Arabic, QLocale::Egypt)};
    for (const QLocale &locale : locales) {
        for (double value : {0.1 + 0.2, 1.0 / 3.0, -2.5e-5, 1e-300, 4.9406564584124654e-324,
                             1.7976931348623157e308, 999999999999999.9, double(1000.06628f),
                             -123.456, 20.1, 3.9}) {
            QTest::addRow("%s %.17g", qPrintable(locale.name()), value) << value << locale;
        }
    }
}

void TestNumberFormats::plainTextReadsBack() {
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    const QString text = PlainNumberText(value);
    QVERIFY2(NumberOf(text) == value, qPrintable(text));
}

QTEST_APPLESS_MAIN(TestNumberFormats)
#include "test_number_formats.moc"
