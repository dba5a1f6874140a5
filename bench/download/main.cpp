// SPDX-License-Identifier: MIT
// Throughput of the updater's download, window shown, against curl fetching the same file from the same server.
#include "freshbolt/event_pump.h"
#include "freshbolt/fdownload.h"
#include "platform/core/clock.h"
#include "platform/core/http_transfer.h"
#include "platform/core/local_files.h"
#include "tests/support/fakes/fake_message_boxes.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxy>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <httplib.h>
#include <thread>

namespace
{

// A line of /proc/self/status in MiB: VmRSS now, VmHWM the peak so far.
double statusMebibytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

constexpr std::size_t kFileSize = 256u << 20;
constexpr std::size_t kSendChunk = 64u << 10;
constexpr char kPath[] = "/downloads/updates/quillet/Quillet";

// "bytes=N-" only; anything else gets the whole file.
std::size_t rangeStart(const httplib::Request& request)
{
    const std::string range = request.get_header_value("Range");
    if (range.rfind("bytes=", 0) != 0)
        return 0;
    return std::min<std::size_t>(std::strtoull(range.c_str() + 6, nullptr, 10), kFileSize);
}

void serve(httplib::Server& server, const std::string& content)
{
    server.Get(kPath, [&content](const httplib::Request& request, httplib::Response& response) {
        // cpp-httplib would cut the body to the Range header a second time and add its own Content-Range.
        const_cast<httplib::Request&>(request).ranges.clear();
        const std::size_t start = rangeStart(request);
        if (request.has_header("Range")) {
            response.status = 206;
            response.set_header("Content-Range",
                "bytes " + std::to_string(start) + "-" + std::to_string(kFileSize - 1) + "/"
                    + std::to_string(kFileSize));
        }
        response.set_content_provider(kFileSize - start, "application/octet-stream",
            [&content, start](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                return sink.write(content.data() + start + offset, std::min(length, kSendChunk));
            });
    });
}

constexpr int kRounds = 5;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double curlSeconds(const QString& url, const QString& output)
{
    QProcess curl;
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), { QStringLiteral("-s"), QStringLiteral("-o"), output, url });
    curl.waitForFinished(-1);
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double mebibytesPerSecond(double seconds)
{
    return static_cast<double>(kFileSize) / (1 << 20) / seconds;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);

    std::string content(kFileSize, '\0');
    for (std::size_t i = 0; i < kFileSize; ++i)
        content[i] = static_cast<char>((i * 131) >> 7);
    httplib::Server server;
    serve(server, content);
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread listener([&server] { server.listen_after_bind(); });
    const QString url = QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QLatin1String(kPath));

    QTemporaryDir folder;
    QFile::copy(QStringLiteral(CLIP_PATH), folder.filePath(QStringLiteral("DOWNLD2.AVI")));
    platform::QtHttpTransfer transfer;
    platform::SteadyClock clock;
    platform::QtLocalFiles files;
    platform::FakeMessageBoxes boxes;
    freshbolt::NestedEventLoop events;
    freshbolt::FDownload download({ transfer, clock, files, boxes, events }, folder.path());
    const freshbolt::PublishedFile published { static_cast<qint64>(kFileSize),
        QCryptographicHash::hash(
            QByteArrayView(content.data(), static_cast<qsizetype>(content.size())), QCryptographicHash::Sha256) };

    // The file served from memory is already counted here; what the downloads add comes on top.
    const double memoryBefore = statusMebibytes("VmRSS:");
    // Alternate the two a few times and compare the medians: one run of either is short and noisy.
    QList<double> ours;
    QList<double> theirs;
    QList<double> theirsToFile;
    for (int round = 0; round < kRounds; ++round) {
        // Replacing the last round's 256 MiB file would time the file system freeing it.
        QFile::remove(folder.filePath(QStringLiteral("Quillet")));
        QElapsedTimer timer;
        timer.start();
        // As the updater downloads: checked against the published size and SHA-256 as the bytes arrive.
        const bool arrived = download.DownloadFile(
            url, folder.filePath(QStringLiteral("Quillet")), {}, {}, freshbolt::Downloader::kProgramFile, published);
        ours.append(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        for (const auto& question : boxes.questions)
            std::printf("asked: %s: %s\n", qPrintable(question.title), qPrintable(question.text));
        if (!arrived || QFile(folder.filePath(QStringLiteral("Quillet"))).size() != qint64(kFileSize)) {
            std::printf("download failed\n");
            server.stop();
            listener.join();
            return 1;
        }

        theirs.append(curlSeconds(url, QStringLiteral("/dev/null")));
        // For reference: curl paying for the same file writes as the download does.
        QFile::remove(folder.filePath(QStringLiteral("curl")));
        theirsToFile.append(curlSeconds(url, folder.filePath(QStringLiteral("curl"))));
    }
    const double ourMedian = median(ours);
    const double theirMedian = median(theirs);
    std::printf("DownloadFile, window shown: %7.1f MiB/s (median of %d: %.3f s)\n", mebibytesPerSecond(ourMedian),
        kRounds, ourMedian);
    std::printf("curl -o /dev/null:          %7.1f MiB/s (median of %d: %.3f s)\n", mebibytesPerSecond(theirMedian),
        kRounds, theirMedian);
    std::printf("ratio: %.2f of curl's throughput\n", theirMedian / ourMedian);
    const double toFileMedian = median(theirsToFile);
    std::printf("(curl -o a file beside:    %7.1f MiB/s, median %.3f s; ratio %.2f)\n",
        mebibytesPerSecond(toFileMedian), toFileMedian, toFileMedian / ourMedian);
    const double peak = statusMebibytes("VmHWM:");
    std::printf("peak memory: %.0f MiB, %.0f MiB above the %.0f MiB before the first download\n", peak,
        peak - memoryBefore, memoryBefore);

    server.stop();
    listener.join();
    return 0;
}
