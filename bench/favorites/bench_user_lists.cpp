// SPDX-License-Identifier: MIT
// Load and save of a favorites file of 100,000 user IDs, as one opening of the list window does them.
#include "quillet/favourites/favorites_file.h"
#include "quillet/favourites/user_ids.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quillet;

namespace
{

constexpr int kIds = 100000;
constexpr int kRuns = 7;
constexpr double kGoalSeconds = 0.5;

// IDs of marketplace shape and length, with every tenth one repeated in another case (dropped on load).
QByteArray favoritesFile()
{
    QByteArray bytes;
    for (int i = 0; i < kIds; ++i) {
        const QByteArray id = "Seller_" + QByteArray::number(i * 7919 % 1000003) + "_finds." + QByteArray::number(i);
        bytes += id + "\r\n";
        if (i % 10 == 0)
            bytes += id.toUpper() + "\r\n";
    }
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = favorites_file::FavoritesFilePath(folder.path(), true);
    const QByteArray original = favoritesFile();
    std::printf("favorites file: %d IDs, %lld bytes, %d runs\n", kIds, static_cast<long long>(original.size()), kRuns);

    std::vector<double> loads, saves, totals;
    for (int run = 0; run < kRuns; ++run) {
        // Every run starts from the file with its repeats, which the save then drops.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(original) != original.size())
            return 1;
        file.close();
        QElapsedTimer timer;
        timer.start();
        CUserIDs list;
        if (!favorites_file::LoadFavoritesFile(path, list).ok || list.Count() != kIds)
            return 1;
        const double load = timer.nsecsElapsed() / 1e9;
        if (!favorites_file::SaveFavoritesFile(path, list).ok)
            return 1;
        const double total = timer.nsecsElapsed() / 1e9;
        loads.push_back(load);
        saves.push_back(total - load);
        totals.push_back(total);
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("load   median %.3f s\nsave   median %.3f s\ntotal  median %.3f s (goal under %.1f s: %s)\n",
        median(loads), median(saves), median(totals), kGoalSeconds, median(totals) < kGoalSeconds ? "met" : "missed");
    return 0;
}
