// SPDX-License-Identifier: MIT
// The browser favorites: the tree, adding the auction page, importing a bookmark file.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/file_dialogs.h"
#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/shell_ui_helper.h"
#include "platform/core/web_browser.h"
#include "quillet/favourites/fiefavorites.h"

#include <QDir>
#include <QStandardPaths>

namespace quillet
{

void FMain::ShowBrowserFavorites()
{
    if (!m_services.specialFolders)
        return;
    QString address;
    {
        FIEFavorites favorites(*m_services.specialFolders, this);
        favorites.exec();
        address = favorites.ChosenAddress();
    }
    if (!address.isEmpty())
        OpenInAuctionBrowser(address);
}

platform::ShellUIHelper* FMain::shellUIHelper()
{
    if (!m_shellUIHelper && m_services.createShellUIHelper)
        m_shellUIHelper = m_services.createShellUIHelper(this);
    return m_shellUIHelper.get();
}

void FMain::AddToBrowserFavorites()
{
    const QString address = m_brwAuction->locationAddress();
    const QString name = m_brwAuction->locationName();
    if (name.isEmpty()) {
        m_services.messages.ask(this, QLatin1String(product::kTitle),
            QStringLiteral("You must navigate to a webpage and be viewing it\r\nto add it to your favorites list."),
            platform::MessageIcon::None, platform::MessageButtons::Ok);
        return;
    }
    if (platform::ShellUIHelper* helper = shellUIHelper())
        helper->AddFavorite(address, name);
}

void FMain::ImportNetscapeFavorites()
{
    if (!m_services.fileDialogs)
        return;
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    platform::OpenFileRequest request;
    request.title = QStringLiteral("Import Netscape Bookmarks to Favorites");
    request.filterText = QStringLiteral("Bookmark files (*.htm)");
    // Firefox and Chromium export ".html": the filter matches it as the short file names of Windows did.
    request.patterns = QStringList { QStringLiteral("*.htm"), QStringLiteral("*.html") };
    request.startFolder = !downloads.isEmpty() && QDir(downloads).exists() ? downloads : QDir::homePath();
    const QString path = m_services.fileDialogs->openFile(this, request);
    if (path.isEmpty())
        return;
    if (platform::ShellUIHelper* helper = shellUIHelper())
        helper->ImportExportFavorites(true, path);
}

} // namespace quillet
