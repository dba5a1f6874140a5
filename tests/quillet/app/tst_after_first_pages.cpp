// SPDX-License-Identifier: MIT
// When held-back start-up work may go: once both browsers' first pages have loaded, or at the deadline when one
// never does.
#include "quillet/app/after_first_pages.h"

#include "tests/support/fakes/fake_web_browser.h"

#include <QSignalSpy>
#include <QTest>

using namespace quillet;
using namespace std::chrono_literals;

class TestAfterFirstPages : public QObject
{
    Q_OBJECT
private slots:
    void waitsForBothPagesThenOnlyOnce();
    void pageThatNeverEndsWaitsOnlyUntilTheDeadline();
    void countsOnlyLoadedPages();
};

void TestAfterFirstPages::waitsForBothPagesThenOnlyOnce()
{
    platform::FakeWebBrowser snipe;
    platform::FakeWebBrowser auction;
    AfterFirstPages after({ &snipe, &auction }, 1h);
    QSignalSpy ready(&after, &AfterFirstPages::ready);
    emit auction.DownloadComplete(); // a page before the load sequence asked does not count
    after.start();
    emit auction.DownloadComplete();
    emit auction.DownloadComplete();
    QCOMPARE(ready.size(), 0); // one browser's pages, however many, are not both
    emit snipe.DownloadComplete();
    QCOMPARE(ready.size(), 1);
    after.start();
    emit snipe.DownloadComplete();
    emit auction.DownloadComplete();
    QCOMPARE(ready.size(), 1);
}

void TestAfterFirstPages::pageThatNeverEndsWaitsOnlyUntilTheDeadline()
{
    platform::FakeWebBrowser snipe;
    platform::FakeWebBrowser auction;
    AfterFirstPages after({ &snipe, &auction }, 50ms);
    QSignalSpy ready(&after, &AfterFirstPages::ready);
    after.start();
    emit snipe.DownloadComplete();
    QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 1, 10000);
    emit auction.DownloadComplete(); // the late page starts nothing more
    QCOMPARE(ready.size(), 1);
}

// A page that has only begun, or has arrived without ending its load, does not count.
void TestAfterFirstPages::countsOnlyLoadedPages()
{
    platform::FakeWebBrowser snipe;
    platform::FakeWebBrowser auction;
    AfterFirstPages after({ &snipe, &auction }, 1h);
    QSignalSpy ready(&after, &AfterFirstPages::ready);
    after.start();
    emit auction.DownloadComplete();
    emit snipe.ProgressChange(); // what a page sends as it begins
    emit snipe.NavigateComplete2();
    QCOMPARE(ready.size(), 0);
    emit snipe.DownloadComplete();
    QCOMPARE(ready.size(), 1);
}

QTEST_MAIN(TestAfterFirstPages) // the fake browser holds a widget
#include "tst_after_first_pages.moc"
