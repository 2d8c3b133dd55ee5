// ShowDeviceData in the main window: how the device record a read left is put on screen, also
// where a value is no number or names nothing the window has a control for. The read itself is
// the session's (tests/session/test_chains.cpp).
#include "chain_helper.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

class TestRequestProcedures : public QObject {
    Q_OBJECT
private slots:
    void showDeviceData_data();
    void showDeviceData();
};

void TestRequestProcedures::showDeviceData_data() {
    QTest::addColumn<QString>("unitName"); // as the read left it
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("damping");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("serial");
    QTest::addColumn<QString>("unit"); // shown
    QTest::addColumn<QString>("zero"); // empty: not checked
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("dampingText");
    QTest::addColumn<int>("option"); // -1: neither button

    // clang-format off
    QTest::newRow("factory settings") << "mH2O" << 0.0 << 10.0 << 0.4 << 0 << 6801234 << "mH2O"
        << "0.00" << "10.00" << "0.4" << 0;
    QTest::newRow("bar, falling output") << "Bar" << 0.25 << 1.5 << 2.0 << 1 << 2480000 << "Bar"
        << "0.25" << "1.25" << "2.0" << 1;
    QTest::newRow("unit code outside the table") << "" << 0.0 << 10.0 << 0.4 << 0 << 1
        << "Unknown" << "" << "" << "0.4" << 0;
    QTest::newRow("direction without a button") << "mH2O" << 0.0 << 10.0 << 0.4 << 7 << 16777215
        << "mH2O" << "0.00" << "10.00" << "0.4" << -1;
    QTest::newRow("upper range not a number") << "mH2O" << 0.0 << kNaN << 0.4 << 0 << 2501234
        << "mH2O" << "0.00" << "NaN" << "0.4" << 0;
    QTest::newRow("damping infinite") << "mH2O" << 0.0 << 10.0 << kInf << 1 << 5000018 << "mH2O"
        << "0.00" << "10.00" << "Inf" << 1;
    // clang-format on
}

void TestRequestProcedures::showDeviceData() {
    QFETCH(QString, unitName);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, damping);
    QFETCH(int, direction);
    QFETCH(int, serial);
    QFETCH(QString, unit);
    QFETCH(QString, zero);
    QFETCH(QString, span);
    QFETCH(QString, dampingText);
    QFETCH(int, option);

    GuiFixture f;
    QVERIFY(loadAndReveal(f)); // the lists filled as the load step fills them
    f.clearBoxes();
    Form1 *w = f.form.get();
    DeviceRecord &d = w->Dev;
    d.UnitName = d.PreviousUnitName = unitName;
    d.LowerRangeValue = lower;
    d.UpperRangeValue = upper;
    d.Span = upper - lower;
    d.Damping = damping;
    d.OutputDirection = quint8(direction);
    d.SerialNumber = serial;
    w->session->ShowDeviceData();

    QCOMPARE(w->Combo1->currentText(), unit);
    QCOMPARE(w->Dev.UnitName, unit);
    for (QLabel *l : w->Label9)
        QCOMPARE(l->text(), unit);
    if (!zero.isEmpty()) QCOMPARE(w->Text4->text(), local(zero));
    if (!span.isEmpty()) QCOMPARE(w->Text5->text(), local(span));
    QCOMPARE(w->Text6->text(), local(dampingText));
    QCOMPARE(w->Option1[0]->isChecked(), option == 0);
    QCOMPARE(w->Option1[1]->isChecked(), option == 1);
    QCOMPARE(w->StatusPanel[1]->text(),
             QStringLiteral("Transmitter Serialnumber: ") + QString::number(serial));
    QCOMPARE(w->Command2->text(), QStringLiteral("Re&fresh"));
    QVERIFY(f.boxes().isEmpty());
}

QTEST_MAIN(TestRequestProcedures)
#include "test_request_procedures.moc"
