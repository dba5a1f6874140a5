// SPDX-License-Identifier: MIT
#include "freshbolt/frestart.h"

#include "freshbolt/update_files.h"
#include "platform/core/shell.h"
#include "platform/core/twips.h"
#include "platform/ui/design_controls.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

using platform::designFont;
using platform::placedButton;
using platform::placedLabel;
using platform::twipsRect;

namespace freshbolt
{

namespace
{

// The window's own icon: a green tick.
QIcon tickIcon()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 150, 0), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygon({ { 5, 17 }, { 13, 25 }, { 27, 7 } }));
    return QIcon(picture);
}

} // namespace

FRestart::FRestart(platform::Shell& shell, QString programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_shell(shell)
    , m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("FRestart"));
    setWindowTitle(QStringLiteral("Update Successful"));
    setWindowIcon(tickIcon());
    setFixedSize(platform::twipsSize(3945, 2145));

    lblBidderBlock = placedLabel(this, "lblBidderBlock", QStringLiteral("Quillet"), twipsRect(345, 90, 2835, 555));
    lblBidderBlock->setFont(designFont(QFont(QStringLiteral("Arial")), 21.75, false));
    Label1 = placedLabel(this, "Label1", QStringLiteral("has been updated"), twipsRect(1545, 510, 2325, 300));
    Label1->setFont(designFont(QFont(QStringLiteral("Arial")), 12, true));
    lblRestartNow = placedLabel(
        this, "lblRestartNow", QStringLiteral("Would you like to restart it now?"), twipsRect(810, 1080, 2490, 270));
    for (QLabel* text : { lblBidderBlock, Label1, lblRestartNow })
        platform::shrinkFontToFit(text);
    cmdYes = placedButton(this, "cmdYes", QStringLiteral("Yes"), twipsRect(495, 1500, 1470, 390));
    cmdNo = placedButton(this, "cmdNo", QStringLiteral("Not Right Now"), twipsRect(2070, 1500, 1470, 390));

    connect(cmdYes, &QPushButton::clicked, this, &FRestart::restartNow);
    connect(cmdNo, &QPushButton::clicked, this, &QWidget::close);
}

void FRestart::restartNow()
{
    // The updater ends whether or not the new program starts.
    m_shell.startProgram(m_programFolder + u"/" + kProgramFileName);
    close();
}

} // namespace freshbolt
