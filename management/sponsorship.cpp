#include "management/sponsorship.h"

#include "support/debug.h"

namespace {

constexpr int kNations = 9;
constexpr int kDivisions = 6;

constexpr int32_t kSponsorshipTable[kNations][kDivisions] = {
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 1000000, 1000000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 500000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
};

// Rows for standing classes 0..2, 3..5 and 6..8.
constexpr int32_t kDeduction[3][kDivisions] = {
    {3000000, 1000000, 500000, 250000, 100000, 50000},
    {2000000, 500000, 250000, 100000, 50000, 15000},
    {0, 0, 0, 0, 0, 0},
};

}  // namespace

int32_t GetSponsorshipAmount(int16_t nation, uint16_t standingClass, int16_t division) {
    if (standingClass >= 9) FatalError("invalid team expectation passed in for sponsorship board");
    // Clubs outside the played leagues have no sponsorship table entry.
    if (nation < 0 || nation >= kNations || division < 0 || division >= kDivisions) return 0;
    return kSponsorshipTable[nation][division] - kDeduction[standingClass / 3][division];
}
