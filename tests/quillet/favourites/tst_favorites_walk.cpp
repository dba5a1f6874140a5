// SPDX-License-Identifier: MIT
#include "quillet/favourites/favorites_walk.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace quillet;

using namespace favorites_walk;

namespace
{

// Each node as "parent text > text (image)", in the order the walk adds them; the root's parent shows as "-".
QStringList walk(const QString& folder)
{
    QHash<QString, QString> texts;
    QStringList nodes;
    Sink sink;
    sink.addNode = [&](const Node& node) {
        texts.insert(node.key, node.text);
        nodes.append(texts.value(node.parentKey, "-") + " > " + node.text + " (" + QString::number(node.image)
            + QString::number(node.selectedImage) + ")");
    };
    AddAllNodes(folder, sink);
    return nodes;
}

bool touch(const QString& path)
{
    return writeFile(path, "[InternetShortcut]\r\nURL=http://x/\r\n");
}

} // namespace

class TestFavoritesWalk : public QObject
{
    Q_OBJECT
    QTemporaryDir* m_dir = nullptr;
    QString path(const QString& relative) const { return m_dir->filePath(relative); }

private slots:
    void init() { m_dir = new QTemporaryDir; }
    void cleanup()
    {
        QFile::setPermissions(path("Locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        delete m_dir;
    }

    void emptyFolderShowsTheRootAlone() { QCOMPARE(walk(m_dir->path()), QStringList { "- > Favorites (33)" }); }

    void noFolderShowsTheRootAloneAndWalksNothing() { QCOMPARE(walk(QString()), QStringList { "- > Favorites (33)" }); }

    void foldersFirstUnderTheRoot()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("News"));
        QVERIFY(touch(path("News/CNN.url")));
        QVERIFY(touch(path("Home.url")));
        QCOMPARE(walk(m_dir->path()),
            QStringList({ "- > Favorites (33)", "Favorites > News (12)", "News > CNN (44)", "Favorites > Home (44)" }));
    }

    void shortcutsFirstInADeeperFolder()
    {
        QVERIFY(QDir().mkpath(path("Auctions/Zeta")));
        QVERIFY(touch(path("Auctions/Zeta/Deep.url")));
        QVERIFY(touch(path("Auctions/alpha.url")));
        QVERIFY(touch(path("Auctions/Zebra.url")));
        QCOMPARE(walk(m_dir->path()),
            QStringList({ "- > Favorites (33)", "Favorites > Auctions (12)", "Auctions > alpha (44)",
                "Auctions > Zebra (44)", "Auctions > Zeta (12)", "Zeta > Deep (44)" }));
    }

    void orderWithoutRegardToCase()
    {
        for (const char* name : { "beta.url", "Alpha.url", "_under.url", "gamma.url", "ZED.url" })
            QVERIFY(touch(path(QLatin1String(name))));
        // As the upper-case forms order: "_" comes after the letters' upper case.
        QCOMPARE(walk(m_dir->path()),
            QStringList({ "- > Favorites (33)", "Favorites > Alpha (44)", "Favorites > beta (44)",
                "Favorites > gamma (44)", "Favorites > ZED (44)", "Favorites > _under (44)" }));
    }

    void hiddenReadOnlyAndLinkedFoldersLeftOut()
    {
        QVERIFY(QDir().mkpath(path(".hidden")));
        QVERIFY(touch(path(".hidden/In hidden.url")));
        QVERIFY(QDir().mkpath(path("Locked")));
        QVERIFY(touch(path("Locked/In locked.url")));
        QVERIFY(QFile::setPermissions(path("Locked"), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(path("Real")));
        QVERIFY(touch(path("Real/In real.url")));
        QVERIFY(QFile::link(path("Real"), path("Linked")));
        QVERIFY(QFile::link(m_dir->path(), path("Real/Loop")));
        const QStringList nodes = walk(m_dir->path());
        if (::geteuid() == 0)
            QEXPECT_FAIL("", "root can write any folder, so none is read-only", Continue);
        QCOMPARE(nodes, QStringList({ "- > Favorites (33)", "Favorites > Real (12)", "Real > In real (44)" }));
    }

    void whichFilesAreShortcuts()
    {
        QVERIFY(touch(path(".Hidden shortcut.url")));
        QVERIFY(touch(path("notes.txt")));
        QVERIFY(touch(path("Page.URL")));
        QVERIFY(touch(path("myurl")));
        QVERIFY(touch(path("url")));
        QCOMPARE(walk(m_dir->path()),
            QStringList({ "- > Favorites (33)", "Favorites > .Hidden shortcut (44)", "Favorites > m (44)",
                "Favorites > Page (44)" }));
    }

    void keysTellTheKind()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("News"));
        QVERIFY(touch(path("News/CNN.url")));
        QStringList keys;
        Sink sink;
        sink.addNode = [&](const Node& node) { keys.append(node.key); };
        AddAllNodes(m_dir->path(), sink);
        QCOMPARE(keys, QStringList({ "IE", path("News/"), path("News/CNN.url") }));
        QCOMPARE(KindOf(keys[0]), NodeKind::Root);
        QCOMPARE(KindOf(keys[1]), NodeKind::Folder);
        QCOMPARE(KindOf(keys[2]), NodeKind::Shortcut);
    }

    void eventsAreProcessedAfterEachFolder()
    {
        QVERIFY(QDir().mkpath(path("A/B")));
        QVERIFY(QDir().mkpath(path("C")));
        int processed = 0;
        Sink sink;
        sink.addNode = [](const Node&) {};
        sink.processEvents = [&processed] { ++processed; };
        AddAllNodes(m_dir->path(), sink);
        QCOMPARE(processed, 4); // A/B, A, C and the favorites folder itself
    }
};

QTEST_GUILESS_MAIN(TestFavoritesWalk)
#include "tst_favorites_walk.moc"
