// SPDX-License-Identifier: MIT
// The browser favorites tree filled from 20,000 shortcuts in 1,000 folders, against find listing the same folder.
// Run: QT_QPA_PLATFORM=offscreen build/bench/favorites/bench_favorites_tree
#include "platform/core/favorites/internet_shortcut.h"
#include "quillet/favourites/fiefavorites.h"
#include "tests/support/fakes/fake_shell_folders.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

using namespace quillet;

namespace
{

constexpr int kFolders = 1000;
constexpr int kPerFolder = 20;
constexpr int kRuns = 5;

void fill(const QString& root)
{
    for (int f = 0; f < kFolders; ++f) {
        // Ten top folders of a hundred each, as a long-kept favorites folder looks.
        const QString folder = root + u"/Group " + QString::number(f % 10) + u"/Folder " + QString::number(f);
        QDir().mkpath(folder);
        for (int s = 0; s < kPerFolder; ++s)
            (void)platform::WriteNewInternetShortcut(
                folder + u"/Auction " + QString::number(s) + u".url", u"http://www.ebay.com/" + QString::number(s));
    }
}

double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    fill(dir.path());
    platform::FakeSpecialFolders folders;
    folders.folders.insert(platform::kCsidlFavorites, dir.path());

    QList<double> tree;
    QList<double> find;
    int nodes = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        FIEFavorites window(folders);
        window.FillTree();
        tree.append(timer.nsecsElapsed() / 1e6);
        nodes = 0;
        for (QTreeWidgetItemIterator it(window.findChild<QTreeWidget*>()); *it; ++it)
            ++nodes;

        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        timer.restart();
        process.start(QStringLiteral("find"), { dir.path() });
        process.waitForFinished(-1);
        find.append(timer.nsecsElapsed() / 1e6);
    }
    std::printf("tree of %d nodes: %.1f ms; find: %.1f ms; ratio %.2f (goal: at most 3), medians of %d runs\n", nodes,
        median(tree), median(find), median(tree) / median(find), kRuns);
    return 0;
}
