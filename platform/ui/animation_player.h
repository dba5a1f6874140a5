// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace platform
{

// Plays a silent AVI clip file in a loop, centred in the control.
class AnimationPlayer final : public QWidget
{
    Q_OBJECT
public:
    explicit AnimationPlayer(QWidget* parent = nullptr);

    void setAutoPlay(bool autoPlay) { m_autoPlay = autoPlay; }
    // Nothing when the clip is open; otherwise why it is not.
    std::optional<QString> open(const QString& path);
    void close();
    void play();
    bool isPlaying() const { return m_timer.isActive(); }
    int frameCount() const { return static_cast<int>(m_frames.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void nextFrame();

    QList<QImage> m_frames;
    int m_current = 0;
    bool m_autoPlay = false;
    QTimer m_timer;
};

} // namespace platform
