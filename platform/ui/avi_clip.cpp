// SPDX-License-Identifier: MIT
#include "platform/ui/avi_clip.h"

#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <optional>

namespace platform
{

namespace
{

constexpr quint32 kRgb = 0;
constexpr quint32 kRle8 = 1;

// A bounded view of the bytes; every read past the end is a truncated clip.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }
    bool has(qsizetype count, qsizetype at) const { return at >= 0 && count >= 0 && at + count <= m_bytes.size(); }
    quint32 u32(qsizetype at) const { return has(4, at) ? qFromLittleEndian<quint32>(m_bytes.data() + at) : 0; }
    quint16 u16(qsizetype at) const { return has(2, at) ? qFromLittleEndian<quint16>(m_bytes.data() + at) : 0; }
    QByteArrayView fourcc(qsizetype at) const { return has(4, at) ? m_bytes.sliced(at, 4) : QByteArrayView(); }
    QByteArrayView slice(qsizetype at, qsizetype count) const { return m_bytes.sliced(at, count); }
    qsizetype size() const { return m_bytes.size(); }

private:
    QByteArrayView m_bytes;
};

struct Chunk {
    QByteArrayView id;
    QByteArrayView body;
};

// Hands each chunk of a RIFF list body (each padded to an even size) to `visit` until it returns false.
// False when a chunk runs past the end of the list or the visit was stopped.
template <typename Visit> bool visitChunks(QByteArrayView list, Visit visit)
{
    const Reader reader(list);
    for (qsizetype at = 0; at + 8 <= reader.size();) {
        const qsizetype size = reader.u32(at + 4);
        if (!reader.has(size, at + 8) || !visit(Chunk { reader.fourcc(at), reader.slice(at + 8, size) }))
            return false;
        at += 8 + size + (size & 1);
    }
    return true;
}

std::optional<QList<Chunk>> chunksOf(QByteArrayView list)
{
    QList<Chunk> chunks;
    if (!visitChunks(list, [&chunks](const Chunk& chunk) {
            chunks.append(chunk);
            return true;
        }))
        return std::nullopt;
    return chunks;
}

// The body of a LIST chunk of the given type, without its type.
std::optional<QByteArrayView> listBody(const Chunk& chunk, QByteArrayView type)
{
    if (chunk.id != "LIST" || chunk.body.size() < 4 || chunk.body.first(4) != type)
        return std::nullopt;
    return chunk.body.sliced(4);
}

struct Format {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    quint32 compression = kRgb;
    QList<QRgb> palette;
};

std::variant<Format, QString> formatOf(QByteArrayView strf)
{
    const Reader reader(strf);
    if (!reader.has(40, 0))
        return QStringLiteral("truncated stream format");
    const qsizetype headerSize = reader.u32(0);
    Format format;
    format.compression = reader.u32(16);
    if (reader.u16(14) != 8 || (format.compression != kRgb && format.compression != kRle8))
        return QStringLiteral("unsupported clip format (8-bit uncompressed or RLE8 only)");
    // A negative height means rows stored top to bottom; both are checked while still 64-bit.
    const qint64 width = static_cast<qint32>(reader.u32(4));
    const qint64 height = static_cast<qint32>(reader.u32(8));
    if (width < 1 || width > kMaxFrameSide || height == 0 || height < -kMaxFrameSide || height > kMaxFrameSide)
        return QStringLiteral("bad frame size");
    format.width = static_cast<int>(width);
    format.height = static_cast<int>(std::abs(height));
    format.bottomUp = height > 0;
    const quint32 used = reader.u32(32);
    const qsizetype colours = used == 0 ? 256 : std::min<quint32>(used, 256);
    if (!reader.has(colours * 4, headerSize))
        return QStringLiteral("truncated palette");
    for (qsizetype i = 0; i < colours; ++i) {
        const qsizetype at = headerSize + i * 4;
        format.palette.append(
            qRgb(static_cast<uchar>(strf[at + 2]), static_cast<uchar>(strf[at + 1]), static_cast<uchar>(strf[at])));
    }
    format.palette.resize(256, qRgb(0, 0, 0));
    return format;
}

// Row `y` counted from the bottom of the picture.
uchar* rowFromBottom(QImage& image, const Format& format, int y)
{
    return image.scanLine(format.bottomUp ? format.height - 1 - y : y);
}

bool decodeRaw(QByteArrayView data, const Format& format, QImage& image)
{
    const qsizetype stride = (format.width + 3) & ~3;
    if (data.size() < stride * format.height)
        return false;
    for (int y = 0; y < format.height; ++y)
        std::copy_n(data.data() + y * stride, format.width, rowFromBottom(image, format, y));
    return true;
}

// Draws over the previous frame: runs, absolute runs, end of line, delta moves and end of picture.
bool decodeRle8(QByteArrayView data, const Format& format, QImage& image)
{
    // The position stops at the right and top edges: nothing is drawn past them, and it cannot grow without bound.
    int x = 0;
    int y = 0;
    const auto put = [&](uchar value) {
        if (x < format.width && y < format.height)
            rowFromBottom(image, format, y)[x++] = value;
    };
    for (qsizetype at = 0; at + 1 < data.size();) {
        const auto count = static_cast<uchar>(data[at]);
        const auto value = static_cast<uchar>(data[at + 1]);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(value);
        } else if (value == 0) {
            x = 0;
            y = std::min(y + 1, format.height);
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 2 > data.size())
                return false;
            x = std::min(x + static_cast<uchar>(data[at]), format.width);
            y = std::min(y + static_cast<uchar>(data[at + 1]), format.height);
            at += 2;
        } else {
            if (at + value > data.size())
                return false;
            for (int i = 0; i < value; ++i)
                put(static_cast<uchar>(data[at + i]));
            at += value + (value & 1);
        }
    }
    return true;
}

} // namespace

std::variant<AviClip, QString> decodeAviClip(const QByteArray& data)
{
    if (data.size() > kMaxClipFileBytes)
        return QStringLiteral("clip file over %1 MB").arg(kMaxClipFileBytes >> 20);
    const Reader file(data);
    if (file.fourcc(0) != "RIFF" || file.fourcc(8) != "AVI ")
        return QStringLiteral("not an AVI clip");
    if (!file.has(file.u32(4), 8) || file.u32(4) < 4)
        return QStringLiteral("truncated clip");
    const std::optional<QList<Chunk>> top = chunksOf(file.slice(12, file.u32(4) - 4));
    if (!top)
        return QStringLiteral("truncated clip");

    AviClip clip;
    std::optional<Format> format;
    std::optional<QByteArrayView> movi;
    for (const Chunk& chunk : *top) {
        if (const std::optional<QByteArrayView> hdrl = listBody(chunk, "hdrl")) {
            const std::optional<QList<Chunk>> headers = chunksOf(*hdrl);
            if (!headers)
                return QStringLiteral("truncated header list");
            for (const Chunk& header : *headers) {
                if (header.id == "avih" && header.body.size() >= 4) {
                    const quint32 microseconds = Reader(header.body).u32(0);
                    if (microseconds > 0)
                        clip.millisecondsPerFrame
                            = static_cast<int>(std::clamp<quint32>(microseconds / 1000, 10, 5000));
                }
                const std::optional<QByteArrayView> strl = listBody(header, "strl");
                const std::optional<QList<Chunk>> stream = strl ? chunksOf(*strl) : std::nullopt;
                for (const Chunk& part : stream.value_or(QList<Chunk>())) {
                    if (part.id != "strf" || format)
                        continue;
                    std::variant<Format, QString> parsed = formatOf(part.body);
                    if (const QString* error = std::get_if<QString>(&parsed))
                        return *error;
                    format = std::get<Format>(parsed);
                }
            }
        } else if (const std::optional<QByteArrayView> body = listBody(chunk, "movi")) {
            movi = body;
        }
    }
    if (!format)
        return QStringLiteral("no video stream");
    if (!movi)
        return QStringLiteral("no frames");
    QList<Chunk> videoFrames;
    const bool listed = visitChunks(*movi, [&videoFrames](const Chunk& chunk) {
        if (chunk.id.endsWith("db") || chunk.id.endsWith("dc"))
            videoFrames.append(chunk);
        return videoFrames.size() <= kMaxClipFrames;
    });
    if (videoFrames.size() > kMaxClipFrames)
        return QStringLiteral("more than %1 frames").arg(kMaxClipFrames);
    if (!listed)
        return QStringLiteral("truncated frame list");
    if (videoFrames.isEmpty())
        return QStringLiteral("no frames");
    // Each drawn frame holds a picture of its own, and so does the blank one the first frame draws on.
    const qsizetype drawn = std::count_if(
        videoFrames.cbegin(), videoFrames.cend(), [](const Chunk& frame) { return !frame.body.isEmpty(); });
    const qsizetype pictureBytes = qsizetype((format->width + 3) & ~3) * format->height;
    if ((drawn + 1) * pictureBytes > kMaxDecodedBytes)
        return QStringLiteral("decoded frames over %1 MB").arg(kMaxDecodedBytes >> 20);

    QImage picture(format->width, format->height, QImage::Format_Indexed8);
    picture.setColorTable(format->palette);
    picture.fill(0);
    for (const Chunk& frame : videoFrames) {
        // An empty frame repeats the previous one; drawing into a shared picture detaches it first.
        const bool raw = frame.id.endsWith("db") || format->compression == kRgb;
        const bool decoded = frame.body.isEmpty()
            || (raw ? decodeRaw(frame.body, *format, picture) : decodeRle8(frame.body, *format, picture));
        if (!decoded)
            return QStringLiteral("truncated frame");
        clip.frames.append(picture);
    }
    return clip;
}

} // namespace platform
