// SPDX-License-Identifier: MIT
#include "platform/trust/update_verification.h"

#include <QCryptographicHash>

namespace platform
{

UpdateVerdict Refused(UpdateRefusal refusal)
{
    return { std::nullopt, refusal, {} };
}

std::optional<InstalledRelease> ReadInstalledRelease(QByteArrayView bytes)
{
    const QByteArrayView sequencePrefix = "sequence ";
    const QByteArrayView hashPrefix = "manifest ";
    if (bytes.size() > kMaxInstalledReleaseBytes || !bytes.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = bytes.chopped(1).toByteArray().split('\n');
    if (lines.size() != 2 || !lines.at(0).startsWith(sequencePrefix) || !lines.at(1).startsWith(hashPrefix))
        return std::nullopt;
    const QByteArray digits = lines.at(0).sliced(sequencePrefix.size());
    const QByteArray hex = lines.at(1).sliced(hashPrefix.size());
    bool ok = false;
    const quint64 sequence = digits.toULongLong(&ok);
    const QByteArray hash = QByteArray::fromHex(hex);
    if (!ok || QByteArray::number(sequence) != digits || hash.size() != 32 || hash.toHex() != hex)
        return std::nullopt;
    return InstalledRelease { sequence, hash };
}

QByteArray InstalledReleaseText(const InstalledRelease& release)
{
    return "sequence " + QByteArray::number(release.sequence) + "\nmanifest " + release.manifestSha256.toHex() + '\n';
}

InstalledRelease ReleaseOf(const QByteArray& manifestBytes, const UpdateManifest& manifest)
{
    return { manifest.sequence, QCryptographicHash::hash(manifestBytes, QCryptographicHash::Sha256) };
}

UpdateVerdict CheckPublication(const Publication& publication, const TrustRules& rules)
{
    if (!publication.signature || publication.signature->isEmpty())
        return Refused(UpdateRefusal::NoSignature);
    const std::optional<Signature> signature = ReadSignature(*publication.signature);
    if (!signature || publication.manifest.size() > kMaxManifestBytes)
        return Refused(UpdateRefusal::Damaged);
    switch (Verify(publication.manifest, *signature, rules.keys)) {
    case SignatureCheck::UnknownKey:
        return Refused(UpdateRefusal::UntrustedKey);
    case SignatureCheck::Invalid:
        return Refused(UpdateRefusal::Damaged);
    case SignatureCheck::Valid:
        break;
    }
    std::optional<UpdateManifest> manifest = ReadManifest(publication.manifest);
    if (!manifest)
        return Refused(UpdateRefusal::Damaged);
    if (manifest->product != rules.product)
        return Refused(UpdateRefusal::OtherProduct);
    if (rules.version && manifest->version != *rules.version)
        return Refused(UpdateRefusal::OtherVersion);
    if (manifest->expires <= rules.now)
        return { std::nullopt, UpdateRefusal::Expired, manifest->expires };
    // A publication older than the program is a replay, even where no release has been recorded yet.
    if (manifest->sequence < rules.floor)
        return Refused(UpdateRefusal::Older);
    if (const std::optional<InstalledRelease>& installed = rules.installed) {
        // The same number again is the same publication, or a replay with other files.
        const InstalledRelease offered = ReleaseOf(publication.manifest, *manifest);
        if (offered.sequence < installed->sequence
            || (offered.sequence == installed->sequence && offered.manifestSha256 != installed->manifestSha256))
            return Refused(UpdateRefusal::Older);
    }
    return { std::move(manifest), UpdateRefusal::None, {} };
}

QString RefusalText(const UpdateVerdict& verdict)
{
    switch (verdict.refusal) {
    case UpdateRefusal::None:
        return {};
    case UpdateRefusal::NotFetched:
        return QStringLiteral("The update could not be fetched from the maker's server.");
    case UpdateRefusal::NoSignature:
        return QStringLiteral("The update has no signature.");
    case UpdateRefusal::UntrustedKey:
        return QStringLiteral("The update is signed by a key that this program does not trust.");
    case UpdateRefusal::Damaged:
        return QStringLiteral("The update or its signature is damaged.");
    case UpdateRefusal::Expired:
        return u"The update expired on " + verdict.expired.toString(QStringLiteral("yyyy-MM-dd")) + u'.';
    case UpdateRefusal::Older:
        return QStringLiteral("The update is older than the release installed.");
    case UpdateRefusal::OtherProduct:
        return QStringLiteral("The update is for another program.");
    case UpdateRefusal::OtherVersion:
        return QStringLiteral("The update is not the version that was announced.");
    }
    return {};
}

} // namespace platform
