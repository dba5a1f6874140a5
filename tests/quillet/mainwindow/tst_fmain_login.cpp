// SPDX-License-Identifier: MIT
// The main window's start-up login and password dialog over a fake keyring: the login waits for the keyring's
// answer (or the end of its wait), a late answer still reaches the dialog, and saving does not log in again.
#include "tests/support/fmain_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quillet;
using State = platform::FakeKeyring::State;

Q_DECLARE_METATYPE(State)

namespace
{
const QString kLogin = "http://www.lastbell.com/secure/login.cfm";
} // namespace

class TestMainWindowLogin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void firstLastbellPageAfterTheKeyring_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<bool>("entry");
        QTest::addColumn<QByteArray>("post"); // empty: the login page by GET
        QTest::newRow("keyring holds it: the post")
            << State::Answers << true << QByteArray("username=demo&temp_password=a%26b+c");
        QTest::newRow("no entry: the login page") << State::Answers << false << QByteArray();
        QTest::newRow("no keyring: the login page") << State::NoKeyring << true << QByteArray();
        QTest::newRow("keyring never answers: the login page") << State::NeverAnswers << true << QByteArray();
    }
    void firstLastbellPageAfterTheKeyring()
    {
        QFETCH(State, state);
        QFETCH(bool, entry);
        QFETCH(QByteArray, post);
        FMainFixture f;
        f.settings.values.insert("Main/User", "demo");
        f.keyring.state = state;
        if (entry)
            f.keyring.entries.insert("demo", "a&b c");
        f.show();
        QCOMPARE(f.auction->navigations.size(), 2); // the rest of the load sequence does not wait
        QCOMPARE(f.updateChecks, 1);
        QCOMPARE(f.snipe->navigations.size(), 0);

        QTRY_COMPARE(f.snipe->navigations.size(), 1);
        QCOMPARE(f.snipe->navigations[0].address, kLogin);
        QCOMPARE(f.snipe->navigations[0].isPost, !post.isEmpty());
        QCOMPARE(f.snipe->navigations[0].postData, post);
        if (!post.isEmpty())
            QCOMPARE(f.snipe->navigations[0].header, QString("Content-Type: application/x-www-form-urlencoded"));
    }

    void noAccountOpensTheSignUpPageWithoutWaiting()
    {
        FMainFixture f;
        f.settings.values.insert("Main/User", "demo");
        f.keyring.state = State::NeverAnswers;
        f.show(false);
        QCOMPARE(f.snipe->navigations.size(), 1);
        QCOMPARE(f.snipe->navigations[0].address, QString("http://www.lastbell.com/secure/signup.cfm"));
    }

    void passwordInTheSettingsFileLogsInAtOnceAndMoves()
    {
        FMainFixture f;
        f.settings.values.insert("Main/User", "demo");
        f.settings.values.insert("Main/Password", "s3cret");
        f.show();
        QCOMPARE(f.snipe->navigations.size(), 1);
        QCOMPARE(f.snipe->navigations[0].postData, QByteArray("username=demo&temp_password=s3cret"));
        QTRY_VERIFY(!f.settings.values.contains("Main/Password"));
        QCOMPARE(f.keyring.entries.value("demo"), QString("s3cret"));
        QCOMPARE(f.snipe->navigations.size(), 1);
    }

    void lateKeyringAnswerIsWhatTheDialogShows()
    {
        FMainFixture f;
        f.settings.values.insert("Main/User", "demo");
        f.keyring.entries.insert("demo", "s3cret");
        f.keyring.state = State::NeverAnswers;
        f.show();
        QTRY_COMPARE(f.snipe->navigations.size(), 1);
        QVERIFY(!f.snipe->navigations[0].isPost);
        f.keyring.answerHeld();

        QString shown;
        whenModal([&](QWidget* dialog) {
            shown = dialog->findChild<QLineEdit*>("txtPassword")->text();
            dialog->findChild<QPushButton*>("cmdCancel")->click();
        });
        f.child<QAction>("mnuToolsPassword")->trigger();
        QCOMPARE(shown, QString("s3cret"));
        QCOMPARE(f.snipe->navigations.size(), 1);
    }

    void savingKeepsThePasswordInTheKeyringAndDoesNotLogInAgain()
    {
        FMainFixture f;
        f.show();
        QCOMPARE(f.snipe->navigations.size(), 1);
        whenModal([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("txtUser")->setText("demo");
            dialog->findChild<QLineEdit*>("txtPassword")->setText("s3cret");
            dialog->findChild<QPushButton*>("cmdSave")->click();
        });
        f.child<QAction>("mnuToolsPassword")->trigger();
        QCOMPARE(f.settings.values.value("Main/User"), QString("demo"));
        QVERIFY(!f.settings.values.contains("Main/Password"));
        QCOMPARE(f.keyring.entries.value("demo"), QString("s3cret"));
        QVERIFY(f.messages.questions.isEmpty());
        QCOMPARE(f.snipe->navigations.size(), 1);

        // A user name is held now: the exit asks nothing.
        f.child<QAction>("mnuFileExit")->trigger();
        QVERIFY(!f.window->isEnabled());
    }
};

QTEST_MAIN(TestMainWindowLogin)
#include "tst_fmain_login.moc"
