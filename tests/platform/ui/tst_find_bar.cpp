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
