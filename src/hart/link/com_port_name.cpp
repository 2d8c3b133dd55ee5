#include "hart/link/com_port_name.h"

QString comPortDeviceName(int comPort) {
    if (comPort < 1 || comPort > 12) return QString();
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(comPort);
#else
    const QString fromEnv =
        qEnvironmentVariable(qPrintable(QStringLiteral("ZANU_COM%1").arg(comPort)));
    if (!fromEnv.isEmpty()) return fromEnv;
    static const char *const kFamilies[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
    return QLatin1String(kFamilies[(comPort - 1) / 4]) + QString::number((comPort - 1) % 4);
#endif
}
