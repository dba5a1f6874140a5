// SPDX-License-Identifier: MIT
// A minisign public key file: read strictly, and what is read is what the file holds.
#include "platform/trust/minisign.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<platform::PublicKey> key = platform::ReadPublicKey(file);
    if (!key)
        return 0;
    if (key->keyId.size() != 8 || key->key.size() != 32 || size > platform::kMaxKeyFileBytes)
        std::abort();
    const QByteArray encoded = QByteArray("Ed" + key->keyId + key->key).toBase64();
    if (!file.toByteArray().contains(encoded))
        std::abort();
    return 0;
}
