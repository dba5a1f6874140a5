// SPDX-License-Identifier: MIT
#include "freshbolt/mod_globals.h"
#include "freshbolt/progress_texts.h"
#include "platform/core/reply_headers.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace freshbolt;

namespace
{

// One chunk's numbers, as the download hands them to its progress texts.
struct Chunk {
    qint64 received = 0;
    qint64 total = 0;
    float secondsLeft = 0;
    float bytesPerSecond = 0;
};

ChunkProgress shown(ProgressTexts& texts, const Chunk& chunk)
{
    return texts.after(chunk.received, chunk.total, chunk.secondsLeft, chunk.bytesPerSecond);
}

} // namespace

class TestModGlobals : public QObject
{
    Q_OBJECT
private slots:
    void formatBytes_data();
    void formatBytes();
    void formatTime_data();
    void formatTime();
    void formatPattern_data();
    void formatPattern();
    void shownNumbersFollowTheTexts();
    void progressTexts_data();
    void progressTexts();
    void getPathPart_data();
    void getPathPart();
    void addBackslash_data();
    void addBackslash();
    void fitText_data();
    void fitText();
    void replyHeaders_data();
    void replyHeaders();
};

void TestModGlobals::formatBytes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << QString() << u"0 bytes"_s;
    QTest::newRow("1023") << 1023.0 << QString() << u"1023 bytes"_s;
    QTest::newRow("1024") << 1024.0 << QString() << u"1 KB"_s;
    QTest::newRow("1536 half away") << 1536.0 << QString() << u"2 KB"_s;
    QTest::newRow("1048575") << 1048575.0 << QString() << u"1024 KB"_s;
    QTest::newRow("1048576") << 1048576.0 << QString() << u"1.0 MB"_s;
    QTest::newRow("1073741823 still MB") << 1073741823.0 << QString() << u"1024.0 MB"_s;
    QTest::newRow("1073741824") << 1073741824.0 << QString() << u"1.0 GB"_s;
    QTest::newRow("fraction of bytes") << 1023.5 << QString() << u"1023.5 bytes"_s;
    QTest::newRow("negative") << -1.0 << QString() << QString();
    QTest::newRow("rate pattern") << 5000.0 << u"###.0"_s << u"4.9 KB"_s;
    QTest::newRow("pattern unused for bytes") << 512.25 << u"###.0"_s << u"512.25 bytes"_s;
    QTest::newRow("rate pattern MB") << 1572864.0 << u"###.0"_s << u"1.5 MB"_s;
}

void TestModGlobals::formatBytes()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(FormatBytes(value, pattern), expected);
}

void TestModGlobals::formatTime_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << 0.0f << u"0 sec"_s;
    QTest::newRow("59") << 59.0f << u"59 sec"_s;
    QTest::newRow("59.4") << 59.4f << u"59 sec"_s;
    QTest::newRow("0.5 away from zero") << 0.5f << u"1 sec"_s;
    QTest::newRow("60") << 60.0f << u"1 min 0 sec"_s;
    QTest::newRow("125") << 125.0f << u"2 min 5 sec"_s;
    QTest::newRow("119.6") << 119.6f << u"1 min 0 sec"_s;
    QTest::newRow("62.5 to even") << 62.5f << u"1 min 2 sec"_s;
    QTest::newRow("3599") << 3599.0f << u"59 min 59 sec"_s;
    QTest::newRow("3600") << 3600.0f << u"1 hr 0 min"_s;
    QTest::newRow("5430 to even") << 5430.0f << u"1 hr 30 min"_s;
    QTest::newRow("5490 to even") << 5490.0f << u"1 hr 32 min"_s;
    QTest::newRow("negative") << -30.0f << u"-1 hr 0 min"_s;
}

void TestModGlobals::formatTime()
{
    QFETCH(float, seconds);
    QFETCH(QString, expected);
    QCOMPARE(FormatTime(seconds), expected);
}

void TestModGlobals::formatPattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no forced integer digit") << 0.25 << u"###.0"_s << u".3"_s;
    QTest::newRow("forced integer digit") << 0.25 << u"###0.0"_s << u"0.3"_s;
    QTest::newRow("percent of tiny") << 0.4 << u"##0"_s << u"0"_s;
    QTest::newRow("percent half") << 44.5 << u"##0"_s << u"45"_s;
    QTest::newRow("negative half") << -2.5 << u"0"_s << u"-3"_s;
}

void TestModGlobals::formatPattern()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(FormatPattern(value, pattern), expected);
}

// The download rebuilds a text only when its numbers change: across every boundary of unit, rounding and sign,
// the numbers must change exactly when the text does.
void TestModGlobals::shownNumbersFollowTheTexts()
{
    const auto sweep = [](auto text, auto numbers, double from, double to, double step) -> QString {
        for (double value = from; value < to; value += step) {
            const double next = value + step;
            if ((text(value) != text(next)) != (numbers(value) != numbers(next)))
                return u"at "_s + QString::number(value, 'g', 17) + u": " + text(value) + u" / " + text(next);
        }
        return QString();
    };
    const auto bytes = [](QStringView pattern) {
        return std::pair([pattern](double v) { return FormatBytes(v, pattern); },
            [pattern](double v) { return BytesShown(v, pattern); });
    };
    const auto [rateText, rateShown] = bytes(u"###.0");
    const auto [sizeText, sizeShown] = bytes({});
    QCOMPARE(sweep(rateText, rateShown, -3, 3000, 0.37), QString());
    QCOMPARE(sweep(rateText, rateShown, 1048000, 1049500, 0.61), QString());
    QCOMPARE(sweep(sizeText, sizeShown, 1000, 1100000, 7.3), QString());
    QCOMPARE(sweep(sizeText, sizeShown, 1073700000, 1074000000, 97.1), QString());
    const auto timeText = [](double s) { return FormatTime(static_cast<float>(s)); };
    const auto timeShown = [](double s) { return TimeShown(static_cast<float>(s)); };
    QCOMPARE(sweep(timeText, timeShown, -70, 7300, 0.0913), QString());
    const auto percentText = [](double v) { return FormatPattern(v, u"##0"); };
    const auto percentShown = [](double v) { return PatternShown(v, u"##0"); };
    QCOMPARE(sweep(percentText, percentShown, -2, 101, 0.013), QString());
}

void TestModGlobals::progressTexts_data()
{
    QTest::addColumn<QList<Chunk>>("chunks");
    QTest::addColumn<QString>("time"); // after the last chunk
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("caption");
    QTest::newRow("one chunk") << QList<Chunk> { { 307200, 1468006, 125, 5000 } }
                               << u"2 min 5 sec (300 KB of 1.4 MB copied)"_s << u"4.9 KB/Sec"_s
                               << u"21% of Quillet.exe Completed"_s;
    QTest::newRow("only the total changes")
        << QList<Chunk> { { 1000, 2048, 5, 100 }, { 1000, 4096, 5, 100 } } << u"5 sec (1000 bytes of 4 KB copied)"_s
        << u"100 bytes/Sec"_s << u"24% of Quillet.exe Completed"_s;
    QTest::newRow("only the time changes")
        << QList<Chunk> { { 5000, 10000, 59.4f, 80 }, { 5000, 10000, 60, 80 } }
        << u"1 min 0 sec (5 KB of 10 KB copied)"_s << u"80 bytes/Sec"_s << u"50% of Quillet.exe Completed"_s;
    QTest::newRow("only the rate changes")
        << QList<Chunk> { { 5000, 10000, 9, 1023 }, { 5000, 10000, 9, 1024 } } << u"9 sec (5 KB of 10 KB copied)"_s
        << u"1.0 KB/Sec"_s << u"50% of Quillet.exe Completed"_s;
    QTest::newRow("tiny first chunk, then the last")
        << QList<Chunk> { { 1, 250000, 100, 2500 }, { 250000, 250000, 0, 2500 } }
        << u"0 sec (244 KB of 244 KB copied)"_s << u"2.4 KB/Sec"_s << u"100% of Quillet.exe Completed"_s;
    // A whole download of 1 MiB chunks at a falling rate: every unit, rounding and minute boundary on the way.
    QList<Chunk> whole;
    constexpr qint64 kTotal = 3LL << 30;
    for (qint64 received = 0; received <= kTotal; received += 1 << 20) {
        const float rate = 2e7f / (1 + static_cast<float>(received) / 3e8f);
        whole.append({ received, kTotal, static_cast<float>(kTotal - received) / rate, rate });
    }
    QTest::newRow("whole download") << whole << u"0 sec (3.0 GB of 3.0 GB copied)"_s << u"1.6 MB/Sec"_s
                                    << u"100% of Quillet.exe Completed"_s;
}

// Each text is rebuilt only when a number it shows changes; after every chunk the texts are still those the
// numbers make afresh.
void TestModGlobals::progressTexts()
{
    QFETCH(QList<Chunk>, chunks);
    QFETCH(QString, time);
    QFETCH(QString, rate);
    QFETCH(QString, caption);
    ProgressTexts texts(u"Quillet.exe"_s);
    ChunkProgress last;
    for (const Chunk& chunk : chunks) {
        last = shown(texts, chunk);
        ProgressTexts fresh(u"Quillet.exe"_s);
        const ChunkProgress expected = shown(fresh, chunk);
        const QString at = u" at "_s + QString::number(chunk.received);
        QVERIFY2(last.timeText == expected.timeText, qPrintable(last.timeText + at));
        QVERIFY2(last.rateText == expected.rateText, qPrintable(last.rateText + at));
        QVERIFY2(last.caption == expected.caption, qPrintable(last.caption + at));
        QCOMPARE(last.bytesReceived, chunk.received);
    }
    QCOMPARE(last.timeText, time);
    QCOMPARE(last.rateText, rate);
    QCOMPARE(last.caption, caption);
}

void TestModGlobals::getPathPart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("fileNamePart");
    QTest::addColumn<bool>("urlForm");
    QTest::addColumn<QString>("expected");
    QTest::newRow("url file name") << u"http://www.cobbleton.com/downloads/updates/quillet/Quillet"_s << true << true
                                   << u"Quillet"_s;
    QTest::newRow("path folder") << u"/home/ann/Quillet/help/Quillet_help.htm"_s << false << false
                                 << u"/home/ann/Quillet/help/"_s;
    QTest::newRow("path file name") << u"/home/ann/Quillet/help/Quillet_help.htm"_s << true << false
                                    << u"Quillet_help.htm"_s;
    QTest::newRow("no separator, file") << u"Quillet"_s << true << false << u"Quillet"_s;
    QTest::newRow("no separator, folder") << u"Quillet"_s << false << true << u"Quillet"_s;
    QTest::newRow("url form ignores nothing else") << u"a/b"_s << false << true << u"a/"_s;
}

void TestModGlobals::getPathPart()
{
    QFETCH(QString, path);
    QFETCH(bool, fileNamePart);
    QFETCH(bool, urlForm);
    QFETCH(QString, expected);
    QCOMPARE(GetPathPart(path, fileNamePart, urlForm), expected);
}

void TestModGlobals::addBackslash_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bare folder") << u"/home"_s << u"/home/"_s;
    QTest::newRow("already ends in separator") << u"/home/"_s << u"/home/"_s;
    QTest::newRow("empty") << QString() << u"/"_s;
}

void TestModGlobals::addBackslash()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(AddBackslash(path), expected);
}

void TestModGlobals::fitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    const QString sixty = u"/home/ann/.local/lib/quillet/programs/updates/help/Quillet.h"_s;
    QTest::newRow("fits") << u"Quillet from www.cobbleton.com"_s << 300 << u"Quillet from www.cobbleton.com"_s;
    QTest::newRow("far too wide") << sixty << 10 << sixty.left(4) + u"..." + sixty.right(4);
    QTest::newRow("just fits after two passes")
        << sixty << (2 * 26 + 3) * 10 << sixty.left(26) + u"..." + sixty.right(26);
    QTest::newRow("eleven characters never shortened") << u"abcdefghijk"_s << 10 << u"abcdefghijk"_s;
    QTest::newRow("twelve characters, one pass") << u"abcdefghijkl"_s << 10 << u"abcd...ijkl"_s;
}

void TestModGlobals::fitText()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(FitText(text, width, [](const QString& s) { return static_cast<int>(s.size()) * 10; }), expected);
}

void TestModGlobals::replyHeaders_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("partial") << u"HTTP/1.1 206 Partial Content\r\nContent-Length: 5\r\n"_s << u"206"_s
                             << u"HTTP/1.1 206 Partial Content\r"_s;
    QTest::newRow("server error") << u"HTTP/1.0 500 Internal Server Error\r\n"_s << u"500"_s
                                  << u"HTTP/1.0 500 Internal Server Error\r"_s;
    QTest::newRow("no connection") << u"HTTP/1.1 \r\n"_s << QString() << u"HTTP/1.1 \r"_s;
    // Qt takes any whole number for the code.
    QTest::newRow("two digits") << u"HTTP/1.1 99 Odd\r\n"_s << QString() << u"HTTP/1.1 99 Odd\r"_s;
    QTest::newRow("four digits") << u"HTTP/1.1 2000 OK\r\n"_s << QString() << u"HTTP/1.1 2000 OK\r"_s;
    QTest::newRow("negative") << u"HTTP/1.1 -200 OK\r\n"_s << QString() << u"HTTP/1.1 -200 OK\r"_s;
    QTest::newRow("ends after the code") << u"HTTP/1.1 206"_s << QString() << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("no CR") << u"garbage"_s << QString() << QString();
}

void TestModGlobals::replyHeaders()
{
    QFETCH(QString, block);
    QFETCH(QString, status);
    QFETCH(QString, firstLine);
    QCOMPARE(platform::StatusField(block), status);
    QCOMPARE(platform::FirstHeaderLine(block), firstLine);
}

QTEST_GUILESS_MAIN(TestModGlobals)
#include "tst_mod_globals.moc"
