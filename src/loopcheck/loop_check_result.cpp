#include "loopcheck/loop_check_result.h"

#include "platform/csv.h"
#include "units/module1.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

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

// English, as the CSV file keeps them for the programs that read it; marked so that the window
// can show them in its language.
QString LoopCheckResult::verdictText(Verdict v) {
    switch (v) {
    case Verdict::Passed:
        return QStringLiteral(QT_TRANSLATE_NOOP("LoopCheckResult", "Passed"));
    case Verdict::Failed:
        return QStringLiteral(QT_TRANSLATE_NOOP("LoopCheckResult", "Failed"));
    case Verdict::Incomplete:
        break;
    }
    return QStringLiteral(QT_TRANSLATE_NOOP("LoopCheckResult", "Incomplete"));
}

QString LoopCheckResult::pointText(const LoopCheckPoint &p) const {
    if (p.skipped) return QStringLiteral(QT_TRANSLATE_NOOP("LoopCheckResult", "Skipped"));
    if (!p.measuredMa) return QString();
    return passes(p) ? QStringLiteral(QT_TRANSLATE_NOOP("LoopCheckResult", "Pass"))
                     : QStringLiteral(QT_TRANSLATE_NOOP("LoopCheckResult", "Fail"));
}

QString LoopCheckResult::toCsv() const {
    QString out;
    const QString tol = tolerancePercent ? number(tolerance, 4) + QStringLiteral(" % of span (") +
                                               number(toleranceMa(), 4) + QStringLiteral(" mA)")
                                         : number(tolerance, 4) + QStringLiteral(" mA");
    out += csv::line({QStringLiteral("Loop check"), QStringLiteral("zanu-config")});
    out += csv::line({QStringLiteral("Started"), csv::isoTime(started)});
    out += csv::line({QStringLiteral("Finished"), csv::isoTime(finished)});
    out += csv::line({QStringLiteral("Tag"), tag});
    out += csv::line({QStringLiteral("Descriptor"), descriptor});
    out += csv::line({QStringLiteral("Serial number"), QString::number(serialNumber)});
    out += csv::line({QStringLiteral("Range"), number(lowerRangeValue, 4) + QStringLiteral(" to ") +
                                                   number(upperRangeValue, 4) + QLatin1Char(' ') +
                                                   unit});
    out += csv::line({QStringLiteral("Tolerance"), tol});
    out += csv::line({QStringLiteral("Settling time (s)"), number(settlingMs / 1000.0, 1)});
    out += csv::line({QStringLiteral("Result"), verdictText(verdict())});
    out += csv::line({QStringLiteral("Fixed current released"),
                      releaseConfirmed ? QStringLiteral("Yes") : QStringLiteral("NOT CONFIRMED")});
    out += QStringLiteral("\r\n");
    out += csv::line({QStringLiteral("Point (mA)"), QStringLiteral("Read back (mA)"),
                      QStringLiteral("Measured (mA)"), QStringLiteral("Deviation (mA)"),
                      QStringLiteral("Result")});
    for (const LoopCheckPoint &p : points)
        out += csv::line({number(p.setpointMa), number(p.readbackMa), number(p.measuredMa),
                          number(p.deviationMa()), pointText(p)});
    return out;
}

bool LoopCheckResult::saveCsv(const QString &path, QString *error) const {
    return csv::save(path, toCsv(), error);
}

std::optional<double> ParseTypedCurrent(const QString &text) {
    const QString t = Module1::NormalizeDecimal(text.trimmed());
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}
