// SPDX-License-Identifier: MIT
#include "freshbolt/publication_check.h"

#include "platform/core/hosts.h"
#include "platform/trust/update_folder.h"

#include <QDir>

namespace freshbolt
{

namespace
{

// A small file of the update folder, whole, or nothing: a body longer than `maxBytes` is not read on.
platform::FetchedFile fetch(platform::HttpTransfer& transfer, EventPump& events, const QString& name,
    qsizetype maxBytes, const std::function<bool()>& stop)
{
    if (transfer.start(platform::UpdateFolderUrl(name), QString(), QString(), QString()))
        return {};
    while (transfer.stillExecuting() && !stop())
        events.waitForEvents();
    const platform::FetchedFile file = platform::ReadSmallReply(transfer, maxBytes, [&] {
        while (transfer.awaitingBody() && !stop())
            events.waitForEvents();
        return !stop();
    });
    transfer.cancel();
    return file;
}

} // namespace

PublicationCheck CheckPublication(platform::HttpTransfer& transfer, EventPump& events, platform::LocalFiles& files,
    const QString& programFolder, const std::function<bool()>& stop)
{
    const platform::FetchedFile manifest
        = fetch(transfer, events, QLatin1String(platform::kManifestName), platform::kMaxManifestBytes, stop);
    const platform::FetchedFile signature = manifest.state == platform::Fetched::Arrived
        ? fetch(transfer, events, QLatin1String(platform::kSignatureName), platform::kMaxSignatureFileBytes, stop)
        : platform::FetchedFile {};
    const platform::UpdateVerdict verdict
        = platform::CheckFetched(manifest, signature, platform::RulesFor(files, programFolder));
    if (!verdict.manifest)
        return { std::nullopt, platform::RefusalText(verdict) };

    VerifiedUpdate update { {}, platform::ReleaseOf(manifest.bytes, *verdict.manifest) };
    for (const UpdateFile& file : UpdateFiles()) {
        const auto published = std::find_if(verdict.manifest->files.begin(), verdict.manifest->files.end(),
            [&file](const platform::ManifestFile& entry) {
                return file.url == u"http://" + QLatin1String(hosts::kMakerServer) + entry.path
                    && entry.destination == file.destination;
            });
        // A manifest that leaves out a file of the update does not describe it.
        if (published == verdict.manifest->files.end())
            return { std::nullopt, platform::RefusalText(platform::Refused(platform::UpdateRefusal::Damaged)) };
        update.files.append({ file, PublishedFile { published->size, published->sha256 } });
    }
    return { std::move(update), {} };
}

bool RecordRelease(platform::LocalFiles& files, const QString& programFolder, const platform::InstalledRelease& release)
{
    const QString path = QDir(programFolder).filePath(QLatin1String(platform::kInstalledReleaseName));
    const QString partial = PartialFilePath(path);
    const std::unique_ptr<platform::WritableFile> file = files.open(partial, 0);
    if (!file)
        return false;
    const bool written = file->write(platform::InstalledReleaseText(release));
    if (!file->close() || !written) {
        static_cast<void>(files.remove(partial));
        return false;
    }
    return files.replace(partial, path, Downloader::kDataFile);
}

} // namespace freshbolt
