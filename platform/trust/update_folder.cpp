// SPDX-License-Identifier: MIT
#include "platform/trust/update_folder.h"

#include "platform/core/hosts.h"
#include "platform/core/http_transfer.h"
#include "platform/core/local_files.h"
#include "platform/core/product.h"
#include "platform/core/reply_headers.h"
#include "platform/trust/release_floor.h"
#include "platform/trust/trusted_keys.h"

#include <QDir>

namespace platform
{

namespace
{

constexpr int kChunkBytes = 16384;

} // namespace

QString UpdateFolderUrl(const QString& name)
{
    return u"http://" + QLatin1String(hosts::kMakerServer) + QLatin1String(hosts::kUpdateFolderPath) + name;
}

FetchedFile ReadSmallReply(HttpTransfer& transfer, qsizetype maxBytes, const std::function<bool()>& waitForBody)
{
    if (!transfer.reachedServer())
        return { Fetched::Unreachable, {} };
    const QString status = StatusField(transfer.headerBlock());
    if (status != u"200")
        return { status == u"404" ? Fetched::Missing : Fetched::Failed, {} };
    // An announced length past the bound is refused before a byte of the body is read.
    if (LeadingNumber(transfer.header(QStringLiteral("Content-Length"))) > maxBytes)
        return { Fetched::Failed, {} };
    FetchedFile file { Fetched::Failed, {} };
    while (waitForBody()) {
        const QByteArray chunk = transfer.readChunk(kChunkBytes);
        if (chunk.isEmpty()) {
            file.state = Fetched::Arrived;
            break;
        }
        if (file.bytes.size() + chunk.size() > maxBytes)
            break;
        file.bytes += chunk;
    }
    if (file.state != Fetched::Arrived)
        file.bytes.clear();
    return file;
}

UpdateVerdict CheckFetched(const FetchedFile& manifest, const FetchedFile& signature, const TrustRules& rules)
{
    const Fetched signatureState = manifest.state == Fetched::Arrived ? signature.state : manifest.state;
    if (manifest.state == Fetched::Unreachable || signatureState == Fetched::Unreachable)
        return Refused(UpdateRefusal::NotFetched);
    if (manifest.state == Fetched::Missing)
        return Refused(UpdateRefusal::NoSignature);
    if (manifest.state == Fetched::Failed || signatureState == Fetched::Failed)
        return Refused(UpdateRefusal::Damaged);
    Publication publication { manifest.bytes, std::nullopt };
    if (signatureState == Fetched::Arrived)
        publication.signature = signature.bytes;
    return CheckPublication(publication, rules);
}

std::optional<InstalledRelease> InstalledReleaseIn(LocalFiles& files, const QString& programFolder)
{
    const QString path = QDir(programFolder).filePath(QLatin1String(kInstalledReleaseName));
    if (!files.exists(path))
        return std::nullopt;
    const std::optional<QByteArray> bytes = files.read(path, 0, kMaxInstalledReleaseBytes + 1);
    return bytes ? ReadInstalledRelease(*bytes) : std::nullopt;
}

TrustRules RulesFor(LocalFiles& files, const QString& programFolder, std::optional<QString> version)
{
    return { TrustedKeys(), QLatin1String(product::kTitle), std::move(version), QDateTime::currentDateTimeUtc(),
        InstalledReleaseIn(files, programFolder), ReleaseFloor() };
}

} // namespace platform
