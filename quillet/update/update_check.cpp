// SPDX-License-Identifier: MIT
#include "quillet/update/update_check.h"

#include "platform/core/http_transfer.h"
#include "platform/core/instance_lock.h"
#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/shell.h"
#include "quillet/update/fnewversion.h"
#include "quillet/update/version_reply.h"

#include <QDir>

namespace quillet
{

UpdateCheck::UpdateCheck(platform::HttpTransfer& intUpdate, platform::Shell& shell,
    platform::MessageBoxes& messageBoxes, QString programFolder, QWidget* owner, Prompt prompt)
    : intUpdate(intUpdate)
    , m_shell(shell)
    , m_messageBoxes(messageBoxes)
    , m_programFolder(std::move(programFolder))
    , m_owner(owner)
    , m_prompt(prompt ? std::move(prompt) : Prompt(&FNewVersion::Offer))
{
    connect(&intUpdate, &platform::HttpTransfer::stateChanged, this, &UpdateCheck::StateChanged);
}

void UpdateCheck::CheckForUpdate()
{
    // A request that cannot even start is a failed check: nobody is told.
    intUpdate.start(version_reply::PageUrl(), QString(), QString(), QString());
}

void UpdateCheck::StateChanged(int state)
{
    if (state == platform::HttpTransfer::kStateComplete)
        ReadVersionReply();
}

void UpdateCheck::ReadVersionReply()
{
    const QString page = intUpdate.readText(version_reply::kReadChars);
    if (!version_reply::OffersUpdate(page, QLatin1String(product::kVersion)))
        return;
    // An updater is installing it right now: a second one would only get in its way.
    if (platform::InstanceLock(m_programFolder, platform::LockHolder::Updater).isHeld() || !m_prompt(m_owner))
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
