// SPDX-License-Identifier: MIT
#include "quillet/commands/edit_commands.h"

#include "platform/core/web_browser.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QWidget>

namespace quillet
{

namespace
{

// The widget that edits the text: an editable drop-down list edits through its line edit.
QObject* textEditor(QWidget* focused)
{
    if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit())
        return combo->lineEdit();
    return focused;
}

// Controls without the slot (a button, a list) simply do nothing.
void sendToControl(QWidget* focused, const char* slot)
{
    if (!focused)
        return;
    QObject* editor = textEditor(focused);
    const QByteArray signature = QByteArray(slot) + "()";
    if (editor->metaObject()->indexOfMethod(signature.constData()) >= 0)
        QMetaObject::invokeMethod(editor, slot);
}

} // namespace

platform::WebBrowser* BrowserHolding(const QWidget* focused, const QList<platform::WebBrowser*>& browsers)
{
    if (!focused)
        return nullptr;
    for (platform::WebBrowser* browser : browsers) {
        QWidget* control = browser->widget();
        if (control == focused || control->isAncestorOf(focused))
            return browser;
    }
    return nullptr;
}

void EditCut(QWidget* focused, const QList<platform::WebBrowser*>& browsers)
{
    if (!BrowserHolding(focused, browsers))
        sendToControl(focused, "cut");
}

void EditCopy(QWidget* focused, const QList<platform::WebBrowser*>& browsers)
{
    if (platform::WebBrowser* browser = BrowserHolding(focused, browsers))
        browser->copySelection();
    else
        sendToControl(focused, "copy");
}

void EditPaste(QWidget* focused, const QList<platform::WebBrowser*>& browsers)
{
    if (!BrowserHolding(focused, browsers))
        sendToControl(focused, "paste");
}

void EditFind(platform::WebBrowser& browser)
{
    browser.showFindBar();
}

} // namespace quillet
