// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace platform
{

// A minisign public key: the id that signatures name, and the ed25519 key.
struct PublicKey {
    QByteArray keyId; // 8 bytes, as stored
    QByteArray key; // 32 bytes
};

// A minisign signature of a file's BLAKE2b-512 hash, and the signature of that signature with its trusted comment.
struct Signature {
    QByteArray keyId;
    QByteArray signature;
    QByteArray trustedComment;
    QByteArray globalSignature;
};

// The files stay small; anything longer is not one.
constexpr qsizetype kMaxKeyFileBytes = 2048;
constexpr qsizetype kMaxSignatureFileBytes = 4096;

// Strict readers: a comment line, then the base64 line, each line within bounds, nothing after.
[[nodiscard]] std::optional<PublicKey> ReadPublicKey(QByteArrayView file);
[[nodiscard]] std::optional<Signature> ReadSignature(QByteArrayView file);

// The id as minisign prints it.
QString KeyIdText(const QByteArray& keyId);

enum class SignatureCheck { Valid, UnknownKey, Invalid };

// Whether `message` is signed, with its trusted comment, by one of `trusted`.
[[nodiscard]] SignatureCheck Verify(
    QByteArrayView message, const Signature& signature, const QList<PublicKey>& trusted);

} // namespace platform
