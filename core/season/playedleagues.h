// Which countries' leagues are played in full (the others are only
// predicted), and the two-way detail option chosen beside them.  The club
// rules that tell played from unplayed nations read these flags; the
// played-countries screen writes them and the saved game keeps them.
#pragma once
#include <cstdint>

#include "core/season/calendar.h"

extern uint16_t PlayedLeagueFlags[kCountryCount];
// 0 standard detail, 1 full detail.
extern uint16_t PlayedDetailOption;

// Every country played: the flags of a program that has not been through
// the played-countries screen, and of a game saved before they were kept.
void ResetPlayedLeagueFlags();
// After a load: a saved game that holds no flag set was saved before the
// flags were kept (the played-countries screen never clears them all: the
// home country stays played) and takes the defaults.
void SettlePlayedLeagueFlagsAfterLoad();
