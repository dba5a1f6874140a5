// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

// Writes silent 8-bit AVI clips: one video stream, a palette, and frames as stored chunks.
namespace avi_writer
{

// Pixels are palette indexes, rows top to bottom, `width` bytes each.
QByteArray rawFrame(const QByteArray& pixels, int width, int height);
QByteArray rle8Frame(const QByteArray& pixels, int width, int height);

// Frame chunks are "00db" when uncompressed, "00dc" when RLE8.
QByteArray clip(int width, int height, int millisecondsPerFrame, const QList<QRgb>& palette,
    const QList<QByteArray>& frames, bool rle8);

} // namespace avi_writer
