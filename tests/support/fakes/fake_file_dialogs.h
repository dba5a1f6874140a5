// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/file_dialogs.h"

#include <QList>
#include <QString>

namespace platform
{

// Answers every open-file dialog with `answer` and every save-file dialog with `saveAnswer` (empty: cancelled),
// and records what it was asked.
class FakeFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget*, const OpenFileRequest& request) override
    {
        requests.append(request);
        return answer;
    }
    QString saveFile(QWidget*, const SaveFileRequest& request) override
    {
        saveRequests.append(request);
        return saveAnswer;
    }
    QString answer;
    QList<OpenFileRequest> requests;
    QString saveAnswer;
    QList<SaveFileRequest> saveRequests;
};
} // namespace platform
