// SPDX-License-Identifier: MIT
#include "quillet/app/settings_keys.h"
#include "quillet/service/lastbell_login.h"
#include "quillet/service/sites.h"
#include "tests/support/fakes/fake_settings_store.h"

#include <QTest>

using namespace quillet;

class TestSitesAndLogin : public QObject
{
    Q_OBJECT
private slots:
    void formEncoding_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("letters and digits") << "abcXYZ019" << QByteArray("abcXYZ019");
        QTest::newRow("ampersand") << "a&b" << QByteArray("a%26b");
        QTest::newRow("equals") << "a=b" << QByteArray("a%3Db");
        QTest::newRow("space") << "a b" << QByteArray("a+b");
        QTest::newRow("percent") << "100%" << QByteArray("100%25");
        QTest::newRow("plus") << "a+b" << QByteArray("a%2Bb");
        QTest::newRow("punctuation is escaped too") << "-_.~" << QByteArray("%2D%5F%2E%7E");
        QTest::newRow("non-ASCII letter as its 8-bit bytes") << QString::fromUtf8("\xc3\xa9") << QByteArray("%C3%A9");
        QTest::newRow("empty") << "" << QByteArray();
    }
    void formEncoding()
    {
        QFETCH(QString, value);
        QTEST(lastbell_login::FormEncode(value), "encoded");
    }

    void loginBody()
    {
        QCOMPARE(lastbell_login::LoginBody("demo", "p&ss= w"), QByteArray("username=demo&temp_password=p%26ss%3D+w"));
        QCOMPARE(lastbell_login::LoginBody("demo", ""), QByteArray("username=demo&temp_password="));
    }

    void firstPage_data()
    {
        QTest::addColumn<bool>("hasAccount");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("passwordKnown");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("address");
        const QString login = "http://www.lastbell.com/secure/login.cfm";
        using Kind = lastbell_login::FirstPage::Kind;
        QTest::newRow("no account, saved user: sign-up")
            << false << "demo" << true << int(Kind::SignUp) << "http://www.lastbell.com/secure/signup.cfm";
        QTest::newRow("account, saved user: post") << true << "demo" << true << int(Kind::LoginPost) << login;
        QTest::newRow("account, no user: login page") << true << "" << true << int(Kind::LoginByGet) << login;
        QTest::newRow("account, user, no password known: login page")
            << true << "demo" << false << int(Kind::LoginByGet) << login;
    }
    void firstPage()
    {
        QFETCH(bool, hasAccount);
        QFETCH(QString, user);
        QFETCH(bool, passwordKnown);
        const lastbell_login::FirstPage page = lastbell_login::ChooseFirstPage(
            hasAccount, user, passwordKnown ? std::optional<QString>("secret") : std::nullopt);
        QTEST(int(page.kind), "kind");
        QTEST(page.address, "address");
        QCOMPARE(page.postData.isEmpty(), page.kind != lastbell_login::FirstPage::Kind::LoginPost);
    }

    void newsPageKeepsItsQuestionMark()
    {
        QCOMPARE(lastbell_login::NewsAddress(), QString("http://www.lastbell.com/secure/news.cfm?"));
    }

    void siteTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("home");
        const QString click = "http://www.qksrv.net/click-1108872-";
        QTest::newRow("1") << 1 << "&eBay.com" << click + "5463217?loc=http%3A//www.ebay.com";
        QTest::newRow("2") << 2 << "eBay &Canada" << click + "5463218?loc=http%3A//www.ebay.ca";
        QTest::newRow("3") << 3 << "eBay &UK" << click + "5463219?loc=http%3A//www.ebay.co.uk";
        QTest::newRow("4") << 4 << "eBay &Australia" << click + "5463220?loc=http%3A//www.ebay.com.au";
        QTest::newRow("5") << 5 << "eBay &Ireland"
                           << "http://pages.ebay.com/ie/index.html";
        QTest::newRow("6") << 6 << "eBay &New Zealand"
                           << "http://pages.ebay.com/nz/index.html";
        QTest::newRow("7") << 7 << "eBay &Motors"
                           << "http://pages.ebay.com/ebaymotors/index.html";
        QTest::newRow("none checked") << 0 << ""
                                      << "";
    }
    void siteTable()
    {
        QFETCH(int, index);
        QTEST(sites::caption(index), "caption");
        QTEST(sites::GetSiteHomeAddress(index), "home");
    }

    void countryDestinationsAreWhatTheEscapeGives()
    {
        for (int i = 1; i <= 4; ++i) {
            const QString home = sites::GetSiteHomeAddress(i);
            const QString loc = home.mid(home.indexOf("?loc=") + 5);
            const QString root = QString(loc).replace("%3A", ":");
            QCOMPARE(sites::EscapeForRedirect(root), loc);
        }
    }

    void escapeForRedirect_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("query") << "http://cgi.ebay.com/a?b=1&c=2"
                               << "http%3A//cgi.ebay.com/a%3Fb%3D1%26c%3D2";
        QTest::newRow("existing %3A untouched") << "http%3A//x/a%3A"
                                                << "http%3A//x/a%3A";
        QTest::newRow("rest passes") << "/ # % é" << QString::fromUtf8("/ # % é");
    }
    void escapeForRedirect()
    {
        QFETCH(QString, text);
        QTEST(sites::EscapeForRedirect(text), "escaped");
    }

    void affiliateAddressUsesTheUsLink()
    {
        QCOMPARE(sites::MakeAffiliateAddress("http://cgi.ebay.com/x?item=1&y=2"),
            QString("http://www.qksrv.net/click-1108872-5463217?loc=http%3A//cgi.ebay.com/x%3Fitem%3D1%26y%3D2"));
    }

    void storedSite_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("6") << "6" << 6;
        QTest::newRow("7") << "7" << 7;
        QTest::newRow("0") << "0" << 1;
        QTest::newRow("8") << "8" << 1;
        QTest::newRow("text") << "abc" << 1;
        QTest::newRow("fraction") << "2.5" << 1;
        QTest::newRow("negative") << "-3" << 1;
    }
    void storedSite()
    {
        QFETCH(QString, stored);
        QTEST(settings_keys::siteIndexFromStored(stored), "index");
    }

    void onlyExactNIsOff_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("absent") << "" << true;
        QTest::newRow("N") << "N" << false;
        QTest::newRow("n") << "n" << true;
        QTest::newRow("N with a blank") << "N " << true;
        QTest::newRow("Y") << "Y" << true;
    }
    void onlyExactNIsOff()
    {
        platform::FakeSettingsStore store;
        QFETCH(QString, stored);
        if (!stored.isEmpty())
            store.values.insert("Settings/StartScreen", stored);
        QTEST(settings_keys::isOn(settings_keys::read(store, settings_keys::kStartScreen)), "on");
    }
};

QTEST_GUILESS_MAIN(TestSitesAndLogin)
#include "tst_sites_and_login.moc"
