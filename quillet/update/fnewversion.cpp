// SPDX-License-Identifier: MIT
#include "quillet/update/fnewversion.h"

#include "platform/fit_font.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

using platform::twipsRect;

namespace
{

// MS Sans Serif is not on Linux: the default sans family at the design's sizes.
QFont boldFont(const QFont& base, qreal points)
{
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FNewVersion::FNewVersion(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FNewVersion"));
    setWindowTitle(QStringLiteral("New Version Available"));
    setFixedSize(platform::twipsSize(6150, 2820));

    Image1 = makeLabel(this, "Image1", QString(), twipsRect(240, 240, 1200, 1200));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(64, 64));
    Label1 = makeLabel(this, "Label1", QStringLiteral("A New Version of"), twipsRect(1740, 135, 2235, 285));
    Label1->setFont(boldFont(font(), 12));
    lblBidderBlock
        = makeLabel(this, "lblBidderBlock", QStringLiteral("Lastbell Quillet"), twipsRect(1920, 390, 3885, 375));
    lblBidderBlock->setFont(boldFont(font(), 13.5));
    Label2 = makeLabel(this, "Label2", QStringLiteral("is available."), twipsRect(4350, 780, 1440, 285));
    Label2->setFont(boldFont(font(), 12));
    for (QLabel* heading : { Label1, lblBidderBlock, Label2 })
        platform::shrinkFontToFit(heading);
    lblFreshbolt = makeLabel(this, "lblFreshbolt",
        QStringLiteral("Freshbolt can connect to the Internet to download a small update patch.  "
                       "Would you like to connect now to update?"),
        twipsRect(1755, 1200, 3990, 615));
    lblFreshbolt->setWordWrap(true);
    cmdUpdateNow = makeButton(this, "cmdUpdateNow", QStringLiteral("Update Now"), twipsRect(555, 2145, 2415, 435));
    cmdLater = makeButton(this, "cmdLater", QStringLiteral("Update Later"), twipsRect(3240, 2145, 2415, 435));

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
