// SPDX-License-Identifier: MIT
// The INI value reader on any bytes: never a crash, never more than the buffer holds.
#include "platform/core/favorites/ini_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    for (int buffer : { 1, 2, 255 }) {
        const QString value
            = platform::readIniValue(content, QStringLiteral("InternetShortcut"), QStringLiteral("URL"), buffer);
        if (value.size() > buffer - 1)
            std::abort();
    }
    return 0;
}
