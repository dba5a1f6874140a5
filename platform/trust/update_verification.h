// SPDX-License-Identifier: MIT
#pragma once

#include "platform/trust/minisign.h"
#include "platform/trust/update_manifest.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

namespace platform
{

// The release last installed in a program folder, as the updater recorded it.
struct InstalledRelease {
    quint64 sequence = 0;
    QByteArray manifestSha256;
};

inline constexpr char kInstalledReleaseName[] = "update.release";
inline constexpr qsizetype kMaxInstalledReleaseBytes = 256;

// "sequence N" and "manifest SHA256HEX" lines; anything else is no record.
[[nodiscard]] std::optional<InstalledRelease> ReadInstalledRelease(QByteArrayView bytes);
QByteArray InstalledReleaseText(const InstalledRelease& release);

// What the maker's server sent: the manifest, and its signature unless there was none.
struct Publication {
    QByteArray manifest;
    std::optional<QByteArray> signature;
};

struct TrustRules {
    QList<PublicKey> keys;
    QString product;
    std::optional<QString> version; // the version page's, when known
    QDateTime now;
    std::optional<InstalledRelease> installed;
    quint64 floor = 0; // the lowest sequence accepted, installed or not
};

enum class UpdateRefusal {
    None,
    NotFetched,
    NoSignature,
    UntrustedKey,
    Damaged,
    Expired,
    Older,
    OtherProduct,
    OtherVersion
};

struct UpdateVerdict {
    std::optional<UpdateManifest> manifest; // only when every rule holds
    UpdateRefusal refusal = UpdateRefusal::None;
    QDateTime expired; // when refused as expired
};

// A verdict that refuses for this reason.
[[nodiscard]] UpdateVerdict Refused(UpdateRefusal refusal);

// Nothing of the manifest is read before its signature verifies.
[[nodiscard]] UpdateVerdict CheckPublication(const Publication& publication, const TrustRules& rules);

// Why, in plain words, for the user.
QString RefusalText(const UpdateVerdict& verdict);

// The release that installing this manifest records.
InstalledRelease ReleaseOf(const QByteArray& manifestBytes, const UpdateManifest& manifest);

} // namespace platform
