// SPDX-License-Identifier: MIT
#include "quillet/favourites/favorites_file.h"
#include "quillet/favourites/list_rules.h"
#include "quillet/favourites/user_ids.h"
#include "quillet/favourites/user_listings.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace quillet;

namespace
{

QStringList idsOf(const CUserIDs& list)
{
    QStringList ids;
    for (const CUserID& entry : list.NewEnum())
        ids.append(entry.UserID());
    return ids;
}

} // namespace

class TestUserLists : public QObject
{
    Q_OBJECT
private slots:
    // A file read into a list, and the list saved again.
    void fileRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("repeat dropped, first kept in place")
            << QByteArray("alice\r\nBob\r\nalice\r\n") << QStringList { "alice", "Bob" }
            << QByteArray("alice\r\nBob\r\n");
        QTest::newRow("repeat in another case dropped, first as written")
            << QByteArray("Bob\r\nbob\r\nBOB\r\n") << QStringList { "Bob" } << QByteArray("Bob\r\n");
        QTest::newRow("a leading space makes another ID")
            << QByteArray(" carol\r\ncarol\r\n") << QStringList { " carol", "carol" }
            << QByteArray(" carol\r\ncarol\r\n");
        QTest::newRow("last line without an ending")
            << QByteArray("alice\r\nbob") << QStringList { "alice", "bob" } << QByteArray("alice\r\nbob\r\n");
        QTest::newRow("blank lines: one empty ID, at the first")
            << QByteArray("alice\r\n\r\nbob\r\n\r\n") << QStringList { "alice", "", "bob" }
            << QByteArray("alice\r\n\r\nbob\r\n");
        QTest::newRow("empty file") << QByteArray() << QStringList {} << QByteArray();
        QTest::newRow("CR alone ends a line")
            << QByteArray("alice\rbob\r") << QStringList { "alice", "bob" } << QByteArray("alice\r\nbob\r\n");
        QTest::newRow("LF alone ends a line")
            << QByteArray("alice\nbob\n") << QStringList { "alice", "bob" } << QByteArray("alice\r\nbob\r\n");
        QTest::newRow("CR CR LF: a blank line between")
            << QByteArray("alice\r\r\nbob") << QStringList { "alice", "", "bob" } << QByteArray("alice\r\n\r\nbob\r\n");
        QTest::newRow("LF CR: two endings")
            << QByteArray("alice\n\rbob") << QStringList { "alice", "", "bob" } << QByteArray("alice\r\n\r\nbob\r\n");
        QTest::newRow("blanks and punctuation kept")
            << QByteArray("  a b  \r\nx&y=z\r\n") << QStringList { "  a b  ", "x&y=z" }
            << QByteArray("  a b  \r\nx&y=z\r\n");
        QTest::newRow("8-bit text") << QByteArray("m\xc3\xbcller\r\nM\xc3\x9cLLER\r\n")
                                    << QStringList { QString::fromUtf8("m\xc3\xbcller") }
                                    << QByteArray("m\xc3\xbcller\r\n");
        QTest::newRow("only a line ending") << QByteArray("\r\n") << QStringList { "" } << QByteArray("\r\n");
    }
    void fileRoundTrip()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        const QString path = favorites_file::FavoritesFilePath(folder.path(), true);
        QVERIFY(writeFile(path, file));
        CUserIDs list;
        QVERIFY(favorites_file::LoadFavoritesFile(path, list).ok);
        QTEST(idsOf(list), "ids");
        QVERIFY(favorites_file::SaveFavoritesFile(path, list).ok);
        QTEST(readFile(path), "saved");
    }

    void addIsKeyedWithoutRegardToCase()
    {
        CUserIDs list;
        const CUserID* bob = list.Add("Bob");
        QVERIFY(bob);
        QCOMPARE(bob->UserID(), QString("Bob"));
        QVERIFY(!list.Add("bob"));
        QVERIFY(!list.Add("BOB"));
        QVERIFY(list.Add("Bob "));
        QVERIFY(list.Add(""));
        QVERIFY(!list.Add(""));
        QCOMPARE(idsOf(list), QStringList({ "Bob", "Bob ", "" }));
    }

    void removeKeepsTheOthersInOrder()
    {
        CUserIDs list;
        for (const QString& id : QStringList { "alice", "Bob", "carol" })
            QVERIFY(list.Add(id));
        list.Remove("BOB");
        QCOMPARE(idsOf(list), QStringList({ "alice", "carol" }));
        QCOMPARE(favorites_file::FileBytes(list), QByteArray("alice\r\ncarol\r\n"));
        // Gone from the key too: it can come back, at the end.
        QVERIFY(list.Add("bob"));
        QCOMPARE(idsOf(list), QStringList({ "alice", "carol", "bob" }));
    }

    // The file keeps the order of adding; the list box shows its own order.
    void addOrderAgainstDisplayOrder()
    {
        CUserIDs list;
        for (const QString& id : QStringList { "alice", "bob", "zed", "Carl" })
            QVERIFY(list.Add(id));
        QCOMPARE(favorites_file::FileBytes(list), QByteArray("alice\r\nbob\r\nzed\r\nCarl\r\n"));
        QStringList rows = idsOf(list);
        std::sort(rows.begin(), rows.end(), list_rules::RowSortsBefore);
        QCOMPARE(rows, QStringList({ "alice", "bob", "Carl", "zed" }));
    }

    void missingFileIsAnEmptyList()
    {
        QTemporaryDir folder;
        CUserIDs list;
        const favorites_file::FileResult loaded
            = favorites_file::LoadFavoritesFile(favorites_file::FavoritesFilePath(folder.path(), false), list);
        QVERIFY(loaded.ok);
        QCOMPARE(list.Count(), 0);
    }

    void emptyListSavesAnEmptyFile()
    {
        QTemporaryDir folder;
        const QString path = favorites_file::FavoritesFilePath(folder.path(), false);
        QVERIFY(favorites_file::SaveFavoritesFile(path, CUserIDs()).ok);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(readFile(path), QByteArray());
    }

    // A file that cannot be read fails with a reason and adds nothing.
    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder"
                                  << "it is a folder, not a file";
        QTest::newRow("over the size bound") << "huge"
                                             << "it is larger than 16 MB, too large for a list of user IDs";
    }
    void unreadableFiles()
    {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString path = favorites_file::FavoritesFilePath(folder.path(), true);
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else {
            QFile huge(path);
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(favorites_file::kMaxFileBytes + 1));
        }
        CUserIDs list;
        list.Add("kept");
        const favorites_file::FileResult loaded = favorites_file::LoadFavoritesFile(path, list);
        QVERIFY(!loaded.ok);
        QTEST(loaded.reason, "reason");
        QCOMPARE(idsOf(list), QStringList { "kept" });
    }

    void saveIntoAMissingFolderFailsWithTheReason()
    {
        QTemporaryDir folder;
        const QString path = favorites_file::FavoritesFilePath(folder.path() + "/gone", true);
        CUserIDs list;
        list.Add("alice");
        const favorites_file::FileResult saved = favorites_file::SaveFavoritesFile(path, list);
        QVERIFY(!saved.ok);
        QVERIFY2(!saved.reason.isEmpty() && !saved.reason.contains("Unknown"), qPrintable(saved.reason));
        QVERIFY(!QFileInfo::exists(path));
    }

    void filePaths()
    {
        QCOMPARE(favorites_file::FavoritesFilePath("/opt/quillet", true), QString("/opt/quillet/Sellers.txt"));
        QCOMPARE(favorites_file::FavoritesFilePath("/opt/quillet", false), QString("/opt/quillet/Bidders.txt"));
    }

    void listingsAddress_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("sellers");
        QTest::addColumn<QString>("address");
        QTest::newRow("seller") << "alice" << true
                                << "http://cgi6.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems"
                                   "&userid=alice&include=0&since=-1&sort=2&rows=25";
        QTest::newRow("bidder") << "alice" << false
                                << "http://cgi4.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewBidItems"
                                   "&userid=alice&completed=0&all=1&rows=25";
        QTest::newRow("seller with a space and an ampersand, unescaped")
            << " old paper&books" << true
            << "http://cgi6.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems"
               "&userid= old paper&books&include=0&since=-1&sort=2&rows=25";
        QTest::newRow("bidder with a space and an ampersand, unescaped")
            << " old paper&books" << false
            << "http://cgi4.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewBidItems"
               "&userid= old paper&books&completed=0&all=1&rows=25";
    }
    void listingsAddress()
    {
        QFETCH(QString, id);
        QFETCH(bool, sellers);
        QTEST(user_listings::GetUserListingsURL(id, sellers), "address");
    }

    void selectionAfterDelete_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<int>("selected");
        QTest::newRow("last of three: the new last") << 2 << 2 << 1;
        QTest::newRow("only row: nothing") << 0 << 0 << -1;
        QTest::newRow("middle of three: the one that moved up") << 1 << 2 << 1;
        QTest::newRow("first of three: the one that moved up") << 0 << 2 << 0;
    }
    void selectionAfterDelete()
    {
        QFETCH(int, deleted);
        QFETCH(int, rowsLeft);
        QTEST(list_rules::RowToSelectAfterDelete(deleted, rowsLeft), "selected");
    }
};

QTEST_GUILESS_MAIN(TestUserLists)
#include "tst_user_lists.moc"
