// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

namespace platform
{

// A dialog that Escape does not dismiss: for windows whose design offers no way out but their own buttons.
class NoEscapeDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace platform
