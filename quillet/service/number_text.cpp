// SPDX-License-Identifier: MIT
#include "quillet/service/number_text.h"

namespace quillet
{

namespace number_text
{

namespace
{

// Walks a text from the front; each step consumes what it accepts.
class Reader
{
public:
    Reader(const QString& text, const QLocale& locale)
        : m_text(text)
        , m_locale(locale)
    {
    }

    bool atEnd() const { return m_at >= m_text.size(); }

    void skipBlanks()
    {
        while (!atEnd() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    bool take(const QString& symbol)
    {
        if (symbol.isEmpty() || !m_text.mid(m_at).startsWith(symbol))
            return false;
        m_at += symbol.size();
        return true;
    }

    bool takeSign()
    {
        return take(m_locale.negativeSign()) || take(m_locale.positiveSign()) || take(QStringLiteral("-"))
            || take(QStringLiteral("+"));
    }

    bool takeExponentMark()
    {
        return take(m_locale.exponential().toLower()) || take(m_locale.exponential().toUpper())
            || take(QStringLiteral("e")) || take(QStringLiteral("E"));
    }

    // Digits, and (when groups are allowed) thousands separators between them. Returns how many digits.
    int takeDigits(bool allowGroups)
    {
        int digits = 0;
        while (!atEnd()) {
            if (m_text.at(m_at).isDigit()) {
                ++digits;
                ++m_at;
            } else if (!(allowGroups && take(m_locale.groupSeparator()))) {
                break;
            }
        }
        return digits;
    }

    bool takeDecimalPoint() { return take(m_locale.decimalPoint()); }

private:
    const QString& m_text;
    const QLocale& m_locale;
    qsizetype m_at = 0;
};

} // namespace

bool IsNumeric(const QString& text, const QLocale& locale)
{
    Reader in(text, locale);
    in.skipBlanks();
    in.takeSign();
    int digits = in.takeDigits(true);
    if (in.takeDecimalPoint())
        digits += in.takeDigits(false);
    if (digits == 0)
        return false;
    if (in.takeExponentMark()) {
        in.takeSign();
        if (in.takeDigits(false) == 0)
            return false;
    }
    in.skipBlanks();
    return in.atEnd();
}

} // namespace number_text

} // namespace quillet
