// SPDX-License-Identifier: MIT
#include "platform/core/system_info_locator.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace platform
{

PathSystemInfoLocator::PathSystemInfoLocator(QStringList programs, QStringList searchPath)
    : m_programs(std::move(programs))
    , m_searchPath(std::move(searchPath))
{
}

QStringList PathSystemInfoLocator::defaultPrograms()
{
    return { QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"), QStringLiteral("kinfocenter"),
        QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager"), QStringLiteral("lxtask") };
}

QString PathSystemInfoLocator::findTool() const
{
    for (const QString& program : m_programs) {
        const QString path = QStandardPaths::findExecutable(program, m_searchPath);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool PathSystemInfoLocator::readValue(
    KeyRoot root, const QString& keyName, const QString& valueName, QString& value) const
{
    value.clear();
    if (root != KeyRoot::LocalMachine)
        return false;
    // Key names are matched without regard to case, as the registry does.
    const auto is = [](const QString& given, const char* expected) {
        return given.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
    };
    const bool pathKey = is(keyName, kToolPathKey) && is(valueName, kToolPathValue);
    const bool folderKey = is(keyName, kToolFolderKey) && is(valueName, kToolFolderValue);
    if (!pathKey && !folderKey)
        return false;
    const QString tool = findTool();
    if (tool.isEmpty())
        return false;
    value = pathKey ? tool : QFileInfo(tool).absolutePath();
    return true;
}

} // namespace platform
