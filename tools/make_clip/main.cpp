// SPDX-License-Identifier: MIT
// Draws the updater's download clip: a page flies from the globe into the folder.
#include "tools/make_clip/avi_writer.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <cstdio>

namespace
{

constexpr int kWidth = 300;
constexpr int kHeight = 40;
constexpr int kFrames = 16;

enum Colour : char { Face, White, Black, Sea, Land, Folder, FolderShade };

class Canvas
{
public:
    Canvas()
        : pixels(kWidth * kHeight, Face)
    {
    }
    void set(int x, int y, char colour)
    {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            pixels[y * kWidth + x] = colour;
    }
    void fill(int left, int top, int width, int height, char colour)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                set(x, y, colour);
    }
    QByteArray pixels;
};

void drawGlobe(Canvas& canvas)
{
    const int cx = 30, cy = 20, r = 16;
    for (int y = cy - r; y <= cy + r; ++y) {
        for (int x = cx - r; x <= cx + r; ++x) {
            const int d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d <= r * r)
                canvas.set(x, y, d >= (r - 1) * (r - 1) ? Black : ((x / 5 + y / 7) % 3 == 0 ? Land : Sea));
        }
    }
}

void drawFolder(Canvas& canvas)
{
    canvas.fill(252, 8, 14, 5, FolderShade);
    canvas.fill(252, 12, 40, 22, Folder);
    canvas.fill(252, 33, 40, 1, FolderShade);
}

void drawPage(Canvas& canvas, int left, int top)
{
    canvas.fill(left, top, 12, 15, Black);
    canvas.fill(left + 1, top + 1, 10, 13, White);
    for (int line = 0; line < 4; ++line)
        canvas.fill(left + 3, top + 3 + line * 3, 6, 1, Black);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_clip <output.avi>\n");
        return 2;
    }
    QList<QByteArray> frames;
    for (int i = 0; i < kFrames; ++i) {
        Canvas canvas;
        drawGlobe(canvas);
        drawFolder(canvas);
        const double t = double(i) / (kFrames - 1);
        drawPage(canvas, 50 + int(t * 190), 12 - int(std::sin(t * 3.14159265) * 10));
        frames.append(avi_writer::rle8Frame(canvas.pixels, kWidth, kHeight));
    }
    const QList<QRgb> palette { qRgb(212, 208, 200), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(40, 90, 220),
        qRgb(40, 160, 60), qRgb(250, 210, 80), qRgb(190, 150, 40) };
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(avi_writer::clip(kWidth, kHeight, 100, palette, frames, true)) < 0
        || !out.commit()) {
        std::fprintf(stderr, "make_clip: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
