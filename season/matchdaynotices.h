// The notices of the day shown on the match-day screens: transfers, loans,
// injuries and managers' news of the day.
#pragma once
#include <cstdint>

// 1 when the match-day options ask for the day's notices.
int16_t MatchDay_NoticesOn();
// A notice about a player (a walk-out, an injury).
void MatchDay_BuildMessageA(int16_t club, uint16_t player);
// A transfer (kind 0: the seller and the fee) or loan (kind 1: the parent
// and the host club) notice.
void MatchDay_BuildReport(uint16_t player, int16_t club, int32_t otherClubOrFee, int32_t value, int16_t kind);
