// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet
{

// Offers the published version; the opener reads Updating after the dialog has closed.
class FNewVersion final : public QDialog
{
    Q_OBJECT
public:
    explicit FNewVersion(QWidget* parent = nullptr);

    bool Updating() const { return m_updating; }

    // Shows the dialog modally over `owner`; true when the user chose "Update Now".
    static bool Offer(QWidget* owner);

private:
    void updateNow();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* lblBidderBlock;
    QLabel* Label2;
    QLabel* lblFreshbolt;
    QPushButton* cmdUpdateNow;
    QPushButton* cmdLater;
    bool m_updating = false;
};

} // namespace quillet
