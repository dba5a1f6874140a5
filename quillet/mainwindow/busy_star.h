// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

class QLabel;
class QTimer;

namespace quillet
{

// The busy indicator in the corner of the main window: every 175 ms it shows the next frame of the star while the
// watched browser loads, and the idle picture otherwise. It redraws only when what it shows changes.
class BusyStar final : public QObject
{
public:
    // picture: the window's picSnipe; busy: whether the browser in front is loading now.
    BusyStar(QLabel* picture, std::function<bool()> busy, QObject* parent);

    void ShowIdle(bool large);
    void SetLarge(bool large);
    void Restart(); // the next frame a full interval from now
    void Stop();

private:
    void Animate();
    void Show(int picture, bool large);

    QLabel* picSnipe;
    std::function<bool()> m_busy;
    QTimer* timStar;
    int nStarFrame = 0;
    int m_shownPicture = 0; // what picSnipe shows, and in which size
    bool m_shownLarge = true;
    bool m_large = true;
};

} // namespace quillet
