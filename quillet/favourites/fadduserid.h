// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet
{

// Asks for one user ID to add to a favorites list; the opener reads EnteredID after the dialog returns.
class FAddUserID final : public QDialog
{
    Q_OBJECT
public:
    explicit FAddUserID(QWidget* parent = nullptr);

    // Empty after "&Cancel", Escape or the close box.
    QString EnteredID() const { return m_enteredID; }

private:
    void AddClicked();

    QLabel* lblUserID = nullptr;
    QLineEdit* txtUserID = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdCancel = nullptr;
    QString m_enteredID;
};

} // namespace quillet
