// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/mod_globals.h"

#include <QString>
#include <optional>
#include <utility>

namespace freshbolt
{

// What the download window shows of a file's progress after a chunk.
struct ChunkProgress {
    QString timeText;
    QString rateText;
    qint64 bytesReceived = 0;
    QString caption;
};

// The progress texts of one file: time left and bytes copied, rate, and the window caption. The numbers change
// with every chunk but the texts seldom do, so each text is rebuilt only when a number it shows changes.
class ProgressTexts
{
public:
    ProgressTexts() = default;
    explicit ProgressTexts(QString fileName);

    ChunkProgress after(qint64 bytesReceived, qint64 totalBytes, float secondsLeft, float bytesPerSecond);

private:
    // A text kept with the numbers it shows.
    template <typename Numbers> struct Shown {
        std::optional<Numbers> numbers;
        QString text;

        // Takes the numbers to show; true when they are not those the text shows, so the text must be rebuilt.
        bool takes(const Numbers& shown)
        {
            if (numbers == shown)
                return false;
            numbers = shown;
            return true;
        }
    };

    QString m_fileName;
    Shown<qint64> m_total;
    Shown<double> m_caption;
    Shown<std::pair<ShownNumbers, ShownNumbers>> m_time; // time left, bytes received
    Shown<ShownNumbers> m_rate;
};

} // namespace freshbolt
