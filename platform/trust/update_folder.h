// SPDX-License-Identifier: MIT
#pragma once

#include "platform/trust/update_verification.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace platform
{

class HttpTransfer;
class LocalFiles;

// The maker's update folder as both programs read it: the manifest and its signature, each small and bounded.
enum class Fetched { Arrived, Missing, Failed, Unreachable };

struct FetchedFile {
    Fetched state = Fetched::Failed;
    QByteArray bytes;
};

// The address of one file of the maker's update folder.
QString UpdateFolderUrl(const QString& name);

// Reads the reply of a finished request for a small file: the whole body, or nothing once it runs past
// `maxBytes`. `waitForBody` runs events while more of the body is to come and returns false to stop.
[[nodiscard]] FetchedFile ReadSmallReply(
    HttpTransfer& transfer, qsizetype maxBytes, const std::function<bool()>& waitForBody);

// The verdict on what arrived. A publication from before signing has neither file; no signature is asked for
// when the manifest did not arrive, so `signature` is then ignored.
[[nodiscard]] UpdateVerdict CheckFetched(
    const FetchedFile& manifest, const FetchedFile& signature, const TrustRules& rules);

// The release recorded in the program folder; a damaged record is no record, since only the updater writes it,
// whole or not at all.
[[nodiscard]] std::optional<InstalledRelease> InstalledReleaseIn(LocalFiles& files, const QString& programFolder);

// The rules this build holds a publication to: its trusted keys, its product, the time now, the release installed
// in `programFolder` and the floor of its own source's time; `version` when the version page named one.
[[nodiscard]] TrustRules RulesFor(
    LocalFiles& files, const QString& programFolder, std::optional<QString> version = std::nullopt);

} // namespace platform
