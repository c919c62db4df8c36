// The two pictures of Snoutsum, built from their text
// sources hog.xpm and icon.xpm: the pig sprite of the picture box `hog` and
// the program icon. Both are 32 x 32 and fully opaque
// (Format_ARGB32, alpha 255 everywhere).
#pragma once

#include <QImage>

namespace snoutsum {

// The pig sprite: six colours, the pig clinging to the pole at the left edge.
QImage hogImage();

// The program icon: the same pig in colours of the standard 16-colour palette.
QImage iconImage();

}  // namespace snoutsum
