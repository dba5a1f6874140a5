// SPDX-License-Identifier: MIT
#include "quillet/favourites/favorites_file.h"

#include "platform/core/ansi_text.h"
#include "quillet/favourites/user_ids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quillet
{

namespace favorites_file
{

namespace
{

QString tooLarge()
{
    return QStringLiteral("it is larger than %1 MB, too large for a list of user IDs").arg(kMaxFileBytes >> 20);
}

} // namespace

QString FavoritesFilePath(const QString& programFolder, bool bSellers)
{
    return programFolder + QDir::separator() + (bSellers ? QLatin1String("Sellers.txt") : QLatin1String("Bidders.txt"));
}

void AddFileLines(const QByteArray& bytes, CUserIDs& list)
{
    const QString text = platform::fromAnsi(bytes);
    const qsizetype length = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        list.Add(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < length && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        list.Add(text.mid(start));
}

QByteArray FileBytes(const CUserIDs& list)
{
    QString text;
    for (const CUserID& entry : list.NewEnum())
        text += entry.UserID() + QLatin1String("\r\n");
    return platform::toAnsi(text);
}

FileResult LoadFavoritesFile(const QString& path, CUserIDs& list)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return { false, QStringLiteral("it is a folder, not a file") };
    if (!info.isFile())
        return { false, QStringLiteral("it is not an ordinary file") };
    if (info.size() > kMaxFileBytes)
        return { false, tooLarge() };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { false, file.errorString() };
    // Bounded again: the file may grow between the look and the read.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return { false, file.errorString() };
    if (bytes.size() > kMaxFileBytes)
        return { false, tooLarge() };
    AddFileLines(bytes, list);
    return {};
}

FileResult SaveFavoritesFile(const QString& path, const CUserIDs& list)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return { false, file.errorString() };
    const QByteArray bytes = FileBytes(list);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return { false, file.errorString() };
    return {};
}

} // namespace favorites_file

} // namespace quillet
