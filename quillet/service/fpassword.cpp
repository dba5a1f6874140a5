// SPDX-License-Identifier: MIT
#include "quillet/service/fpassword.h"

#include "platform/core/message_boxes.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillet
{

namespace
{

const QString kInvitation = QStringLiteral("If you wish, you may save your Lastbell username and password so you do "
                                           "not have to log into the service every time you start Quillet.");

} // namespace

FPassword::FPassword(SavedLogin& savedLogin, platform::MessageBoxes& messages, QWidget* parent)
    : NoEscapeDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , m_savedLogin(savedLogin)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("FPassword"));
    setWindowTitle(QStringLiteral("Save your Lastbell Password"));

    lblSavePassword = new QLabel(kInvitation, this);
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

    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSave, &QPushButton::clicked, this, &FPassword::Save);
    connect(cmdCancel, &QPushButton::clicked, this, &FPassword::Cancel);
    connect(&m_savedLogin, &SavedLogin::saved, this, &FPassword::Saved);
    connect(&m_savedLogin, &SavedLogin::saveWaiting, this, &FPassword::ShowWaitingForKeyring);

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
    ShowSaving(true);
    m_savedLogin.Save(txtUser->text(), txtPassword->text());
}

void FPassword::Saved(const SavedLogin::SaveResult& result)
{
    if (!m_saving)
        return;
    ShowSaving(false);
    if (result.kept == SavedLogin::Kept::NotSaved) {
        m_messages.ask(
            this, windowTitle(), result.failure, platform::MessageIcon::Critical, platform::MessageButtons::Ok);
        return;
    }
    if (result.kept == SavedLogin::Kept::InSettingsFile) {
        m_messages.ask(this, windowTitle(),
            QStringLiteral("No keyring answered, so your password is kept in Quillet's settings file, which only "
                           "you can read."),
            platform::MessageIcon::Information, platform::MessageButtons::Ok);
    }
    m_enteredUser = m_savedLogin.user();
    m_enteredPassword = m_savedLogin.password();
    hide();
    done(Accepted);
}

void FPassword::ShowSaving(bool saving)
{
    m_saving = saving;
    for (QWidget* control : std::initializer_list<QWidget*> { txtUser, txtPassword, cmdSave, cmdCancel })
        control->setEnabled(!saving);
    lblSavePassword->setText(kInvitation);
    if (saving)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

// An unlock prompt may be up: the save waits for it however long, and only Cancel gives up.
void FPassword::ShowWaitingForKeyring()
{
    if (!m_saving)
        return;
    lblSavePassword->setText(QStringLiteral("Waiting for the desktop's keyring. Unlock it when it asks, and your "
                                            "password is kept there; Cancel saves nothing."));
    cmdCancel->setEnabled(true);
}

void FPassword::GiveUpSaving()
{
    if (!m_saving)
        return;
    m_savedLogin.CancelSave();
    ShowSaving(false);
}

void FPassword::Cancel()
{
    GiveUpSaving();
    m_cancelled = true;
    done(Rejected);
}

void FPassword::closeEvent(QCloseEvent* event)
{
    // The close box waits with the buttons while the keyring is asked, and is Cancel once Cancel can be pressed;
    // the program's own close does not wait.
    if (m_saving && event->spontaneous() && !cmdCancel->isEnabled()) {
        event->ignore();
        return;
    }
    GiveUpSaving();
    m_cancelled = result() != Accepted;
    QDialog::closeEvent(event);
}

} // namespace quillet
