// HartX as the window uses it: buffer semantics, when Result comes (always later, once, never
// while the previous Result's slot is still running), what request bytes go on the wire, the
// addressing, and what LastError tells the user when nothing answers.
#include "event_wait.h"
#include "fake_line_helper.h"

#include "hart/hartx.h"
#include "hart/link/transaction_engine.h"

#include <QtTest>

namespace {

struct ResultEvent {
    int action, command, result;
};

// A HartX on COM 3 whose lines are FakeLines with one FakeDevice behind them.
struct Rig {
    HartX x;
    FakeDevice device;
    QList<FakeLine *> lines; // every line the control asked for (owned by the control)
    QList<int> portsAsked;
    QList<ResultEvent> results;
    QString openError;
    int slotDepth = 0;
    bool reentered = false;
    std::function<void(const ResultEvent &)> onResult;

    explicit Rig(quint8 port = 3) {
        x.setLineFactory([this](int p) -> std::unique_ptr<HartLine> {
            auto line = std::make_unique<FakeLine>(QString("/dev/ttyFAKE%1").arg(p));
            line->openError = openError;
            device.attach(*line);
            lines.append(line.get());
            portsAsked.append(p);
            return line;
        });
        QObject::connect(&x, &HartX::Result, [this](qint16 a, qint16 c, qint16 r) {
            if (slotDepth > 0) reentered = true;
            ++slotDepth;
            results.append({a, c, r});
            if (onResult) onResult(results.back());
            --slotDepth;
        });
        x.setLinkTiming(shortTiming());
        // The link set-up as the window does it.
        x.setLinkSetting6(1);
        x.setCommPort(port);
        x.setLinkSetting3(0);
        x.setLinkSetting9(10);
        x.setLinkSetting10(0);
    }

    bool wait(int count = 1, int timeoutMs = 5000) {
        return waitInLoop([&] { return results.size() >= count && !x.isBusy(); }, timeoutMs);
    }
    // The caller's own command 0, which makes the device the one later commands go to; its
    // Result is not kept.
    bool identify() {
        x.setCommand(0);
        const bool ok = wait(int(results.size()) + 1) && results.back().result == 0;
        results.clear();
        return ok;
    }
    QList<hart::Frame> &requests() { return device.requests; }
    QList<int> commandsSent() const {
        QList<int> out;
        for (const auto &f : device.requests)
            out << f.command;
        return out;
    }
};

} // namespace

class TestHartX : public QObject {
    Q_OBJECT
private slots:
    void resultComesLaterAndOnce();
    void commandWrittenInsideResultWaitsForTheSlot();
    void commandQueuedBehindOutstandingKeepsItsSnapshot();
    void busyResendAfterQueuedPollKeepsTheWrite();
    void requestData_data();
    void requestData();
    void replyFieldsReadBack();
    void writesAreBoundsChecked();
    void identifiesFirstWhenAddressUnknown();
    void identificationThatFails_data();
    void identificationThatFails();
    void addressingFollowsLinkSettings();
    void preamblesFollowSettingAndDevice();
    void noAnswer_data();
    void noAnswer();
    void noUsablePort_data();
    void noUsablePort();
    void defaultLineNamesMissingDevice();
    void portChangeAppliesToTheNextTransaction();
    void lineThatFailedIsMadeAfresh();
    void commandOutOfRange();
    void comPortDeviceNames_data();
    void comPortDeviceNames();
};

void TestHartX::resultComesLaterAndOnce() {
    Rig rig;
    rig.x.setDataIndex(0);
    rig.x.setCommand(0);
    QVERIFY(rig.results.isEmpty()); // never from inside setCommand
    QVERIFY(rig.x.isBusy());
    QVERIFY(rig.wait());
    QVERIFY(!waitInLoop([&] { return rig.results.size() > 1; }, 100));
    QCOMPARE(rig.results[0].action, 0);
    QCOMPARE(rig.results[0].command, 0);
    QCOMPARE(rig.results[0].result, 0);
    QVERIFY(rig.x.LastError().isEmpty());
    QCOMPARE(int(rig.x.ResponseCode()), 0);
}

void TestHartX::commandWrittenInsideResultWaitsForTheSlot() {
    Rig rig;
    // A chain as the result handler drives it, with a nested event loop in the slot (a message
    // box would do the same): the next Result must not arrive while the slot is still running.
    rig.onResult = [&](const ResultEvent &e) {
        if (e.command == 0)
            rig.x.setCommand(13);
        else if (e.command == 13)
            rig.x.setCommand(15);
        // The slot's own event loop, as a message box runs one: no Result may reach us in it.
        QVERIFY(!waitInLoop([&] { return rig.reentered; }, 50));
    };
    rig.x.setCommand(0);
    QVERIFY(rig.wait(3));
    QVERIFY(!waitInLoop([&] { return rig.results.size() > 3; }, 100));
    QVERIFY(!rig.reentered);
    QCOMPARE(rig.results.size(), 3);
    QCOMPARE(rig.commandsSent(), (QList<int>{0, 13, 15}));
}

void TestHartX::commandQueuedBehindOutstandingKeepsItsSnapshot() {
    Rig rig;
    rig.x.setCommand(0);
    QVERIFY(rig.wait(1));
    rig.x.setCommand(2); // outstanding
    // Written while 2 is on the line (as Enter in the fixed-current field does).
    rig.x.setDataIndex(0);
    rig.x.setFloatValue(12.0);
    rig.x.setByteCount(4);
    rig.x.setCommand(40);
    // Later writes must not change what was queued.
    rig.x.setDataIndex(0);
    rig.x.setFloatValue(4.0);
    QVERIFY(rig.wait(3));
    QCOMPARE(rig.commandsSent(), (QList<int>{0, 2, 40}));
    QCOMPARE(rig.requests()[2].data, hexBytes("41 40 00 00"));
    QCOMPARE(rig.results[1].command, 2);
    QCOMPARE(rig.results[2].command, 40);
}

void TestHartX::busyResendAfterQueuedPollKeepsTheWrite() {
    // A monitoring poll written while a range write is on the line must not make the busy
    // resend of that write go out empty.
    Rig rig;
    rig.x.setCommand(0);
    QVERIFY(rig.wait(1));
    FakeDevice::Answer busy;
    busy.responseCode = 32;
    rig.device.script[44] = {busy};
    rig.onResult = [&](const ResultEvent &e) {
        if (e.command == 44 && rig.x.ResponseCode() == 32) rig.x.setCommand(44);
    };
    rig.x.setDataIndex(0);
    rig.x.setByteValue(240);
    rig.x.setByteCount(1);
    rig.x.setCommand(44);
    rig.x.setCommand(2); // the poll, queued behind the write
    QVERIFY(rig.wait(4));
    QCOMPARE(rig.commandsSent(), (QList<int>{0, 44, 2, 44}));
    QCOMPARE(rig.requests()[3].data.toHex(' '), QByteArray("f0"));
    QCOMPARE(rig.requests()[2].data, QByteArray());
}

void TestHartX::requestData_data() {
    // Each row: a first command written with ByteCount and data, then a second write of Command
    // alone; what goes out the second time.
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("secondResponseCode"); // what the device answers to the first
    QTest::addColumn<bool>("secondHasFirstData");

    QTest::newRow("busy resend keeps the 21-byte request") << 18 << 18 << 32 << true;
    QTest::newRow("same command resent keeps its request") << 18 << 18 << 0 << true;
    QTest::newRow("read after a 21-byte write sends no data") << 18 << 13 << 0 << false;
    QTest::newRow("command 0 after a write sends no data") << 18 << 0 << 0 << false;
}

void TestHartX::requestData() {
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, secondResponseCode);
    QFETCH(bool, secondHasFirstData);

    Rig rig;
    rig.x.setCommand(0);
    QVERIFY(rig.wait(1));

    FakeDevice::Answer a;
    a.responseCode = quint8(secondResponseCode);
    a.data = QByteArray(); // busy replies carry no data: the buffer empties
    rig.device.script[first] = {a};

    // Tag write as the settings panel does it.
    rig.x.setDataIndex(0);
    rig.x.setPackedLength(6);
    rig.x.setPackedString("PEERTEST");
    rig.x.setDataIndex(6);
    rig.x.setPackedLength(12);
    rig.x.setPackedString("ORACLE DESCRIPT ");
    rig.x.setDataIndex(18);
    rig.x.setByteValue(7);
    rig.x.setDataIndex(19);
    rig.x.setByteValue(12);
    rig.x.setDataIndex(20);
    rig.x.setByteValue(126);
    rig.x.setByteCount(21);
    rig.x.setCommand(qint16(first));
    QVERIFY(rig.wait(2));
    QCOMPARE(int(rig.x.ResponseCode()), secondResponseCode);

    rig.x.setDataIndex(0);
    rig.x.setCommand(qint16(second));
    QVERIFY(rig.wait(3));
    const QByteArray tagRequest =
        hexBytes("40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 20 07 0C 7E");
    QCOMPARE(rig.requests()[1].data.toHex(' '), tagRequest.toHex(' '));
    QCOMPARE(int(rig.requests()[2].command), second);
    QCOMPARE(rig.requests()[2].data.toHex(' '),
             (secondHasFirstData ? tagRequest : QByteArray()).toHex(' '));
}

void TestHartX::replyFieldsReadBack() {
    Rig rig;
    FakeDevice::Answer a;
    a.deviceStatus = 0x93;
    // The command-14 reply of the reference device: serial 654321h, units 75, 24000, 0, 200.
    a.data = hexBytes("65 43 21 4B 46 BB 80 00 00 00 00 00 43 48 00 00");
    rig.device.script[14] = {a};
    FakeDevice::Answer tag;
    tag.data = hexBytes("40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 20 07 0C 7E");
    rig.device.script[13] = {tag};

    QVERIFY(rig.identify());
    rig.x.setCommand(14);
    QVERIFY(rig.wait(1));
    QCOMPARE(rig.results[0].result, 0);
    QCOMPARE(int(rig.x.DeviceStatus()), 0x93);
    rig.x.setDataIndex(0);
    QCOMPARE(rig.x.Int24Value(), 0x654321);
    rig.x.setDataIndex(3);
    QCOMPARE(int(rig.x.ByteValue()), 75);
    rig.x.setDataIndex(4);
    QCOMPARE(rig.x.FloatValue(), 24000.0f);
    rig.x.setDataIndex(12);
    QCOMPARE(rig.x.FloatValue(), 200.0f);
    rig.x.setDataIndex(14); // runs past the reply: zero, not garbage
    QCOMPARE(rig.x.FloatValue(), 0.0f);
    rig.x.setDataIndex(-1);
    QCOMPARE(int(rig.x.ByteValue()), 0);

    rig.x.setDataIndex(0);
    rig.x.setCommand(13);
    QVERIFY(rig.wait(2));
    rig.x.setDataIndex(0);
    rig.x.setPackedLength(6);
    QCOMPARE(rig.x.PackedString(), QString("PEERTEST"));
    rig.x.setDataIndex(6);
    rig.x.setPackedLength(12);
    QCOMPARE(rig.x.PackedString(), QString("ORACLE DESCRIPT "));
    rig.x.setDataIndex(20);
    QCOMPARE(int(rig.x.ByteValue()), 126);
    rig.x.setDataIndex(18);
    rig.x.setPackedLength(6); // only 3 bytes left: 4 characters, no overrun
    QCOMPARE(rig.x.PackedString().size(), 4);
}

void TestHartX::writesAreBoundsChecked() {
    HartX x;
    x.setDataIndex(1);
    x.setFloatValue(1.0e40); // beyond a single: +inf, as the device would store it
    QCOMPARE(x.requestBuffer().toHex(' '), QByteArray("00 7f 80 00 00"));
    x.setDataIndex(-4);
    x.setByteValue(1);
    x.setFloatValue(1.0);
    x.setPackedLength(6);
    x.setPackedString("ABC");
    x.setDataIndex(253);
    x.setFloatValue(1.0); // would end past the largest data field
    x.setDataIndex(30000);
    x.setByteValue(1);
    QCOMPARE(x.requestBuffer().size(), 5);
    x.setByteCount(1000);
    QCOMPARE(int(x.byteCount()), 255);
    x.setByteCount(-3);
    QCOMPARE(int(x.byteCount()), 0);
}

// Long frames go only to the device that answered the caller's own command 0.
void TestHartX::identifiesFirstWhenAddressUnknown() {
    Rig rig;
    rig.x.setCommand(13);
    QVERIFY(rig.wait(1));
    QCOMPARE(rig.results[0].command, 13);
    QCOMPARE(rig.results[0].result, int(HartX::kNoAnswer));
    QVERIFY2(rig.x.LastError().startsWith("No transmitter has been identified on COM 3 "
                                          "(/dev/ttyFAKE3) yet, so command 13 was not sent"),
             qPrintable(rig.x.LastError()));
    QVERIFY(rig.requests().isEmpty());

    QVERIFY(rig.identify());
    rig.x.setCommand(13);
    rig.x.setCommand(15);
    QVERIFY(rig.wait(2));
    QCOMPARE(rig.results[0].result, 0);
    QCOMPARE(rig.commandsSent(), (QList<int>{0, 13, 15}));
    QVERIFY(!rig.requests()[0].isLong());
    QCOMPARE(rig.requests()[1].address.toHex(' '), QByteArray("b5 0a 01 02 03"));
}

void TestHartX::identificationThatFails_data() {
    // After a silence the loop may hold another device. What answers command 0 then, and
    // whether the write reaches the transmitter that was read.
    QTest::addColumn<int>("kind"); // FakeDevice::Kind of the command-0 answer
    QTest::addColumn<int>("responseCode");
    QTest::addColumn<QByteArray>("data"); // empty: the identity of the device on the loop
    QTest::addColumn<int>("manufacturer");
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<QByteArray>("deviceId");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("error");
    const int reply = int(FakeDevice::Kind::Reply);
    const QByteArray id = hexBytes("010203");
    QTest::newRow("the same transmitter")
        << reply << 0 << QByteArray() << 0x75 << 0x0A << id << true << "";
    QTest::newRow("another maker")
        << reply << 0 << QByteArray() << 50 << 0x0A << id << false
        << "A different device now answers on COM 3 (/dev/ttyFAKE3) (manufacturer 50, device "
           "type 10, device id 010203), not the transmitter that was read (manufacturer 117, "
           "device type 10, device id 010203). Nothing was sent to it";
    QTest::newRow("another device type")
        << reply << 0 << QByteArray() << 0x75 << 0x0B << id << false
        << "(manufacturer 117, device type 11, device id 010203), not the transmitter";
    QTest::newRow("another transmitter of the same kind")
        << reply << 0 << QByteArray() << 0x75 << 0x0A << hexBytes("0A0B0C") << false
        << "(manufacturer 117, device type 10, device id 0A0B0C), not the transmitter";
    QTest::newRow("silent") << int(FakeDevice::Kind::Silent) << 0 << QByteArray() << 0x75 << 0x0A
                            << id << false
                            << "No reply from the transmitter on COM 3 (/dev/ttyFAKE3)";
    // No identity to compare: the long address still reaches only the transmitter that was read.
    QTest::newRow("busy") << reply << 32 << hexBytes("00") << 0x75 << 0x0A << id << true << "";
    QTest::newRow("error code") << reply << 16 << hexBytes("00") << 0x75 << 0x0A << id << true
                                << "";
    QTest::newRow("too short") << reply << 0 << hexBytes("FE 75 0A") << 0x75 << 0x0A << id << true
                               << "";
}

void TestHartX::identificationThatFails() {
    QFETCH(int, kind);
    QFETCH(int, responseCode);
    QFETCH(QByteArray, data);
    QFETCH(int, manufacturer);
    QFETCH(int, deviceType);
    QFETCH(QByteArray, deviceId);
    QFETCH(bool, written);
    QFETCH(QString, error);
    Rig rig;
    QVERIFY(rig.identify());
    FakeDevice::Answer silent;
    silent.kind = FakeDevice::Kind::Silent;
    rig.device.script[2] = {silent, silent, silent};
    rig.x.setCommand(2);
    QVERIFY(rig.wait(1));
    QCOMPARE(rig.results[0].result, int(HartX::kNoAnswer));

    rig.device.manufacturer = quint8(manufacturer);
    rig.device.deviceType = quint8(deviceType);
    rig.device.deviceId = deviceId;
    FakeDevice::Answer a;
    a.kind = FakeDevice::Kind(kind);
    a.responseCode = quint8(responseCode);
    if (!data.isEmpty()) a.data = data;
    rig.device.script[0] = {a, a, a};
    const int before = int(rig.requests().size());
    rig.x.setDataIndex(0);
    rig.x.setPackedLength(6);
    rig.x.setPackedString("SWAPPED");
    rig.x.setByteCount(21);
    rig.x.setCommand(18);
    QVERIFY(rig.wait(2, 5000));
    QVERIFY(!waitInLoop([&] { return rig.results.size() > 2; }, 50));
    QCOMPARE(rig.results.size(), 2);
    QCOMPARE(rig.results[1].command, 18);
    QCOMPARE(rig.results[1].result, written ? 0 : int(HartX::kNoAnswer));
    QCOMPARE(rig.commandsSent().mid(before).count(18), written ? 1 : 0);
    QCOMPARE(rig.commandsSent().mid(before).first(), 0);
    QVERIFY2(rig.x.LastError().contains(error), qPrintable(rig.x.LastError()));
    QCOMPARE(rig.x.LastError().isEmpty(), error.isEmpty());
    if (!error.contains("not the transmitter")) return;

    // Until the caller identifies the new device itself, every write is checked again and
    // refused; after that the new device is the one written to.
    rig.x.setCommand(18);
    QVERIFY(rig.wait(3));
    QCOMPARE(rig.results[2].result, int(HartX::kNoAnswer));
    QCOMPARE(rig.commandsSent().count(18), 0);
    rig.device.script[0].clear();
    QVERIFY(rig.identify());
    rig.x.setCommand(18);
    QVERIFY(rig.wait(1));
    QCOMPARE(rig.results[0].result, 0);
    QCOMPARE(rig.commandsSent().count(18), 1);
}

void TestHartX::addressingFollowsLinkSettings() {
    Rig rig;
    rig.device.pollingAddress = 5;
    rig.x.setLinkSetting3(5);
    rig.x.setLinkSetting6(0); // secondary master
    rig.x.setCommand(0);
    rig.x.setCommand(44);
    QVERIFY(rig.wait(2));
    QCOMPARE(rig.requests()[0].address.toHex(' '), QByteArray("05"));
    QCOMPARE(rig.requests()[1].address.toHex(' '), QByteArray("35 0a 01 02 03"));
    rig.x.setLinkSetting6(1);
    rig.x.setCommand(44);
    QVERIFY(rig.wait(3));
    QCOMPARE(rig.requests()[2].address.toHex(' '), QByteArray("b5 0a 01 02 03"));
    // Another polling address may be another transmitter: it is identified again first.
    rig.device.pollingAddress = 6;
    rig.x.setLinkSetting3(6);
    rig.x.setCommand(44);
    QVERIFY(rig.wait(4));
    QCOMPARE(rig.results[3].result, int(HartX::kNoAnswer));
    rig.x.setCommand(0);
    rig.x.setCommand(44);
    QVERIFY(rig.wait(6));
    QCOMPARE(rig.commandsSent(), (QList<int>{0, 44, 44, 0, 44}));
    QCOMPARE(rig.requests()[3].address.toHex(' '), QByteArray("86"));
}

void TestHartX::preamblesFollowSettingAndDevice() {
    Rig rig; // LinkSetting9 = 10
    rig.device.preamblesRequired = 12;
    rig.x.setCommand(0);
    rig.x.setCommand(13);
    QVERIFY(rig.wait(2));
    rig.x.setLinkSetting9(2);
    rig.device.preamblesRequired = 3;
    rig.x.setCommand(0);
    rig.x.setCommand(13);
    QVERIFY(rig.wait(4));
    QCOMPARE(rig.device.requestPreambles, (QList<int>{10, 12, 12, 5}));
}

void TestHartX::noAnswer_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("silence")
        << int(FakeDevice::Kind::Silent)
        << "No reply from the transmitter on COM 3 (/dev/ttyFAKE3) after 3 tries";
    QTest::newRow("garbled")
        << int(FakeDevice::Kind::BadChecksum)
        << "Garbled replies from the transmitter on COM 3 (/dev/ttyFAKE3) after 3 tries";
    QTest::newRow("comm error")
        << int(FakeDevice::Kind::CommError)
        << "Garbled replies from the transmitter on COM 3 (/dev/ttyFAKE3) after 3 tries";
}

void TestHartX::noAnswer() {
    QFETCH(int, kind);
    QFETCH(QString, error);
    Rig rig;
    rig.x.setCommand(0);
    QVERIFY(rig.wait(1));
    FakeDevice::Answer a;
    a.kind = FakeDevice::Kind(kind);
    rig.device.script[2] = {a, a, a};
    rig.x.setCommand(2);
    QVERIFY(rig.wait(2));
    QCOMPARE(rig.results[1].command, 2);
    QCOMPARE(rig.results[1].result, int(HartX::kNoAnswer));
    QVERIFY2(rig.x.LastError().startsWith(error), qPrintable(rig.x.LastError()));
    QCOMPARE(rig.commandsSent().count(2), 3);

    // A reply clears the error; the unanswered transaction made the control identify again.
    rig.x.setCommand(2);
    QVERIFY(rig.wait(3));
    QCOMPARE(rig.results[2].result, 0);
    QVERIFY(rig.x.LastError().isEmpty());
    QCOMPARE(rig.commandsSent().mid(4), (QList<int>{0, 2}));
}

void TestHartX::noUsablePort_data() {
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("openError");
    QTest::addColumn<QString>("error");
    QTest::newRow("port 0") << 0 << ""
                            << "No COM port is set — choose one under Config > "
                               "COM-settings.";
    QTest::newRow("port 13") << 13 << ""
                             << "COM 13 is not a port this program can use";
    QTest::newRow("device missing") << 4 << "/dev/ttyFAKE4 does not exist — check the cable/adapter"
                                    << "/dev/ttyFAKE4 does not exist — check the cable/adapter";
    // A line whose message does not name its device still gets port and device named.
    QTest::newRow("line says too little") << 5 << "busy"
                                          << "COM 5 (/dev/ttyFAKE5): busy";
}

void TestHartX::noUsablePort() {
    QFETCH(int, port);
    QFETCH(QString, openError);
    QFETCH(QString, error);
    Rig rig{quint8(port)};
    rig.openError = openError;
    rig.x.setCommand(0);
    QVERIFY(rig.results.isEmpty());
    QVERIFY(rig.wait(1));
    QCOMPARE(rig.results[0].result, int(HartX::kNoAnswer));
    QVERIFY2(rig.x.LastError().startsWith(error), qPrintable(rig.x.LastError()));
    QVERIFY(rig.device.requests.isEmpty());
    // Once per Command write, also when queued behind a failing one.
    rig.x.setCommand(13);
    rig.x.setCommand(15);
    QVERIFY(rig.wait(3));
    QVERIFY(!waitInLoop([&] { return rig.results.size() > 3; }, 50));
}

void TestHartX::defaultLineNamesMissingDevice() {
    // The real serial line behind the default factory, on a device that is not there.
    qputenv("ZANU_COM7", "/nonexistent/ttyZANU7");
    HartX x;
    QList<int> results;
    QObject::connect(&x, &HartX::Result, [&](qint16, qint16, qint16 r) { results << r; });
    x.setCommPort(7);
    x.setCommand(0);
    QVERIFY(waitInLoop([&] { return !results.isEmpty(); }, 3000));
    qunsetenv("ZANU_COM7");
    QCOMPARE(results, QList<int>{HartX::kNoAnswer});
    QCOMPARE(x.LastError(), QString("COM 7 (/nonexistent/ttyZANU7) does not exist — check the "
                                    "cable/adapter and the COM-port setting."));
}

void TestHartX::portChangeAppliesToTheNextTransaction() {
    Rig rig(3);
    rig.x.setCommand(0);
    QVERIFY(waitInLoop([&] { return !rig.lines.isEmpty(); }, 1000));
    // The set-up for another port while command 0 is on the line, then the identify.
    rig.x.setLinkSetting6(1);
    rig.x.setCommPort(6);
    rig.x.setLinkSetting3(0);
    rig.x.setCommand(0);
    QVERIFY(rig.wait(2));
    QCOMPARE(rig.portsAsked, (QList<int>{3, 6}));
    QCOMPARE(rig.results[0].result, 0);
    QCOMPARE(rig.results[1].result, 0);
    QCOMPARE(rig.x.commPort(), quint8(6));
    // Changing to the same port still closes the line; the next transaction reopens it.
    rig.x.setCommPort(6);
    rig.x.setCommand(13);
    QVERIFY(rig.wait(3));
    QCOMPARE(rig.portsAsked, (QList<int>{3, 6, 6}));
}

void TestHartX::lineThatFailedIsMadeAfresh() {
    Rig rig;
    rig.x.setCommand(0);
    QVERIFY(rig.wait(1));
    rig.lines.last()->failOnSend = QString("/dev/ttyFAKE3 was disconnected");
    rig.x.setCommand(13);
    QVERIFY(rig.wait(2));
    QCOMPARE(rig.results[1].result, int(HartX::kNoAnswer));
    QCOMPARE(rig.x.LastError(), QString("/dev/ttyFAKE3 was disconnected"));
    // The adapter is back, perhaps under another name: the factory is asked again.
    rig.x.setCommand(0);
    QVERIFY(rig.wait(3));
    QCOMPARE(rig.results[2].result, 0);
    QCOMPARE(rig.portsAsked, (QList<int>{3, 3}));
}

void TestHartX::commandOutOfRange() {
    Rig rig;
    rig.x.setCommand(-1);
    rig.x.setCommand(256);
    QVERIFY(rig.wait(2));
    QCOMPARE(rig.results[0].command, -1);
    QCOMPARE(rig.results[0].result, int(HartX::kNoAnswer));
    QCOMPARE(rig.results[1].command, 256);
    QVERIFY(rig.x.LastError().contains("not a HART command number"));
    QVERIFY(rig.device.requests.isEmpty());
}

void TestHartX::comPortDeviceNames_data() {
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("device");
#ifdef Q_OS_WIN
    QTest::newRow("COM 1") << 1 << "COM1";
    QTest::newRow("COM 12") << 12 << "COM12";
#else
    QTest::newRow("COM 1") << 1 << "/dev/ttyS0";
    QTest::newRow("COM 4") << 4 << "/dev/ttyS3";
    QTest::newRow("COM 5") << 5 << "/dev/ttyUSB0";
    QTest::newRow("COM 8") << 8 << "/dev/ttyUSB3";
    QTest::newRow("COM 9") << 9 << "/dev/ttyACM0";
    QTest::newRow("COM 12") << 12 << "/dev/ttyACM3";
#endif
    QTest::newRow("COM 0") << 0 << "";
    QTest::newRow("COM 13") << 13 << "";
    QTest::newRow("COM -1") << -1 << "";
}

void TestHartX::comPortDeviceNames() {
    QFETCH(int, port);
    QFETCH(QString, device);
    const QByteArray var = QByteArray("ZANU_COM") + QByteArray::number(port);
    qunsetenv(var.constData());
    QCOMPARE(comPortDeviceName(port), device);
#ifndef Q_OS_WIN
    if (!device.isEmpty()) {
        qputenv(var.constData(), "/dev/pts/77");
        QCOMPARE(comPortDeviceName(port), QString("/dev/pts/77"));
        qunsetenv(var.constData());
    }
#endif
}

QTEST_GUILESS_MAIN(TestHartX)
#include "test_hartx.moc"
