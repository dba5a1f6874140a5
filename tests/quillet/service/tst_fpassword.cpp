// SPDX-License-Identifier: MIT
// The save-password dialog over a fake keyring: where the password went is told only when it is not the keyring,
// a failure is told and keeps the dialog open, and while the keyring is asked the dialog takes no input.
#include "quillet/service/fpassword.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_settings_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

using namespace quillet;
using namespace std::chrono_literals;
using State = platform::FakeKeyring::State;
using Icon = platform::MessageIcon;

Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(Icon)

namespace
{

struct Fixture {
    platform::FakeSettingsStore settings;
    platform::FakeKeyring keyring;
    platform::FakeMessageBoxes messages;
    SavedLogin login { settings, keyring, SavedLogin::Waits { 200ms, 300ms } };
    FPassword dialog { login, messages };

    template <typename T> T* child(const char* name) const { return dialog.findChild<T*>(QLatin1String(name)); }
    void typeAndSave(const QString& user, const QString& password)
    {
        dialog.show();
        child<QLineEdit>("txtUser")->setText(user);
        child<QLineEdit>("txtPassword")->setText(password);
        child<QPushButton>("cmdSave")->click();
    }
    void closeBox()
    {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(&dialog, &close);
    }
};

} // namespace

class TestFPassword : public QObject
{
    Q_OBJECT
private slots:
    void savedWhereTheUserIsTold_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("inFile");
        QTest::newRow("keyring: nothing to tell") << State::Answers << 0 << "<absent>";
        QTest::newRow("no keyring: one line") << State::NoKeyring << 1 << "s3cret";
    }
    void savedWhereTheUserIsTold()
    {
        QFETCH(State, state);
        QFETCH(int, questions);
        Fixture f;
        f.keyring.state = state;
        f.typeAndSave("demo", "s3cret");
        QTRY_VERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!f.dialog.WasCancelled());
        QCOMPARE(f.dialog.EnteredUser(), QString("demo"));
        QCOMPARE(f.dialog.EnteredPassword(), QString("s3cret"));
        QCOMPARE(f.settings.values.value("Main/User"), QString("demo"));
        QTEST(f.settings.values.value("Main/Password", "<absent>"), "inFile");
        QCOMPARE(f.messages.questions.size(), questions);
        if (questions == 0)
            return;
        const auto& told = f.messages.questions[0];
        QCOMPARE(told.title, QString("Save your Lastbell Password"));
        QCOMPARE(told.text,
            QString("No keyring answered, so your password is kept in Quillet's settings file, which only you can "
                    "read."));
        QVERIFY(!told.text.contains('\r'));
        QCOMPARE(told.icon, Icon::Information);
        QCOMPARE(told.buttons, platform::MessageButtons::Ok);
    }

    void failureIsToldAndTheDialogStays_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<bool>("settingsFail");
        QTest::addColumn<QString>("text");
        QTest::newRow("keyring refuses")
            << State::FailsOnWrite << false
            << "Your user name and password could not be saved.\r\rThe desktop's keyring:\r"
               "The collection could not be written";
        QTest::newRow("keyring stays locked: no plain copy")
            << State::Locked << false
            << "Your user name and password could not be saved.\r\rThe desktop's keyring:\rThe collection stays locked";
        QTest::newRow("no keyring, settings file refuses")
            << State::NoKeyring << true
            << "Your user name and password could not be saved.\r\r/home/user/settings.ini:\rNo space left on device";
    }
    void failureIsToldAndTheDialogStays()
    {
        QFETCH(State, state);
        QFETCH(bool, settingsFail);
        Fixture f;
        f.keyring.state = state;
        f.settings.failWrites = settingsFail;
        f.typeAndSave("demo", "s3cret");
        QTRY_COMPARE(f.messages.questions.size(), 1);
        QTEST(f.messages.questions[0].text, "text");
        QCOMPARE(f.messages.questions[0].icon, Icon::Critical);
        QVERIFY(f.dialog.isVisible());
        QVERIFY(f.child<QPushButton>("cmdSave")->isEnabled());
        QVERIFY(f.settings.values.isEmpty());
        QCOMPARE(f.dialog.EnteredUser(), QString());

        f.child<QPushButton>("cmdCancel")->click();
        QVERIFY(f.dialog.WasCancelled());
    }

    void whileTheKeyringIsAskedNothingTakesInput()
    {
        Fixture f;
        f.keyring.state = State::NeverAnswers;
        f.typeAndSave("demo", "s3cret");
        for (const char* name : { "txtUser", "txtPassword", "cmdSave", "cmdCancel" })
            QVERIFY2(!f.child<QWidget>(name)->isEnabled(), name);
        f.closeBox();
        QVERIFY(f.dialog.isVisible());
        QVERIFY(!f.dialog.WasCancelled());

        // An unlock prompt may be up: the dialog says it waits, and only Cancel takes input.
        QTRY_VERIFY(f.child<QPushButton>("cmdCancel")->isEnabled());
        QVERIFY(f.child<QLabel>("lblSavePassword")->text().startsWith("Waiting for the desktop's keyring."));
        for (const char* name : { "txtUser", "txtPassword", "cmdSave" })
            QVERIFY2(!f.child<QWidget>(name)->isEnabled(), name);
        QVERIFY(f.settings.values.isEmpty());

        f.keyring.answerHeld();
        QTRY_VERIFY(!f.dialog.isVisible());
        QVERIFY(!f.dialog.WasCancelled());
        QCOMPARE(f.keyring.entries.value("demo"), QString("s3cret"));
        QVERIFY(!f.settings.values.contains("Main/Password"));
        QVERIFY(f.messages.questions.isEmpty());
    }

    // Cancel, or the close box, while the dialog waits for the keyring: nothing saved, nothing told later.
    void givingUpTheWaitSavesNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void givingUpTheWaitSavesNothing()
    {
        QFETCH(bool, closeBox);
        Fixture f;
        f.keyring.state = State::NeverAnswers;
        f.typeAndSave("demo", "s3cret");
        QTRY_VERIFY(f.child<QPushButton>("cmdCancel")->isEnabled());
        if (closeBox)
            f.closeBox();
        else
            f.child<QPushButton>("cmdCancel")->click();
        QVERIFY(!f.dialog.isVisible());
        QVERIFY(f.dialog.WasCancelled());

        f.keyring.answerHeld();
        QCoreApplication::processEvents();
        QVERIFY(f.settings.values.isEmpty());
        QCOMPARE(f.dialog.EnteredUser(), QString());
        QVERIFY(f.messages.questions.isEmpty());
    }
};

QTEST_MAIN(TestFPassword)
#include "tst_fpassword.moc"
