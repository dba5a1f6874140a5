// SPDX-License-Identifier: MIT
#include "freshbolt/mod_globals.h"

#include "platform/core/local_files.h"

#include <QDir>
#include <cmath>
#include <limits>

namespace freshbolt
{

namespace
{

constexpr double kKilobyte = 1024.0;
constexpr double kMegabyte = 1048576.0;
constexpr double kGigabyte = 1073741824.0;

QString nativeSeparator()
{
    return QString(QDir::separator());
}

} // namespace

namespace
{

struct PatternDigits {
    int decimals = 0;
    bool forcedIntegerDigit = false;
};

PatternDigits digitsOf(QStringView pattern)
{
    // A plain walk: the download reads its patterns after every chunk, and they are a few characters long.
    qsizetype point = 0;
    while (point < pattern.size() && pattern[point] != u'.')
        ++point;
    const int decimals = point < pattern.size() ? static_cast<int>(pattern.size() - point - 1) : 0;
    return { std::min(decimals, 6), point > 0 && pattern[point - 1] == u'0' };
}

// The value in units of the last decimal shown, halves away from zero, without its sign.
double roundedUnits(double value, int decimals)
{
    static constexpr double kScales[] = { 1, 10, 100, 1000, 1e4, 1e5, 1e6 };
    return std::round(std::fabs(value) * kScales[decimals]);
}

// What FormatBytes writes: the unit, and the amount in it. Unit -1 is nothing (a negative value), 0 is bytes.
struct BytesScale {
    int unit = -1;
    double amount = 0;
    QStringView fallback;
    QStringView name;
};

BytesScale scaleOf(double value)
{
    if (value < 0)
        return {};
    if (value < kKilobyte)
        return { 0, value, {}, u" bytes" };
    if (value < kMegabyte)
        return { 1, value / kKilobyte, u"###0", u" KB" };
    if (value <= kGigabyte - 1)
        return { 2, value / kMegabyte, u"###0.0", u" MB" };
    return { 3, value / kGigabyte, u"###0.0", u" GB" };
}

// What FormatTime writes: seconds; minutes and seconds; or hours and minutes.
struct TimeParts {
    int kind = 0;
    double first = 0;
    double second = 0;
};
constexpr QStringView kTimePatterns[3][2] = { { u"0", u"" }, { u"#0", u"0" }, { u"#0", u"0" } };

TimeParts partsOf(float seconds)
{
    // The remainders round halves to the even neighbour first and keep the sign of the dividend.
    const auto remainder60
        = [](float value) { return static_cast<double>(static_cast<qint64>(std::nearbyint(value)) % 60); };
    const auto floorOf = [](float value) { return static_cast<double>(std::floor(value)); };
    if (seconds >= 0 && seconds < 60)
        return { 0, seconds, 0 };
    if (seconds >= 60 && seconds < 3600)
        return { 1, floorOf(seconds / 60), remainder60(seconds) };
    return { 2, floorOf(seconds / 3600), remainder60(seconds / 60) };
}

} // namespace

QString FormatPattern(double value, QStringView pattern)
{
    const PatternDigits digits = digitsOf(pattern);
    const double rounded = roundedUnits(value, digits.decimals);
    if (!(rounded < 1e18))
        return QString::number(value, 'f', digits.decimals);
    auto units = static_cast<quint64>(rounded);
    char16_t shown[24];
    int start = std::size(shown);
    for (int i = 0; i < digits.decimals; ++i, units /= 10)
        shown[--start] = static_cast<char16_t>(u'0' + units % 10);
    if (digits.decimals > 0)
        shown[--start] = u'.';
    if (units > 0 || digits.forcedIntegerDigit) {
        do {
            shown[--start] = static_cast<char16_t>(u'0' + units % 10);
            units /= 10;
        } while (units > 0);
    }
    if (value < 0 && rounded != 0)
        shown[--start] = u'-';
    return QString(reinterpret_cast<const QChar*>(shown + start), static_cast<qsizetype>(std::size(shown)) - start);
}

double PatternShown(double value, QStringView pattern)
{
    const double rounded = roundedUnits(value, digitsOf(pattern).decimals);
    if (!(rounded < 1e18))
        return std::numeric_limits<double>::quiet_NaN();
    return value < 0 && rounded != 0 ? -rounded : rounded;
}

QString FormatBytes(double value, QStringView pattern)
{
    const BytesScale scale = scaleOf(value);
    if (scale.unit < 0)
        return {};
    if (scale.unit == 0)
        return QString::number(value, 'g', 15) + scale.name;
    return FormatPattern(scale.amount, pattern.isEmpty() ? scale.fallback : pattern) + scale.name;
}

ShownNumbers BytesShown(double value, QStringView pattern)
{
    const BytesScale scale = scaleOf(value);
    if (scale.unit <= 0)
        return { scale.unit, scale.amount, 0 }; // bytes are shown as they are
    return { scale.unit, PatternShown(scale.amount, pattern.isEmpty() ? scale.fallback : pattern), 0 };
}

QString FormatTime(float seconds)
{
    static constexpr QStringView kUnits[3][2] = { { u" sec", u"" }, { u" min ", u" sec" }, { u" hr ", u" min" } };
    const TimeParts parts = partsOf(seconds);
    QString text = FormatPattern(parts.first, kTimePatterns[parts.kind][0]) + kUnits[parts.kind][0];
    if (parts.kind > 0)
        text += FormatPattern(parts.second, kTimePatterns[parts.kind][1]) + kUnits[parts.kind][1];
    return text;
}

ShownNumbers TimeShown(float seconds)
{
    const TimeParts parts = partsOf(seconds);
    return { parts.kind, PatternShown(parts.first, kTimePatterns[parts.kind][0]),
        parts.kind > 0 ? PatternShown(parts.second, kTimePatterns[parts.kind][1]) : 0 };
}

double GetFreeDiskSpace(const platform::LocalFiles& files, const QString& path)
{
    return files.freeBytes(AddBackslash(path));
}

QString AddBackslash(const QString& path)
{
    return path.endsWith(nativeSeparator()) ? path : path + nativeSeparator();
}

QString GetPathPart(const QString& path, bool fileNamePart, bool urlForm)
{
    const QString separator = urlForm ? QStringLiteral("/") : nativeSeparator();
    const qsizetype last = path.lastIndexOf(separator);
    if (last < 0)
        return path;
    return fileNamePart ? path.mid(last + 1) : path.left(last + 1);
}

QString FitText(const QString& text, int width, const std::function<int(const QString&)>& measure)
{
    QString fitted = text;
    for (qsizetype n = text.size() / 2 - 2; measure(fitted) > width && n > 3; --n)
        fitted = fitted.left(n) + u"..." + fitted.right(n);
    return fitted;
}

} // namespace freshbolt
