// SPDX-License-Identifier: MIT
#include "freshbolt/downloader.h"

#include "freshbolt/download_call.h"

#include <QByteArrayView>
#include <cmath>
#include <utility>

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace freshbolt
{

namespace
{

constexpr int kChunkBytes = 1024;

// The number the classic HTTP component gave a request it could not start ("URL is malformed").
constexpr int kRequestRefused = 35752;

} // namespace

QString PartialFilePath(const QString& destination)
{
    return destination + u".download";
}

Downloader::Downloader(platform::HttpTransfer& transfer, const platform::Clock& clock, platform::LocalFiles& files,
    DownloadView& view, QString clipPath)
    : m_transfer(transfer)
    , m_clock(clock)
    , m_files(files)
    , m_view(view)
    , m_clipPath(std::move(clipPath))
{
}

void Downloader::Cancel()
{
    m_view.setStatusText(QStringLiteral("Cancelling..."));
    m_view.closeClip();
    m_cancelled = true;
}

bool Downloader::DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
    const QString& Password, QFileDevice::Permissions atLeast)
{
    m_cancelled = false;
    Call call;
    call.url = strURL;
    call.destination = strDestination;
    call.partial = PartialFilePath(strDestination);
    call.userName = UserName;
    call.password = Password;
    call.destinationName = GetPathPart(strDestination, true, false);
    call.urlName = GetPathPart(strURL, true, true);
    call.atLeast = atLeast;
    call.texts = ProgressTexts(call.destinationName);

    m_view.setSourceText({});
    m_view.setTimeText({});
    m_view.setDestinationText({});
    m_view.setRateText({});

    // The clip is decoration: when it is missing or damaged the window shows no animation and the download goes on.
    static_cast<void>(m_view.openClip(m_clipPath));
    m_view.showCentred();
    bool result = false;
    bool attemptNext = true;
    while (attemptNext) {
        if (attempt(call) == AttemptEnd::StartAfresh)
            continue;
        result = finishedCompletely(call);
        attemptNext = !result && resumeWanted(call);
    }
    if (!result && m_files.exists(call.partial) && !m_files.remove(call.partial) && call.writeStage)
        reportFailure(call, m_files.lastFailure());

    m_view.closeClip();
    m_transfer.cancel();
    m_view.unload();
    return result;
}

bool Downloader::finishedCompletely(Call& call)
{
    if (call.totalBytes <= 0 || call.bytesReceived != call.totalBytes)
        return false;
    // Only a complete file replaces the one in place.
    if (!m_files.replace(call.partial, call.destination, call.atLeast)) {
        reportFailure(call, m_files.lastFailure());
        return false;
    }
    m_view.setStatusText(QStringLiteral("Download completed!"));
    return true;
}

Downloader::AttemptEnd Downloader::attempt(Call& call)
{
    if (call.resumeMode) {
        m_view.setStatusText(QStringLiteral("Resuming download..."));
        if (const std::optional<AttemptEnd> end = prepareResume(call))
            return *end;
    } else {
        m_view.setStatusText(QStringLiteral("Getting file information..."));
    }
    m_view.processEvents();

    if (const std::optional<QString> refusal
        = m_transfer.start(call.url, call.userName, call.password, rangeRequest(call))) {
        reportFailure(call, { kRequestRefused, *refusal });
        return AttemptEnd::Decide;
    }
    while (m_transfer.stillExecuting()) {
        m_view.waitForEvents();
        if (m_cancelled)
            return AttemptEnd::Decide;
    }

    m_view.setStatusText(QStringLiteral("Saving:"));
    m_view.setSourceText(call.urlName + u" from " + m_transfer.serverName());
    m_view.setDestinationText(call.destination);

    const Reply reply = dispatchStatus(call);
    if (reply == Reply::StartAfresh)
        return AttemptEnd::StartAfresh;
    if (reply == Reply::Body && bodySetUp(call) && writeBody(call) == Body::Changed)
        return continueAfresh(call) ? AttemptEnd::StartAfresh : AttemptEnd::Decide;
    return AttemptEnd::Decide;
}

Downloader::Reply Downloader::dispatchStatus(Call& call)
{
    const QString block = m_transfer.headerBlock();
    const QString status = StatusField(block);
    if (status == u"200") {
        call.replyTotal = LeadingNumber(m_transfer.header(QStringLiteral("Content-Length")));
        call.replyEnd = call.replyTotal;
        return call.resumeMode && !continueAfresh(call) ? Reply::None : Reply::Body;
    }
    if (status == u"206")
        return dispatchPart(call);
    if (status == u"204") {
        tell(QStringLiteral("No Content"), QStringLiteral("Nothing to download!"), MessageIcon::Information);
    } else if (status == u"401") {
        tell(QStringLiteral("Unauthorized"), QStringLiteral("Authorization failed!"), MessageIcon::Critical);
    } else if (status == u"404") {
        tell(QStringLiteral("File Not Found"), u"The file, \"" + m_transfer.url() + u"\" was not found!",
            MessageIcon::Critical);
    } else if (status == u"\r\n" || !m_transfer.reachedServer()) {
        tell(QStringLiteral("Cannot Establish Connection"),
            QStringLiteral("Cannot establish connection.\r\rCheck your Internet connection and try again."),
            MessageIcon::Warning);
    } else {
        const QString line = FirstHeaderLine(block);
        tell(kDownloadErrorTitle,
            u"The server returned the following response:\r\r" + (line.isEmpty() ? QStringLiteral("<nothing>") : line),
            MessageIcon::Critical);
    }
    m_cancelled = true;
    return Reply::None;
}

bool Downloader::bodySetUp(Call& call)
{
    if (!call.resumeMode) {
        call.startTime = m_clock.seconds() - 1.0;
        call.totalBytes = call.replyTotal;
        if (call.totalBytes == 0)
            return false;
        call.eTag = m_transfer.header(QStringLiteral("ETag"));
        call.lastModified = m_transfer.header(QStringLiteral("Last-Modified"));
        call.overlap.clear();
    }
    const QString folder = GetPathPart(call.destination, false, false);
    if (call.destination.startsWith(u'/') && GetFreeDiskSpace(m_files, folder) < static_cast<double>(call.totalBytes)) {
        tell(QStringLiteral("Insufficient Disk Space"),
            QStringLiteral("There is not enough free space on disk for this file.\r\rPlease free up some disk space "
                           "and try again."),
            MessageIcon::Critical);
        return false;
    }
    m_view.startProgress(call.totalBytes);
    m_view.processEvents();
    if (!call.resumeMode)
        call.bytesReceived = 0;

    call.writeStage = true;
    // The folder part ends in its separator; the file system names the folder without it.
    const QString folderName = folder.size() > 1 ? folder.chopped(1) : folder;
    if (!folderName.isEmpty() && !m_files.isFolder(folderName) && !m_files.makeFolder(folderName)) {
        reportFailure(call, m_files.lastFailure());
        return false;
    }
    return true;
}

Downloader::Body Downloader::writeBody(Call& call)
{
    const std::unique_ptr<platform::WritableFile> file
        = m_files.open(call.partial, call.resumeMode ? call.bytesReceived : 0);
    if (!file) {
        reportFailure(call, m_files.lastFailure());
        return Body::Ended;
    }
    call.openedPartial = true;
    for (;;) {
        QByteArray chunk = m_transfer.readChunk(kChunkBytes);
        // Bytes beyond the part that the reply names are no bytes of the file.
        chunk.truncate(std::max<qint64>(call.replyEnd - call.bytesReceived, 0));
        if (!overlapMatches(call, chunk)) {
            // The partial file is dropped next, so how its closing went no longer matters.
            static_cast<void>(file->close());
            return Body::Changed;
        }
        if (!file->write(chunk)) {
            const platform::FileFailure failure = file->failure();
            static_cast<void>(file->close());
            reportFailure(call, failure);
            return Body::Ended;
        }
        if (m_cancelled)
            break;
        call.bytesReceived += chunk.size();
        showProgress(call);
        if (chunk.isEmpty())
            break;
    }
    if (!file->close())
        reportFailure(call, file->failure());
    return Body::Ended;
}

void Downloader::showProgress(Call& call)
{
    call.bytesPerSecond
        = static_cast<float>(static_cast<double>(call.bytesReceived) / (m_clock.seconds() - call.startTime));
    // Nothing received yet gives no rate to estimate from: the last estimate stands.
    if (call.bytesPerSecond > 0)
        call.secondsLeft = static_cast<float>(call.totalBytes - call.bytesReceived) / call.bytesPerSecond;

    m_view.showChunkProgress(
        call.texts.after(call.bytesReceived, call.totalBytes, call.secondsLeft, call.bytesPerSecond));
}

void Downloader::reportFailure(const Call& call, const platform::FileFailure& failure)
{
    if (!call.writeStage) {
        tell(kDownloadErrorTitle, u"Error: " + failure.description + u" occurred.", MessageIcon::Critical);
        return;
    }
    tell(kDownloadErrorTitle,
        u"Cannot write file to disk.\r\rError " + QString::number(failure.number) + u": " + failure.description,
        MessageIcon::Critical);
    m_cancelled = true;
}

void Downloader::tell(const QString& title, const QString& text, MessageIcon icon)
{
    m_view.ask(title, text, icon, MessageButtons::Ok);
}

} // namespace freshbolt
