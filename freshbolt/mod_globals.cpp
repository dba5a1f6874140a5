// SPDX-License-Identifier: MIT
#include "freshbolt/mod_globals.h"

#include "platform/local_files.h"

#include <QDir>
#include <cmath>

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

void FormatPattern(double value, QStringView pattern, ShortText& out)
{
    const qsizetype point = pattern.indexOf(u'.');
    const int decimals = std::min(point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1), 6);
    const bool forcedIntegerDigit = pattern.first(point < 0 ? pattern.size() : point).endsWith(u'0');
    static constexpr double kScales[] = { 1, 10, 100, 1000, 1e4, 1e5, 1e6 };

    const double rounded = std::round(std::fabs(value) * kScales[decimals]); // halves away from zero
    if (!(rounded < 1e18)) {
        out << QString::number(value, 'f', decimals);
        return;
    }
    // The download shows these after every chunk: built digit by digit, without the general formatter.
    auto units = static_cast<quint64>(rounded);
    char16_t digits[24];
    int start = std::size(digits);
    for (int i = 0; i < decimals; ++i, units /= 10)
        digits[--start] = static_cast<char16_t>(u'0' + units % 10);
    if (decimals > 0)
        digits[--start] = u'.';
    if (units > 0 || forcedIntegerDigit) {
        do {
            digits[--start] = static_cast<char16_t>(u'0' + units % 10);
            units /= 10;
        } while (units > 0);
    }
    if (value < 0 && rounded != 0)
        digits[--start] = u'-';
    out << QStringView(digits + start, static_cast<qsizetype>(std::size(digits)) - start);
}

void FormatBytes(double value, QStringView pattern, ShortText& out)
{
    const auto scaled = [&](double amount, QStringView fallback, QStringView unit) {
        FormatPattern(amount, pattern.isEmpty() ? fallback : pattern, out);
        out << unit;
    };
    if (value < 0)
        return;
    if (value < kKilobyte)
        out << QString::number(value, 'g', 15) << u" bytes";
    else if (value < kMegabyte)
        scaled(value / kKilobyte, u"###0", u" KB");
    else if (value <= kGigabyte - 1)
        scaled(value / kMegabyte, u"###0.0", u" MB");
    else
        scaled(value / kGigabyte, u"###0.0", u" GB");
}

void FormatTime(float seconds, ShortText& out)
{
    // The remainders round halves to the even neighbour first and keep the sign of the dividend.
    const auto remainder60
        = [](float value) { return static_cast<double>(static_cast<qint64>(std::nearbyint(value)) % 60); };
    const auto floorOf = [](float value) { return static_cast<double>(std::floor(value)); };
    if (seconds >= 0 && seconds < 60) {
        FormatPattern(seconds, u"0", out);
        out << u" sec";
    } else if (seconds >= 60 && seconds < 3600) {
        FormatPattern(floorOf(seconds / 60), u"#0", out);
        out << u" min ";
        FormatPattern(remainder60(seconds), u"0", out);
        out << u" sec";
    } else {
        FormatPattern(floorOf(seconds / 3600), u"#0", out);
        out << u" hr ";
        FormatPattern(remainder60(seconds / 60), u"0", out);
        out << u" min";
    }
}

QString FormatPattern(double value, QStringView pattern)
{
    ShortText text;
    FormatPattern(value, pattern, text);
    return text.view().toString();
}

QString FormatBytes(double value, const QString& pattern)
{
    ShortText text;
    FormatBytes(value, pattern, text);
    return text.view().toString();
}

QString FormatTime(float seconds)
{
    ShortText text;
    FormatTime(seconds, text);
    return text.view().toString();
}

double GetFreeDiskSpace(const QString& path)
{
    return platform::freeDiskBytes(AddBackslash(path));
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
