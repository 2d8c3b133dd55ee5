// The COM-port dialog: what it shows, what its button stores and writes, what the close box
// leaves alone, and the reconnect from the menu.
#include "dialogs/form2.h"
#include "gui_test_helper.h"
#include "hart/hartx.h"
#include "hart/link/com_port_name.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

int checkedIndex(const Form2 &d) {
    int found = -1;
    for (size_t i = 0; i < d.Option1.size(); ++i)
        if (d.Option1[i]->isChecked()) {
            if (found >= 0) return -2; // more than one
            found = int(i);
        }
    return found;
}

// Runs `act` on the next modal dialog once it is up.
void onNextDialog(std::function<void(QWidget *)> act) {
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start(20);
}

// Runs the window's COM-port choice with the dialog answered: `choose` is the port to click
// (-1 keeps the preselection, 0 closes the dialog with its close box).
void chooseThroughWindow(Form1 &form, int choose) {
    onNextDialog([choose](QWidget *w) {
        auto *d = qobject_cast<Form2 *>(w);
        if (!d || choose == 0) {
            w->close();
            return;
        }
        if (choose > 0) QTest::mouseClick(d->Option1[size_t(choose - 1)], Qt::LeftButton);
        QTest::mouseClick(d->Command1, Qt::LeftButton);
    });
    form.ChooseComPort();
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void preselection_data();
    void preselection();
    void buttonStoresAndWrites_data();
    void buttonStoresAndWrites();
    void nothingSelectedChangesNothing();
    void closeBoxChangesNothing();
    void deviceColumn();
    void unwritableFolderIsReported_data();
    void unwritableFolderIsReported();
    void savedElsewhereIsSaid_data();
    void savedElsewhereIsSaid();
    void menuReconnects_data();
    void menuReconnects();

private:
    std::unique_ptr<QTemporaryDir> dir;
    int port = 0;
};

void TestForm2::init() {
    dir = std::make_unique<QTemporaryDir>();
    SetProgramDirectory(dir->path());
    port = 0;
    MsgBoxSeam::clearHistory();
    MsgBoxSeam::setScript([](const MsgBoxSeam::Shown &) { return int(vbOK); });
}

void TestForm2::cleanup() {
    MsgBoxSeam::clearScript();
    SetProgramDirectoryWritable(std::nullopt);
    SetUserSettingsDirectory(QString());
    dir.reset();
}

void TestForm2::layout_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    const int x[] = {120, 120, 1320, 1320, 2400, 2400, 3600, 3600, 120, 120, 1320, 1320};
    const int y[] = {360, 720, 360, 720, 360, 720, 360, 720, 1440, 1800, 1440, 1800};
    for (int i = 0; i < 12; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Option1_%1").arg(i)))
            << QStringLiteral("COM %1").arg(i + 1) << QRect(x[i], y[i], 1095, 375);
    QTest::newRow("Label1") << "Use COM - Port:" << QRect(120, 120, 1695, 255);
    QTest::newRow("Command1") << "E&xit" << QRect(1800, 2520, 1935, 495);
}

void TestForm2::layout() {
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    Form2 d(port, comPortDeviceName);
    QCOMPARE(d.windowTitle(), QStringLiteral("Config COM-port"));
    QVERIFY(d.isModal());
    auto *w = d.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(w);
    const QString text = qobject_cast<QLabel *>(w) ? qobject_cast<QLabel *>(w)->text()
                                                   : qobject_cast<QAbstractButton *>(w)->text();
    QCOMPARE(text, caption);
    auto px = [](int t) { return qRound(t / 15.0); };
    QCOMPARE(w->geometry(),
             QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
    // The design height is kept; the width grows only by the device column.
    QCOMPARE(d.height(), 209);
    QVERIFY(d.width() >= 377);
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QVERIFY(d.Label1->font().bold());
    // The classic 9.75 pt, or a little less where the fallback face's words are wider than the box.
    QVERIFY(d.Label1->font().pointSizeF() <= 9.75);
    QVERIFY(d.Label1->sizeHint().width() <= d.Label1->width());
}

void TestForm2::preselection_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("checked");
    QTest::newRow("COM 1") << 1 << 0;
    QTest::newRow("COM 3") << 3 << 2;
    QTest::newRow("COM 12") << 12 << 11;
    QTest::newRow("no port yet") << 0 << -1;
    QTest::newRow("beyond the list") << 13 << -1;
    QTest::newRow("far beyond") << 255 << -1;
}

void TestForm2::preselection() {
    QFETCH(int, current);
    QFETCH(int, checked);
    port = current;
    Form2 d(port, comPortDeviceName);
    QCOMPARE(checkedIndex(d), checked);
}

void TestForm2::buttonStoresAndWrites_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<int>("choose");        // -1: leave the preselection
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file, COM 4") << 1 << QByteArray() << 3 << QByteArray("\"4\"\r\n");
    QTest::newRow("COM 12 is six bytes")
        << 3 << QByteArray("\"3\"\r\n") << 11 << QByteArray("\"12\"\r\n");
    QTest::newRow("replaces a longer file")
        << 5 << QByteArray("\"5\"\r\n\"8\"\r\n, and some more text that was there\r\n") << 1
        << QByteArray("\"2\"\r\n");
    QTest::newRow("unchanged choice rewrites the file")
        << 7 << QByteArray("7,\"7\" \r\n\r\n") << -1 << QByteArray("\"7\"\r\n");
}

void TestForm2::buttonStoresAndWrites() {
    QFETCH(int, current);
    QFETCH(QByteArray, before);
    QFETCH(int, choose);
    QFETCH(QByteArray, after);
    GuiFixture fx(before);
    fx.form->ComPortNumber = quint8(current);
    const int expected = choose >= 0 ? choose + 1 : current;
    chooseThroughWindow(*fx.form, choose >= 0 ? choose + 1 : -1);

    QCOMPARE(int(fx.form->ComPortNumber), expected);
    QCOMPARE(fx.form->ComPortText, QString::number(expected));
    QCOMPARE(fileBytes(fx.iniPath()), after);
    QVERIFY(MsgBoxSeam::history().isEmpty());
    // Nothing left behind beside it.
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("zanu.ini")});
    // What was written reads back as the same port.
    const SettingsRead read = ReadSettingsFile(fx.iniPath());
    QCOMPARE(read.lastField, QString::number(expected));
}

void TestForm2::nothingSelectedChangesNothing() {
    GuiFixture fx(QByteArray("garbage"));
    fx.form->ComPortText = QStringLiteral("garbage");
    {
        Form2 d(0, comPortDeviceName);
        QCOMPARE(checkedIndex(d), -1);
        QTest::mouseClick(d.Command1, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.chosenPort(), 0);
    }
    chooseThroughWindow(*fx.form, -1);
    QCOMPARE(int(fx.form->ComPortNumber), 0);
    QCOMPARE(fx.form->ComPortText, QStringLiteral("garbage"));
    QCOMPARE(fileBytes(fx.iniPath()), QByteArray("garbage"));
}

void TestForm2::closeBoxChangesNothing() {
    GuiFixture fx(QByteArray("\"3\"\r\n"));
    fx.form->ComPortNumber = 3;
    fx.form->ComPortText = QStringLiteral("3");
    {
        Form2 d(3, comPortDeviceName);
        d.show();
        QTest::mouseClick(d.Option1[8], Qt::LeftButton);
        d.close();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.chosenPort(), 0);
    }
    {
        Form2 d(3, comPortDeviceName);
        d.show();
        QTest::mouseClick(d.Option1[4], Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.chosenPort(), 0);
    }
    chooseThroughWindow(*fx.form, 0);
    QCOMPARE(int(fx.form->ComPortNumber), 3);
    QCOMPARE(fx.form->ComPortText, QStringLiteral("3"));
    QCOMPARE(fileBytes(fx.iniPath()), QByteArray("\"3\"\r\n"));
}

void TestForm2::deviceColumn() {
    QTemporaryDir devices;
    const QString present = devices.filePath(QStringLiteral("ttyFAKE0"));
    writeBytes(present, "");
    const QString absent = devices.filePath(QStringLiteral("ttyFAKE1"));
    qputenv("ZANU_COM5", present.toLocal8Bit());
    qputenv("ZANU_COM6", absent.toLocal8Bit());
    Form2 d(port, comPortDeviceName);
    qunsetenv("ZANU_COM5");
    qunsetenv("ZANU_COM6");

    for (size_t i = 0; i < 12; ++i) {
        // Beside the choice, never instead of its caption.
        QCOMPARE(d.Option1[i]->text(), QStringLiteral("COM %1").arg(i + 1));
        QVERIFY(d.DeviceLabel[i]->isVisibleTo(&d));
        QVERIFY(d.DeviceLabel[i]->text().startsWith(QStringLiteral("COM %1:").arg(i + 1)));
        QVERIFY(d.DeviceLabel[i]->geometry().left() >= d.Option1[6]->geometry().right());
        QVERIFY(d.rect().contains(d.DeviceLabel[i]->geometry()));
    }
    QCOMPARE(d.Option1[4]->toolTip(), present + QStringLiteral(", present"));
    QVERIFY(d.DeviceLabel[4]->text().endsWith(QStringLiteral("(present)")));
    QCOMPARE(d.Option1[5]->toolTip(), absent + QStringLiteral(", absent"));
    QVERIFY(d.DeviceLabel[5]->text().endsWith(QStringLiteral("(absent)")));
    QCOMPARE(d.Option1[4]->accessibleDescription(), d.Option1[4]->toolTip());
    if (qEnvironmentVariableIsEmpty("ZANU_COM1"))
        QVERIFY(d.Option1[0]->toolTip().startsWith(comPortDeviceName(1)));
}

// The choice still holds for this run when the file cannot be written, and the user is told in
// plain words which file failed.
void TestForm2::unwritableFolderIsReported_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("folder in the way") << "folder";
}

void TestForm2::unwritableFolderIsReported() {
    QFETCH(QString, kind);
    GuiFixture fx{QByteArray()};
    QString ini;
    if (kind == QLatin1String("missing")) {
        SetProgramDirectory(fx.dir.filePath(QStringLiteral("no/such/folder")));
        ini = SettingsFilePath();
    } else {
        ini = SettingsFilePath();
        QVERIFY(QDir(fx.dir.path()).mkdir(QStringLiteral("zanu.ini")));
    }
    fx.form->ComPortNumber = 2;
    chooseThroughWindow(*fx.form, 7);

    QCOMPARE(int(fx.form->ComPortNumber), 7);
    QCOMPARE(fx.form->ComPortText, QStringLiteral("7"));
    QCOMPARE(MsgBoxSeam::history().size(), 1);
    const auto box = MsgBoxSeam::history().first();
    QCOMPARE(box.buttons, int(vbOKOnly));
    QCOMPARE(box.title, kAppTitle);
    QVERIFY2(box.prompt.contains(QDir::toNativeSeparators(ini)), qPrintable(box.prompt));
    QVERIFY(box.prompt.contains(QStringLiteral("COM 7")));
    QVERIFY(!QFileInfo(ini).isFile());
}

void TestForm2::menuReconnects_data() {
    QTest::addColumn<int>("choose"); // 0: close box
    QTest::addColumn<int>("port");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("close box keeps COM 3") << 0 << 3 << QByteArray("\"3\"\r\n");
    QTest::newRow("choose COM 12") << 12 << 12 << QByteArray("\"12\"\r\n");
    QTest::newRow("confirm COM 3") << 3 << 3 << QByteArray("\"3\"\r\n");
}

void TestForm2::menuReconnects() {
    QFETCH(int, choose);
    QFETCH(int, port);
    QFETCH(QByteArray, file);

    GuiFixture fx(QByteArray("\"3\"\r\n"));
    QList<int> ports;
    fx.form->HartX1->setLineFactory([&](int p) {
        ports << p;
        return std::make_unique<SimLine>(&fx.device, SimLine::Timing::Instant);
    });
    fx.form->Form_Load();
    QVERIFY(fx.waitIdle());
    fx.device.clearTrace();
    ports.clear();

    bool sawCom3 = false;
    onNextDialog([&](QWidget *w) {
        auto *d = qobject_cast<Form2 *>(w);
        if (!d) {
            w->close();
            return;
        }
        sawCom3 = d->Option1[2]->isChecked();
        if (choose == 0) {
            d->close();
            return;
        }
        QTest::mouseClick(d->Option1[size_t(choose - 1)], Qt::LeftButton);
        QTest::mouseClick(d->Command1, Qt::LeftButton);
    });
    fx.form->Compoort->trigger();

    QVERIFY(sawCom3);
    QCOMPARE(int(fx.form->ComPortNumber), port);
    QCOMPARE(int(fx.form->HartX1->commPort()), port);
    QCOMPARE(fileBytes(fx.iniPath()), file);
    QVERIFY(fx.waitIdle());
    QVERIFY(!fx.commandsSeen().isEmpty());
    QCOMPARE(fx.commandsSeen().first(), 0);
    QVERIFY(!ports.isEmpty());
    QCOMPARE(ports.last(), port);
}

// An installed program saves in the user's own file; the user is told where, and told when an
// administrator's file beside the program will still decide the port at the next start.
void TestForm2::savedElsewhereIsSaid_data() {
    QTest::addColumn<QByteArray>("administrators");
    QTest::newRow("read-only folder") << QByteArray();
    QTest::newRow("administrator's file beside the program") << QByteArray("\"2\"\r\n");
}

void TestForm2::savedElsewhereIsSaid() {
    QFETCH(QByteArray, administrators);
    GuiFixture fx{administrators};
    SetProgramDirectoryWritable(false);
    SetUserSettingsDirectory(fx.dir.filePath(QStringLiteral("config/zanu-config")));
    const QString userFile = fx.dir.filePath(QStringLiteral("config/zanu-config/zanu.ini"));
    chooseThroughWindow(*fx.form, 7);

    QCOMPARE(int(fx.form->ComPortNumber), 7);
    QCOMPARE(fileBytes(userFile), QByteArray("\"7\"\r\n"));
    QCOMPARE(MsgBoxSeam::history().size(), 1);
    const QString prompt = MsgBoxSeam::history().first().prompt;
    QVERIFY2(prompt.contains(QDir::toNativeSeparators(userFile)), qPrintable(prompt));
    QVERIFY(prompt.contains(QStringLiteral("COM 7")));
    QCOMPARE(prompt.contains(QDir::toNativeSeparators(fx.iniPath())), !administrators.isNull());
    QCOMPARE(fileBytes(fx.iniPath()), administrators);
}

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
