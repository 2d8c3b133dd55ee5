// Numbers through the window in a point, a comma and an Arabic locale: what the window shows
// goes back to the transmitter unchanged, and what the user types reads as meant.
#include "chain_helper.h"
#include "hart/hart_replies.h"
#include "units/module1.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using chain::settle;

class TestDecimalLocales : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }
    void shownDampingIsSentBack_data() { addLocales(); }
    void shownDampingIsSentBack();
    void shownRangeIsSentAfterUnitChange_data() { addLocales(); }
    void shownRangeIsSentAfterUnitChange();
    void typedZeroIsKept_data();
    void typedZeroIsKept();

private:
    static void addLocales() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt);
    }
};

// "20-4 mA" and Send write the damping the window shows (0.4 s), not 0.
void TestDecimalLocales::shownDampingIsSentBack() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    GuiFixture f;
    QVERIFY(settle(f));
    QCOMPARE(f.form->Text6->text(), Module1::Format(0.4, QStringLiteral("#0.0#")));
    f.form->Option1[1]->click();
    f.form->Command4->click();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), (QList<int>{34, 152}));
    QCOMPARE(f.lastRequestData(34), hart::encodeSingle(0.4f));
    QCOMPARE(f.device.config().damping, 0.4f);
}

// 10 mH2O shown as 980.665 mBar goes out as 980.665, not 980.
void TestDecimalLocales::shownRangeIsSentAfterUnitChange() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    GuiFixture f;
    QVERIFY(settle(f));
    const int mBar = Module1::UnitIndexFromName(QStringLiteral("mBar"));
    f.form->Combo1->setCurrentIndex(mBar);
    f.form->Combo1_Click();
    QCOMPARE(f.form->Text5->text(), Module1::Format(980.665, QStringLiteral("#0.00#")));
    f.form->Command3->click();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.commandsSeen(), (QList<int>{44, 35}));
    QCOMPARE(f.lastRequestData(35).mid(1, 4), hart::encodeSingle(980.665f));
}

void TestDecimalLocales::typedZeroIsKept_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed"); // '~': the locale's own separator
    const QList<QLocale> locales{QLocale(QLocale::English, QLocale::UnitedStates),
                                 QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::Arabic, QLocale::Egypt)};
    for (const QLocale &l : locales)
        for (const char *typed : {"2~5", "2.5", "2,5"})
            QTest::addRow("%s %s", qPrintable(l.name()), typed) << l << QString::fromLatin1(typed);
}

// Enter in Zero rewrites the field as the number typed: 2.5 shows as 2.500, not 2.000.
void TestDecimalLocales::typedZeroIsKept() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QLocale::setDefault(locale);
    GuiFixture f;
    QVERIFY(settle(f));
    f.form->Text4->setText(typed.replace(QLatin1Char('~'), locale.decimalPoint()));
    f.form->Text4_KeyPress(13);
    QCOMPARE(f.form->Text4->text(), Module1::Format(2.5, QStringLiteral("#0.000#")));
    QVERIFY(Module1::Format(2.5, QStringLiteral("#0.000#")).contains(locale.decimalPoint()));
}

int main(int argc, char **argv) {
    // The machine itself is set to a locale whose separator is neither a point nor a comma, as
    // in the field; each row then runs the window in the locale it names.
    qputenv("LC_ALL", "ar_EG.UTF-8");
    qputenv("LANG", "ar_EG.UTF-8");
    QApplication app(argc, argv);
    TestDecimalLocales test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_decimal_locales.moc"
