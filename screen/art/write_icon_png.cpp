// Build-time tool: writes the program icon as a PNG for the desktop install.
// Usage: write_icon_png OUTPUT.png
// Needs no display: QImage alone, no QGuiApplication.
#include <cstdio>

#include "pictures.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    // The icon is opaque: write it without an alpha channel.
    const QImage icon = snoutsum::iconImage().convertToFormat(QImage::Format_RGB32);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "write_icon_png: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
