// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/page_prompts.h"

namespace platform
{

class QtPagePrompts final : public PagePrompts
{
public:
    MessageAnswer message(
        QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> text(
        QWidget* owner, const QString& title, const QString& label, const QString& proposed) override;
    std::optional<Credentials> credentials(QWidget* owner, const QString& title, const QString& text) override;
};

} // namespace platform
