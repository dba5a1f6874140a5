// SPDX-License-Identifier: MIT
// Draws the installed program icons from the window icon's own drawing: hicolor PNGs and the scalable SVG.
//   make_icons <folder> <size>...   writes <folder>/<size>x<size>/apps/<id>.png for each size
//                                   and <folder>/scalable/apps/<id>.svg
#include "quillet/mainwindow/star_picture.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>

using namespace quillet;

namespace
{

constexpr int kSvgSize = 32;
const QString kIconName = QStringLiteral("com.cobbleton.Quillet");

bool save(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).path())) {
        std::fprintf(stderr, "make_icons: cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "make_icons: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

QByteArray png(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    star_picture::DrawWindowIcon(p, size);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray svg()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(kSvgSize, kSvgSize));
    generator.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    generator.setTitle(QStringLiteral("Lastbell Quillet"));
    QPainter p(&generator);
    star_picture::DrawWindowIcon(p, kSvgSize);
    p.end();
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    // No window is shown; the offscreen platform lets the tool run in builds without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: make_icons <folder> <size>...\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    bool written = true;
    for (const QString& argument : arguments.mid(2)) {
        const int size = argument.toInt();
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "make_icons: not a size: %s\n", qPrintable(argument));
            return 2;
        }
        const QString name = QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(kIconName);
        written = save(folder.filePath(name), png(size)) && written;
    }
    written = save(folder.filePath(QStringLiteral("scalable/apps/%1.svg").arg(kIconName)), svg()) && written;
    return written ? 0 : 1;
}
