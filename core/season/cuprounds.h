// Cup and European round rules: four national cups per country, and the
// three European cups run as cups 4-6 of country 0.
#pragma once
#include <cstdint>

#include "core/season/calendar.h"

constexpr int kCupCount = 7;
constexpr int kCupRounds = 8;
constexpr int kCupRoundRecordSize = 13;
constexpr int kFirstEuropeanCup = 4;

// Per country, cup and round a 13-byte record: i16 draw day (-1 no such
// round), i16 match day, i8 entry window start and end, i8 clubs through
// from the previous round, i8 extra-time code, i8 match mode, i8 second
// match extra-time code, i8 second match shoot-out flag, i8 neutral ground,
// i8 substitutes.  A cup that a country does not have holds 255 in its
// substitutes bytes.
enum CupRoundByte : int {
    kCupDrawDay = 0,
    kCupMatchDay = 2,
    kCupEntryStart = 4,
    kCupEntryEnd = 5,
    kCupClubsThrough = 6,
    kCupExtraTime = 7,
    kCupMatchMode = 8,
    kCupSecondExtraTime = 9,
    kCupSecondShootOut = 10,
    kCupNeutral = 11,
    kCupSubstitutes = 12,
};
struct CupRoundRuleTable {
    uint8_t bytes[kCountryCount][kCupCount][kCupRounds][kCupRoundRecordSize];
};
extern const CupRoundRuleTable CupRoundRules;

// Rounds of each cup per country; 0 = the country has no such cup.  The
// European cups read country 0's row.
extern const int16_t CupRoundCounts[kCountryCount][kCupCount];

// Television money of a cup match: per nation and cup a base amount; the
// European cups read nation 0's row.
extern const int32_t CupTVMoney[kCountryCount][kCupCount];

// Plays every cup of a rule table on paper: "" when each round's clubs pair
// up (or form groups of four), its winners come through to the next round,
// every tie ends within two matches, the last round is a final of two,
// windows lie inside the nation's club order and cups a nation lacks are
// left unset; else what is wrong.  The shipped table is checked when the
// game is built.
const char* CheckCupRoundRules(const CupRoundRuleTable& table);
