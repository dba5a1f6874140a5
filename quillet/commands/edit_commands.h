// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

class QWidget;

namespace platform
{
class WebBrowser;
}

namespace quillet
{

// The Edit menu, acting on the control that has the focus. In a web browser only Copy does anything: it copies
// the page selection. Other controls cut, copy and paste through their own slots.
void EditCut(QWidget* focused, const QList<platform::WebBrowser*>& browsers);
void EditCopy(QWidget* focused, const QList<platform::WebBrowser*>& browsers);
void EditPaste(QWidget* focused, const QList<platform::WebBrowser*>& browsers);

// Opens the browser's own find bar.
void EditFind(platform::WebBrowser& browser);

// The browser whose control holds the focused widget, if any.
platform::WebBrowser* BrowserHolding(const QWidget* focused, const QList<platform::WebBrowser*>& browsers);

} // namespace quillet
