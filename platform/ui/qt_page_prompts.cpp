// SPDX-License-Identifier: MIT
#include "platform/ui/qt_page_prompts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>

namespace platform
{

std::optional<QString> QtPagePrompts::text(
    QWidget* owner, const QString& title, const QString& label, const QString& proposed)
{
    bool given = false;
    const QString typed = QInputDialog::getText(owner, title, label, QLineEdit::Normal, proposed, &given);
    return given ? std::optional(typed) : std::nullopt;
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
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Credentials { user->text(), password->text() };
}

} // namespace platform
