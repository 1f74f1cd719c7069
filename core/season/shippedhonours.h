// The season before the first, as the shipped world has it: each league
// country's honours row (titles, cups, the European winners in country 0's
// row), six further European entrants per country for the first season,
// and the two European title holders.  Made at build time from the world
// plan; the data kit checks it against the generated database.
#pragma once
#include <cstdint>

#include "core/records/honours.h"
#include "core/season/calendar.h"

constexpr int kShippedEuropeanEntries = 6;

extern const HonoursRow ShippedHonours[kCountryCount];
extern const int16_t ShippedEuropeanEntries[kCountryCount][kShippedEuropeanEntries];

// Holder A won European cup 6 and holder B European cup 4.
constexpr int16_t kShippedHolderA = 606;
constexpr int16_t kShippedHolderB = 1025;

// Honours-row words of the club honours (the same numbering as the season
// awards): national cup c's winner 2c and runner-up 2c + 1, European cup
// e's (4..6) winner and runner-up 2e and 2e + 1, division d's (0..3)
// champion 14 + 2d and runner-up 15 + 2d, divisions 4 and 5 at 22..25, the
// season opener's winner 26.
constexpr int kHonourCupWinnerWord = 0;
constexpr int kHonourEuropeanWord = 8;
constexpr int kHonourChampionWord = 14;
constexpr int kHonourLowerChampionWord = 22;
constexpr int kHonourOpenerWord = 26;
// The word of a division's champion (runner-up: one more).
constexpr int HonourChampionWord(int division) {
    return division < 4 ? kHonourChampionWord + 2 * division : kHonourLowerChampionWord + 2 * (division - 4);
}
