// SPDX-License-Identifier: MIT
#include "tests/support/fmain_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/web_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace quillet;

namespace
{

constexpr int kTimeout = 20000;
const QString kAuction = QStringLiteral("http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890");

void clickNode(QWidget* window, const QString& text)
{
    auto* tree = window->findChild<QTreeWidget*>("TreeView1");
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    tree->scrollToItem(found.first());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
}

} // namespace

class TestBrowserFavoritesEndToEnd : public QObject
{
    Q_OBJECT
    WebFixture* f = nullptr;
    QTemporaryDir* m_favorites = nullptr;

    void chooseInTree(const QString& text)
    {
        whenModal([text](QWidget* window) { clickNode(window, text); });
        f->window->findChild<QAction*>("mnuFavoritesView")->trigger();
    }

    bool auctionShows(const QString& address)
    {
        return QTest::qWaitFor(
            [&] { return f->window->brwAuction().locationAddress() == address && !f->window->brwAuction().busy(); },
            kTimeout);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_favorites = new QTemporaryDir;
        f = new WebFixture;
        f->specialFolders.folders.insert(6, m_favorites->path());
        QVERIFY(f->start());
        f->open(true);
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    }
    void cleanup()
    {
        delete f;
        delete m_favorites;
    }

    void aShortcutChosenInTheTreeOpensItsAddress()
    {
        QVERIFY(QDir(m_favorites->path()).mkdir("Auctions"));
        QVERIFY(writeFile(
            m_favorites->filePath("Auctions/Clock.url"), "[InternetShortcut]\r\nURL=" + kAuction.toLatin1() + "\r\n"));
        f->simulator.clearLog();
        chooseInTree("Clock");
        QCOMPARE(f->window->tabs()->currentIndex(), 1);
        QVERIFY(auctionShows(kAuction));
        QVERIFY(f->window->brwAuction().locationName().startsWith("eBay item 1234567890"));
        // Through the affiliate redirect, as every address chosen from a favorites window.
        int redirects = 0;
        for (const LoggedRequest& request : f->requestsTo("http://www.qksrv.net/"))
            redirects += request.url.contains("1234567890") ? 1 : 0;
        QCOMPARE(redirects, 1);
        QCOMPARE(f->requestsTo(kAuction).size(), 1);
    }

    void addingTheShownAuctionWritesAShortcutTheTreeShows()
    {
        f->window->OpenInAuctionBrowser(kAuction);
        QVERIFY(auctionShows(kAuction));
        const QString title = f->window->brwAuction().locationName();
        QVERIFY(!title.isEmpty());

        auto proposed = std::make_shared<QString>();
        whenModal([proposed](QWidget* dialog) {
            *proposed = dialog->findChild<QLineEdit*>("txtName")->text();
            QTest::keyClick(dialog->findChild<QLineEdit*>("txtName"), Qt::Key_Return);
        });
        f->window->findChild<QAction*>("mnuFavoritesAdd")->trigger();
        QCOMPARE(*proposed, title);
        const QString shortcut = m_favorites->filePath(title + ".url");
        QCOMPARE(readFile(shortcut), "[InternetShortcut]\r\nURL=" + kAuction.toLatin1() + "\r\n");

        // The tree shows it, and choosing it opens it again.
        f->window->BrowseHome();
        QVERIFY(QTest::qWaitFor([&] { return f->window->brwAuction().locationAddress() != kAuction; }, kTimeout));
        chooseInTree(title);
        QVERIFY(auctionShows(kAuction));
    }
};

QTEST_MAIN(TestBrowserFavoritesEndToEnd)
#include "tst_browser_favorites_e2e.moc"
