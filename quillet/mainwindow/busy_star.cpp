// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/busy_star.h"

#include "quillet/mainwindow/busy_frames.h"
#include "quillet/mainwindow/pictures.h"

#include <QLabel>
#include <QTimer>

namespace quillet
{

BusyStar::BusyStar(QLabel* picture, std::function<bool()> busy, QObject* parent)
    : QObject(parent)
    , picSnipe(picture)
    , m_busy(std::move(busy))
    , timStar(new QTimer(this))
{
    timStar->setObjectName(QStringLiteral("timStar"));
    timStar->setInterval(175);
    connect(timStar, &QTimer::timeout, this, &BusyStar::Animate);
    timStar->start();
}

void BusyStar::ShowIdle(bool large)
{
    m_large = large;
    Show(busy_frames::kIdlePicture, large);
}

void BusyStar::SetLarge(bool large)
{
    m_large = large;
}

void BusyStar::Restart()
{
    timStar->start();
}

void BusyStar::Stop()
{
    timStar->stop();
}

void BusyStar::Animate()
{
    nStarFrame = busy_frames::next(nStarFrame);
    const int picture = m_busy() ? nStarFrame : busy_frames::kIdlePicture;
    if (picture != m_shownPicture || m_large != m_shownLarge)
        Show(picture, m_large);
}

void BusyStar::Show(int picture, bool large)
{
    picSnipe->setPixmap(pictures::Star(picture, large));
    m_shownPicture = picture;
    m_shownLarge = large;
}

} // namespace quillet
