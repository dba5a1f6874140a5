// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/page_services.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWebEngineDownloadRequest;
class QWebEnginePage;

namespace platform
{

// One page's downloads: the user chooses where with the save dialog (the Downloads folder proposed); the bytes go to
// a ".part" file beside it, renamed only when whole; a failed or cancelled download leaves nothing. Progress and the
// end are told in words for the status bar. Nothing downloaded is ever opened or run.
class PageDownloads final : public QObject
{
    Q_OBJECT
public:
    PageDownloads(QWebEnginePage& page, PageServices services, std::function<void(const QString&)> tell);

    // Stop: the running download, if any, is cancelled.
    void cancel();
    bool running() const { return !m_running.isNull(); }

private:
    void requested(QWebEngineDownloadRequest* download);
    void progressed();
    void ended();

    QWebEnginePage& m_page;
    PageServices m_services;
    std::function<void(const QString&)> m_tell;
    QPointer<QWebEngineDownloadRequest> m_running;
    QString m_chosen;
};

} // namespace platform
