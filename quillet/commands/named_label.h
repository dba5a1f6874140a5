// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace quillet
{

// A word-wrapping label carrying its design name, for the form-like dialogs.
inline QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

} // namespace quillet
