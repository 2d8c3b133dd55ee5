#include "scan_helper.h"

#include <QFileInfo>

PtyGarbler::PtyGarbler(PtyMaster &p) : pty(p) {
    pty.onBytes = [this](const QByteArray &b) {
        pending += b;
        hart::FrameParser parser;
        parser.push(pending);
        const auto item = parser.take();
        if (!item) return;
        pending.clear();
        hart::Frame reply;
        reply.delimiter = 0x06;
        reply.address = item->frame.address;
        reply.command = item->frame.command;
        reply.data = QByteArray::fromHex("fe750a05050102080001020304");
        QByteArray bytes = hart::encode(reply, 5);
        bytes[bytes.size() - 1] = char(quint8(bytes.back()) ^ 0x21);
        pty.write(bytes);
    };
}

ScanBench::ScanBench() {
    three.device.pollingAddress = 3;
    three.device.deviceId = QByteArray::fromHex("0a0b0c");
    FakeDevice::Answer tag0, tag3;
    tag0.data = hart::packAscii(QStringLiteral("LT-0"), 6) + QByteArray(15, '\0');
    tag3.data = hart::packAscii(QStringLiteral("LT-3"), 6) + QByteArray(15, '\0');
    for (int i = 0; i < 10; ++i) {
        zero.device.script[13].append(tag0);
        three.device.script[13].append(tag3);
    }
}

bool ScanBench::ok() const {
    return atZero.ok() && atThree.ok() && silent.ok() && garbling.ok();
}

QStringList ScanBench::devices() const {
    return {atZero.slave(), atThree.slave(), silent.slave(), garbling.slave()};
}

int ScanBench::openDescriptors() const {
    const QStringList ours = devices();
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System))
        if (ours.contains(QFileInfo(fds.filePath(fd)).symLinkTarget())) ++n;
    return n;
}
