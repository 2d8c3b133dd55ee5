// The trend of the output signal: one sample per answered poll and none without monitoring, a
// day at most kept, spikes kept through any zoom, the view's zoom, pan and pause, and the CSV.
#include "chain_helper.h"
#include "trend/trend_window.h"

#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 kStart = 1796630400000; // 2026-12-07 00:00 UTC

// A clock the test moves by hand.
struct FakeClock {
    qint64 now = kStart;
    std::function<qint64()> fn() {
        return [this] { return now; };
    }
};

} // namespace

class TestTrend : public QObject {
    Q_OBJECT
private slots:
    void samplesFollowThePolls();
    void atMostADayIsKept();
    void thinningKeepsSpikes_data();
    void thinningKeepsSpikes();
    void zoomPanAndPause();
    void csvExport();
    void silenceBreaksTheLine_data();
    void silenceBreaksTheLine();
};

void TestTrend::samplesFollowThePolls() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    Form1 &m = *f.form;
    m.TrendMenu->trigger();
    TrendWindow *t = m.trendWindow;
    QVERIFY(t);
    QVERIFY(t->statusLabel->text().contains(QLatin1String("Monitoring is off")));
    // The window behind others, or closed, keeps recording.
    t->close();
    f.device.setAppliedPressure(2.5); // a quarter of the 0-10 mH2O range: 8 mA, 25 %
    f.device.settle();
    QVERIFY(startMonitoring(f));
    QVERIFY(t->statusLabel->text().contains(QLatin1String("Monitoring is on")));
    for (int i = 0; i < 4; ++i) {
        m.Timer5->stop();
        m.session->Timer5_Timer();
        QVERIFY(spinIdle(f));
    }
    const int polls = int(chain::requestsOf(f, 2).size());
    QCOMPARE(polls, 5);
    QCOMPARE(t->buffer().size(), polls);
    QCOMPARE(t->buffer().last().mA, f.device.loopCurrent());
    QCOMPARE(t->buffer().last().percent, f.device.percentOfRange());
    QVERIFY(qAbs(t->buffer().last().mA - 8.0f) < 1e-4f);

    // Monitoring off: nothing more is recorded, and the plot sends nothing of its own.
    m.Option3[0]->click();
    QVERIFY(t->statusLabel->text().contains(QLatin1String("Monitoring is off")));
    QVERIFY(spinIdle(f));
    const int before = t->buffer().size();
    f.device.clearTrace();
    t->show();
    t->refresh();
    spinFor(1300);
    QVERIFY(f.device.trace().isEmpty());
    QCOMPARE(t->buffer().size(), before);
    QCOMPARE(t->currentSeries->count(), before);
}

void TestTrend::atMostADayIsKept() {
    TrendBuffer b;
    const int day = 24 * 60 * 60;
    for (int i = 0; i <= day + 500; ++i)
        b.append({kStart + qint64(i) * 1000, 4.0f, 0.0f});
    QCOMPARE(b.last().msecs - b.first().msecs, TrendBuffer::kKeepMs);
    QCOMPARE(b.size(), day + 1);
    // A clock gone wild (many samples at one instant) still cannot grow it without end.
    for (int i = 0; i < TrendBuffer::kMaxSamples + 10; ++i)
        b.append({b.last().msecs, 5.0f, 0.0f});
    QCOMPARE(b.size(), TrendBuffer::kMaxSamples);
}

void TestTrend::thinningKeepsSpikes_data() {
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<int>("spikeAt");
    QTest::newRow("10 min unthinned") << 600 << 2000 << 300;
    QTest::newRow("a day into 2000 points") << 86400 << 2000 << 40001;
    QTest::newRow("a spike in the first sample") << 86400 << 2000 << 0;
    QTest::newRow("a spike in the last sample") << 86400 << 2000 << 86399;
}

void TestTrend::thinningKeepsSpikes() {
    QFETCH(int, samples);
    QFETCH(int, maxPoints);
    QFETCH(int, spikeAt);
    TrendBuffer b;
    for (int i = 0; i < samples; ++i)
        b.append({kStart + qint64(i) * 1000, i == spikeAt ? 21.5f : 12.0f, 50.0f});
    const QList<TrendSample> w = b.window(b.first().msecs, b.last().msecs, maxPoints);
    QVERIFY(w.size() <= maxPoints + 2);
    float top = 0;
    qint64 previous = 0;
    for (const TrendSample &s : w) {
        top = std::max(top, s.mA);
        QVERIFY(s.msecs >= previous); // still in time order
        previous = s.msecs;
    }
    QCOMPARE(top, 21.5f);
}

void TestTrend::zoomPanAndPause() {
    FakeClock clock;
    TrendWindow t;
    t.clock = clock.fn();
    for (int i = 0; i < 3600; ++i, clock.now += 1000)
        t.addSample(12.0f, 50.0f);
    t.refresh();
    const qint64 last = t.buffer().last().msecs;
    QCOMPARE(t.viewSpanMs(), TrendWindow::kDefaultSpanMs);
    QCOMPARE(t.viewEndMs(), last);
    QCOMPARE(t.currentSeries->count(), 601 + 1); // ten minutes, and one beyond the left edge

    t.zoomInButton->click();
    QCOMPARE(t.viewSpanMs(), TrendWindow::kDefaultSpanMs / 2);
    t.zoomOutButton->click();
    t.zoomOutButton->click();
    QCOMPARE(t.viewSpanMs(), 2 * TrendWindow::kDefaultSpanMs);

    t.pan(-15 * 60 * 1000);
    QVERIFY(!t.following());
    QCOMPARE(t.viewEndMs(), last - 15 * 60 * 1000);
    t.addSample(12.0f, 50.0f); // recorded, but the view stays where it was put
    t.refresh();
    QCOMPARE(t.viewEndMs(), last - 15 * 60 * 1000);
    t.liveButton->click();
    QVERIFY(t.following());
    QCOMPARE(t.viewEndMs(), t.buffer().last().msecs);

    t.pauseButton->click();
    const qint64 frozen = t.viewEndMs();
    clock.now += 5000;
    t.addSample(13.0f, 56.25f);
    t.refresh();
    QCOMPARE(t.viewEndMs(), frozen);
    QCOMPARE(t.buffer().size(), 3602);
    t.pauseButton->click();
    QCOMPARE(t.viewEndMs(), clock.now);
}

void TestTrend::csvExport() {
    FakeClock clock;
    TrendWindow t;
    t.clock = clock.fn();
    const float values[][2] = {{4.0f, 0.0f}, {12.3456f, 52.16f}, {20.5f, 103.125f}};
    for (const auto &v : values) {
        t.addSample(v[0], v[1]);
        clock.now += 1001;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trend.csv"));
    t.askSavePath = [&](QWidget *, const QString &) { return path; };
    t.exportButton->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5); // header, three samples, the empty rest after the last CRLF
    QCOMPARE(lines[0], QStringLiteral("Time,Loop current (mA),Percent of range (%)"));
    const QStringList expected = {QStringLiteral("4.000,0.00"), QStringLiteral("12.346,52.16"),
                                  QStringLiteral("20.500,103.13")};
    for (int i = 0; i < 3; ++i) {
        const QStringList fields = lines[i + 1].split(QLatin1Char(','));
        QCOMPARE(fields.size(), 3);
        const QDateTime time = QDateTime::fromString(fields[0], Qt::ISODateWithMs);
        QVERIFY2(time.isValid(), qPrintable(fields[0]));
        QCOMPARE(time.toMSecsSinceEpoch(), kStart + i * 1001);
        // The offset is written out, so the file reads the same in any time zone.
        QVERIFY(fields[0].contains(QLatin1Char('+')) || fields[0].endsWith(QLatin1Char('Z')) ||
                fields[0].lastIndexOf(QLatin1Char('-')) > 10);
        QCOMPARE(fields.mid(1).join(QLatin1Char(',')), expected[i]);
    }
}

void TestTrend::silenceBreaksTheLine_data() {
    QTest::addColumn<QString>("events"); // sN: a sample at N s, gN: no answer noted at N s
    QTest::addColumn<QList<int>>("runs");
    QTest::newRow("one silence") << "s0 s1 g2 s9 s10" << QList<int>{2, 2};
    QTest::newRow("unanswered retries, one break") << "s0 g1 g2 g3 s9" << QList<int>{1, 1};
    QTest::newRow("silent before the first sample") << "g0 s1 s2" << QList<int>{2};
    QTest::newRow("two silences") << "s0 g1 s5 g6 s9" << QList<int>{1, 1, 1};
}

void TestTrend::silenceBreaksTheLine() {
    QFETCH(QString, events);
    QFETCH(QList<int>, runs);
    FakeClock clock;
    TrendWindow t;
    t.clock = clock.fn();
    for (const QString &e : events.split(QLatin1Char(' '))) {
        clock.now = kStart + e.mid(1).toLongLong() * 1000;
        if (e.startsWith(QLatin1Char('s'))) {
            t.setNoAnswerSince(std::nullopt);
            t.addSample(12.0f, 50.0f);
        } else {
            t.setNoAnswerSince(clock.now - 500);
        }
    }
    t.refresh();
    // Drawn as kept: the first run in the named series, one more line for each run after a gap.
    QList<int> got{int(t.currentSeries->count())};
    for (QLineSeries *later : t.laterCurrent)
        got << int(later->count());
    QCOMPARE(got, runs);
}

QTEST_MAIN(TestTrend)
#include "test_trend.moc"
