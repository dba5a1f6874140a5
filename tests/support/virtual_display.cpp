// SPDX-License-Identifier: MIT
#include "virtual_display.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace
{
constexpr int kWaitMs = 30000;
}

VirtualDisplay::~VirtualDisplay()
{
    m_server.kill();
    m_server.waitForFinished();
}

bool VirtualDisplay::start()
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
        return false;
    // Xvfb writes its display number once it accepts clients.
    m_server.start(u"Xvfb"_s, { u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s });
    if (!m_server.waitForStarted() || !m_server.waitForReadyRead(kWaitMs))
        return false;
    m_name = u":"_s + QString::fromLatin1(m_server.readAllStandardOutput()).trimmed();
    return m_name.size() > 1;
}

QString VirtualDisplay::xdotool(const QStringList& arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_name);
    tool.setProcessEnvironment(environment);
    tool.start(u"xdotool"_s, arguments);
    if (!tool.waitForFinished(kWaitMs) || tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromLatin1(tool.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

QString VirtualDisplay::window(const QString& title) const
{
    return xdotool({ u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + title + u"$"_s });
}

bool VirtualDisplay::pressReturnIn(const QString& title) const
{
    const QString id = window(title);
    return !id.isEmpty() && xdotool({ u"windowfocus"_s, u"--sync"_s, id }).isEmpty()
        && xdotool({ u"key"_s, u"Return"_s }).isEmpty();
}

bool VirtualDisplay::clickIn(const QString& title, const QPoint& at) const
{
    const QString id = window(title);
    return !id.isEmpty()
        && xdotool(
            { u"mousemove"_s, u"--window"_s, id, QString::number(at.x()), QString::number(at.y()), u"click"_s, u"1"_s })
               .isEmpty();
}
