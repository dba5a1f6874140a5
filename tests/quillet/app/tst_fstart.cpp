// SPDX-License-Identifier: MIT
#include "quillet/app/fstart.h"
#include "quillet/app/start.h"
#include "tests/support/fmain_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using namespace quillet;

class TestWelcomeScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void flows_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("press"); // "cmdYes", "Command1" or "close"
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("empty store, Yes") << "" << false << "cmdYes" << true << "";
        QTest::newRow("lower-case n still shows") << "n" << false << "cmdYes" << true << "n";
        QTest::newRow("N with a blank still shows") << "N " << false << "Command1" << false << "N ";
        QTest::newRow("ticked, No") << "" << true << "Command1" << false << "N";
        QTest::newRow("ticked, closed another way") << "" << true << "close" << false << "N";
        QTest::newRow("ticked, Yes") << "" << true << "cmdYes" << true << "N";
    }
    void flows()
    {
        QFETCH(QString, stored);
        QFETCH(bool, tick);
        QFETCH(QString, press);
        platform::FakeSettingsStore settings;
        platform::FakeShell shell;
        platform::FakeMessageBoxes messages;
        if (!stored.isEmpty())
            settings.values.insert("Settings/StartScreen", stored);
        bool shown = false;
        whenModal([&](QWidget* screen) {
            shown = true;
            QCOMPARE(screen->windowTitle(), QString("Welcome to Lastbell Quillet"));
            screen->findChild<QCheckBox*>("chkHasAccount")->setChecked(tick);
            if (press == "close")
                screen->close();
            else
                screen->findChild<QPushButton*>(press)->click();
        });
        QTEST(AskHasAccount(settings, shell, messages), "answer");
        QVERIFY(shown);
        QTEST(settings.values.value("Settings/StartScreen"), "storedAfter");
        QVERIFY(messages.questions.isEmpty());
    }

    void checkBoxTextIsWhole()
    {
        platform::FakeShell shell;
        FStart screen(shell);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const auto* box = screen.findChild<QCheckBox*>("chkHasAccount");
        QVERIFY(box->sizeHint().width() <= box->width());
    }

    // The tick cannot be stored: the answer still counts, and the user learns why the screen will come back.
    void unsavedTickIsTold()
    {
        platform::FakeSettingsStore settings;
        platform::FakeShell shell;
        platform::FakeMessageBoxes messages;
        settings.failWrites = true;
        whenModal([](QWidget* screen) {
            screen->findChild<QCheckBox*>("chkHasAccount")->setChecked(true);
            screen->findChild<QPushButton*>("cmdYes")->click();
        });
        QVERIFY(AskHasAccount(settings, shell, messages));
        QCOMPARE(settings.writes, QStringList { "Settings/StartScreen" });
        QCOMPARE(messages.questions.size(), 1);
        QCOMPARE(messages.questions[0].text,
            QString("Your choice not to show the welcome screen again could not be saved.\r\r"
                    "/home/user/settings.ini:\rNo space left on device"));
    }

    void turnedOffMeansAnAccountWithoutAsking()
    {
        platform::FakeSettingsStore settings;
        platform::FakeShell shell;
        platform::FakeMessageBoxes messages;
        settings.values.insert("Settings/StartScreen", "N");
        QVERIFY(AskHasAccount(settings, shell, messages));
        QVERIFY(settings.writes.isEmpty());
    }
};

QTEST_MAIN(TestWelcomeScreen)
#include "tst_fstart.moc"
