#include "core/match/crowd.h"

#include <cstdlib>

#include "core/match/matchstate.h"

int16_t CrowdExcitement;

namespace {

void Raise(int32_t amount) {
    int32_t value = int32_t(CrowdExcitement) + amount;
    if (value > kCrowdExcitementCap) value = kCrowdExcitementCap;
    if (value < 0) value = 0;
    CrowdExcitement = int16_t(value);
}

}  // namespace

void Crowd_AddExcitement(int16_t amount) { Raise(amount); }

void Crowd_AddExcitementNearGoal(int16_t team, int16_t /*x*/, int16_t y) {
    // A team defends the low end when it attacks toward high y.
    const int32_t goalY = team == AttackDirection ? PitchGeometry.top : PitchGeometry.bottom;
    const int32_t away = std::abs(int32_t(y) - goalY);
    const int32_t closeness = PitchGeometry.Length() / 2 - away;
    if (closeness > 0) Raise(closeness / 8);
}
