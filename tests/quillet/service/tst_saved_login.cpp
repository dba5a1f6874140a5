// SPDX-License-Identifier: MIT
// Where the saved login lives, over a fake keyring: the start-up read, the move of a password out of the settings
// file, and saving, with a keyring that answers, is missing, refuses or never answers.
#include "quillet/service/saved_login.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fakes/fake_settings_store.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quillet;
using namespace std::chrono_literals;
using State = platform::FakeKeyring::State;
using Kept = SavedLogin::Kept;

Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(Kept)

namespace
{

const QString kAbsent = "<absent>";

struct Fixture {
    platform::FakeSettingsStore settings;
    platform::FakeKeyring keyring;
    SavedLogin login { settings, keyring, SavedLogin::Waits { 200ms, 200ms } };

    QString file(const QString& key) const { return settings.values.value("Main/" + key, kAbsent); }
    void store(const QString& user, const QString& password)
    {
        if (user != kAbsent)
            settings.values.insert("Main/User", user);
        if (password != kAbsent)
            settings.values.insert("Main/Password", password);
    }
};

} // namespace

class TestSavedLogin : public QObject
{
    Q_OBJECT
private slots:
    void load_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("inFile");
        QTest::addColumn<State>("state");
        QTest::addColumn<QString>("inKeyring");
        QTest::addColumn<bool>("readyAtOnce");
        QTest::addColumn<bool>("hasPassword");
        QTest::addColumn<QString>("password");
        QTest::newRow("in the keyring") << "demo" << kAbsent << State::Answers << "p&ss w" << false << true << "p&ss w";
        QTest::newRow("an empty password in the keyring")
            << "demo" << kAbsent << State::Answers << "" << false << true << "";
        // Also what a collection left locked answers.
        QTest::newRow("no entry: unknown") << "demo" << kAbsent << State::Answers << kAbsent << false << false << "";
        QTest::newRow("no keyring: unknown") << "demo" << kAbsent << State::NoKeyring << "x" << false << false << "";
        QTest::newRow("keyring never answers: the wait ends")
            << "demo" << kAbsent << State::NeverAnswers << "x" << false << false << "";
        QTest::newRow("in the settings file: used at once")
            << "demo"
            << "from file" << State::NeverAnswers << "x" << true << true << "from file";
        QTest::newRow("no user: nothing to wait for")
            << kAbsent << kAbsent << State::Answers << "x" << true << false << "";
        QTest::newRow("a password without a user is never used")
            << kAbsent << "orphan" << State::Answers << "x" << true << false << "";
    }
    void load()
    {
        QFETCH(QString, user);
        QFETCH(QString, inFile);
        QFETCH(State, state);
        QFETCH(QString, inKeyring);
        QFETCH(bool, readyAtOnce);
        Fixture f;
        f.store(user, inFile);
        f.keyring.state = state;
        if (inKeyring != kAbsent)
            f.keyring.entries.insert(user, inKeyring);
        QSignalSpy ready(&f.login, &SavedLogin::readyForLogin);

        f.login.Load();
        QCOMPARE(f.login.loginReady(), readyAtOnce);
        f.login.WaitForLogin();
        QTRY_COMPARE(ready.count(), 1);
        QTEST(f.login.hasPassword(), "hasPassword");
        QTEST(f.login.password(), "password");
        QCOMPARE(f.login.user(), user == kAbsent ? QString() : user);

        const qsizetype asked = f.keyring.requests.size();
        f.login.Load();
        QCOMPARE(f.keyring.requests.size(), asked); // asked once
        QCOMPARE(ready.count(), 1);
    }

    // Until the login is due, however long that takes, the keyring's answer is still awaited.
    void waitStartsWhenTheLoginIsDue()
    {
        Fixture f;
        f.store("demo", kAbsent);
        f.keyring.entries.insert("demo", "s3cret");
        f.keyring.state = State::NeverAnswers;
        SavedLogin login(f.settings, f.keyring, SavedLogin::Waits { 50ms, 50ms });
        login.Load();
        QSignalSpy ready(&login, &SavedLogin::readyForLogin);
        // A timer started after the load, with four times the wait, fires after any wait the load started.
        QTimer later;
        later.setSingleShot(true);
        QSignalSpy passed(&later, &QTimer::timeout);
        later.start(200ms);
        QVERIFY(passed.wait());
        QCoreApplication::processEvents();
        QCOMPARE(ready.count(), 0); // no login is due yet
        f.keyring.answerHeld();
        QCOMPARE(ready.count(), 1);
        QVERIFY(login.hasPassword());
    }

    void keyringAnswerAfterTheWaitStillGivesThePassword()
    {
        Fixture f;
        f.store("demo", kAbsent);
        f.keyring.entries.insert("demo", "s3cret");
        f.keyring.state = State::NeverAnswers;
        QSignalSpy late(&f.login, &SavedLogin::latePassword);
        f.login.Load();
        f.login.WaitForLogin();
        QTRY_VERIFY(f.login.loginReady());
        QVERIFY(!f.login.hasPassword());

        f.keyring.answerHeld();
        QCOMPARE(late.count(), 1);
        QVERIFY(f.login.hasPassword());
        QCOMPARE(f.login.password(), QString("s3cret"));
    }

    // Written, read back, and only then taken out of the file; anything else leaves the file as it was.
    void moveFromTheSettingsFile_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<int>("answers");
        QTest::addColumn<bool>("moved");
        QTest::newRow("keyring answers") << State::Answers << 2 << true;
        QTest::newRow("no keyring") << State::NoKeyring << 1 << false;
        QTest::newRow("keyring refuses") << State::FailsOnWrite << 1 << false;
    }
    void moveFromTheSettingsFile()
    {
        QFETCH(State, state);
        QFETCH(int, answers);
        QFETCH(bool, moved);
        Fixture f;
        f.store("demo", "from file");
        f.keyring.state = state;
        f.login.Load();
        QVERIFY(f.login.loginReady()); // the file's password is used for this start as it is
        QCOMPARE(f.login.password(), QString("from file"));

        QTRY_COMPARE(f.keyring.answered, answers);
        QCOMPARE(f.file("Password"), moved ? kAbsent : QString("from file"));
        QCOMPARE(f.file("User"), QString("demo"));
        if (moved) {
            QCOMPARE(f.keyring.entries.value("demo"), QString("from file"));
            QCOMPARE(f.keyring.requests.last().operation, QString("read"));
        }
    }

    void moveLeftWaitingByTheKeyringDoesNotUndoALaterSave()
    {
        Fixture f;
        f.store("demo", "from file");
        f.keyring.state = State::NeverAnswers;
        f.login.Load();
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        f.login.Save("demo", "newer"); // waits behind the move

        f.keyring.state = State::Answers;
        f.keyring.answerHeld();
        QTRY_COMPARE(f.keyring.answered, 3); // the move's write, the save's write, the move's read back
        QCOMPARE(saved.count(), 1);
        QCOMPARE(f.keyring.entries.value("demo"), QString("newer"));
        QCOMPARE(f.file("Password"), kAbsent);
        QCOMPARE(f.login.password(), QString("newer"));
    }

    // A save starts from an earlier one that went to the settings file while no keyring answered.
    void save_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<Kept>("kept");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("failure");
        QTest::newRow("keyring: the file keeps only the user name")
            << State::Answers << Kept::InKeyring << "demo" << kAbsent << "";
        QTest::newRow("no keyring: the file") << State::NoKeyring << Kept::InSettingsFile << "demo"
                                              << "p&ss w"
                                              << "";
        QTest::newRow("keyring stays locked: nothing in the file")
            << State::Locked << Kept::NotSaved << "before"
            << "earlier"
            << "Your user name and password could not be saved.\r\rThe desktop's keyring:\r"
               "The collection stays locked";
        QTest::newRow("keyring refuses: nothing saved")
            << State::FailsOnWrite << Kept::NotSaved << "before"
            << "earlier"
            << "Your user name and password could not be saved.\r\rThe desktop's keyring:\r"
               "The collection could not be written";
    }
    void save()
    {
        QFETCH(State, state);
        QFETCH(Kept, kept);
        QFETCH(QString, failure);
        Fixture f;
        f.store("before", "earlier");
        f.keyring.state = State::NoKeyring;
        f.login.Load();
        QTRY_COMPARE(f.keyring.answered, 1);
        f.keyring.state = state;
        QSignalSpy saved(&f.login, &SavedLogin::saved);

        f.login.Save("demo", "p&ss w");
        QCOMPARE(saved.count(), 0);
        QTRY_COMPARE(saved.count(), 1);
        const auto result = saved.at(0).at(0).value<SavedLogin::SaveResult>();
        QCOMPARE(result.kept, kept);
        QCOMPARE(result.failure, failure);
        QTEST(f.file("User"), "user");
        QTEST(f.file("Password"), "password");
        const bool stored = kept != Kept::NotSaved;
        QCOMPARE(f.login.user(), stored ? QString("demo") : QString("before"));
        QCOMPARE(f.login.password(), stored ? QString("p&ss w") : QString("earlier"));
        QCOMPARE(f.keyring.entries.value("demo", kAbsent), kept == Kept::InKeyring ? QString("p&ss w") : kAbsent);
    }

    // An unlock prompt the user takes long over: the save says it waits, and the password never goes to the file.
    void saveWaitsForTheKeyringHoweverLong()
    {
        Fixture f;
        f.keyring.state = State::NeverAnswers;
        f.login.Load();
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        QSignalSpy waiting(&f.login, &SavedLogin::saveWaiting);
        f.login.Save("demo", "s3cret");
        QVERIFY(waiting.wait());
        // Three times the wait again, started after it: the file is not written meanwhile.
        QTimer later;
        later.setSingleShot(true);
        QSignalSpy passed(&later, &QTimer::timeout);
        later.start(600ms);
        QVERIFY(passed.wait());
        QCoreApplication::processEvents();
        QCOMPARE(saved.count(), 0);
        QCOMPARE(f.file("Password"), kAbsent);
        QCOMPARE(f.file("User"), kAbsent);

        f.keyring.answerHeld();
        QTRY_COMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).value<SavedLogin::SaveResult>().kept, Kept::InKeyring);
        QCOMPARE(f.keyring.entries.value("demo"), QString("s3cret"));
        QCOMPARE(f.file("Password"), kAbsent);
        QCOMPARE(f.file("User"), QString("demo"));
    }

    // The user gave up waiting; the keyring stores the password later all the same, and the plain copy of that
    // login in the file goes.
    void keyringAnswerAfterTheUserGaveUpRemovesThePlainCopy()
    {
        Fixture f;
        f.store("demo", "s3cret");
        f.keyring.state = State::NeverAnswers;
        f.login.Load(); // its move into the keyring waits too
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        f.login.Save("demo", "s3cret");
        f.login.CancelSave();
        f.keyring.answerHeld(); // both writes; the move's read-back is held again
        QTRY_COMPARE(f.file("Password"), kAbsent);
        QCOMPARE(f.file("User"), QString("demo"));
        QCOMPARE(f.keyring.entries.value("demo"), QString("s3cret"));
        QCOMPARE(saved.count(), 0);
    }

    void changingTheUserRemovesTheOldUsersEntry()
    {
        Fixture f;
        f.store("old", kAbsent);
        f.keyring.entries.insert("old", "old password");
        f.login.Load();
        QTRY_VERIFY(f.login.hasPassword());
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        f.login.Save("new", "new password");
        QTRY_COMPARE(saved.count(), 1);
        QTRY_COMPARE(f.keyring.entries, (QMap<QString, QString> { { "new", "new password" } }));
        QCOMPARE(f.file("User"), QString("new"));
    }

    void emptyUserNameKeepsNoPassword()
    {
        Fixture f;
        f.store("demo", "from file");
        f.keyring.entries.insert("demo", "older");
        f.keyring.state = State::NoKeyring;
        f.login.Load();
        f.keyring.state = State::Answers;
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        f.login.Save("", "typed");
        QTRY_COMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).value<SavedLogin::SaveResult>().kept, Kept::NoAccount);
        QCOMPARE(f.file("User"), QString());
        QCOMPARE(f.file("Password"), kAbsent);
        QTRY_VERIFY(f.keyring.entries.isEmpty()); // the old user's entry goes
        for (const auto& request : f.keyring.requests)
            QVERIFY(!request.account.isEmpty());
    }

    // The keyring took the password but the settings file refused the user name: the keyring is put back.
    void settingsFileRefusesAfterTheKeyringStored_data()
    {
        QTest::addColumn<QString>("user");
        QTest::newRow("same user: the old password back") << "demo";
        QTest::newRow("another user: the new entry removed") << "other";
    }
    void settingsFileRefusesAfterTheKeyringStored()
    {
        QFETCH(QString, user);
        Fixture f;
        f.store("demo", kAbsent);
        f.keyring.entries.insert("demo", "old password");
        f.login.Load();
        QTRY_VERIFY(f.login.hasPassword());
        f.settings.failWrites = true;
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        f.login.Save(user, "new password");
        QTRY_COMPARE(saved.count(), 1);
        const auto result = saved.at(0).at(0).value<SavedLogin::SaveResult>();
        QCOMPARE(result.kept, Kept::NotSaved);
        QCOMPARE(result.failure,
            QString("Your user name and password could not be saved.\r\r/home/user/settings.ini:\rNo space left on "
                    "device"));
        QTRY_COMPARE(f.keyring.entries, (QMap<QString, QString> { { "demo", "old password" } }));
        QCOMPARE(f.login.user(), QString("demo"));
        QCOMPARE(f.login.password(), QString("old password"));
    }

    void settingsFileRefusesWithoutAKeyring()
    {
        Fixture f;
        f.keyring.state = State::NoKeyring;
        f.login.Load();
        f.settings.failWrites = true;
        QSignalSpy saved(&f.login, &SavedLogin::saved);
        f.login.Save("demo", "s3cret");
        QTRY_COMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).value<SavedLogin::SaveResult>().kept, Kept::NotSaved);
        QVERIFY(f.settings.values.isEmpty());
        QCOMPARE(f.login.user(), QString());
    }
};

QTEST_GUILESS_MAIN(TestSavedLogin)
#include "tst_saved_login.moc"
