// SPDX-License-Identifier: MIT
#include "quillet/favourites/fiefavorites.h"
#include "quillet/service/sites.h"
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_files.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace quillet;

namespace
{

QTreeWidgetItem* node(QTreeWidget* tree, const QString& text)
{
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void clickNode(QWidget* window, const QString& text)
{
    auto* tree = window->findChild<QTreeWidget*>("TreeView1");
    QTreeWidgetItem* item = node(tree, text);
    QVERIFY2(item, qPrintable(text));
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void enterOnNode(QWidget* window, const QString& text)
{
    auto* tree = window->findChild<QTreeWidget*>("TreeView1");
    QTreeWidgetItem* item = node(tree, text);
    QVERIFY2(item, qPrintable(text));
    tree->setCurrentItem(item);
    QVERIFY(QTest::qWaitFor([tree] { return QApplication::focusWidget() == tree; }));
    keyboard::press(Qt::Key_Return);
}

} // namespace

class TestBrowserFavoritesWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir* m_dir = nullptr;
    FMainFixture* f = nullptr;
    QString m_long;

    QStringList auctionAddresses() const
    {
        QStringList list;
        for (const auto& n : f->auction->navigations)
            list.append(n.address);
        return list;
    }

    // Opens the tree from the menu, lets `act` work on it, and answers whether it is still open afterwards.
    bool openTree(const std::function<void(QWidget*)>& act)
    {
        auto stillOpen = std::make_shared<bool>(false);
        whenModal([act, stillOpen](QWidget* window) {
            act(window);
            *stillOpen = window->isVisible();
            if (window->isVisible())
                window->close();
        });
        f->child<QAction>("mnuFavoritesView")->trigger();
        return *stillOpen;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(QDir(m_dir->path()).mkdir("News"));
        QVERIFY(writeFile(m_dir->filePath("News/CNN.url"), "[InternetShortcut]\r\nURL=http://www.cnn.com/\r\n"));
        QVERIFY(writeFile(m_dir->filePath("Home.url"), "[InternetShortcut]\r\nURL=http://www.ebay.com/\r\n"));
        QVERIFY(writeFile(m_dir->filePath("No address.url"), "[InternetShortcut]\r\nIconIndex=0\r\n"));
        m_long = "http://www.ebay.com/" + QString(280, 'x');
        QVERIFY(writeFile(m_dir->filePath("Long.url"), "[InternetShortcut]\r\nURL=" + m_long.toLatin1() + "\r\n"));
        f = new FMainFixture;
        f->specialFolders.folders.insert(6, m_dir->path());
        f->show();
        f->auction->navigations.clear();
    }

    void cleanup()
    {
        delete f;
        delete m_dir;
    }

    void theWindow()
    {
        openTree([](QWidget* window) {
            QCOMPARE(window->objectName(), QString("FIEFavorites"));
            QCOMPARE(window->windowTitle(), QString("Browser Favorites"));
            QCOMPARE(window->size(), QSize(352, 371));
            QVERIFY(window->windowFlags().testFlag(Qt::Tool));
            auto* tree = window->findChild<QTreeWidget*>("TreeView1");
            QCOMPARE(tree->geometry(), QRect(4, 3, 344, 365));
            QTreeWidgetItem* root = tree->topLevelItem(0);
            QCOMPARE(tree->topLevelItemCount(), 1);
            QCOMPARE(root->text(0), QString("Favorites"));
            QVERIFY(root->isExpanded());
            QCOMPARE(root->childCount(), 4);
            QCOMPARE(root->child(0)->text(0), QString("News"));
            QVERIFY(!root->child(0)->isExpanded());
            QCOMPARE(root->child(1)->text(0), QString("Home"));
        });
    }

    void clickOnAShortcutOpensItsAddress()
    {
        QVERIFY(!openTree([](QWidget* window) { clickNode(window, "CNN"); }));
        QCOMPARE(auctionAddresses(), QStringList { sites::MakeAffiliateAddress("http://www.cnn.com/") });
        QCOMPARE(f->window->tabs()->currentIndex(), 1);
    }

    void enterOnAShortcutOpensItsAddress()
    {
        QVERIFY(!openTree([](QWidget* window) { enterOnNode(window, "Home"); }));
        QCOMPARE(auctionAddresses(), QStringList { sites::MakeAffiliateAddress("http://www.ebay.com/") });
    }

    void foldersAndTheRootLeaveTheWindowOpen()
    {
        QVERIFY(openTree([](QWidget* window) {
            clickNode(window, "News");
            clickNode(window, "Favorites");
            enterOnNode(window, "News");
            enterOnNode(window, "Favorites");
        }));
        QCOMPARE(auctionAddresses(), QStringList());
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
    }

    void aShortcutWithoutAnAddressClosesAndOpensNothing()
    {
        QVERIFY(!openTree([](QWidget* window) { clickNode(window, "No address"); }));
        QCOMPARE(auctionAddresses(), QStringList());
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
    }

    void closeBoxOpensNothing()
    {
        QVERIFY(!openTree([](QWidget* window) { window->close(); }));
        QCOMPARE(auctionAddresses(), QStringList());
    }

    void aLongAddressIsCutTo254()
    {
        openTree([](QWidget* window) { clickNode(window, "Long"); });
        QCOMPARE(auctionAddresses(), QStringList { sites::MakeAffiliateAddress(m_long.left(254)) });
    }

    void everyEntryPointOpensTheTree()
    {
        QList<QAction*> entries { f->child<QAction>("mnuFavoritesView"), f->child<QAction>("Favorites") };
        for (QAction* item : f->child<QAction>("Favorites")->menu()->actions()) {
            if (item->data().toString() == "Favorites")
                entries.append(item);
        }
        QCOMPARE(entries.size(), 3);
        for (QAction* entry : entries) {
            auto seen = std::make_shared<QString>();
            whenModal([seen](QWidget* window) {
                *seen = window->objectName();
                window->close();
            });
            entry->trigger();
            QCOMPARE(*seen, QString("FIEFavorites"));
        }
    }

    void addBeforeAnyPageShowsTheMessage()
    {
        f->window->tabs()->setCurrentIndex(1);
        QAction* add = f->child<QAction>("mnuFavoritesAdd");
        QVERIFY(add->isEnabled());
        add->trigger();
        QCOMPARE(f->messages.questions.size(), 1);
        QCOMPARE(f->messages.questions[0].title, QString("Lastbell Quillet"));
        QCOMPARE(f->messages.questions[0].text,
            QString("You must navigate to a webpage and be viewing it\r\nto add it to your favorites list."));
        QCOMPARE(f->messages.questions[0].icon, platform::MessageIcon::None);
        QCOMPARE(f->messages.questions[0].buttons, platform::MessageButtons::Ok);
        QCOMPARE(f->shellUIHelpersMade, 0);
    }

    void addHandsThePageToOneHelper()
    {
        f->window->tabs()->setCurrentIndex(1);
        f->auction->title = "Vintage clock";
        f->auction->address = "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890";
        f->child<QAction>("mnuFavoritesAdd")->trigger();
        f->child<QAction>("mnuFavoritesAdd")->trigger();
        QCOMPARE(f->shellUIHelpersMade, 1);
        QCOMPARE(f->shellUIHelper->calls.size(), 2);
        QCOMPARE(f->shellUIHelper->calls[0].operation, QString("AddFavorite"));
        QCOMPARE(f->shellUIHelper->calls[0].first, f->auction->address);
        QCOMPARE(f->shellUIHelper->calls[0].second, QString("Vintage clock"));
        QVERIFY(f->messages.questions.isEmpty());
    }

    void importCancelledDoesNothing()
    {
        f->child<QAction>("mnuFavoritesImport")->trigger();
        QCOMPARE(f->fileDialogs.requests.size(), 1);
        const platform::OpenFileRequest& asked = f->fileDialogs.requests[0];
        QCOMPARE(asked.title, QString("Import Netscape Bookmarks to Favorites"));
        QCOMPARE(asked.filterText, QString("Bookmark files (*.htm)"));
        QCOMPARE(asked.patterns, QStringList({ "*.htm", "*.html" }));
        QVERIFY(QDir(asked.startFolder).exists());
        QCOMPARE(f->shellUIHelpersMade, 0);
        QVERIFY(f->messages.questions.isEmpty());
    }

    void importHandsTheFileToTheHelper()
    {
        f->fileDialogs.answer = "/home/user/Downloads/bookmarks.html";
        f->child<QAction>("mnuFavoritesImport")->trigger();
        QCOMPARE(f->shellUIHelper->calls.size(), 1);
        QCOMPARE(f->shellUIHelper->calls[0].operation, QString("ImportExportFavorites"));
        QCOMPARE(f->shellUIHelper->calls[0].first, QString("import"));
        QCOMPARE(f->shellUIHelper->calls[0].second, f->fileDialogs.answer);
    }
};

QTEST_MAIN(TestBrowserFavoritesWindow)
#include "tst_browser_favorites_window.moc"
