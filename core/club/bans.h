// Serving bans: each time a club's side is picked for a match, one match of
// every running ban of its players is served.
#pragma once
#include <cstdint>

// Domestic suspensions whose wait has run out.
void ApplyPlayerSuspension(int16_t club);
// European bans; a served-out ban also takes three European discipline
// points.
void ApplyEuroDisciplinePoints(int16_t club);
