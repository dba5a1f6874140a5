// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/address_history.h"
#include "quillet/mainwindow/busy_frames.h"
#include "quillet/mainwindow/layout_rule.h"
#include "quillet/mainwindow/refresh_rule.h"

#include <QTest>

using namespace quillet;

class TestLayoutAndRefresh : public QObject
{
    Q_OBJECT
private slots:
    void layoutTabHeight_data()
    {
        QTest::addColumn<int>("clientHeight");
        QTest::addColumn<bool>("buttonText");
        QTest::addColumn<int>("tabTop");
        QTest::addColumn<int>("tabHeight");
        QTest::addColumn<int>("browserHeight");
        QTest::newRow("700 with text") << 700 << true << 660 << 250 << 580;
        QTest::newRow("700 without text") << 700 << false << 500 << 80 << 750;
        QTest::newRow("design size") << 6585 << true << 660 << 5635 << 4805;
    }
    void layoutTabHeight()
    {
        QFETCH(int, clientHeight);
        QFETCH(bool, buttonText);
        const layout_rule::Placement p = layout_rule::LayoutControls({ 10020, clientHeight, 10140, buttonText });
        QTEST(p.tabTop, "tabTop");
        QTEST(p.tabHeight, "tabHeight");
        QTEST(p.browserHeight, "browserHeight");
    }

    void layoutNeverNegativeWhenMinimised_data()
    {
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("clientHeight");
        QTest::addColumn<int>("outerWidth");
        QTest::newRow("minimised") << 0 << 0 << 0;
        QTest::newRow("narrower than the margins") << 300 << 200 << 40;
        QTest::newRow("tiny") << 15 << 15 << 45;
    }
    void layoutNeverNegativeWhenMinimised()
    {
        QFETCH(int, clientWidth);
        QFETCH(int, clientHeight);
        QFETCH(int, outerWidth);
        for (const bool text : { true, false }) {
            const layout_rule::Placement p
                = layout_rule::LayoutControls({ clientWidth, clientHeight, outerWidth, text });
            for (const int size : { p.tabTop, p.tabWidth, p.tabHeight, p.browserWidth, p.browserHeight, p.goLeft,
                     p.addressWidth, p.busyLeft, p.linkLeft })
                QVERIFY2(size >= 0, qPrintable(QString::number(size)));
        }
    }

    void layoutWidths()
    {
        const layout_rule::Placement p = layout_rule::LayoutControls({ 10020, 6585, 10140, true });
        QCOMPARE(p.tabWidth, 10090);
        QCOMPARE(p.browserWidth, 10060);
        QCOMPARE(p.goLeft, 9120);
        QCOMPARE(p.addressWidth, 7870);
        QCOMPARE(p.busyLeft, 9470);
        QCOMPARE(p.linkLeft, 8890);
    }

    void snipeRule_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("auctionInFront");
        QTest::addColumn<bool>("button");
        QTest::addColumn<QString>("menu"); // "enabled", "disabled" or "kept" as it was
        const QString item = QStringLiteral("http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890");
        const QString capital = QStringLiteral("http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&ITEM=1234567890");
        QTest::newRow("item= on the auction tab") << item << true << true << "enabled";
        QTest::newRow("item= on the Lastbell tab keeps the menu") << item << false << true << "kept";
        QTest::newRow("ITEM= disables both") << capital << true << false << "disabled";
        QTest::newRow("ITEM= disables the menu on the Lastbell tab too") << capital << false << false << "disabled";
        QTest::newRow("empty") << QString() << true << false << "disabled";
        const QString itm = QStringLiteral("https://www.ebay.com/itm/Vintage-Brass-Compass-Boxed/186543210987?var=0");
        QTest::newRow("/itm/ on the auction tab") << itm << true << true << "enabled";
        QTest::newRow("/itm/ on the Lastbell tab keeps the menu") << itm << false << true << "kept";
        QTest::newRow("/itm/ on another host disables both")
            << "https://notebay.com/itm/186543210987" << true << false << "disabled";
    }
    void snipeRule()
    {
        refresh_rule::Inputs in;
        QFETCH(QString, address);
        QFETCH(bool, auctionInFront);
        in.addressText = address;
        in.auctionTabInFront = auctionInFront;
        const refresh_rule::Outputs out = refresh_rule::RefreshUiState(in);
        QTEST(out.snipeButtonEnabled, "button");
        const QString menu = QLatin1String(!out.snipeMenuEnabled ? "kept"
                : *out.snipeMenuEnabled                          ? "enabled"
                                                                 : "disabled");
        QTEST(menu, "menu");
    }

    void refreshFollowsTheTabInFront()
    {
        refresh_rule::Inputs in;
        in.snipeTitle = QStringLiteral("Lastbell - My Snipes");
        in.auctionTitle = QStringLiteral("eBay");
        in.snipeTabActive = true;
        in.snipeCanGoBack = false;
        in.auctionCanGoBack = true;
        in.auctionCanGoForward = true;
        refresh_rule::Outputs out = refresh_rule::RefreshUiState(in);
        QCOMPARE(out.caption, QStringLiteral("Lastbell Quillet > Lastbell - My Snipes"));
        QVERIFY(!out.backEnabled);
        QVERIFY(!out.forwardEnabled);
        QVERIFY(!out.addFavoriteEnabled);

        in.auctionTabInFront = true;
        in.snipeTabActive = false;
        out = refresh_rule::RefreshUiState(in);
        QCOMPARE(out.caption, QStringLiteral("Lastbell Quillet > eBay"));
        QVERIFY(out.backEnabled);
        QVERIFY(out.forwardEnabled);
        QVERIFY(out.addFavoriteEnabled);
    }

    void buttonCaptions()
    {
        refresh_rule::Inputs in;
        in.buttonTextShown = true;
        QCOMPARE(refresh_rule::RefreshUiState(in).navigateCaptions,
            QStringList({ "Back", "Forward", "Stop", "Refresh", "Home", "Favorites", "" }));
        in.buttonTextShown = false;
        QCOMPARE(refresh_rule::RefreshUiState(in).navigateCaptions, QStringList(7, QString()));
    }

    void historyMovesToFront_data()
    {
        QTest::addColumn<QStringList>("visits");
        QTest::addColumn<QStringList>("history");
        QTest::newRow("A, B, A") << QStringList { "A", "B", "A" } << QStringList { "A", "B" };
        QTest::newRow("A, A") << QStringList { "A", "A" } << QStringList { "A" };
        QTest::newRow("case-sensitive") << QStringList { "http://a/X", "http://a/x" }
                                        << QStringList { "http://a/x", "http://a/X" };
        QTest::newRow("A, B, C, B") << QStringList { "A", "B", "C", "B" } << QStringList { "B", "C", "A" };
    }
    void historyMovesToFront()
    {
        QFETCH(QStringList, visits);
        QStringList history;
        for (const QString& visit : visits)
            history = address_history::MoveToFront(history, visit);
        QTEST(history, "history");
    }

    void busyFramesCycleOneToSix()
    {
        int frame = 0;
        QList<int> shown;
        for (int i = 0; i < 8; ++i)
            shown.append(frame = busy_frames::next(frame));
        QCOMPARE(shown, QList<int>({ 1, 2, 3, 4, 5, 6, 1, 2 }));
    }
};

QTEST_GUILESS_MAIN(TestLayoutAndRefresh)
#include "tst_layout_and_refresh.moc"
