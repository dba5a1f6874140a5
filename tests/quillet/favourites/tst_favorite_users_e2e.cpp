// SPDX-License-Identifier: MIT
// A seller and a bidder chosen from their lists open their listings in the real auction browser, through the
// affiliate redirect of the local web service.
#include "tests/support/fmain_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/web_fixture.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace quillet;

namespace
{

constexpr int kTimeout = 20000;
const QString kRedirect = QStringLiteral("http://www.qksrv.net/click-1108872-5463217?loc=");

// Highlights `id` in the list window once it is up and presses "&Go!".
void chooseWhenUp(const QString& id)
{
    whenModal([id](QWidget* window) {
        auto* list = window->findChild<QListWidget*>("lstFavorites");
        list->setCurrentItem(list->findItems(id, Qt::MatchExactly).value(0));
        QTest::mouseClick(window->findChild<QPushButton*>("cmdGetInfo"), Qt::LeftButton);
    });
}

} // namespace

class TestFavoriteUsersEndToEnd : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<WebFixture> f;

    // The requests since the choice: the redirect, then exactly the listings address.
    void checkOpened(const QString& expectedTitle, const QString& listings)
    {
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwAuction().locationName(), expectedTitle, kTimeout);
        QCOMPARE(f->window->tabs()->currentIndex(), 1);
        QStringList urls;
        for (const LoggedRequest& request : f->simulator.log()) {
            if (!request.url.endsWith("/favicon.ico")) // the browser's own
                urls.append(request.url);
        }
        QCOMPARE(urls.size(), 2);
        QVERIFY2(urls[0].startsWith(kRedirect), qPrintable(urls[0]));
        QCOMPARE(urls[1], listings);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(writeFile(m_folder->filePath("Sellers.txt"), "oldpaper_books\r\nharbourfinds\r\n"));
        QVERIFY(writeFile(m_folder->filePath("Bidders.txt"), "tick and tock&co\r\n"));
        f = std::make_unique<WebFixture>();
        QVERIFY(f->start());
        f->programFolder = m_folder->path();
    }
    void cleanup()
    {
        f.reset();
        m_folder.reset();
    }

    void sellerAndBidderOpenTheirListings()
    {
        f->open(true);
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->brwAuction().busy() && !f->window->brwSnipe().busy()
                && !f->window->brwAuction().locationAddress().isEmpty(),
            kTimeout);
        QCOMPARE(f->window->tabs()->currentIndex(), 0);

        f->simulator.clearLog();
        chooseWhenUp("harbourfinds");
        f->window->findChild<QAction*>("mnuFavoritesSellers")->trigger();
        checkOpened("eBay - Items for sale by harbourfinds",
            "http://cgi6.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems&userid=harbourfinds"
            "&include=0&since=-1&sort=2&rows=25");

        // From the Lastbell tab again, through the drop-down of the Favorites button.
        f->window->tabs()->setCurrentIndex(0);
        f->simulator.clearLog();
        chooseWhenUp("tick and tock&co");
        QMenu* dropDown = f->window->findChild<QToolBar*>("tbrNavigate")->actions().at(5)->menu();
        for (QAction* item : dropDown->actions()) {
            if (item->data().toString() == "Bidders")
                item->trigger();
        }
        // The ID goes in unescaped: the browser sends its blanks as %20, and "&co" is a parameter of its own.
        checkOpened("eBay - Items bid on by tick and tock",
            "http://cgi4.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewBidItems&userid=tick%20and%20tock&co"
            "&completed=0&all=1&rows=25");
    }
};

QTEST_MAIN(TestFavoriteUsersEndToEnd)
#include "tst_favorite_users_e2e.moc"
