// SPDX-License-Identifier: MIT
#include "freshbolt/fdownload.h"

#include <QApplication>
#include <QDir>

namespace freshbolt
{

FDownload::FDownload(
    const Services& services, const QString& programFolder, std::chrono::milliseconds readyInterval, QObject* parent)
    : QObject(parent)
    , m_downloader(services, m_window, QDir(programFolder).filePath(QStringLiteral("DOWNLD2.AVI")), &m_window)
{
    connect(&m_window, &DownloadWindow::cancelRequested, &m_downloader, &Downloader::Cancel);
    timTimer.setInterval(readyInterval);
    connect(&timTimer, &QTimer::timeout, this, [this] { m_readyForDownload = true; });
    // The pause runs on even when the user closes the window meanwhile, so the updater never waits for ever.
    timTimer.start();
}

bool FDownload::DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
    const QString& Password, QFileDevice::Permissions atLeast, const std::optional<PublishedFile>& published)
{
    return m_downloader.DownloadFile(strURL, strDestination, UserName, Password, atLeast, published);
}

void FDownload::EndSession()
{
    m_sessionEnding = true;
    m_downloader.Cancel();
    CloseOpenQuestion();
}

void CloseOpenQuestion()
{
    if (QWidget* question = QApplication::activeModalWidget())
        question->close();
}

} // namespace freshbolt
