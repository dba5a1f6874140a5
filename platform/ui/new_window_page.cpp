// SPDX-License-Identifier: MIT
#include "platform/ui/new_window_page.h"

#include <QDesktopServices>

namespace platform
{

namespace
{

// Stands in for the new window only until its first address is known, then hands that to the desktop.
class HandOverPage final : public QWebEnginePage
{
public:
    HandOverPage(QWebEngineProfile* profile, QObject* parent)
        : QWebEnginePage(profile, parent)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

} // namespace

NewWindowAwarePage::NewWindowAwarePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{
}

QWebEnginePage* NewWindowAwarePage::createWindow(WebWindowType)
{
    return new HandOverPage(profile(), this);
}

} // namespace platform
