// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>
#include <QWidget>

// What a screen reader and a scaled desktop make of a window: its unnamed controls and its cut texts.
namespace window_checks
{

// The controls a user works with, the pictures and the bars: a screen reader has to be able to say each.
inline bool mustBeNamed(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::Link:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::SpinBox:
    case QAccessible::Graphic:
    case QAccessible::ToolBar:
    case QAccessible::StatusBar:
    case QAccessible::Animation:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

inline bool isWindow(QAccessible::Role role)
{
    return role == QAccessible::Window || role == QAccessible::Dialog;
}

inline QString describe(QAccessibleInterface* item)
{
    const QObject* object = item->object();
    return QString::number(item->role(), 16) + u' '
        + (object ? object->objectName() + u'(' + QLatin1String(object->metaObject()->className()) + u')'
                  : QStringLiteral("(no object)"));
}

inline void checkName(QAccessibleInterface* item, QStringList& found)
{
    const QString name = item->text(QAccessible::Name);
    if (mustBeNamed(item->role()) && name.trimmed().isEmpty())
        found.append(describe(item));
    // A window's name is its caption, which the design gives as it is.
    else if (!isWindow(item->role()) && (name != name.trimmed() || name.contains(u'&')))
        found.append(describe(item) + u" named \"" + name + u'"');
}

inline void collectUnnamed(QAccessibleInterface* item, QStringList& found, int depth)
{
    if (!item || depth > 40 || item->state().invisible)
        return;
    checkName(item, found);
    for (int i = 0; i < item->childCount(); ++i)
        collectUnnamed(item->child(i), found, depth + 1);
}

// Every visible control a user can work with or a picture shows, without a name a screen reader can say, or
// with one that carries an access-key "&" or design spaces.
inline QStringList unnamedControls(QWidget* window)
{
    QStringList found;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), found, 0);
    // The menus are closed, so the walk above does not reach their items; a screen reader says them once open.
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QAccessibleInterface* items = QAccessible::queryAccessibleInterface(menu);
        const QList<QAction*> actions = menu->actions();
        for (int i = 0; i < actions.size(); ++i)
            if (actions.at(i)->isVisible())
                checkName(items->child(i), found);
    }
    return found;
}

// The room a button leaves for its text: its width less the style's frame, indicator and icon.
inline int buttonTextRoom(const QAbstractButton* button)
{
    const QStyle* style = button->style();
    QStyleOptionButton option;
    option.initFrom(button);
    int room = button->width() - 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) - 2;
    if (const auto* tool = qobject_cast<const QToolButton*>(button)) {
        room = button->width() - 6;
        if (tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !tool->icon().isNull())
            room -= tool->iconSize().width() + 4;
        if (tool->popupMode() == QToolButton::MenuButtonPopup)
            room -= style->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button);
    } else if (qobject_cast<const QCheckBox*>(button)) {
        room = style->subElementRect(QStyle::SE_CheckBoxContents, &option, button).width() - 2;
    } else if (qobject_cast<const QRadioButton*>(button)) {
        room = style->subElementRect(QStyle::SE_RadioButtonContents, &option, button).width() - 2;
    } else if (!button->icon().isNull()) {
        room -= button->iconSize().width() + 4;
    }
    return room;
}

inline QString shownText(QString text)
{
    // "&&" shows one "&"; a single "&" marks the access key and takes no room.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text.trimmed();
}

// Every visible one-line label and button whose whole text does not fit inside it.
inline QStringList cutTexts(QWidget* window)
{
    QStringList found;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || label->wordWrap() || label->textFormat() == Qt::RichText
            || !label->pixmap().isNull() || label->text().isEmpty() || label->text().contains(u'\n'))
            continue;
        const QString text = shownText(label->text());
        const int need = QFontMetrics(label->font()).horizontalAdvance(text);
        const int room = label->contentsRect().width() - 2 * label->margin() - label->indent();
        if (need > room)
            found.append(label->objectName() + u" \"" + text + u"\" needs " + QString::number(need) + u" of "
                + QString::number(room));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty())
            continue;
        if (const auto* tool = qobject_cast<QToolButton*>(button);
            tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            continue;
        const QString text = shownText(button->text());
        const int need = QFontMetrics(button->font()).horizontalAdvance(text);
        const int room = buttonTextRoom(button);
        const QString name
            = button->objectName().isEmpty() ? QLatin1String(button->metaObject()->className()) : button->objectName();
        if (need > room)
            found.append(name + u" \"" + text + u"\" needs " + QString::number(need) + u" of " + QString::number(room));
    }
    return found;
}

// With WINDOW_SHOTS naming a folder, the window as drawn goes there, one picture per row and scale, to look at.
inline void keepShot(QWidget* window)
{
    const QString folder = qEnvironmentVariable("WINDOW_SHOTS");
    if (folder.isEmpty())
        return;
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    QString name = QLatin1String(QTest::currentDataTag()) + u'@' + scale;
    name.replace(u' ', u'_').replace(u',', u'_');
    window->grab().save(folder + u'/' + name + u".png");
}

// The two checks of a window shown as the test's row has it, each failing the test with what it found.
inline void verifyEveryControlNamed(QWidget* window)
{
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QStringList unnamed = unnamedControls(window);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u"; ")));
}

inline void verifyNoTextCut(QWidget* window)
{
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    keepShot(window);
    const QStringList cut = cutTexts(window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u"; ")));
}

} // namespace window_checks
