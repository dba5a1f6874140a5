// SPDX-License-Identifier: MIT
#include "platform/ui/find_bar.h"
#include "platform/ui/qt_web_browser.h"
#include "tests/support/fakes/fake_file_dialogs.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_page_prompts.h"
#include "tests/support/fakes/fake_shell.h"

#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

class TestFindBar : public QObject
{
    Q_OBJECT
    std::unique_ptr<QWebEngineProfile> profile;
    platform::FakeShell shell;
    platform::FakeMessageBoxes messages;
    platform::FakeFileDialogs files;
    platform::FakePagePrompts prompts;
    std::unique_ptr<platform::QtWebBrowser> browser;

    QLineEdit* text() const { return browser->findBar()->findChild<QLineEdit*>("findText"); }
    QString matches() const { return browser->findBar()->findChild<QLabel*>("findMatches")->text(); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        profile = std::make_unique<QWebEngineProfile>();
        browser = std::make_unique<platform::QtWebBrowser>(
            profile.get(), platform::PageServices { shell, messages, files, prompts });
        browser->widget()->resize(600, 400);
        browser->widget()->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser->widget()));
        browser->navigate("data:text/html,<p>apple pear apple plum apple</p>");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->busy() && browser->locationAddress().startsWith("data:"), 20000);
    }
    void cleanupTestCase()
    {
        browser.reset(); // the page goes before its profile
        profile.reset();
    }

    void opensFocusedAndHidden()
    {
        QVERIFY(!browser->findBar()->isVisible());
        browser->showFindBar();
        QVERIFY(browser->findBar()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text()));
    }

    void countsAndSteps()
    {
        browser->showFindBar();
        QTest::keyClicks(text(), "apple");
        QTRY_COMPARE_WITH_TIMEOUT(matches(), QString("1 of 3"), 10000);
        browser->findBar()->findChild<QToolButton*>("findNext")->click();
        QTRY_COMPARE_WITH_TIMEOUT(matches(), QString("2 of 3"), 10000);
        browser->findBar()->findChild<QToolButton*>("findPrevious")->click();
        QTRY_COMPARE_WITH_TIMEOUT(matches(), QString("1 of 3"), 10000);
        QTest::keyClick(text(), Qt::Key_Backspace);
        QTest::keyClicks(text(), "x");
        QTRY_COMPARE_WITH_TIMEOUT(matches(), QString("No matches"), 10000);
    }

    void reopeningSelectsTheLastText()
    {
        browser->showFindBar();
        text()->setText("plum");
        browser->showFindBar();
        QCOMPARE(text()->selectedText(), QString("plum"));
    }

    void escapeClosesAndClearsTheHighlight()
    {
        browser->showFindBar();
        text()->setText("pear");
        QTRY_COMPARE_WITH_TIMEOUT(matches(), QString("1 of 1"), 10000);
        QTest::keyClick(text(), Qt::Key_Escape);
        QVERIFY(!browser->findBar()->isVisible());
        QCOMPARE(matches(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(browser->view()->page()->hasSelection(), false, 10000);
    }
};

QTEST_MAIN(TestFindBar)
#include "tst_find_bar.moc"
