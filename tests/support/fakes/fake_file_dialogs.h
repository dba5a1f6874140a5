// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/file_dialogs.h"

#include <QList>
#include <QString>

namespace platform
{

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
