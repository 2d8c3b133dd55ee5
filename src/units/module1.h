// Module1: the tool's pure helpers for pressure units, typed numbers and number formats.
// Everything here is free of widgets and state, so it can be tested on its own.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace Module1 {

// --- Pressure units -------------------------------------------------------------------------
// The display name is the unit's identity inside the program; "Unknown" stands for any unit code
// the table does not hold.
inline const QString kUnknownUnit = QStringLiteral("Unknown");

quint8 UnitCodeFromName(const QString &name);  // 0 for any name outside the table
QString UnitNameFromCode(int code);            // empty text for a code outside the table
QString UnitNameFromIndex(int index);          // "Unknown" outside 0..11
qint16 UnitIndexFromName(const QString &name); // 12 for any name outside the table
// The unit list of the main window: the table's names in list order, then "Unknown".
QStringList UnitListNames();
float ConvertPressure(double value, const QString &fromUnit, const QString &toUnit);

// --- Typed numbers --------------------------------------------------------------------------
// First comma becomes a point. Where the locale's own decimal separator is neither a point nor a
// comma (U+066B in Arabic and Persian), its first occurrence becomes a point too, and digits of
// other scripts become ASCII digits, so that whatever the program shows reads back.
QString NormalizeDecimal(const QString &text, const QLocale &locale = QLocale());
// The leading-number conversion: blanks/tabs/line feeds skipped anywhere, optional sign, digits,
// one point, exponent with E or D, &H / &O integers; no number gives 0. `holdsNumber`, when
// given, tells a text that starts with a number from one that gives 0 because it has none.
double Val(const QString &text, bool *holdsNumber = nullptr);
// What every caller does with typed text: NormalizeDecimal, then Val.
inline double NumberOf(const QString &text, const QLocale &locale = QLocale()) {
    return Val(NormalizeDecimal(text, locale));
}
// Whether typed text starts with a number at all (empty text, letters only: it does not).
inline bool HoldsNumber(const QString &text, const QLocale &locale = QLocale()) {
    bool holds = false;
    Val(NormalizeDecimal(text, locale), &holds);
    return holds;
}

// --- Number formats -------------------------------------------------------------------------
// Digit patterns such as "#0.0#", "#0.00#", "#0.000#", "#0.0# ", "#.000 ": '0' always shown,
// '#' only when significant, '.' printed as the locale's decimal separator, other characters
// copied, rounded to the pattern's decimals, no thousands separator.
// Rounding is half away from zero on the double's exact value (1.005 is stored as
// 1.00499999... and shows as 1.00; 0.125 is exact and shows as 0.13). The sign is always ASCII
// '-' and is dropped when the shown value is zero. NaN and infinities show as "NaN", "Inf" and
// "-Inf" in place of the digits, the pattern's other characters kept.
QString Format(double value, const QString &pattern, const QLocale &locale = QLocale());
// The plain number text the key handlers write: shortest text that reads back to the same value,
// with the locale's decimal separator. Plain digits for 1E-4 <= |value| < 1E+15, otherwise an
// exponent ("1E+15", "2,5E-05"); "NaN", "Inf" and "-Inf" for values that are not numbers.
QString PlainNumberText(double value, const QLocale &locale = QLocale());

// --- Response codes -------------------------------------------------------------------------
// The message for a non-zero HART response code of a reply to `command`; empty for code 0.
QString ResponseCodeMessage(int code, int command);
// The same in the language the window speaks, which is what the window shows. The English text
// above is what zanu-hart prints, for the scripts that read it.
QString ResponseCodeMessageShown(int code, int command);

} // namespace Module1
