#include "pictures.h"

// The pictures themselves: XPM is C source, one character per pixel.
#include "hog.xpm"
#include "icon.xpm"

namespace snoutsum {

namespace {

// Qt reads a small XPM as an indexed image; the game wants 32-bit pixels.
// ARGB32 rather than RGB32 keeps the alpha of the source, so that a
// transparent colour slipped into an XPM shows up in the tests instead of
// silently turning black. The pictures have none: every alpha is 255.
QImage fromXpm(const char* const xpm[])
{
    return QImage(xpm).convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage hogImage()
{
    return fromXpm(hog_xpm);
}

QImage iconImage()
{
    return fromXpm(icon_xpm);
}

}  // namespace snoutsum
