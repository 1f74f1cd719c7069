#include "season/fixtures.h"

Fixture FixtureTable[kFixtureSlots];
