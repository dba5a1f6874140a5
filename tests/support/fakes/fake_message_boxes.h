// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/message_boxes.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <functional>

namespace platform
{

// Records every question and answers from a script: first the answers given for the question's title, then the
// shared ones, each first in first out; an unscripted question gets the box's first button.
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
        if (const auto forTitle = answersByTitle.find(title); forTitle != answersByTitle.end() && !forTitle->isEmpty())
            return forTitle->takeFirst();
        if (!answers.isEmpty())
            return answers.takeFirst();
        switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
        case MessageButtons::OkCancel:
        case MessageButtons::Ok:
            break;
        }
        return MessageAnswer::Ok;
    }

    // The titles of the questions asked, in order.
    QStringList titles() const
    {
        QStringList result;
        for (const Question& question : questions)
            result.append(question.title);
        return result;
    }
    QStringList texts() const
    {
        QStringList result;
        for (const Question& question : questions)
            result.append(question.text);
        return result;
    }

    QMap<QString, QList<MessageAnswer>> answersByTitle;
    QList<MessageAnswer> answers;
    QList<Question> questions;
    // Runs while a box is up (the last question), as the user could change things before answering.
    std::function<void()> whileAsking;
};

} // namespace platform
