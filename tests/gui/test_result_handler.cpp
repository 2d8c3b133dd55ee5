// The result handler: busy resends and their limit, missing answers, error replies, another
// maker's transmitter, the pressure confirmation, the output signal, and the rules it applies to
// values from the line.
#include "chain_helper.h"

#include "hart/link/transaction_engine.h"
#include "window/result_rules.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

using namespace chain;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

const QList<int> kReadSequence{0, 13, 15, 14, 129};
// The link tries an unanswered request this often before it reports no answer.
constexpr int kTries = TransactionEngine::kDefaultRetries + 1;

// How a row starts its chain.
enum Start { StartTag, StartUnitRange, StartDamping, StartSetLower, StartIdentify, StartRaw38 };

void start(Form1 *w, int how) {
    switch (how) {
    case StartTag:
        w->Text7->setText(QStringLiteral("NEW"));
        w->session->SendWriteTag();
        break;
    case StartUnitRange:
        w->Text4->setText(QStringLiteral("1"));
        w->Text5->setText(QStringLiteral("5"));
        w->session->SendWriteUnit();
        break;
    case StartDamping:
        w->Text6->setText(QStringLiteral("1.5"));
        w->session->SendWriteDamping();
        break;
    case StartSetLower:
        w->Dev.PendingRangeCommand = 37;
        w->session->SendReadPressure();
        break;
    case StartIdentify:
        w->session->SendIdentify();
        break;
    case StartRaw38:
        w->HartX1->setDataIndex(0);
        w->HartX1->setByteCount(0);
        w->HartX1->setCommand(38);
        break;
    }
}

// Answers one request of `command` with `code`, then lets the transmitter answer normally again.
void forceOnce(SimDevice &device, int command, int code) {
    device.setForcedResponse(command, code);
    QObject::connect(&device, &SimDevice::traceLine, &device, [&device, command](const QString &l) {
        if (l.startsWith(QStringLiteral("RSP cmd=%1 ").arg(command)))
            device.setForcedResponse(command, 0);
    });
}

} // namespace

class TestResultHandler : public QObject {
    Q_OBJECT
private slots:
    void serialPrefix_data();
    void serialPrefix();
    void outputBar_data();
    void outputBar();

    void busyThenSuccess_data();
    void busyThenSuccess();
    void responseCodeKinds_data();
    void responseCodeKinds();
    void missingAnswerKeepsBusyCount();
    void noAnswerRetryRereads_data();
    void noAnswerRetryRereads();
    void noAnswerCancel();
    void errorReplyShowsMessageThenRereads_data();
    void errorReplyShowsMessageThenRereads();
    void anotherMakerEndsProgram();
    void pressureConfirmation_data();
    void pressureConfirmation();
    void pressureNotANumber();
    void outputSignal_data();
    void outputSignal();
    void outputSignalWhileOff();
    void rangeReadAsNaNNotSentBack();
};

void TestResultHandler::serialPrefix_data() {
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

void TestResultHandler::serialPrefix() {
    QFETCH(qint64, raw);
    QFETCH(qint32, shown);
    QCOMPARE(ResultRules::SerialWithPrefix(raw), shown);
}

void TestResultHandler::outputBar_data() {
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

void TestResultHandler::outputBar() {
    QFETCH(float, percent);
    QFETCH(int, bar);
    QCOMPARE(ResultRules::OutputBarValue(percent), bar);
}

void TestResultHandler::busyThenSuccess_data() {
    QTest::addColumn<int>("busy");
    QTest::addColumn<bool>("aborted");

    // clang-format off
    QTest::newRow("9 busy, then done") << 9 << false;
    QTest::newRow("10 busy, aborted") << 10 << true;
    // clang-format on
}

void TestResultHandler::busyThenSuccess() {
    QFETCH(int, busy);
    QFETCH(bool, aborted);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    SetMousePointer(vbHourglass);
    f.device.setBusy(busy);
    w->Text6->setText(QStringLiteral("3"));
    w->session->SendWriteDamping();
    QVERIFY(f.waitIdle());

    const QList<QByteArray> sent = requestsOf(f, 34);
    QCOMPARE(sent.size(), 10);
    for (const QByteArray &r : sent)
        QCOMPARE(r, floatBytes(3.0f)); // every resend carries the request unchanged
    QCOMPARE(w->Dev.BusyRetryCount, quint8(0));
    if (aborted) {
        QCOMPARE(f.commandsSeen(), QList<int>(10, 34));
        QCOMPARE(f.boxes().size(), 1);
        QCOMPARE(f.boxes().first().prompt,
                 QStringLiteral("Transmitter is Busy, Aborting Send Process"));
        QCOMPARE(f.boxes().first().title, QStringLiteral("Error"));
        QCOMPARE(f.boxes().first().buttons, int(vbOKOnly));
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(w->ProgressBar1->value(), 0);
        QVERIFY(!w->Timer2->isActive());
        QCOMPARE(f.device.config().damping, 0.4f);
    } else {
        QCOMPARE(f.commandsSeen(), QList<int>(10, 34) << 152);
        QVERIFY(f.boxes().isEmpty());
        QCOMPARE(w->ProgressBar1->value(), 100);
        QVERIFY(w->Timer2->isActive());
        QCOMPARE(f.device.config().damping, 3.0f);
    }
}

void TestResultHandler::responseCodeKinds_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("commands");

    const QList<int> tenTags(10, 18);
    const QList<int> rereads = QList<int>{18} + kReadSequence;
    const QString busy = QStringLiteral("Transmitter is Busy, Aborting Send Process");
    // clang-format off
    QTest::newRow("33 busy") << 33 << busy << tenTags;
    QTest::newRow("96 busy") << 96 << busy << tenTags;
    QTest::newRow("16 not busy") << 16 << "Access Restricted" << rereads;
    QTest::newRow("64 not busy") << 64 << "Command Not Implemented" << rereads;
    // clang-format on
}

void TestResultHandler::responseCodeKinds() {
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QList<int>, commands);

    GuiFixture f;
    QVERIFY(settle(f));
    f.device.setForcedResponse(18, code);
    start(f.form.get(), StartTag);
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), commands);
    QCOMPARE(f.boxes().size(), 1);
    QCOMPARE(f.boxes().first().prompt, message);
    QCOMPARE(f.boxes().first().title, QStringLiteral("Error"));
    QCOMPARE(f.form->Dev.BusyRetryCount, quint8(0));
}

void TestResultHandler::missingAnswerKeepsBusyCount() {
    // 4 busy replies to the tag, no answer, Retry, then 6 busy replies to the identify: ten
    // in a row as far as the count goes, since the missing answer does not clear it.
    GuiFixture f;
    QVERIFY(settle(f));
    int busySeen = 0;
    bool identifySeen = false;
    QObject::connect(&f.device, &SimDevice::traceLine, &f.device, [&](const QString &line) {
        if (line.startsWith(QStringLiteral("RSP")) && line.contains(QStringLiteral(" rc=32 ")) &&
            ++busySeen == 4)
            f.device.setSilent(kTries);
        if (!identifySeen && line.startsWith(QStringLiteral("REQ cmd=0 "))) {
            identifySeen = true;
            f.device.setBusy(6);
        }
    });
    f.answers.push_back(vbRetry);
    f.device.setBusy(4);
    start(f.form.get(), StartTag);
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), QList<int>(4 + kTries, 18) + QList<int>(6, 0));
    QCOMPARE(f.boxes().size(), 2);
    QCOMPARE(f.boxes()[0].title, QStringLiteral("No Device"));
    QCOMPARE(f.boxes()[1].prompt, QStringLiteral("Transmitter is Busy, Aborting Send Process"));
    QCOMPARE(f.form->Dev.BusyRetryCount, quint8(0));
    QCOMPARE(MousePointer(), int(vbDefault));
    QCOMPARE(f.form->ProgressBar1->value(), 0);
}

void TestResultHandler::noAnswerRetryRereads_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("silentAfter");   // the command whose reply arms one missing answer
    QTest::addColumn<QList<int>>("before"); // commands up to the unanswered one

    // clang-format off
    QTest::newRow("range write") << int(StartUnitRange) << 44
        << QList<int>{44} + QList<int>(kTries, 35);
    QTest::newRow("read of the limits") << int(StartIdentify) << 15
        << QList<int>{0, 13, 15} + QList<int>(kTries, 14);
    // clang-format on
}

void TestResultHandler::noAnswerRetryRereads() {
    QFETCH(int, how);
    QFETCH(int, silentAfter);
    QFETCH(QList<int>, before);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    const SimDevice::Config config = f.device.config();
    bool armed = true;
    QObject::connect(&f.device, &SimDevice::traceLine, &f.device, [&](const QString &line) {
        if (armed && line.startsWith(QStringLiteral("RSP cmd=%1 ").arg(silentAfter))) {
            armed = false;
            f.device.setSilent(kTries);
        }
    });
    // What the window shows when the box is up, and the caption right after the answer.
    int progressAtBox = -1;
    QString captionAfterRetry;
    MsgBoxSeam::setScript([&](const MsgBoxSeam::Shown &) {
        progressAtBox = w->ProgressBar1->value();
        QTimer::singleShot(0, w, [&] {
            if (captionAfterRetry.isNull()) captionAfterRetry = w->Command2->text();
        });
        return int(vbRetry);
    });
    start(w, how);
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), before + kReadSequence);
    QCOMPARE(f.boxes().size(), 1);
    const MsgBoxSeam::Shown box = f.boxes().first();
    QCOMPARE(box.prompt, QStringLiteral("No Device Response!!!! Connect transmitter?"));
    QCOMPARE(box.title, QStringLiteral("No Device"));
    QCOMPARE(box.buttons, int(vbRetryCancel));
    QVERIFY2(!box.detail.isEmpty(), "the link's reason belongs in the details");
    QCOMPARE(progressAtBox, 100);
    QCOMPARE(captionAfterRetry, QStringLiteral("Co&nnect"));
    QCOMPARE(w->Command2->text(), QStringLiteral("Re&fresh"));
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(f.device.config().upperRange, config.upperRange);
}

void TestResultHandler::noAnswerCancel() {
    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    f.device.setSilent(kTries);
    start(w, StartTag);
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), QList<int>(kTries, 18));
    QCOMPARE(f.boxes().size(), 1);
    QCOMPARE(f.boxes().first().title, QStringLiteral("No Device"));
    QCOMPARE(MousePointer(), int(vbDefault));
    QCOMPARE(w->ProgressBar1->value(), 0);
    QCOMPARE(w->Command2->text(), QStringLiteral("Re&fresh"));
    QVERIFY(!w->Timer2->isActive());
}

void TestResultHandler::errorReplyShowsMessageThenRereads_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("before");

    // clang-format off
    QTest::newRow("35: lower range too high") << int(StartUnitRange) << 35 << 9
        << "Lowerrange too high" << QList<int>{44, 35};
    QTest::newRow("35: span warning") << int(StartUnitRange) << 35 << 14 << "Span too Small"
        << QList<int>{44, 35};
    QTest::newRow("44: write protected") << int(StartUnitRange) << 44 << 7
        << "In Write Protect Mode" << QList<int>{44};
    QTest::newRow("18: set to nearest value") << int(StartTag) << 18 << 8 << "Set to Nearest Value"
        << QList<int>{18};
    QTest::newRow("152: invalid selection") << int(StartDamping) << 152 << 2 << "Invalid selection"
        << QList<int>{34, 152};
    QTest::newRow("37: pushed URV over USL") << int(StartSetLower) << 37 << 14
        << "New LRV pushed URV over USL" << QList<int>{3, 37};
    QTest::newRow("14: transmitter command error") << int(StartIdentify) << 14 << 6
        << "Transmitter Specific Command Error" << QList<int>{0, 13, 15, 14};
    QTest::newRow("38, not in the table") << int(StartRaw38) << 38 << 5
        << "Too Few Databytes Received" << QList<int>{38};
    // clang-format on
}

void TestResultHandler::errorReplyShowsMessageThenRereads() {
    QFETCH(int, how);
    QFETCH(int, command);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QList<int>, before);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    const SimDevice::Config config = f.device.config();
    forceOnce(f.device, command, code);
    start(w, how);
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), before + kReadSequence);
    // The pressure confirmation comes first where the chain has one.
    QCOMPARE(f.boxes().size(), how == StartSetLower ? 2 : 1);
    QCOMPARE(f.boxes().last().prompt, message);
    QCOMPARE(f.boxes().last().title, QStringLiteral("Error"));
    QCOMPARE(f.boxes().last().buttons, int(vbOKOnly));
    // The refused write changed nothing; the window shows what the transmitter holds.
    QCOMPARE(f.device.config().lowerRange, config.lowerRange);
    QCOMPARE(f.device.config().tag, config.tag);
    QCOMPARE(w->Text7->text(), QStringLiteral("LT-101  "));
    QCOMPARE(w->Command2->text(), QStringLiteral("Re&fresh"));
    QVERIFY(w->Timer1->isActive());
}

void TestResultHandler::anotherMakerEndsProgram() {
    GuiFixture f;
    f.device.setManufacturerId(38);
    Form1 *w = f.form.get();
    int closes = 0;
    struct CloseCounter : QObject {
        int *n;
        explicit CloseCounter(int *count) : n(count) {}
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::Close) ++*n;
            return false;
        }
    } counter(&closes);
    w->installEventFilter(&counter);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    w->Form_Load();
    // A monitoring read queued behind the identification must not act on the closed window.
    w->Option3[1]->setChecked(true);
    w->HartX1->setCommand(2);
    QVERIFY(QTest::qWaitFor([&] { return closes > 0; }, 5000));
    QVERIFY(f.waitIdle());

    QCOMPARE(f.boxes().size(), 1);
    QCOMPARE(f.boxes().first().prompt,
             QStringLiteral("No ZANU transmitter!! Programm will abort!!"));
    QCOMPARE(f.boxes().first().title, kAppTitle);
    QCOMPARE(f.boxes().first().buttons, int(vbOKOnly));
    QCOMPARE(f.commandsSeen().first(), 0);
    QVERIFY(!f.commandsSeen().contains(13));
    QVERIFY(!w->isVisible());
    QCOMPARE(closes, 1);
    QCOMPARE(w->ProgressBar1->value(), 100);
    QVERIFY(w->Text9[0]->text().isEmpty());
    for (QTimer *t : {w->Timer1, w->Timer2, w->Timer4, w->Timer5})
        QVERIFY(!t->isActive());
    QCOMPARE(w->Dev.ManufacturerId, quint8(38));
    w->removeEventFilter(&counter);
}

void TestResultHandler::pressureConfirmation_data() {
    QTest::addColumn<int>("pending");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("commands");
    QTest::addColumn<int>("progress");

    // clang-format off
    QTest::newRow("OK sets the lower end") << 37 << int(vbOK) << QList<int>{3, 37} << 95;
    QTest::newRow("OK sets the upper end") << 36 << int(vbOK) << QList<int>{3, 36} << 95;
    QTest::newRow("OK without a pending end") << 0 << int(vbOK) << QList<int>{3} << 0;
    QTest::newRow("Cancel sends nothing") << 37 << int(vbCancel) << QList<int>{3} << 0;
    // clang-format on
}

void TestResultHandler::pressureConfirmation() {
    QFETCH(int, pending);
    QFETCH(int, answer);
    QFETCH(QList<int>, commands);
    QFETCH(int, progress);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    f.device.setAppliedPressure(3.25);
    f.device.settle();
    const SimDevice::Config config = f.device.config();
    w->Dev.PendingRangeCommand = quint8(pending);
    w->ReloadingRange = true; // as the set-range buttons leave it
    f.answers.push_back(answer);
    ProgressLog log;
    log.attach(w);
    w->session->SendReadPressure();
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), commands);
    QCOMPARE(f.boxes().size(), 1);
    QCOMPARE(f.boxes().first().prompt,
             local(QStringLiteral("Current Pressure value is: 3.25 mH2O. Continue??")));
    QCOMPARE(f.boxes().first().title, QStringLiteral("Continue??"));
    QCOMPARE(f.boxes().first().buttons, int(vbOKCancel));
    QCOMPARE(w->ProgressBar1->value(), progress);
    QCOMPARE(w->Timer4->isActive(), commands.size() == 2);
    if (commands.size() == 1) {
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(f.device.config().lowerRange, config.lowerRange);
        QCOMPARE(f.device.config().upperRange, config.upperRange);
        return;
    }
    QCOMPARE(log.values(), (QList<int>{0, 35, 50, 0, 35, 95}));

    // Timer4's tick reads the transmitter again and puts the new range end on screen.
    w->Timer4->stop();
    w->session->Timer4_Timer();
    QVERIFY(QTest::qWaitFor([w] { return w->Timer1->isActive(); }, 5000));
    if (pending == 37)
        QCOMPARE(w->Text4->text(), local(QStringLiteral("3.25")));
    else
        QCOMPARE(w->Text5->text(), local(QStringLiteral("3.25")));
    QVERIFY(!w->Label16->isVisibleTo(w->Frame3));
    QVERIFY(!w->Label15->isVisibleTo(w->Frame3));
}

void TestResultHandler::pressureNotANumber() {
    // A PV that is no number is shown as such; without the user's OK nothing is sent.
    GuiFixture f;
    QVERIFY(settle(f));
    f.device.config().mountingOffset = kNaN;
    f.form->Dev.PendingRangeCommand = 37;
    f.answers.push_back(vbCancel);
    f.form->session->SendReadPressure();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), QList<int>{3});
    QCOMPARE(f.boxes().size(), 1);
    QCOMPARE(f.boxes().first().prompt,
             QStringLiteral("Current Pressure value is: NaN mH2O. Continue??"));
    QCOMPARE(f.form->ProgressBar1->value(), 0);
}

void TestResultHandler::outputSignal_data() {
    QTest::addColumn<float>("fixed"); // 0: no fixed current
    QTest::addColumn<double>("applied");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<int>("bar");

    // clang-format off
    QTest::newRow("0.5 mA") << 0.5f << 3.75 << ".500 " << "37.5" << 3750;
    QTest::newRow("12 mA") << 12.0f << 5.0 << "12.000 " << "50.0" << 5000;
    QTest::newRow("12.3456 mA") << 12.3456f << 5.25 << "12.346 " << "52.5" << 5250;
    QTest::newRow("-5 %") << 0.0f << -0.5 << "3.800 " << "-5.0" << 0;
    QTest::newRow("120 %") << 0.0f << 12.0 << "20.500 " << "120.0" << 10000;
    QTest::newRow("100 %") << 0.0f << 10.0 << "20.000 " << "100.0" << 10000;
    // clang-format on
}

void TestResultHandler::outputSignal() {
    QFETCH(float, fixed);
    QFETCH(double, applied);
    QFETCH(QString, current);
    QFETCH(QString, percent);
    QFETCH(int, bar);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    if (fixed > 0) f.device.config().fixedCurrent = fixed;
    f.device.setAppliedPressure(applied);
    f.device.settle();
    w->Option3[1]->setChecked(true);
    w->session->Timer5_Timer();
    QVERIFY(f.waitIdle());

    QCOMPARE(f.commandsSeen(), QList<int>{2});
    QCOMPARE(w->Text9[0]->text(), local(current));
    QCOMPARE(w->Text9[1]->text(), local(percent));
    QCOMPARE(w->ProgressBar2->value(), bar);
    QVERIFY(w->Timer5->isActive());
    w->Timer5->stop();
}

void TestResultHandler::outputSignalWhileOff() {
    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    w->Text9[0]->setText(QStringLiteral("old"));
    w->ProgressBar2->setValue(1234);
    w->session->Timer5_Timer();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), QList<int>{2});
    QCOMPARE(w->Text9[0]->text(), QStringLiteral("old"));
    QCOMPARE(w->ProgressBar2->value(), 1234);
    QVERIFY(!w->Timer5->isActive());
}

void TestResultHandler::rangeReadAsNaNNotSentBack() {
    GuiFixture f;
    f.device.config().upperRange = kNaN;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    QVERIFY(std::isnan(w->Dev.Span));
    QCOMPARE(w->Text5->text(), QStringLiteral("NaN"));

    // Left as shown, the span would go out as 0: refused before the unit is touched.
    w->session->SendWriteUnit();
    QCOMPARE(f.boxes().size(), 1);
    QVERIFY(f.boxes().first().prompt.startsWith(QStringLiteral("Cannot send, the measuring")));
    QVERIFY(nothingWentOut(f));

    // A span the user typed is theirs to send.
    w->Text5->setText(QStringLiteral("4"));
    w->session->SendWriteUnit();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), (QList<int>{44, 35}));
    QCOMPARE(f.device.config().upperRange, 4.0f);
}

QTEST_MAIN(TestResultHandler)
#include "test_result_handler.moc"
