// SPDX-License-Identifier: MIT
// A minisign signature file: read strictly, and no forged one verifies against the key it names.
#include "platform/trust/minisign.h"

#include <cstdint>
#include <cstdlib>

namespace
{

// A real key: the fuzzer may reproduce its id, and must still not forge its signature.
const platform::PublicKey kKey
    = platform::ReadPublicKey("untrusted comment: minisign public key "
                              "E8D48398D413147B\nRWR7FBPUmIPU6AIPIYB+llZ7n0HXY9tulvlNF5X60rzUENCICDM6K6Ey\n")
          .value();

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<platform::Signature> signature = platform::ReadSignature(file);
    if (!signature)
        return 0;
    if (signature->keyId.size() != 8 || signature->signature.size() != 64 || signature->globalSignature.size() != 64
        || signature->trustedComment.size() > 1024 || size > platform::kMaxSignatureFileBytes)
        std::abort();
    // The seeds sign "hello\n"; anything else under this key is a forgery.
    const platform::SignatureCheck check = platform::Verify("fuzzed\n", *signature, { kKey });
    if (check == platform::SignatureCheck::Valid)
        std::abort();
    static_cast<void>(platform::Verify("hello\n", *signature, { kKey }));
    return 0;
}
