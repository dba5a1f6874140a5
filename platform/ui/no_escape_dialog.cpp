// SPDX-License-Identifier: MIT
#include "platform/ui/no_escape_dialog.h"

#include <QKeyEvent>

namespace platform
{

void NoEscapeDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace platform
