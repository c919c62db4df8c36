#include "title_screen.h"

#include "controls.h"
#include "layout.h"

namespace snoutsum {

namespace {

// Reaches past the window on every side, so the panel covers all of it.
constexpr int kPanelHeight = 360;
constexpr int kPanelWidth = 510;
constexpr int kPanelLeft = -1;
constexpr int kPanelTop = -1;

constexpr double kNamePoints = 35;
constexpr double kListPoints = 10;
constexpr int kNameX = 17;
constexpr int kNameY = 10;
constexpr int kShadowOffset = 3;

struct Line {
    const char* text;
    int x, y;
};

// The key list, the prompt and the credit, all white at 10 points.
constexpr Line kLines[] = {
    {"｢↑｣･･･up", 60, 65},
    {"｢↓｣･･･down", 60, 80},
    {"｢←｣･･･left", 60, 95},
    {"｢→｣･･･right", 60, 110},
    {"｢z｣･･･exchange", 60, 125},
    {"push any key to start", 50, 140},
    {"(c) 2026 the Snoutsum developers", 10, 160},
};

} // namespace

void drawTitleScreen(TitlePanel& panel)
{
    panel.setPanelHeight(kPanelHeight);
    panel.setPanelWidth(kPanelWidth);
    panel.movePanel(kPanelLeft, kPanelTop);
    panel.setBackColour(toQColor(layout::kBlack));
    panel.setFontPoints(kNamePoints);

    // The name twice: the first copy shows only where the second, 3 pixels
    // up and left, leaves it uncovered, as a shadow below and to the right.
    const QString name = QStringLiteral("Snoutsum");
    panel.setBold(true);
    panel.setItalic(true);
    panel.setDrawingPosition(kNameX + kShadowOffset, kNameY + kShadowOffset);
    panel.setTextColour(toQColor(layout::kShadow));
    panel.drawText(name);
    panel.setDrawingPosition(kNameX, kNameY);
    panel.setTextColour(toQColor(layout::kNamePink));
    panel.drawText(name);

    panel.setBold(false);
    panel.setItalic(false);
    panel.setTextColour(toQColor(layout::kWhite));
    panel.setFontPoints(kListPoints);
    for (const Line& line : kLines) {
        panel.setDrawingPosition(line.x, line.y);
        panel.drawText(QString::fromUtf8(line.text));
    }
}

} // namespace snoutsum
