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

Downloader::Downloader(const DownloadServices& services, DownloadView& view, QString clipPath, QWidget* questionOwner)
    : m_transfer(services.transfer)
    , m_clock(services.clock)
    , m_files(services.files)
    , m_messageBoxes(services.messageBoxes)
    , m_events(services.events)
    , m_view(view)
    , m_clipPath(std::move(clipPath))
    , m_questionOwner(questionOwner)
{
}

void Downloader::Cancel()
{
    m_view.setStatusText(QStringLiteral("Cancelling..."));
    m_view.closeClip();
    m_stopped = true;
}

bool Downloader::DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
    const QString& Password, QFileDevice::Permissions atLeast, const std::optional<PublishedFile>& published)
{
    m_stopped = false;
    m_unshownProgress.reset();
    Call call;
    call.url = strURL;
    call.destination = strDestination;
    call.partial = PartialFilePath(strDestination);
    call.userName = UserName;
    call.password = Password;
    call.destinationName = GetPathPart(strDestination, true, false);
    call.urlName = GetPathPart(strURL, true, true);
    call.atLeast = atLeast;
    call.published = published;
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
    m_view.placeOffScreen();
    m_events.processPending();
    m_view.unload();
    return result;
}

bool Downloader::finishedCompletely(Call& call)
{
    if (call.totalBytes <= 0 || call.bytesReceived != call.totalBytes)
        return false;
    if (!isPublishedFile(call))
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
    m_events.processPending();

    if (const std::optional<QString> refusal
        = m_transfer.start(call.url, call.userName, call.password, rangeRequest(call))) {
        reportFailure(call, { kRequestRefused, *refusal });
        return AttemptEnd::Decide;
    }
    while (m_transfer.stillExecuting()) {
        m_events.waitForEvents();
        if (m_stopped)
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
    const QString status = platform::StatusField(block);
    if (status == u"200") {
        call.replyTotal = platform::LeadingNumber(m_transfer.header(QStringLiteral("Content-Length")));
        call.replyEnd = call.replyTotal;
        if (announcesTooMuch(call))
            return Reply::None;
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
    } else if (!m_transfer.reachedServer() || block.mid(9, 2) == u"\r\n") { // a status line with no code at all
        tell(QStringLiteral("Cannot Establish Connection"),
            QStringLiteral("Cannot establish connection.\r\rCheck your Internet connection and try again."),
            MessageIcon::Warning);
    } else {
        const QString line = platform::FirstHeaderLine(block);
        tell(kDownloadErrorTitle,
            u"The server returned the following response:\r\r" + (line.isEmpty() ? QStringLiteral("<nothing>") : line),
            MessageIcon::Critical);
    }
    m_stopped = true;
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
        call.hash.reset();
    }
    const QString folder = GetPathPart(call.destination, false, false);
    if (call.destination.startsWith(u'/') && GetFreeDiskSpace(m_files, folder) < static_cast<double>(call.totalBytes)) {
        tell(QStringLiteral("Insufficient Disk Space"),
            QStringLiteral("There is not enough free space on disk for this file.\r\rPlease free up some disk space "
                           "and try again."),
            MessageIcon::Critical);
        return false;
    }
    m_unshownProgress.reset();
    m_view.startProgress(call.totalBytes);
    m_events.processPending();
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
        // The body arrives while events run.
        while (m_transfer.awaitingBody())
            m_events.waitForEvents();
        QByteArray chunk = m_transfer.readChunk(kChunkBytes);
        // Bytes beyond the part that the reply names are no bytes of the file, and the reply names no more than
        // was published: a body that runs on is not read past it.
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
        if (m_stopped)
            break;
        call.hash.addData(chunk);
        call.bytesReceived += chunk.size();
        showProgress(call);
        if (chunk.isEmpty())
            break;
    }
    if (!file->close())
        reportFailure(call, file->failure());
    return Body::Ended;
}

// A reply that names more bytes than were published is refused before its body is read.
bool Downloader::announcesTooMuch(Call& call)
{
    if (!call.published || call.replyTotal <= call.published->size)
        return false;
    refuseFile(call,
        u"The server announced " + QString::number(call.replyTotal) + u" bytes, more than the "
            + QString::number(call.published->size) + u" bytes published.");
    return true;
}

bool Downloader::isPublishedFile(Call& call)
{
    if (!call.published)
        return true;
    if (call.bytesReceived == call.published->size && call.hash.result() == call.published->sha256)
        return true;
    refuseFile(call, QStringLiteral("It is not the file that was published."));
    return false;
}

void Downloader::refuseFile(const Call& call, const QString& why)
{
    tell(kDownloadErrorTitle,
        u"The file " + call.urlName + u" could not be verified. " + why + u"\r\rIt was not installed.",
        MessageIcon::Critical);
    m_stopped = true;
}

void Downloader::showProgress(Call& call)
{
    call.bytesPerSecond
        = static_cast<float>(static_cast<double>(call.bytesReceived) / (m_clock.seconds() - call.startTime));
    // Nothing received yet gives no rate to estimate from: the last estimate stands.
    if (call.bytesPerSecond > 0)
        call.secondsLeft = static_cast<float>(call.totalBytes - call.bytesReceived) / call.bytesPerSecond;

    // Labels, caption and bar take the latest chunk's progress once a frame, just before the events that show the
    // frame: each of them lays itself out or repaints for every text or value it shows differently, far more often
    // than a screen can show them.
    m_unshownProgress = call.texts.after(call.bytesReceived, call.totalBytes, call.secondsLeft, call.bytesPerSecond);
    const bool frameDue = m_events.frameDue();
    if (frameDue || call.bytesReceived >= call.totalBytes)
        showUnshownProgress();
    if (frameDue)
        m_events.processPending();
}

void Downloader::showUnshownProgress()
{
    if (m_unshownProgress)
        m_view.showProgress(*std::exchange(m_unshownProgress, std::nullopt));
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
    m_stopped = true;
}

void Downloader::tell(const QString& title, const QString& text, MessageIcon icon)
{
    ask(title, text, icon, MessageButtons::Ok);
}

MessageAnswer Downloader::ask(const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons)
{
    showUnshownProgress(); // the box stands over the progress as it was when it came
    return m_messageBoxes.ask(m_questionOwner, title, text, icon, buttons);
}

} // namespace freshbolt
