// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace platform
{

// Named and numeric character references ("&amp;", "&#233;", "&#xE9;") decoded; anything that is not a
// complete reference, such as a bare "&" in an address, is left as it is.
QString DecodeEntities(QStringView text);

} // namespace platform
