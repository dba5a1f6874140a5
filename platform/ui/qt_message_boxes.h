// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/message_boxes.h"

#include <memory>

class QMessageBox;

namespace platform
{

// The box every message of the program is shown in; `AnswerOf` reads the button it ended with.
std::unique_ptr<QMessageBox> MessageBoxFor(
    QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons);
MessageAnswer AnswerOf(int result, MessageButtons buttons);

class QtMessageBoxes final : public MessageBoxes
{
public:
    MessageAnswer ask(
        QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons) override;
};

} // namespace platform
