// The screen table the front-end controller runs for a screen id: the
// screens built so far, and the shared stand-in for those still to come.
#pragma once
#include <cstdint>

#include "game/screens/engine/machine.h"

const MenuItem* FrontEndScreenTable(int16_t id);
