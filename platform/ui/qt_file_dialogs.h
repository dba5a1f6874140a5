// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/file_dialogs.h"

namespace platform
{

class QtFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget* owner, const OpenFileRequest& request) override;
    QString saveFile(QWidget* owner, const SaveFileRequest& request) override;
};

} // namespace platform
