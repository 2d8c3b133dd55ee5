// A number text as the program shows it: the pattern's '.' is the machine's decimal separator.
#pragma once

#include <QLocale>
#include <QString>

inline QString local(QString text) {
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}
