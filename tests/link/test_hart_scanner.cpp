// The scanner over real serial ports (pseudo-terminals): who is found where, what is not found,
// and that a cancelled scan leaves no port open.
#include "event_wait.h"
#include "fake_line_helper.h"
#include "hart/hart_scanner.h"
#include "scan_helper.h"

#include <QSignalSpy>
#include <QtTest>

class TestHartScanner : public QObject {
    Q_OBJECT
private slots:
    void findsEachTransmitterAtItsAddress();
    void cancelClosesEveryPort();
    void portThatCannotOpenIsReported();
    void scanTiming_data();
    void scanTiming();
    void targetFromUserText_data();
    void targetFromUserText();
};

void TestHartScanner::findsEachTransmitterAtItsAddress() {
    ScanBench bench;
    QVERIFY(bench.ok());
    HartScanner scanner;
    LinkTiming t = shortTiming();  // the silent and garbling ports wait out every address,
    t.quietMs = t.linkGrantMs = 0; // and no other master shares these ptys
    scanner.setLinkTiming(t);
    QSignalSpy listed(&scanner, &HartScanner::found);
    QSignalSpy found(&scanner, &HartScanner::tagRead);
    QSignalSpy done(&scanner, &HartScanner::finished);
    QSignalSpy problems(&scanner, &HartScanner::portProblem);
    QList<ScanTarget> targets;
    for (const QString &d : bench.devices())
        targets.append({d, 0, QString()});
    scanner.start(targets);
    QVERIFY(waitInLoop([&] { return !done.isEmpty(); }, 60000));
    QCOMPARE(done.first().first().toBool(), false);
    QCOMPARE(problems.size(), 0);
    QCOMPARE(found.size(), 2);
    // Each was listed before its tag was asked for.
    QCOMPARE(listed.size(), 2);
    for (const auto &args : listed)
        QVERIFY(args.first().value<ScanFind>().tag.isEmpty());
    QMap<QString, ScanFind> byDevice;
    for (const auto &args : found) {
        const auto f = args.first().value<ScanFind>();
        byDevice.insert(f.target.device, f);
    }
    const ScanFind zero = byDevice.value(bench.atZero.slave());
    QCOMPARE(zero.address, 0);
    QCOMPARE(zero.identity.manufacturer, quint8(117));
    QCOMPARE(health::deviceIdText(zero.identity.deviceId), QStringLiteral("010203"));
    QCOMPARE(zero.tag, QStringLiteral("LT-0"));
    const ScanFind three = byDevice.value(bench.atThree.slave());
    QCOMPARE(three.address, 3);
    QCOMPARE(health::deviceIdText(three.identity.deviceId), QStringLiteral("0a0b0c"));
    QCOMPARE(three.tag, QStringLiteral("LT-3"));
    // Each port stops at its first answer: nobody asked address 1 on the first port.
    QCOMPARE(bench.zero.device.requests.size(), 2);
    QCOMPARE(scanner.addressesTried(), scanner.addressesTotal());
    QTRY_COMPARE(bench.openDescriptors(), 0);
}

void TestHartScanner::cancelClosesEveryPort() {
    ScanBench bench;
    QVERIFY(bench.ok());
    HartScanner scanner;
    QSignalSpy done(&scanner, &HartScanner::finished);
    QSignalSpy trying(&scanner, &HartScanner::trying);
    QList<ScanTarget> targets;
    for (const QString &d : {bench.silent.slave(), bench.garbling.slave()})
        targets.append({d, 0, QString()});
    scanner.start(targets);
    QVERIFY(waitInLoop([&] { return trying.size() >= 3; }, 10000));
    QVERIFY(bench.openDescriptors() > 0);
    scanner.cancel();
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.first().first().toBool(), true);
    QCOMPARE(scanner.openLines(), 0);
    QCOMPARE(bench.openDescriptors(), 0);
    // Nothing of the cancelled scan goes on afterwards.
    const int tried = trying.size();
    QVERIFY(!waitInLoop([&] { return trying.size() > tried || bench.openDescriptors() > 0; }, 800));
    QCOMPARE(bench.openDescriptors(), 0);
}

void TestHartScanner::portThatCannotOpenIsReported() {
    HartScanner scanner;
    QSignalSpy problems(&scanner, &HartScanner::portProblem);
    QSignalSpy done(&scanner, &HartScanner::finished);
    scanner.start({{QStringLiteral("/dev/zanu-no-such-port"), 7, QString()}});
    QVERIFY(waitInLoop([&] { return !done.isEmpty(); }, 5000));
    QCOMPARE(problems.size(), 1);
    QVERIFY(problems.first().at(1).toString().contains(QLatin1String("does not exist")));
}

void TestHartScanner::scanTiming_data() {
    QTest::addColumn<int>("allowance");
    QTest::addColumn<int>("scanAllowance");
    QTest::newRow("default: within RT1") << LinkTiming{}.adapterAllowanceMs << 0;
    QTest::newRow("lengthened for a slow adapter") << LinkTiming{}.adapterAllowanceMs + 80 << 80;
    QTest::newRow("shortened") << 10 << 0;
}

// The time-outs a user lengthened reach the scan; only the default allowance is left to RT1.
void TestHartScanner::scanTiming() {
    QFETCH(int, allowance);
    QFETCH(int, scanAllowance);
    LinkTiming t;
    t.adapterAllowanceMs = allowance;
    t.primaryReplyTimeoutMs = 600;
    const LinkTiming s = HartScanner::scanTiming(t);
    QCOMPARE(s.adapterAllowanceMs, scanAllowance);
    QCOMPARE(s.primaryReplyTimeoutMs, 600);
    QCOMPARE(s.linkGrantMs, t.linkGrantMs);
}

void TestHartScanner::targetFromUserText_data() {
    QTest::addColumn<QString>("portArg");
    QTest::addColumn<QString>("env");
    QTest::addColumn<int>("comPort");
    QTest::addColumn<QString>("device");
    QTest::newRow("COM5") << "COM5"
                          << "" << 5 << "/dev/ttyUSB0";
    QTest::newRow("com 12") << "com 12"
                            << "" << 12 << "/dev/ttyACM3";
    QTest::newRow("mapped COM") << "COM3"
                                << "/dev/zanu-test" << 3 << "/dev/zanu-test";
    QTest::newRow("device named by a COM") << "/dev/zanu-test"
                                           << "/dev/zanu-test" << 3 << "/dev/zanu-test";
    QTest::newRow("device without COM") << "/dev/zanu-other"
                                        << "" << 0 << "/dev/zanu-other";
    QTest::newRow("COM13") << "COM13"
                           << "" << -1 << "";
    QTest::newRow("empty") << " "
                           << "" << -1 << "";
}

void TestHartScanner::targetFromUserText() {
    QFETCH(QString, portArg);
    QFETCH(QString, env);
    QFETCH(int, comPort);
    QFETCH(QString, device);
    if (env.isEmpty())
        qunsetenv("ZANU_COM3");
    else
        qputenv("ZANU_COM3", env.toLocal8Bit());
    QString error;
    const auto t = HartScanner::targetFor(portArg, &error);
    qunsetenv("ZANU_COM3");
    if (comPort < 0) {
        QVERIFY(!t);
        QVERIFY(!error.isEmpty());
        return;
    }
    QVERIFY(t);
    QCOMPARE(t->comPort, comPort);
    QCOMPARE(t->device, device);
}

QTEST_GUILESS_MAIN(TestHartScanner)
#include "test_hart_scanner.moc"
