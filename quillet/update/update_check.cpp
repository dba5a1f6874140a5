// SPDX-License-Identifier: MIT
#include "quillet/update/update_check.h"

#include "platform/core/http_transfer.h"
#include "platform/core/instance_lock.h"
#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/shell.h"
#include "platform/core/startup_trace.h"
#include "quillet/update/fnewversion.h"
#include "quillet/update/version_reply.h"

#include <QDir>
#include <utility>

namespace quillet
{

UpdateCheck::UpdateCheck(platform::HttpTransfer& intUpdate, platform::Shell& shell,
    platform::MessageBoxes& messageBoxes, platform::LocalFiles& files, platform::InstanceLock& updaterLock,
    QString programFolder, QWidget* owner, Prompt prompt)
    : intUpdate(intUpdate)
    , m_shell(shell)
    , m_messageBoxes(messageBoxes)
    , m_programFolder(std::move(programFolder))
    , m_owner(owner)
    , m_prompt(prompt ? std::move(prompt) : Prompt(&FNewVersion::Offer))
    , m_files(files)
    , m_updaterLock(updaterLock)
{
    connect(&intUpdate, &platform::HttpTransfer::stateChanged, this, &UpdateCheck::StateChanged);
}

void UpdateCheck::CheckForUpdate()
{
    platform::MarkStartup("version check");
    m_stage = Stage::VersionPage;
    // A request that cannot even start is a failed check: nobody is told.
    if (intUpdate.start(version_reply::PageUrl(), QString(), QString(), QString()))
        m_stage = Stage::Idle;
    platform::MarkStartup("version check asked");
}

void UpdateCheck::StateChanged(int state)
{
    platform::MarkStartup("version check reply");
    if (state != platform::HttpTransfer::kStateComplete && state != platform::HttpTransfer::kStateError)
        return;
    const Stage stage = std::exchange(m_stage, Stage::Idle);
    switch (stage) {
    case Stage::Idle:
        return;
    case Stage::VersionPage:
        if (state == platform::HttpTransfer::kStateComplete)
            ReadVersionReply();
        return;
    case Stage::Manifest:
        m_manifest = ReadFetched(state, platform::kMaxManifestBytes);
        if (m_manifest.state == platform::Fetched::Arrived)
            Fetch(Stage::Signature, platform::kSignatureName);
        return;
    case Stage::Signature: {
        const platform::FetchedFile signature = ReadFetched(state, platform::kMaxSignatureFileBytes);
        const platform::UpdateVerdict verdict
            = platform::CheckFetched(m_manifest, signature, platform::RulesFor(m_files, m_programFolder, m_version));
        if (verdict.manifest)
            Offer();
        return;
    }
    }
}

void UpdateCheck::ReadVersionReply()
{
    const QString page = intUpdate.readText(version_reply::kReadChars);
    if (!version_reply::OffersUpdate(page, QLatin1String(product::kVersion)))
        return;
    m_version = version_reply::PublishedVersion(page).value_or(QString());
    Fetch(Stage::Manifest, platform::kManifestName);
}

void UpdateCheck::Fetch(Stage stage, const char* name)
{
    m_stage = stage;
    if (intUpdate.start(platform::UpdateFolderUrl(QLatin1String(name)), QString(), QString(), QString()))
        m_stage = Stage::Idle;
}

platform::FetchedFile UpdateCheck::ReadFetched(int state, qsizetype maxBytes)
{
    // A transfer that failed part-way has no whole file to read; the body of a finished one is all in.
    const platform::FetchedFile file = state == platform::HttpTransfer::kStateComplete
        ? platform::ReadSmallReply(intUpdate, maxBytes, [] { return true; })
        : platform::FetchedFile {};
    intUpdate.cancel();
    return file;
}

void UpdateCheck::Offer()
{
    // An updater is installing it right now: a second one would only get in its way.
    if (m_updaterLock.isHeld() || !m_prompt(m_owner))
        return;
    const QString updater = QDir(m_programFolder).filePath(QStringLiteral("Freshbolt"));
    if (m_shell.startProgram(updater)) {
        emit quitForUpdate();
        return;
    }
    m_messageBoxes.ask(m_owner, QLatin1String(product::kTitle),
        u"Freshbolt could not be started from " + updater + u".\r\rLastbell Quillet has not been updated.",
        platform::MessageIcon::Critical, platform::MessageButtons::Ok);
}

} // namespace quillet
