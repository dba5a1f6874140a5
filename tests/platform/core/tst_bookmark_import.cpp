// SPDX-License-Identifier: MIT
#include "platform/core/favorites/bookmark_import.h"
#include "platform/core/favorites/internet_shortcut.h"
#include "platform/core/favorites/safe_file_name.h"
#include "platform/ui/qt_shell_ui_helper.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell_folders.h"
#include "tests/support/test_files.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace
{

QString fixture(const char* name)
{
    return QStringLiteral(BOOKMARK_FIXTURES "/") + QLatin1String(name);
}

// Every file and folder under `folder`, relative to it, with each shortcut's address: "dir/", "dir/x.url=addr".
QStringList contents(const QString& folder)
{
    QStringList found;
    QDirIterator it(
        folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.sliced(folder.size() + 1);
        found.append(it.fileInfo().isDir() ? QString(relative + '/')
                                           : QString(relative + '=' + platform::ReadShortcutAddress(path)));
    }
    found.sort();
    return found;
}

platform::ImportCounts importFixture(const char* name, const QString& folder)
{
    const platform::BookmarkFileBytes read = platform::ReadBookmarkFile(fixture(name));
    if (!read.ok)
        return {};
    return platform::ImportBookmarks(platform::ParseBookmarkFile(read.bytes), folder);
}

} // namespace

class TestBookmarkImport : public QObject
{
    Q_OBJECT
private slots:
    void safeNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "eBay home"
                               << "x"
                               << "eBay home";
        QTest::newRow("slash") << "a/b"
                               << "x"
                               << "a_b";
        QTest::newRow("reserved characters") << "x<>:\"\\|?*y"
                                             << "x"
                                             << "x________y";
        QTest::newRow("control characters") << "a\tb\x01"
                                               "c"
                                            << "x"
                                            << "a_b_c";
        QTest::newRow("trailing dots and blanks") << "name. . "
                                                  << "x"
                                                  << "name";
        QTest::newRow("dots alone") << ".."
                                    << "host.example"
                                    << "host.example";
        QTest::newRow("leading dot would hide it") << ".hidden"
                                                   << "x"
                                                   << "_hidden";
        QTest::newRow("empty title takes the fallback") << ""
                                                        << "www.ebay.com"
                                                        << "www.ebay.com";
        QTest::newRow("unsafe fallback made safe") << ""
                                                   << "a/b"
                                                   << "a_b";
        QTest::newRow("nothing at all") << ""
                                        << ""
                                        << "Untitled";
        QTest::newRow("two-byte letters cut at 200 bytes")
            << QString(300, QChar(0xE9)) << "x" << QString(100, QChar(0xE9));
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("four-byte letters never split") << emoji.repeated(60) << "x" << emoji.repeated(50);
        QTest::newRow("cut, then trailing dots go") << QString(199, 'a') + ". b"
                                                    << "x" << QString(199, 'a');
    }

    void safeNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, fallback);
        QFETCH(QString, name);
        const QString made = platform::SafeFileName(title, fallback);
        QCOMPARE(made, name);
        QVERIFY(made.toUtf8().size() <= platform::kMaxSafeNameBytes);
    }

    void realExports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("favorites");
        QTest::addColumn<int>("folders");
        QTest::addColumn<int>("skipped");
        QTest::newRow("Firefox: <HR> glued to <DT>, <DD>, root list closed without <p>")
            << "firefox.html"
            << QStringList { "Auctions & Bids/", "Auctions & Bids/Café Müller.url=https://www.example.com/caf%C3%A9",
                   "Auctions & Bids/eBay _home_.url=http://www.ebay.com/", "Bookmarks Toolbar/",
                   "Bookmarks Toolbar/Lastbell.url=http://www.lastbell.com/",
                   "Getting Started.url=https://www.mozilla.org/en-US/firefox/central/" }
            << 4 << 2 << 1;
        QTest::newRow("Chromium: raw & in HREF, 30 KB ICON, empty folder")
            << "chromium.html"
            << QStringList { "Bookmarks bar/",
                   "Bookmarks bar/Vintage clock.url=http://cgi.ebay.com/ws/"
                   "eBayISAPI.dll?ViewItem&item=1234567890&ssPageName=STRK",
                   "Bookmarks bar/Watching/", "Bookmarks bar/Watching/eBay UK.url=https://www.ebay.co.uk/",
                   "Other bookmarks/" }
            << 2 << 3 << 1;
        QTest::newRow("Internet Explorer: windows-1252, <H3> without <DL>, entities")
            << "ie.htm"
            << QStringList { "Empty Folder/", QString::fromUtf8("Entity été €.url=https://www.example.org/a?x=1&y=2"),
                   "FTP site.url=ftp://ftp.example.com/pub/", "Links/",
                   QString::fromUtf8("Links/Café “quoted”.url=http://www.example.com/") }
            << 3 << 2 << 0;
    }

    void realExports()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const platform::ImportCounts counts = importFixture(file.toLatin1().constData(), dir.path());
        QCOMPARE(contents(dir.path()), expected);
        QFETCH(int, favorites);
        QFETCH(int, folders);
        QFETCH(int, skipped);
        QCOMPARE(counts.favoritesAdded, favorites);
        QCOMPARE(counts.foldersAdded, folders);
        QCOMPARE(counts.skipped(), skipped);
    }

    // A title keeps its characters as the file holds them, entities decoded; each line break or tab is one space,
    // and only the blanks around it go. The favorite's file name follows.
    void titlesKeepTheirCharacters_data()
    {
        QTest::addColumn<QByteArray>("title"); // as the file holds it
        QTest::addColumn<QString>("kept");
        QTest::newRow("two spaces where a character was dropped")
            << QByteArray("A better git log (Example)  Coderwall") << "A better git log (Example)  Coderwall";
        QTest::newRow("a tab") << QByteArray("a\tb") << "a b";
        QTest::newRow("a line break") << QByteArray("a\nb") << "a b";
        QTest::newRow("CR LF is one line break") << QByteArray("a\r\nb") << "a b";
        QTest::newRow("a CR alone") << QByteArray("a\rb") << "a b";
        QTest::newRow("two line breaks, two spaces") << QByteArray("a\n\nb") << "a  b";
        QTest::newRow("a continued line keeps its indent") << QByteArray("eBay\n  home") << "eBay   home";
        QTest::newRow("blanks around trimmed") << QByteArray(" \t a  b \n ") << "a  b";
        QTest::newRow("entities decoded, spaces kept") << QByteArray("a&#32;&#32;&amp;&#9;b") << "a  & b";
    }
    void titlesKeepTheirCharacters()
    {
        QFETCH(QByteArray, title);
        QFETCH(QString, kept);
        const QByteArray file = "<DL><p>\n<DT><A HREF=\"http://www.example.com/\">" + title + "</A>\n</DL><p>\n";
        const platform::BookmarkFile parsed = platform::ParseBookmarkFile(file);
        QCOMPARE(parsed.items.size(), 1);
        QCOMPARE(parsed.items[0].title, kept);
        QTemporaryDir dir;
        QCOMPARE(platform::ImportBookmarks(parsed, dir.path()).favoritesAdded, 1);
        QCOMPARE(contents(dir.path()), QStringList { kept + ".url=http://www.example.com/" });
    }

    // Favorites imported while titles had their inner spaces collapsed are found again by their address.
    void reimportAfterNamesKeptTheirSpacesAddsNothing()
    {
        QTemporaryDir dir;
        const QString earlier = dir.filePath("A better git log (Example) Coderwall.url");
        QVERIFY(platform::WriteInternetShortcut(earlier, "https://coderwall.com/p/euwpig").ok);
        const QByteArray file = "<DL><p>\n<DT><A HREF=\"https://coderwall.com/p/euwpig\">"
                                "A better git log (Example)  Coderwall</A>\n</DL><p>\n";
        const platform::ImportCounts counts = platform::ImportBookmarks(platform::ParseBookmarkFile(file), dir.path());
        QCOMPARE(counts.favoritesAdded, 0);
        QCOMPARE(counts.alreadyThere, 1);
        QCOMPARE(contents(dir.path()),
            QStringList { "A better git log (Example) Coderwall.url=https://coderwall.com/p/euwpig" });
    }

    void hostileFileWritesOnlyInsideTheFolder()
    {
        QTemporaryDir outer;
        const QString favorites = outer.filePath("Favorites");
        QVERIFY(QDir().mkdir(favorites));
        const platform::ImportCounts counts = importFixture("hostile.html", favorites);
        QCOMPARE(QDir(outer.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList { "Favorites" });
        QCOMPARE(counts.skippedByKind.value("javascript:"), 1);
        QCOMPARE(counts.skippedByKind.value("data:"), 1);
        QCOMPARE(counts.skippedByKind.value("file:"), 1);
        QCOMPARE(counts.failed, 0);
        const QStringList found = contents(favorites);
        QVERIFY2(found.contains("Untitled/"), qPrintable(found.join('\n')));
        QVERIFY(found.contains("Untitled/_._.._.._.._outside.url=http://evil.example/1"));
        QVERIFY(found.contains("Untitled/_tmp_x.url=http://evil.example/2"));
        QVERIFY(found.contains("Untitled/" + QString(200, 'A') + ".url=http://evil.example/3"));
        QVERIFY(found.contains("Untitled/evil.example.url=http://evil.example/4"));
        // A line break in a title is a blank; a reference to character 0 is no character.
        QVERIFY(
            found.contains(QString::fromUtf8("Untitled/name with\uFFFDcontrol_ chars__.url=http://evil.example/5")));
        QVERIFY(found.contains("_/in the slash folder.url=http://evil.example/6"));
        QVERIFY(found.contains("_hidden/_dotted.url=http://evil.example/7"));
        QVERIFY(found.contains("single quotes.url=http://evil.example/8"));
        QVERIFY(found.contains("unquoted.url=http://evil.example/9"));
        // Whatever the address held, a shortcut is two lines: no line of its own reaches the file.
        const QRegularExpression shape("^\\[InternetShortcut\\]\r\nURL=[\\x21-\\x7e]+\r\n$");
        QDirIterator it(favorites, { "*.url" }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QVERIFY2(shape.match(QString::fromLatin1(readFile(path))).hasMatch(), qPrintable(path));
        }
    }

    void reimportAddsNothing()
    {
        QTemporaryDir dir;
        importFixture("firefox.html", dir.path());
        const QStringList before = contents(dir.path());
        const platform::ImportCounts again = importFixture("firefox.html", dir.path());
        QCOMPARE(again.favoritesAdded, 0);
        QCOMPARE(again.foldersAdded, 0);
        QCOMPARE(again.alreadyThere, 4);
        QCOMPARE(contents(dir.path()), before);
    }

    void sameNameOtherAddressIsNumbered()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("Bookmarks Toolbar"));
        QVERIFY(platform::WriteInternetShortcut(dir.filePath("Bookmarks Toolbar/Lastbell.url"), "http://other/").ok);
        const platform::ImportCounts first = importFixture("firefox.html", dir.path());
        QCOMPARE(first.foldersAdded, 1); // the toolbar folder was merged into
        QCOMPARE(
            platform::ReadShortcutAddress(dir.filePath("Bookmarks Toolbar/Lastbell.url")), QString("http://other/"));
        QCOMPARE(platform::ReadShortcutAddress(dir.filePath("Bookmarks Toolbar/Lastbell (2).url")),
            QString("http://www.lastbell.com/"));
        const QStringList before = contents(dir.path());
        QCOMPARE(importFixture("firefox.html", dir.path()).favoritesAdded, 0);
        QCOMPARE(contents(dir.path()), before);
    }

    void aLinkNamedLikeAFolderOrALinkIsNeverWrittenThrough()
    {
        QTemporaryDir outer;
        const QString favorites = outer.filePath("Favorites");
        QVERIFY(QDir().mkpath(favorites + "/Getting Started.url"));
        QVERIFY(QDir().mkdir(outer.filePath("elsewhere")));
        QVERIFY(QFile::link(outer.filePath("elsewhere"), favorites + "/Bookmarks Toolbar"));
        importFixture("firefox.html", favorites);
        QVERIFY(QDir(outer.filePath("elsewhere")).isEmpty());
        QVERIFY(QFileInfo::exists(favorites + "/Getting Started (2).url"));
        QVERIFY(QFileInfo::exists(favorites + "/Bookmarks Toolbar (2)/Lastbell.url"));
        // A link that appears between the look and the write, even one pointing nowhere yet, is not written through.
        QVERIFY(QFile::link(outer.filePath("elsewhere/made.url"), favorites + "/late.url"));
        const platform::WriteResult late = platform::WriteNewInternetShortcut(favorites + "/late.url", "http://a/");
        QVERIFY(!late.ok);
        QCOMPARE(late.reason, QString("File exists"));
        QVERIFY(!QFileInfo::exists(outer.filePath("elsewhere/made.url")));
    }

    void deepNestingIsBounded()
    {
        QByteArray bytes;
        for (int i = 0; i < 5000; ++i)
            bytes += "<DT><H3>d</H3><DL><p>";
        bytes += "<DT><A HREF=\"http://deep/\">deep</A>";
        const platform::BookmarkFile parsed = platform::ParseBookmarkFile(bytes);
        QCOMPARE(parsed.items.size(), 5001);
        int depth = 0;
        for (int at = parsed.items.last().parent; at >= 0; at = parsed.items[at].parent)
            ++depth;
        QVERIFY2(depth <= platform::kMaxBookmarkDepth, qPrintable(QString::number(depth)));
    }

    void progressCanCancelBothSteps()
    {
        QByteArray bytes = "<DL><p>";
        for (int i = 0; i < 20000; ++i)
            bytes
                += "<DT><A HREF=\"http://site/" + QByteArray::number(i) + "\">Link " + QByteArray::number(i) + "</A>\n";
        QVERIFY(platform::ParseBookmarkFile(bytes, [](qint64, qint64) { return false; }).cancelled);
        const platform::BookmarkFile parsed = platform::ParseBookmarkFile(bytes);
        QTemporaryDir dir;
        int calls = 0;
        const platform::ImportCounts counts
            = platform::ImportBookmarks(parsed, dir.path(), [&calls](qint64, qint64) { return ++calls < 3; });
        QVERIFY(counts.cancelled);
        QVERIFY(counts.favoritesAdded > 0 && counts.favoritesAdded < 20000);
    }

    // Every count agrees with its noun and verb.
    void summaryCountsAgree_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("line");
        QTest::newRow("one") << 1
                             << "1 favorite and 1 folder added.\r1 favorite was already there and left as it was."
                                "\r1 link was skipped: it is not a web address (place: 1).";
        QTest::newRow("two") << 2
                             << "2 favorites and 2 folders added.\r2 favorites were already there and left as they "
                                "were.\r2 links were skipped: they are not web addresses (place: 2).";
    }
    void summaryCountsAgree()
    {
        QFETCH(int, count);
        QFETCH(QString, line);
        platform::ImportCounts counts;
        counts.favoritesAdded = counts.foldersAdded = counts.alreadyThere = count;
        counts.skippedByKind.insert("place:", count);
        QCOMPARE(platform::ImportSummaryText("b.html", counts), "The bookmarks of b.html were imported: " + line);
    }

    // The helper's own messages: one summary, a clear word for a file it cannot use, nothing changed then.
    void helperMessages()
    {
        QTemporaryDir dir;
        const QString favorites = dir.filePath("Favorites");
        QVERIFY(QDir().mkdir(favorites));
        platform::FakeSpecialFolders folders;
        folders.folders.insert(platform::kCsidlFavorites, favorites);
        platform::FakeMessageBoxes messages;
        platform::QtShellUIHelper helper(folders, messages, nullptr, "Lastbell Quillet");

        helper.ImportExportFavorites(true, fixture("firefox.html"));
        QCOMPARE(messages.questions.size(), 1);
        QCOMPARE(messages.questions[0].title, QString("Lastbell Quillet"));
        QCOMPARE(messages.questions[0].text,
            "The bookmarks of " + fixture("firefox.html")
                + " were imported: 4 favorites and 2 folders added.\r1 link was skipped: it is not a web address "
                  "(place: 1).");
        const QStringList imported = contents(favorites);

        messages.questions.clear();
        helper.ImportExportFavorites(true, dir.filePath("missing.html"));
        QCOMPARE(messages.questions.size(), 1);
        QVERIFY(messages.questions[0].text.startsWith("The bookmark file " + dir.filePath("missing.html")));
        QVERIFY(messages.questions[0].text.contains("No such file"));
        QCOMPARE(messages.questions[0].icon, platform::MessageIcon::Critical);

        messages.questions.clear();
        QVERIFY(writeFile(dir.filePath("empty.html"), "<html><body>No bookmarks here</body></html>"));
        helper.ImportExportFavorites(true, dir.filePath("empty.html"));
        QCOMPARE(messages.questions.size(), 1);
        QCOMPARE(messages.questions[0].text, dir.filePath("empty.html") + " holds no bookmarks. Nothing was imported.");
        QCOMPARE(contents(favorites), imported);
    }
};

QTEST_MAIN(TestBookmarkImport)
#include "tst_bookmark_import.moc"
