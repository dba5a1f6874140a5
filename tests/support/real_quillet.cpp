// SPDX-License-Identifier: MIT
#include "real_quillet.h"

#include "simulator_process.h"
#include "virtual_display.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QThread>
#include <algorithm>

using namespace Qt::StringLiterals;

RealQuillet::RealQuillet(QString programPath, SimulatorProcess& simulator, const VirtualDisplay& display)
    : m_programPath(std::move(programPath))
    , m_simulator(simulator)
    , m_display(display)
{
}

RealQuillet::~RealQuillet()
{
    m_process.kill();
    m_process.waitForFinished();
}

bool RealQuillet::layOut()
{
    return QDir().mkpath(programFolder()) && QFile::copy(m_programPath, programFolder() + u"/Quillet"_s);
}

QString RealQuillet::programFolder() const
{
    return home(u"program"_s);
}

QString RealQuillet::settingsFile() const
{
    return home(u"config/Lastbell Quillet/Lastbell Quillet.ini"_s);
}

QProcessEnvironment RealQuillet::environment() const
{
    QProcessEnvironment environment = m_simulator.proxyEnvironment();
    environment.insert(u"DISPLAY"_s, m_display.name());
    environment.remove(u"QT_QPA_PLATFORM"_s);
    environment.insert(u"XDG_CONFIG_HOME"_s, home(u"config"_s));
    environment.insert(u"XDG_DATA_HOME"_s, home(u"data"_s));
    environment.insert(u"XDG_CACHE_HOME"_s, home(u"cache"_s));
    return environment;
}

void RealQuillet::start(bool welcome)
{
    if (!welcome) {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(u"Settings/StartScreen"_s, u"N"_s);
        settings.sync();
    }
    m_process.setProcessEnvironment(environment());
    m_process.start(programFolder() + u"/Quillet"_s, {});
}

std::unique_ptr<QProcess> RealQuillet::startAgain(const QProcessEnvironment& extra) const
{
    QProcessEnvironment environment = this->environment();
    for (const QString& name : extra.keys())
        environment.insert(name, extra.value(name));
    auto again = std::make_unique<QProcess>();
    again->setProcessEnvironment(environment);
    again->start(programFolder() + u"/Quillet"_s, {});
    return again;
}

QString RealQuillet::mainWindow() const
{
    return m_display.waitFor({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Lastbell Quillet > "_s },
        VirtualDisplay::kFirstWindowWaitMs);
}

bool RealQuillet::handledEarlierEvents()
{
    // Window-system events and network replies reach the program's one thread as events in the order they came:
    // once a reload asked for with F5 is seen, everything before the key has been handled. The key goes to the
    // browser in front; a modal window in front of the main window would take it, and no reload comes.
    const QString id = mainWindow();
    if (id.isEmpty())
        return false;
    const auto reloads = [](const LoggedRequest& request) { return request.header("Cache-Control") == "max-age=0"; };
    const QList<LoggedRequest> before = m_simulator.log();
    const int seen = static_cast<int>(std::count_if(before.begin(), before.end(), reloads));
    const QDeadlineTimer deadline(VirtualDisplay::kWaitMs);
    while (!deadline.hasExpired()) {
        // A key can be dropped while the window takes the focus: pressed again until the reload comes.
        m_display.xdotool({ u"windowfocus"_s, id });
        m_display.xdotool({ u"key"_s, u"F5"_s });
        if (logShows(reloads, seen + 1, 3000))
            return true;
    }
    return false;
}

QString RealQuillet::startToMainWindow()
{
    start();
    const QString id = mainWindow();
    return !id.isEmpty() && requested(u"http://www.ebay.com/"_s, VirtualDisplay::kWaitMs) ? id : QString();
}

bool RealQuillet::requested(const QString& url, int timeoutMs, int times) const
{
    return logShows([&url](const LoggedRequest& request) { return request.url == url; }, times, timeoutMs);
}

bool RealQuillet::answered(const QString& url, int timeoutMs) const
{
    return logShows(
        [&url](const LoggedRequest& request) { return request.url == url && request.answered; }, 1, timeoutMs);
}

bool RealQuillet::logShows(const std::function<bool(const LoggedRequest&)>& matches, int times, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QList<LoggedRequest> log = m_simulator.log();
        if (std::count_if(log.begin(), log.end(), matches) >= times)
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString RealQuillet::report()
{
    const QString state = m_process.state() == QProcess::NotRunning
        ? u"Quillet ended with "_s + QString::number(m_process.exitCode())
        : u"Quillet still runs"_s;
    return state + u"; it wrote:\n"_s + QString::fromLocal8Bit(m_process.readAllStandardError());
}
