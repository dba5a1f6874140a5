// SPDX-License-Identifier: MIT
#include "platform/ui/design_controls.h"

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
    // Enter presses the button that has the focus, in a dialog or in any other window.
    button->setAutoDefault(true);
    return button;
}

QString spokenCaption(const QString& caption)
{
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        spoken += caption[i];
    }
    while (spoken.endsWith(u' '))
        spoken.chop(1);
    return spoken;
}

void labelControl(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    control->setAccessibleName(spokenCaption(label->text()));
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
    label->setFont(fontToFit(label->font(), label->text(), label->width()));
}

QFont fontToFit(const QFont& font, const QString& text, qreal width)
{
    QFont fitting = font;
    while (fitting.pointSizeF() > 6 && QFontMetricsF(fitting).horizontalAdvance(text) > width)
        fitting.setPointSizeF(fitting.pointSizeF() - 0.5);
    return fitting;
}

} // namespace platform
