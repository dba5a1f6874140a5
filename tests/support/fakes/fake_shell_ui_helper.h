// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/shell_ui_helper.h"

#include <QList>
#include <QString>

namespace platform
{

// Records every call; adds and imports nothing.
class FakeShellUIHelper final : public ShellUIHelper
{
public:
    struct Call {
        QString operation; // "AddFavorite" or "ImportExportFavorites"
        QString first; // the address, or "import"/"export"
        QString second; // the title, or the path
    };
    void AddFavorite(const QString& url, const QString& title) override
    {
        calls.append({ QStringLiteral("AddFavorite"), url, title });
    }
    void ImportExportFavorites(bool import, const QString& path) override
    {
        calls.append({ QStringLiteral("ImportExportFavorites"),
            import ? QStringLiteral("import") : QStringLiteral("export"), path });
    }
    QList<Call> calls;
};
} // namespace platform
