// SPDX-License-Identifier: MIT
#pragma once

#include <QWebEnginePage>

namespace platform
{

// A page whose requests for a new window open the address in the user's default browser instead.
class NewWindowAwarePage final : public QWebEnginePage
{
    Q_OBJECT
public:
    NewWindowAwarePage(QWebEngineProfile* profile, QObject* parent);

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
};

} // namespace platform
