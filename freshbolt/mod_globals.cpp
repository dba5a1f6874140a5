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

QString FormatPattern(double value, const QString& pattern)
{
    const qsizetype point = pattern.indexOf(u'.');
    const int decimals = point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
    const bool forcedIntegerDigit = pattern.left(point < 0 ? pattern.size() : point).endsWith(u'0');

    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(value) * scale); // std::round takes halves away from zero
    const auto units = static_cast<qint64>(rounded);
    const qint64 whole = units / static_cast<qint64>(scale);
    QString text = whole == 0 && !forcedIntegerDigit ? QString() : QString::number(whole);
    if (decimals > 0)
        text += u'.' + QStringLiteral("%1").arg(units % static_cast<qint64>(scale), decimals, 10, QChar(u'0'));
    return value < 0 && rounded != 0 ? u'-' + text : text;
}

QString FormatBytes(double value, const QString& pattern)
{
    const auto scaled = [&pattern](double amount, QStringView fallback, QStringView unit) -> QString {
        return FormatPattern(amount, pattern.isEmpty() ? fallback.toString() : pattern) + unit;
    };
    if (value < 0)
        return {};
    if (value < kKilobyte)
        return QString::number(value, 'g', 15) + u" bytes";
    if (value < kMegabyte)
        return scaled(value / kKilobyte, u"###0", u" KB");
    if (value <= kGigabyte - 1)
        return scaled(value / kMegabyte, u"###0.0", u" MB");
    return scaled(value / kGigabyte, u"###0.0", u" GB");
}

QString FormatTime(float seconds)
{
    // The remainders round halves to the even neighbour first and keep the sign of the dividend.
    const auto remainder60 = [](float value) { return static_cast<qint64>(std::nearbyint(value)) % 60; };
    const auto floorOf = [](float value) { return static_cast<double>(std::floor(value)); };
    if (seconds >= 0 && seconds < 60)
        return FormatPattern(seconds, QStringLiteral("0")) + u" sec";
    if (seconds >= 60 && seconds < 3600)
        return FormatPattern(floorOf(seconds / 60), QStringLiteral("#0")) + u" min "
            + FormatPattern(static_cast<double>(remainder60(seconds)), QStringLiteral("0")) + u" sec";
    return FormatPattern(floorOf(seconds / 3600), QStringLiteral("#0")) + u" hr "
        + FormatPattern(static_cast<double>(remainder60(seconds / 60)), QStringLiteral("0")) + u" min";
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
