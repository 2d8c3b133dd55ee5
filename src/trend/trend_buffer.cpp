#include "trend/trend_buffer.h"

#include "platform/csv.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

void TrendBuffer::append(const TrendSample &s) {
    samples_.push_back(s);
    while (samples_.size() > size_t(kMaxSamples) ||
           (samples_.size() > 1 && s.msecs - samples_.front().msecs > kKeepMs))
        samples_.pop_front();
    while (!gaps_.empty() && gaps_.front() < samples_.front().msecs)
        gaps_.pop_front();
}

void TrendBuffer::markGap(qint64 msecs) {
    if (samples_.empty() || msecs < samples_.back().msecs) return;
    if (!gaps_.empty() && gaps_.back() >= samples_.back().msecs) return;
    gaps_.push_back(msecs);
}

QList<QList<TrendSample>> TrendBuffer::runs(qint64 from, qint64 to, int maxPoints) const {
    QList<QList<TrendSample>> out;
    const QList<TrendSample> all = window(from, to, maxPoints);
    for (qsizetype i = 0; i < all.size(); ++i) {
        // A break between two samples when a gap lies at or after the one and before the other.
        bool breaks = i == 0;
        if (!breaks) {
            const auto gap = std::lower_bound(gaps_.begin(), gaps_.end(), all[i - 1].msecs);
            breaks = gap != gaps_.end() && *gap < all[i].msecs;
        }
        if (breaks) out.append(QList<TrendSample>());
        out.last().append(all[i]);
    }
    return out;
}

QList<TrendSample> TrendBuffer::window(qint64 from, qint64 to, int maxPoints) const {
    QList<TrendSample> out;
    if (samples_.empty() || to < from) return out;
    const auto byTime = [](const TrendSample &s, qint64 t) { return s.msecs < t; };
    auto begin = std::lower_bound(samples_.begin(), samples_.end(), from, byTime);
    auto end = std::lower_bound(begin, samples_.end(), to + 1, byTime);
    if (begin != samples_.begin()) --begin;
    if (end != samples_.end()) ++end;
    const qint64 count = end - begin;
    if (count <= maxPoints || maxPoints < 4) {
        out.reserve(int(count));
        std::copy(begin, end, std::back_inserter(out));
        return out;
    }
    // Each stretch gives its lowest and highest current, in the order they came.
    const int buckets = maxPoints / 2;
    out.reserve(maxPoints + 2);
    for (int b = 0; b < buckets; ++b) {
        const auto lo = begin + count * b / buckets;
        const auto hi = begin + count * (b + 1) / buckets;
        if (lo == hi) continue;
        const auto [mn, mx] = std::minmax_element(
            lo, hi, [](const TrendSample &a, const TrendSample &c) { return a.mA < c.mA; });
        if (mn == mx) {
            out.append(*mn);
        } else if (mn < mx) {
            out.append(*mn);
            out.append(*mx);
        } else {
            out.append(*mx);
            out.append(*mn);
        }
    }
    return out;
}

QString TrendBuffer::toCsv() const {
    QString out;
    out.reserve(int(samples_.size()) * 48 + 64);
    out += csv::line({QStringLiteral("Time"), QStringLiteral("Loop current (mA)"),
                      QStringLiteral("Percent of range (%)")});
    const QLocale c = QLocale::c();
    for (const TrendSample &s : samples_)
        out += csv::line(
            {csv::isoTime(QDateTime::fromMSecsSinceEpoch(s.msecs), csv::Precision::Milliseconds),
             c.toString(double(s.mA), 'f', 3), c.toString(double(s.percent), 'f', 2)});
    return out;
}

bool TrendBuffer::saveCsv(const QString &path, QString *error) const {
    return csv::save(path, toCsv(), error);
}
