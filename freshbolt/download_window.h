// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_view.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace platform
{
class AnimationPlayer;
}

namespace freshbolt
{

// Shortens text around a middle "..." to fit the label, measured with its parent window's font.
QString FitLabelText(const QLabel* label, const QString& text);

// The download window: shows one file's download as it is told, and reports the user's cancel.
class DownloadWindow final : public QWidget, public DownloadView
{
    Q_OBJECT
public:
    explicit DownloadWindow(QWidget* parent = nullptr);

    void setStatusText(const QString& text) override;
    void setSourceText(const QString& text) override;
    void setDestinationText(const QString& text) override;
    void setTimeText(const QString& text) override;
    void setRateText(const QString& text) override;
    void startProgress(qint64 total) override;
    void showProgress(const ChunkProgress& progress) override;
    std::optional<QString> openClip(const QString& path) override;
    void closeClip() override;
    void showCentred() override;
    void placeOffScreen() override;
    void unload() override;

signals:
    // The Cancel button, Escape, or the close box.
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
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

    bool m_unloading = false;
};

} // namespace freshbolt
