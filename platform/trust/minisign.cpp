// SPDX-License-Identifier: MIT
#include "platform/trust/minisign.h"

#include "platform/core/ascii_match.h"

#include <sodium.h>

#include <algorithm>

namespace platform
{

namespace
{

constexpr qsizetype kKeyIdBytes = 8;
constexpr qsizetype kCommentMaxBytes = 1024;
const QByteArrayView kUntrustedPrefix = "untrusted comment: ";
const QByteArrayView kTrustedPrefix = "trusted comment: ";
// Ed25519 key; ED: signature of the BLAKE2b-512 hash. The legacy "Ed" signature of the whole file is refused.
const QByteArrayView kKeyAlgorithm = "Ed";
const QByteArrayView kHashedAlgorithm = "ED";

// Splits into lines ended by LF (a CR before it is dropped); the last line may lack its LF.
std::optional<QList<QByteArrayView>> lines(QByteArrayView file, qsizetype maxBytes, qsizetype count)
{
    if (file.size() > maxBytes)
        return std::nullopt;
    QList<QByteArrayView> result;
    while (!file.isEmpty()) {
        const qsizetype end = file.indexOf('\n');
        QByteArrayView line = end < 0 ? file : file.first(end);
        file = end < 0 ? QByteArrayView() : file.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.contains('\r') || line.contains('\0'))
            return std::nullopt;
        result.append(line);
    }
    if (result.size() != count)
        return std::nullopt;
    return result;
}

std::optional<QByteArrayView> commentOf(QByteArrayView line, QByteArrayView prefix)
{
    if (!line.startsWith(prefix) || line.size() - prefix.size() > kCommentMaxBytes)
        return std::nullopt;
    return line.sliced(prefix.size());
}

// Standard base64 with padding, decoding to exactly `size` bytes.
std::optional<QByteArray> decoded(QByteArrayView line, qsizetype size)
{
    if (line.size() != (size + 2) / 3 * 4)
        return std::nullopt;
    const auto result = QByteArray::fromBase64Encoding(line.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.size() != size || result.decoded.toBase64() != line)
        return std::nullopt;
    return result.decoded;
}

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

bool verifyDetached(QByteArrayView signature, QByteArrayView message, QByteArrayView key)
{
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.data()),
               reinterpret_cast<const unsigned char*>(message.data()), static_cast<unsigned long long>(message.size()),
               reinterpret_cast<const unsigned char*>(key.data()))
        == 0;
}

} // namespace

std::optional<PublicKey> ReadPublicKey(QByteArrayView file)
{
    const auto parts = lines(file, kMaxKeyFileBytes, 2);
    if (!parts || !commentOf(parts->at(0), kUntrustedPrefix))
        return std::nullopt;
    const std::optional<QByteArray> bytes = decoded(parts->at(1), 2 + kKeyIdBytes + crypto_sign_PUBLICKEYBYTES);
    if (!bytes || !bytes->startsWith(kKeyAlgorithm))
        return std::nullopt;
    return PublicKey { bytes->sliced(2, kKeyIdBytes), bytes->sliced(2 + kKeyIdBytes) };
}

std::optional<Signature> ReadSignature(QByteArrayView file)
{
    const auto parts = lines(file, kMaxSignatureFileBytes, 4);
    if (!parts || !commentOf(parts->at(0), kUntrustedPrefix))
        return std::nullopt;
    const std::optional<QByteArrayView> trusted = commentOf(parts->at(2), kTrustedPrefix);
    const std::optional<QByteArray> bytes = decoded(parts->at(1), 2 + kKeyIdBytes + crypto_sign_BYTES);
    const std::optional<QByteArray> global = decoded(parts->at(3), crypto_sign_BYTES);
    if (!trusted || !bytes || !global || !bytes->startsWith(kHashedAlgorithm))
        return std::nullopt;
    return Signature { bytes->sliced(2, kKeyIdBytes), bytes->sliced(2 + kKeyIdBytes), trusted->toByteArray(), *global };
}

QString KeyIdText(const QByteArray& keyId)
{
    // Stored little-endian, printed as a number, as minisign prints it: without leading zeros.
    QByteArray reversed = keyId;
    std::reverse(reversed.begin(), reversed.end());
    const QString digits = QString::fromLatin1(reversed.toHex().toUpper());
    const QStringView significant = ascii::skipped(digits, [](QChar c) { return c == u'0'; });
    return significant.isEmpty() ? QStringLiteral("0") : significant.toString();
}

SignatureCheck Verify(QByteArrayView message, const Signature& signature, const QList<PublicKey>& trusted)
{
    const auto key = std::find_if(trusted.begin(), trusted.end(),
        [&signature](const PublicKey& candidate) { return candidate.keyId == signature.keyId; });
    if (key == trusted.end())
        return SignatureCheck::UnknownKey;
    if (!sodiumReady())
        return SignatureCheck::Invalid;
    QByteArray hash(crypto_generichash_BYTES_MAX, Qt::Uninitialized);
    crypto_generichash(reinterpret_cast<unsigned char*>(hash.data()), static_cast<size_t>(hash.size()),
        reinterpret_cast<const unsigned char*>(message.data()), static_cast<unsigned long long>(message.size()),
        nullptr, 0);
    // The trusted comment is signed together with the file's signature, so it cannot be swapped.
    const QByteArray signedComment = signature.signature + signature.trustedComment;
    return verifyDetached(signature.signature, hash, key->key)
            && verifyDetached(signature.globalSignature, signedComment, key->key)
        ? SignatureCheck::Valid
        : SignatureCheck::Invalid;
}

} // namespace platform
