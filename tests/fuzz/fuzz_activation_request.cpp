// SPDX-License-Identifier: MIT
// A line on the running program's socket: any local process of the user may write one.
#include "platform/core/activation_request.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView line(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<platform::ActivationRequest> request = platform::ActivationRequestOf(line)) {
        // What was read is what a start would have written, byte for byte, and within the bound.
        if (platform::ActivationLineOf(*request) != line || line.size() > platform::kActivationLineLimit)
            std::abort();
    }
    return 0;
}
