// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

namespace quillet
{

namespace number_text
{

// Whether the whole text reads as a number in the locale: digits with an optional sign, the locale's decimal and
// thousands separators, an exponent, and blanks around it. Anything else, a stray letter say, fails; so does a
// text with no digit at all.
bool IsNumeric(const QString& text, const QLocale& locale);

} // namespace number_text

} // namespace quillet
