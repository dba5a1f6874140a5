// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QRect;
class QWidget;

// Controls placed where a window's design puts them, with its fonts. Both programs' windows use these.
namespace platform
{

// A label carrying its design name, at a place in pixels (see twips.h).
QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, const QRect& place);
// A button carrying its design name. Enter presses it while it has the focus; it is the default button (pressed by
// Enter elsewhere in a dialog) only when the window makes it one.
QPushButton* placedButton(QWidget* parent, const char* name, const QString& text, const QRect& place);

// A caption as a screen reader says it: without its access-key "&" ("&&" stays one "&") and the design's
// trailing spaces. The caption shown is left as it is.
QString spokenCaption(const QString& caption);
// Ties a label to the control it names: its access key moves there, and a screen reader names the control after
// it (item views and combo boxes do not look for a buddy themselves).
void labelControl(QLabel* label, QWidget* control);

// The default sans family at a design's size: MS Sans Serif and Arial are not on Linux.
QFont designFont(const QFont& base, qreal points, bool bold);

// The designs' fonts are narrower than the Linux sans faces that stand in for them: shrink a one-line label's
// font until its text fits the place the design gives it, rather than cut the text off.
void shrinkFontToFit(QLabel* label);
// The same rule for any text: the font, made smaller until `text` fits `width` pixels (down to 6 points).
QFont fontToFit(const QFont& font, const QString& text, qreal width);

} // namespace platform
