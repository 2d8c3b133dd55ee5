// A number field that holds no number at all is never sent as 0: the user is told which field
// needs one, nothing goes to the transmitter and the window stays as it was.
#include "chain_helper.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using chain::settle;

class TestNumberFields : public QObject {
    Q_OBJECT
private slots:
    void noNumberIsNotSent_data();
    void noNumberIsNotSent();
};

void TestNumberFields::noNumberIsNotSent_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("action"); // a button, or "Enter" in the field
    QTest::addColumn<QString>("name");   // as the message names the field

    QTest::newRow("damping letters") << "Text6"
                                     << "abc"
                                     << "Command4"
                                     << "Damping";
    QTest::newRow("damping empty") << "Text6"
                                   << ""
                                   << "Command4"
                                   << "Damping";
    QTest::newRow("zero empty") << "Text4"
                                << ""
                                << "Command3"
                                << "Zero";
    QTest::newRow("span letters") << "Text5"
                                  << "abc"
                                  << "Command3"
                                  << "Span";
    QTest::newRow("span sign only") << "Text5"
                                    << " - "
                                    << "Command3"
                                    << "Span";
    QTest::newRow("fixed current letters") << "Text8"
                                           << "abc"
                                           << "Command5"
                                           << "Fixed Current (mA)";
    QTest::newRow("fixed current empty, Enter") << "Text8"
                                                << ""
                                                << "Enter"
                                                << "Fixed Current (mA)";
}

void TestNumberFields::noNumberIsNotSent() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, action);
    QFETCH(QString, name);

    GuiFixture f;
    QVERIFY(settle(f));
    Form1 *w = f.form.get();
    auto *edit = w->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setText(text);
    w->Timer5->start(); // monitoring between two polls: a refusal must not pause it
    const bool zeroMarked = w->Label16->isVisible();
    const bool spanMarked = w->Label15->isVisible();
    const QVariant zeroRef = w->ZeroAsRead, spanRef = w->SpanAsRead;
    const double damping = w->Dev.Damping;

    if (action == QLatin1String("Enter"))
        w->Text8_KeyPress(13);
    else
        w->findChild<QPushButton *>(action)->click();

    QCOMPARE(f.boxes().size(), 1);
    const QString prompt = f.boxes().first().prompt;
    QVERIFY2(prompt.contains(QLatin1Char('"') + name + QLatin1Char('"')), qPrintable(prompt));
    QVERIFY2(prompt.contains(QLatin1String("number")), qPrintable(prompt));
    QVERIFY(nothingWentOut(f));
    QCOMPARE(w->Command5->text(), QStringLiteral("Send"));
    QCOMPARE(MousePointer(), vbDefault);
    QVERIFY(w->Timer5->isActive());
    QCOMPARE(w->Label16->isVisible(), zeroMarked);
    QCOMPARE(w->Label15->isVisible(), spanMarked);
    QCOMPARE(w->ZeroAsRead, zeroRef);
    QCOMPARE(w->SpanAsRead, spanRef);
    QCOMPARE(w->Dev.Damping, damping);
    QCOMPARE(edit->text(), text);
}

QTEST_MAIN(TestNumberFields)
#include "test_number_fields.moc"
