// SPDX-License-Identifier: MIT
#include "quillet/service/fpassword.h"

#include "platform/core/message_boxes.h"
#include "platform/core/settings_store.h"
#include "quillet/app/settings_keys.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillet
{

FPassword::FPassword(platform::SettingsStore& settings, platform::MessageBoxes& messages, QWidget* parent)
    : NoEscapeDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("FPassword"));
    setWindowTitle(QStringLiteral("Save your Lastbell Password"));

    auto* lblSavePassword
        = new QLabel(QStringLiteral("If you wish, you may save your Lastbell username and password so you do not "
                                    "have to log into the service every time you start Quillet."),
            this);
    lblSavePassword->setObjectName(QStringLiteral("lblSavePassword"));
    lblSavePassword->setWordWrap(true);

    auto* lblName = new QLabel(QStringLiteral("&User Name:"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    txtUser = new QLineEdit(this);
    txtUser->setObjectName(QStringLiteral("txtUser"));
    lblName->setBuddy(txtUser);
    auto* lblPassword = new QLabel(QStringLiteral("&Password:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lblPassword->setBuddy(txtPassword);

    auto* cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSave, &QPushButton::clicked, this, &FPassword::Save);
    connect(cmdCancel, &QPushButton::clicked, this, &FPassword::Cancel);

    auto* rows = new QGridLayout;
    rows->addWidget(lblName, 0, 0);
    rows->addWidget(txtUser, 0, 1);
    rows->addWidget(lblPassword, 1, 0);
    rows->addWidget(txtPassword, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSavePassword);
    layout->addLayout(rows);
    layout->addLayout(buttons);

    // Tab order as designed: the labels' access keys lead to their boxes.
    setTabOrder(txtUser, txtPassword);
    setTabOrder(txtPassword, cmdSave);
    setTabOrder(cmdSave, cmdCancel);
    setFixedSize(312, 206);
}

void FPassword::PrefillLogin(const QString& user, const QString& password)
{
    txtUser->setText(user);
    txtPassword->setText(password);
}

void FPassword::Save()
{
    const QString user = txtUser->text();
    const QString password = txtPassword->text();
    if (!settings_keys::write(m_settings, settings_keys::kUser, user)
        || !settings_keys::write(m_settings, settings_keys::kPassword, password)) {
        m_messages.ask(this, windowTitle(),
            settings_keys::SaveFailureText(QStringLiteral("Your user name and password"), m_settings.lastFailure()),
            platform::MessageIcon::Critical, platform::MessageButtons::Ok);
        return;
    }
    m_enteredUser = user;
    m_enteredPassword = password;
    hide();
    done(Accepted);
}

void FPassword::Cancel()
{
    m_cancelled = true;
    done(Rejected);
}

void FPassword::closeEvent(QCloseEvent* event)
{
    m_cancelled = result() != Accepted;
    QDialog::closeEvent(event);
}

} // namespace quillet
