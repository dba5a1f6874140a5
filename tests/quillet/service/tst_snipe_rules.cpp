// SPDX-License-Identifier: MIT
#include "quillet/service/number_text.h"
#include "quillet/service/snipe_address.h"

#include <QTest>

using namespace quillet;

class TestSnipeRules : public QObject
{
    Q_OBJECT

private slots:
    // Which item an address names: "item=" as the design has it, and the marketplace's /itm/ addresses.
    void itemText_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("named"); // the address names an item at all
        QTest::addColumn<QString>("item");
        QTest::newRow("ten digits at the end")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890" << true << "1234567890";
        QTest::newRow("nothing stops at & or #")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?item=1234&category=56#bid" << true << "1234&category=56#bid";
        QTest::newRow("the first of two")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?item=111&item=222" << true << "111&item=222";
        QTest::newRow("capital I is not the key")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?Item=1234567890" << false << "";
        QTest::newRow("capitals throughout are not the key") << "http://cgi.ebay.com/x?ITEM=1" << false << "";
        QTest::newRow("no item at all") << "http://www.ebay.com/" << false << "";
        QTest::newRow("key at the very end: an empty item") << "http://cgi.ebay.com/x?item=" << true << "";
        QTest::newRow("part of a longer key counts") << "http://cgi.ebay.com/x?subitem=77" << true << "77";
        QTest::newRow("trailing blanks kept") << "http://cgi.ebay.com/x?item=42  " << true << "42  ";
        // Never more characters than the address has without its blanks: a long run of trailing blanks is cut.
        QTest::newRow("trailing blanks cut to the trimmed length") << "item=1          " << true << "1     ";
        QTest::newRow("item= wins over /itm/") << "http://www.ebay.com/itm/186543210987?item=42" << true << "42";

        // Today's item pages.
        const QString number = QStringLiteral("186543210987");
        QTest::newRow("/itm/ number") << "https://www.ebay.com/itm/186543210987" << true << number;
        QTest::newRow("/itm/ with a query holding item but no item=")
            << "https://www.ebay.co.uk/itm/186543210987?hash=item2b6e1c0f3b:g:AbCdEfGhIjKl&amdata=enc%3AAQ" << true
            << number;
        QTest::newRow("/itm/ words, then the number")
            << "https://www.ebay.com/itm/Vintage-Brass-Compass-Boxed/186543210987?var=0&_trkparms=ispr%3D1" << true
            << number;
        QTest::newRow("mobile host") << "https://m.ebay.com/itm/186543210987" << true << number;
        QTest::newRow("http, a fragment") << "http://www.ebay.com.au/itm/186543210987#desc" << true << number;
        QTest::newRow("no label before the name") << "http://ebay.de/itm/186543210987" << true << number;
        QTest::newRow("another label before it") << "http://cgi.ebay.ie/itm/186543210987" << true << number;
        QTest::newRow("co.nz") << "http://www.ebay.co.nz/itm/186543210987" << true << number;
        QTest::newRow("Canada") << "https://www.ebay.ca/itm/7" << true << "7";
        QTest::newRow("host in capitals") << "HTTPS://WWW.EBAY.COM/itm/186543210987" << true << number;
        QTest::newRow("a port") << "http://www.ebay.com:8080/itm/186543210987" << true << number;
        QTest::newRow("only looks like the marketplace: notebay.com")
            << "https://notebay.com/itm/186543210987" << false << "";
        QTest::newRow("only looks like the marketplace: a subdomain of another host")
            << "https://ebay.com.example.net/itm/186543210987" << false << "";
        QTest::newRow("only looks like the marketplace: ebay alone") << "https://ebay/itm/186543210987" << false << "";
        QTest::newRow("not the web") << "ftp://www.ebay.com/itm/186543210987" << false << "";
        QTest::newRow("/itm/ without digits") << "https://www.ebay.com/itm/" << false << "";
        QTest::newRow("/itm/ words without a number") << "https://www.ebay.com/itm/Brass-Compass" << false << "";
        QTest::newRow("digits followed by letters") << "https://www.ebay.com/itm/186543210987abc" << false << "";
        QTest::newRow("a slash after the number") << "https://www.ebay.com/itm/186543210987/" << false << "";
        QTest::newRow("two segments of words") << "https://www.ebay.com/itm/a/b/186543210987" << false << "";
        QTest::newRow("not under /itm/") << "https://www.ebay.com/sch/186543210987" << false << "";
        QTest::newRow("/itm/ further down the path") << "https://www.ebay.com/x/itm/186543210987" << false << "";
        QTest::newRow("an empty label before the name") << "https://www..ebay.com/itm/7" << false << "";
        QTest::newRow("a three-letter country") << "https://www.ebay.co.ukk/itm/7" << false << "";
        QTest::newRow("com.au after the name") << "https://ebay.com.au/itm/7" << true << "7";
        QTest::newRow("an empty segment of words") << "https://www.ebay.com/itm//7" << false << "";
        QTest::newRow("digits beyond ASCII") << "https://www.ebay.com/itm/\u0663" << false << "";
    }
    void itemText()
    {
        QFETCH(QString, address);
        QFETCH(bool, named);
        QFETCH(QString, item);
        const std::optional<QString> found = snipe_address::ItemTextFromAddress(address);
        QCOMPARE(found.has_value(), named);
        QCOMPARE(found.value_or(QString()), item);
    }

    void setUpAddress_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::newRow("number") << "1234567890"
                                << "http://www.lastbell.com/secure/login.cfm?item_number=1234567890";
        QTest::newRow("unescaped: the rest reaches the service as a second parameter")
            << "1234&category=56"
            << "http://www.lastbell.com/secure/login.cfm?item_number=1234&category=56";
        QTest::newRow("spaces and percent as typed") << " 12 %41"
                                                     << "http://www.lastbell.com/secure/login.cfm?item_number= 12 %41";
        QTest::newRow("empty") << ""
                               << "http://www.lastbell.com/secure/login.cfm?item_number=";
    }
    void setUpAddress()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        QCOMPARE(snipe_address::SetUpAddress(item), address);
    }

    void numberTest_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        const QString c = QStringLiteral("C");
        const QString de = QStringLiteral("de_DE");
        QTest::newRow("digits") << c << "1234567890" << true;
        QTest::newRow("one digit") << c << "7" << true;
        QTest::newRow("minus") << c << "-12" << true;
        QTest::newRow("plus") << c << "+12" << true;
        QTest::newRow("decimal point") << c << "12.5" << true;
        QTest::newRow("leading decimal point") << c << ".5" << true;
        QTest::newRow("thousands") << c << "1,234,567" << true;
        QTest::newRow("exponent") << c << "1e5" << true;
        QTest::newRow("exponent with sign") << c << "2.5E-3" << true;
        QTest::newRow("blanks around") << c << "  123  " << true;
        QTest::newRow("empty") << c << "" << false;
        QTest::newRow("blanks only") << c << "   " << false;
        QTest::newRow("stray letter at the end") << c << "12345a" << false;
        QTest::newRow("stray letter inside") << c << "123x45" << false;
        QTest::newRow("letters") << c << "abc" << false;
        QTest::newRow("blank inside") << c << "12 34" << false;
        QTest::newRow("sign alone") << c << "-" << false;
        QTest::newRow("point alone") << c << "." << false;
        QTest::newRow("two points") << c << "1.2.3" << false;
        QTest::newRow("exponent without digits") << c << "1e" << false;
        QTest::newRow("exponent alone") << c << "e5" << false;
        QTest::newRow("sign twice") << c << "--1" << false;
        QTest::newRow("German decimal comma") << de << "12,5" << true;
        QTest::newRow("German thousands dot") << de << "1.234.567" << true;
        QTest::newRow("German both") << de << "-1.234,5e2" << true;
        QTest::newRow("German: a comma after the decimal comma") << de << "1,2,3" << false;
        QTest::newRow("German: stray letter") << de << "1.234b" << false;
    }
    void numberTest()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(number_text::IsNumeric(text, QLocale(locale)), numeric);
    }
};

QTEST_GUILESS_MAIN(TestSnipeRules)
#include "tst_snipe_rules.moc"
