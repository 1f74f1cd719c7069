// The 34 numbered menu backgrounds, drawn by code at the full screen size:
// gradients, pitch markings, stands in silhouette and panels, with a calm
// title strip, bottom bar and list area for the text drawn over them.
#pragma once

#include "tools/datakit/tgawrite.h"

namespace datakit {

Picture DrawMenuBackground(int number);
// Stages every background after reading it back through the game's
// picture loader.
void GenerateMenuBackgrounds();

}  // namespace datakit
