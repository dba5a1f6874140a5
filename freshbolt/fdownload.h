// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_window.h"
#include "freshbolt/downloader.h"

#include <QObject>
#include <QTimer>
#include <chrono>

namespace freshbolt
{

// The updater's download: its window, the download that the window shows, and the start pause. The window reports
// the user's cancel to the download; the download tells the window what to show and asks its questions itself.
class FDownload final : public QObject
{
    Q_OBJECT
public:
    using Services = DownloadServices;

    // The start pause: ReadyForDownload turns true once `readyInterval` has passed.
    FDownload(const Services& services, const QString& programFolder,
        std::chrono::milliseconds readyInterval = std::chrono::milliseconds(5000), QObject* parent = nullptr);

    bool ReadyForDownload() const { return m_readyForDownload; }
    bool DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
        const QString& Password, QFileDevice::Permissions atLeast = Downloader::kDataFile,
        const std::optional<PublishedFile>& published = std::nullopt);
    // Log-off, shutdown or SIGTERM: a running download ends as if cancelled, and an open question is closed.
    void EndSession();
    bool SessionEnding() const { return m_sessionEnding; }

    // What the user sees and acts on.
    DownloadWindow& window() { return m_window; }

private:
    DownloadWindow m_window;
    Downloader m_downloader;
    QTimer timTimer;
    bool m_readyForDownload = false;
    bool m_sessionEnding = false;
};

// Closes the question on screen, if any, with its cancelling answer: at the session's end nobody is there to
// answer it.
void CloseOpenQuestion();

} // namespace freshbolt
