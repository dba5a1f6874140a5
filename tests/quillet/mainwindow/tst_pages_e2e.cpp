// SPDX-License-Identifier: MIT
// The main window on real web views against the local service: a page whose renderer is killed says so and comes
// back only when asked, addresses typed as people type them open as in any browser, and the Lastbell tab keeps to
// the service's site.
#include "tests/support/web_fixture.h"

#include "platform/ui/qt_web_browser.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <csignal>

using namespace quillet;

namespace
{
constexpr int kTimeout = 20000;
const QString kLogin = "http://www.lastbell.com/secure/login.cfm";
const QString kAuctionHome = "http://www.ebay.com/";
const QString kHostile = "http://pages.hostile.example/";

platform::QtWebBrowser& real(platform::WebBrowser& browser)
{
    return static_cast<platform::QtWebBrowser&>(browser);
}

// Kills the page's renderer as the out-of-memory killer would.
bool killRenderer(platform::WebBrowser& browser)
{
    const qint64 pid = real(browser).view()->page()->renderProcessPid();
    return pid > 0 && ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
}
} // namespace

class TestPagesE2e : public WebFixtureTest
{
    Q_OBJECT

    // Requests for exactly that address (a page's icon is asked for beside it).
    int requestsFor(const QString& url)
    {
        const QList<LoggedRequest> found = f->requestsTo(url);
        return static_cast<int>(std::count_if(
            found.begin(), found.end(), [&url](const LoggedRequest& request) { return request.url == url; }));
    }

    void openLoggedIn()
    {
        f->settings.values.insert("Main/User", "demo");
        f->settings.values.insert("Main/Password", "secret");
        f->open(true);
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Lastbell - My Snipes"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(
            f->window->brwAuction().locationAddress() == kAuctionHome && !f->window->brwAuction().busy(), kTimeout);
    }

private slots:
    void killedAuctionPageSaysSoAndWaitsForTheUser()
    {
        openLoggedIn();
        f->window->tabs()->setCurrentIndex(1);
        const int homeRequests = requestsFor(kAuctionHome);
        const QString lastbellTitle = f->window->brwSnipe().locationName();
        QVERIFY(killRenderer(f->window->brwAuction()));
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Page stopped"), kTimeout);
        QCOMPARE(f->window->windowTitle(), QString("Lastbell Quillet > Page stopped"));
        QCOMPARE(f->window->brwAuction().locationAddress(), kAuctionHome);
        // The other tab goes on: it still answers a reload of its own.
        QCOMPARE(f->window->brwSnipe().locationName(), lastbellTitle);
        const int myPages = f->requestsTo("http://www.lastbell.com/").size();
        f->window->brwSnipe().refresh();
        QTRY_VERIFY_WITH_TIMEOUT(f->requestsTo("http://www.lastbell.com/").size() > myPages, kTimeout);
        // By then a reload by itself would have asked for the page again.
        QCOMPARE(requestsFor(kAuctionHome), homeRequests);
        QCOMPARE(f->window->brwAuction().locationName(), QString("Page stopped"));

        // Refresh (F5, the toolbar) asks for it again.
        QTest::keyClick(f->window.get(), Qt::Key_F5);
        QTRY_COMPARE_WITH_TIMEOUT(requestsFor(kAuctionHome), homeRequests + 1, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(
            f->window->brwAuction().locationName() != QString("Page stopped") && !f->window->brwAuction().busy(),
            kTimeout);
    }

    void stoppedPageReloadLinkOpensTheAddressAgain()
    {
        openLoggedIn();
        const int homeRequests = requestsFor(kAuctionHome);
        QVERIFY(killRenderer(f->window->brwAuction()));
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Page stopped"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->brwAuction().busy(), kTimeout);
        // The link, followed as a click follows it.
        real(f->window->brwAuction()).view()->page()->runJavaScript("document.querySelector('a').click()");
        QTRY_COMPARE_WITH_TIMEOUT(requestsFor(kAuctionHome), homeRequests + 1, kTimeout);
    }

    void killedLastbellPageLogsInAgainOnReload()
    {
        openLoggedIn();
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
        QVERIFY(killRenderer(f->window->brwSnipe()));
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Page stopped"), kTimeout);
        QCOMPARE(f->window->brwAuction().locationAddress(), kAuctionHome);
        QTest::keyClick(f->window.get(), Qt::Key_F5);
        // The tab's first page was the answer to the login post: the post again, the very same bytes.
        QTRY_COMPARE_WITH_TIMEOUT(f->requestsTo(kLogin).size(), 2, kTimeout);
        const QList<LoggedRequest> posts = f->requestsTo(kLogin);
        QCOMPARE(posts[1].method, QString("POST"));
        QCOMPARE(posts[1].body, posts[0].body);
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Lastbell - My Snipes"), kTimeout);
    }

    void addressesTypedAsPeopleTypeThem_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("requested");
        QTest::newRow("a host") << "www.ebay.co.uk"
                                << "http://www.ebay.co.uk/";
        QTest::newRow("a host and a path") << "ebay.ca/itm/123"
                                           << "http://ebay.ca/itm/123";
        QTest::newRow("spaces around") << "  www.ebay.de  "
                                       << "http://www.ebay.de/";
    }

    void addressesTypedAsPeopleTypeThem()
    {
        QFETCH(QString, typed);
        QFETCH(QString, requested);
        openLoggedIn();
        typeIntoAddressBox(typed);
        QTRY_COMPARE_WITH_TIMEOUT(requestsFor(requested), 1, kTimeout);
    }

    void textThatIsNoAddressSaysSo()
    {
        openLoggedIn();
        for (const QString& typed : { QString("two words"), QString("javascript:alert(document.cookie)") }) {
            typeIntoAddressBox(typed);
            QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Not an address"), kTimeout);
            QTRY_COMPARE_WITH_TIMEOUT(f->window->findChild<QComboBox*>("cboAddress")->currentText(), typed, kTimeout);
            f->window->brwAuction().navigate(kAuctionHome); // leaves it, so the next one is seen afresh
            QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationAddress(), kAuctionHome, kTimeout);
        }
    }

    void lastbellTabKeepsToTheService_data()
    {
        QTest::addColumn<QString>("how"); // the script that leaves the page
        QTest::newRow("a link clicked")
            << "{ const a = document.createElement('a'); a.href = '%1'; document.body.append(a); a.click(); }";
        QTest::newRow("a script's redirect") << "location.href = '%1';";
    }
    void lastbellTabKeepsToTheService()
    {
        QFETCH(QString, how);
        openLoggedIn();
        const QString lastbellAddress = f->window->brwSnipe().locationAddress();
        const QString elsewhere = "http://www.ebay.com/itm/42";
        real(f->window->brwSnipe()).view()->page()->runJavaScript(how.arg(elsewhere));
        QTRY_COMPARE_WITH_TIMEOUT(requestsFor(elsewhere), 1, kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationAddress(), elsewhere, kTimeout);
        QCOMPARE(f->window->tabs()->currentIndex(), 1);
        QCOMPARE(f->window->findChild<QComboBox*>("cboAddress")->currentText(), elsewhere);
        QCOMPARE(f->window->brwSnipe().locationAddress(), lastbellAddress);

        // The service's subdomains stay in its tab.
        const QString help = "http://help.lastbell.com/faq";
        real(f->window->brwSnipe()).view()->page()->runJavaScript(how.arg(help));
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationAddress(), help, kTimeout);
        QCOMPARE(f->window->brwAuction().locationAddress(), elsewhere);
    }

    // A clicked attachment: the save dialog proposes the Downloads folder and the file's name; the file appears
    // whole under the chosen name, never half, and nothing opens it.
    void attachmentIsSavedWhereTheUserChose()
    {
        openLoggedIn();
        QTemporaryDir folder;
        const QString chosen = folder.filePath("my report.txt");
        f->fileDialogs.saveAnswer = chosen;
        QSignalSpy status(&f->window->brwAuction(), &platform::WebBrowser::StatusTextChange);
        f->window->brwAuction().navigate(kHostile + "attachment");
        QTRY_VERIFY_WITH_TIMEOUT(said(status, "Downloaded: " + chosen), kTimeout);
        QCOMPARE(f->fileDialogs.saveRequests.size(), 1);
        QCOMPARE(f->fileDialogs.saveRequests[0].suggestedPath,
            QDir(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)).filePath("report.txt"));
        QFile saved(chosen);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.startsWith("line 0 of the report\n"));
        QVERIFY(bytes.endsWith("line 1999 of the report\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { "my report.txt" });
        QVERIFY(f->shell.opened.isEmpty());
    }

    void downloadCancelledInTheDialogWritesNothing()
    {
        openLoggedIn();
        QSignalSpy status(&f->window->brwAuction(), &platform::WebBrowser::StatusTextChange);
        f->fileDialogs.saveAnswer.clear();
        f->window->brwAuction().navigate(kHostile + "attachment");
        QTRY_VERIFY_WITH_TIMEOUT(said(status, "Download cancelled: report.txt"), kTimeout);
        QCOMPARE(f->fileDialogs.saveRequests.size(), 1);
    }

    // Stop cancels a running download, and what had arrived is removed.
    void stopCancelsARunningDownload()
    {
        openLoggedIn();
        f->window->tabs()->setCurrentIndex(1);
        QTemporaryDir folder;
        const QString chosen = folder.filePath("slow.bin");
        f->fileDialogs.saveAnswer = chosen;
        QSignalSpy status(&f->window->brwAuction(), &platform::WebBrowser::StatusTextChange);
        f->window->brwAuction().navigate(kHostile + "slow-attachment");
        // Bytes have arrived: the engine's file of the download in progress has some.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(folder.path()).entryInfoList(QDir::Files).isEmpty()
                && QDir(folder.path()).entryInfoList(QDir::Files).first().size() > 0,
            kTimeout);
        QVERIFY(!QFileInfo::exists(chosen)); // never under its own name before it is whole
        QVERIFY(f->window->brwAuction().busy());
        f->window->findChild<QAction*>("mnuNavigateStop")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(said(status, "Download cancelled: slow.bin"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(QDir(folder.path()).entryList(QDir::Files), QStringList(), kTimeout);
        QVERIFY(!f->window->brwAuction().busy());
    }

    // A PDF shows in the view, as in any browser: nothing to save.
    void pdfShowsInTheView()
    {
        openLoggedIn();
        f->window->brwAuction().navigate(kHostile + "invoice.pdf");
        QTRY_VERIFY_WITH_TIMEOUT(f->window->brwAuction().locationAddress() == kHostile + "invoice.pdf"
                && !f->window->brwAuction().busy() && f->window->brwAuction().locationName().contains("invoice.pdf"),
            kTimeout);
        QVERIFY(f->fileDialogs.saveRequests.isEmpty());
    }

    // The hostile pages as served: nothing reaches the desktop's opener without the user, and only web addresses.
    void popUpsAndOtherProgramsAddressesReachNothing()
    {
        openLoggedIn();
        QSignalSpy status(&f->window->brwAuction(), &platform::WebBrowser::StatusTextChange);
        f->window->brwAuction().navigate(kHostile + "popups");
        // Twelve as the page loads, and once more in place of "Done" when it has loaded.
        const auto blocked = [&status] {
            return static_cast<int>(std::count_if(status.begin(), status.end(),
                [](const QList<QVariant>& arguments) { return arguments.at(0).toString() == "Pop-up blocked"; }));
        };
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->brwAuction().busy() && blocked() >= 12, kTimeout);
        QCOMPARE(blocked(), 13);

        f->window->brwAuction().navigate(kHostile + "schemes");
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Other programs"), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->brwAuction().busy(), kTimeout);
        for (const char* link : { "smb", "file", "nfs", "custom" }) {
            real(f->window->brwAuction())
                .view()
                ->page()
                ->runJavaScript(QString("document.getElementById('%1').click()").arg(QLatin1String(link)));
        }
        // A script's click is no user's: the engine drops those addresses before anyone sees them. Once a later
        // page, asked for after the clicks, has loaded, the clicks have been dealt with.
        real(f->window->brwAuction()).view()->page()->runJavaScript("location.href = '/realm'");
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Not a member"), kTimeout);
        QVERIFY(f->shell.opened.isEmpty());
    }

    // A site's realm: its host and realm named, a wrong password asked again, Cancel shows the server's page.
    void siteRealmAsksTheUser()
    {
        openLoggedIn();
        f->prompts.logins
            = { platform::Credentials { "member", "guess" }, platform::Credentials { "member", "open sesame" } };
        f->window->brwAuction().navigate(kHostile + "realm");
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Members only"), kTimeout);
        QCOMPARE(f->prompts.asked.size(), 2);
        QCOMPARE(f->prompts.asked[0],
            QString("Password for pages.hostile.example|pages.hostile.example asks for a user name and password for "
                    "\u201cMembers\u201d. They are sent to that site only, and not kept."));

        f->prompts.asked.clear();
        f->profile->clearHttpCache();
        f->window->brwAuction().navigate(kHostile + "realm?again");
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Members only"), kTimeout);
    }

    void cancelledRealmShowsTheServersPage()
    {
        openLoggedIn();
        f->window->brwAuction().navigate(kHostile + "realm");
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), QString("Not a member"), kTimeout);
        QCOMPARE(f->prompts.asked.size(), 1);
    }

    // An office proxy that wants a password: asked once for both browsers, and few requests refused.
    void askingProxyIsAnsweredOnceForBoth()
    {
        QVERIFY(f->simulator.control("/__control/proxy-auth?user=office&password=proxy%20pw"));
        f->prompts.logins = { platform::Credentials { "office", "proxy pw" } };
        openLoggedIn();
        QCOMPARE(f->prompts.asked,
            QStringList { "Password for the proxy|The proxy 127.0.0.1 asks for a user name and password. They are used "
                          "for this run only, and not kept." });
        qInfo("requests the proxy refused: %d", refusedByTheProxy());
        QVERIFY2(refusedByTheProxy() <= 4, qPrintable(QString::number(refusedByTheProxy())));
    }

    void cancelledProxyQuestionEndsInErrorPagesWithoutAStorm()
    {
        QVERIFY(f->simulator.control("/__control/proxy-auth?user=office&password=proxy%20pw"));
        f->settings.values.insert("Main/User", "demo");
        f->settings.values.insert("Main/Password", "secret");
        f->open(true);
        // Both first pages have ended, in the engine's error page.
        QTRY_VERIFY_WITH_TIMEOUT(f->requestsTo(kLogin).size() >= 1 && !f->window->brwSnipe().busy()
                && !f->window->brwAuction().busy() && !f->window->brwAuction().locationAddress().isEmpty(),
            kTimeout);
        const int refused = refusedByTheProxy();
        // A reload of each afterwards is refused without a question: the user said no for this run.
        f->window->brwAuction().refresh();
        QTRY_VERIFY_WITH_TIMEOUT(refusedByTheProxy() > refused, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->brwAuction().busy(), kTimeout);
        QCOMPARE(f->prompts.asked.size(), 1);
        qInfo("requests the proxy refused: %d", refusedByTheProxy());
        QVERIFY2(refusedByTheProxy() <= 8, qPrintable(QString::number(refusedByTheProxy())));
        QVERIFY(f->window->brwSnipe().locationName() != QString("Lastbell - My Snipes"));
    }

private:
    // Requests that reached the asking proxy without its password.
    int refusedByTheProxy()
    {
        const QByteArray wanted = "Basic " + QByteArray("office:proxy pw").toBase64();
        const QList<LoggedRequest> log = f->simulator.log();
        return static_cast<int>(std::count_if(log.begin(), log.end(),
            [&wanted](const LoggedRequest& request) { return request.header("Proxy-Authorization") != wanted; }));
    }

    static bool said(const QSignalSpy& status, const QString& text)
    {
        return std::any_of(status.begin(), status.end(),
            [&text](const QList<QVariant>& arguments) { return arguments.at(0).toString() == text; });
    }

    void typeIntoAddressBox(const QString& text)
    {
        QTest::keyClick(f->window.get(), Qt::Key_L, Qt::ControlModifier);
        auto* box = f->window->findChild<QComboBox*>("cboAddress");
        QTRY_VERIFY(box->lineEdit()->hasFocus());
        QTest::keyClicks(box->lineEdit(), text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    }
};

QTEST_MAIN(TestPagesE2e)
#include "tst_pages_e2e.moc"
