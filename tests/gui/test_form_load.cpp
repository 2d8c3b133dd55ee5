// Start-up: what zanu.ini makes of the port, the lists and choices the window starts with, and
// the first request on the line.
#include "dialogs/form2.h"
#include "gui_test_helper.h"
#include "settings/settings_file.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

namespace {

// Answers every modal dialog that appears with `answer` and counts them, so that a dialog that
// should not have appeared fails the test instead of hanging it.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(std::function<void(QDialog *)> answer) : answer_(std::move(answer)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!d || d == last_) return;
            last_ = d;
            ++shown;
            answer_(d);
        });
        timer_.start(20);
    }
    int shown = 0;

private:
    std::function<void(QDialog *)> answer_;
    QTimer timer_;
    QPointer<QDialog> last_;
};

} // namespace

class TestFormLoad : public QObject {
    Q_OBJECT
private slots:
    void settingsFile_data();
    void settingsFile();
    void unreadableFile();
    void listsAndChoicesAfterLoad();
    void firstRequestIsIdentify();
    void missingFileAsksFirst_data();
    void missingFileAsksFirst();
};

void TestFormLoad::settingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");

    QTest::newRow("quoted, as written") << QByteArray("\"5\"\r\n") << 5;
    QTest::newRow("twelve") << QByteArray("\"12\"\r\n") << 12;
    QTest::newRow("unquoted") << QByteArray("7") << 7;
    QTest::newRow("unquoted with line end") << QByteArray("7\r\n") << 7;
    QTest::newRow("unquoted, blanks around") << QByteArray("  7 \t\r\n") << 7;
    QTest::newRow("two lines: last wins") << QByteArray("\"3\"\r\n\"8\"\r\n") << 8;
    QTest::newRow("two fields on a line") << QByteArray("\"3\",\"8\"\r\n") << 8;
    QTest::newRow("line feeds only") << QByteArray("\"3\"\n9\n") << 9;
    QTest::newRow("carriage returns only") << QByteArray("\"3\"\r9\r") << 9;
    QTest::newRow("empty line at the end") << QByteArray("\"6\"\r\n\r\n  \r\n") << 6;
    QTest::newRow("quote left open") << QByteArray("\"4\r\n") << 4;
    QTest::newRow("text after the closing quote") << QByteArray("\"4\"xyz\r\n") << 4;
    QTest::newRow("leading zero") << QByteArray("07\r\n") << 0;
    QTest::newRow("COM prefix") << QByteArray("COM7\r\n") << 0;
    QTest::newRow("out of range") << QByteArray("\"13\"\r\n") << 0;
    QTest::newRow("zero") << QByteArray("\"0\"\r\n") << 0;
    QTest::newRow("blank inside the quotes") << QByteArray("\" 7\"\r\n") << 0;
    QTest::newRow("blank after inside the quotes") << QByteArray("\"7 \"\r\n") << 0;
    QTest::newRow("comma inside the quotes") << QByteArray("\"1,2\"\r\n") << 0;
    QTest::newRow("trailing comma: empty last field") << QByteArray("\"6\",\r\n") << 0;
    QTest::newRow("valid then invalid") << QByteArray("\"6\"\r\n\"x\"\r\n") << 0;
    QTest::newRow("empty file") << QByteArray("") << 0;
    QTest::newRow("binary garbage") << QByteArray::fromHex("00ff1b2c0d0a89fe22c3a90000") << 0;
    QTest::newRow("all byte values") << [] {
        QByteArray b;
        for (int i = 0; i < 256; ++i)
            b.append(char(i));
        return b;
    }() << 0;
    // Far more than a settings file ever holds: reading stops, the whole lines read count.
    QTest::newRow("oversized") << QByteArray("\"5\"\r\n") + QByteArray(200 * 1024, 'x') << 5;
}

void TestFormLoad::settingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, port);

    GuiFixture fx(content);
    QList<int> portsOpened;
    fx.form->HartX1->setLineFactory([&](int p) {
        portsOpened << p;
        return std::make_unique<SimLine>(&fx.device, SimLine::Timing::Instant);
    });
    DialogWatch watch([](QDialog *d) { d->reject(); });
    fx.form->Form_Load();

    QCOMPARE(watch.shown, 0);
    QCOMPARE(int(fx.form->ComPortNumber), port);
    QCOMPARE(int(fx.form->HartX1->commPort()), port);
    QVERIFY(fx.waitIdle());
    if (port != 0) {
        QVERIFY(!portsOpened.isEmpty());
        QCOMPARE(portsOpened.first(), port);
        // A file far too large is reported, though the port of its first lines is used.
        QCOMPARE(fx.boxes().size(), content.size() > 64 * 1024 ? 1 : 0);
    } else {
        // Without a port nothing can be sent; the engineer is told why and where to set one.
        QVERIFY(portsOpened.isEmpty());
        QVERIFY(!fx.boxes().isEmpty());
        QVERIFY(fx.boxes().first().detail.contains(QLatin1String("COM-settings")));
    }
    // The load step only reads the file.
    QFile f(fx.iniPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content);
}

// A settings file that is there but cannot be read is not a missing file: no dialog, port 0.
void TestFormLoad::unreadableFile() {
    GuiFixture fx(QByteArray{});
    QVERIFY(QDir(fx.dir.path()).mkdir(QStringLiteral("zanu.ini")));
    DialogWatch watch([](QDialog *d) { d->reject(); });
    fx.form->Form_Load();
    QCOMPARE(watch.shown, 0);
    QCOMPARE(int(fx.form->ComPortNumber), 0);
    QCOMPARE(int(fx.form->HartX1->commPort()), 0);
    QVERIFY(QFileInfo(fx.iniPath()).isDir());
    QVERIFY(fx.waitIdle());

    if (::geteuid() == 0)
        QSKIP("running as root: a file without read permission is still readable");
    GuiFixture fx2(QByteArray("\"5\"\r\n"));
    QVERIFY(QFile::setPermissions(fx2.iniPath(), QFileDevice::Permissions{}));
    DialogWatch watch2([](QDialog *d) { d->reject(); });
    fx2.form->Form_Load();
    QCOMPARE(watch2.shown, 0);
    QCOMPARE(int(fx2.form->ComPortNumber), 0);
    QVERIFY(fx2.waitIdle());
    QFile::setPermissions(fx2.iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestFormLoad::listsAndChoicesAfterLoad() {
    GuiFixture fx;
    fx.form->Dev.BusyRetryCount = 7;
    fx.form->Timer1->start();
    fx.form->Form_Load();

    QCOMPARE(fx.form->Dev.BusyRetryCount, quint8(0));
    QVERIFY(!fx.form->Timer1->isActive());
    QVERIFY(fx.form->ReloadingRange);
    QCOMPARE(fx.form->Dev.PreviousUnitName, QStringLiteral("Unknown"));

    QStringList units;
    for (int i = 0; i < fx.form->Combo1->count(); ++i)
        units << fx.form->Combo1->itemText(i);
    QCOMPARE(units, (QStringList{"InH2O", "InHg", "mmH2O", "mmHg", "PSI", "Bar", "mBar", "KG cm2",
                                 "kPa", "ATM", "MPa", "mH2O", "Unknown"}));
    QCOMPARE(fx.form->Combo1->currentIndex(), 12);
    QCOMPARE(fx.form->Combo1->currentText(), QStringLiteral("Unknown"));

    QStringList actions;
    for (int i = 0; i < fx.form->Combo2->count(); ++i)
        actions << fx.form->Combo2->itemText(i);
    QCOMPARE(actions, (QStringList{"Esc", "Reset", "Set"}));
    QCOMPARE(fx.form->Combo2->currentIndex(), 0);
    QCOMPARE(fx.form->Combo2->currentText(), QStringLiteral("Esc"));

    QVERIFY(fx.form->Option3[0]->isChecked());
    QVERIFY(!fx.form->Option3[1]->isChecked());
    QVERIFY(!fx.form->Timer5->isActive());
    QVERIFY(fx.waitIdle());
}

void TestFormLoad::firstRequestIsIdentify() {
    GuiFixture fx(QByteArray("\"2\"\r\n"));
    fx.form->Form_Load();
    QVERIFY(fx.form->HartX1->isBusy());
    QVERIFY(fx.waitIdle());
    const QList<int> seen = fx.commandsSeen();
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen.first(), 0);
    QVERIFY(!fx.device.trace().first().longAddress);
}

// No zanu.ini: the dialog comes first, before anything goes on the line, with COM 1 chosen.
void TestFormLoad::missingFileAsksFirst_data() {
    QTest::addColumn<int>("choose"); // port to choose and confirm; 0: close the dialog instead
    QTest::addColumn<int>("port");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("choose COM 4") << 4 << 4 << QByteArray("\"4\"\r\n");
    QTest::newRow("keep COM 1") << 1 << 1 << QByteArray("\"1\"\r\n");
    QTest::newRow("closed without choosing") << 0 << 1 << QByteArray();
}

void TestFormLoad::missingFileAsksFirst() {
    QFETCH(int, choose);
    QFETCH(int, port);
    QFETCH(QByteArray, written);

    GuiFixture fx(QByteArray{});
    bool preselectedCom1 = false, quietLine = false, windowHidden = false;
    DialogWatch watch([&](QDialog *d) {
        auto *dialog = qobject_cast<Form2 *>(d);
        QVERIFY(dialog);
        preselectedCom1 = dialog->Option1[0]->isChecked();
        quietLine = fx.device.trace().isEmpty() && !fx.form->HartX1->isBusy();
        windowHidden = !fx.form->isVisible();
        if (choose == 0) {
            dialog->close();
            return;
        }
        QTest::mouseClick(dialog->Option1[size_t(choose - 1)], Qt::LeftButton);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    });
    fx.form->Form_Load();

    QCOMPARE(watch.shown, 1);
    QVERIFY(preselectedCom1);
    QVERIFY(quietLine);
    QVERIFY(windowHidden);
    QCOMPARE(int(fx.form->ComPortNumber), port);
    QCOMPARE(int(fx.form->HartX1->commPort()), port);
    QFile f(fx.iniPath());
    if (written.isNull()) {
        QVERIFY(!f.exists());
        QVERIFY(fx.form->ComPortText.isEmpty());
    } else {
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), written);
        QCOMPARE(fx.form->ComPortText, QString::number(port));
    }
    QVERIFY(fx.waitIdle());
    QVERIFY(!fx.commandsSeen().isEmpty());
    QCOMPARE(fx.commandsSeen().first(), 0);
}

QTEST_MAIN(TestFormLoad)
#include "test_form_load.moc"
