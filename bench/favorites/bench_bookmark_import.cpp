// SPDX-License-Identifier: MIT
// Import of a 25,000-link export with icons, through the helper with its progress window, against writing the same
// shortcuts' bytes into folders beside them with plain system calls, after it in the same run.
// Run: QT_QPA_PLATFORM=offscreen build/bench/favorites/bench_bookmark_import
// ext4 passes over the inodes freed in the last minutes when it makes a file, so a run started soon after another
// (which deleted 75,000 files) is slower in both parts; the ratio holds. TMPDIR chooses where the files go.
#include "platform/ui/qt_shell_ui_helper.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell_folders.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{

constexpr int kLinks = 25000;
constexpr int kPerFolder = 50;

QByteArray chromiumExport()
{
    const QByteArray icon = "data:image/png;base64," + QByteArray(1500, 'Q').toBase64();
    QByteArray out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                     "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    for (int i = 0; i < kLinks; ++i) {
        if (i % kPerFolder == 0) {
            if (i > 0)
                out += "    </DL><p>\n";
            out += "    <DT><H3 ADD_DATE=\"1700000000\">Folder " + QByteArray::number(i / kPerFolder)
                + "</H3>\n    <DL><p>\n";
        }
        out += "        <DT><A HREF=\"http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=" + QByteArray::number(i)
            + "\" ADD_DATE=\"1700000001\" ICON=\"" + icon + "\">Auction " + QByteArray::number(i) + " &amp; more</A>\n";
    }
    return out + "    </DL><p>\n</DL><p>\n";
}

// The shortcuts the import makes, written with nothing but open, write and close.
bool writePlainShortcuts(const QString& folder)
{
    for (int i = 0; i < kLinks; ++i) {
        const QString sub = folder + u"/Folder " + QString::number(i / kPerFolder);
        if (i % kPerFolder == 0 && !QDir().mkpath(sub))
            return false;
        const QByteArray content = "[InternetShortcut]\r\nURL=http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item="
            + QByteArray::number(i) + "\r\n";
        const QByteArray name = QFile::encodeName(sub + u"/Auction " + QString::number(i) + u" & more.url");
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size() || ::close(fd) != 0)
            return false;
    }
    return ::sync(), true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bookmarks.html"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(chromiumExport()) < 0)
        return 1;
    out.close();
    QDir().mkdir(dir.filePath(QStringLiteral("Favorites")));
    platform::FakeSpecialFolders folders;
    folders.folders.insert(platform::kCsidlFavorites, dir.filePath(QStringLiteral("Favorites")));
    platform::FakeMessageBoxes messages;
    platform::QtShellUIHelper helper(folders, messages, nullptr, QStringLiteral("Lastbell Quillet"));

    int progressSeen = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&progressSeen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            progressSeen += qobject_cast<QProgressDialog*>(w) && w->isVisible() ? 1 : 0;
    });
    watch.start(50);
    QElapsedTimer timer;
    timer.start();
    helper.ImportExportFavorites(true, file);
    const double seconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    if (!writePlainShortcuts(dir.filePath(QStringLiteral("Plain"))))
        return 1;
    const double plain = timer.nsecsElapsed() / 1e9;
    std::printf("import of %d links (%.1f MB): %.2f s (goal: under 5 s); progress window seen %d times\n"
                "the same shortcuts by open, write and close: %.2f s; ratio %.1f\n%s\n",
        kLinks, out.size() / 1e6, seconds, progressSeen, plain, seconds / plain,
        messages.questions.isEmpty() ? "(no message)" : qPrintable(messages.questions.last().text));
    return 0;
}
