// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_view.h"
#include "freshbolt/mod_globals.h"
#include "platform/clock.h"
#include "platform/http_transfer.h"
#include "platform/local_files.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace freshbolt
{

// The three digits after the protocol version of a reply-header block's status line.
QString StatusField(const QString& headerBlock);
// The block up to and including its first CR; empty when it has none.
QString FirstHeaderLine(const QString& headerBlock);
// The leading whole number of a header value, 0 when there is none.
qint64 LeadingNumber(const QString& value);

struct ContentRange {
    qint64 first = 0;
    qint64 total = 0;
};
// "bytes first-last/total"; nothing when the value has another form or no known total.
std::optional<ContentRange> ParseContentRange(const QString& value);

// Where a download is written until it is complete.
QString PartialFilePath(const QString& destination);

// Fetches one URL into one file with resume, progress and the user's answers.
class Downloader
{
public:
    using FreeSpace = std::function<double(const QString&)>;

    Downloader(platform::HttpTransfer& transfer, const platform::Clock& clock, platform::LocalFiles& files,
        DownloadView& view, QString clipPath, FreeSpace freeSpace = &GetFreeDiskSpace);

    // True only when the whole file arrived and stands at strDestination.
    bool DownloadFile(
        const QString& strURL, const QString& strDestination, const QString& UserName, const QString& Password);
    // The Cancel button, Escape and the close box.
    void Cancel();
    bool Cancelled() const { return m_cancelled; }

private:
    struct Call;
    enum class AttemptEnd { Decide, StartAfresh };
    enum class Reply { Body, None, StartAfresh };

    AttemptEnd attempt(Call& call);
    Reply dispatchStatus(Call& call);
    bool isRequestedPart(const Call& call) const;
    bool continueAfresh(Call& call);
    bool bodySetUp(Call& call);
    void writeBody(Call& call);
    void showProgress(Call& call);
    bool finishedCompletely(Call& call);
    bool resumeWanted(Call& call);
    void reportFailure(const Call& call, const platform::FileFailure& failure);
    void tell(const QString& title, const QString& text, platform::MessageIcon icon);

    platform::HttpTransfer& m_transfer;
    const platform::Clock& m_clock;
    platform::LocalFiles& m_files;
    DownloadView& m_view;
    QString m_clipPath;
    FreeSpace m_freeSpace;
    bool m_cancelled = false;
};

} // namespace freshbolt
