// SPDX-License-Identifier: MIT
// The pages of the outside hosts and the request log, seen through the proxy setting.
#include "proxied_client.h"
#include "tests/support/simulator_process.h"

#include "platform/core/hosts.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

namespace
{

QByteArray address(const char* host, const QByteArray& pathAndQuery)
{
    return QByteArray("http://") + host + pathAndQuery;
}

// application/x-www-form-urlencoded as a browser writes it: letters and digits stay, a space is "+".
QByteArray formValue(const QString& value)
{
    return value.toUtf8().toPercentEncoding(" ").replace(' ', '+');
}

QByteArray loginBody(const QString& user, const QString& password)
{
    return "username=" + formValue(user) + "&temp_password=" + formValue(password);
}

QString percent(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// A control request straight to the service, not through the proxy setting; the reply is the caller's.
QNetworkReply* getControl(QNetworkAccessManager& network, quint16 port, const QString& pathAndQuery)
{
    network.setProxy(QNetworkProxy::NoProxy);
    return network.get(
        QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/__control/%2").arg(port).arg(pathAndQuery))));
}

} // namespace

class TestSites : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void login_data();
    void login();
    void snipePage_data();
    void snipePage();
    void redirect_data();
    void redirect();
    void homePages_data();
    void homePages();
    void auctionAndListings();
    void itemPages_data();
    void itemPages();
    void logKeepsRequestsExactly();
    void logWaitsUntilItHoldsEachText();
    void logWaitEndsWithTheLogAsItIs();

private:
    SimulatorProcess m_simulator;
    std::unique_ptr<ProxiedClient> m_client;
};

void TestSites::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
    m_client = std::make_unique<ProxiedClient>(m_simulator.port());
}

void TestSites::cleanup()
{
    m_client->clearCookies();
    QVERIFY(m_simulator.control(QStringLiteral("account?user=demo&password=secret")));
}

void TestSites::login_data()
{
    QTest::addColumn<QString>("accountUser");
    QTest::addColumn<QString>("accountPassword");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("shown");

    const QByteArray form = "application/x-www-form-urlencoded";
    const QString special = QStringLiteral("a&b=c+d%e f\u00e4");
    QTest::newRow("demo account") << QStringLiteral("demo") << QStringLiteral("secret") << form
                                  << loginBody(QStringLiteral("demo"), QStringLiteral("secret"))
                                  << QByteArray("Lastbell - My Snipes") << QByteArray("Logged in as demo");
    QTest::newRow("special characters") << QStringLiteral("demo") << special << form
                                        << loginBody(QStringLiteral("demo"), special)
                                        << QByteArray("Lastbell - My Snipes") << QByteArray("Logged in as demo");
    QTest::newRow("one letter short") << QStringLiteral("demo") << special << form
                                      << loginBody(QStringLiteral("demo"), special.chopped(1))
                                      << QByteArray("Lastbell - Login Failed") << QByteArray("temp_password");
    QTest::newRow("user name escaped") << QStringLiteral("<b>bob</b>") << QStringLiteral("pw") << form
                                       << loginBody(QStringLiteral("<b>bob</b>"), QStringLiteral("pw"))
                                       << QByteArray("Lastbell - My Snipes")
                                       << QByteArray("Logged in as &lt;b&gt;bob&lt;/b&gt;");
    QTest::newRow("not a form") << QStringLiteral("demo") << QStringLiteral("secret") << QByteArray("text/plain")
                                << loginBody(QStringLiteral("demo"), QStringLiteral("secret"))
                                << QByteArray("Lastbell - Login Failed") << QByteArray("username");
}

void TestSites::login()
{
    QFETCH(QString, accountUser);
    QFETCH(QString, accountPassword);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, shown);
    QVERIFY(m_simulator.control(
        QStringLiteral("account?user=%1&password=%2").arg(percent(accountUser), percent(accountPassword))));

    const Fetched page = m_client->post(address(hosts::kLastbellServer, hosts::kLastbellLoginPath), contentType, body);

    QCOMPARE(page.status, 200);
    QCOMPARE(page.title(), title);
    QVERIFY2(page.body.contains(shown), page.body.constData());
    QCOMPARE(page.header("Set-Cookie").startsWith("LBSESSION="), title == "Lastbell - My Snipes");
}

void TestSites::snipePage_data()
{
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("shown");

    QTest::newRow("logged in") << true << QByteArray("item_number=1234567890") << QByteArray("Lastbell - Set Up Snipe")
                               << QByteArray("Item number: 1234567890");
    QTest::newRow("second parameter") << true << QByteArray("item_number=1234&category=56")
                                      << QByteArray("Lastbell - Set Up Snipe") << QByteArray("Item number: 1234<");
    QTest::newRow("markup escaped") << true << QByteArray("item_number=%3Cb%3E'x")
                                    << QByteArray("Lastbell - Set Up Snipe")
                                    << QByteArray("Item number: %3Cb%3E&#39;x");
    QTest::newRow("no session") << false << QByteArray("item_number=1234567890") << QByteArray("Lastbell - Login")
                                << QByteArray("name=\"temp_password\"");
}

void TestSites::snipePage()
{
    QFETCH(bool, loggedIn);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, shown);
    if (loggedIn) {
        const Fetched login = m_client->post(address(hosts::kLastbellServer, hosts::kLastbellLoginPath),
            "application/x-www-form-urlencoded", "username=demo&temp_password=secret");
        QCOMPARE(login.title(), QByteArray("Lastbell - My Snipes"));
    }

    const Fetched page
        = m_client->get(address(hosts::kLastbellServer, QByteArray(hosts::kLastbellLoginPath) + '?' + query));

    QCOMPARE(page.title(), title);
    QVERIFY2(page.body.contains(shown), page.body.constData());
}

void TestSites::redirect_data()
{
    QTest::addColumn<QByteArray>("pathAndQuery");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("location");

    const QByteArray click = QByteArray("/click-") + hosts::kRedirectAccount + '-';
    QTest::newRow("country home") << click + hosts::kRedirectLinkUs + "?loc=http%3A//www.ebay.com" << 302
                                  << QByteArray("http://www.ebay.com");
    QTest::newRow("escaped query") << click + hosts::kRedirectLinkUk
            + "?loc=http%3A//cgi.ebay.com/ws/eBayISAPI.dll%3FViewItem%26item%3D123"
                                   << 302 << QByteArray("http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=123");
    QTest::newRow("plus and space stay") << click + hosts::kRedirectLinkUs + "?loc=http%3A//x.test/a+b%20c" << 302
                                         << QByteArray("http://x.test/a+b c");
    QTest::newRow("unknown account") << QByteArray("/click-1-") + hosts::kRedirectLinkUs + "?loc=http%3A//x.test" << 404
                                     << QByteArray();
    QTest::newRow("unknown link") << click + "1?loc=http%3A//x.test" << 404 << QByteArray();
}

void TestSites::redirect()
{
    QFETCH(QByteArray, pathAndQuery);
    QFETCH(int, status);
    QFETCH(QByteArray, location);

    const Fetched fetched = m_client->get(address(hosts::kRedirectServer, pathAndQuery));

    QCOMPARE(fetched.status, status);
    QCOMPARE(fetched.header("Location"), location);
}

void TestSites::homePages_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("title");

    QTest::newRow("United States") << address(hosts::kSiteUs, "/") << QByteArray("eBay United States");
    QTest::newRow("Canada, no path") << address(hosts::kSiteCanada, "") << QByteArray("eBay Canada");
    QTest::newRow("UK") << address(hosts::kSiteUk, "/") << QByteArray("eBay UK");
    QTest::newRow("Australia") << address(hosts::kSiteAustralia, "/") << QByteArray("eBay Australia");
    QTest::newRow("Ireland") << address(hosts::kPagesServer, hosts::kIrelandPath) << QByteArray("eBay Ireland");
    QTest::newRow("New Zealand") << address(hosts::kPagesServer, hosts::kNewZealandPath)
                                 << QByteArray("eBay New Zealand");
    QTest::newRow("Motors") << address(hosts::kPagesServer, hosts::kMotorsPath) << QByteArray("eBay Motors");
    QTest::newRow("unknown host") << QByteArray("http://nowhere.test/") << QByteArray("404 Not Found");
}

void TestSites::homePages()
{
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, title);

    const Fetched page = m_client->get(address);

    QCOMPARE(page.title(), title);
    QCOMPARE(page.status, title == "404 Not Found" ? 404 : 200);
    if (page.status == 200) {
        QCOMPARE(page.body.count(QByteArray(QByteArray("href=\"http://") + hosts::kAuctionServer)), 3);
        // Today's item pages too, one of each form.
        const QByteArray itemPages = QByteArray("href=\"http://") + hosts::kSiteUs + hosts::kItemPagePath;
        QVERIFY2(page.body.contains(QByteArray(itemPages + "186543210987\"")), page.body.constData());
        QVERIFY2(
            page.body.contains(QByteArray(itemPages + "Enamel-Fountain-Pen-Boxed/3456789012?")), page.body.constData());
    }
}

void TestSites::auctionAndListings()
{
    const Fetched auction = m_client->get(address(hosts::kAuctionServer, "/ws/eBayISAPI.dll?ViewItem&item=1234567890"));
    QVERIFY2(auction.title().startsWith("eBay item 1234567890 - "), auction.title().constData());
    const QByteArray listings
        = QByteArray("http://") + hosts::kSellerListingsServer + hosts::kListedItemsPath + "&amp;userid=";
    QVERIFY2(auction.body.contains(listings), auction.body.constData());

    const Fetched listed = m_client->get(address(hosts::kSellerListingsServer,
        QByteArray(hosts::kListedItemsPath) + "&userid=alice&include=0&since=-1&sort=2&rows=25"));
    QCOMPARE(listed.title(), QByteArray("eBay - Items for sale by alice"));
    const Fetched bids
        = m_client->get(address(hosts::kBidListingsServer, QByteArray(hosts::kBidItemsPath) + "&userid=alice&all=1"));
    QCOMPARE(bids.title(), QByteArray("eBay - Items bid on by alice"));
    // Each command on its own server only.
    QCOMPARE(
        m_client->get(address(hosts::kBidListingsServer, QByteArray(hosts::kListedItemsPath) + "&userid=alice")).status,
        404);
    QCOMPARE(
        m_client->get(address(hosts::kSellerListingsServer, QByteArray(hosts::kBidItemsPath) + "&userid=alice")).status,
        404);
}

void TestSites::itemPages_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("item"); // empty: not found

    QTest::newRow("number") << address(hosts::kSiteUs, "/itm/186543210987") << QByteArray("186543210987");
    QTest::newRow("words and number, a query")
        << address(hosts::kSiteUk, "/itm/Brass-Compass/186543210987?var=0") << QByteArray("186543210987");
    QTest::newRow("another country") << address(hosts::kSiteAustralia, "/itm/42") << QByteArray("42");
    QTest::newRow("no number") << address(hosts::kSiteUs, "/itm/") << QByteArray();
    QTest::newRow("words only") << address(hosts::kSiteUs, "/itm/Brass-Compass") << QByteArray();
    QTest::newRow("digits and letters") << address(hosts::kSiteUs, "/itm/42abc") << QByteArray();
    QTest::newRow("two segments of words") << address(hosts::kSiteUs, "/itm/a/b/42") << QByteArray();
    QTest::newRow("not a country site") << address(hosts::kAuctionServer, "/itm/42") << QByteArray();
}

void TestSites::itemPages()
{
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, item);

    const Fetched page = m_client->get(address);

    if (item.isEmpty()) {
        QCOMPARE(page.status, 404);
        return;
    }
    QCOMPARE(page.status, 200);
    QVERIFY2(page.title().startsWith(QByteArray("eBay item " + item + " - ")), page.title().constData());
    QVERIFY2(page.body.contains(QByteArray("Item number: " + item + "<")), page.body.constData());
}

void TestSites::logKeepsRequestsExactly()
{
    m_simulator.clearLog();
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary += char(i);
    const QByteArray news = address(hosts::kLastbellServer, hosts::kLastbellNewsPath);
    const QByteArray login = address(hosts::kLastbellServer, hosts::kLastbellLoginPath);

    QCOMPARE(m_client->get(news).title(), QByteArray("Lastbell - News"));
    m_client->post(login, "application/x-www-form-urlencoded", binary);
    QVERIFY(m_simulator.control(QStringLiteral("version?text=1.2.0"))); // control requests stay out of the log

    const QList<LoggedRequest> log = m_simulator.log();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0].method, QStringLiteral("GET"));
    QCOMPARE(log[0].url, QString::fromLatin1(news));
    QVERIFY(log[0].url.endsWith(u'?'));
    QCOMPARE(log[0].header("host"), QByteArray(hosts::kLastbellServer));
    QCOMPARE(log[1].method, QStringLiteral("POST"));
    QCOMPARE(log[1].url, QString::fromLatin1(login));
    QCOMPARE(log[1].header("CONTENT-TYPE"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(log[1].body, binary);
}

void TestSites::logWaitsUntilItHoldsEachText()
{
    m_simulator.clearLog();
    const QByteArray news = address(hosts::kLastbellServer, hosts::kLastbellNewsPath);
    const QByteArray login = address(hosts::kLastbellServer, hosts::kLastbellLoginPath);
    // The login is known by its body, as the start-up benchmark knows it; a quote and a plus are sent escaped.
    const QString loginBody = QStringLiteral("\"body\":\"%1\"").arg(QLatin1String(QByteArray("a+b").toBase64()));
    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> waiting(getControl(network, m_simulator.port(),
        QStringLiteral("log?holding=%1&holding=%2&wait=20000")
            .arg(percent(QStringLiteral("\"url\":\"") + QString::fromLatin1(news)), percent(loginBody))));

    m_client->get(news);
    QTRY_COMPARE_WITH_TIMEOUT(m_simulator.log().size(), 1, 5000);
    QCoreApplication::processEvents();
    QVERIFY2(!waiting->isFinished(), "answered while the log held only the first text");

    m_client->post(login, "application/x-www-form-urlencoded", "a+b");
    QTRY_VERIFY_WITH_TIMEOUT(waiting->isFinished(), 10000);
    QCOMPARE(waiting->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    const QList<QByteArray> lines = waiting->readAll().split('\n');
    QCOMPARE(lines.size(), 3); // two lines and the empty rest after the last line break
    QVERIFY(lines[0].contains(news));
    QVERIFY(lines[1].contains(loginBody.toUtf8()));
}

void TestSites::logWaitEndsWithTheLogAsItIs()
{
    m_simulator.clearLog();
    const QByteArray news = address(hosts::kLastbellServer, hosts::kLastbellNewsPath);
    m_client->get(news);
    QNetworkAccessManager network;
    QElapsedTimer waited;
    waited.start();
    std::unique_ptr<QNetworkReply> waiting(
        getControl(network, m_simulator.port(), QStringLiteral("log?holding=never-sent&wait=300")));
    QTRY_VERIFY_WITH_TIMEOUT(waiting->isFinished(), 10000);
    QVERIFY(waited.elapsed() >= 300);
    QCOMPARE(waiting->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QVERIFY(waiting->readAll().contains(news));

    std::unique_ptr<QNetworkReply> tooLong(
        getControl(network, m_simulator.port(), QStringLiteral("log?holding=x&wait=60001")));
    QTRY_VERIFY_WITH_TIMEOUT(tooLong->isFinished(), 10000);
    QCOMPARE(tooLong->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 400);
}

QTEST_GUILESS_MAIN(TestSites)
#include "tst_sites.moc"
