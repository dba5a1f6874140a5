// SPDX-License-Identifier: MIT
#include "fmain_fixture.h"
#include "quillet/app/start.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

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
        QTEST(AskHasAccount(settings, shell), "answer");
        QVERIFY(shown);
        QTEST(settings.values.value("Settings/StartScreen"), "storedAfter");
    }

    void turnedOffMeansAnAccountWithoutAsking()
    {
        platform::FakeSettingsStore settings;
        platform::FakeShell shell;
        settings.values.insert("Settings/StartScreen", "N");
        QVERIFY(AskHasAccount(settings, shell));
        QVERIFY(settings.writes.isEmpty());
    }
};

QTEST_MAIN(TestWelcomeScreen)
#include "tst_fstart.moc"
