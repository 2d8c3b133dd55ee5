// The "Send" buttons for damping and output direction, tag and mounting effect, on the simulated
// transmitter: each hands its fields to the session with monitoring paused, the mounting-effect
// list always returns to "Esc", and the tag field never holds more than the transmitter can.
// The bytes of each write and how it ends are the session's (tests/session/test_chains.cpp).
#include "gui_test_helper.h"
#include "hart/hart_replies.h"

#include "hart/link/hart_codec.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {} // namespace

class TestSettingsPanel : public QObject {
    Q_OBJECT
private slots:
    void sendButtons_data();
    void sendButtons();
    void mountingEffectListReturnsToEsc_data();
    void mountingEffectListReturnsToEsc();
    void tagFieldShowsStoredTag_data();
    void tagFieldShowsStoredTag();
};

void TestSettingsPanel::sendButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text"); // Text6, Text7, or typed over Combo2
    QTest::addColumn<int>("choice");   // Option1 index, or Combo2 position
    QTest::addColumn<QList<int>>("commands");
    QTest::addColumn<QList<QByteArray>>("data"); // request data of each command, from the start

    const auto packed = [](const char *tag) {
        return hart::packAscii(QString::fromLatin1(tag), 6);
    };
    QTest::newRow("damping 1 falling")
        << "Command4"
        << "1" << 1 << QList<int>{34, 152}
        << QList<QByteArray>{hart::encodeSingle(1.f), QByteArray(1, 1)};
    QTest::newRow("tag ABC padded")
        << "Command8"
        << "ABC" << 0 << QList<int>{18} << QList<QByteArray>{packed("ABC     ")};
    QTest::newRow("mounting effect Set")
        << "Command9"
        << "" << 2 << QList<int>{150} << QList<QByteArray>{QByteArray(1, 1)};
    QTest::newRow("mounting effect typed text sends nothing")
        << "Command9"
        << "Set now" << 2 << QList<int>{} << QList<QByteArray>{};
}

void TestSettingsPanel::sendButtons() {
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(int, choice);
    QFETCH(QList<int>, commands);
    QFETCH(QList<QByteArray>, data);

    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(startMonitoring(fx));
    const QString shownCurrent = f.Text9[0]->text();
    QVERIFY(!shownCurrent.isEmpty());

    if (button == QLatin1String("Command4")) {
        f.Text6->setText(text);
        f.Option1[size_t(choice)]->setChecked(true);
    } else if (button == QLatin1String("Command8")) {
        f.Text7->setText(text);
    } else {
        f.Combo2->setCurrentIndex(choice);
        if (!text.isEmpty()) f.Combo2->setEditText(text);
    }
    fx.device.clearTrace();

    f.findChild<QPushButton *>(button)->click();

    // The poll stops before the request; the output fields keep their last values meanwhile.
    QVERIFY(!f.Timer5->isActive());
    QCOMPARE(f.Text9[0]->text(), shownCurrent);

    if (commands.isEmpty()) {
        spinUntil([] { return false; }, 50);
        QVERIFY(fx.commandsSeen().isEmpty());
        QVERIFY(!f.Timer2->isActive());
        QVERIFY(!f.Timer5->isActive()); // paused until something restarts it
        QCOMPARE(MousePointer(), int(vbDefault));
        return;
    }

    QVERIFY(spinUntil([&] { return f.Timer2->isActive(); }));
    QCOMPARE(fx.commandsSeen(), commands);
    for (int i = 0; i < commands.size(); ++i) {
        const QByteArray sent = fx.lastRequestData(commands[i]);
        QVERIFY2(sent.startsWith(data[i]),
                 qPrintable(QStringLiteral("command %1 sent %2")
                                .arg(commands[i])
                                .arg(QString::fromLatin1(sent.toHex(' ')))));
    }
    QVERIFY(fx.boxes().isEmpty());
}

void TestSettingsPanel::mountingEffectListReturnsToEsc_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sends");

    QTest::newRow("Set") << 2 << QString() << true;
    QTest::newRow("Reset") << 1 << QString() << true;
    QTest::newRow("Esc") << 0 << QString() << false;
    QTest::newRow("typed text over Set") << 2 << QStringLiteral("xyz") << false;
    QTest::newRow("typed text over Esc") << 0 << QStringLiteral("Reset?") << false;
}

void TestSettingsPanel::mountingEffectListReturnsToEsc() {
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(bool, sends);

    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QCOMPARE(f.Combo2->itemText(0), QStringLiteral("Esc"));
    f.Combo2->setCurrentIndex(position);
    if (!typed.isEmpty()) f.Combo2->setEditText(typed);
    fx.device.clearTrace();

    f.Command9->click();

    // At once, before the transmitter has answered.
    QCOMPARE(f.Combo2->currentIndex(), 0);
    QCOMPARE(f.Combo2->currentText(), QStringLiteral("Esc"));
    QVERIFY(spinIdle(fx));
    QCOMPARE(fx.commandsSeen().count(150), sends ? 1 : 0);
    QCOMPARE(f.Combo2->count(), 3);
}

// The tag field never shows more than the transmitter can hold: while typing, and after Send.
void TestSettingsPanel::tagFieldShowsStoredTag_data() {
    QTest::addColumn<QString>("how"); // "typed", "pasted" or "set" (by the program, unchecked)
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown"); // before Send; null: not checked
    QTest::addColumn<QString>("stored");

    QTest::newRow("twelve letters typed") << "typed"
                                          << "abcdefghijkl"
                                          << "ABCDEFGH"
                                          << "ABCDEFGH";
    QTest::newRow("umlaut typed") << "typed" << QStringLiteral("F\u00fce-1") << "F?E-1"
                                  << "F?E-1   ";
    QTest::newRow("tab and line feed pasted") << "pasted"
                                              << "a\tb\nc"
                                              << "A?B?C"
                                              << "A?B?C   ";
    QTest::newRow("thousand characters pasted")
        << "pasted" << QString(1000, QLatin1Char('x')) << "XXXXXXXX"
        << "XXXXXXXX";
}

void TestSettingsPanel::tagFieldShowsStoredTag() {
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QFETCH(QString, stored);

    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    f.Text7->clear();
    if (how == QLatin1String("typed")) {
        // Key by key; QTest names keys for ASCII only, so the others come as their text.
        for (const QChar c : input)
            QTest::sendKeyEvent(QTest::Click, f.Text7, Qt::Key_unknown, QString(c), Qt::NoModifier);
    } else if (how == QLatin1String("pasted"))
        f.Text7->insert(input);
    else
        f.Text7->setText(input);
    if (!shown.isNull()) QCOMPARE(f.Text7->text(), shown);
    fx.device.clearTrace();

    f.Command8->click();
    QVERIFY(spinUntil([&] { return f.Timer2->isActive(); }));
    QCOMPARE(fx.lastRequestData(18).left(6), hart::packAscii(stored, 6));
    QCOMPARE(fx.device.config().tag, stored.trimmed());
    QCOMPARE(f.Text7->text(), stored.trimmed()); // the padding is storage, not content
}

QTEST_MAIN(TestSettingsPanel)
#include "test_settings_panel.moc"
