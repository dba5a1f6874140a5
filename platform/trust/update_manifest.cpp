// SPDX-License-Identifier: MIT
#include "platform/trust/update_manifest.h"

#include "platform/core/ascii_match.h"

#include <QSet>

namespace platform
{

namespace
{

constexpr qsizetype kMaxFiles = 64;
constexpr qsizetype kMaxTextBytes = 256;
constexpr qsizetype kSha256Bytes = 32;
// No more bytes than fit the size field of any file system the programs run on.
constexpr qsizetype kMaxSizeDigits = 15;

// A name made of these characters cannot climb out of the folder or carry a control character.
bool isSafePath(QStringView path, bool absolute)
{
    const auto allowed = [](QChar c) {
        return ascii::isLetter(c) || ascii::isDigit(c) || c == u'.' || c == u'_' || c == u'/' || c == u'-';
    };
    if (path.size() > kMaxTextBytes || !ascii::isAll(path, allowed) || path.startsWith(u'/') != absolute)
        return false;
    const QStringView rest = absolute ? path.sliced(1) : path;
    for (const QStringView part : rest.split(u'/'))
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
    return true;
}

bool isDigits(QByteArrayView text, qsizetype maxDigits)
{
    return !text.isEmpty() && text.size() <= maxDigits && (text == "0" || !text.startsWith('0'))
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<QString> textValue(QByteArrayView line, QByteArrayView name)
{
    if (!line.startsWith(name) || line.size() <= name.size() + 1 || line.at(name.size()) != ' ')
        return std::nullopt;
    const QByteArrayView value = line.sliced(name.size() + 1);
    if (value.size() > kMaxTextBytes || value.startsWith(' ') || value.endsWith(' ')
        || std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return std::nullopt;
    const QString text = QString::fromUtf8(value);
    if (text.toUtf8() != value)
        return std::nullopt; // not UTF-8
    return text;
}

std::optional<ManifestFile> fileLine(QByteArrayView line)
{
    const std::optional<QString> value = textValue(line, "file");
    if (!value)
        return std::nullopt;
    const QStringList fields = value->split(u' ');
    if (fields.size() != 4 || !isDigits(fields.at(0).toLatin1(), kMaxSizeDigits) || fields.at(1).size() != 64)
        return std::nullopt;
    if (!ascii::isAll(fields.at(1), ascii::isLowerHexDigit) || !isSafePath(fields.at(2), true)
        || !isSafePath(fields.at(3), false))
        return std::nullopt;
    const QByteArray sha256 = QByteArray::fromHex(fields.at(1).toLatin1());
    if (sha256.size() != kSha256Bytes)
        return std::nullopt;
    return ManifestFile { fields.at(2), fields.at(3), fields.at(0).toLongLong(), sha256 };
}

std::optional<QDateTime> timeValue(QByteArrayView line)
{
    const std::optional<QString> value = textValue(line, "expires");
    static constexpr QStringView kForm = u"####-##-##T##:##:##Z";
    if (!value || value->size() != kForm.size() || !ascii::startsWithShape(*value, kForm))
        return std::nullopt;
    QDateTime time = QDateTime::fromString(*value, Qt::ISODate);
    if (!time.isValid())
        return std::nullopt;
    return time.toUTC();
}

} // namespace

std::optional<UpdateManifest> ReadManifest(QByteArrayView bytes)
{
    if (bytes.size() > kMaxManifestBytes || !bytes.endsWith('\n'))
        return std::nullopt;
    QList<QByteArrayView> lines;
    for (QByteArrayView rest = bytes; !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        lines.append(rest.first(end));
        rest = rest.sliced(end + 1);
    }
    if (lines.size() < 5 || lines.size() > 4 + kMaxFiles)
        return std::nullopt;
    UpdateManifest manifest;
    const std::optional<QString> product = textValue(lines.at(0), "product");
    const std::optional<QString> version = textValue(lines.at(1), "version");
    const std::optional<QString> sequence = textValue(lines.at(2), "sequence");
    const std::optional<QDateTime> expires = timeValue(lines.at(3));
    // Twenty digits could overflow the counter.
    if (!product || !version || !sequence || !isDigits(sequence->toLatin1(), 19) || !expires)
        return std::nullopt;
    manifest.product = *product;
    manifest.version = *version;
    manifest.sequence = sequence->toULongLong();
    manifest.expires = *expires;
    QSet<QString> destinations;
    for (qsizetype index = 4; index < lines.size(); ++index) {
        std::optional<ManifestFile> file = fileLine(lines.at(index));
        if (!file || destinations.contains(file->destination))
            return std::nullopt;
        destinations.insert(file->destination);
        manifest.files.append(std::move(*file));
    }
    return manifest;
}

QByteArray ManifestText(const UpdateManifest& manifest)
{
    QByteArray text = "product " + manifest.product.toUtf8() + "\nversion " + manifest.version.toUtf8() + "\nsequence "
        + QByteArray::number(manifest.sequence) + "\nexpires "
        + manifest.expires.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
    for (const ManifestFile& file : manifest.files)
        text += "file " + QByteArray::number(file.size) + ' ' + file.sha256.toHex() + ' ' + file.path.toUtf8() + ' '
            + file.destination.toUtf8() + '\n';
    return text;
}

} // namespace platform
