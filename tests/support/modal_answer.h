// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `answer` on the next modal dialog once it is up. The wait ends with `context`: pass a local object when the
// dialog may never come, so the wait cannot answer a later test's dialog.
inline void whenModal(std::function<void(QWidget*)> answer, QObject* context = qApp)
{
    auto* poll = new QTimer(context);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start();
}
