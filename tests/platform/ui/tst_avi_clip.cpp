// SPDX-License-Identifier: MIT
#include "platform/ui/animation_player.h"
#include "platform/ui/avi_clip.h"
#include "tools/make_clip/avi_writer.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace
{

const QList<QRgb> kPalette { qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255) };

// 5 x 3 pixels, rows top to bottom.
QByteArray picture(char colour)
{
    QByteArray pixels(15, '\0');
    pixels[0] = colour; // top left
    pixels[14] = '\3'; // bottom right
    return pixels;
}

QByteArray rawClip()
{
    return avi_writer::clip(5, 3, 100, kPalette,
        { avi_writer::rawFrame(picture('\1'), 5, 3), avi_writer::rawFrame(picture('\2'), 5, 3) }, false);
}

// The clip with the 32-bit field `offset` bytes after the first `marker` replaced.
QByteArray patched(QByteArray bytes, QByteArrayView marker, qsizetype offset, quint32 value)
{
    const qsizetype at = bytes.indexOf(marker) + offset;
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// Bytes held by the decoded pictures; frames that repeat one another share theirs.
qsizetype heldBytes(const platform::AviClip& clip)
{
    QSet<qint64> seen;
    qsizetype bytes = 0;
    for (const QImage& frame : clip.frames) {
        if (!seen.contains(frame.cacheKey()))
            bytes += frame.sizeInBytes();
        seen.insert(frame.cacheKey());
    }
    return bytes;
}

QString failureOf(const QByteArray& bytes)
{
    const std::variant<platform::AviClip, QString> result = platform::decodeAviClip(bytes);
    return std::holds_alternative<QString>(result) ? std::get<QString>(result) : u"(decoded)"_s;
}

platform::AviClip decoded(const QByteArray& bytes)
{
    std::variant<platform::AviClip, QString> result = platform::decodeAviClip(bytes);
    if (const QString* error = std::get_if<QString>(&result))
        qWarning() << *error;
    return std::holds_alternative<platform::AviClip>(result) ? std::get<platform::AviClip>(result)
                                                             : platform::AviClip {};
}

} // namespace

class TestAviClip : public QObject
{
    Q_OBJECT
private slots:
    void shippedClipPlays();
    void rawFramesAreBottomUp();
    void rle8DeltaDrawsOverPreviousFrame();
    void topDownFramesKeepTheirOrder();
    void truncatedClipIsAnError();
    void malformedClipReason_data();
    void malformedClipReason();
    void repeatedFramesShareTheirPicture();
    void runsPastTheEdgeStayInside();
    void playerReportsMissingFile();
    void playerRefusesHugeFile();
};

void TestAviClip::shippedClipPlays()
{
    platform::AnimationPlayer player;
    player.setAutoPlay(true);
    QCOMPARE(player.open(QStringLiteral(CLIP_PATH)), std::nullopt);
    QCOMPARE(player.frameCount(), 16);
    QVERIFY(player.isPlaying());
    player.close();
    QVERIFY(!player.isPlaying());
}

void TestAviClip::rawFramesAreBottomUp()
{
    const platform::AviClip clip = decoded(rawClip());
    QCOMPARE(clip.frames.size(), 2);
    QCOMPARE(clip.millisecondsPerFrame, 100);
    QCOMPARE(clip.frames[0].size(), QSize(5, 3));
    QCOMPARE(clip.frames[0].pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(clip.frames[1].pixel(0, 0), qRgb(0, 255, 0));
    QCOMPARE(clip.frames[1].pixel(4, 2), qRgb(0, 0, 255));
}

void TestAviClip::rle8DeltaDrawsOverPreviousFrame()
{
    // Second frame: move 2 right and 1 up from the bottom left, draw one green pixel, end.
    const QByteArray delta("\0\2\2\1\1\2\0\1", 8);
    const QByteArray bytes = avi_writer::clip(
        5, 3, 100, kPalette, { avi_writer::rle8Frame(picture('\1'), 5, 3), delta, QByteArray() }, true);
    const platform::AviClip clip = decoded(bytes);
    QCOMPARE(clip.frames.size(), 3);
    QCOMPARE(clip.frames[0].pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(clip.frames[1].pixel(2, 1), qRgb(0, 255, 0));
    QCOMPARE(clip.frames[1].pixel(0, 0), qRgb(255, 0, 0)); // kept from the frame before
    QCOMPARE(clip.frames[2].pixel(2, 1), qRgb(0, 255, 0)); // an empty frame repeats
}

void TestAviClip::truncatedClipIsAnError()
{
    const QByteArray whole = rawClip();
    for (qsizetype size = 0; size < whole.size(); ++size)
        QVERIFY2(std::holds_alternative<QString>(platform::decodeAviClip(whole.left(size))),
            qPrintable(u"cut at "_s + QString::number(size)));
}

void TestAviClip::topDownFramesKeepTheirOrder()
{
    // A negative height stores the rows top to bottom: the writer's bottom row comes out on top.
    const QByteArray bytes = patched(rawClip(), "strf", 16, static_cast<quint32>(-3));
    const platform::AviClip clip = decoded(bytes);
    QCOMPARE(clip.frames.size(), 2);
    QCOMPARE(clip.frames[0].size(), QSize(5, 3));
    QCOMPARE(clip.frames[0].pixel(4, 0), qRgb(0, 0, 255));
    QCOMPARE(clip.frames[0].pixel(0, 2), qRgb(255, 0, 0));
}

void TestAviClip::malformedClipReason_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray clip = rawClip();
    const QString kUnsupported = u"unsupported clip format (8-bit uncompressed or RLE8 only)"_s;
    const QByteArray oneRaw
        = avi_writer::clip(5, 3, 100, kPalette, { avi_writer::rawFrame(picture('\1'), 5, 3) }, false);
    const QByteArray rle = avi_writer::clip(5, 3, 100, kPalette, { QByteArray("\0\1", 2) }, true);
    const QByteArray endOfPicture("\0\1", 2);
    const auto big = [&](int frames) {
        return avi_writer::clip(4096, 4096, 100, kPalette, QList<QByteArray>(frames, endOfPicture), true);
    };

    QTest::newRow("not RIFF") << QByteArray("RIFX") + clip.mid(4) << u"not an AVI clip"_s;
    QTest::newRow("RIFF size past the end") << patched(clip, "RIFF", 4, clip.size()) << u"truncated clip"_s;
    QTest::newRow("header list chunk past its list") << patched(clip, "avih", 4, 0x10000) << u"truncated header list"_s;
    // Without a palette the stream format is the bare 40-byte header; cut to 32, the rest reads as an empty chunk.
    const QByteArray noPalette = avi_writer::clip(5, 3, 100, {}, { avi_writer::rawFrame(picture('\1'), 5, 3) }, false);
    QTest::newRow("stream format short of 40 bytes")
        << patched(noPalette, "strf", 4, 32) << u"truncated stream format"_s;
    QTest::newRow("16-bit pixels") << patched(clip, "strf", 20, 0x00100001) << kUnsupported;
    QTest::newRow("JPEG compression") << patched(clip, "strf", 24, 4) << kUnsupported;
    QTest::newRow("width 0") << patched(clip, "strf", 12, 0) << u"bad frame size"_s;
    QTest::newRow("width 4097") << patched(clip, "strf", 12, 4097) << u"bad frame size"_s;
    QTest::newRow("width -2^31") << patched(clip, "strf", 12, 0x80000000) << u"bad frame size"_s;
    QTest::newRow("height 0") << patched(clip, "strf", 16, 0) << u"bad frame size"_s;
    QTest::newRow("height 4097") << patched(clip, "strf", 16, 4097) << u"bad frame size"_s;
    QTest::newRow("height -4097") << patched(clip, "strf", 16, static_cast<quint32>(-4097)) << u"bad frame size"_s;
    QTest::newRow("height -2^31") << patched(clip, "strf", 16, 0x80000000) << u"bad frame size"_s;
    QTest::newRow("palette past the format") << patched(clip, "strf", 40, 200) << u"truncated palette"_s;
    QTest::newRow("no stream format") << QByteArray(clip).replace("strf", "strX") << u"no video stream"_s;
    QTest::newRow("no frame list") << QByteArray(clip).replace("movi", "movX") << u"no frames"_s;
    QTest::newRow("frame list without frames") << QByteArray(clip).replace("00db", "01wb") << u"no frames"_s;
    QTest::newRow("frame chunk past its list") << patched(clip, "00db", 4, 0x10000) << u"truncated frame list"_s;
    QTest::newRow("raw frame short of rows") << patched(oneRaw, "00db", 4, 20) << u"truncated frame"_s;
    // Five literal pixels announced, two given.
    QTest::newRow("literal run past frame data")
        << avi_writer::clip(5, 3, 100, kPalette, { QByteArray("\0\5\1\1", 4) }, true) << u"truncated frame"_s;
    QTest::newRow("delta move past frame data")
        << avi_writer::clip(5, 3, 100, kPalette, { QByteArray("\0\2\1", 3) }, true) << u"truncated frame"_s;
    QTest::newRow("4096 x 4096, four drawn frames") << big(4) << u"decoded frames over 64 MB"_s;
    QTest::newRow("more than 10000 frames")
        << avi_writer::clip(5, 3, 100, kPalette, QList<QByteArray>(10001, QByteArray()), true)
        << u"more than 10000 frames"_s;
    QTest::newRow("file over 16 MB") << rle + QByteArray(16 * 1024 * 1024, '\0') << u"clip file over 16 MB"_s;
}

// One named row per reason a clip is refused; each reason is reported exactly.
void TestAviClip::malformedClipReason()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QCOMPARE(failureOf(bytes), reason);
}

void TestAviClip::repeatedFramesShareTheirPicture()
{
    // 2.6 KB on disk: one 4096 x 4096 picture shown 300 times.
    QList<QByteArray> frames(300, QByteArray());
    frames[0] = QByteArray("\0\1", 2);
    const QByteArray bytes = avi_writer::clip(4096, 4096, 100, kPalette, frames, true);
    QVERIFY(bytes.size() < 3000);
    const platform::AviClip clip = decoded(bytes);
    QCOMPARE(clip.frames.size(), 300);
    QCOMPARE(clip.frames[299].size(), QSize(4096, 4096));
    QCOMPARE(heldBytes(clip), qsizetype(4096) * 4096);

    // Three drawn frames of that size still fit.
    const QByteArray three
        = avi_writer::clip(4096, 4096, 100, kPalette, QList<QByteArray>(3, QByteArray("\0\1", 2)), true);
    QVERIFY(heldBytes(decoded(three)) <= 64 * 1024 * 1024);
}

void TestAviClip::runsPastTheEdgeStayInside()
{
    // Runs and moves far past the right and top edges draw nothing there and cost no more than the picture.
    QByteArray frame;
    for (int i = 0; i < 100000; ++i)
        frame += QByteArray("\xff\1\0\2\xff\xff", 6);
    frame += QByteArray("\0\1", 2);
    const platform::AviClip clip = decoded(avi_writer::clip(5, 3, 100, kPalette, { frame }, true));
    QCOMPARE(clip.frames.size(), 1);
    QCOMPARE(clip.frames[0].pixel(0, 2), qRgb(255, 0, 0)); // the first run's five pixels on the bottom row
    QCOMPARE(clip.frames[0].pixel(4, 2), qRgb(255, 0, 0));
    QCOMPARE(clip.frames[0].pixel(0, 1), qRgb(0, 0, 0));
}

void TestAviClip::playerReportsMissingFile()
{
    platform::AnimationPlayer player;
    const std::optional<QString> error = player.open(u"/nonexistent/DOWNLD2.AVI"_s);
    QVERIFY(error && error->contains(u"/nonexistent/DOWNLD2.AVI"_s));
}

void TestAviClip::playerRefusesHugeFile()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(u"DOWNLD2.AVI"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(rawClip()) > 0);
    QVERIFY(file.resize(qint64(64) << 20)); // sparse
    file.close();

    platform::AnimationPlayer player;
    const std::optional<QString> error = player.open(file.fileName());
    QVERIFY(error && error->contains(u"clip file over 16 MB"_s));
    QCOMPARE(player.frameCount(), 0);
}

QTEST_MAIN(TestAviClip)
#include "tst_avi_clip.moc"
