#include "window/loop_check_result.h"

#include "units/module1.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>

#include <cmath>
#include <cstdlib>

namespace {

// Set points and readings are typed with at most a few decimals; a deviation within a
// millionth of a milliampere of the tolerance is the tolerance.
constexpr double kToleranceSlackMa = 1e-6;

QString number(double v, int decimals = 3) {
    return QLocale::c().toString(v, 'f', decimals);
}

QString number(const std::optional<double> &v, int decimals = 3) {
    return v ? number(*v, decimals) : QString();
}

// ISO 8601 with the UTC offset always written out: a local time without it is ambiguous once
// the file leaves the machine (or the clocks change), and Qt writes none for local times.
QString isoTime(const QDateTime &t) {
    if (!t.isValid()) return QString();
    const int offset = t.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return t.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString csvField(const QString &s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) &&
        !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString csvLine(const QStringList &fields) {
    QStringList out;
    for (const QString &f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

std::optional<double> LoopCheckPoint::deviationMa() const {
    if (!measuredMa) return std::nullopt;
    return *measuredMa - setpointMa;
}

double LoopCheckResult::toleranceMa() const {
    return tolerancePercent ? tolerance / 100.0 * kOutputSpanMa : tolerance;
}

bool LoopCheckResult::passes(const LoopCheckPoint &p) const {
    const std::optional<double> d = p.deviationMa();
    return d && std::fabs(*d) <= toleranceMa() + kToleranceSlackMa;
}

LoopCheckResult::Verdict LoopCheckResult::verdict() const {
    int measured = 0;
    for (const LoopCheckPoint &p : points) {
        if (!p.measuredMa) continue;
        ++measured;
        if (!passes(p)) return Verdict::Failed;
    }
    if (cancelled || measured == 0 || points.size() < plannedPoints) return Verdict::Incomplete;
    return Verdict::Passed;
}

QString LoopCheckResult::verdictText(Verdict v) {
    switch (v) {
    case Verdict::Passed:
        return QStringLiteral("Passed");
    case Verdict::Failed:
        return QStringLiteral("Failed");
    case Verdict::Incomplete:
        break;
    }
    return QStringLiteral("Incomplete");
}

QString LoopCheckResult::pointText(const LoopCheckPoint &p) const {
    if (p.skipped) return QStringLiteral("Skipped");
    if (!p.measuredMa) return QString();
    return passes(p) ? QStringLiteral("Pass") : QStringLiteral("Fail");
}

QString LoopCheckResult::toCsv() const {
    QString out;
    const QString tol = tolerancePercent ? number(tolerance, 4) + QStringLiteral(" % of span (") +
                                               number(toleranceMa(), 4) + QStringLiteral(" mA)")
                                         : number(tolerance, 4) + QStringLiteral(" mA");
    out += csvLine({QStringLiteral("Loop check"), QStringLiteral("zanu-config")});
    out += csvLine({QStringLiteral("Started"), isoTime(started)});
    out += csvLine({QStringLiteral("Finished"), isoTime(finished)});
    out += csvLine({QStringLiteral("Tag"), tag});
    out += csvLine({QStringLiteral("Descriptor"), descriptor});
    out += csvLine({QStringLiteral("Serial number"), QString::number(serialNumber)});
    out += csvLine({QStringLiteral("Range"), number(lowerRangeValue, 4) + QStringLiteral(" to ") +
                                                 number(upperRangeValue, 4) + QLatin1Char(' ') +
                                                 unit});
    out += csvLine({QStringLiteral("Tolerance"), tol});
    out += csvLine({QStringLiteral("Settling time (s)"), number(settlingMs / 1000.0, 1)});
    out += csvLine({QStringLiteral("Result"), verdictText(verdict())});
    out += csvLine({QStringLiteral("Fixed current released"),
                    releaseConfirmed ? QStringLiteral("Yes") : QStringLiteral("NOT CONFIRMED")});
    out += QStringLiteral("\r\n");
    out += csvLine({QStringLiteral("Point (mA)"), QStringLiteral("Read back (mA)"),
                    QStringLiteral("Measured (mA)"), QStringLiteral("Deviation (mA)"),
                    QStringLiteral("Result")});
    for (const LoopCheckPoint &p : points)
        out += csvLine({number(p.setpointMa), number(p.readbackMa), number(p.measuredMa),
                        number(p.deviationMa()), pointText(p)});
    return out;
}

bool LoopCheckResult::saveCsv(const QString &path, QString *error) const {
    // Written aside and renamed, so that a full disk never leaves half a record where a good one
    // was.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(toCsv().toUtf8()) < 0 || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

std::optional<double> ParseTypedCurrent(const QString &text) {
    const QString t = Module1::NormalizeDecimal(text.trimmed());
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}
