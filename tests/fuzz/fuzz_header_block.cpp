// SPDX-License-Identifier: MIT
// A reply-header block as the download reads it: the status field, the first line, and the numbers in its headers.
#include "freshbolt/downloader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The HTTP transfer hands the block over as Latin-1 text.
    const QString block = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (platform::StatusField(block).size() > 3)
        std::abort();
    const QString first = platform::FirstHeaderLine(block);
    if (!first.isEmpty() && (!block.startsWith(first) || !first.endsWith(u'\r')))
        std::abort();
    for (const QString& line : block.split(QStringLiteral("\r\n"))) {
        const QString value = line.section(u':', 1);
        if (platform::LeadingNumber(value) < 0)
            std::abort();
        if (const std::optional<platform::ContentRange> range = platform::ParseContentRange(value)) {
            if (range->first < 0 || range->total < 0)
                std::abort();
        }
    }
    return 0;
}
