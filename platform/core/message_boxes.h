// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace platform
{

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, YesNo, RetryCancel, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Retry, Cancel };

// Modal message boxes. A CR in a text is a line break.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer ask(
        QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons)
        = 0;
};

} // namespace platform
