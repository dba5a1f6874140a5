// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_view.h"
#include "tests/support/fakes/fake_message_boxes.h"

#include <QStringList>
#include <functional>

// Records what the download shows; questions go to a scripted message-box fake.
class FakeDownloadView final : public freshbolt::DownloadView
{
public:
    explicit FakeDownloadView(platform::FakeMessageBoxes& boxes)
        : m_boxes(boxes)
    {
    }

    void setStatusText(const QString& text) override { statuses.append(text); }
    void setSourceText(const QString& text) override { source = text; }
    void setDestinationText(const QString& text) override { destination = text; }
    void setTimeText(const QString& text) override { time = text; }
    void setRateText(const QString& text) override { rate = text; }
    void startProgress(qint64 total) override { progressMaxima.append(total); }
    void showChunkProgress(const freshbolt::ChunkProgress& progress) override
    {
        time = progress.timeText;
        rate = progress.rateText;
        progressValue = progress.bytesReceived;
        captions.append(progress.caption);
    }
    std::optional<QString> openClip(const QString& path) override
    {
        clipPath = path;
        return clipFailure;
    }
    void closeClip() override { ++clipCloses; }
    void showCentred() override { ++shows; }
    void unload() override { ++unloads; }
    void processEvents() override { }
    void waitForEvents() override
    {
        if (onWait)
            onWait();
    }
    platform::MessageAnswer ask(const QString& title, const QString& text, platform::MessageIcon icon,
        platform::MessageButtons buttons) override
    {
        if (onAsk)
            onAsk(title);
        return m_boxes.ask(nullptr, title, text, icon, buttons);
    }

    QStringList statuses;
    QString source;
    QString destination;
    QString time;
    QString rate;
    QList<qint64> progressMaxima;
    qint64 progressValue = -1;
    QStringList captions;
    QString clipPath;
    std::optional<QString> clipFailure;
    int clipCloses = 0;
    int shows = 0;
    int unloads = 0;
    std::function<void()> onWait;
    std::function<void(const QString&)> onAsk;

private:
    platform::FakeMessageBoxes& m_boxes;
};
