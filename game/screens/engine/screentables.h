// The screen table the front-end controller runs for a screen id: the
// screen of the id, or the plain screen (menucont.h) for an id with none.
#pragma once
#include <cstdint>

#include "game/screens/engine/machine.h"

const MenuItem* FrontEndScreenTable(int16_t id);
