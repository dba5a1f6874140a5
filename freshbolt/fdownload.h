// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/downloader.h"

#include <QWidget>
#include <chrono>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace platform
{
class AnimationPlayer;
class MessageBoxes;
} // namespace platform

namespace freshbolt
{

// Shortens text around a middle "..." to fit the label, measured with its parent window's font.
QString FitLabelText(const QLabel* label, const QString& text);

// The download window: progress of one file at a time.
class FDownload final : public QWidget, private DownloadView
{
    Q_OBJECT
public:
    struct Services {
        platform::HttpTransfer& transfer;
        const platform::Clock& clock;
        platform::LocalFiles& files;
        platform::MessageBoxes& messageBoxes;
    };

    // The start pause: ReadyForDownload turns true once `readyInterval` has passed.
    FDownload(const Services& services, const QString& programFolder,
        std::chrono::milliseconds readyInterval = std::chrono::milliseconds(5000), QWidget* parent = nullptr);
    ~FDownload() override;

    bool ReadyForDownload() const { return m_readyForDownload; }
    bool DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
        const QString& Password, QFileDevice::Permissions atLeast = Downloader::kDataFile);
    // Log-off, shutdown or SIGTERM: a running download ends as if cancelled, and an open question is closed.
    void EndSession();
    bool SessionEnding() const { return m_sessionEnding; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void placeOffScreen();
    void showPendingProgress();

    // DownloadView
    void setStatusText(const QString& text) override;
    void setSourceText(const QString& text) override;
    void setDestinationText(const QString& text) override;
    void setTimeText(const QString& text) override;
    void setRateText(const QString& text) override;
    void startProgress(qint64 total) override;
    void showChunkProgress(const ChunkProgress& progress) override;
    std::optional<QString> openClip(const QString& path) override;
    void closeClip() override;
    void showCentred() override;
    void unload() override;
    void processEvents() override;
    void waitForEvents() override;
    platform::MessageAnswer ask(const QString& title, const QString& text, platform::MessageIcon icon,
        platform::MessageButtons buttons) override;

    platform::MessageBoxes& m_messageBoxes;
    QLabel* lblDownloading;
    QLabel* lblTollmark;
    platform::AnimationPlayer* Animation1;
    QLabel* StatusLabel;
    QLabel* SourceLabel;
    QProgressBar* ProgressBar;
    QLabel* EstimatedTimeLeft;
    QLabel* TimeLabel;
    QLabel* DownloadTo;
    QLabel* ToLabel;
    QLabel* TransferRate;
    QLabel* RateLabel;
    QPushButton* CancelButton;
    QTimer* timTimer;

    Downloader m_downloader;
    bool m_readyForDownload = false;
    bool m_unloading = false;
    bool m_sessionEnding = false;
    qint64 m_lastEventsMs = 0; // when events were last handled, on the coarse clock
    std::optional<ChunkProgress> m_pendingProgress; // the latest chunk's, until the next frame shows it
};

// Closes the question on screen, if any, with its cancelling answer: at the session's end nobody is there to
// answer it.
void CloseOpenQuestion();

} // namespace freshbolt
