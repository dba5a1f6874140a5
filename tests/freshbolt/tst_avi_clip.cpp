// SPDX-License-Identifier: MIT
#include "platform/animation_player.h"
#include "platform/avi_clip.h"
#include "tools/make_clip/avi_writer.h"

#include <QFile>
#include <QTest>

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
    void truncatedClipIsAnError();
    void runPastFrameDataIsAnError();
    void playerReportsMissingFile();
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

void TestAviClip::runPastFrameDataIsAnError()
{
    const QByteArray absoluteRun("\0\5\1\1", 4); // five literal pixels announced, two given
    const QByteArray bytes = avi_writer::clip(5, 3, 100, kPalette, { absoluteRun }, true);
    QVERIFY(std::holds_alternative<QString>(platform::decodeAviClip(bytes)));
}

void TestAviClip::playerReportsMissingFile()
{
    platform::AnimationPlayer player;
    const std::optional<QString> error = player.open(u"/nonexistent/DOWNLD2.AVI"_s);
    QVERIFY(error && error->contains(u"/nonexistent/DOWNLD2.AVI"_s));
}

QTEST_MAIN(TestAviClip)
#include "tst_avi_clip.moc"
