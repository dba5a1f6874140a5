// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/downloader.h"
#include "freshbolt/event_pump.h"
#include "freshbolt/update_files.h"
#include "platform/core/http_transfer.h"
#include "platform/core/local_files.h"
#include "platform/trust/update_verification.h"

#include <QList>
#include <functional>

namespace freshbolt
{

// An update that passed every check: each file with what it must be, and the release to record once all are in.
struct VerifiedUpdate {
    QList<std::pair<UpdateFile, PublishedFile>> files;
    platform::InstalledRelease release;
};

struct PublicationCheck {
    std::optional<VerifiedUpdate> update;
    QString refusal; // why not, in plain words
};

// Fetches the manifest and its signature from the maker's update folder and checks them against the keys this
// program trusts and the release recorded in the program folder. Events run while it waits; `stop` ends the wait.
[[nodiscard]] PublicationCheck CheckPublication(platform::HttpTransfer& transfer, EventPump& events,
    platform::LocalFiles& files, const QString& programFolder, const std::function<bool()>& stop);

// Records the release in the program folder, replacing the record at once or not at all.
[[nodiscard]] bool RecordRelease(
    platform::LocalFiles& files, const QString& programFolder, const platform::InstalledRelease& release);

} // namespace freshbolt
