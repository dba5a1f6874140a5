// SPDX-License-Identifier: MIT
#include "simulator/published_tree.h"

#include "platform/core/hosts.h"
#include "simulator/simulator_state.h"

#include <QDir>
#include <QFile>

#include <utility>
#include <vector>

namespace simulator
{

namespace
{

// A publication is a program and a few small files; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;

std::optional<std::string> readWhole(const QString& path, std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "cannot read " + path.toStdString() + ": " + file.errorString().toStdString();
    if (file.size() > kMaxFileBytes)
        return path.toStdString() + " is larger than a published file may be";
    bytes = file.readAll().toStdString();
    return std::nullopt;
}

} // namespace

std::optional<std::string> servePublishedTree(const std::string& folder, SimulatorState& state)
{
    const QDir root(QString::fromStdString(folder));
    std::string versionPage;
    // The paths are absolute on the server; relative to the tree here.
    if (auto failure = readWhole(root.filePath(QLatin1String(hosts::kVersionPagePath).mid(1)), versionPage))
        return failure;
    const QDir updates(root.filePath(QLatin1String(hosts::kUpdateFolderPath).mid(1)));
    std::vector<std::pair<std::string, std::string>> files;
    for (const QString& name : updates.entryList(QDir::Files)) {
        std::string bytes;
        if (auto failure = readWhole(updates.filePath(name), bytes))
            return failure;
        files.emplace_back(name.toStdString(), std::move(bytes));
    }
    if (files.empty())
        return updates.path().toStdString() + " holds no update file";
    state.setVersionPage(std::move(versionPage));
    for (auto& [name, bytes] : files)
        state.setUpdateFile(name, std::move(bytes));
    return std::nullopt;
}

} // namespace simulator
