// SPDX-License-Identifier: MIT
#include "platform/design_controls.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>

namespace platform
{

QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

QPushButton* placedButton(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

QFont designFont(const QFont& base, qreal points, bool bold)
{
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void shrinkFontToFit(QLabel* label)
{
    QFont font = label->font();
    while (font.pointSizeF() > 6 && QFontMetricsF(font).horizontalAdvance(label->text()) > label->width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

} // namespace platform
