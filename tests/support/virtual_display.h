// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

// An X server of its own for one test, and xdotool to act as the user on it.
class VirtualDisplay
{
public:
    // How long a window or xdotool may take.
    static constexpr int kWaitMs = 30000;
    // How long a program's first window may take on a fresh, busy machine, which builds its GL and font caches
    // first.
    static constexpr int kFirstWindowWaitMs = 120000;

    ~VirtualDisplay();
    // False when Xvfb or xdotool is missing or the server does not come up.
    bool start();
    // The server with openbox on it, so windows get frames and the focus as on a desktop; false when either is
    // missing or does not come up.
    bool startDesktop();
    QString name() const { return m_name; }

    // Runs xdotool; its first line of output, or nothing when it failed or took too long.
    QString xdotool(const QStringList& arguments) const;
    // Waits for the visible window of exactly that title; its id, or nothing.
    QString window(const QString& title, int timeoutMs = kWaitMs) const;
    // Every visible window of exactly that title, as it is now.
    QStringList windows(const QString& title) const;
    // Waits until an xdotool search finds a window; its id, or nothing.
    QString waitFor(const QStringList& search, int timeoutMs) const;
    // Answer the window of that title and wait until it has closed.
    bool pressReturnIn(const QString& title) const;
    bool clickIn(const QString& title, const QPoint& at) const;

    // Acting on a window that stays open: each makes it the active window first. Keys are xdotool's names
    // ("alt+v", "Return"); a point counts from the window's top left corner, inside its frame.
    bool activate(const QString& id) const;
    bool keys(const QString& id, const QStringList& keys) const;
    bool type(const QString& id, const QString& text) const;
    bool click(const QString& id, const QPoint& at) const;
    // A click on the close box of the window's frame (openbox draws it rightmost in the title bar), as a user
    // ends a program; the window is not made active first.
    bool clickCloseBox(const QString& id) const;

private:
    static QStringList searchFor(const QString& title);
    // Runs an X utility (xdotool, xprop, xwininfo) on this display; its whole output, or nothing when it failed
    // or took too long.
    std::optional<QString> runTool(const QString& program, const QStringList& arguments) const;
    // xdotool's whole output; none when it failed or took too long.
    std::optional<QString> run(const QStringList& arguments) const;
    bool isShown(const QString& title, const QString& id) const;
    bool answer(const QString& title, const QStringList& action) const;

    QProcess m_server;
    QProcess m_windowManager;
    QString m_name;
};
