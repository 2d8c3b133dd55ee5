#include "trend/trend_window.h"

#include "dialogs/msgbox.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>

namespace {

// The plot is redrawn at most this often; polls come once a second, faster only in tests.
constexpr std::chrono::milliseconds kRedrawInterval{200};

// 4 mA is 0 % and 20 mA is 100 %: with the two axes tied this way a healthy output draws both
// lines on top of each other, and a fixed or saturated current stands apart.
double percentOf(double mA) {
    return (mA - 4.0) / 16.0 * 100.0;
}

} // namespace

TrendWindow::TrendWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TrendWindow"));
    clock = [] { return QDateTime::currentMSecsSinceEpoch(); };

    QChart *chart = makeChart();

    chartView = new QChartView(chart, this);
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(480, 280);
    chartView->viewport()->installEventFilter(this);

    scroll = new QScrollBar(Qt::Horizontal, this);
    scroll->setObjectName(QStringLiteral("scroll"));

    QHBoxLayout *buttons = makeButtons();

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setWordWrap(true);

    auto *top = new QVBoxLayout(this);
    top->addWidget(chartView, 1);
    top->addWidget(scroll);
    top->addLayout(buttons);
    top->addWidget(statusLabel);

    connectControls();

    askSavePath = [](QWidget *p, const QString &suggested) {
        return QFileDialog::getSaveFileName(p, tr("Export trend"), suggested,
                                            tr("CSV files (*.csv)"));
    };

    resize(720, 460);
    retranslate();
    refresh();
}

QChart *TrendWindow::makeChart() {
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    currentSeries = new QLineSeries(chart);
    percentSeries = new QLineSeries(chart);
    chart->addSeries(currentSeries);
    chart->addSeries(percentSeries);
    timeAxis = new QDateTimeAxis(chart);
    timeAxis->setFormat(QStringLiteral("HH:mm:ss"));
    timeAxis->setTickCount(6);
    currentAxis = new QValueAxis(chart);
    currentAxis->setTitleText(QStringLiteral("mA"));
    currentAxis->setLabelFormat(QStringLiteral("%.1f"));
    percentAxis = new QValueAxis(chart);
    percentAxis->setTitleText(QStringLiteral("%"));
    percentAxis->setLabelFormat(QStringLiteral("%.0f"));
    // Ticks where engineers read a loop: every 4 mA, every 25 %, which fall on the same lines.
    currentAxis->setTickType(QValueAxis::TicksDynamic);
    currentAxis->setTickAnchor(4.0);
    currentAxis->setTickInterval(4.0);
    percentAxis->setTickType(QValueAxis::TicksDynamic);
    percentAxis->setTickAnchor(0.0);
    percentAxis->setTickInterval(25.0);
    // The two lines coincide on a healthy output: the current is drawn wide underneath, the
    // percent thin on top, so both stay visible.
    QPen wide = currentSeries->pen();
    wide.setWidthF(4.0);
    currentSeries->setPen(wide);
    QPen thin = percentSeries->pen();
    thin.setWidthF(1.5);
    percentSeries->setPen(thin);
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(currentAxis, Qt::AlignLeft);
    chart->addAxis(percentAxis, Qt::AlignRight);
    currentSeries->attachAxis(timeAxis);
    currentSeries->attachAxis(currentAxis);
    percentSeries->attachAxis(timeAxis);
    percentSeries->attachAxis(percentAxis);
    return chart;
}

QHBoxLayout *TrendWindow::makeButtons() {
    pauseButton = new QPushButton(this);
    pauseButton->setCheckable(true);
    zoomInButton = new QPushButton(this);
    zoomOutButton = new QPushButton(this);
    liveButton = new QPushButton(this);
    exportButton = new QPushButton(this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {pauseButton, zoomInButton, zoomOutButton, liveButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    return buttons;
}

void TrendWindow::connectControls() {
    redraw_ = new QTimer(this);
    redraw_->setSingleShot(true);
    redraw_->setInterval(kRedrawInterval);
    connect(redraw_, &QTimer::timeout, this, &TrendWindow::refresh);
    silentTick_ = new QTimer(this);
    silentTick_->setInterval(std::chrono::seconds(1));
    connect(silentTick_, &QTimer::timeout, this, &TrendWindow::scheduleRefresh);

    connect(pauseButton, &QPushButton::toggled, this, [this](bool on) {
        pauseButton->setText(pauseText());
        if (on) {
            endMs_ = viewEndMs();
            follow_ = false;
        } else {
            follow_ = true;
        }
        refresh();
    });
    connect(zoomInButton, &QPushButton::clicked, this, &TrendWindow::zoomIn);
    connect(zoomOutButton, &QPushButton::clicked, this, &TrendWindow::zoomOut);
    connect(liveButton, &QPushButton::clicked, this, &TrendWindow::goLive);
    connect(exportButton, &QPushButton::clicked, this, &TrendWindow::exportClicked);
    connect(scroll, &QScrollBar::valueChanged, this, [this](int seconds) {
        if (updatingScroll_ || buffer_.isEmpty()) return;
        endMs_ = buffer_.first().msecs + qint64(seconds) * 1000 + spanMs_;
        follow_ = seconds >= scroll->maximum() && !paused();
        refresh();
    });
}

TrendWindow::~TrendWindow() = default;

bool TrendWindow::paused() const {
    return pauseButton->isChecked();
}

qint64 TrendWindow::viewEndMs() const {
    if (!follow_) return endMs_;
    if (buffer_.isEmpty()) return clock();
    // A silent line shows as empty time growing at the right.
    const qint64 end = std::max(buffer_.last().msecs, endMs_);
    return silentSince_ ? std::max(end, clock()) : end;
}

void TrendWindow::addSample(float mA, float percent) {
    buffer_.append({clock(), mA, percent});
    // A paused plot keeps recording; only the picture stands still.
    scheduleRefresh();
}

void TrendWindow::setMonitoring(bool on) {
    monitoring_ = on;
    updateStatus();
}

void TrendWindow::setNoAnswerSince(std::optional<qint64> sinceMs) {
    if (sinceMs == silentSince_) return;
    if (sinceMs && !silentSince_) {
        buffer_.markGap(clock());
        silentTick_->start();
    } else if (!sinceMs) {
        silentTick_->stop();
    }
    silentSince_ = sinceMs;
    refresh();
}

void TrendWindow::scheduleRefresh() {
    if (!redraw_->isActive()) redraw_->start();
}

void TrendWindow::zoomIn() {
    const qint64 end = viewEndMs();
    spanMs_ = std::max(kShortestSpanMs, spanMs_ / 2);
    if (!follow_) endMs_ = end;
    refresh();
}

void TrendWindow::zoomOut() {
    const qint64 end = viewEndMs();
    spanMs_ = std::min(TrendBuffer::kKeepMs, spanMs_ * 2);
    if (!follow_) endMs_ = end;
    refresh();
}

void TrendWindow::pan(qint64 ms) {
    endMs_ = viewEndMs() + ms;
    follow_ = false;
    if (!buffer_.isEmpty() && !paused() && endMs_ >= buffer_.last().msecs) follow_ = true;
    refresh();
}

void TrendWindow::goLive() {
    if (paused()) pauseButton->setChecked(false); // also refreshes
    follow_ = true;
    endMs_ = 0;
    refresh();
}

void TrendWindow::refresh() {
    redraw_->stop();
    const qint64 end = viewEndMs();
    const qint64 start = end - spanMs_;
    const QList<QList<TrendSample>> runs = buffer_.runs(start, end, kMaxPlotPoints);
    double lo = 3.5, hi = 20.5;
    for (const QList<TrendSample> &run : runs)
        for (const TrendSample &s : run) {
            lo = std::min(lo, double(s.mA) - 0.5);
            hi = std::max(hi, double(s.mA) + 0.5);
        }
    drawRuns(runs);
    timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(start), QDateTime::fromMSecsSinceEpoch(end));
    timeAxis->setFormat(spanMs_ > 6LL * 60 * 60 * 1000 ? QStringLiteral("dd.MM. HH:mm")
                                                       : QStringLiteral("HH:mm:ss"));
    currentAxis->setRange(lo, hi);
    percentAxis->setRange(percentOf(lo), percentOf(hi));
    updateScroll();
    updateStatus();
}

void TrendWindow::drawRuns(QList<QList<TrendSample>> runs) {
    // A line that fails every few seconds would cost a series per gap; past this many, the
    // latest ones are joined again (at such a zoom a gap is a pixel or two).
    constexpr qsizetype kMaxLines = 100;
    if (runs.size() > kMaxLines) {
        for (qsizetype i = kMaxLines; i < runs.size(); ++i)
            runs[kMaxLines - 1] += runs[i];
        runs.resize(kMaxLines);
    }
    QChart *chart = chartView->chart();
    const auto later = [&](QList<QLineSeries *> &list, QLineSeries *like, qsizetype i) {
        while (list.size() <= i) {
            auto *s = new QLineSeries(chart);
            chart->addSeries(s);
            s->attachAxis(timeAxis);
            s->attachAxis(like == currentSeries ? currentAxis : percentAxis);
            s->setPen(like->pen()); // after addSeries, which gives it the theme's next colour
            // One entry per quantity in the legend, however often the line breaks.
            for (QLegendMarker *m : chart->legend()->markers(s))
                m->setVisible(false);
            list.append(s);
        }
        return list[i];
    };
    for (qsizetype r = 0; r < std::max<qsizetype>(runs.size(), laterCurrent.size() + 1); ++r) {
        QList<QPointF> mA, pct;
        if (r < runs.size()) {
            mA.reserve(runs[r].size());
            pct.reserve(runs[r].size());
            for (const TrendSample &s : runs[r]) {
                mA.append(QPointF(double(s.msecs), double(s.mA)));
                pct.append(QPointF(double(s.msecs), double(s.percent)));
            }
        }
        if (r == 0) {
            currentSeries->replace(mA);
            percentSeries->replace(pct);
        } else {
            later(laterCurrent, currentSeries, r - 1)->replace(mA);
            later(laterPercent, percentSeries, r - 1)->replace(pct);
        }
    }
}

void TrendWindow::updateScroll() {
    updatingScroll_ = true;
    if (buffer_.isEmpty()) {
        scroll->setRange(0, 0);
    } else {
        const qint64 history = buffer_.last().msecs - buffer_.first().msecs;
        const int maxSeconds = int(std::max<qint64>(0, history - spanMs_) / 1000);
        scroll->setRange(0, maxSeconds);
        scroll->setPageStep(int(std::max<qint64>(1, spanMs_ / 1000)));
        scroll->setSingleStep(int(std::max<qint64>(1, spanMs_ / 10000)));
        const qint64 at = (viewEndMs() - spanMs_ - buffer_.first().msecs) / 1000;
        scroll->setValue(int(std::clamp<qint64>(at, 0, maxSeconds)));
    }
    updatingScroll_ = false;
}

void TrendWindow::updateStatus() {
    QString text;
    if (silentSince_)
        text = tr("No answer since %1: nothing is drawn until the transmitter answers "
                  "again. ")
                   .arg(QDateTime::fromMSecsSinceEpoch(*silentSince_)
                            .toString(QStringLiteral("HH:mm:ss")));
    text += monitoring_ ? tr("Monitoring is on: one point per poll.")
                        : tr("Monitoring is off: the plot stands still. Select \"On\" "
                             "under the output signal in the main window to record.");
    if (paused()) text += tr(" Paused: new points are recorded but not shown.");
    text += tr(" %1 points kept (at most a day); %2 min shown.")
                .arg(buffer_.size())
                .arg(QLocale::system().toString(double(spanMs_) / 60000.0, 'f', 1));
    statusLabel->setText(text);
}

bool TrendWindow::exportCsv(const QString &path) {
    QString error;
    if (buffer_.saveCsv(path, &error)) return true;
    MsgBox(tr("The trend could not be saved to %1: %2\n\nChoose another folder or file "
              "name and export again.")
               .arg(QDir::toNativeSeparators(path), error),
           vbOKOnly, tr("Trend"));
    return false;
}

void TrendWindow::exportClicked() {
    const QString name =
        QStringLiteral("trend-%1.csv")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
    const QString path = askSavePath(this, QDir::home().filePath(name));
    if (!path.isEmpty()) exportCsv(path);
}

// The mouse wheel zooms the time axis, a sideways wheel or Shift+wheel pans it.
QString TrendWindow::pauseText() const {
    return pauseButton->isChecked() ? tr("&Resume") : tr("&Pause");
}

void TrendWindow::retranslate() {
    setWindowTitle(tr("Trend"));
    chartView->setAccessibleName(tr("Trend of loop current and percent of range"));
    scroll->setAccessibleName(tr("Time shown"));
    currentSeries->setName(tr("Loop current (mA)"));
    percentSeries->setName(tr("Percent of range (%)"));
    timeAxis->setTitleText(tr("Time"));
    pauseButton->setText(pauseText());
    zoomInButton->setText(tr("Zoom &in"));
    zoomOutButton->setText(tr("Zoom &out"));
    liveButton->setText(tr("&Latest"));
    exportButton->setText(tr("&Export CSV…"));
}

void TrendWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    retranslate();
    updateStatus();
}

bool TrendWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == chartView->viewport() && event->type() == QEvent::Wheel) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint d = wheel->angleDelta();
        if (d.x() != 0 || (wheel->modifiers() & Qt::ShiftModifier)) {
            const int steps = (d.x() != 0 ? d.x() : d.y()) / 120;
            pan(-qint64(steps) * spanMs_ / 10);
        } else if (d.y() > 0) {
            zoomIn();
        } else if (d.y() < 0) {
            zoomOut();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
