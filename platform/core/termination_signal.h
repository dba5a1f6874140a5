// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform
{

// Each program outlives the one that started it, and with it the pipe its output may go to (a terminal's pager,
// a test's reader): a write there must fail, not end the program with SIGPIPE before it says or does anything.
void IgnoreClosedOutput();

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
