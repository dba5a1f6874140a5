// SPDX-License-Identifier: MIT
#include "quillet/commands/help_commands.h"

#include "platform/core/hosts.h"
#include "platform/core/product.h"

#include <QDir>

namespace quillet
{

namespace
{

QString titleAndVersion()
{
    return QLatin1String(product::kTitle) + QLatin1Char(' ') + QLatin1String(product::kVersion);
}

} // namespace

QString HelpFileAddress(const QString& programFolder)
{
    return programFolder + QDir::separator() + QStringLiteral("help") + QDir::separator()
        + QStringLiteral("Quillet_help.htm");
}

QString MakerHomeAddress()
{
    return QStringLiteral("http://") + QLatin1String(hosts::kMakerServer) + QStringLiteral("?quillet");
}

QString MakerRootAddress()
{
    return QStringLiteral("http://") + QLatin1String(hosts::kMakerServer) + QLatin1Char('/');
}

QString MakerHostCaption()
{
    return QLatin1String(hosts::kMakerServer);
}

QString LastbellOnlineAddress()
{
    return QStringLiteral("http://") + QLatin1String(hosts::kMakerServer) + QLatin1String(hosts::kMakerLastbellPath);
}

QString FeedbackMailAddress()
{
    return QStringLiteral("mailto:") + QLatin1String(hosts::kLastbellHelpMail) + QStringLiteral("?subject= ")
        + titleAndVersion();
}

QString JoinListMailAddress()
{
    return QStringLiteral("mailto:") + QLatin1String(hosts::kMakerListMail)
        + QStringLiteral("?subject=Subscribe List REF: ") + titleAndVersion();
}

} // namespace quillet
