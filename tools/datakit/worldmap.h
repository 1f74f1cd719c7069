// The scouting screen's world map: land, sea, a faint grid, each region's
// land around its map point with its outline, and a marker on every point.
#pragma once

#include "tools/datakit/tgawrite.h"

namespace datakit {

Picture DrawWorldMap();
// The region (0..8) whose land holds the picture point, -1 for the sea.
int WorldMapRegionAt(int x, int y);
void GenerateWorldMap();

}  // namespace datakit
