// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/message_boxes.h"

namespace platform
{

class QtMessageBoxes final : public MessageBoxes
{
public:
    MessageAnswer ask(
        QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons) override;
};

} // namespace platform
