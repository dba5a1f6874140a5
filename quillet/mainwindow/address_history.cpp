// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/address_history.h"

namespace quillet
{

namespace address_history
{

QStringList MoveToFront(QStringList history, const QString& address)
{
    const qsizetype found = history.indexOf(address);
    if (found >= 0)
        history.removeAt(found);
    history.prepend(address);
    return history;
}

} // namespace address_history

} // namespace quillet
