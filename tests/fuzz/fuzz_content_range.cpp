// SPDX-License-Identifier: MIT
// A Content-Range value as the resume reads it.
#include "freshbolt/downloader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString value = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<platform::ContentRange> range = platform::ParseContentRange(value)) {
        if (range->first < 0 || range->total < 0 || !value.contains(u'/'))
            std::abort();
    }
    return 0;
}
