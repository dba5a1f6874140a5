// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/progress_texts.h"
#include "platform/core/message_boxes.h"

#include <QString>
#include <optional>

namespace freshbolt
{

// The download window as the download drives it.
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
    virtual void showChunkProgress(const ChunkProgress& progress) = 0;
    // Opens and plays the clip; the reason when it cannot.
    virtual std::optional<QString> openClip(const QString& path) = 0;
    virtual void closeClip() = 0;
    virtual void showCentred() = 0;
    virtual void unload() = 0;
    // Handles what is pending and returns at once.
    virtual void processEvents() = 0;
    // Sleeps until at least one event has arrived and handles it.
    virtual void waitForEvents() = 0;
    virtual platform::MessageAnswer ask(
        const QString& title, const QString& text, platform::MessageIcon icon, platform::MessageButtons buttons)
        = 0;
};

} // namespace freshbolt
