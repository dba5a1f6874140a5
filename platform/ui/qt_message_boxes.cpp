// SPDX-License-Identifier: MIT
#include "platform/ui/qt_message_boxes.h"

#include <QMessageBox>

namespace platform
{

namespace
{

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

MessageAnswer AnswerOf(int button, MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        // Escape or the close box: the box's negative answer.
        return buttons == MessageButtons::YesNo
            ? MessageAnswer::No
            : (buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
    }
}

std::unique_ptr<QMessageBox> MessageBoxFor(
    QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")); // one line break, as the shell's boxes show it
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(toQt(icon), title, shown, toQt(buttons), owner);
    // Texts are never markup: a page's alert or a server's reason shows as the words it is.
    box->setTextFormat(Qt::PlainText);
    return box;
}

MessageAnswer QtMessageBoxes::ask(
    QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons)
{
    return AnswerOf(MessageBoxFor(owner, title, text, icon, buttons)->exec(), buttons);
}

} // namespace platform
