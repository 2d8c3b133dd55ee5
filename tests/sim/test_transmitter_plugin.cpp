// zanu-config's simulated transmitter comes from the plug-in: found beside the program, the same
// transmitter as in process, and refused with a reason a person can act on when it is missing or
// is not ours.
#include "built_program.h"
#include "sim/sim_device.h"
#include "sim/simulated_transmitter.h"
#include "sim_test_helper.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace simtest;

class TestTransmitterPlugin : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void answersAsTheTransmitter();
};

void TestTransmitterPlugin::load_data() {
    QTest::addColumn<QString>("fileContent"); // a file in a folder searched before the build's
    QTest::addColumn<QString>("error");
    QTest::newRow("found after a folder without it") << QString() << QString();
    QTest::newRow("not a library") << QStringLiteral("junk") << QStringLiteral("file too short");
}

void TestTransmitterPlugin::load() {
    QFETCH(QString, fileContent);
    QFETCH(QString, error);
    QTemporaryDir empty;
    if (!fileContent.isEmpty()) {
        QFile f(empty.filePath(QStringLiteral("libzanu-sim-transmitter.so")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fileContent.toUtf8());
    }
    const QString build = builtProgram(QString());
    QString why;
    const QStringList folders{empty.path()};
    auto transmitter = SimulatedTransmitter::load(folders + QStringList{build}, &why);
    QVERIFY2(transmitter, qPrintable(why));
    transmitter = SimulatedTransmitter::load(folders, &why);
    QVERIFY(!transmitter);
    QVERIFY2(why.contains(empty.path()) && why.contains(QStringLiteral("package again")),
             qPrintable(why));
    if (!error.isEmpty()) QVERIFY2(why.contains(error), qPrintable(why));
}

// The plug-in answers byte for byte as the device model does, and a line to it goes dead with it.
void TestTransmitterPlugin::answersAsTheTransmitter() {
    QString why;
    auto transmitter = SimulatedTransmitter::load({builtProgram(QString())}, &why);
    QVERIFY2(transmitter, qPrintable(why));
    SimDevice device;
    for (const quint8 command : {0, 13, 15}) {
        const QByteArray request = requestTo(device, command);
        QCOMPARE(transmitter->respond(request), device.respond(request));
    }
    const auto line = transmitter->line(TimedLine::Timing::Instant);
    QVERIFY(line->open(nullptr));
    transmitter.reset();
    QString error;
    QVERIFY(!line->open(&error));
}

QTEST_GUILESS_MAIN(TestTransmitterPlugin)
#include "test_transmitter_plugin.moc"
