#include "season/cuprounds.h"

constexpr int16_t CupRoundCounts[kCountryCount][kCupCount] = {
    {8, 7, 5, 6, 6, 2, 5}, {7, 6, 5, 0, 6, 2, 5}, {6, 0, 0, 0, 6, 2, 5},
    {7, 0, 0, 0, 6, 2, 5}, {0, 0, 0, 0, 6, 2, 5}, {6, 0, 0, 0, 6, 2, 5},
    {7, 6, 0, 0, 6, 2, 5}, {6, 0, 0, 0, 6, 2, 5}, {6, 5, 0, 0, 6, 2, 5},
};

namespace {

// The rounds carry their substitutes; round days, entry windows and match
// modes are not laid down yet, so every round reads as not scheduled
// (all bytes 0xFF) and no round is ever drawn from this table.
constexpr CupRoundRuleTable BuildRules() {
    CupRoundRuleTable t{};
    for (int c = 0; c < kCountryCount; ++c) {
        for (int k = 0; k < kCupCount; ++k) {
            for (int r = 0; r < kCupRounds; ++r) {
                uint8_t* rec = t.bytes[c][k][r];
                for (int i = 0; i < kCupRoundRecordSize; ++i) rec[i] = 0xFF;
                if (r < CupRoundCounts[c][k]) rec[kCupSubstitutes] = 5;
            }
        }
    }
    return t;
}

}  // namespace

constexpr CupRoundRuleTable CupRoundRules = BuildRules();
