// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <variant>

namespace platform
{

// The frames of a silent 8-bit AVI clip, uncompressed or RLE8.
struct AviClip {
    int millisecondsPerFrame = 100;
    QList<QImage> frames;
};

// The clip, or why it cannot be played. Every size is checked against the data.
std::variant<AviClip, QString> decodeAviClip(const QByteArray& data);

} // namespace platform
