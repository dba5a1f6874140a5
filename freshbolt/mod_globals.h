// SPDX-License-Identifier: MIT
#pragma once

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
double GetFreeDiskSpace(const QString& path);
QString AddBackslash(const QString& path);
QString GetPathPart(const QString& path, bool fileNamePart, bool urlForm);

// The rule of FitLabelText: shortens `text` around a middle "..." until `measure` says it fits `width`.
QString FitText(const QString& text, int width, const std::function<int(const QString&)>& measure);

} // namespace freshbolt
