// SPDX-License-Identifier: MIT
#include "freshbolt/folder_check.h"

#include <QCoreApplication>
#include <QDir>

namespace freshbolt
{

std::optional<platform::FileFailure> CheckFolderWritable(platform::LocalFiles& files, const QString& folder)
{
    // A name of this process's own, so that two updaters never meet on it.
    const QString probe
        = QDir(folder).filePath(u".Freshbolt-check-" + QString::number(QCoreApplication::applicationPid()));
    const QString renamed = probe + u".renamed";
    const std::unique_ptr<platform::WritableFile> file = files.open(probe, 0);
    if (!file)
        return files.lastFailure();
    std::optional<platform::FileFailure> failure;
    if (!file->close())
        failure = file->failure();
    else if (!files.replace(probe, renamed, {}))
        failure = files.lastFailure();
    for (const QString& left : { probe, renamed }) {
        if (files.exists(left) && !files.remove(left) && !failure)
            failure = files.lastFailure();
    }
    return failure;
}

} // namespace freshbolt
