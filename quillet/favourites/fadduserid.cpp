// SPDX-License-Identifier: MIT
#include "quillet/favourites/fadduserid.h"

#include "platform/core/twips.h"
#include "platform/ui/design_controls.h"
#include "quillet/favourites/fixed_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillet
{

using platform::twipsRect;

FAddUserID::FAddUserID(QWidget* parent)
    : QDialog(parent, fixed_window::kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FAddUserID"));
    setWindowTitle(QStringLiteral("Add a User ID to Favorites"));
    setFixedSize(platform::twipsSize(3960, 1185));

    lblUserID = new QLabel(QStringLiteral("&User ID:"), this);
    lblUserID->setObjectName(QStringLiteral("lblUserID"));
    lblUserID->setGeometry(twipsRect(315, 225, 615, 195));
    platform::shrinkFontToFit(lblUserID);
    txtUserID = new QLineEdit(this);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    txtUserID->setGeometry(twipsRect(975, 195, 2535, 300));
    txtUserID->setToolTip(QStringLiteral("Enter an eBay User ID to add to the favorites list."));
    lblUserID->setBuddy(txtUserID);

    cmdAdd = fixed_window::makeButton(this, "cmdAdd", QStringLiteral("&Add"), twipsRect(645, 720, 1215, 360),
        QStringLiteral("Add the User in the box above to the favorites list"));
    cmdAdd->setDefault(true);
    cmdCancel = fixed_window::makeButton(this, "cmdCancel", QStringLiteral("&Cancel"), twipsRect(2115, 720, 1215, 360),
        QStringLiteral("Close this box and return to the favorites list without adding a user."));
    connect(cmdAdd, &QPushButton::clicked, this, &FAddUserID::AddClicked);
    // Escape and the close box do what Cancel does: the entered ID stays empty.
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(txtUserID, cmdAdd);
    setTabOrder(cmdAdd, cmdCancel);
    txtUserID->setFocus();
}

void FAddUserID::AddClicked()
{
    // Exactly as typed: no trimming, no check.
    m_enteredID = txtUserID->text();
    accept();
}

} // namespace quillet
