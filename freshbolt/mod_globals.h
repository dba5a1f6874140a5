// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/short_text.h"

#include <QString>
#include <functional>

// The download window's texts: sizes, rates, times, shortened paths and path parts.
namespace freshbolt
{

// A display pattern of "0" (digit always shown), "#" (digit when significant) and one "."; halves round away
// from zero.
QString FormatPattern(double value, QStringView pattern);
QString FormatBytes(double value, const QString& pattern = {});
QString FormatTime(float seconds);
// The same texts, added to `out` in place.
void FormatPattern(double value, QStringView pattern, ShortText& out);
void FormatBytes(double value, QStringView pattern, ShortText& out);
void FormatTime(float seconds, ShortText& out);
double GetFreeDiskSpace(const QString& path);
QString AddBackslash(const QString& path);
QString GetPathPart(const QString& path, bool fileNamePart, bool urlForm);

// The rule of FitLabelText: shortens `text` around a middle "..." until `measure` says it fits `width`.
QString FitText(const QString& text, int width, const std::function<int(const QString&)>& measure);

} // namespace freshbolt
