#include "hart/link/link_log.h"

#include "hart/link/hart_codec.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QStringList>

#include <memory>

Q_LOGGING_CATEGORY(lcHartWire, "zanu.hart.wire", QtInfoMsg)
Q_LOGGING_CATEGORY(lcHartLink, "zanu.hart.link", QtInfoMsg)

namespace hart {

namespace {

QString addressText(const QByteArray &address) {
    return QString::fromLatin1(address.toHex(' '));
}

QString statusText(quint8 status) {
    static const char *const kBits[] = {
        "PV out of limits", "non-PV out of limits", "current saturated",     "current fixed",
        "more status",      "cold start",           "configuration changed", "malfunction"};
    QStringList set;
    for (int bit = 7; bit >= 0; --bit)
        if (status & (1u << bit)) set << QLatin1String(kBits[bit]);
    QString text = QStringLiteral("status 0x%1").arg(status, 2, 16, QLatin1Char('0'));
    if (!set.isEmpty()) text += QStringLiteral(" (%1)").arg(set.join(QStringLiteral(", ")));
    return text;
}

QString summary(const Frame &f) {
    const char *kind = f.type() == FrameType::Stx    ? "STX"
                       : f.type() == FrameType::Ack  ? "ACK"
                       : f.type() == FrameType::Back ? "BACK"
                                                     : "?";
    const bool primary = isPrimaryMaster(f.address);
    QString text =
        QStringLiteral("%1 cmd %2 %3 %4 (%5%6)")
            .arg(QLatin1String(kind))
            .arg(f.command)
            .arg(f.type() == FrameType::Stx ? QStringLiteral("to") : QStringLiteral("from"))
            .arg(addressText(f.address))
            .arg(primary ? QStringLiteral("primary") : QStringLiteral("secondary"))
            .arg(!f.address.isEmpty() && (quint8(f.address[0]) & 0x40) ? QStringLiteral(", burst")
                                                                       : QString());
    if (f.isReply()) {
        if (f.isCommError())
            text += QStringLiteral(", communication error 0x%1")
                        .arg(f.responseCode, 2, 16, QLatin1Char('0'));
        else
            text += QStringLiteral(", rc %1").arg(f.responseCode);
        text += QStringLiteral(", ") + statusText(f.deviceStatus);
    }
    text += QStringLiteral(", %1 data bytes").arg(f.data.size());
    return text;
}

struct FileSink {
    QMutex mutex;
    QFile file;
    QtMessageHandler previous = nullptr;
};
FileSink *g_sink = nullptr; // set once, lives until the process ends

void fileHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    const bool ours = context.category && (qstrcmp(context.category, "zanu.hart.wire") == 0 ||
                                           qstrcmp(context.category, "zanu.hart.link") == 0);
    if (!ours) {
        if (g_sink->previous) g_sink->previous(type, context, message);
        return;
    }
    QMutexLocker lock(&g_sink->mutex);
    g_sink->file.write(
        QStringLiteral("%1: %2\n").arg(QLatin1String(context.category), message).toUtf8());
    g_sink->file.flush();
}

} // namespace

double logClockMs() {
    static QElapsedTimer clock;
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    if (!clock.isValid()) clock.start();
    return double(clock.nsecsElapsed()) / 1e6;
}

QString wireLine(const char *direction, const QByteArray &bytes, const Frame *frame,
                 const QString &problem) {
    QString text = QStringLiteral("%1 %2 ms  %3")
                       .arg(QLatin1String(direction))
                       .arg(logClockMs(), 10, 'f', 1)
                       .arg(QString::fromLatin1(bytes.toHex(' ').toUpper()));
    if (frame) text += QStringLiteral("  | ") + summary(*frame);
    if (!problem.isEmpty()) text += QStringLiteral("  | ") + problem;
    return text;
}

void enableLinkLog() {
    QLoggingCategory::setFilterRules(QStringLiteral("zanu.hart.wire.debug=true\n"
                                                    "zanu.hart.link.debug=true"));
}

bool startLinkLogFile(const QString &path, QString *error) {
    if (g_sink) return true;
    auto sink = std::make_unique<FileSink>();
    sink->file.setFileName(path);
    if (!sink->file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("cannot write the log file %1: %2")
                         .arg(path, sink->file.errorString());
        return false;
    }
    sink->file.write(QStringLiteral("# zanu HART log started %1\n")
                         .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
                         .toUtf8());
    g_sink = sink.release();
    g_sink->previous = qInstallMessageHandler(fileHandler);
    enableLinkLog();
    return true;
}

} // namespace hart
