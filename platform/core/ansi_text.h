// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// The one pair of conversions at 8-bit edges (files, form bodies): the locale's 8-bit encoding.
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);

} // namespace platform
