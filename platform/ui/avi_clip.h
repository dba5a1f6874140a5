// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <variant>

namespace platform
{

// A clip is decoration: larger ones are refused rather than held.
inline constexpr qsizetype kMaxClipFileBytes = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxDecodedBytes = 64 * 1024 * 1024;
inline constexpr qsizetype kMaxClipFrames = 10000;
inline constexpr int kMaxFrameSide = 4096;

// The frames of a silent 8-bit AVI clip, uncompressed or RLE8. A frame that repeats the one before shares its
// picture.
struct AviClip {
    int millisecondsPerFrame = 100;
    QList<QImage> frames;
};

// The clip, or why it cannot be played. Every size is checked against the data and the limits above before
// anything is allocated.
std::variant<AviClip, QString> decodeAviClip(const QByteArray& data);

} // namespace platform
