// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>
#include <iterator>

namespace freshbolt
{

// A short text built in place, for the texts the download rebuilds after every chunk: nothing is allocated until
// a text that differs from the one shown is wanted as a QString. Text beyond its room is cut off; the progress
// texts are a few dozen characters.
class ShortText
{
public:
    ShortText& operator<<(QStringView text)
    {
        const qsizetype room = static_cast<qsizetype>(std::size(m_chars)) - m_size;
        const qsizetype taken = std::min(text.size(), room);
        std::copy_n(text.utf16(), taken, m_chars + m_size);
        m_size += taken;
        return *this;
    }
    QStringView view() const { return QStringView(m_chars, m_size); }

    // Makes `shown` this text, allocating only when it differs.
    void assignTo(QString& shown) const
    {
        if (shown != view())
            shown = view().toString();
    }

private:
    char16_t m_chars[160];
    qsizetype m_size = 0;
};

} // namespace freshbolt
