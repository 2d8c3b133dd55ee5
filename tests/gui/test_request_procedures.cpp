// The request procedures on the simulated transmitter: what each one puts on the line, the busy
// indication around it, and what the transmitter holds afterwards.
#include "chain_helper.h"

#include "units/module1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <limits>

using namespace chain;

namespace {

using Proc = void (Session::*)();
const Proc kReadProcs[] = {&Session::SendIdentify,
                           &Session::SendReadTag,
                           &Session::SendReadOutputInfo,
                           &Session::SendReadSensorLimits,
                           &Session::SendReadOutputDirection,
                           &Session::SendReadPressure,
                           &Session::SendSetUpperRange,
                           &Session::SendSetLowerRange};

QList<QWidget *> dataPanels(Form1 *f) {
    return {f->Label12, f->Text7,  f->Command8, f->Frame2,  f->Frame3,   f->Frame4,
            f->Frame5,  f->Frame6, f->Frame7,   f->Label11, f->Command5, f->Text8};
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

} // namespace

class TestRequestProcedures : public QObject {
    Q_OBJECT
private slots:
    void readSequenceFromStartup();
    void requestFields_data();
    void requestFields();
    void showDeviceData_data();
    void showDeviceData();
    void writeTag_data();
    void writeTag();
    void writeTagBeforeAnyRead();
    void writeUnitAndRange_data();
    void writeUnitAndRange();
    void writeUnitRefused_data();
    void writeUnitRefused();
    void writeDampingThenDirection_data();
    void writeDampingThenDirection();
    void writeDampingRefused_data();
    void writeDampingRefused();
    void mountingEffect_data();
    void mountingEffect();
    void fixedCurrent();
};

void TestRequestProcedures::readSequenceFromStartup() {
    GuiFixture f;
    f.device.setNoise(false);
    f.form->ProgressBar1->reset();
    ProgressLog log;
    log.attach(f.form.get());

    QVERIFY(f.loadAndWaitForData());
    QCOMPARE(f.commandsSeen(), (QList<int>{0, 13, 15, 14, 129}));
    // 0 is set before the identify request goes out, 5 after; the rest come from the replies.
    const QList<QPair<int, bool>> expected{{0, false},  {5, true},   {10, false}, {20, false},
                                           {35, false}, {45, false}, {75, false}, {85, false},
                                           {90, false}, {95, false}, {100, false}};
    QCOMPARE(log.steps, expected);

    Form1 *w = f.form.get();
    for (QWidget *panel : dataPanels(w))
        QVERIFY2(panel->isHidden(), qPrintable(panel->objectName()));
    QCOMPARE(w->Text7->text(), QStringLiteral("LT-101  "));
    QCOMPARE(w->Text1->text(), local(QStringLiteral("0.5")));
    QCOMPARE(w->Text2->text(), local(QStringLiteral("20.0")));
    QCOMPARE(w->Text3->text(), local(QStringLiteral("0.0")));
    QCOMPARE(w->ZeroAsRead.toString(), w->Text4->text());
    QCOMPARE(w->SpanAsRead.toString(), w->Text5->text());
    QVERIFY(!w->ReloadingRange);
    QCOMPARE(w->Command2->text(), QStringLiteral("Re&fresh"));
    QCOMPARE(MousePointer(), int(vbHourglass));
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->Timer1->interval(), 1500);

    w->Timer1->stop();
    w->session->Timer1_Timer();
    for (QWidget *panel : dataPanels(w))
        QVERIFY2(!panel->isHidden(), qPrintable(panel->objectName()));
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen().last(), 2);
}

void TestRequestProcedures::requestFields_data() {
    QTest::addColumn<int>("proc");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("byteCount"); // -1: left as the previous request set it
    QTest::addColumn<int>("maximum");   // 200: left as it was
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("pointer");

    // clang-format off
    QTest::newRow("identify") << 0 << 0 << -1 << 100 << 5 << int(vbHourglass);
    QTest::newRow("read tag") << 1 << 13 << -1 << 200 << 20 << int(vbDefault);
    QTest::newRow("read output info") << 2 << 15 << -1 << 200 << 35 << int(vbDefault);
    QTest::newRow("read sensor limits") << 3 << 14 << -1 << 200 << 75 << int(vbDefault);
    QTest::newRow("read output direction") << 4 << 129 << -1 << 200 << 90 << int(vbDefault);
    QTest::newRow("read pressure") << 5 << 3 << 0 << 100 << 35 << int(vbHourglass);
    QTest::newRow("set upper range") << 6 << 36 << 0 << 100 << 35 << int(vbDefault);
    QTest::newRow("set lower range") << 7 << 37 << 0 << 100 << 35 << int(vbDefault);
    // clang-format on
}

void TestRequestProcedures::requestFields() {
    QFETCH(int, proc);
    QFETCH(int, command);
    QFETCH(int, byteCount);
    QFETCH(int, maximum);
    QFETCH(int, progress);
    QFETCH(int, pointer);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    // A tag write leaves 21 request bytes behind.
    w->Text7->setText(QStringLiteral("T"));
    w->session->SendWriteTag();
    QVERIFY(f.waitIdle());
    w->Timer2->stop();
    QCOMPARE(w->HartX1->byteCount(), qint16(21));
    SetMousePointer(vbDefault);
    w->ProgressBar1->setMaximum(200);
    f.device.clearTrace();

    Session *session = w->session;
    (session->*kReadProcs[proc])();
    QCOMPARE(int(w->HartX1->byteCount()), byteCount < 0 ? 21 : byteCount);
    QCOMPARE(w->ProgressBar1->maximum(), maximum);
    QCOMPARE(w->ProgressBar1->value(), progress);
    QCOMPARE(MousePointer(), pointer);
    QVERIFY(f.waitIdle());
    QVERIFY(!f.device.trace().isEmpty());
    QCOMPARE(f.device.trace().first().command, command);
    QCOMPARE(f.device.trace().first().requestData, QByteArray());
}

void TestRequestProcedures::showDeviceData_data() {
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<float>("upper");
    QTest::addColumn<float>("lower");
    QTest::addColumn<float>("damping");
    QTest::addColumn<int>("direction");
    QTest::addColumn<uint>("serial");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("zero"); // empty: not checked
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("dampingText");
    QTest::addColumn<int>("option"); // -1: neither button
    QTest::addColumn<QString>("serialText");

    // clang-format off
    QTest::newRow("factory settings") << 240 << 10.0f << 0.0f << 0.4f << 0 << 1801234u << "mH2O"
        << "0.00" << "10.00" << "0.4" << 0 << "6801234";
    QTest::newRow("bar, falling output") << 7 << 1.5f << 0.25f << 2.0f << 1 << 480000u << "Bar"
        << "0.25" << "1.25" << "2.0" << 1 << "2480000";
    QTest::newRow("unit code outside the table") << 200 << 10.0f << 0.0f << 0.4f << 0 << 1u
        << "Unknown" << "" << "" << "0.4" << 0 << "1";
    QTest::newRow("direction without a button") << 240 << 10.0f << 0.0f << 0.4f << 7 << 16777215u
        << "mH2O" << "0.00" << "10.00" << "0.4" << -1 << "16777215";
    QTest::newRow("upper range not a number") << 240 << kNaN << 0.0f << 0.4f << 0 << 2501234u
        << "mH2O" << "0.00" << "NaN" << "0.4" << 0 << "2501234";
    QTest::newRow("damping infinite") << 240 << 10.0f << 0.0f << kInf << 1 << 18u << "mH2O"
        << "0.00" << "10.00" << "Inf" << 1 << "5000018";
    // clang-format on
}

void TestRequestProcedures::showDeviceData() {
    QFETCH(int, unitCode);
    QFETCH(float, upper);
    QFETCH(float, lower);
    QFETCH(float, damping);
    QFETCH(int, direction);
    QFETCH(uint, serial);
    QFETCH(QString, unit);
    QFETCH(QString, zero);
    QFETCH(QString, span);
    QFETCH(QString, dampingText);
    QFETCH(int, option);
    QFETCH(QString, serialText);

    GuiFixture f;
    SimDevice::Config &c = f.device.config();
    c.unitCode = quint8(unitCode);
    c.upperRange = upper;
    c.lowerRange = lower;
    c.damping = damping;
    c.outputDirection = quint8(direction);
    f.device.setSerialNumber(serial);
    QVERIFY(settle(f));

    Form1 *w = f.form.get();
    QCOMPARE(w->Combo1->currentText(), unit);
    QCOMPARE(w->Dev.UnitName, unit);
    for (QLabel *l : w->Label9)
        QCOMPARE(l->text(), unit);
    if (!zero.isEmpty()) QCOMPARE(w->Text4->text(), local(zero));
    if (!span.isEmpty()) QCOMPARE(w->Text5->text(), local(span));
    QCOMPARE(w->Text6->text(), local(dampingText));
    QCOMPARE(w->Option1[0]->isChecked(), option == 0);
    QCOMPARE(w->Option1[1]->isChecked(), option == 1);
    QCOMPARE(w->StatusPanel[1]->text(), QStringLiteral("Transmitter Serialnumber: ") + serialText);
    QCOMPARE(w->Command2->text(), QStringLiteral("Re&fresh"));
    QVERIFY(f.boxes().isEmpty());
}

void TestRequestProcedures::writeTag_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");

    // clang-format off
    QTest::newRow("short tag padded") << "ABC" << "ABC     ";
    QTest::newRow("ten letters cut") << "ABCDEFGHIJ" << "ABCDEFGH";
    QTest::newRow("exactly eight") << "TANK-007" << "TANK-007";
    QTest::newRow("empty") << "" << "        ";
    // clang-format on
}

void TestRequestProcedures::writeTag() {
    QFETCH(QString, typed);
    QFETCH(QString, sent);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    ProgressLog log;
    log.attach(w);
    w->Text7->setText(typed);
    w->session->SendWriteTag();
    QCOMPARE(w->Dev.Tag.left(8), sent);
    QCOMPARE(MousePointer(), int(vbHourglass));
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), QList<int>{18});
    const QByteArray request = f.lastRequestData(18);
    QCOMPARE(request.size(), 21);
    QCOMPARE(request.left(6), hart::packAscii(sent, 6));
    // Descriptor and date go back exactly as the transmitter gave them.
    QCOMPARE(request.mid(6, 12), hart::packAscii(QStringLiteral("WELL 3 LEVEL"), 12));
    QCOMPARE(request.mid(18, 3), QByteArray("\x07\x0C\x7E", 3));
    QCOMPARE(f.device.config().tag, sent.trimmed());
    QCOMPARE(f.device.config().descriptor, QStringLiteral("WELL 3 LEVEL"));
    QCOMPARE(log.values(), (QList<int>{0, 25, 45}));
    QVERIFY(w->Timer2->isActive());
}

void TestRequestProcedures::writeTagBeforeAnyRead() {
    // Nothing read yet: descriptor and date would go out blank and wipe the transmitter's.
    GuiFixture f;
    f.form->Text7->setText(QStringLiteral("ABC"));
    f.form->session->SendWriteTag();
    QCOMPARE(f.boxes().size(), 1);
    QVERIFY(f.boxes().first().prompt.startsWith(QStringLiteral("Cannot send the tag")));
    QVERIFY(nothingWentOut(f));
}

void TestRequestProcedures::writeUnitAndRange_data() {
    QTest::addColumn<int>("unitIndex");
    QTest::addColumn<QString>("zero");
    QTest::addColumn<QString>("span");
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");

    // clang-format off
    QTest::newRow("mH2O, decimal comma") << 11 << "0,5" << "2" << 240 << 0.5 << 2.5;
    QTest::newRow("bar") << 5 << "0.25" << "1" << 7 << 0.25 << 1.25;
    QTest::newRow("zero read up to its unit") << 11 << "0,5 m" << "4" << 240 << 0.5 << 4.5;
    QTest::newRow("comma in the span") << 11 << "0.75" << "3,5" << 240 << 0.75 << 4.25;
    // clang-format on
}

void TestRequestProcedures::writeUnitAndRange() {
    QFETCH(int, unitIndex);
    QFETCH(QString, zero);
    QFETCH(QString, span);
    QFETCH(int, code);
    QFETCH(double, lower);
    QFETCH(double, upper);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    w->SetCombo1ListIndex(unitIndex);
    w->Text4->setText(zero);
    w->Text5->setText(span);
    ProgressLog log;
    log.attach(w);
    w->session->SendWriteUnit();
    QCOMPARE(MousePointer(), int(vbHourglass));
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), (QList<int>{44, 35}));
    QCOMPARE(f.lastRequestData(44), QByteArray(1, char(code)));
    QCOMPARE(f.lastRequestData(35),
             QByteArray(1, char(code)) + floatBytes(float(upper)) + floatBytes(float(lower)));
    QCOMPARE(w->Dev.LowerRangeValue, lower);
    QCOMPARE(w->Dev.UpperRangeValue, upper);
    QCOMPARE(int(f.device.config().unitCode), code);
    QCOMPARE(f.device.config().lowerRange, float(lower));
    QCOMPARE(f.device.config().upperRange, float(upper));
    QCOMPARE(log.values(), (QList<int>{0, 5, 45, 65, 100}));
    QVERIFY(w->Timer2->isActive());
    QVERIFY(f.boxes().isEmpty());
}

void TestRequestProcedures::writeUnitRefused_data() {
    QTest::addColumn<int>("unitIndex"); // -1: the empty name an unknown unit code leaves
    QTest::addColumn<QString>("zero");
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("message"); // start of the message

    // clang-format off
    QTest::newRow("unit Unknown") << 12 << "1" << "2" << "Cannot send, Unit Unkown";
    QTest::newRow("unit name empty") << -1 << "1" << "2" << "Cannot send, Unit Unkown";
    QTest::newRow("zero beyond a single") << 11 << "1e39" << "1" << "Cannot send, the zero or";
    QTest::newRow("upper end beyond a single") << 11 << "3e38" << "3e38"
        << "Cannot send, the zero or";
    QTest::newRow("span infinite") << 11 << "0" << "1e400" << "Cannot send, the zero or";
    // clang-format on
}

void TestRequestProcedures::writeUnitRefused() {
    QFETCH(int, unitIndex);
    QFETCH(QString, zero);
    QFETCH(QString, span);
    QFETCH(QString, message);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    SetMousePointer(vbDefault);
    w->ProgressBar1->setValue(0);
    if (unitIndex < 0)
        w->Dev.UnitName.clear();
    else
        w->SetCombo1ListIndex(unitIndex);
    w->Text4->setText(zero);
    w->Text5->setText(span);
    const DeviceRecord before = w->Dev;
    w->session->SendWriteUnit();

    QCOMPARE(f.boxes().size(), 1);
    QVERIFY2(f.boxes().first().prompt.startsWith(message), qPrintable(f.boxes().first().prompt));
    QCOMPARE(f.boxes().first().buttons, int(vbOKOnly));
    QCOMPARE(f.boxes().first().title, kAppTitle);
    QCOMPARE(MousePointer(), int(vbDefault));
    QCOMPARE(w->ProgressBar1->value(), 0);
    QCOMPARE(w->Dev.LowerRangeValue, before.LowerRangeValue);
    QCOMPARE(w->Dev.UpperRangeValue, before.UpperRangeValue);
    QVERIFY(nothingWentOut(f));
}

void TestRequestProcedures::writeDampingThenDirection_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("option");
    QTest::addColumn<double>("damping");

    // clang-format off
    QTest::newRow("2,5 s rising") << "2,5" << 0 << 2.5;
    QTest::newRow("0.4 s falling") << "0.4" << 1 << 0.4;
    QTest::newRow("damping read up to its unit") << "1 s" << 0 << 1.0;
    // clang-format on
}

void TestRequestProcedures::writeDampingThenDirection() {
    QFETCH(QString, typed);
    QFETCH(int, option);
    QFETCH(double, damping);

    GuiFixture f;
    f.device.config().outputDirection = quint8(1 - option);
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    w->Text6->setText(typed);
    w->Option1[std::size_t(option)]->setChecked(true);
    ProgressLog log;
    log.attach(w);
    w->session->SendWriteDamping();
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), (QList<int>{34, 152}));
    QCOMPARE(f.lastRequestData(34), floatBytes(float(damping)));
    QCOMPARE(f.lastRequestData(152), QByteArray(1, char(option)));
    QCOMPARE(w->Dev.Damping, damping);
    QCOMPARE(f.device.config().damping, float(damping));
    QCOMPARE(int(f.device.config().outputDirection), option);
    QCOMPARE(log.values(), (QList<int>{0, 5, 45, 65, 100}));
    QVERIFY(w->Timer2->isActive());
}

void TestRequestProcedures::writeDampingRefused_data() {
    QTest::addColumn<float>("readDamping");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("typed"); // null: left as shown
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("no direction selected") << 0.4f << 9 << QString() << "Cannot send, no output";
    QTest::newRow("damping read as NaN, left as shown") << kNaN << 0 << QString()
        << "Cannot send, the damping read";
    QTest::newRow("damping beyond a single") << 0.4f << 0 << "5e38" << "Cannot send, the damping";
    // clang-format on
}

void TestRequestProcedures::writeDampingRefused() {
    QFETCH(float, readDamping);
    QFETCH(int, direction);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    GuiFixture f;
    f.device.config().damping = readDamping;
    f.device.config().outputDirection = quint8(direction);
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    if (!typed.isNull()) w->Text6->setText(typed);
    const double before = w->Dev.Damping;
    w->session->SendWriteDamping();

    QCOMPARE(f.boxes().size(), 1);
    QVERIFY2(f.boxes().first().prompt.startsWith(message), qPrintable(f.boxes().first().prompt));
    QVERIFY(nothingWentOut(f));
    QCOMPARE(std::isnan(w->Dev.Damping), std::isnan(before));
    if (!std::isnan(before)) QCOMPARE(w->Dev.Damping, before);

    // Once the user has given a value and a direction, the same button sends both.
    w->Text6->setText(QStringLiteral("1"));
    w->Option1[1]->setChecked(true);
    w->session->SendWriteDamping();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), (QList<int>{34, 152}));
    QCOMPARE(f.device.config().damping, 1.0f);
    QCOMPARE(int(f.device.config().outputDirection), 1);
}

void TestRequestProcedures::mountingEffect_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed"); // typed over the chosen entry; null: nothing typed
    QTest::addColumn<int>("byte");      // -1: nothing sent
    QTest::addColumn<float>("offset");  // the transmitter's offset afterwards

    // clang-format off
    QTest::newRow("Esc") << 0 << QString() << -1 << 1.0f;
    QTest::newRow("Reset") << 1 << QString() << 0 << 0.0f;
    QTest::newRow("Set") << 2 << QString() << 1 << 3.25f;
    QTest::newRow("text typed over Set") << 2 << "Sett" << -1 << 1.0f;
    // clang-format on
}

void TestRequestProcedures::mountingEffect() {
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(int, byte);
    QFETCH(float, offset);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    if (!typed.isNull() && !w->Combo2->isEditable())
        QSKIP("the mounting-effect list takes no typed text");
    f.device.config().mountingOffset = 1.0f;
    f.device.setAppliedPressure(3.25);
    w->Combo2->setCurrentIndex(index);
    if (!typed.isNull()) w->Combo2->setEditText(typed);
    ProgressLog log;
    log.attach(w);
    w->session->SendMountingEffect();
    QVERIFY(f.waitIdle());

    if (byte < 0) {
        QVERIFY(f.device.trace().isEmpty());
        QCOMPARE(MousePointer(), int(vbDefault));
        QVERIFY(log.steps.isEmpty());
        QVERIFY(!w->Timer2->isActive());
    } else {
        QCOMPARE(f.commandsSeen(), QList<int>{150});
        QCOMPARE(f.lastRequestData(150), QByteArray(1, char(byte)));
        QCOMPARE(MousePointer(), int(vbHourglass));
        QCOMPARE(log.values(), QList<int>{100});
        QVERIFY(w->Timer2->isActive());
    }
    QCOMPARE(f.device.config().mountingOffset, offset);
}

void TestRequestProcedures::fixedCurrent() {
    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    ProgressLog log;
    log.attach(w);

    w->Text8->setText(QStringLiteral("12,5"));
    w->session->SendFixedCurrentOn();
    QCOMPARE(w->Command5->text(), QStringLiteral("Abort"));
    QCOMPARE(MousePointer(), int(vbArrowHourglass));
    QVERIFY(f.waitIdle());
    QCOMPARE(f.lastRequestData(40), floatBytes(12.5f));
    QVERIFY(f.device.config().fixedCurrent.has_value());
    QCOMPARE(*f.device.config().fixedCurrent, 12.5f);
    QVERIFY(!w->Timer5->isActive()); // monitoring is off

    w->session->SendFixedCurrentOff();
    QCOMPARE(w->Command5->text(), QStringLiteral("Send"));
    QCOMPARE(MousePointer(), int(vbDefault));
    QVERIFY(f.waitIdle());
    QCOMPARE(f.lastRequestData(40), floatBytes(0.0f));
    QVERIFY(!f.device.config().fixedCurrent.has_value());
    QVERIFY(log.steps.isEmpty());

    // A current no 4-byte float can carry is not sent as infinity.
    f.device.clearTrace();
    w->Text8->setText(QStringLiteral("1e39"));
    w->session->SendFixedCurrentOn();
    QCOMPARE(f.boxes().size(), 1);
    QCOMPARE(w->Command5->text(), QStringLiteral("Send"));
    QCOMPARE(MousePointer(), int(vbDefault));
    QVERIFY(nothingWentOut(f));
}

QTEST_MAIN(TestRequestProcedures)
#include "test_request_procedures.moc"
