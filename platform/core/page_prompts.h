// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace platform
{

struct Credentials {
    QString user;
    QString password;
};

// The questions a web page (or the proxy it goes through) asks that need typing: a script's prompt, and a user
// name and password. Nothing is kept anywhere.
class PagePrompts
{
public:
    virtual ~PagePrompts() = default;
    // The text typed; nothing when the user cancelled.
    virtual std::optional<QString> text(
        QWidget* owner, const QString& title, const QString& label, const QString& proposed)
        = 0;
    // `text` says who asks and for what; nothing when the user cancelled.
    virtual std::optional<Credentials> credentials(QWidget* owner, const QString& title, const QString& text) = 0;
};

} // namespace platform
