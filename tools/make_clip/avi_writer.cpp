// SPDX-License-Identifier: MIT
#include "tools/make_clip/avi_writer.h"

#include <QtEndian>

namespace avi_writer
{

namespace
{

void put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out(id, 4);
    put32(out, static_cast<quint32>(body.size()));
    out += body;
    if (body.size() % 2)
        out.append('\0');
    return out;
}

QByteArray list(const char* type, const QByteArray& body)
{
    return chunk("LIST", QByteArray(type, 4) + body);
}

} // namespace

QByteArray rawFrame(const QByteArray& pixels, int width, int height)
{
    const int stride = (width + 3) & ~3;
    QByteArray out;
    for (int y = height - 1; y >= 0; --y)
        out += pixels.mid(qsizetype(y) * width, width) + QByteArray(stride - width, '\0');
    return out;
}

QByteArray rle8Frame(const QByteArray& pixels, int width, int height)
{
    QByteArray out;
    for (int y = height - 1; y >= 0; --y) {
        const char* row = pixels.constData() + qsizetype(y) * width;
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && row[x + run] == row[x])
                ++run;
            out.append(static_cast<char>(run));
            out.append(row[x]);
            x += run;
        }
        out.append('\0');
        out.append(y == 0 ? '\1' : '\0');
    }
    return out;
}

QByteArray clip(int width, int height, int millisecondsPerFrame, const QList<QRgb>& palette,
    const QList<QByteArray>& frames, bool rle8)
{
    const auto count = static_cast<quint32>(frames.size());
    QByteArray avih;
    for (const quint32 value : { quint32(millisecondsPerFrame * 1000), 0u, 0u, 0x10u, count, 0u, 1u, 0u, quint32(width),
             quint32(height), 0u, 0u, 0u, 0u })
        put32(avih, value);

    QByteArray strh("vids", 4);
    strh += QByteArray(rle8 ? "mrle" : "DIB ", 4);
    for (const quint32 value : { 0u, 0u, 0u, 1u, 1000u / millisecondsPerFrame, 0u, count, 0u, 0xFFFFFFFFu, 0u })
        put32(strh, value);
    for (int i = 0; i < 4; ++i)
        put16(strh, 0);

    QByteArray strf;
    for (const quint32 value : { 40u, quint32(width), quint32(height) })
        put32(strf, value);
    put16(strf, 1);
    put16(strf, 8);
    for (const quint32 value : { rle8 ? 1u : 0u, 0u, 0u, 0u, quint32(palette.size()), 0u })
        put32(strf, value);
    for (const QRgb colour : palette) {
        strf.append(static_cast<char>(qBlue(colour)));
        strf.append(static_cast<char>(qGreen(colour)));
        strf.append(static_cast<char>(qRed(colour)));
        strf.append('\0');
    }

    QByteArray movi;
    for (const QByteArray& frame : frames)
        movi += chunk(rle8 ? "00dc" : "00db", frame);

    const QByteArray body = QByteArray("AVI ", 4)
        + list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)))
        + list("movi", movi);
    return chunk("RIFF", body);
}

} // namespace avi_writer
