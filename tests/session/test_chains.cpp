// The main window's chains, run by the session on the simulated transmitter: one row is what the
// user did and how the transmitter answered; out come the requests on the wire, the boxes asked,
// what the window was told, and what the device record and the transmitter hold.
#include "chain_session_helper.h"
#include "hart/hart_replies.h"

#include "hart/link/hart_codec.h"
#include "hart/link/hart_line.h"
#include "records/from_replies.h"
#include "sim/sim_line.h"
#include "window/result_rules.h"

#include <QElapsedTimer>
#include <QtTest>

#include <limits>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

using L = QStringList;
using Answers = QList<int>;

const L kRead{"0", "13", "15", "14", "129"};
const L kReadShown{"panels 0", "data"};
const QString kBusyBox = QStringLiteral("Error|Transmitter is Busy, Aborting Send Process");
const QString kNoDevice = QStringLiteral("No Device|No Device Response!!!! Connect transmitter?");

QString tagReq(const char *tag) {
    return req(18, hart::packAscii(QString::fromLatin1(tag), 6) +
                       hart::packAscii(QStringLiteral("WELL 3 LEVEL"), 12) +
                       QByteArray("\x07\x0C\x7E", 3));
}

QString rangeReq(int unit, float upper, float lower) {
    return req(35,
               QByteArray(1, char(unit)) + hart::encodeSingle(upper) + hart::encodeSingle(lower));
}

QString byteReq(int command, int value) {
    return req(command, QByteArray(1, char(value)));
}

L times(int n, const QString &request) {
    L out;
    for (int i = 0; i < n; ++i)
        out << request;
    return out;
}

QString pressureBox(const char *value) {
    return QStringLiteral("Continue??|Current Pressure value is: ") +
           local(QString::fromLatin1(value)) + QStringLiteral(" mH2O. Continue??");
}

void columns() {
    QTest::addColumn<L>("device"); // before the transmitter is read (ChainRig's constructor)
    QTest::addColumn<L>("steps");  // ChainRig::step
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<L>("wire");
    QTest::addColumn<L>("asked"); // "title|prompt", each the start of the box's text
    QTest::addColumn<L>("told");
    QTest::addColumn<L>("holds"); // ChainRig::probe
}

} // namespace

class TestChains : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads() { run(); }
    void writes_data();
    void writes() { run(); }
    void replies_data();
    void replies() { run(); }
    void outputAndTimers_data();
    void outputAndTimers() { run(); }
    void checkResponseCode_data();
    void checkResponseCode();
    void serialPrefix_data();
    void serialPrefix();
    void outputBar_data();
    void outputBar();
    void longMonitoringStaysOneAtATime();

private:
    void run();
};

void TestChains::run() {
    QFETCH(L, device);
    QFETCH(L, steps);
    QFETCH(Answers, answers);
    QFETCH(L, wire);
    QFETCH(L, asked);
    QFETCH(L, told);
    QFETCH(L, holds);

    ChainRig rig(device);
    rig.user.answers.assign(answers.begin(), answers.end());
    for (const QString &s : steps)
        QVERIFY2(rig.step(s), qPrintable(s));
    QVERIFY(rig.waitIdle());

    QCOMPARE(rig.wire(), wire);
    QCOMPARE(rig.user.asked.size(), asked.size());
    for (int i = 0; i < asked.size(); ++i)
        QVERIFY2(rig.user.asked[i].startsWith(asked[i]), qPrintable(rig.user.asked[i]));
    QCOMPARE(rig.view.told, told);
    for (const QString &h : holds)
        QCOMPARE(rig.probe(h.section(QLatin1Char('='), 0, 0)), h);
}

void TestChains::reads_data() {
    columns();
    // clang-format off
    QTest::newRow("factory settings") << L{"noread", "serial=1801234"} << L{"identify"} << Answers{}
        << kRead << L{} << kReadShown
        << L{"dev.unit=mH2O", "dev.lower=0", "dev.upper=10", "dev.damping=0.4", "dev.direction=0",
             "dev.serial=6801234", "dev.tag=LT-101  ", "timer1=1"};
    QTest::newRow("bar, falling output") << L{"noread", "unit=7", "upper=1.5", "lower=0.25",
        "damping=2", "direction=1", "serial=480000"} << L{"identify"} << Answers{} << kRead << L{}
        << kReadShown << L{"dev.unit=Bar", "dev.lower=0.25", "dev.upper=1.5", "dev.damping=2",
                           "dev.direction=1", "dev.serial=2480000"};
    // A unit code outside the table leaves no name, which no write sends as a unit.
    QTest::newRow("unit code outside the table, direction without a button")
        << L{"noread", "unit=200", "direction=7"} << L{"identify"} << Answers{} << kRead << L{}
        << kReadShown << L{"dev.unit=", "dev.direction=7"};
    QTest::newRow("values that are no number") << L{"noread", "upper=nan", "damping=inf"}
        << L{"identify"} << Answers{} << kRead << L{} << kReadShown
        << L{"dev.upper=nan", "dev.damping=inf"};
    QTest::newRow("Timer1 shows the panels and reads the output once, without data")
        << L{"noread"} << L{"identify", "wait", "tag=T", "tag", "wait", "tick1"} << Answers{}
        << kRead + L{tagReq("T       "), "2"} << L{}
        << kReadShown + L{"tag T", "panels 1"} << L{"timer1=0", "timer5=0", "pointer=0"};
    QTest::newRow("another maker: the program ends, a poll written behind it is not acted on")
        << L{"noread", "maker=38"} << L{"monitoring=1", "identify", "raw 2"} << Answers{}
        << L{"0", "2"} << L{"|No ZANU transmitter!! Programm will abort!!"} << L{"panels 0", "end"}
        << L{"dev.maker=38", "timer1=0", "timer5=0"};
    // A procedure written after a tag write must not send the tag write's 21 bytes.
    QTest::newRow("after a tag write: identify") << L{} << L{"tag=T", "tag", "wait", "identify"}
        << Answers{} << L{tagReq("T       ")} + kRead << L{} << L{"tag T"} + kReadShown << L{};
    QTest::newRow("after a tag write: read tag") << L{} << L{"tag=T", "tag", "wait", "readTag"}
        << Answers{} << L{tagReq("T       "), "13", "15", "14", "129"} << L{} << L{"tag T", "data"}
        << L{};
    QTest::newRow("after a tag write: read output info") << L{}
        << L{"tag=T", "tag", "wait", "readInfo"} << Answers{}
        << L{tagReq("T       "), "15", "14", "129"} << L{} << L{"tag T", "data"} << L{};
    QTest::newRow("after a tag write: read sensor limits") << L{}
        << L{"tag=T", "tag", "wait", "readLimits"} << Answers{}
        << L{tagReq("T       "), "14", "129"} << L{} << L{"tag T", "data"} << L{};
    QTest::newRow("after a tag write: read output direction") << L{}
        << L{"tag=T", "tag", "wait", "readDirection"} << Answers{}
        << L{tagReq("T       "), "129"} << L{} << L{"tag T", "data"} << L{};
    QTest::newRow("after a tag write: read pressure") << L{"pressure=2"}
        << L{"tag=T", "tag", "wait", "pressure"} << Answers{int(Decisions::Cancel)}
        << L{tagReq("T       "), "3"} << L{pressureBox("2.0")} << L{"tag T"} << L{};
    QTest::newRow("after a tag write: set upper range") << L{"pressure=2"}
        << L{"tag=T", "tag", "wait", "setUpper"} << Answers{} << L{tagReq("T       "), "36"}
        << L{} << L{"tag T"} << L{"sim.upper=2", "timer4=1"};
    QTest::newRow("after a tag write: set lower range") << L{"pressure=2"}
        << L{"tag=T", "tag", "wait", "setLower"} << Answers{} << L{tagReq("T       "), "37"}
        << L{} << L{"tag T"} << L{"sim.lower=2", "timer4=1"};
    // clang-format on
}

void TestChains::writes_data() {
    columns();
    // clang-format off
    // The tag goes out as the transmitter will hold it; descriptor and date as they were read.
    QTest::newRow("tag padded") << L{} << L{"tag=ABC", "tag"} << Answers{}
        << L{tagReq("ABC     ")} << L{} << L{"tag ABC"} << L{"sim.tag=ABC", "timer2=1"};
    QTest::newRow("tag of ten cut to eight") << L{} << L{"tag=ABCDEFGHIJ", "tag"} << Answers{}
        << L{tagReq("ABCDEFGH")} << L{} << L{"tag ABCDEFGH"} << L{"sim.tag=ABCDEFGH"};
    QTest::newRow("tag empty") << L{} << L{"tag=", "tag"} << Answers{} << L{tagReq("        ")}
        << L{} << L{"tag "} << L{"sim.tag="};
    QTest::newRow("tag in lower case with what packed ASCII cannot hold") << L{}
        << L{"tag=tank~12345", "tag"} << Answers{} << L{tagReq("TANK?123")} << L{}
        << L{"tag TANK?123"} << L{"sim.tag=TANK?123"};
    QTest::newRow("tag before any read would blank the descriptor") << L{"noread"}
        << L{"tag=ABC", "tag"} << Answers{} << L{} << L{"|Cannot send the tag yet"} << L{}
        << L{"sim.tag=LT-101"};

    QTest::newRow("unit and range, decimal comma") << L{} << L{"zero=0,5", "span=2", "unit"}
        << Answers{} << L{byteReq(44, 240), rangeReq(240, 2.5f, 0.5f)} << L{} << L{}
        << L{"dev.lower=0.5", "dev.upper=2.5", "sim.lower=0.5", "sim.upper=2.5", "timer2=1"};
    QTest::newRow("unit and range in bar, zero read up to its unit") << L{}
        << L{"dev.unit=Bar", "zero=0.25 bar", "span=1", "unit"} << Answers{}
        << L{byteReq(44, 7), rangeReq(7, 1.25f, 0.25f)} << L{} << L{}
        << L{"sim.unit=7", "sim.lower=0.25", "sim.upper=1.25"};
    QTest::newRow("unit Unknown") << L{} << L{"dev.unit=Unknown", "zero=1", "span=2", "unit"}
        << Answers{} << L{} << L{"|Cannot send, Unit Unkown"} << L{}
        << L{"dev.lower=0", "dev.upper=10", "progress=0", "pointer=0"};
    QTest::newRow("unit name outside the table") << L{} << L{"dev.unit=", "zero=1", "span=2", "unit"}
        << Answers{} << L{} << L{"|Cannot send, Unit Unkown"} << L{} << L{};
    QTest::newRow("zero beyond a single") << L{} << L{"zero=1e39", "span=1", "unit"} << Answers{}
        << L{} << L{"|Cannot send, the zero or the span is too large"} << L{}
        << L{"dev.lower=0", "dev.upper=10"};
    QTest::newRow("upper end beyond a single") << L{} << L{"zero=3e38", "span=3e38", "unit"}
        << Answers{} << L{} << L{"|Cannot send, the zero or the span is too large"} << L{} << L{};
    QTest::newRow("span infinite") << L{} << L{"zero=0", "span=1e400", "unit"} << Answers{}
        << L{} << L{"|Cannot send, the zero or the span is too large"} << L{} << L{};
    QTest::newRow("span without a number") << L{} << L{"zero=0", "span=abc", "unit"} << Answers{}
        << L{} << L{"|Cannot send, \"span\" holds no number"} << L{} << L{};
    QTest::newRow("span read as NaN, left as shown") << L{"upper=nan"}
        << L{"zero=0.00", "span=NaN", "unit"} << Answers{} << L{}
        << L{"|Cannot send, the measuring range read"} << L{} << L{};
    QTest::newRow("span read as NaN, typed over") << L{"upper=nan"}
        << L{"zero=0", "span=4", "unit"} << Answers{}
        << L{byteReq(44, 240), rangeReq(240, 4, 0)} << L{} << L{} << L{"sim.upper=4"};
    // The fields stay editable while the unit is on its way.
    QTest::newRow("unit made Unknown while the unit goes out") << L{}
        << L{"zero=1", "span=5", "unit", "dev.unit=Unknown"} << Answers{}
        << L{byteReq(44, 240)} << L{"|Cannot send, Unit Unkown"} << L{}
        << L{"progress=0", "pointer=0", "timer2=0", "sim.lower=0"};

    QTest::newRow("damping 2,5 s, rising") << L{"direction=1"}
        << L{"damping=2,5", "direction=0", "damping"} << Answers{}
        << L{req(34, hart::encodeSingle(2.5f)), byteReq(152, 0)} << L{} << L{}
        << L{"dev.damping=2.5", "sim.damping=2.5", "sim.direction=0", "timer2=1"};
    QTest::newRow("damping 0.4 s, falling") << L{}
        << L{"damping=0.4", "direction=1", "damping"} << Answers{}
        << L{req(34, hart::encodeSingle(0.4f)), byteReq(152, 1)} << L{} << L{}
        << L{"sim.damping=0.4", "sim.direction=1"};
    QTest::newRow("damping, no direction selected") << L{}
        << L{"damping=1", "direction=-1", "damping"} << Answers{} << L{}
        << L{"|Cannot send, no output direction"} << L{} << L{"dev.damping=0.4"};
    QTest::newRow("damping read as NaN, left as shown") << L{"damping=nan"}
        << L{"damping=NaN", "damping"} << Answers{} << L{}
        << L{"|Cannot send, the damping read"} << L{} << L{"dev.damping=nan"};
    QTest::newRow("damping beyond a single") << L{} << L{"damping=5e38", "damping"} << Answers{}
        << L{} << L{"|Cannot send, the damping is too large"} << L{} << L{"dev.damping=0.4"};
    QTest::newRow("direction unselected while the damping goes out") << L{}
        << L{"damping=1", "damping", "direction=-1"} << Answers{} << L{req(34, hart::encodeSingle(1))}
        << L{"|Cannot send, no output direction"} << L{}
        << L{"progress=0", "pointer=0", "timer2=0", "sim.direction=0"};

    // "Reset" (1) clears the correction, "Set" (2) takes the pressure applied now.
    QTest::newRow("mounting effect Esc") << L{"offset=1", "pressure=3.25"}
        << L{"mounting=0", "mounting"} << Answers{} << L{} << L{} << L{}
        << L{"sim.offset=1", "timer2=0", "pointer=0"};
    QTest::newRow("mounting effect Reset") << L{"offset=1", "pressure=3.25"}
        << L{"mounting=1", "mounting"} << Answers{} << L{byteReq(150, 0)} << L{} << L{}
        << L{"sim.offset=0", "timer2=1"};
    QTest::newRow("mounting effect Set") << L{"offset=1", "pressure=3.25"}
        << L{"mounting=2", "mounting"} << Answers{} << L{byteReq(150, 1)} << L{} << L{}
        << L{"sim.offset=3.25", "timer2=1"};
    QTest::newRow("mounting effect, text typed over the entry") << L{"offset=1"}
        << L{"mounting=-1", "mounting"} << Answers{} << L{} << L{} << L{} << L{"sim.offset=1"};

    QTest::newRow("fixed current on, then off") << L{}
        << L{"current=12,5", "on", "wait", "off"} << Answers{}
        << L{req(40, hart::encodeSingle(12.5f)), req(40, hart::encodeSingle(0))} << L{} << L{"caption Abort", "caption Send"}
        << L{"sim.fixed=none", "pointer=0"};
    QTest::newRow("fixed current too large for a single") << L{} << L{"current=1e39", "on"}
        << Answers{} << L{} << L{"|Cannot send, the fixed current is too large"} << L{}
        << L{"pointer=0"};
    // clang-format on
}

void TestChains::replies_data() {
    columns();
    const Answers retry{int(Decisions::Retry)};
    // clang-format off
    QTest::newRow("busy 9 times, then done: every resend as it was") << L{}
        << L{"busy 9", "damping=3", "damping"} << Answers{}
        << times(10, req(34, hart::encodeSingle(3))) + L{byteReq(152, 0)} << L{} << L{}
        << L{"sim.damping=3", "dev.busy=0", "timer2=1"};
    QTest::newRow("busy 10 times: aborted") << L{} << L{"busy 10", "damping=3", "damping"}
        << Answers{} << times(10, req(34, hart::encodeSingle(3))) << L{kBusyBox} << L{}
        << L{"sim.damping=0.4", "dev.busy=0", "timer2=0", "progress=0", "pointer=0"};
    QTest::newRow("33 has the busy bit") << L{} << L{"code 18:33", "tag=NEW", "tag"} << Answers{}
        << times(10, tagReq("NEW     ")) << L{kBusyBox} << L{"tag NEW"} << L{"dev.busy=0"};
    QTest::newRow("96 has the busy bit") << L{} << L{"code 18:96", "tag=NEW", "tag"} << Answers{}
        << times(10, tagReq("NEW     ")) << L{kBusyBox} << L{"tag NEW"} << L{};
    QTest::newRow("16 is no busy") << L{} << L{"code 18:16", "tag=NEW", "tag"} << Answers{}
        << L{tagReq("NEW     ")} + kRead << L{"Error|Access Restricted"}
        << L{"tag NEW"} + kReadShown << L{"sim.tag=LT-101"};
    QTest::newRow("64 is no busy") << L{} << L{"code 18:64", "tag=NEW", "tag"} << Answers{}
        << L{tagReq("NEW     ")} + kRead << L{"Error|Command Not Implemented"}
        << L{"tag NEW"} + kReadShown << L{};
    // 4 busy to the tag, no answer, Retry, 6 busy to the identification: ten in a row as far as
    // the count goes, since a missing answer does not clear it.
    QTest::newRow("a missing answer keeps the busy count") << L{}
        << L{"busy 4", "at 5 silent 1", "at 6 busy 6", "tag=NEW", "tag"} << retry
        << times(5, tagReq("NEW     ")) + times(6, "0") << L{kNoDevice, kBusyBox}
        << L{"tag NEW", "connect", "panels 0"} << L{"dev.busy=0", "progress=0", "pointer=0"};

    QTest::newRow("no answer to the range, Retry reads again") << L{}
        << L{"at 2 silent 1", "zero=1", "span=5", "unit"} << retry
        << L{byteReq(44, 240), rangeReq(240, 6, 1)} + kRead << L{kNoDevice}
        << L{"connect"} + kReadShown << L{"detail=1", "sim.upper=10", "timer1=1"};
    QTest::newRow("no answer in the read, Retry reads again") << L{"noread"}
        << L{"at 4 silent 1", "identify"} << retry << L{"0", "13", "15", "14"} + kRead
        << L{kNoDevice} << L{"panels 0", "connect"} + kReadShown << L{"timer1=1"};
    QTest::newRow("no answer, Cancel") << L{} << L{"silent 1", "tag=NEW", "tag"} << Answers{}
        << L{tagReq("NEW     ")} << L{kNoDevice} << L{"tag NEW"}
        << L{"progress=0", "pointer=0", "timer2=0", "timer1=0"};

    // An error reply shows its message and reads the transmitter again; the chain goes no
    // further, wherever in it the reply came.
    QTest::newRow("35 refused: lower range too high") << L{}
        << L{"once 35:9", "zero=1", "span=5", "unit"} << Answers{}
        << L{byteReq(44, 240), rangeReq(240, 6, 1)} + kRead << L{"Error|Lowerrange too high"}
        << kReadShown << L{"sim.lower=0", "timer1=1", "timer2=0"};
    QTest::newRow("35: span too small") << L{} << L{"once 35:14", "zero=1", "span=5", "unit"}
        << Answers{} << L{byteReq(44, 240), rangeReq(240, 6, 1)} + kRead
        << L{"Error|Span too Small"} << kReadShown << L{};
    QTest::newRow("44: write protected") << L{} << L{"once 44:7", "zero=1", "span=5", "unit"}
        << Answers{} << L{byteReq(44, 240)} + kRead << L{"Error|In Write Protect Mode"}
        << kReadShown << L{"sim.upper=10"};
    QTest::newRow("18: set to nearest value") << L{} << L{"once 18:8", "tag=NEW", "tag"}
        << Answers{} << L{tagReq("NEW     ")} + kRead << L{"Error|Set to Nearest Value"}
        << L{"tag NEW"} + kReadShown << L{"dev.tag=LT-101  "};
    QTest::newRow("152: invalid selection") << L{} << L{"once 152:2", "damping=1.5", "damping"}
        << Answers{} << L{req(34, hart::encodeSingle(1.5f)), byteReq(152, 0)} + kRead
        << L{"Error|Invalid selection"} << kReadShown << L{};
    QTest::newRow("37: pushed the upper end over the limit") << L{"pressure=3.25"}
        << L{"once 37:14", "dev.pending=37", "pressure"} << Answers{} << L{"3", "37"} + kRead
        << L{pressureBox("3.25"), "Error|New LRV pushed URV over USL"} << kReadShown
        << L{"sim.lower=0"};
    QTest::newRow("14 in the read: transmitter command error") << L{"noread"}
        << L{"once 14:6", "identify"} << Answers{} << L{"0", "13", "15", "14"} + kRead
        << L{"Error|Transmitter Specific Command Error"} << L{"panels 0"} + kReadShown << L{};
    QTest::newRow("38, a command without a step of its own") << L{} << L{"once 38:5", "raw 38"}
        << Answers{} << L{"38"} + kRead << L{"Error|Too Few Databytes Received"} << kReadShown
        << L{};

    QTest::newRow("pressure OK sets the lower end, Timer4 reads again") << L{"pressure=3.25"}
        << L{"dev.pending=37", "pressure", "wait", "tick4"} << Answers{}
        << L{"3", "37"} + kRead << L{pressureBox("3.25")} << L{"bar reset"} + kReadShown
        << L{"sim.lower=3.25", "dev.lower=3.25", "timer1=1", "timer4=0"};
    QTest::newRow("pressure OK sets the upper end") << L{"pressure=3.25"}
        << L{"dev.pending=36", "pressure"} << Answers{} << L{"3", "36"} << L{pressureBox("3.25")}
        << L{} << L{"sim.upper=3.25", "timer4=1"};
    QTest::newRow("pressure OK without a pending end") << L{"pressure=3.25"}
        << L{"dev.pending=0", "pressure"} << Answers{} << L{"3"} << L{pressureBox("3.25")} << L{}
        << L{"progress=0", "pointer=0", "timer4=0"};
    QTest::newRow("pressure Cancel sends nothing") << L{"pressure=3.25"}
        << L{"dev.pending=37", "pressure"} << Answers{int(Decisions::Cancel)} << L{"3"}
        << L{pressureBox("3.25")} << L{} << L{"sim.lower=0", "progress=0", "pointer=0"};
    QTest::newRow("pressure that is no number") << L{"offset=nan"}
        << L{"dev.pending=37", "pressure"} << Answers{int(Decisions::Cancel)} << L{"3"}
        << L{"Continue??|Current Pressure value is: NaN mH2O. Continue??"} << L{} << L{};
    // clang-format on
}

void TestChains::outputAndTimers_data() {
    columns();
    const QString poll = QStringLiteral("output 12.000 50.0"); // 5 mH2O on 0..10
    const L half{"pressure=5"};
    // clang-format off
    QTest::newRow("On after a write: the poll goes without its data") << half
        << L{"current=4", "on", "wait", "off", "wait", "monitoring=1", "monitor"} << Answers{}
        << L{req(40, hart::encodeSingle(4)), req(40, hart::encodeSingle(0)), "2"} << L{}
        << L{"caption Abort", "caption Send", poll} << L{"timer5=1"};
    QTest::newRow("a poll's reply arms the next") << half
        << L{"monitoring=1", "monitor", "wait", "tick5"} << Answers{} << L{"2", "2"} << L{}
        << L{poll, poll} << L{"timer5=1"};
    QTest::newRow("Off while a poll is out: its reply starts no other") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "monitoring=0", "stop"} << Answers{}
        << L{"2", "2"} << L{} << L{poll, "clear"} << L{"timer5=0"};
    QTest::newRow("a poll with monitoring off shows nothing") << half << L{"tick5"} << Answers{}
        << L{"2"} << L{} << L{} << L{"timer5=0"};
    QTest::newRow("Timer1 with monitoring on shows the output and polls on") << half
        << L{"monitoring=1", "tick1"} << Answers{} << L{"2"} << L{} << L{"panels 1", poll}
        << L{"timer5=1"};
    QTest::newRow("Timer2 ends a write, monitoring on resumes") << L{}
        << L{"monitoring=1", "tick2"} << Answers{} << L{} << L{} << L{}
        << L{"timer5=1", "pointer=0", "progress=0"};
    QTest::newRow("Timer2 ends a write, monitoring off stays off") << L{} << L{"tick2"}
        << Answers{} << L{} << L{} << L{} << L{"timer5=0"};
    QTest::newRow("Timer4 resets the output bar and reads again") << L{} << L{"tick4"}
        << Answers{} << kRead << L{} << L{"bar reset"} + kReadShown << L{"timer1=1"};

    // Enter in the simulation's field takes only a current a loop can carry, or 0.
    QTest::newRow("Enter 4.00 starts") << L{} << L{"current=4.00", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(4))} << L{} << L{"caption Abort"} << L{"sim.fixed=4", "pointer=2"};
    QTest::newRow("Enter 3.9 is ignored") << L{} << L{"current=3.9", "enter"} << Answers{} << L{}
        << L{} << L{} << L{"sim.fixed=none"};
    QTest::newRow("Enter 20.1 is ignored") << L{} << L{"current=20.1", "enter"} << Answers{}
        << L{} << L{} << L{} << L{};
    QTest::newRow("Enter 3.91 is taken") << L{} << L{"current=3.91", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(3.91f))} << L{} << L{"caption Abort"} << L{};
    QTest::newRow("Enter 20.09 is taken") << L{} << L{"current=20.09", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(20.09f))} << L{} << L{"caption Abort"} << L{};
    QTest::newRow("Enter 12,5 changes a running one") << L{}
        << L{"current=4", "enter", "wait", "current=12,5", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(4)), req(40, hart::encodeSingle(12.5f))} << L{} << L{"caption Abort", "caption Abort"}
        << L{"sim.fixed=12.5"};
    QTest::newRow("Enter 0 ends a running one") << L{}
        << L{"current=4", "enter", "wait", "current=0", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(4)), req(40, hart::encodeSingle(0))} << L{} << L{"caption Abort", "caption Send"}
        << L{"sim.fixed=none", "pointer=0"};
    QTest::newRow("Enter 25 leaves a running one running") << L{}
        << L{"current=4", "enter", "wait", "current=25", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(4))} << L{} << L{"caption Abort"} << L{"sim.fixed=4"};
    QTest::newRow("Enter on text without a number is no 0") << L{}
        << L{"current=4", "enter", "wait", "current=off", "enter"} << Answers{}
        << L{req(40, hart::encodeSingle(4))} << L{"|Cannot send, \"current\" holds no number"}
        << L{"caption Abort"} << L{"sim.fixed=4"};
    QTest::newRow("Enter while monitoring leaves the poll running") << half
        << L{"monitoring=1", "monitor", "wait", "current=16", "enter", "wait", "tick5"}
        << Answers{} << L{"2", req(40, hart::encodeSingle(16)), "2"} << L{}
        << L{poll, "caption Abort", "output 16.000 50.0"} << L{"timer5=1"};
    // The button applies no limits: the transmitter refuses 25 mA, and the caption still says
    // that a simulation may be running.
    QTest::newRow("Send stops the poll and sends without limits") << half
        << L{"monitoring=1", "monitor", "wait", "current=25", "toggle"} << Answers{}
        << L{"2", req(40, hart::encodeSingle(25))} + kRead << L{"Error|Passed Parameter too Large"}
        << L{poll, "clear", "caption Abort"} + kReadShown << L{"sim.fixed=none"};
    QTest::newRow("Abort sends 0 mA") << L{} << L{"current=4", "toggle", "wait", "toggle"}
        << Answers{} << L{req(40, hart::encodeSingle(4)), req(40, hart::encodeSingle(0))} << L{}
        << L{"clear", "caption Abort", "clear", "caption Send"} << L{"sim.fixed=none"};
    QTest::newRow("Send on text without a number") << L{} << L{"current=", "toggle"} << Answers{}
        << L{} << L{"|Cannot send, \"current\" holds no number"} << L{} << L{};

    // One transaction at a time: what the user does while a poll is out waits for its reply.
    QTest::newRow("Enter while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "current=8", "enter"} << Answers{}
        << L{"2", "2", req(40, hart::encodeSingle(8))} << L{}
        << L{poll, "caption Abort", poll} << L{"timer5=1"};
    QTest::newRow("On again while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "monitor"} << Answers{}
        << L{"2", "2", "2"} << L{} << L{poll, poll, poll} << L{"timer5=1"};
    QTest::newRow("damping while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "damping=1", "damping"}
        << Answers{} << L{"2", "2", req(34, hart::encodeSingle(1)), byteReq(152, 0)} << L{} << L{poll, poll}
        << L{"timer2=1"};
    QTest::newRow("Refresh while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "identify"} << Answers{}
        << L{"2", "2"} + kRead << L{} << L{poll, "panels 0", poll, "data"} << L{"timer1=1"};
    QTest::newRow("tag while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "tag=T", "tag"} << Answers{}
        << L{"2", "2", tagReq("T       ")} << L{} << L{poll, "tag T", poll} << L{"timer2=1"};
    QTest::newRow("range while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "zero=1", "span=5", "unit"} << Answers{}
        << L{"2", "2", byteReq(44, 240), rangeReq(240, 6, 1)} << L{} << L{poll, poll}
        << L{"timer2=1"};
    QTest::newRow("set 4 mA while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "dev.pending=37", "pressure"}
        << Answers{int(Decisions::Cancel)} << L{"2", "2", "3"} << L{pressureBox("5.0")}
        << L{poll, poll} << L{"sim.lower=0"};
    QTest::newRow("simulation Send while a poll is out") << half
        << L{"monitoring=1", "monitor", "wait", "tick5", "current=8", "toggle"} << Answers{}
        << L{"2", "2", req(40, hart::encodeSingle(8))} << L{} << L{poll, "clear", "caption Abort", poll}
        << L{"sim.fixed=8"};
    // A poll tick that falls inside a write neither slips between its steps nor spoils the
    // resend of a step answered busy; the write's end resumes the poll.
    QTest::newRow("a poll tick during a write waits") << L{}
        << L{"monitoring=1", "busy 1", "zero=1", "span=9", "unit", "tick5", "wait", "tick2"}
        << Answers{} << L{byteReq(44, 240), byteReq(44, 240), rangeReq(240, 10, 1)} << L{} << L{}
        << L{"sim.lower=1", "sim.upper=10", "timer5=1"};
    // clang-format on
}

void TestChains::checkResponseCode_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("answer"); // the box's
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("asked"); // empty: no box

    const int ok = Decisions::OK;
    // clang-format off
    QTest::newRow("0: no box, success") << 0 << 35 << ok << 0 << "";
    QTest::newRow("a general code wins over 35's own") << 8 << 35 << ok << ok
        << "Error|Set to Nearest Value";
    QTest::newRow("14 on 35") << 14 << 35 << ok << ok << "Error|Span too Small";
    QTest::newRow("14 on 36") << 14 << 36 << ok << ok << "Error|Span too Small";
    QTest::newRow("14 on 37") << 14 << 37 << ok << ok << "Error|New LRV pushed URV over USL";
    QTest::newRow("14 on 15") << 14 << 15 << ok << ok
        << "Error|Unspecified Error or Wrong returned Command";
    QTest::newRow("9 on 3") << 9 << 3 << ok << ok
        << "Error|Unspecified Error or Wrong returned Command";
    QTest::newRow("9 on 35") << 9 << 35 << ok << ok << "Error|Lowerrange too high";
    QTest::newRow("9 on 36") << 9 << 36 << ok << ok << "Error|Applied process too high";
    QTest::newRow("9 on 37") << 9 << 37 << ok << ok << "Error|Applied process too high";
    QTest::newRow("11 on 37, not in its table") << 11 << 37 << ok << ok
        << "Error|Unspecified Error";
    QTest::newRow("1 on 0") << 1 << 0 << ok << ok
        << "Error|Unspecified Error or Wrong returned Command";
    QTest::newRow("128 on 0") << 128 << 0 << ok << ok
        << "Error|Unspecified Error or Wrong returned Command";
    QTest::newRow("busy on 35") << 32 << 35 << ok << ok << "Error|Unspecified Error";
    QTest::newRow("16 on 37") << 16 << 37 << ok << ok << "Error|Access Restricted";
    QTest::newRow("64 on 152") << 64 << 152 << ok << ok << "Error|Command Not Implemented";
    QTest::newRow("negative") << -1 << 18 << ok << ok
        << "Error|Unspecified Error or Wrong returned Command";
    // The caller hears the box's answer; a box that answered nothing still means "failed", or
    // the chain would go on as if the transmitter had taken the command.
    QTest::newRow("answer passed on") << 9 << 35 << int(Decisions::Cancel)
        << int(Decisions::Cancel) << "Error|Lowerrange too high";
    QTest::newRow("no answer is still failure") << 9 << 35 << 0 << ok
        << "Error|Lowerrange too high";
    // clang-format on
}

void TestChains::checkResponseCode() {
    QFETCH(int, code);
    QFETCH(int, command);
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QString, asked);

    Session session;
    ScriptedView view;
    ScriptedDecisions user;
    user.answers.push_back(answer);
    session.attach(&view, &user);
    QCOMPARE(session.CheckResponseCode(code, command), result);
    QCOMPARE(user.asked, asked.isEmpty() ? QStringList() : QStringList{asked});
}

void TestChains::serialPrefix_data() {
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<qint32>("shown");
    // clang-format off
    QTest::newRow("18") << qint64(18) << 5000018;
    QTest::newRow("480000") << qint64(480000) << 2480000;
    QTest::newRow("1") << qint64(1) << 1;
    QTest::newRow("1800000") << qint64(1800000) << 6800000;
    QTest::newRow("1801234") << qint64(1801234) << 6801234;
    QTest::newRow("4812345") << qint64(4812345) << 6812345;
    QTest::newRow("2501234") << qint64(2501234) << 2501234;
    QTest::newRow("0") << qint64(0) << 0;
    QTest::newRow("4") << qint64(4) << 4;
    QTest::newRow("8") << qint64(8) << 8;
    QTest::newRow("81 is not 18") << qint64(81) << 81;
    QTest::newRow("1899999") << qint64(1899999) << 6899999;
    QTest::newRow("24-bit maximum") << qint64(16777215) << 16777215;
    QTest::newRow("beyond 24 bits stays within them") << qint64(18000000) << 16777215;
    QTest::newRow("negative") << qint64(-18) << 0;
    // clang-format on
}

void TestChains::serialPrefix() {
    QFETCH(qint64, raw);
    QFETCH(qint32, shown);
    QCOMPARE(records::SerialWithPrefix(raw), shown);
}

// The output bar takes only 0..10000 and would freeze on its last value for anything else.
void TestChains::outputBar_data() {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    QTest::addColumn<float>("percent");
    QTest::addColumn<int>("bar");
    // clang-format off
    QTest::newRow("-5") << -5.0f << 0;
    QTest::newRow("100") << 100.0f << 10000;
    QTest::newRow("120") << 120.0f << 10000;
    QTest::newRow("37.5") << 37.5f << 3750;
    QTest::newRow("52.5") << 52.5f << 5250;
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("just below 0") << -0.001f << 0;
    QTest::newRow("NaN") << kNaN << 0;
    QTest::newRow("+inf") << kInf << 10000;
    QTest::newRow("-inf") << -kInf << 0;
    QTest::newRow("beyond a single once scaled") << 3.0e38f << 10000;
    // clang-format on
}

void TestChains::outputBar() {
    QFETCH(float, percent);
    QFETCH(int, bar);
    QCOMPARE(ResultRules::OutputBarValue(percent), bar);
}

namespace {

// A frame sent while the previous one still waits for its reply is a second transaction on the
// line; the line counts them.
class WatchedLine : public HartLine {
public:
    WatchedLine(SimDevice *device, int *overlaps) : inner_(device, SimLine::Timing::Instant) {
        connect(&inner_, &HartLine::received, this, [this](const QByteArray &bytes) {
            awaiting_ = false;
            emit received(bytes);
        });
        connect(&inner_, &HartLine::sent, this, &HartLine::sent);
        connect(&inner_, &HartLine::failed, this, &HartLine::failed);
        overlaps_ = overlaps;
    }
    bool open(QString *error) override { return inner_.open(error); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void send(const QByteArray &frame) override {
        if (awaiting_) ++*overlaps_;
        awaiting_ = true;
        inner_.send(frame);
    }
    QString deviceName() const override { return inner_.deviceName(); }

private:
    SimLine inner_;
    int *overlaps_ = nullptr;
    bool awaiting_ = false;
};

#if defined(__SANITIZE_ADDRESS__)
#define ZANU_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZANU_TEST_ASAN 1
#endif
#endif

#if defined(ZANU_TEST_ASAN)
// Exported by the sanitizer runtime; GCC does not ship the header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// Bytes the heap has handed out and not got back; -1 where that cannot be told.
long long heapInUse() {
#if defined(ZANU_TEST_ASAN)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long long>(m.uordblks + m.hblkhd);
#else
    return -1;
#endif
}

} // namespace

// Ten minutes of monitoring with the timers run at once, and every 50th poll something else:
// a write, or a command given while the poll is still on the line. Never two transactions on
// the line, no box, and the heap as it was.
void TestChains::longMonitoringStaysOneAtATime() {
    ChainRig rig;
    int overlaps = 0;
    rig.session.hart()->setLineFactory(
        [&](int) { return std::make_unique<WatchedLine>(&rig.device, &overlaps); });
    rig.session.hart()->setCommPort(1);
    const L actions{"current=12", "enter",   "current=0", "enter",
                    "monitor",    "damping", "tag",       "unit"};
    for (const char *entry : {"monitoring=1", "zero=0", "span=10", "damping=0.4", "tag=LT-101"})
        rig.step(QString::fromLatin1(entry));
    rig.session.startMonitoring();
    int polls = 0;
    auto run = [&](int count) {
        const int target = polls + count;
        QElapsedTimer guard;
        guard.start();
        while (polls < target) {
            if (guard.elapsed() > 60000) return false;
            QCoreApplication::processEvents();
            if (rig.session.Timer2->isActive()) {
                rig.session.Timer2_Timer();
            } else if (rig.session.Timer5->isActive() && !rig.session.hart()->isBusy()) {
                rig.session.Timer5_Timer();
                if (++polls % 50 == 0) {
                    const int i = (polls / 50) % 6;
                    const L now = i < 2 ? actions.mid(i * 2, 2) : L{actions[i + 2]};
                    // Writes wait for the poll, as the window's buttons stop it first.
                    if (i >= 3 && !rig.waitIdle()) return false;
                    for (const QString &s : now)
                        rig.step(s);
                }
            }
            // The transmitter's trace is a test aid that grows by design; keep it short.
            if (rig.device.trace().size() > 64) rig.device.clearTrace();
        }
        return rig.waitIdle();
    };
    QVERIFY(run(150)); // warm-up: caches, pools and every kind of write once
    const long long before = heapInUse();
    QVERIFY(run(600));
    const long long after = heapInUse();
    QCOMPARE(overlaps, 0);
    QCOMPARE(rig.user.asked, L{});
    if (before >= 0 && after >= 0)
        QVERIFY2(after - before < 64 * 1024,
                 qPrintable(QStringLiteral("%1 bytes more").arg(after - before)));
}

QTEST_MAIN(TestChains)
#include "test_chains.moc"
