// The screen table the front-end controller runs for a screen id: the
// screen of the id, or the plain screen (frontendloop.h) for an id with none.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

const MenuItem* FrontEndScreenTable(int16_t id);
