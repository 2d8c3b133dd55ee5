#include "e2e_helper.h"
#include "event_wait.h"

#include "dialogs/form2.h"
#include "dialogs/pointer.h"
#include "hart/link/com_port_name.h"
#include "hart/link/hart_codec.h"
#include "hart/link/serial_line.h"
#include "settings/settings_file.h"
#include "units/module1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <csignal>

namespace e2e {

namespace {

QString readWholeLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    QByteArray bytes = f.readAll();
    // A line still being written is not a line yet.
    const int end = int(bytes.lastIndexOf('\n'));
    bytes.truncate(end + 1);
    return QString::fromUtf8(bytes);
}

int nextSimNumber() {
    static int n = 0;
    return ++n;
}

int &burstCounter() {
    static int n = 0;
    return n;
}

int &swallowCounter() {
    static int n = 0;
    return n;
}

} // namespace

std::optional<TraceLine> parseTraceLine(const QString &line) {
    static const QRegularExpression req(
        QStringLiteral("^REQ cmd=(\\d+) addr=(long|short) data=([0-9a-f]*)$"));
    static const QRegularExpression rsp(
        QStringLiteral("^RSP cmd=(\\d+) rc=(\\d+) status=0x([0-9a-f]{2}) data=([0-9a-f]*)$"));
    TraceLine t;
    if (const auto m = req.match(line); m.hasMatch()) {
        t.request = true;
        t.command = m.captured(1).toInt();
        t.longAddress = m.captured(2) == QLatin1String("long");
        t.data = QByteArray::fromHex(m.captured(3).toLatin1());
        return t;
    }
    if (const auto m = rsp.match(line); m.hasMatch()) {
        t.request = false;
        t.command = m.captured(1).toInt();
        t.responseCode = m.captured(2).toInt();
        t.status = m.captured(3).toInt(nullptr, 16);
        t.data = QByteArray::fromHex(m.captured(4).toLatin1());
        return t;
    }
    return std::nullopt;
}

LinkTiming shortLinkTiming() {
    LinkTiming t;
    t.linkGrantMs = 0;
    return t;
}

QByteArray floatHex(float value) {
    QByteArray bytes;
    hart::putFloat(bytes, 0, value);
    return bytes.toHex();
}

QString buildDir() {
    const QString dir = qEnvironmentVariable("ZANU_BUILD_DIR");
    if (!dir.isEmpty()) return dir;
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
}

QString listText(const QList<int> &values) {
    QStringList s;
    for (int v : values)
        s << QString::number(v);
    return s.join(QLatin1Char(','));
}

QJsonObject withChanges(QJsonObject state, const QJsonObject &changes) {
    for (auto it = changes.begin(); it != changes.end(); ++it)
        state.insert(it.key(), it.value());
    return state;
}

bool sameState(const QJsonObject &got, const QJsonObject &want, QString *why) {
    auto text = [](const QJsonValue &v) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
    };
    if (got.keys() != want.keys()) {
        *why = QStringLiteral("state keys %1, expected %2")
                   .arg(got.keys().join(QLatin1Char(',')), want.keys().join(QLatin1Char(',')));
        return false;
    }
    for (auto it = want.begin(); it != want.end(); ++it) {
        const QJsonValue g = got.value(it.key());
        const QJsonValue w = it.value();
        const bool same =
            (w.isDouble() && g.isDouble()) ? float(g.toDouble()) == float(w.toDouble()) : g == w;
        if (!same) {
            *why = QStringLiteral("state %1 is %2, expected %3").arg(it.key(), text(g), text(w));
            return false;
        }
    }
    return true;
}

// -------------------------------------------------------------------------------------------
// SimProcess

SimProcess::SimProcess(const QString &workDir) {
    const int n = nextSimNumber();
    const QDir d(workDir);
    outPath_ = d.filePath(QStringLiteral("sim%1.out").arg(n));
    errPath_ = d.filePath(QStringLiteral("sim%1.err").arg(n));
    statePath_ = d.filePath(QStringLiteral("sim%1.json").arg(n));
}

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::start(const QStringList &options, QString *error) {
    const QString program = QDir(buildDir()).filePath(QStringLiteral("zanu-sim"));
    if (!QFileInfo(program).isExecutable()) {
        *error = QStringLiteral("zanu-sim not found at %1 (set ZANU_BUILD_DIR)").arg(program);
        return false;
    }
    QStringList args{QStringLiteral("--trace"), QStringLiteral("--state"), statePath_,
                     QStringLiteral("--steady")};
    if (!options.contains(QStringLiteral("--timing")))
        args << QStringLiteral("--timing") << QStringLiteral("instant");
    args << options;
    proc_.setStandardOutputFile(outPath_);
    proc_.setStandardErrorFile(errPath_);
    proc_.start(program, args);
    if (!proc_.waitForStarted(kStartMs)) {
        *error = QStringLiteral("zanu-sim did not start: %1").arg(proc_.errorString());
        return false;
    }
    const bool announced = QTest::qWaitFor(
        [&] {
            return readWholeLines(outPath_).contains(QLatin1Char('\n')) ||
                   proc_.state() == QProcess::NotRunning;
        },
        kStartMs);
    const QString first = readWholeLines(outPath_).section(QLatin1Char('\n'), 0, 0);
    if (!announced || !first.startsWith(QLatin1String("PTY /dev/"))) {
        *error = QStringLiteral("zanu-sim %1 gave no pty: '%2' %3")
                     .arg(args.join(QLatin1Char(' ')), first, errorOutput());
        return false;
    }
    pty_ = first.mid(4);
    return true;
}

QList<TraceLine> SimProcess::trace() const {
    QList<TraceLine> out;
    const QStringList lines = readWholeLines(outPath_).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &l : lines)
        if (auto t = parseTraceLine(l)) out.append(*t);
    return out;
}

QList<int> SimProcess::requests() const {
    QList<int> out;
    for (const TraceLine &t : trace())
        if (t.request) out.append(t.command);
    return out;
}

QByteArray SimProcess::lastRequestData(int command) const {
    const QList<TraceLine> t = trace();
    for (auto it = t.crbegin(); it != t.crend(); ++it)
        if (it->request && it->command == command) return it->data;
    return {};
}

std::optional<double> SimProcess::meterMa() const {
    const QString out = readWholeLines(outPath_);
    const qsizetype at = out.lastIndexOf(QLatin1String("LOOP ma="));
    if (at < 0) return std::nullopt;
    return out.mid(at + 8).section(QLatin1Char('\n'), 0, 0).toDouble();
}

QJsonObject SimProcess::state() const {
    QFile f(statePath_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QString SimProcess::errorOutput() const {
    QFile f(errPath_);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void SimProcess::kill() {
    if (proc_.state() == QProcess::NotRunning) return;
    ::kill(pid_t(proc_.processId()), SIGKILL);
    proc_.waitForFinished(kStartMs);
}

void SimProcess::stop() {
    if (proc_.state() == QProcess::NotRunning) return;
    ::kill(pid_t(proc_.processId()), SIGTERM);
    if (!proc_.waitForFinished(3000)) kill();
}

// -------------------------------------------------------------------------------------------
// FaultyLine

FaultyLine::FaultyLine(const QString &device, const QString &label, const LineFaults &faults,
                       std::shared_ptr<int> swallowLeft)
    : inner_(std::make_unique<SerialLine>(device, label)), faults_(faults),
      swallowLeft_(swallowLeft ? std::move(swallowLeft)
                               : std::make_shared<int>(faults.swallowTimes)),
      rng_(faults.seed) {
    connect(inner_.get(), &HartLine::received, this, &FaultyLine::onReceived);
    connect(inner_.get(), &HartLine::sent, this, &HartLine::sent);
    connect(inner_.get(), &HartLine::failed, this, &HartLine::failed);
}

FaultyLine::~FaultyLine() = default;

bool FaultyLine::open(QString *error) {
    return inner_->open(error);
}
void FaultyLine::close() {
    inner_->close();
}
bool FaultyLine::isOpen() const {
    return inner_->isOpen();
}
QString FaultyLine::deviceName() const {
    return inner_->deviceName();
}

void FaultyLine::send(const QByteArray &frame) {
    swallowing_ = false;
    if (faults_.swallowCommand >= 0 && *swallowLeft_ > 0) {
        hart::FrameParser parser;
        parser.push(frame);
        const auto item = parser.take();
        if (item && item->frame.command == faults_.swallowCommand) {
            --*swallowLeft_;
            swallowing_ = true;
            ++swallowCounter();
        }
    }
    if (swallowing_ && faults_.loseRequests) {
        QTimer::singleShot(0, this, [this] { emit sent(); });
        return;
    }
    inner_->send(frame);
}

int FaultyLine::burstsInjected() {
    return burstCounter();
}
int FaultyLine::repliesSwallowed() {
    return swallowCounter();
}
void FaultyLine::resetCounters() {
    burstCounter() = 0;
    swallowCounter() = 0;
}

HartX::LineFactory FaultyLine::factory(const LineFaults &faults, std::shared_ptr<int> swallowLeft) {
    auto left = swallowLeft ? std::move(swallowLeft) : std::make_shared<int>(faults.swallowTimes);
    return [faults, left](int port) -> std::unique_ptr<HartLine> {
        return std::make_unique<FaultyLine>(comPortDeviceName(port),
                                            QStringLiteral("COM %1").arg(port), faults, left);
    };
}

QByteArray FaultyLine::garbage() {
    ++burstCounter();
    std::uniform_int_distribution<int> length(1, 24);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> kind(0, 3);
    QByteArray out;
    const int n = length(rng_);
    for (int i = 0; i < n; ++i) {
        // Runs of 0xFF look like preambles and make the parser hunt for a frame that is not there.
        if (kind(rng_) == 0)
            out.append(QByteArray(3, char(0xFF)));
        else
            out.append(char(byte(rng_)));
    }
    return out;
}

void FaultyLine::onReceived(const QByteArray &bytes) {
    if (swallowing_) return;
    if (faults_.burstProbability <= 0.0) {
        emit received(bytes);
        return;
    }
    std::uniform_real_distribution<double> roll(0.0, 1.0);
    if (roll(rng_) < faults_.burstProbability) emit received(garbage());
    emit received(bytes);
    if (roll(rng_) < faults_.burstProbability) {
        std::uniform_int_distribution<int> delay(1, 40);
        QTimer::singleShot(delay(rng_), this, [this] {
            if (inner_->isOpen()) emit received(garbage());
        });
    }
}

// -------------------------------------------------------------------------------------------
// Fixture

Fixture::Fixture() {
    MsgBoxSeam::clearHistory();
    MsgBoxSeam::setScript([this](const MsgBoxSeam::Shown &shown) {
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        if (shown.buttons == vbRetryCancel && noAnswerRetries > 0) {
            --noAnswerRetries;
            return int(vbRetry);
        }
        return shown.buttons == vbOKOnly ? int(vbOK) : int(vbCancel);
    });
    SetMousePointer(vbDefault);
    programDir = dir.path();
    FaultyLine::resetCounters();
}

Fixture::~Fixture() {
    form.reset();
    sims.clear();
    MsgBoxSeam::clearScript();
    SetMousePointer(vbDefault);
    qunsetenv("ZANU_COM5");
}

bool Fixture::startSim(const QStringList &options, QString *error) {
    auto sim = std::make_unique<SimProcess>(dir.path());
    if (!sim->start(options, error)) return false;
    pointCom5At(*sim);
    sims.push_back(std::move(sim));
    return true;
}

void Fixture::pointCom5At(const SimProcess &sim) {
    qputenv("ZANU_COM5", sim.pty().toLocal8Bit());
}

bool Fixture::load(const std::function<void(Form1 &)> &beforeLoad) {
    SetProgramDirectory(programDir);
    if (!iniContent.isNull()) {
        QFile ini(QDir(programDir).filePath(QStringLiteral("zanu.ini")));
        if (!ini.open(QIODevice::WriteOnly) || ini.write(iniContent) != iniContent.size())
            return false;
    }

    form = std::make_unique<Form1>();
    form->HartX1->setLinkTiming(linkTiming);
    QObject::connect(form->HartX1, &HartX::Result, &resultWitness_,
                     [this](qint16, qint16 command, qint16 result) {
                         results.append({command, result, requestCount()});
                     });
    for (QTimer *t : {form->Timer1, form->Timer2, form->Timer4, form->Timer5}) {
        timers_.push_back({t, TimerTicks{}});
        QObject::connect(t, &QTimer::timeout, &resultWitness_, [this, t] { ++ticksOf(t)->fired; });
    }
    if (beforeLoad) beforeLoad(*form);
    form->Form_Load();
    form->show();
    return true;
}

void Fixture::answerComDialog(int port) {
    comDialogAnswered_ = false;
    comDialogPoll_ = std::make_unique<QTimer>();
    comDialogPoll_->setInterval(5);
    QObject::connect(comDialogPoll_.get(), &QTimer::timeout, &resultWitness_, [this, port] {
        auto *dialog = qobject_cast<Form2 *>(QApplication::activeModalWidget());
        if (!dialog) return;
        comDialogPoll_->stop();
        comDialogAnswered_ = true;
        if (port >= 1 && port <= int(dialog->Option1.size()))
            dialog->Option1[size_t(port - 1)]->setChecked(true);
        dialog->Command1->click();
    });
    comDialogGuard_ = std::make_unique<QTimer>();
    comDialogGuard_->setSingleShot(true);
    QObject::connect(comDialogGuard_.get(), &QTimer::timeout, &resultWitness_, [this] {
        comDialogPoll_->stop();
        if (auto *dialog = qobject_cast<Form2 *>(QApplication::activeModalWidget()))
            dialog->close();
    });
    comDialogPoll_->start();
    comDialogGuard_->start(kChainMs);
}

bool Fixture::runComSettings(int port) {
    answerComDialog(port);
    form->Compoort_Click();
    comDialogPoll_->stop();
    comDialogGuard_->stop();
    return comDialogAnswered_;
}

bool Fixture::waitFor(const std::function<bool()> &condition, int timeoutMs) {
    return waitInLoop(condition, timeoutMs);
}

bool Fixture::waitForData(int timeoutMs) {
    return waitFor([this] { return form && form->Command2->text() == QLatin1String("Re&fresh"); },
                   timeoutMs);
}

// The control raises Result from the event loop once a transaction has ended: idle means that
// Result has been handled too, and nothing it started is outstanding.
bool Fixture::waitIdle(int timeoutMs) {
    return waitFor(
        [this] {
            QCoreApplication::processEvents();
            return form && !form->HartX1->isBusy();
        },
        timeoutMs);
}

bool Fixture::nothingMoreGoesOut() {
    QCoreApplication::processEvents();
    if (!form) return true;
    if (form->HartX1->isBusy()) return false;
    for (QTimer *t : {form->Timer1, form->Timer2, form->Timer4, form->Timer5})
        if (t->isActive()) return false;
    return true;
}

bool Fixture::waitForResults(int n, int timeoutMs) {
    return waitFor([this, n] { return results.size() >= n; }, timeoutMs);
}

bool Fixture::settle(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (!form || !form->isVisible()) return true;
        if (!waitIdle(int(qMax<qint64>(1, timeoutMs - clock.elapsed())))) return false;
        QTimer *armed = nullptr;
        for (QTimer *t : {form->Timer1, form->Timer2, form->Timer4})
            if (t->isActive()) armed = t;
        if (!armed) return true;
        tick(armed);
        if (clock.elapsed() > timeoutMs) return false;
    }
}

Fixture::TimerTicks *Fixture::ticksOf(QTimer *timer) {
    for (auto &entry : timers_)
        if (entry.first == timer) return &entry.second;
    timers_.push_back({timer, TimerTicks{}});
    return &timers_.back().second;
}

bool Fixture::tick(QTimer *timer) {
    if (!form) return false;
    TimerTicks *ticks = ticksOf(timer);
    if (!timer->isActive()) {
        // Under a loaded machine the timer may have run out by itself: that was its tick.
        if (ticks->fired > ticks->accounted) {
            ticks->accounted = ticks->fired;
            return true;
        }
        return false;
    }
    ticks->accounted = ticks->fired;
    if (timer == form->Timer1)
        form->session->Timer1_Timer();
    else if (timer == form->Timer2)
        form->session->Timer2_Timer();
    else if (timer == form->Timer4)
        form->session->Timer4_Timer();
    else if (timer == form->Timer5)
        form->session->Timer5_Timer();
    else
        return false;
    return true;
}

QList<int> Fixture::allRequests() const {
    QList<int> all;
    for (const auto &s : sims)
        all += s->requests();
    return all;
}

QList<int> Fixture::requestsSince(int mark) const {
    return allRequests().mid(mark);
}

QStringList Fixture::boxTexts() const {
    QStringList out;
    for (const auto &b : MsgBoxSeam::history())
        out << b.prompt;
    return out;
}

QString Fixture::checkResults(bool emptyNoAnswerOk) const {
    const QList<int> all = allRequests();
    int from = 0;
    for (int i = 0; i < results.size(); ++i) {
        const ResultSeen &r = results[i];
        const QList<int> segment = all.mid(from, qMax(0, r.requestsBefore - from));
        const QString what =
            QStringLiteral("Result %1 (command %2, iResult %3) after requests [%4]")
                .arg(i)
                .arg(r.command)
                .arg(r.result)
                .arg(listText(segment));
        if (r.requestsBefore < from)
            return what + QStringLiteral(": the request count went backwards");
        for (int c : segment)
            if (c != r.command && c != 0)
                return what + QStringLiteral(": a request for another command in between");
        if (r.result != HartX::kNoAnswer) {
            if (segment.isEmpty())
                return what + QStringLiteral(": a reply Result with no request behind it");
            if (segment.last() != r.command)
                return what + QStringLiteral(": the last request was not this command");
        } else if (segment.isEmpty() && !emptyNoAnswerOk) {
            return what + QStringLiteral(": a no-answer Result with no request behind it");
        }
        from = r.requestsBefore;
    }
    if (all.size() > from)
        return QStringLiteral("requests without a Result: %1").arg(listText(all.mid(from)));
    return QString();
}

// -------------------------------------------------------------------------------------------
// Shared steps

void startAndLoad(Fixture &fx, const QStringList &simOptions, QJsonObject *initial,
                  const std::function<void(Form1 &)> &beforeLoad) {
    QString error;
    QVERIFY2(fx.startSim(simOptions, &error), qPrintable(error));
    *initial = fx.sim().state();
    QVERIFY(!initial->isEmpty());
    QVERIFY(fx.load(beforeLoad));
}

void verifyShowsDefaults(Form1 &f) {
    QCOMPARE(f.Text7->text().trimmed(), QStringLiteral("LT-101"));
    QCOMPARE(f.Combo1->currentText(), QStringLiteral("mH2O"));
    QCOMPARE(Module1::NumberOf(f.Text4->text()), 0.0);
    QCOMPARE(Module1::NumberOf(f.Text5->text()), 10.0);
    QCOMPARE(float(Module1::NumberOf(f.Text6->text())), 0.4f);
    QVERIFY(f.Option1[0]->isChecked());
    QCOMPARE(f.StatusPanel[1]->text(), QStringLiteral("Transmitter Serialnumber: 6801234"));
}

void recoverOnHealthyLine(Fixture &fx, bool plainSerialLine) {
    QString error;
    QVERIFY2(fx.startSim({}, &error), qPrintable(error));
    if (plainSerialLine) {
        fx.form->HartX1->setLineFactory([](int port) {
            return std::make_unique<SerialLine>(comPortDeviceName(port),
                                                QStringLiteral("COM %1").arg(port));
        });
    }
    const int boxesBefore = int(fx.boxes().size());
    fx.noAnswerRetries = 0;
    QVERIFY(fx.runComSettings());
    QVERIFY(fx.settle(kChainMs));
    QCOMPARE(fx.sim().requests(), kReadSequence + QList<int>{2});
    QCOMPARE(fx.boxes().size(), boxesBefore);
    verifyShowsDefaults(*fx.form);
}

} // namespace e2e
