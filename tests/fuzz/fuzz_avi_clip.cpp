// SPDX-License-Identifier: MIT
// The download clip reader on any bytes: a clip or a reason, within the limits, never a crash.
#include "platform/ui/avi_clip.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::variant<platform::AviClip, QString> result
        = platform::decodeAviClip(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (const auto* clip = std::get_if<platform::AviClip>(&result)) {
        if (clip->frames.isEmpty() || clip->frames.size() > platform::kMaxClipFrames)
            std::abort();
        const QSize frameSize = clip->frames.first().size();
        if (frameSize.width() < 1 || frameSize.height() < 1 || frameSize.width() > platform::kMaxFrameSide
            || frameSize.height() > platform::kMaxFrameSide)
            std::abort();
    }
    return 0;
}
