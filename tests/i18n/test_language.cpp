// Which language a run speaks, and switching it while the program runs.
#include "i18n/language.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTest>

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void fromEnvironment_data() {
        QTest::addColumn<QString>("environment"); // NAME=value, space-separated
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing set") << ""
                                     << "en";
        QTest::newRow("C") << "LANG=C"
                           << "en";
        QTest::newRow("C.UTF-8 ignores LANGUAGE") << "LANGUAGE=de LANG=C.UTF-8"
                                                  << "en";
        QTest::newRow("POSIX in LC_ALL") << "LC_ALL=POSIX LANG=de_DE.UTF-8"
                                         << "en";
        QTest::newRow("German") << "LANG=de_DE.UTF-8"
                                << "de";
        QTest::newRow("Austrian, with modifier") << "LANG=de_AT@euro"
                                                 << "de";
        QTest::newRow("Flemish") << "LANG=nl_BE.UTF-8"
                                 << "nl";
        QTest::newRow("French: not spoken") << "LANG=fr_FR.UTF-8"
                                            << "en";
        QTest::newRow("LC_MESSAGES over LANG") << "LC_MESSAGES=nl_NL LANG=de_DE"
                                               << "nl";
        QTest::newRow("LC_ALL over LC_MESSAGES") << "LC_ALL=de_DE LC_MESSAGES=nl_NL"
                                                 << "de";
        QTest::newRow("LANGUAGE: first spoken") << "LANGUAGE=fr:nl_NL:de LANG=de_DE"
                                                << "nl";
        QTest::newRow("LANGUAGE: English first") << "LANGUAGE=en_GB:de LANG=de_DE"
                                                 << "en";
        QTest::newRow("LANGUAGE: none spoken") << "LANGUAGE=fr LANG=de_DE"
                                               << "en";
    }
    void fromEnvironment() {
        QFETCH(QString, environment);
        QFETCH(QString, expected);
        QProcessEnvironment env;
        for (const QString &var : environment.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            env.insert(var.section(QLatin1Char('='), 0, 0), var.section(QLatin1Char('='), 1));
        QCOMPARE(i18n::languageFromEnvironment(env), expected);
    }

    // The command line wins over the user's saved choice for this run only, and a choice is kept
    // apart from zanu.ini.
    void choiceAtStart() {
        i18n::saveChoice(QString());
        QCOMPARE(i18n::choiceAtStart(QString()), QString());
        i18n::saveChoice(QStringLiteral("nl"));
        QCOMPARE(i18n::choiceAtStart(QString()), QStringLiteral("nl"));
        QCOMPARE(i18n::choiceAtStart(QStringLiteral("de")), QStringLiteral("de"));
        QCOMPARE(i18n::savedChoice(), QStringLiteral("nl"));
        i18n::saveChoice(QString());
    }

    // Switching speaks at once: every object hears LanguageChange, and English is the source.
    void switchAtRunTime() {
        int changes = 0;
        struct Listener : QObject {
            int *count;
            explicit Listener(int *c) : count(c) {}
            bool eventFilter(QObject *, QEvent *e) override {
                if (e->type() == QEvent::LanguageChange) ++*count;
                return false;
            }
        } listener(&changes);
        qApp->installEventFilter(&listener);
        const auto version = [] {
            return QCoreApplication::translate("frmSplash", "Version %1.%2.%3");
        };
        QCOMPARE(i18n::applyChoice(QStringLiteral("nl")), QStringLiteral("nl"));
        QCOMPARE(version(), QStringLiteral("Versie %1.%2.%3"));
        QVERIFY(changes > 0);
        changes = 0;
        QCOMPARE(i18n::applyChoice(QStringLiteral("en")), QStringLiteral("en"));
        QCOMPARE(version(), QStringLiteral("Version %1.%2.%3"));
        QVERIFY(changes > 0);
        QCOMPARE(i18n::currentChoice(), QStringLiteral("en"));
        qApp->removeEventFilter(&listener);
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "test_language.moc"
