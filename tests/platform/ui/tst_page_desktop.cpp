// SPDX-License-Identifier: MIT
// A real web view showing hostile pages: what reaches the desktop, and what a local page can read. An absence is
// asserted only after the event it would have come with: the status bar's refusal.
#include "platform/ui/qt_web_browser.h"
#include "tests/support/shown_browser.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSslKey>
#include <QSslServer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

class TestPageDesktop : public QObject
{
    Q_OBJECT
    ShownBrowser shown;
    platform::FakeShell& shell = shown.shell;
    platform::FakeFileDialogs& files = shown.files;
    platform::FakePagePrompts& prompts = shown.prompts;
    std::unique_ptr<platform::QtWebBrowser>& browser = shown.browser;

private slots:
    void initTestCase() { QVERIFY(shown.show()); }
    void init()
    {
        shell.opened.clear();
        prompts.asked.clear();
    }

    void popUpsWithoutAClickOpenNothing()
    {
        QSignalSpy status(browser.get(), &platform::WebBrowser::StatusTextChange);
        show(u"<script>for (let i = 0; i < 12; ++i) window.open('http://ads.example/' + i);</script>"_qs);
        // Twelve as the page loads, and once more when the load ends, rather than "Done" over it.
        QTRY_VERIFY_WITH_TIMEOUT(!browser->busy() && count(status, "Pop-up blocked") >= 12, 20000);
        QCOMPARE(count(status, "Pop-up blocked"), 13);
        QCOMPARE(status.last().at(0).toString(), u"Pop-up blocked"_qs);
        QCoreApplication::processEvents();
        QVERIFY(shell.opened.isEmpty());
    }

    // A page that alerts in a loop gets three boxes, each naming its host, then none until it is loaded again.
    void dialogsInALoopStopAfterThree()
    {
        QSignalSpy status(browser.get(), &platform::WebBrowser::StatusTextChange);
        show(u"<script>let n = 0;"
             "for (let i = 0; i < 20; ++i) { alert('Your Lastbell session ended. Type your password in the next "
             "box.'); ++n; }"
             "document.title = 'done ' + n;</script>"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), u"done 20"_qs, 20000);
        QCOMPARE(prompts.asked,
            QStringList(3, u"www.ebay.com says|Your Lastbell session ended. Type your password in the next box."_qs));
        QVERIFY(count(status, "No more dialogs from this page until it is reloaded") > 0);

        // Loaded again, it may ask again; confirm answers false once the three are spent.
        show(u"<script>const r = []; for (let i = 0; i < 4; ++i) r.push(confirm('Sure?'));"
             "document.title = r.join(',');</script>"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), u"true,true,true,false"_qs, 20000);
        QCOMPARE(prompts.asked.size(), 6);
        QCOMPARE(prompts.lastButtons, platform::MessageButtons::OkCancel);
        prompts.asked.clear();

        // prompt: the typed text, null for Cancel, and null without asking once spent.
        prompts.texts = { u"typed"_qs, std::nullopt, u"third"_qs, u"never asked"_qs };
        show(u"<script>const r = []; for (let i = 0; i < 4; ++i) r.push(String(prompt('Name?', 'x')));"
             "document.title = r.join(',');</script>"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), u"typed,null,third,null"_qs, 20000);
        QCOMPARE(prompts.asked.size(), 3);
        QCOMPARE(prompts.asked.first(), u"www.ebay.com says|Name?"_qs);
    }

    // A page being left asks on until the next one replaces it: its spent dialogs stay spent meanwhile.
    void leavingPageKeepsItsDialogsSpent()
    {
        QSignalSpy status(browser.get(), &platform::WebBrowser::StatusTextChange);
        show(u"<script>setInterval(() => alert('again'), 5);</script>"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(count(status, "No more dialogs from this page until it is reloaded") > 0, 20000);
        show(u"<title>next</title><script>alert('from the next page');</script>"_qs, u"http://pages.example/"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), u"next"_qs, 20000);
        QCOMPARE(prompts.asked,
            QStringList({ u"www.ebay.com says|again"_qs, u"www.ebay.com says|again"_qs, u"www.ebay.com says|again"_qs,
                u"pages.example says|from the next page"_qs }));
    }

    // The tab behind never shows its dialogs over the one in front: answered as Cancel at once.
    void pageBehindIsAnsweredAsCancel()
    {
        browser->widget()->hide();
        show(u"<script>alert('hello'); document.title = 'confirm ' + confirm('Sure?') + ', prompt ' + prompt('Name?');"
             "</script>"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), u"confirm false, prompt null"_qs, 20000);
        browser->widget()->show();
        QVERIFY(prompts.asked.isEmpty());
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

    // Refused in code, each with its notice, and the page hears "denied", whatever the engine's default.
    void everyPermissionIsRefusedWithANotice()
    {
        QSignalSpy status(browser.get(), &platform::WebBrowser::StatusTextChange);
        // localhost is a secure context, where pages may ask at all. (A camera request ends before it asks on a
        // machine without one.)
        show(
            u"<title>asking</title><script>"
            "const told = [];"
            "const tell = (what) => { told.push(what); if (told.length == 2) document.title = told.sort().join(' '); };"
            "navigator.geolocation.getCurrentPosition(() => tell('location:given'),"
            "    (e) => tell('location:' + (e.code == e.PERMISSION_DENIED ? 'denied' : e.code)));"
            "Notification.requestPermission().then((p) => tell('notifications:' + p));"
            "</script>"_qs,
            u"http://localhost/"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(browser->locationName(), u"location:denied notifications:denied"_qs, 20000);
        // Each said (and said again when the load ends, when it came before).
        QVERIFY(count(status, "Not allowed: the page asked for your location") >= 1);
        QVERIFY(count(status, "Not allowed: the page asked for desktop notifications") >= 1);
    }

    // A site whose certificate nobody vouches for: the engine's error page, never the site, and a notice.
    void invalidCertificateIsRefused()
    {
        QTemporaryDir keys;
        QProcess openssl;
        openssl.start(u"openssl"_qs,
            { u"req"_qs, u"-x509"_qs, u"-newkey"_qs, u"rsa:2048"_qs, u"-nodes"_qs, u"-subj"_qs, u"/CN=localhost"_qs,
                u"-days"_qs, u"1"_qs, u"-keyout"_qs, keys.filePath(u"key.pem"_qs), u"-out"_qs,
                keys.filePath(u"cert.pem"_qs) });
        QTRY_COMPARE_WITH_TIMEOUT(openssl.state(), QProcess::NotRunning, 30000);
        QCOMPARE(openssl.exitCode(), 0);
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        QFile cert(keys.filePath(u"cert.pem"_qs));
        QFile key(keys.filePath(u"key.pem"_qs));
        QVERIFY(cert.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly));
        tls.setLocalCertificate(QSslCertificate(&cert));
        tls.setPrivateKey(QSslKey(&key, QSsl::Rsa));
        QSslServer server;
        server.setSslConfiguration(tls);
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int served = 0;
        connect(&server, &QSslServer::pendingConnectionAvailable, &server, [&server, &served] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket, &served] {
                    ++served;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 32\r\n\r\n"
                                  "<title>the site itself</title>\n\n");
                    socket->disconnectFromHost();
                });
            }
        });
        QSignalSpy status(browser.get(), &platform::WebBrowser::StatusTextChange);
        QSignalSpy loaded(browser->view(), &QWebEngineView::loadFinished);
        browser->navigate(u"https://localhost:"_qs + QString::number(server.serverPort()) + u"/"_qs);
        QVERIFY(loaded.wait(20000));
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(status.begin(), status.end(),
                                     [](const QList<QVariant>& arguments) {
                                         return arguments.at(0).toString().startsWith(
                                             u"Not opened: the site's certificate is not valid"_qs);
                                     }),
            20000);
        QVERIFY(browser->locationName() != u"the site itself"_qs);
        QCOMPARE(served, 0);
    }

    void clipboardIsNotReadByPages()
    {
        QCOMPARE(browser->view()->page()->settings()->testAttribute(QWebEngineSettings::JavascriptCanPaste), false);
        QCOMPARE(browser->view()->page()->settings()->testAttribute(QWebEngineSettings::JavascriptCanAccessClipboard),
            false);
    }

private:
    // Each page at an address of its own, as a page the user goes to next would be.
    void show(const QString& html, const QString& base = {})
    {
        static int shown = 0;
        QSignalSpy loaded(browser->view(), &QWebEngineView::loadFinished);
        browser->view()->setHtml(
            html, QUrl(base.isEmpty() ? u"http://www.ebay.com/page"_qs + QString::number(++shown) : base));
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
