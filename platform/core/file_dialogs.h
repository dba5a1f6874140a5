// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace platform
{

struct OpenFileRequest {
    QString title;
    QString filterText; // the one entry of the file-type list, as the user reads it
    QStringList patterns; // the names it matches ("*.htm")
    QString startFolder;
};

struct SaveFileRequest {
    QString title;
    QString suggestedPath; // the folder and name proposed
};

// The open-file and save-file dialogs.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path; empty when the user cancelled.
    virtual QString openFile(QWidget* owner, const OpenFileRequest& request) = 0;
    // The path to save to; empty when the user cancelled.
    virtual QString saveFile(QWidget* owner, const SaveFileRequest& request) = 0;
};

} // namespace platform
