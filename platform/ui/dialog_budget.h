// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QUrl;

namespace platform
{

// How many dialogs (alert, confirm, prompt) one page may show in a row: after three it gets no more until it is
// reloaded or left, so that a page that asks in a loop cannot keep the user from the program.
class DialogBudget
{
public:
    static constexpr int kInARow = 3;

    // True when the page may show one more; that one is counted.
    bool spend();
    // The page was reloaded or left.
    void renew() { m_shown = 0; }

private:
    int m_shown = 0;
};

// The caption of a page's dialog: the host that asks, so that no page can pass its words off as the program's.
QString DialogCaption(const QUrl& page);
// The status bar's words once a page has used its dialogs up.
QString DialogsUsedUpText();

} // namespace platform
