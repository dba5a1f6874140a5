// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/message_boxes.h"

#include <QString>
#include <optional>

class QWidget;

namespace platform
{

struct Credentials {
    QString user;
    QString password;
};

// The questions a web page (or the proxy it goes through) asks: a script's message and prompt, and a user name and
// password. A script's questions hold up only the page's own view (`owner`): the rest of the window, its close box
// included, stays usable, and the question is answered as Cancel when that view goes behind. Nothing is kept.
class PagePrompts
{
public:
    virtual ~PagePrompts() = default;
    virtual MessageAnswer message(
        QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons)
        = 0;
    // The text typed; nothing when the user cancelled.
    virtual std::optional<QString> text(
        QWidget* owner, const QString& title, const QString& label, const QString& proposed)
        = 0;
    // `text` says who asks and for what; nothing when the user cancelled.
    virtual std::optional<Credentials> credentials(QWidget* owner, const QString& title, const QString& text) = 0;
};

} // namespace platform
