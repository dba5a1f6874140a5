// SPDX-License-Identifier: MIT
#include "platform/ui/new_window_gate.h"

namespace platform
{

NewWindowGate::Verdict NewWindowGate::decide(const QUrl& url, bool userInitiated, qint64 nowMs)
{
    if (!userInitiated)
        return Verdict::PopUpBlocked;
    m_opened.removeIf([nowMs](const auto& opened) { return nowMs - opened.value() >= kRepeatMs; });
    if (m_opened.contains(url))
        return Verdict::Repeated;
    m_opened.insert(url, nowMs);
    return Verdict::Open;
}

} // namespace platform
