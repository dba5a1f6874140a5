// SPDX-License-Identifier: MIT
#include "tests/support/web_fixture.h"

#include "platform/core/web_browser.h"

#include <QTabWidget>
#include <QTest>

using namespace quillet;

namespace
{
const QString kLogin = "http://www.lastbell.com/secure/login.cfm";
}

class TestStartupLogin : public WebFixtureTest
{
    Q_OBJECT

private slots:
    void savedCredentialsArriveAsTheExactBody()
    {
        const QString password = QString::fromUtf8("p&=+% \xc3\xa9");
        QVERIFY(f->simulator.control("/__control/account?user=demo&password=p%26%3D%2B%25%20%C3%A9"));
        f->settings.values.insert("Main/User", "demo");
        f->settings.values.insert("Main/Password", password);
        f->open(true);
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Lastbell - My Snipes"), 20000);
        const QList<LoggedRequest> posts = f->requestsTo(kLogin);
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts[0].method, QString("POST"));
        QCOMPARE(posts[0].url, kLogin);
        QCOMPARE(posts[0].body, QByteArray("username=demo&temp_password=p%26%3D%2B%25+%C3%A9"));
        QCOMPARE(posts[0].header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
    }

    void noAccountOpensSignUpEvenWithSavedCredentials()
    {
        f->settings.values.insert("Main/User", "demo");
        f->settings.values.insert("Main/Password", "secret");
        f->open(false);
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Lastbell - Sign Up"), 20000);
        QVERIFY(f->requestsTo(kLogin).isEmpty());
        const QList<LoggedRequest> signup = f->requestsTo("http://www.lastbell.com/secure/signup.cfm");
        QCOMPARE(signup.size(), 1);
        QCOMPARE(signup[0].method, QString("GET"));
    }

    void accountWithoutUserOpensTheLoginPageByGet()
    {
        f->settings.values.insert("Main/Password", "secret");
        f->open(true);
        QTRY_VERIFY_WITH_TIMEOUT(!f->requestsTo(kLogin).isEmpty() && !f->window->brwSnipe().busy(), 20000);
        const QList<LoggedRequest> login = f->requestsTo(kLogin);
        QCOMPARE(login.size(), 1);
        QCOMPARE(login[0].method, QString("GET"));
        QCOMPARE(login[0].url, kLogin);
        QVERIFY(login[0].body.isEmpty());
    }

    void startsOnTheStoredSite_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no site: the redirect to the United States")
            << ""
            << "http://www.qksrv.net/click-1108872-5463217?loc=http%3A//www.ebay.com"
            << "http://www.ebay.com/";
        QTest::newRow("6: straight to New Zealand") << "6"
                                                    << "http://pages.ebay.com/nz/index.html"
                                                    << "http://pages.ebay.com/nz/index.html";
    }
    void startsOnTheStoredSite()
    {
        QFETCH(QString, stored);
        QFETCH(QString, first);
        QFETCH(QString, shown);
        if (!stored.isEmpty())
            f->settings.values.insert("Settings/Site", stored);
        f->open(true);
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationAddress(), shown, 20000);
        QList<LoggedRequest> auction;
        for (const LoggedRequest& request : f->simulator.log()) {
            if (!request.url.startsWith("http://www.lastbell.com") && !request.url.endsWith("favicon.ico"))
                auction.append(request);
        }
        QVERIFY(!auction.isEmpty());
        QCOMPARE(auction.first().url, first);
        if (stored == "6") {
            for (const LoggedRequest& request : auction)
                QVERIFY2(!request.url.contains("qksrv"), qPrintable(request.url));
        }
    }

    void homeOnTheLastbellTabKeepsTheQuestionMark()
    {
        f->open(true);
        QTRY_VERIFY_WITH_TIMEOUT(!f->requestsTo(kLogin).isEmpty() && !f->window->brwSnipe().busy(), 20000);
        f->window->BrowseHome();
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Lastbell - News"), 20000);
        const QList<LoggedRequest> news = f->requestsTo("http://www.lastbell.com/secure/news.cfm");
        QCOMPARE(news.size(), 1);
        QCOMPARE(news[0].url, QString("http://www.lastbell.com/secure/news.cfm?"));
    }
};

QTEST_MAIN(TestStartupLogin)
#include "tst_startup_login.moc"
