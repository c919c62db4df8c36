#pragma once
// Where everything sits in the window and what colour it is. Pixels of the
// window's drawing area, origin top-left, y downward.

namespace snoutsum::layout {

struct Rgb {
    int r, g, b;
};

// Colours of the window and its controls.
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGrey{128, 128, 128};
// A tile's border must show on black and on the blue and red backgrounds.
inline constexpr Rgb kTileBorder{160, 160, 160};
// The title screen's own two.
inline constexpr Rgb kShadow{255, 100, 100};
inline constexpr Rgb kNamePink{255, 181, 183};

struct Rect {
    int left, top, width, height;
};

inline constexpr int kClientWidth = 233;
inline constexpr int kClientHeight = 184;

// Tiles stand on a 32-pixel pitch but are 33 wide and high, so neighbours
// share one border line.
inline constexpr int kTileOriginLeft = 8;
inline constexpr int kTileOriginTop = 16;
inline constexpr int kTilePitch = 32;
inline constexpr int kTileSize = 33;
inline constexpr Rect tileRect(int column, int row)
{
    return {kTileOriginLeft + kTilePitch * (column - 1), kTileOriginTop + kTilePitch * (row - 1),
            kTileSize, kTileSize};
}

inline constexpr Rect kScoreValue{184, 32, 33, 17}; // score(1)
inline constexpr Rect kScoreCaption{184, 16, 41, 17}; // score(0)

// The pole: a line 5 pixels wide centred on x = 140, y 18 to 175 inclusive.
inline constexpr int kPoleX = 140;
inline constexpr int kPoleTop = 18;
inline constexpr int kPoleBottom = 175;
inline constexpr int kPoleWidth = 5;

inline constexpr Rect kHogAtStart{140, 144, 32, 32};
// The title panel before the title screen takes it over.
inline constexpr Rect kTitleAtStart{168, 64, 41, 33};
inline constexpr int kTitleBorder = 1;

// Font sizes are meant at 96 dots per inch (15 twips to the pixel), whatever
// the desktop reports, so they are turned into pixels once, here, rounding to
// the nearest pixel as the design's own renderer did.
inline constexpr int pointsToPixels(double points) { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }
inline constexpr int kTileFontPixels = pointsToPixels(20.25); // 27
inline constexpr int kScoreFontPixels = 12;                   // "SCORE" fits its 41 x 17 label

} // namespace snoutsum::layout
