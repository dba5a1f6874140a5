// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_view.h"
#include "freshbolt/mod_globals.h"
#include "freshbolt/reply_headers.h"
#include "platform/core/clock.h"
#include "platform/core/http_transfer.h"
#include "platform/core/local_files.h"

#include <QFileDevice>
#include <QString>
#include <memory>
#include <optional>

namespace freshbolt
{

// Where a download is written until it is complete.
QString PartialFilePath(const QString& destination);

// Fetches one URL into one file with resume, progress and the user's answers.
class Downloader
{
public:
    Downloader(platform::HttpTransfer& transfer, const platform::Clock& clock, platform::LocalFiles& files,
        DownloadView& view, QString clipPath);

    // True only when the whole file arrived and stands at strDestination, with the permissions of the file it
    // replaced and at least `atLeast`.
    bool DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
        const QString& Password, QFileDevice::Permissions atLeast = kDataFile);

    static constexpr QFileDevice::Permissions kDataFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    static constexpr QFileDevice::Permissions kProgramFile = kDataFile | QFileDevice::ExeOwner;
    // The Cancel button, Escape and the close box.
    void Cancel();
    bool Cancelled() const { return m_cancelled; }

private:
    struct Call;
    enum class AttemptEnd { Decide, StartAfresh };
    enum class Reply { Body, None, StartAfresh };
    enum class Body { Ended, Changed };

    AttemptEnd attempt(Call& call);
    std::optional<AttemptEnd> prepareResume(Call& call);
    QString rangeRequest(Call& call) const;
    Reply dispatchStatus(Call& call);
    Reply dispatchPart(Call& call);
    bool isSameFile(const Call& call) const;
    bool continueAfresh(Call& call);
    bool bodySetUp(Call& call);
    Body writeBody(Call& call);
    static bool overlapMatches(Call& call, const QByteArray& chunk);
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
    bool m_cancelled = false;
};

} // namespace freshbolt
