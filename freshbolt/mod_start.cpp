// SPDX-License-Identifier: MIT
#include "freshbolt/mod_start.h"

#include "freshbolt/fdownload.h"
#include "freshbolt/folder_check.h"
#include "freshbolt/publication_check.h"
#include "freshbolt/quillet_end.h"
#include "freshbolt/update_files.h"
#include "platform/core/instance_lock.h"
#include "platform/core/message_boxes.h"
#include "platform/ui/session_end.h"

#include <QDir>

using namespace std::chrono_literals;

namespace freshbolt
{

namespace
{

const QString kTitle = QStringLiteral("Freshbolt");
// A Quillet that looks whether an update runs holds the lock for a moment only.
constexpr auto kUpdateLockWait = 2s;

void tell(const UpdaterServices& services, const QString& text, platform::MessageIcon icon)
{
    services.messageBoxes.ask(nullptr, kTitle, text, icon, platform::MessageButtons::Ok);
}

void tellFolderUnwritable(const UpdaterServices& services, const QString& folder, const QString& reason)
{
    tell(services,
        u"Lastbell Quillet cannot be updated: files cannot be created and renamed in its program folder\r"
            + QDir::toNativeSeparators(folder) + u"\r\r" + reason,
        platform::MessageIcon::Critical);
}

// Nothing is changed unless the whole update can be done, by this updater alone.
bool mayUpdate(const UpdaterServices& services, const QString& programFolder, platform::InstanceLock& updateLock)
{
    // A session that ends while one of these messages is up closes it.
    const QObject scope;
    platform::OnSessionEnd(services.termination, &scope, &CloseOpenQuestion);
    if (const std::optional<platform::FileFailure> failure = CheckFolderWritable(services.files, programFolder)) {
        tellFolderUnwritable(services, programFolder, failure->description);
        return false;
    }
    if (updateLock.tryLock(kUpdateLockWait))
        return true;
    if (updateLock.heldByAnother())
        tell(services, QStringLiteral("An update of Lastbell Quillet is already running."),
            platform::MessageIcon::Information);
    else
        tellFolderUnwritable(services, programFolder, QStringLiteral("The update lock cannot be created."));
    return false;
}

} // namespace

std::unique_ptr<FRestart> Main(const UpdaterServices& services, const QString& programFolder,
    platform::InstanceLock& updateLock, const UpdaterTimings& timings)
{
    if (!mayUpdate(services, programFolder, updateLock))
        return nullptr;

    FDownload download({ services.transfer, services.clock, services.files, services.messageBoxes, services.events },
        programFolder, timings.pause);
    platform::OnSessionEnd(services.termination, &download, [&download] { download.EndSession(); });
    const auto ending = [&download] { return download.SessionEnding(); };
    // The window stays hidden through the pause: a window manager would pull an off-screen one into a corner.
    // Nothing that Quillet saw is trusted: the publication is checked again before a byte is written.
    const PublicationCheck check
        = CheckPublication(services.transfer, services.events, services.files, programFolder, ending);
    if (!check.update) {
        // At the session's end nobody is there to read why.
        if (!ending())
            tell(services,
                u"The update of Lastbell Quillet could not be verified.\r\r" + check.refusal
                    + u"\r\rNothing was changed.",
                platform::MessageIcon::Critical);
        return nullptr;
    }
    while (!download.ReadyForDownload() && !ending())
        services.events.waitForEvents();

    if (!ending() && !WaitForQuilletToEnd(services.events, programFolder, timings.quilletEndLimit, ending)
        && !ending()) {
        tell(services,
            QStringLiteral("Lastbell Quillet is still running, so it cannot be updated now.\r\r"
                           "Close Quillet and start the update again."),
            platform::MessageIcon::Warning);
        return nullptr;
    }

    bool allArrived = true;
    for (const auto& [file, published] : check.update->files) {
        if (ending())
            break;
        const QString destination = QDir(programFolder).filePath(file.destination);
        allArrived = download.DownloadFile(file.url, destination, QString(), QString(),
                         file.program ? Downloader::kProgramFile : Downloader::kDataFile, published)
            && allArrived;
    }
    // The session ends: no question is asked, the process ends.
    if (ending())
        return nullptr;

    if (!allArrived) {
        tell(services,
            QStringLiteral("There was a failure downloading one or more of the required files. "
                           "You have either cancelled the update or there was a problem "
                           "retrieving a file from the server.  Please try again another time."),
            platform::MessageIcon::None);
        return nullptr;
    }
    // Recorded only now, so that a release is never taken as installed while one of its files is missing.
    if (!RecordRelease(services.files, programFolder, check.update->release))
        tell(services,
            QStringLiteral("Lastbell Quillet was updated, but the release could not be recorded in its program "
                           "folder, so an older release could later be offered again."),
            platform::MessageIcon::Warning);
    auto restart = std::make_unique<FRestart>(services.shell, programFolder);
    restart->show();
    return restart;
}

} // namespace freshbolt
