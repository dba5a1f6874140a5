// SPDX-License-Identifier: MIT
// The first key pressed in a freshly opened list or tree selects what it lands on, so Enter then acts on the row
// the user sees framed. Keys go to the widget that has the focus.
#include "quillet/favourites/user_listings.h"
#include "quillet/service/sites.h"
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_files.h"

#include <QAction>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace quillet;

namespace
{

QString selectedText(QAbstractItemView* view)
{
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.first().data().toString();
}

} // namespace

class TestFirstKey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void favoriteUsersList_data()
    {
        QTest::addColumn<bool>("sellers");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Home") << true << int(Qt::Key_Home) << "alice";
        QTest::newRow("Up") << true << int(Qt::Key_Up) << "alice";
        QTest::newRow("Down") << true << int(Qt::Key_Down) << "alice";
        QTest::newRow("Page Up") << true << int(Qt::Key_PageUp) << "alice";
        QTest::newRow("Page Down") << true << int(Qt::Key_PageDown) << "alice";
        QTest::newRow("Space") << true << int(Qt::Key_Space) << "alice";
        QTest::newRow("End") << true << int(Qt::Key_End) << "zed";
        QTest::newRow("bidders: Home") << false << int(Qt::Key_Home) << "alice";
        QTest::newRow("bidders: End") << false << int(Qt::Key_End) << "zed";
    }
    void favoriteUsersList()
    {
        QFETCH(bool, sellers);
        QFETCH(int, key);
        QFETCH(QString, chosen);
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath(sellers ? "Sellers.txt" : "Bidders.txt"), "zed\r\nalice\r\nBob\r\n"));
        FMainFixture f;
        f.programFolder = folder.path();
        f.show();
        f.auction->navigations.clear();
        // Recorded rather than checked in the window, which must close whatever happens.
        bool focused = false;
        int framedAtStart = -2;
        QString selected;
        whenModal([&](QWidget* window) {
            auto* list = window->findChild<QListWidget*>("lstFavorites");
            focused = QTest::qWaitForWindowActive(window)
                && QTest::qWaitFor([list] { return QApplication::focusWidget() == list; });
            framedAtStart = list->currentRow();
            keyboard::press(Qt::Key(key));
            selected = selectedText(list);
            keyboard::press(Qt::Key_Return);
            if (window->isVisible())
                window->close();
        });
        f.child<QAction>(sellers ? "mnuFavoritesSellers" : "mnuFavoritesBidders")->trigger();
        QVERIFY(focused);
        QCOMPARE(selected, chosen);
        QCOMPARE(framedAtStart, -1); // no row framed that is not chosen
        QCOMPARE(f.auction->navigations.size(), 1);
        QCOMPARE(f.auction->navigations[0].address,
            sites::MakeAffiliateAddress(user_listings::GetUserListingsURL(chosen, sellers)));
    }

    void browserFavoritesTree_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("opened"); // by Enter afterwards; empty: the window stays
        QTest::newRow("Home") << int(Qt::Key_Home) << "Favorites" << QString();
        QTest::newRow("Up") << int(Qt::Key_Up) << "Favorites" << QString();
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << "Favorites" << QString();
        QTest::newRow("Space") << int(Qt::Key_Space) << "Favorites" << QString();
        QTest::newRow("Down") << int(Qt::Key_Down) << "News" << QString();
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << "Home"
                                   << "http://www.ebay.com/";
        QTest::newRow("End") << int(Qt::Key_End) << "Home"
                             << "http://www.ebay.com/";
    }
    void browserFavoritesTree()
    {
        QFETCH(int, key);
        QFETCH(QString, opened);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("News"));
        QVERIFY(writeFile(folder.filePath("News/CNN.url"), "[InternetShortcut]\r\nURL=http://www.cnn.com/\r\n"));
        QVERIFY(writeFile(folder.filePath("Home.url"), "[InternetShortcut]\r\nURL=http://www.ebay.com/\r\n"));
        FMainFixture f;
        f.specialFolders.folders.insert(6, folder.path());
        f.show();
        f.auction->navigations.clear();
        bool focused = false;
        QString selected;
        bool stayed = false;
        whenModal([&](QWidget* window) {
            auto* tree = window->findChild<QTreeWidget*>("TreeView1");
            focused = QTest::qWaitForWindowActive(window)
                && QTest::qWaitFor([tree] { return QApplication::focusWidget() == tree; });
            keyboard::press(Qt::Key(key));
            selected = selectedText(tree);
            keyboard::press(Qt::Key_Return);
            stayed = window->isVisible();
            if (stayed)
                window->close();
        });
        f.child<QAction>("mnuFavoritesView")->trigger();
        QVERIFY(focused);
        QTEST(selected, "selected");
        QCOMPARE(stayed, opened.isEmpty());
        if (!opened.isEmpty())
            QCOMPARE(f.auction->navigations.value(0).address, sites::MakeAffiliateAddress(opened));
    }
};

QTEST_MAIN(TestFirstKey)
#include "tst_first_key.moc"
