// SPDX-License-Identifier: MIT
#include "freshbolt/mod_start.h"

#include "freshbolt/fdownload.h"
#include "freshbolt/update_files.h"
#include "platform/instance_lock.h"
#include "platform/message_boxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace freshbolt
{

namespace
{

const QString kTitle = QStringLiteral("Freshbolt");

constexpr QFileDevice::Permissions kProgramPermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
    | QFileDevice::ExeOther;

} // namespace

std::unique_ptr<FRestart> Main(
    const UpdaterServices& services, const QString& programFolder, std::chrono::milliseconds quilletEndLimit)
{
    FDownload download({ services.transfer, services.clock, services.files, services.messageBoxes }, programFolder);
    download.show();
    while (!download.ReadyForDownload())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    // The pause is only a guess; the program file is replaced once Quillet has really ended.
    if (!platform::InstanceLock(programFolder).waitUntilFree(quilletEndLimit)) {
        services.messageBoxes.ask(nullptr, kTitle,
            QStringLiteral("Lastbell Quillet is still running, so it cannot be updated now.\r\r"
                           "Close Quillet and start the update again."),
            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        return nullptr;
    }

    bool allArrived = true;
    for (const UpdateFile& file : UpdateFiles()) {
        const QString destination = QDir(programFolder).filePath(file.destination);
        bool arrived = download.DownloadFile(file.url, destination, QString(), QString());
        if (arrived && file.program)
            arrived = QFile::setPermissions(destination, kProgramPermissions);
        allArrived = allArrived && arrived;
    }

    if (!allArrived) {
        services.messageBoxes.ask(nullptr, kTitle,
            QStringLiteral("There was a failure downloading one or more of the required files. "
                           "You have either cancelled the update or there was a problem "
                           "retrieving a file from the server.  Please try again another time."),
            platform::MessageIcon::None, platform::MessageButtons::Ok);
        return nullptr;
    }
    auto restart = std::make_unique<FRestart>(services.shell, programFolder);
    restart->show();
    return restart;
}

} // namespace freshbolt
