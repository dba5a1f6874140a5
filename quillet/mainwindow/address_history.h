// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace quillet
{

namespace address_history
{

// The history with the address first and listed once (exact, case-sensitive comparison).
QStringList MoveToFront(QStringList history, const QString& address);

} // namespace address_history

} // namespace quillet
