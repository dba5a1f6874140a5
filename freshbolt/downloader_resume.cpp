// SPDX-License-Identifier: MIT
// Resuming a download: only onto the same file, from the bytes saved, and asking the user when it cannot be done.
#include "freshbolt/download_call.h"
#include "freshbolt/downloader.h"

#include <QByteArrayView>

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace freshbolt
{

namespace
{

// A resume fetches the last bytes saved again.
constexpr qint64 kResumeOverlap = 4096;

} // namespace

std::optional<Downloader::AttemptEnd> Downloader::prepareResume(Call& call)
{
    const qint64 saved = call.bytesReceived;
    call.bytesReceived = std::max<qint64>(saved - kResumeOverlap, 0);
    // The saved part is read once: its head for the hash, its tail to compare with the bytes fetched again.
    const std::optional<QByteArray> part = m_files.read(call.partial, 0, saved);
    if (!part) {
        reportFailure(call, m_files.lastFailure());
        return AttemptEnd::Decide;
    }
    // Shorter than saved: the partial file is not what this call wrote.
    if (part->size() != saved)
        return continueAfresh(call) ? AttemptEnd::StartAfresh : AttemptEnd::Decide;
    call.hash.reset();
    call.hash.addData(QByteArrayView(*part).first(call.bytesReceived));
    call.overlap = part->sliced(call.bytesReceived);
    return std::nullopt;
}

bool Downloader::resumeWanted(Call& call)
{
    if (!call.openedPartial || !m_files.exists(call.partial))
        m_stopped = true; // nothing to resume
    if (m_stopped)
        return false;
    const QString text = u"The connection with the server was reset.\r\rClick \"Retry\" to resume downloading the "
                         u"file.\r(Approximate time remaining: "
        + FormatTime(call.secondsLeft) + u")\r\rClick \"Cancel\" to cancel downloading the file.";
    if (ask(QStringLiteral("Download Incomplete"), text, MessageIcon::Warning, MessageButtons::RetryCancel)
        != MessageAnswer::Retry)
        return false;
    call.resumeMode = true;
    return true;
}

QString Downloader::rangeRequest(Call& call) const
{
    QString lines = u"Range: bytes=" + QString::number(call.bytesReceived) + u"-\r\n";
    // A file published anew since comes back whole, and so cannot be spliced onto the old one's bytes.
    if (const QString validator = platform::ValidatorOf(call.eTag, call.lastModified);
        call.resumeMode && !validator.isEmpty())
        lines += u"If-Range: " + validator + u"\r\n";
    return lines;
}

// A part is written only when it starts where asked and belongs to the same file as the first reply.
Downloader::Reply Downloader::dispatchPart(Call& call)
{
    const std::optional<platform::ContentRange> range
        = platform::ParseContentRange(m_transfer.header(QStringLiteral("Content-Range")));
    if (range && range->first == call.bytesReceived && (!call.resumeMode || range->total == call.totalBytes)
        && isSameFile(call)) {
        call.replyTotal = range->total;
        call.replyEnd = range->last + 1;
        return announcesTooMuch(call) ? Reply::None : Reply::Body;
    }
    if (!call.resumeMode) {
        // No part of a file that could be the one asked for: what the server sent is named, nothing is written.
        const QString line = platform::FirstHeaderLine(m_transfer.headerBlock());
        tell(kDownloadErrorTitle, u"The server returned the following response:\r\r" + line, MessageIcon::Critical);
        m_stopped = true;
        return Reply::None;
    }
    // This body cannot continue the file, and it is no whole file either.
    if (!continueAfresh(call))
        return Reply::None;
    call.bytesReceived = 0;
    return Reply::StartAfresh;
}

bool Downloader::isSameFile(const Call& call) const
{
    const auto same = [this](const QString& kept, const char* name) {
        const QString now = m_transfer.header(QLatin1String(name));
        return kept.isEmpty() || now.isEmpty() || kept == now;
    };
    return same(call.eTag, "ETag") && same(call.lastModified, "Last-Modified");
}

bool Downloader::continueAfresh(Call& call)
{
    if (m_files.exists(call.partial) && !m_files.remove(call.partial)) {
        reportFailure(call, m_files.lastFailure());
        return false;
    }
    if (ask(QStringLiteral("Unable to Resume Download"),
            QStringLiteral("The server is unable to resume this download.\r\rDo you want to continue anyway?"),
            MessageIcon::Warning, MessageButtons::YesNo)
        == MessageAnswer::Yes) {
        call.resumeMode = false;
        call.bytesReceived = 0;
        return true;
    }
    m_stopped = true;
    return false;
}

bool Downloader::overlapMatches(Call& call, const QByteArray& chunk)
{
    const qsizetype compared = std::min(call.overlap.size(), chunk.size());
    if (QByteArrayView(chunk).first(compared) != QByteArrayView(call.overlap).first(compared))
        return false;
    call.overlap.remove(0, compared);
    return true;
}

} // namespace freshbolt
