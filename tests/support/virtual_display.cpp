// SPDX-License-Identifier: MIT
#include "virtual_display.h"

#include <QDeadlineTimer>
#include <QMap>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;

namespace
{
// How long an answered window may take to close before the answer is given again.
constexpr int kCloseWaitMs = 3000;
// Waits do not run the event loop: a test's own process must still be there for it to wait on.
constexpr int kPollMs = 50;
} // namespace

VirtualDisplay::~VirtualDisplay()
{
    m_windowManager.kill();
    m_windowManager.waitForFinished();
    m_server.kill();
    m_server.waitForFinished();
}

bool VirtualDisplay::start()
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
        return false;
    // Xvfb writes its display number once it accepts clients. Without -noreset it resets whenever its last client
    // leaves, and a program that starts just then cannot connect ("could not connect to display").
    m_server.start(u"Xvfb"_s, { u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s });
    if (!m_server.waitForStarted() || !m_server.waitForReadyRead(kWaitMs))
        return false;
    m_name = u":"_s + QString::fromLatin1(m_server.readAllStandardOutput()).trimmed();
    return m_name.size() > 1;
}

bool VirtualDisplay::startDesktop()
{
    if (QStandardPaths::findExecutable(u"openbox"_s).isEmpty() || !start())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_name);
    m_windowManager.setProcessEnvironment(environment);
    m_windowManager.start(u"openbox"_s, { u"--sm-disable"_s });
    if (!m_windowManager.waitForStarted())
        return false;
    // It has taken the display once its check window is there (a window of its own, never shown).
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired() && m_windowManager.state() == QProcess::Running) {
        if (!xdotool({ u"search"_s, u"--class"_s, u"openbox"_s }).isEmpty())
            return true;
        QThread::msleep(kPollMs);
    }
    return false;
}

QString VirtualDisplay::xdotool(const QStringList& arguments) const
{
    return run(arguments).value_or(QString()).section(u'\n', 0, 0).trimmed();
}

std::optional<QString> VirtualDisplay::run(const QStringList& arguments) const
{
    return runTool(u"xdotool"_s, arguments);
}

std::optional<QString> VirtualDisplay::runTool(const QString& program, const QStringList& arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_name);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(kWaitMs) || tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished();
        return std::nullopt;
    }
    return QString::fromLatin1(tool.readAllStandardOutput());
}

QStringList VirtualDisplay::searchFor(const QString& title)
{
    return { u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + title + u"$"_s };
}

QString VirtualDisplay::window(const QString& title, int timeoutMs) const
{
    return waitFor(searchFor(title), timeoutMs);
}

QStringList VirtualDisplay::windows(const QString& title) const
{
    return run(searchFor(title)).value_or(QString()).split(u'\n', Qt::SkipEmptyParts);
}

QString VirtualDisplay::waitFor(const QStringList& search, int timeoutMs) const
{
    // Polled rather than xdotool's own wait: a search fails outright when a window goes away while it looks.
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString id = xdotool(search);
        if (!id.isEmpty())
            return id;
        QThread::msleep(kPollMs);
    }
    return {};
}

bool VirtualDisplay::isShown(const QString& title, const QString& id) const
{
    return windows(title).contains(id);
}

bool VirtualDisplay::answer(const QString& title, const QStringList& action) const
{
    const QString id = window(title);
    if (id.isEmpty())
        return false;
    // A window that has only just been mapped can refuse the focus or drop input it gets before it is ready;
    // answer again while it stays open. (xdotool's own wait for the focus would wait for good on a refusal.)
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired()) {
        xdotool({ u"windowfocus"_s, id });
        xdotool(QStringList(action).replaceInStrings(u"%id"_s, id));
        // Closed once two searches in a row miss it: one search can fail while another window goes.
        const QDeadlineTimer closing(kCloseWaitMs);
        for (int misses = 0; !closing.hasExpired(); QThread::msleep(kPollMs)) {
            misses = isShown(title, id) ? 0 : misses + 1;
            if (misses == 2)
                return true;
        }
    }
    return false;
}

bool VirtualDisplay::activate(const QString& id) const
{
    // Asked again until the window manager has given it the focus: a window just mapped can refuse it.
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired()) {
        xdotool({ u"windowactivate"_s, id });
        if (xdotool({ u"getactivewindow"_s }) == id)
            return true;
        QThread::msleep(kPollMs);
    }
    return false;
}

bool VirtualDisplay::keys(const QString& id, const QStringList& keys) const
{
    return activate(id) && run(QStringList { u"key"_s, u"--delay"_s, u"50"_s } + keys);
}

bool VirtualDisplay::type(const QString& id, const QString& text) const
{
    return activate(id) && run({ u"type"_s, u"--delay"_s, u"30"_s, text });
}

bool VirtualDisplay::click(const QString& id, const QPoint& at) const
{
    return activate(id)
        && run({ u"mousemove"_s, u"--window"_s, id, QString::number(at.x()), QString::number(at.y()), u"click"_s,
            u"1"_s });
}

bool VirtualDisplay::clickCloseBox(const QString& id) const
{
    // The frame's sizes (left, right, top, bottom), and the window's place on the screen as xwininfo gives it
    // (xdotool counts a framed window's offset twice).
    const QString extents
        = runTool(u"xprop"_s, { u"-id"_s, id, u"_NET_FRAME_EXTENTS"_s }).value_or(QString()).section(u'=', 1);
    const QStringList sizes = extents.split(u',', Qt::SkipEmptyParts);
    QMap<QString, int> place;
    const QString window = runTool(u"xwininfo"_s, { u"-id"_s, id }).value_or(QString());
    for (const QString& line : window.split(u'\n', Qt::SkipEmptyParts))
        place.insert(line.section(u':', 0, 0).trimmed(), line.section(u':', 1).trimmed().toInt());
    if (sizes.size() != 4 || !place.contains(u"Width"_s))
        return false;
    const int right = sizes[1].trimmed().toInt();
    const int title = sizes[2].trimmed().toInt();
    // The box is about as wide as the title bar is high, flush with the frame's right edge.
    const int x = place.value(u"Absolute upper-left X"_s) + place.value(u"Width"_s) + right - title / 2;
    const int y = place.value(u"Absolute upper-left Y"_s) - title / 2;
    return title > 0 && run({ u"mousemove"_s, QString::number(x), QString::number(y), u"click"_s, u"1"_s });
}

bool VirtualDisplay::pressReturnIn(const QString& title) const
{
    return answer(title, { u"key"_s, u"Return"_s });
}

bool VirtualDisplay::clickIn(const QString& title, const QPoint& at) const
{
    return answer(title,
        { u"mousemove"_s, u"--window"_s, u"%id"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s,
            u"1"_s });
}
