// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QUrl>

namespace platform
{

// Which of a page's requests for a new window open anything: only those the user started with a click or a key,
// and the same address at most once in two seconds, so that a page cannot flood the desktop with windows.
class NewWindowGate
{
public:
    enum class Verdict { Open, PopUpBlocked, Repeated };
    static constexpr qint64 kRepeatMs = 2000;

    // `nowMs` is any steadily rising clock in milliseconds.
    Verdict decide(const QUrl& url, bool userInitiated, qint64 nowMs);

private:
    QHash<QUrl, qint64> m_opened; // address -> when it last opened, within the last kRepeatMs
};

} // namespace platform
