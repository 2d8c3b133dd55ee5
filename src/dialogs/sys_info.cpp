#include "dialogs/sys_info.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
// One registry value under HKEY_LOCAL_MACHINE as text; empty when the key or value is missing.
QString machineValue(const QString &key, const QString &name) {
    QSettings settings(QStringLiteral("HKEY_LOCAL_MACHINE\\") + key, QSettings::NativeFormat);
    const QVariant v = settings.value(name);
    return v.isValid() ? v.toString() : QString();
}
} // namespace

QString SystemInfoViewerPath() {
    const QString path = machineValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                      QStringLiteral("PATH"));
    if (!path.isEmpty()) return path;
    const QString dir = machineValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                     QStringLiteral("MSINFO"));
    if (!dir.isEmpty()) {
        const QString exe = QDir(dir).filePath(QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo::exists(exe)) return exe;
    }
    return {};
}

#else

QString SystemInfoViewerPath() {
    return {};
}

#endif
