// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace platform
{

// One file of an update: where the maker's server has it, where it goes in the program folder, and what it is.
struct ManifestFile {
    QString path; // on the server, absolute
    QString destination; // relative to the program folder
    qint64 size = 0;
    QByteArray sha256; // 32 bytes
};

// What the maker signed for one publication.
struct UpdateManifest {
    QString product;
    QString version;
    quint64 sequence = 0;
    QDateTime expires; // UTC
    QList<ManifestFile> files;
};

constexpr qsizetype kMaxManifestBytes = 64 * 1024;

// Strict reader of the manifest text, one "name value" line each, every line ended by LF:
//   product TEXT / version TEXT / sequence DIGITS / expires YYYY-MM-DDTHH:MM:SSZ, in this order, then one
//   "file SIZE SHA256HEX SERVERPATH DESTINATION" line per file (at least one, no destination twice).
[[nodiscard]] std::optional<UpdateManifest> ReadManifest(QByteArrayView bytes);

// The manifest's lines for these values (what the maker's publish command writes).
QByteArray ManifestText(const UpdateManifest& manifest);

// The manifest and its signature, beside the update files in the maker's update folder.
inline constexpr char kManifestName[] = "update.manifest";
inline constexpr char kSignatureName[] = "update.manifest.minisig";

} // namespace platform
