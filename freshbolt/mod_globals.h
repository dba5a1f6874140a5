// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

namespace platform
{
class LocalFiles;
}

// The download window's texts: sizes, rates, times, shortened paths and path parts.
namespace freshbolt
{

// A display pattern of "0" (digit always shown), "#" (digit when significant) and one "."; halves round away
// from zero.
QString FormatPattern(double value, QStringView pattern);
QString FormatBytes(double value, QStringView pattern = {});
QString FormatTime(float seconds);

// What the texts above show, as numbers, for texts redrawn after every chunk: equal numbers give equal texts, so
// a text is rebuilt only when they differ. A value shown beyond digit by digit gives NaN, which equals nothing.
double PatternShown(double value, QStringView pattern);
struct ShownNumbers {
    int kind = 0; // the unit (-1 for nothing), or seconds / minutes / hours
    double first = 0;
    double second = 0;
    bool operator==(const ShownNumbers&) const = default;
};
ShownNumbers BytesShown(double value, QStringView pattern);
ShownNumbers TimeShown(float seconds);
double GetFreeDiskSpace(const platform::LocalFiles& files, const QString& path);
QString AddBackslash(const QString& path);
QString GetPathPart(const QString& path, bool fileNamePart, bool urlForm);

// The rule of FitLabelText: shortens `text` around a middle "..." until `measure` says it fits `width`.
QString FitText(const QString& text, int width, const std::function<int(const QString&)>& measure);

} // namespace freshbolt
