// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quillet
{

// The program's open windows in the order they were shown, so the last opened can be closed first.
class OpenWindows final : public QObject
{
    Q_OBJECT
public:
    explicit OpenWindows(QObject* parent = nullptr);
    ~OpenWindows() override;

    // Closes every open window but `keep`, last opened first.
    void closeAllBut(const QWidget* keep);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<QWidget>> m_windows;
};

} // namespace quillet
