// SPDX-License-Identifier: MIT
#include "platform/ui/page_downloads.h"

#include "platform/core/file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace platform
{

namespace
{

// The file a download is written to until it is whole, beside the one the user chose.
QString PartFileOf(const QString& chosen)
{
    return chosen + QStringLiteral(".part");
}

// The name proposed in the save dialog: the page's suggestion with no folder part, or "download".
QString ProposedFileName(const QString& suggested)
{
    const QString name = QFileInfo(suggested).fileName().trimmed();
    return name.isEmpty() || name == u"." || name == u".." ? QStringLiteral("download") : name;
}

} // namespace

PageDownloads::PageDownloads(QWebEnginePage& page, PageServices services, std::function<void(const QString&)> tell)
    : QObject(&page)
    , m_page(page)
    , m_services(services)
    , m_tell(std::move(tell))
{
    // The profile is shared by both browsers: each takes only its own page's downloads.
    connect(page.profile(), &QWebEngineProfile::downloadRequested, this, [this](QWebEngineDownloadRequest* download) {
        if (download->page() == &m_page)
            requested(download);
    });
}

void PageDownloads::requested(QWebEngineDownloadRequest* download)
{
    const QString name = ProposedFileName(download->downloadFileName());
    if (m_running) {
        download->cancel();
        m_tell(QStringLiteral("Not downloaded: ") + name + QStringLiteral(" (another download is running)"));
        return;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QDir().mkpath(folder); // as browsers do: the user's Downloads folder is there for the first download
    const QString chosen = m_services.files.saveFile(
        QWebEngineView::forPage(&m_page), { QStringLiteral("Save ") + name, QDir(folder).filePath(name) });
    if (chosen.isEmpty()) {
        download->cancel();
        m_tell(QStringLiteral("Download cancelled: ") + name);
        return;
    }
    m_chosen = chosen;
    m_running = download;
    // A .part file of an earlier run would make the engine pick another name.
    QFile::remove(PartFileOf(chosen));
    download->setDownloadDirectory(QFileInfo(chosen).absolutePath());
    download->setDownloadFileName(QFileInfo(PartFileOf(chosen)).fileName());
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, &PageDownloads::progressed);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, &PageDownloads::ended);
    download->accept();
    progressed();
}

void PageDownloads::progressed()
{
    if (!m_running)
        return;
    const QLocale locale;
    const qint64 received = m_running->receivedBytes();
    const qint64 total = m_running->totalBytes();
    QString text = QStringLiteral("Downloading ") + QFileInfo(m_chosen).fileName() + QStringLiteral(": ")
        + locale.formattedDataSize(received);
    if (total > 0)
        text += QStringLiteral(" of ") + locale.formattedDataSize(total);
    m_tell(text + QStringLiteral(" (Stop cancels it)"));
}

void PageDownloads::ended()
{
    if (!m_running || !m_running->isFinished())
        return;
    const QString part = PartFileOf(m_chosen);
    const QString name = QFileInfo(m_chosen).fileName();
    const QWebEngineDownloadRequest::DownloadState state = m_running->state();
    const QString reason = m_running->interruptReasonString();
    m_running = nullptr;
    if (state == QWebEngineDownloadRequest::DownloadCompleted) {
        // The save dialog asked before replacing a file of that name.
        QFile::remove(m_chosen);
        QFile whole(part);
        if (whole.rename(m_chosen)) {
            m_tell(QStringLiteral("Downloaded: ") + m_chosen);
            return;
        }
        m_tell(QStringLiteral("Download failed: ") + name + QStringLiteral(" could not be written (")
            + whole.errorString() + QLatin1Char(')'));
    } else if (state == QWebEngineDownloadRequest::DownloadCancelled) {
        m_tell(QStringLiteral("Download cancelled: ") + name);
    } else {
        m_tell(QStringLiteral("Download failed: ") + name + QStringLiteral(" (") + reason + QLatin1Char(')'));
    }
    QFile::remove(part);
}

void PageDownloads::cancel()
{
    if (m_running)
        m_running->cancel();
}

} // namespace platform
