// SPDX-License-Identifier: MIT
#include "platform/ui/find_bar.h"
#include "platform/ui/qt_web_browser.h"
#include "tests/support/shown_browser.h"

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
    ShownBrowser shown;
    std::unique_ptr<platform::QtWebBrowser>& browser = shown.browser;

    QLineEdit* text() const { return browser->findBar()->findChild<QLineEdit*>("findText"); }
    QString matches() const { return browser->findBar()->findChild<QLabel*>("findMatches")->text(); }

private slots:
    void initTestCase()
    {
        QVERIFY(shown.show());
        browser->navigate("data:text/html,<p>apple pear apple plum apple</p>");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->busy() && browser->locationAddress().startsWith("data:"), 20000);
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

    // The auction browser loads its first page before it is ever shown; the find bar still takes only its line.
    void findBarTakesOneLineUnderAPageLoadedUnseen()
    {
        platform::QtWebBrowser unseen(shown.profile.get(),
            platform::PageServices { shown.shell, shown.files, shown.prompts, shown.proxyCredentials });
        unseen.navigate("data:text/html,<p>loaded unseen</p>");
        QTRY_VERIFY_WITH_TIMEOUT(!unseen.busy() && unseen.locationAddress().startsWith("data:"), 20000);
        unseen.widget()->resize(600, 400);
        unseen.widget()->show();
        QVERIFY(QTest::qWaitForWindowExposed(unseen.widget()));
        unseen.showFindBar();
        QTRY_VERIFY(unseen.findBar()->isVisible());
        QTRY_VERIFY2(unseen.view()->height() > 300,
            qPrintable(
                QString("page %1, find bar %2 of 400").arg(unseen.view()->height()).arg(unseen.findBar()->height())));
        QVERIFY(unseen.findBar()->height() < 60);
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
