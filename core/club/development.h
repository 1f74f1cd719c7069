// Lasting changes to a player's attributes: the marks a bad injury leaves,
// and the weekly ageing, drift and growth.
#pragma once
#include <cstdint>

// Lowers the attributes the injury type affects, then may take something
// off stats 14, 27 and 12 depending on stat 12.
void InjuryAttributeLoss(uint16_t player, int16_t injuryType);
inline void ApplyInjuryDamage(uint16_t player, int16_t injuryType) {
    InjuryAttributeLoss(player, injuryType);
}

// One week of decline (when 4 x age field is above stat 27 + 1) or drift.
void WeeklyAgeingStep(uint16_t player);
// The decline-or-drift rule of one week, for a career length d (4 per year)
// against an ability allowance s (stat 27 + 1).
void AgeOrDriftWeek(uint16_t player, int32_t d, int32_t s);

// One week of growth; a player of the user's club with a training record
// has each gain counted there.
void WeeklyGrowthStep(uint16_t player);
// The growth rule of one week; each gain is counted in training record
// `record` (0..99) when it is not -1.
void GrowthWeek(uint16_t player, int16_t record);
// `weeks` weeks of growth (no training record) each followed by the
// decline-or-drift rule for a career length of 4 per 52 weeks gone and an
// allowance `allowance`: the same draws and changes as GrowthWeek and
// AgeOrDriftWeek week by week.
void PastCareerWeeks(uint16_t player, int32_t weeks, int32_t allowance);
inline void MatchImprovePlayer(uint16_t player) { WeeklyGrowthStep(player); }
