// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform
{

// Turns SIGTERM into a signal on the event loop, so the program can save its settings and end.
class TerminationSignal final : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

signals:
    void received();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
