// SPDX-License-Identifier: MIT
#include "quillet/update/fnewversion.h"

#include "platform/core/product.h"
#include "platform/core/twips.h"
#include "platform/ui/design_controls.h"
#include "quillet/mainwindow/pictures.h"

#include <QLabel>
#include <QPushButton>

namespace quillet
{

using platform::designFont;
using platform::placedButton;
using platform::placedLabel;
using platform::twipsRect;

FNewVersion::FNewVersion(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FNewVersion"));
    setWindowTitle(QStringLiteral("New Version Available"));
    setFixedSize(platform::twipsSize(6150, 2820));

    Image1 = placedLabel(this, "Image1", QString(), twipsRect(240, 240, 1200, 1200));
    Image1->setAccessibleName(QStringLiteral("Update"));
    Image1->setPixmap(pictures::UpdatePicture(64));
    Label1 = placedLabel(this, "Label1", QStringLiteral("A New Version of"), twipsRect(1740, 135, 2235, 285));
    Label1->setFont(designFont(font(), 12, true));
    lblBidderBlock
        = placedLabel(this, "lblBidderBlock", QLatin1String(product::kTitle), twipsRect(1920, 390, 3885, 375));
    lblBidderBlock->setFont(designFont(font(), 13.5, true));
    Label2 = placedLabel(this, "Label2", QStringLiteral("is available."), twipsRect(4350, 780, 1440, 285));
    Label2->setFont(designFont(font(), 12, true));
    for (QLabel* heading : { Label1, lblBidderBlock, Label2 })
        platform::shrinkFontToFit(heading);
    lblFreshbolt = placedLabel(this, "lblFreshbolt",
        QStringLiteral("Freshbolt can connect to the Internet to download a small update patch.  "
                       "Would you like to connect now to update?"),
        twipsRect(1755, 1200, 3990, 615));
    lblFreshbolt->setWordWrap(true);
    cmdUpdateNow = placedButton(this, "cmdUpdateNow", QStringLiteral("Update Now"), twipsRect(555, 2145, 2415, 435));
    cmdLater = placedButton(this, "cmdLater", QStringLiteral("Update Later"), twipsRect(3240, 2145, 2415, 435));

    connect(cmdUpdateNow, &QPushButton::clicked, this, &FNewVersion::updateNow);
    connect(cmdLater, &QPushButton::clicked, this, &QDialog::reject);
}

void FNewVersion::updateNow()
{
    m_updating = true;
    accept();
}

bool FNewVersion::Offer(QWidget* owner)
{
    FNewVersion dialog(owner);
    dialog.exec();
    return dialog.Updating();
}

} // namespace quillet
