// SPDX-License-Identifier: MIT
// A real web view showing hostile pages: what reaches the desktop, and what a local page can read. An absence is
// asserted only after the event it would have come with: the status bar's refusal.
#include "platform/ui/qt_web_browser.h"
#include "tests/support/fakes/fake_shell.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineView>

class TestPageDesktop : public QObject
{
    Q_OBJECT
    std::unique_ptr<QWebEngineProfile> profile;
    platform::FakeShell shell;
    std::unique_ptr<platform::QtWebBrowser> browser;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        profile = std::make_unique<QWebEngineProfile>();
        browser = std::make_unique<platform::QtWebBrowser>(profile.get(), shell);
        browser->widget()->resize(600, 400);
        browser->widget()->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser->widget()));
    }
    void cleanupTestCase()
    {
        browser.reset();
        profile.reset();
    }
    void init() { shell.opened.clear(); }

    void popUpsWithoutAClickOpenNothing()
    {
        QSignalSpy status(browser.get(), &platform::WebBrowser::StatusTextChange);
        show(u"<script>for (let i = 0; i < 12; ++i) window.open('http://ads.example/' + i);</script>"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(count(status, "Pop-up blocked"), 12, 20000);
        QCoreApplication::processEvents();
        QVERIFY(shell.opened.isEmpty());
    }

    // A saved page opened from disk reads no other file of the user's; it still shows.
    void aLocalPageReadsNoOtherFile()
    {
        QTemporaryDir folder;
        QFile secret(folder.filePath("secret.txt"));
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("the user's secret") > 0);
        secret.close();
        QFile page(folder.filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<title>waiting</title><script>const x = new XMLHttpRequest();"
                   "x.onload = () => document.title = 'read: ' + x.responseText;"
                   "x.onerror = () => document.title = 'refused';"
                   "try { x.open('GET', 'secret.txt'); x.send(); } catch (e) { document.title = 'refused'; }"
                   "</script>");
        page.close();
        browser->navigate(QUrl::fromLocalFile(page.fileName()).toString());
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), QString("refused"), 20000);
    }

private:
    void show(const QString& html)
    {
        QSignalSpy loaded(browser->view(), &QWebEngineView::loadFinished);
        browser->view()->setHtml(html, QUrl(u"http://www.ebay.com/"_qs));
        QVERIFY(loaded.wait(20000));
    }
    static int count(const QSignalSpy& status, const char* text)
    {
        return static_cast<int>(std::count_if(status.begin(), status.end(),
            [text](const QList<QVariant>& arguments) { return arguments.at(0).toString() == QLatin1String(text); }));
    }
};

QTEST_MAIN(TestPageDesktop)
#include "tst_page_desktop.moc"
