// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>

namespace favourites
{

// The favourites dialogs: a fixed border with a close box but no minimise or maximise button.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

inline QPushButton* makeButton(
    QWidget* parent, const char* name, const QString& caption, const QRect& place, const QString& tooltip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setToolTip(tooltip);
    return button;
}

} // namespace favourites
