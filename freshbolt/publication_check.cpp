// SPDX-License-Identifier: MIT
#include "freshbolt/publication_check.h"

#include "freshbolt/reply_headers.h"
#include "platform/core/hosts.h"
#include "platform/core/product.h"
#include "platform/trust/trusted_keys.h"

#include <QDir>

namespace freshbolt
{

namespace
{

constexpr int kChunkBytes = 16384;
constexpr qint64 kMaxRecordBytes = 256;

enum class Fetched { Arrived, Missing, Failed, Unreachable };

// A small file of the update folder, whole, or nothing: a body longer than `maxBytes` is not read on.
Fetched fetch(platform::HttpTransfer& transfer, EventPump& events, const QString& name, qsizetype maxBytes,
    const std::function<bool()>& stop, QByteArray& bytes)
{
    const QString url
        = u"http://" + QLatin1String(hosts::kMakerServer) + QLatin1String(hosts::kUpdateFolderPath) + name;
    if (transfer.start(url, QString(), QString(), QString()))
        return Fetched::Failed;
    while (transfer.stillExecuting() && !stop())
        events.waitForEvents();
    if (!transfer.reachedServer())
        return Fetched::Unreachable;
    const QString status = StatusField(transfer.headerBlock());
    Fetched result = status == u"404" ? Fetched::Missing : Fetched::Failed;
    if (status == u"200" && LeadingNumber(transfer.header(QStringLiteral("Content-Length"))) <= maxBytes) {
        while (!stop()) {
            while (transfer.awaitingBody() && !stop())
                events.waitForEvents();
            const QByteArray chunk = transfer.readChunk(kChunkBytes);
            if (chunk.isEmpty()) {
                result = stop() ? Fetched::Failed : Fetched::Arrived;
                break;
            }
            if (bytes.size() + chunk.size() > maxBytes)
                break;
            bytes += chunk;
        }
    }
    transfer.cancel();
    return result;
}

std::optional<platform::InstalledRelease> installedRelease(platform::LocalFiles& files, const QString& programFolder)
{
    const QString path = QDir(programFolder).filePath(QLatin1String(platform::kInstalledReleaseName));
    if (!files.exists(path))
        return std::nullopt;
    // A damaged record is no record: only this updater writes it, whole or not at all.
    const std::optional<QByteArray> bytes = files.read(path, 0, kMaxRecordBytes + 1);
    return bytes ? platform::ReadInstalledRelease(*bytes) : std::nullopt;
}

PublicationCheck refused(platform::UpdateRefusal refusal)
{
    return { std::nullopt, platform::RefusalText({ std::nullopt, refusal, {} }) };
}

} // namespace

PublicationCheck CheckPublication(platform::HttpTransfer& transfer, EventPump& events, platform::LocalFiles& files,
    const QString& programFolder, const std::function<bool()>& stop)
{
    platform::Publication publication;
    QByteArray signature;
    // A publication from before signing has neither file; one too long to be either is damaged.
    const Fetched manifest = fetch(transfer, events, QLatin1String(platform::kManifestName),
        platform::kMaxManifestBytes, stop, publication.manifest);
    const Fetched signatureFetched = manifest == Fetched::Arrived
        ? fetch(transfer, events, QLatin1String(platform::kSignatureName), platform::kMaxSignatureFileBytes, stop,
            signature)
        : manifest;
    if (manifest == Fetched::Unreachable || signatureFetched == Fetched::Unreachable)
        return refused(platform::UpdateRefusal::NotFetched);
    if (manifest == Fetched::Missing)
        return refused(platform::UpdateRefusal::NoSignature);
    if (manifest == Fetched::Failed || signatureFetched == Fetched::Failed)
        return refused(platform::UpdateRefusal::Damaged);
    if (signatureFetched == Fetched::Arrived)
        publication.signature = signature;

    const platform::TrustRules rules { platform::TrustedKeys(), QLatin1String(product::kTitle), std::nullopt,
        QDateTime::currentDateTimeUtc(), installedRelease(files, programFolder) };
    const platform::UpdateVerdict verdict = platform::CheckPublication(publication, rules);
    if (!verdict.manifest)
        return { std::nullopt, platform::RefusalText(verdict) };

    VerifiedUpdate update { {}, platform::ReleaseOf(publication.manifest, *verdict.manifest) };
    for (const UpdateFile& file : UpdateFiles()) {
        const auto published = std::find_if(verdict.manifest->files.begin(), verdict.manifest->files.end(),
            [&file](const platform::ManifestFile& entry) {
                return file.url == u"http://" + QLatin1String(hosts::kMakerServer) + entry.path
                    && entry.destination == file.destination;
            });
        // A manifest that leaves out a file of the update does not describe it.
        if (published == verdict.manifest->files.end())
            return refused(platform::UpdateRefusal::Damaged);
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
