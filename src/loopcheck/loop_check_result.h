// The outcome of one loop check, kept for the commissioning report and saved as CSV. Plain data
// on QtCore only, so that the report and the tests can use it without any window.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// The loop current a transmitter can be told to hold lies strictly between these.
constexpr double kLoopCheckLowestMa = 3.9;
constexpr double kLoopCheckHighestMa = 20.1;
// The span of a 4-20 mA output, which a tolerance given in percent is taken of.
constexpr double kOutputSpanMa = 16.0;

struct LoopCheckPoint {
    double setpointMa = 0;            // the current the transmitter was told to hold
    std::optional<double> readbackMa; // what the transmitter reported it outputs (command 2)
    std::optional<double> measuredMa; // what the control system or a reference meter showed
    bool skipped = false;             // the engineer chose not to enter a reading

    // Measured minus set point; empty without a measurement.
    std::optional<double> deviationMa() const;
};

struct LoopCheckResult {
    enum class Verdict { Passed, Failed, Incomplete };

    // Transmitter identity, as the main window read it.
    QString tag;
    QString descriptor;
    qint32 serialNumber = 0;
    QString unit;
    double lowerRangeValue = 0;
    double upperRangeValue = 0;

    // Settings of the check.
    double tolerance = 0.05; // in mA, or in percent of the 16 mA span
    bool tolerancePercent = false;
    int settlingMs = 2000;

    QDateTime started;
    QDateTime finished;
    QList<LoopCheckPoint> points; // in the order checked; points not reached are absent
    int plannedPoints = 0;        // how many points the check was set up with
    bool cancelled = false;
    // Whether the transmitter confirmed that fixed-current mode ended afterwards.
    bool releaseConfirmed = false;

    double toleranceMa() const;
    // A deviation passes when its size is at most the tolerance. Typed readings and set points
    // carry decimal rounding, so a deviation that is the tolerance "exactly" on paper passes.
    bool passes(const LoopCheckPoint &p) const;
    // Passed: every planned point reached, at least one measured, every measured one within
    // tolerance. Failed: any measured point outside. Incomplete otherwise (cancelled, all skipped).
    Verdict verdict() const;
    static QString verdictText(Verdict v);
    // "Pass", "Fail", "Skipped" or empty for a point still waiting for its reading.
    QString pointText(const LoopCheckPoint &p) const;

    // The result as CSV (RFC 4180, comma separated, '.' decimals, ISO 8601 times): a block of
    // "field,value" lines describing the check, an empty line, then one row per point.
    QString toCsv() const;
    // Writes toCsv() to `path`; on failure returns false with the reason in `error`.
    bool saveCsv(const QString &path, QString *error) const;
};

// Reads a typed current: decimal point or comma, surrounding blanks allowed, nothing else.
// Unlike the main window's lenient number reading, text that is not wholly a number gives
// nothing, because a mistyped reading must not become 0 mA in a record.
std::optional<double> ParseTypedCurrent(const QString &text);
