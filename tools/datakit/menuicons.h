// The 56 menu icon sheets, drawn by code in one flat style (a dark outline
// round bright shapes) on the pure magenta transparent key: the frame grids
// of the game's icon list, and the sheets it measures sized for their use.
#pragma once
#include <cstdint>

#include "tools/datakit/tgawrite.h"

namespace datakit {

constexpr uint32_t ICON_KEY = 0xFFFF00FFu;

// The sheet of icon list entry 1..56.
Picture DrawIconSheet(int entry);
// The size the kit draws a measured sheet at (0 x 0 for a gridded one).
void MeasuredSheetSize(int entry, int* width, int* height);
// Stages every sheet after reading it back through the game's picture
// loader, measuring and cutting it as the game does.
void GenerateMenuIcons();

}  // namespace datakit
