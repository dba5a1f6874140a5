// SPDX-License-Identifier: MIT
#include "platform/ui/animation_player.h"

#include "platform/ui/avi_clip.h"

#include <QFile>
#include <QPainter>

namespace platform
{

AnimationPlayer::AnimationPlayer(QWidget* parent)
    : QWidget(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &AnimationPlayer::nextFrame);
}

std::optional<QString> AnimationPlayer::open(const QString& path)
{
    close();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open %1 (%2)").arg(path, file.errorString());
    // One byte past the limit is enough for the decoder to refuse a larger file.
    std::variant<AviClip, QString> clip = decodeAviClip(file.read(kMaxClipFileBytes + 1));
    if (const QString* error = std::get_if<QString>(&clip))
        return QStringLiteral("Invalid clip %1 (%2)").arg(path, *error);
    m_frames = std::get<AviClip>(clip).frames;
    m_timer.setInterval(std::get<AviClip>(clip).millisecondsPerFrame);
    update();
    if (m_autoPlay)
        play();
    return std::nullopt;
}

void AnimationPlayer::close()
{
    m_timer.stop();
    m_frames.clear();
    m_current = 0;
    update();
}

void AnimationPlayer::play()
{
    if (m_frames.size() > 1)
        m_timer.start();
}

void AnimationPlayer::nextFrame()
{
    m_current = (m_current + 1) % static_cast<int>(m_frames.size());
    update();
}

void AnimationPlayer::paintEvent(QPaintEvent*)
{
    if (m_frames.isEmpty())
        return;
    // Only the part that shows is converted for painting, however large the frame.
    const QImage& frame = m_frames[m_current];
    const QPoint offset((width() - frame.width()) / 2, (height() - frame.height()) / 2);
    const QRect shown = frame.rect().intersected(rect().translated(-offset));
    QPainter painter(this);
    painter.drawImage(shown.topLeft() + offset, frame.copy(shown));
}

} // namespace platform
