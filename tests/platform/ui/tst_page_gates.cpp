// SPDX-License-Identifier: MIT
// What a page may hand to the desktop, and which of its requests for a new window open anything.
#include "platform/ui/new_window_gate.h"
#include "platform/ui/own_pages.h"
#include "platform/ui/scheme_gate.h"

#include <QTest>
#include <QUrl>

using platform::Handover;
using Verdict = platform::NewWindowGate::Verdict;

Q_DECLARE_METATYPE(Handover)

class TestPageGates : public QObject
{
    Q_OBJECT
private slots:
    void schemes_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("userStarted");
        QTest::addColumn<Handover>("handover");
        QTest::newRow("http") << "http://www.ebay.com/itm/1" << false << Handover::Browser;
        QTest::newRow("https") << "https://www.ebay.co.uk/" << true << Handover::Browser;
        QTest::newRow("mailto from a click") << "mailto:seller@example.com" << true << Handover::MailProgram;
        QTest::newRow("mailto from a script") << "mailto:seller@example.com" << false << Handover::Refused;
        for (const char* address :
            { "file:///home/user/.bashrc", "smb://host/share/run.desktop", "nfs://host/x", "sftp://host/x",
                "ssh://host", "data:text/html,<p>x", "javascript:alert(1)", "steam://run/1", "HTTP-evil://x", "" })
            QTest::newRow(*address ? address : "no address") << address << true << Handover::Refused;
    }
    void schemes()
    {
        QFETCH(QString, address);
        QFETCH(bool, userStarted);
        QTEST(platform::HandoverOf(QUrl(address), userStarted), "handover");
    }

    void siteKeptTo_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("within");
        QTest::newRow("the service's host") << "http://www.lastbell.com/secure/login.cfm" << true;
        QTest::newRow("the bare domain") << "https://lastbell.com/" << true;
        QTest::newRow("a subdomain, any case") << "http://Help.LastBell.com/faq" << true;
        QTest::newRow("the fully qualified spelling") << "http://www.lastbell.com./" << true;
        QTest::newRow("the program's own page") << "about:blank" << true;
        QTest::newRow("a marketplace") << "http://www.ebay.com/itm/1" << false;
        QTest::newRow("a name that only ends alike") << "http://evil-lastbell.com/" << false;
        QTest::newRow("the domain as a subdomain elsewhere") << "http://lastbell.com.evil.example/" << false;
        QTest::newRow("the domain in the user part") << "http://www.lastbell.com@evil.example/" << false;
    }
    void siteKeptTo()
    {
        QFETCH(QString, address);
        QTEST(platform::WithinSite(QUrl(address), u"lastbell.com"_qs), "within");
    }

    void typedAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened"); // empty: none
        QTest::newRow("a host") << "www.ebay.co.uk"
                                << "http://www.ebay.co.uk";
        QTest::newRow("a host and path") << "ebay.ca/itm/123"
                                         << "http://ebay.ca/itm/123";
        QTest::newRow("a whole address") << "https://www.ebay.com/sch/i.html?_nkw=a%20b&x=1"
                                         << "https://www.ebay.com/sch/i.html?_nkw=a%20b&x=1";
        QTest::newRow("a local file") << "/tmp/page.html"
                                      << "file:///tmp/page.html";
        QTest::newRow("two words") << "two words"
                                   << "";
        QTest::newRow("script for the page shown") << "javascript:alert(document.cookie)"
                                                   << "";
        QTest::newRow("nothing") << "   "
                                 << "";
    }
    void typedAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        const std::optional<QUrl> url = platform::TypedAddress(typed);
        QCOMPARE(url ? url->toString(QUrl::FullyEncoded) : QString(), opened);
    }

    // The program's own pages show what they are given as text, never as markup.
    void ownPagesShowTextAsText()
    {
        const QString typed = platform::NotAnAddressPage(u"<img src=x onerror=alert(1)>"_qs);
        QVERIFY(typed.contains(u"&lt;img src=x onerror=alert(1)&gt;"_qs));
        QVERIFY(!typed.contains(u"<img"_qs));
        const QString stopped = platform::StoppedPageHtml(QUrl(u"http://x.example/\"><script>alert(1)</script>"_qs));
        QVERIFY(!stopped.contains(u"<script>"_qs));
        QVERIFY(stopped.contains(u"<title>Page stopped</title>"_qs));
    }

    void whatLeavesTheEngine()
    {
        for (const char* shown : { "http://x/", "https://x/", "file:///tmp/a.html", "data:text/html,x", "about:blank",
                 "javascript:void(0)" })
            QVERIFY2(!platform::LeavesTheEngine(QUrl(QString::fromLatin1(shown))), shown);
        for (const char* leaving : { "mailto:a@b.c", "smb://h/s", "steam://run/1", "nfs://h/x" })
            QVERIFY2(platform::LeavesTheEngine(QUrl(QString::fromLatin1(leaving))), leaving);
    }

    void refusalNamesTheScheme()
    {
        QCOMPARE(platform::RefusedText(QUrl("smb://host/share/run.desktop")),
            QString("Not opened: smb: addresses are not handed to other programs"));
        const QString longScheme = platform::RefusedText(QUrl("x" + QString(500, 'a') + "://host"));
        QVERIFY2(longScheme.size() <= 76, qPrintable(longScheme));
    }

    void onlyTheUsersWindowsOpen()
    {
        platform::NewWindowGate gate;
        const QUrl item("http://www.ebay.com/itm/1");
        QCOMPARE(gate.decide(item, false, 0), Verdict::PopUpBlocked);
        QCOMPARE(gate.decide(item, true, 10), Verdict::Open);
        QCOMPARE(gate.decide(item, true, 10 + 1999), Verdict::Repeated);
        QCOMPARE(gate.decide(QUrl("http://www.ebay.com/itm/2"), true, 20), Verdict::Open);
        QCOMPARE(gate.decide(item, true, 10 + 2000), Verdict::Open);
        // Twelve pop-ups as the page loads: none.
        for (int i = 0; i < 12; ++i)
            QCOMPARE(
                gate.decide(QUrl(QString("http://ads.example/%1").arg(i)), false, 3000 + i), Verdict::PopUpBlocked);
    }
};

QTEST_GUILESS_MAIN(TestPageGates)
#include "tst_page_gates.moc"
