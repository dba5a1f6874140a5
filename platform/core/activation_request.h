// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace platform
{

// What a second start hands to the running program: the launcher's start-up notification id (X11) and its
// activation token (Wayland), so the window manager lets the running program's window come to the front.
struct ActivationRequest {
    QByteArray startupId;
    QByteArray activationToken;

    bool operator==(const ActivationRequest&) const = default;
};

// The longest line either side accepts; launchers' ids are well under 200 bytes.
constexpr qsizetype kActivationLineLimit = 1024;

// One line: "activate", a tab, the id, a tab, the token, a newline. Either may be empty.
QByteArray ActivationLineOf(const ActivationRequest& request);
// The request in such a line; nothing for anything else: too long, another word, control characters, no newline.
std::optional<ActivationRequest> ActivationRequestOf(QByteArrayView line);

// What the start-up id and the token were when this process was started.
ActivationRequest ActivationRequestOfThisStart();

} // namespace platform
