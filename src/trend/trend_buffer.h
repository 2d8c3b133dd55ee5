// The samples behind the trend: one per answered poll of the output signal, at most a day of
// them, so that a window left open for days stays the same size. QtCore only.
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <deque>

struct TrendSample {
    qint64 msecs = 0; // since the epoch, UTC
    float mA = 0;
    float percent = 0;
};

class TrendBuffer {
public:
    static constexpr qint64 kKeepMs = 24LL * 60 * 60 * 1000;
    // A poll takes at least a second, so a day holds fewer samples than this; the cap is for a
    // clock that jumps back and forth.
    static constexpr int kMaxSamples = 24 * 60 * 60 + 60 * 60;

    // Older samples go once they are more than a day behind the newest, or beyond the cap.
    void append(const TrendSample &s);
    void clear() {
        samples_.clear();
        gaps_.clear();
    }
    // The transmitter stopped answering at `msecs`: the line breaks between the samples before
    // it and the next one, instead of running straight across the silent time. Nothing to break
    // before the first sample, and one break between two samples is enough.
    void markGap(qint64 msecs);
    int size() const { return int(samples_.size()); }
    bool isEmpty() const { return samples_.empty(); }
    const TrendSample &at(int i) const { return samples_[size_t(i)]; }
    const TrendSample &first() const { return samples_.front(); }
    const TrendSample &last() const { return samples_.back(); }

    // The samples from `from` to `to` (ms since the epoch) with one more on either side, so that
    // the line runs to the edges; thinned to about `maxPoints` by keeping the lowest and the
    // highest current of each stretch, so that a spike survives any zoom.
    QList<TrendSample> window(qint64 from, qint64 to, int maxPoints) const;
    // The same samples, in runs between the marked gaps: one line each.
    QList<QList<TrendSample>> runs(qint64 from, qint64 to, int maxPoints) const;

    // "Time,Loop current (mA),Percent of range (%)" and one row per sample: local time in ISO
    // 8601 with milliseconds and offset, '.' decimals.
    QString toCsv() const;
    bool saveCsv(const QString &path, QString *error) const;

private:
    std::deque<TrendSample> samples_;
    std::deque<qint64> gaps_; // in time order
};
