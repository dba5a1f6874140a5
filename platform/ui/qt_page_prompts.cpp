// SPDX-License-Identifier: MIT
#include "platform/ui/qt_page_prompts.h"

#include "platform/ui/qt_message_boxes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QEventLoop>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace platform
{

namespace
{

// Answers the dialog as Cancel when its page's view goes behind (the other tab brought forward).
class CancelWhenHidden final : public QObject
{
public:
    explicit CancelWhenHidden(QDialog& dialog)
        : m_dialog(dialog)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            m_dialog.reject();
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog& m_dialog;
};

// A script's dialog holds up its own page only. A modal dialog would block the whole window, and Qt drops the
// close box's request to a blocked window; so the page's view is disabled instead while the dialog, a window of
// the main window's, is up. The script waits as it always does, until the answer, or until the program ends (which
// ends this loop too, as Cancel).
int execForPage(QDialog& dialog, QWidget* view)
{
    QPointer<QWidget> page(view);
    CancelWhenHidden cancelWhenHidden(dialog);
    if (page) {
        page->setEnabled(false);
        page->installEventFilter(&cancelWhenHidden);
    }
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
    dialog.activateWindow();
    if (dialog.isVisible())
        loop.exec();
    if (page) {
        page->removeEventFilter(&cancelWhenHidden);
        page->setEnabled(true);
    }
    return dialog.result();
}

QWidget* windowOf(QWidget* view)
{
    return view ? view->window() : nullptr;
}

} // namespace

MessageAnswer QtPagePrompts::message(
    QWidget* owner, const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons)
{
    const std::unique_ptr<QMessageBox> box = MessageBoxFor(windowOf(owner), title, text, icon, buttons);
    // Ended by anything but a button (its page gone behind, the program's end): the negative answer.
    return AnswerOf(execForPage(*box, owner), buttons);
}

std::optional<QString> QtPagePrompts::text(
    QWidget* owner, const QString& title, const QString& label, const QString& proposed)
{
    QInputDialog dialog(windowOf(owner));
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(proposed);
    if (execForPage(dialog, owner) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<Credentials> QtPagePrompts::credentials(QWidget* owner, const QString& title, const QString& text)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setMinimumWidth(460); // the caption names a host, and the text its realm, whole
    auto* layout = new QFormLayout(&dialog);
    auto* said = new QLabel(text, &dialog);
    said->setWordWrap(true);
    said->setTextFormat(Qt::PlainText);
    layout->addRow(said);
    auto* user = new QLineEdit(&dialog);
    user->setObjectName(QStringLiteral("user"));
    layout->addRow(QStringLiteral("&User name:"), user);
    auto* password = new QLineEdit(&dialog);
    password->setObjectName(QStringLiteral("password"));
    password->setEchoMode(QLineEdit::Password);
    layout->addRow(QStringLiteral("&Password:"), password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    // As high as the wrapped text needs at that width, with no empty strip under the buttons.
    if (const int height = dialog.heightForWidth(dialog.minimumWidth()); height > 0)
        dialog.resize(dialog.minimumWidth(), height);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Credentials { user->text(), password->text() };
}

} // namespace platform
