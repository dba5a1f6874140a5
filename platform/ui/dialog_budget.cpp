// SPDX-License-Identifier: MIT
#include "platform/ui/dialog_budget.h"

#include <QUrl>

namespace platform
{

bool DialogBudget::spend()
{
    if (m_shown >= kInARow)
        return false;
    ++m_shown;
    return true;
}

QString DialogCaption(const QUrl& page)
{
    const QString host = page.host();
    return (host.isEmpty() ? QStringLiteral("This page") : host) + QStringLiteral(" says");
}

QString DialogsUsedUpText()
{
    return QStringLiteral("No more dialogs from this page until it is reloaded");
}

} // namespace platform
