// The unit table in every direction, and conversions checked against single-precision values
// worked out by hand from the factors.
#include "units/module1.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace Module1;

namespace {
// QCOMPARE on floats is fuzzy to five digits; these results are meant to the last bit.
bool sameFloat(float actual, float expected) {
    if (std::isnan(expected)) return std::isnan(actual);
    return actual == expected && std::signbit(actual) == std::signbit(expected);
}
QByteArray describe(float actual, float expected) {
    return QByteArray::number(double(actual), 'g', 9) + " but expected " +
           QByteArray::number(double(expected), 'g', 9);
}
} // namespace

class TestPressureUnits : public QObject {
    Q_OBJECT

private slots:
    void tableRow_data();
    void tableRow();
    void nameOutsideTable_data();
    void nameOutsideTable();
    void codeOutsideTable_data();
    void codeOutsideTable();
    void indexOutsideList_data();
    void indexOutsideList();

    void convert_data();
    void convert();
    void factorOfEachUnit_data();
    void factorOfEachUnit();
    void roundTrip_data();
    void roundTrip();
    void resultBeyondSinglePrecision_data();
    void resultBeyondSinglePrecision();
};

void TestPressureUnits::tableRow_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::newRow("InH2O") << 0 << "InH2O" << 1;
    QTest::newRow("InHg") << 1 << "InHg" << 2;
    QTest::newRow("mmH2O") << 2 << "mmH2O" << 4;
    QTest::newRow("mmHg") << 3 << "mmHg" << 5;
    QTest::newRow("PSI") << 4 << "PSI" << 6;
    QTest::newRow("Bar") << 5 << "Bar" << 7;
    QTest::newRow("mBar") << 6 << "mBar" << 8;
    QTest::newRow("KG cm2") << 7 << "KG cm2" << 10;
    QTest::newRow("kPa") << 8 << "kPa" << 12;
    QTest::newRow("ATM") << 9 << "ATM" << 14;
    QTest::newRow("MPa") << 10 << "MPa" << 237;
    QTest::newRow("mH2O") << 11 << "mH2O" << 240;
}

void TestPressureUnits::tableRow() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, code);
    QCOMPARE(int(UnitCodeFromName(name)), code);
    QCOMPARE(UnitNameFromCode(code), name);
    QCOMPARE(UnitNameFromIndex(index), name);
    QCOMPARE(int(UnitIndexFromName(name)), index);
}

void TestPressureUnits::nameOutsideTable_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Unknown") << "Unknown";
    QTest::newRow("empty") << "";
    QTest::newRow("other case") << "kg cm2";
    QTest::newRow("lower-case unit") << "mh2o";
    QTest::newRow("leading blank") << " mH2O";
    QTest::newRow("trailing blank") << "mH2O ";
    QTest::newRow("partial name") << "mBa";
    QTest::newRow("longer name") << "mBarg";
    QTest::newRow("code as text") << "240";
}

void TestPressureUnits::nameOutsideTable() {
    QFETCH(QString, name);
    QCOMPARE(int(UnitCodeFromName(name)), 0);
    QCOMPARE(int(UnitIndexFromName(name)), 12);
    QCOMPARE(ConvertPressure(5, name, "mH2O"), 5.0f);
    QCOMPARE(ConvertPressure(5, "mH2O", name), 5.0f);
}

void TestPressureUnits::codeOutsideTable_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("0") << 0;
    QTest::newRow("3") << 3;
    QTest::newRow("9") << 9;
    QTest::newRow("11") << 11;
    QTest::newRow("13") << 13;
    QTest::newRow("15") << 15;
    QTest::newRow("236") << 236;
    QTest::newRow("238") << 238;
    QTest::newRow("239") << 239;
    QTest::newRow("241") << 241;
    QTest::newRow("255") << 255;
    QTest::newRow("negative") << -1;
    // Must not be cut to a byte and come out as "mH2O" (240) or "InH2O" (1).
    QTest::newRow("240 + 256") << 496;
    QTest::newRow("1 + 256") << 257;
}

void TestPressureUnits::codeOutsideTable() {
    QFETCH(int, code);
    QCOMPARE(UnitNameFromCode(code), QString());
}

void TestPressureUnits::indexOutsideList_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("12, the Unknown entry") << 12;
    QTest::newRow("13") << 13;
    QTest::newRow("255") << 255;
    QTest::newRow("-1") << -1;
    QTest::newRow("256 (not cut to 0)") << 256;
    QTest::newRow("large") << (1 << 20);
}

void TestPressureUnits::indexOutsideList() {
    QFETCH(int, index);
    QCOMPARE(UnitNameFromIndex(index), QStringLiteral("Unknown"));
}

void TestPressureUnits::convert_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<float>("expected");

    // 1 / 0.09806 * 98.0665: the Bar factor is not the exact 0.0980665.
    QTest::newRow("1 Bar to mBar") << 1.0 << "Bar"
                                   << "mBar" << 1000.06628f;
    QTest::newRow("100 mBar to kPa") << 100.0 << "mBar"
                                     << "kPa" << 10.0f;
    QTest::newRow("10 mH2O to InH2O") << 10.0 << "mH2O"
                                      << "InH2O" << 393.700775f;
    QTest::newRow("1000 mmH2O to mH2O") << 1000.0 << "mmH2O"
                                        << "mH2O" << 1.0f;
    QTest::newRow("1 MPa to mBar") << 1.0 << "MPa"
                                   << "mBar" << 9999.64355f;
    QTest::newRow("1 mH2O to InHg") << 1.0 << "mH2O"
                                    << "InHg" << 2.895906f;
    QTest::newRow("1 KG cm2 to kPa") << 1.0 << "KG cm2"
                                     << "kPa" << 98.0664978f;
    QTest::newRow("1 mmHg to PSI") << 1.0 << "mmHg"
                                   << "PSI" << 0.0193362888f;
    QTest::newRow("negative value") << -2.0 << "mH2O"
                                    << "mmH2O" << -2000.0f;
    QTest::newRow("zero") << 0.0 << "PSI"
                          << "InH2O" << 0.0f;
    // The stored value must carry single precision, not the double that was computed.
    QTest::newRow("0.1 mH2O to mmH2O") << 0.0001 << "mH2O"
                                       << "mmH2O" << 0.1f;

    // The two InH2O factors differ in the eighth digit; single precision hides it.
    QTest::newRow("InH2O to InH2O") << 1.0 << "InH2O"
                                    << "InH2O" << 1.0f;
    QTest::newRow("InH2O to InH2O, 12.345") << 12.345 << "InH2O"
                                            << "InH2O" << 12.345f;
    QTest::newRow("same name rounds to single") << 0.1 << "kPa"
                                                << "kPa" << 0.1f;

    // One standard atmosphere is 10.33227 mH2O, 101.325 kPa and 760 mmHg.
    QTest::newRow("1 ATM to mH2O") << 1.0 << "ATM"
                                   << "mH2O" << 10.3322744f;
    QTest::newRow("1 ATM to kPa") << 1.0 << "ATM"
                                  << "kPa" << 101.324997f;
    QTest::newRow("1 ATM to mBar") << 1.0 << "ATM"
                                   << "mBar" << 1013.25f;
    QTest::newRow("1 ATM to mmHg") << 1.0 << "ATM"
                                   << "mmHg" << 760.000793f;
    QTest::newRow("1 ATM to PSI") << 1.0 << "ATM"
                                  << "PSI" << 14.6955938f;
    QTest::newRow("101.325 kPa to ATM") << 101.325 << "kPa"
                                        << "ATM" << 1.0f;
    QTest::newRow("10 mH2O to ATM") << 10.0 << "mH2O"
                                    << "ATM" << 0.967841089f;

    QTest::newRow("from Unknown") << 5.0 << "Unknown"
                                  << "mH2O" << 5.0f;
    QTest::newRow("to Unknown") << 5.0 << "mH2O"
                                << "Unknown" << 5.0f;
    QTest::newRow("Unknown to Unknown") << 5.0 << "Unknown"
                                        << "Unknown" << 5.0f;
    QTest::newRow("from Unknown to mmH2O") << 5.0 << "Unknown"
                                           << "mmH2O" << 5000.0f;
    QTest::newRow("from PSI to Unknown") << 1.4223 << "PSI"
                                         << "Unknown" << 1.0f;
    QTest::newRow("empty names") << 7.25 << ""
                                 << "" << 7.25f;
}

void TestPressureUnits::convert() {
    QFETCH(double, value);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(float, expected);
    const float actual = ConvertPressure(value, from, to);
    QVERIFY2(sameFloat(actual, expected), describe(actual, expected));
}

// Each unit's own factor: 1 mH2O is `factor` of the unit, and `factor` of the unit is 1 mH2O.
void TestPressureUnits::factorOfEachUnit_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("toFactor");
    QTest::addColumn<double>("fromFactor");
    QTest::newRow("InH2O") << "InH2O" << 39.3700787 << 39.370078;
    QTest::newRow("InHg") << "InHg" << 2.895906 << 2.895906;
    QTest::newRow("mmH2O") << "mmH2O" << 1000.0 << 1000.0;
    QTest::newRow("mmHg") << "mmHg" << 73.556 << 73.556;
    QTest::newRow("PSI") << "PSI" << 1.4223 << 1.4223;
    QTest::newRow("Bar") << "Bar" << 0.09806 << 0.09806;
    QTest::newRow("mBar") << "mBar" << 98.0665 << 98.0665;
    QTest::newRow("KG cm2") << "KG cm2" << 0.1 << 0.1;
    QTest::newRow("kPa") << "kPa" << 9.80665 << 9.80665;
    QTest::newRow("ATM") << "ATM" << 0.0967841105 << 0.0967841105;
    QTest::newRow("MPa") << "MPa" << 0.009807 << 0.009807;
    QTest::newRow("mH2O") << "mH2O" << 1.0 << 1.0;
}

void TestPressureUnits::factorOfEachUnit() {
    QFETCH(QString, unit);
    QFETCH(double, toFactor);
    QFETCH(double, fromFactor);
    const float out = ConvertPressure(1.0, "mH2O", unit);
    QVERIFY2(sameFloat(out, float(toFactor)), describe(out, float(toFactor)));
    const float in = ConvertPressure(fromFactor, unit, "mH2O");
    QVERIFY2(sameFloat(in, 1.0f), describe(in, 1.0f));
}

// Out to every unit and back: a unit change there and back must not drift the range by more
// than single precision (and, for InH2O, the difference of its two factors).
void TestPressureUnits::roundTrip_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("value");
    for (int i = 0; i < 12; ++i) {
        const QString unit = UnitNameFromIndex(i);
        for (double value : {1.0, 2.5, -0.75, 1234.5678}) {
            QTest::addRow("%s %g", qPrintable(unit), value) << unit << value;
        }
    }
}

void TestPressureUnits::roundTrip() {
    QFETCH(QString, unit);
    QFETCH(double, value);
    for (const char *via : {"mH2O", "mBar", "PSI", "ATM"}) {
        const float there = ConvertPressure(value, unit, via);
        const float back = ConvertPressure(there, via, unit);
        QVERIFY2(std::fabs(back - value) <= 4e-7 * std::fabs(value),
                 qPrintable(QStringLiteral("via %1: %2 came back as %3")
                                .arg(via)
                                .arg(value, 0, 'g', 17)
                                .arg(double(back), 0, 'g', 17)));
    }
}

void TestPressureUnits::resultBeyondSinglePrecision_data() {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr float finf = std::numeric_limits<float>::infinity();
    constexpr float fmax = std::numeric_limits<float>::max();
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("to");
    QTest::addColumn<float>("expected");
    QTest::newRow("largest float stays") << double(fmax) << "mH2O" << fmax;
    QTest::newRow("just above largest float rounds down")
        << double(fmax) * (1 + 1e-9) << "mH2O" << fmax;
    QTest::newRow("beyond float") << 1e39 << "mH2O" << finf;
    QTest::newRow("beyond float, negative") << -1e39 << "mH2O" << -finf;
    QTest::newRow("beyond double after conversion") << 1e307 << "mmH2O" << finf;
    QTest::newRow("infinite") << inf << "mBar" << finf;
    QTest::newRow("below smallest float") << 1e-50 << "mH2O" << 0.0f;
    QTest::newRow("not a number") << std::nan("") << "PSI" << std::nanf("");
}

void TestPressureUnits::resultBeyondSinglePrecision() {
    QFETCH(double, value);
    QFETCH(QString, to);
    QFETCH(float, expected);
    const float actual = ConvertPressure(value, "mH2O", to);
    QVERIFY2(sameFloat(actual, expected), describe(actual, expected));
}

QTEST_APPLESS_MAIN(TestPressureUnits)
#include "test_pressure_units.moc"
