// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_view.h"
#include "freshbolt/event_pump.h"
#include "freshbolt/mod_globals.h"
#include "platform/core/clock.h"
#include "platform/core/http_transfer.h"
#include "platform/core/local_files.h"
#include "platform/core/message_boxes.h"
#include "platform/core/reply_headers.h"

#include <QFileDevice>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace freshbolt
{

// Where a download is written until it is complete.
QString PartialFilePath(const QString& destination);

// What the signed manifest says a file is: it is installed only when it is exactly this.
struct PublishedFile {
    qint64 size = 0;
    QByteArray sha256;
};

// What a download reaches the system through.
struct DownloadServices {
    platform::HttpTransfer& transfer;
    const platform::Clock& clock;
    platform::LocalFiles& files;
    platform::MessageBoxes& messageBoxes;
    EventPump& events;
};

// Fetches one URL into one file with resume and progress, asking the user what to do when it cannot go on.
class Downloader final : public QObject
{
    Q_OBJECT
public:
    // The questions stand over `questionOwner`, the window that `view` shows.
    Downloader(const DownloadServices& services, DownloadView& view, QString clipPath, QWidget* questionOwner);

    // True only when the whole file arrived and stands at strDestination, with the permissions of the file it
    // replaced and at least `atLeast`; and, when `published` is given, with exactly its size and SHA-256.
    bool DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
        const QString& Password, QFileDevice::Permissions atLeast = kDataFile,
        const std::optional<PublishedFile>& published = std::nullopt);

    static constexpr QFileDevice::Permissions kDataFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    static constexpr QFileDevice::Permissions kProgramFile = kDataFile | QFileDevice::ExeOwner;

    // The Cancel button, Escape, the close box, the session's end: the running download ends, offering no retry.
    void Cancel();

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
    void showUnshownProgress();
    bool finishedCompletely(Call& call);
    bool isPublishedFile(Call& call);
    bool announcesTooMuch(Call& call);
    void refuseFile(const Call& call, const QString& why);
    bool resumeWanted(Call& call);
    void reportFailure(const Call& call, const platform::FileFailure& failure);
    void tell(const QString& title, const QString& text, platform::MessageIcon icon);
    platform::MessageAnswer ask(
        const QString& title, const QString& text, platform::MessageIcon icon, platform::MessageButtons buttons);

    platform::HttpTransfer& m_transfer;
    const platform::Clock& m_clock;
    platform::LocalFiles& m_files;
    platform::MessageBoxes& m_messageBoxes;
    EventPump& m_events;
    DownloadView& m_view;
    QString m_clipPath;
    QWidget* m_questionOwner;
    // The call ends without offering a retry: the user cancelled, or an answer or failure leaves nothing to resume.
    bool m_stopped = false;
    std::optional<ChunkProgress> m_unshownProgress; // the latest chunk's, until the next frame shows it
};

} // namespace freshbolt
