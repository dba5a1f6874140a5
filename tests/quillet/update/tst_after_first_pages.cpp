// SPDX-License-Identifier: MIT
// When the version check may start: after both browsers' first pages, or at the deadline when one never ends.
#include "quillet/update/after_first_pages.h"

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

QTEST_MAIN(TestAfterFirstPages) // the fake browser holds a widget
#include "tst_after_first_pages.moc"
