// The "Trend" window: loop current and percent of range against time, one point per poll of the
// main window's output monitoring. It never sends anything itself; with monitoring off it
// simply receives nothing. While the transmitter does not answer it says since when, and the
// lines break over the silent time instead of carrying the last reading across it.
#pragma once

#include "trend/trend_buffer.h"

#include <QWidget>

#include <functional>
#include <optional>

class QChart;
class QChartView;
class QDateTimeAxis;
class QHBoxLayout;
class QLabel;
class QLineSeries;
class QPushButton;
class QScrollBar;
class QTimer;
class QValueAxis;

class TrendWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 kDefaultSpanMs = 10 * 60 * 1000;
    static constexpr qint64 kShortestSpanMs = 30 * 1000;
    // More points than the plot has pixels only cost time.
    static constexpr int kMaxPlotPoints = 2000;

    explicit TrendWindow(QWidget *parent = nullptr);
    ~TrendWindow() override;

    // One answered poll.
    void addSample(float mA, float percent);
    void setMonitoring(bool on);
    // The transmitter is silent since `sinceMs` (its last answer); nullopt once it answers.
    void setNoAnswerSince(std::optional<qint64> sinceMs);
    std::optional<qint64> noAnswerSince() const { return silentSince_; }

    const TrendBuffer &buffer() const { return buffer_; }
    qint64 viewSpanMs() const { return spanMs_; }
    qint64 viewEndMs() const;
    bool following() const { return follow_; }
    bool paused() const;
    // Brings the plot up to date now rather than at the next redraw tick.
    void refresh();
    bool exportCsv(const QString &path);

    void zoomIn();
    void zoomOut();
    // Moves the visible stretch by this many milliseconds (negative: back in time).
    void pan(qint64 ms);
    void goLive();

    // The time source (ms since the epoch), replaceable for tests and the benchmark.
    std::function<qint64()> clock;
    // Where "Export CSV..." asks for a file name; tests replace it.
    std::function<QString(QWidget *, const QString &suggested)> askSavePath;

    QChartView *chartView = nullptr;
    // The first run of samples; the runs after a gap are drawn by more series of the same look.
    QLineSeries *currentSeries = nullptr, *percentSeries = nullptr;
    QList<QLineSeries *> laterCurrent, laterPercent;
    QDateTimeAxis *timeAxis = nullptr;
    QValueAxis *currentAxis = nullptr, *percentAxis = nullptr;
    QPushButton *pauseButton = nullptr, *zoomInButton = nullptr, *zoomOutButton = nullptr,
                *liveButton = nullptr, *exportButton = nullptr;
    QScrollBar *scroll = nullptr;
    QLabel *statusLabel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The constructor's parts: the chart with its two lines and axes, the buttons' row, and
    // what each control and timer does.
    QChart *makeChart();
    void retranslate();
    QString pauseText() const;
    QHBoxLayout *makeButtons();
    void connectControls();
    void scheduleRefresh();
    void updateScroll();
    void updateStatus();
    void exportClicked();
    void drawRuns(QList<QList<TrendSample>> runs);

    TrendBuffer buffer_;
    QTimer *redraw_ = nullptr;
    qint64 spanMs_ = kDefaultSpanMs;
    qint64 endMs_ = 0; // the right edge while not following
    bool follow_ = true;
    bool monitoring_ = false;
    std::optional<qint64> silentSince_;
    QTimer *silentTick_ = nullptr; // moves the right edge on while nothing comes
    bool updatingScroll_ = false;
};
