#pragma once

namespace snoutsum {

class TitlePanel;

// Takes the panel over the whole window and draws the title screen on it,
// starting from a cleared panel so every run gives the same picture.
void drawTitleScreen(TitlePanel& panel);

} // namespace snoutsum
