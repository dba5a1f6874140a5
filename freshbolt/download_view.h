// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/progress_texts.h"

#include <QString>
#include <optional>

namespace freshbolt
{

// The download window as the download tells it what to show.
class DownloadView
{
public:
    virtual ~DownloadView() = default;
    virtual void setStatusText(const QString& text) = 0;
    // Source and destination are shortened to fit their labels.
    virtual void setSourceText(const QString& text) = 0;
    virtual void setDestinationText(const QString& text) = 0;
    virtual void setTimeText(const QString& text) = 0;
    virtual void setRateText(const QString& text) = 0;
    virtual void startProgress(qint64 total) = 0;
    virtual void showProgress(const ChunkProgress& progress) = 0;
    // Opens and plays the clip; the reason when it cannot.
    virtual std::optional<QString> openClip(const QString& path) = 0;
    virtual void closeClip() = 0;
    virtual void showCentred() = 0;
    virtual void placeOffScreen() = 0;
    // Closes the window; a close by the program is no cancel.
    virtual void unload() = 0;
};

} // namespace freshbolt
