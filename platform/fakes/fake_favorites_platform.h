// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_dialogs.h"
#include "platform/shell_folders.h"
#include "platform/shell_ui_helper.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace platform
{

// Special folders from a table the test fills.
class FakeSpecialFolders final : public SpecialFolders
{
public:
    QString path(int csidl) const override { return folders.value(csidl); }
    QHash<int, QString> folders;
};

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

// Answers every open-file dialog with `answer` (empty: cancelled) and records what it was asked.
class FakeFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget*, const OpenFileRequest& request) override
    {
        requests.append(request);
        return answer;
    }
    QString answer;
    QList<OpenFileRequest> requests;
};

} // namespace platform
