// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class SimulatorProcess;
struct LoggedRequest;
class VirtualDisplay;

// The built Quillet run from a program folder of its own, in a home of its own (settings, data, cache), on a
// virtual display, reaching the local web service through the proxy setting. Ended when destroyed.
class RealQuillet
{
public:
    RealQuillet(QString programPath, SimulatorProcess& simulator, const VirtualDisplay& display);
    ~RealQuillet();
    RealQuillet(const RealQuillet&) = delete;
    RealQuillet& operator=(const RealQuillet&) = delete;

    // The program folder with the program copied in; false when the copy failed.
    bool layOut();
    QString programFolder() const;
    QString home(const QString& relative) const { return m_home.filePath(relative); }
    QString settingsFile() const;

    // Starts the program; the welcome screen is answered beforehand unless `welcome`.
    void start(bool welcome = false);
    QProcess& process() { return m_process; }
    // Starts the program once more as the same user, beside the first; the caller waits for it.
    std::unique_ptr<QProcess> startAgain(const QProcessEnvironment& extra = {}) const;
    // Starts the program and waits until its main window is up and the auction browser has asked for its first
    // page; the window's id, or nothing.
    QString startToMainWindow();
    // Waits until the service was asked for that address, that many times in all; false when it never was.
    bool requested(const QString& url, int timeoutMs, int times = 1) const;
    // Waits until the service has written its whole reply to a request for that address.
    bool answered(const QString& url, int timeoutMs) const;
    // Makes sure the program has handled every event that reached it before now: the page in front is reloaded
    // with F5 and its request awaited. False when the key went elsewhere, as it does when a window of the program
    // is up in front of the main window.
    bool handledEarlierEvents();
    // What the program said, for a window that never came.
    QString report();

private:
    QProcessEnvironment environment() const;
    // Waits for the main window (its caption is the title, " > " and the page's); its id, or nothing.
    QString mainWindow() const;
    bool logShows(const std::function<bool(const LoggedRequest&)>& matches, int times, int timeoutMs) const;

    QString m_programPath;
    SimulatorProcess& m_simulator;
    const VirtualDisplay& m_display;
    QTemporaryDir m_home;
    QProcess m_process;
};
