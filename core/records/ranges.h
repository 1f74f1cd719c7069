// The ranges of the numbers that name things in the records: clubs, the nine
// playable countries, divisions, cups, nations and players.  A number read
// from a record, a saved game or a caller is checked with these before it
// indexes a table, so that every check of one kind is the same check.
// They take any integer type, so that a negative 16-bit club and a large
// unsigned one are both refused.
#pragma once
#include <cstdint>

#include "core/club/nations.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/cuprounds.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"

constexpr bool IsClubNumber(int64_t club) { return club >= 0 && club < kClubCount; }
constexpr bool IsCountryNumber(int64_t country) { return country >= 0 && country < kCountryCount; }
constexpr bool IsDivisionNumber(int64_t division) { return division >= 0 && division < kDivisionCount; }
constexpr bool IsCupNumber(int64_t cup) { return cup >= 0 && cup < kCupCount; }
constexpr bool IsNationNumber(int64_t nation) { return nation >= 0 && nation < kNationCount; }

// A player number in use: 1 .. PlayerCount - 1 (0 names no player).  The
// table bound also guards a player count read from a damaged save.
inline bool IsPlayerNumber(int64_t player) {
    return player > 0 && player < PlayerCount && player < kMaxPlayers;
}

// A playable country whose leagues and cups are played in this game.
inline bool IsCountryInPlay(int64_t country) {
    return IsCountryNumber(country) && CountryInPlay[country] != 0;
}
