// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/page_prompts.h"

#include <QList>
#include <QStringList>

namespace platform
{

// Answers from a script, first in first out (none left: cancelled), and records each question's title and text.
class FakePagePrompts final : public PagePrompts
{
public:
    MessageAnswer message(
        QWidget*, const QString& title, const QString& text, MessageIcon, MessageButtons buttons) override
    {
        asked.append(title + QLatin1Char('|') + text);
        lastButtons = buttons;
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }
    std::optional<QString> text(QWidget*, const QString& title, const QString& label, const QString&) override
    {
        asked.append(title + QLatin1Char('|') + label);
        return texts.isEmpty() ? std::nullopt : texts.takeFirst();
    }
    std::optional<Credentials> credentials(QWidget*, const QString& title, const QString& text) override
    {
        asked.append(title + QLatin1Char('|') + text);
        return logins.isEmpty() ? std::nullopt : logins.takeFirst();
    }

    QList<MessageAnswer> answers; // none left: Ok
    MessageButtons lastButtons = MessageButtons::Ok;
    QList<std::optional<QString>> texts;
    QList<std::optional<Credentials>> logins;
    QStringList asked;
};

} // namespace platform
