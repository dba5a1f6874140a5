// SPDX-License-Identifier: MIT
#include "freshbolt/progress_texts.h"

namespace freshbolt
{

namespace
{

constexpr QStringView kPercentPattern = u"##0";
constexpr QStringView kRatePattern = u"###.0";

} // namespace

ProgressTexts::ProgressTexts(QString fileName)
    : m_fileName(std::move(fileName))
{
}

ChunkProgress ProgressTexts::after(qint64 bytesReceived, qint64 totalBytes, float secondsLeft, float bytesPerSecond)
{
    const bool newTotal = m_total.takes(totalBytes);
    if (newTotal)
        m_total.text = FormatBytes(static_cast<double>(totalBytes));
    const double percent = static_cast<double>(bytesReceived) / static_cast<double>(totalBytes) * 100;
    if (m_caption.takes(PatternShown(percent, kPercentPattern)))
        m_caption.text = FormatPattern(percent, kPercentPattern) + u"% of " + m_fileName + u" Completed";
    if (m_time.takes({ TimeShown(secondsLeft), BytesShown(static_cast<double>(bytesReceived), {}) }) || newTotal) {
        m_time.text = FormatTime(secondsLeft) + u" (" + FormatBytes(static_cast<double>(bytesReceived)) + u" of "
            + m_total.text + u" copied)";
    }
    if (m_rate.takes(BytesShown(bytesPerSecond, kRatePattern)))
        m_rate.text = FormatBytes(bytesPerSecond, kRatePattern) + u"/Sec";
    return { m_time.text, m_rate.text, bytesReceived, m_caption.text };
}

} // namespace freshbolt
