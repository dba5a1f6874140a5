// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/dialog_budget.h"
#include "platform/ui/page_services.h"

#include <QString>
#include <functional>

class QUrl;
class QWebEnginePage;
class QWidget;

namespace platform
{

// A page's script dialogs, asked through the message-box and prompt interfaces: captioned with the host that asks,
// never over the other tab (a page whose view is hidden is answered as Cancel at once), and at most three in a row.
class PageDialogs
{
public:
    PageDialogs(QWebEnginePage& page, PageServices services, std::function<void(const QString&)> refused);

    void alert(const QUrl& origin, const QString& text);
    bool confirm(const QUrl& origin, const QString& text);
    bool prompt(const QUrl& origin, const QString& text, const QString& proposed, QString* result);

private:
    // The view to show the dialog over; none when the page may not ask now.
    QWidget* askingView();

    QWebEnginePage& m_page;
    PageServices m_services;
    std::function<void(const QString&)> m_refused;
    DialogBudget m_budget;
};

} // namespace platform
