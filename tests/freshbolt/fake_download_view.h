// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/download_view.h"

#include <QStringList>

// Records what the download shows.
class FakeDownloadView final : public freshbolt::DownloadView
{
public:
    void setStatusText(const QString& text) override { statuses.append(text); }
    void setSourceText(const QString& text) override { source = text; }
    void setDestinationText(const QString& text) override { destination = text; }
    void setTimeText(const QString& text) override { time = text; }
    void setRateText(const QString& text) override { rate = text; }
    void startProgress(qint64 total) override { progressMaxima.append(total); }
    void showProgress(const freshbolt::ChunkProgress& progress) override
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
    void placeOffScreen() override { }
    void unload() override { ++unloads; }

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
};
