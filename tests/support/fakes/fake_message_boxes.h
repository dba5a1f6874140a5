// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/message_boxes.h"

#include <QList>
#include <functional>

namespace platform
{

// Answers from a script, first in first out; an unscripted question gets the box's first button.
class FakeMessageBoxes final : public MessageBoxes
{
public:
    struct Question {
        QString title;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer ask(
        QWidget*, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons) override
    {
        questions.append({ title, text, icon, buttons });
        if (whileAsking)
            whileAsking();
        if (!answers.isEmpty())
            return answers.takeFirst();
        switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
        case MessageButtons::Ok:
            break;
        }
        return MessageAnswer::Ok;
    }

    QList<MessageAnswer> answers;
    QList<Question> questions;
    // Runs while a box is up, as the user could change things before answering.
    std::function<void()> whileAsking;
};

} // namespace platform
