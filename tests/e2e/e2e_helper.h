// End-to-end runs: the main window in this process, its HART control on the real serial code, and
// the zanu-sim program on the far side of a pseudo-terminal. The simulator's trace and state file
// are the witnesses of what went over the line and what the transmitter now holds.
#pragma once

#include "dialogs/msgbox.h"
#include "hart/hartx.h"
#include "hart/link/hart_line.h"
#include "hart/link/link_timing.h"
#include "window/form1.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

class QTimer;
class SerialLine;

namespace e2e {

// Every wait in these tests is bounded by one of these.
constexpr int kChainMs = 8000;  // a whole chain on a healthy line, with room for a loaded box
constexpr int kStartMs = 10000; // a program to start and print its first line
constexpr int kNoisyMs = 30000; // a chain on a line that garbles replies, retries included

// The link timing of rows that test what the window does rather than when: no other master shares
// the pty, so the link grant would only make each transaction wait. The reply time-out stays, as
// the sanitized simulator on a loaded machine may need it, and so does the quiet wait: noise rows
// need the master to listen before it talks. Rows about timing take LinkTiming() instead.
LinkTiming shortLinkTiming();

// One line of zanu-sim's --trace output.
struct TraceLine {
    bool request = true; // "REQ" (true) or "RSP"
    int command = -1;
    bool longAddress = false; // REQ
    int responseCode = 0;     // RSP
    int status = 0;           // RSP
    QByteArray data;
};
std::optional<TraceLine> parseTraceLine(const QString &line);

// The read sequence, from identification to the output direction.
const QList<int> kReadSequence{0, 13, 15, 14, 129};

// The four bytes of an IEEE single as the trace prints them ("41480000" for 12.5).
QByteArray floatHex(float value);
QString buildDir();
QString listText(const QList<int> &values);

// `state` with the keys of `changes` replaced.
QJsonObject withChanges(QJsonObject state, const QJsonObject &changes);
// Same keys and values; numbers compared as the IEEE singles the transmitter holds, since the
// state file writes each by its shortest text. `why` says what differs.
bool sameState(const QJsonObject &got, const QJsonObject &want, QString *why);

// zanu-sim as a child process. Its standard output goes to a file, so that every trace line it
// printed before it put a reply on the line can be read back at once, without the event loop.
class SimProcess {
public:
    explicit SimProcess(const QString &workDir);
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts `zanu-sim --trace --state <file> --timing instant --steady <options>` ("--timing
    // real" in the options wins) and waits for its "PTY /dev/pts/N" line.
    bool start(const QStringList &options, QString *error);
    QString pty() const { return pty_; }

    QList<TraceLine> trace() const;
    QList<int> requests() const; // command numbers of the requests received, in order
    QByteArray lastRequestData(int command) const;
    // What a reference meter in the loop reads now: the last "LOOP ma=" line.
    std::optional<double> meterMa() const;
    QJsonObject state() const; // the configuration as the simulator last wrote it
    QString errorOutput() const;

    void kill(); // SIGKILL: the pty vanishes at once, as when a cable is pulled
    void stop(); // SIGTERM, then SIGKILL if it lingers

private:
    QProcess proc_;
    QString outPath_, errPath_, statePath_;
    QString pty_;
};

// Faults put on the real serial line from our side of it, for what zanu-sim cannot do itself.
struct LineFaults {
    // Bursts of random bytes: before a reply (noise while the transmitter is about to answer)
    // and shortly after it (noise between frames, while the master listens before talking).
    double burstProbability = 0.0;
    quint32 seed = 1;
    // Replies to this command are lost on the way back, for its next `swallowTimes` requests:
    // the transmitter has carried the request out, the master never hears so.
    int swallowCommand = -1;
    int swallowTimes = 0;
    // The swallowed requests themselves are lost on the way out instead: the transmitter hears
    // nothing and stays silent, as with a cut HART lead.
    bool loseRequests = false;
};

class FaultyLine : public HartLine {
    Q_OBJECT
public:
    // `swallowLeft` counts the replies still to be lost; lines of one factory share it.
    FaultyLine(const QString &device, const QString &label, const LineFaults &faults,
               std::shared_ptr<int> swallowLeft = nullptr);
    ~FaultyLine() override;

    bool open(QString *error) override;
    void close() override;
    bool isOpen() const override;
    void send(const QByteArray &frame) override;
    QString deviceName() const override;

    // Over all lines made since the last reset (the control may make several).
    static int burstsInjected();
    static int repliesSwallowed();
    static void resetCounters();
    // A line factory for HartX that makes FaultyLines on the device COM n names. The swallow
    // count is shared by every line it makes; a test that passes its own can change it while the
    // lines run.
    static HartX::LineFactory factory(const LineFaults &faults,
                                      std::shared_ptr<int> swallowLeft = nullptr);

private:
    QByteArray garbage();
    void onReceived(const QByteArray &bytes);

    std::unique_ptr<SerialLine> inner_;
    LineFaults faults_;
    std::shared_ptr<int> swallowLeft_;
    std::mt19937 rng_;
    bool swallowing_ = false;
};

struct ResultSeen {
    qint16 command = 0;
    qint16 result = 0;
    int requestsBefore = 0; // requests the simulators had received when this Result came
};

// One end-to-end run: temp program folder with zanu.ini, one or more simulators (the last one
// started is where ZANU_COM5 points), and the main window.
class Fixture {
public:
    Fixture();
    ~Fixture();
    Fixture(const Fixture &) = delete;
    Fixture &operator=(const Fixture &) = delete;

    QTemporaryDir dir;
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::unique_ptr<Form1> form;
    // Answers for the next message boxes, in order; when empty an OK box gets OK, an OK/Cancel
    // box Cancel and a Retry/Cancel box Cancel, so an unexpected question never starts anything.
    std::deque<int> answers;
    // With the queue empty, this many Retry/Cancel boxes are answered Retry before Cancel.
    int noAnswerRetries = 0;
    QList<ResultSeen> results;
    // The program's folder; zanu.ini is looked for here. A folder that does not exist is allowed.
    QString programDir;
    // What load() gives the window's control before it runs Form_Load.
    LinkTiming linkTiming = shortLinkTiming();
    // What load() writes to zanu.ini; null: no file at all.
    QByteArray iniContent = QByteArray("\"5\"\r\n");

    SimProcess &sim() { return *sims.back(); }
    // Starts a simulator and points COM 5 at its pty.
    bool startSim(const QStringList &options, QString *error);
    void pointCom5At(const SimProcess &sim);
    // Writes zanu.ini, builds the window, lets `beforeLoad` adjust it (a line factory of its own)
    // and runs Form_Load.
    bool load(const std::function<void(Form1 &)> &beforeLoad = {});
    // Answers the next COM-port dialog: selects COM `port` (0: keeps what is preselected) and
    // presses its button. A dialog still open after kChainMs is closed, so that a dialog the
    // answer misses cannot block the test.
    void answerComDialog(int port = 0);
    bool comDialogAnswered() const { return comDialogAnswered_; }
    // Runs the COM-settings menu command, answering the dialog as answerComDialog() does.
    bool runComSettings(int port = 0);

    bool waitFor(const std::function<bool()> &condition, int timeoutMs = kChainMs);
    // Until the window shows the device data of a finished read sequence.
    bool waitForData(int timeoutMs = kChainMs);
    // Until no transaction is outstanding or queued and no Result is pending.
    bool waitIdle(int timeoutMs = kChainMs);
    // Nothing more can go out: the last Result has been handled, the control holds no request
    // and none of the window's timers is armed to send one.
    bool nothingMoreGoesOut();
    // Until `n` Results have come in since the fixture started.
    bool waitForResults(int n, int timeoutMs = kChainMs);
    // Drives the window until nothing more happens: waits for the line to go idle and runs the
    // tick of whichever of Timer1, Timer2 and Timer4 is armed, until none is. False when that
    // took longer than `timeoutMs`.
    bool settle(int timeoutMs = kNoisyMs);
    // Runs the tick of an armed one-shot timer now instead of waiting its interval. False when
    // the timer is not armed and did not fire on its own since the last call.
    bool tick(QTimer *timer);

    // All requests of all simulators started so far, in order.
    QList<int> allRequests() const;
    int requestCount() const { return int(allRequests().size()); }
    // The requests received since `mark` (a requestCount()).
    QList<int> requestsSince(int mark) const;
    QList<MsgBoxSeam::Shown> boxes() const { return MsgBoxSeam::history(); }
    QStringList boxTexts() const;
    void clearBoxes() { MsgBoxSeam::clearHistory(); }

    // Exactly one Result per transaction, checked against what went on the line: the requests
    // between two Results are the tries of one command (and the identification the control may
    // put in front of it); a reply Result has at least one request behind it; and every request
    // has been answered by a Result. `emptyNoAnswerOk`: a no-answer Result may have no request
    // behind it (the port could not be opened). Returns a description of the first breach.
    QString checkResults(bool emptyNoAnswerOk = false) const;

private:
    struct TimerTicks {
        int fired = 0;     // ticks the timer made on its own
        int accounted = 0; // of those, already reported by tick()
    };
    std::vector<std::pair<QTimer *, TimerTicks>> timers_;
    TimerTicks *ticksOf(QTimer *timer);
    // Context of the fixture's own connections; the window may cut its own when it ends.
    QObject resultWitness_;
    std::unique_ptr<QTimer> comDialogPoll_, comDialogGuard_;
    bool comDialogAnswered_ = false;
};

// Shared steps of the end-to-end tests. They report through QtTest; the caller checks
// QTest::currentTestFailed() afterwards.

// Starts a simulator with `simOptions`, keeps its first state in `initial` and loads the window.
void startAndLoad(Fixture &fx, const QStringList &simOptions, QJsonObject *initial,
                  const std::function<void(Form1 &)> &beforeLoad = {});
// The window shows what zanu-sim holds out of the box.
void verifyShowsDefaults(Form1 &f);
// Moves the window to a healthy simulator through the COM-settings dialog (the same port, now
// naming another device) and checks that it reads that transmitter correctly. With
// `plainSerialLine` the control gets the ordinary serial line again first.
void recoverOnHealthyLine(Fixture &fx, bool plainSerialLine = false);

} // namespace e2e

#define VERIFY_STATE(fx, want)                                                                     \
    do {                                                                                           \
        QString why_;                                                                              \
        QVERIFY2(e2e::sameState((fx).sim().state(), (want), &why_), qPrintable(why_));             \
    } while (false)

#define VERIFY_REQUESTS(fx, mark, ...)                                                             \
    do {                                                                                           \
        const QList<int> got_ = (fx).requestsSince(mark);                                          \
        const QList<int> want_ = __VA_ARGS__;                                                      \
        QVERIFY2(got_ == want_, qPrintable(QStringLiteral("requests %1, expected %2")              \
                                               .arg(e2e::listText(got_), e2e::listText(want_))));  \
    } while (false)

#define VERIFY_RESULTS(fx)                                                                         \
    do {                                                                                           \
        const QString breach_ = (fx).checkResults();                                               \
        QVERIFY2(breach_.isEmpty(), qPrintable(breach_));                                          \
    } while (false)
