// SPDX-License-Identifier: MIT
// The update manifest and the installed-release record: read strictly, and a manifest read is written back the same.
#include "platform/trust/update_verification.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<platform::UpdateManifest> manifest = platform::ReadManifest(bytes)) {
        if (manifest->files.isEmpty() || platform::ManifestText(*manifest) != bytes)
            std::abort();
        for (const platform::ManifestFile& file : manifest->files)
            if (file.size < 0 || file.sha256.size() != 32 || file.destination.startsWith(u'/')
                || file.destination.split(u'/').contains(u"..") || file.destination.contains(u'\\'))
                std::abort();
    }
    if (const std::optional<platform::InstalledRelease> release = platform::ReadInstalledRelease(bytes))
        if (platform::InstalledReleaseText(*release) != bytes)
            std::abort();
    return 0;
}
