// Consistency passes over the day-sorted fixture table.
#pragma once
#include <cstdint>

// Moves each reserve-league fixture from today on that falls on a day on
// which one of its clubs already plays another competition.
void ResolveFixtureClashes();
