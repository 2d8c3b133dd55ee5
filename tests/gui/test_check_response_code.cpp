// Every response code the transmitter can send, against each family of commands: which message
// the engineer sees, in what kind of box, and what the caller is told.
#include "dialogs/msgbox.h"
#include "session/session.h"

#include <QtTest>

#include <map>

namespace {

const QString kUnspecified = QStringLiteral("Unspecified Error");
const QString kWrongCommand = QStringLiteral("Unspecified Error or Wrong returned Command");

const std::map<int, QString> kGeneral{
    {2, "Invalid selection"},
    {3, "Passed Parameter too Large"},
    {4, "Passed Parameter too Small"},
    {5, "Too Few Databytes Received"},
    {6, "Transmitter Specific Command Error"},
    {7, "In Write Protect Mode"},
    {8, "Set to Nearest Value"},
    {16, "Access Restricted"},
    {64, "Command Not Implemented"},
};

const std::map<int, std::map<int, QString>> kPerCommand{
    {35,
     {{9, "Lowerrange too high"},
      {10, "Lowerrange too low"},
      {11, "Upperrange too high"},
      {12, "Upperrange too low"},
      {13, "URV and LRV out of Limits"},
      {14, "Span too Small"}}},
    {36,
     {{9, "Applied process too high"}, {10, "Applied process too low"}, {14, "Span too Small"}}},
    {37,
     {{9, "Applied process too high"},
      {10, "Applied process too low"},
      {14, "New LRV pushed URV over USL"}}},
};

QString expectedMessage(int code, int command) {
    if (code == 0) return QString();
    if (const auto general = kGeneral.find(code); general != kGeneral.end()) return general->second;
    const auto table = kPerCommand.find(command);
    if (table == kPerCommand.end()) return kWrongCommand;
    const auto entry = table->second.find(code);
    return entry == table->second.end() ? kUnspecified : entry->second;
}

// The session asks through the window's message boxes, as the main window makes it do.
struct BoxDecisions : Decisions {
    int ask(const QString &prompt, int buttons, const QString &title,
            const QString &detail) override {
        return MsgBox(prompt, buttons, title, detail);
    }
};

int CheckResponseCode(int code, int command) {
    static BoxDecisions boxes;
    static Session session;
    session.attach(nullptr, &boxes);
    return session.CheckResponseCode(code, command);
}

} // namespace

class TestCheckResponseCode : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void matrix_data();
    void matrix();
    void namedCases_data();
    void namedCases();
    void answerIsPassedOn_data();
    void answerIsPassedOn();
};

void TestCheckResponseCode::init() {
    MsgBoxSeam::clearHistory();
    MsgBoxSeam::setScript([](const MsgBoxSeam::Shown &) { return int(vbOK); });
}

void TestCheckResponseCode::cleanup() {
    MsgBoxSeam::clearScript();
    MsgBoxSeam::clearHistory();
}

void TestCheckResponseCode::matrix_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("message");
    // Codes: none, every general code, every command-specific code, neighbours of both, the
    // warning and busy bits, the communication-error bit, and a 16-bit negative.
    const QList<int> codes{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  11,  12, 13,
                           14, 15, 16, 17, 32, 33, 63, 64, 65, 127, 128, 255, -1};
    // Commands: the three with their own tables, their neighbours, and the others the tool
    // sends, so each family is covered.
    const QList<int> commands{0, 2, 3, 13, 14, 15, 18, 34, 35, 36, 37, 38, 40, 44, 129, 150, 152};
    for (int command : commands)
        for (int code : codes)
            QTest::addRow("code %d, command %d", code, command)
                << code << command << expectedMessage(code, command);
}

void TestCheckResponseCode::matrix() {
    QFETCH(int, code);
    QFETCH(int, command);
    QFETCH(QString, message);

    const int result = CheckResponseCode(code, command);
    const QList<MsgBoxSeam::Shown> &shown = MsgBoxSeam::history();
    if (code == 0) {
        QCOMPARE(result, 0);
        QVERIFY(shown.isEmpty());
        return;
    }
    QCOMPARE(result, int(vbOK));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().prompt, message);
    QCOMPARE(shown.first().title, QStringLiteral("Error"));
    QCOMPARE(shown.first().buttons, int(vbOKOnly));
    QVERIFY(shown.first().detail.isEmpty());
}

// The cases an engineer would report, written out literally rather than through the table above.
void TestCheckResponseCode::namedCases_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("general wins over command 35") << 8 << 35 << "Set to Nearest Value";
    QTest::newRow("14 on 35") << 14 << 35 << "Span too Small";
    QTest::newRow("14 on 36") << 14 << 36 << "Span too Small";
    QTest::newRow("14 on 37") << 14 << 37 << "New LRV pushed URV over USL";
    QTest::newRow("14 on 15") << 14 << 15 << "Unspecified Error or Wrong returned Command";
    QTest::newRow("9 on 3") << 9 << 3 << "Unspecified Error or Wrong returned Command";
    QTest::newRow("9 on 35") << 9 << 35 << "Lowerrange too high";
    QTest::newRow("9 on 36") << 9 << 36 << "Applied process too high";
    QTest::newRow("9 on 37") << 9 << 37 << "Applied process too high";
    QTest::newRow("11 on 37") << 11 << 37 << "Unspecified Error";
    QTest::newRow("1 on 0") << 1 << 0 << "Unspecified Error or Wrong returned Command";
    QTest::newRow("128 on 0") << 128 << 0 << "Unspecified Error or Wrong returned Command";
    QTest::newRow("busy on 35") << 32 << 35 << "Unspecified Error";
    QTest::newRow("busy on 44") << 32 << 44 << "Unspecified Error or Wrong returned Command";
    QTest::newRow("16 on 37") << 16 << 37 << "Access Restricted";
}

void TestCheckResponseCode::namedCases() {
    QFETCH(int, code);
    QFETCH(int, command);
    QFETCH(QString, message);
    QVERIFY(CheckResponseCode(code, command) != 0);
    QCOMPARE(MsgBoxSeam::history().size(), 1);
    QCOMPARE(MsgBoxSeam::history().first().prompt, message);
}

// The caller learns the box's answer; a box that answered nothing must still read as "a message
// was shown", or the caller would carry on as if the transmitter had accepted the command.
void TestCheckResponseCode::answerIsPassedOn_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << int(vbOK) << int(vbOK);
    QTest::newRow("other answer") << int(vbCancel) << int(vbCancel);
    QTest::newRow("no answer") << 0 << int(vbOK);
}

void TestCheckResponseCode::answerIsPassedOn() {
    QFETCH(int, answer);
    QFETCH(int, result);
    MsgBoxSeam::setScript([answer](const MsgBoxSeam::Shown &) { return answer; });
    QCOMPARE(CheckResponseCode(9, 35), result);
    QCOMPARE(MsgBoxSeam::history().size(), 1);
}

QTEST_MAIN(TestCheckResponseCode)
#include "test_check_response_code.moc"
