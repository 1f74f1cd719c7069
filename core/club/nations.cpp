#include "core/club/nations.h"

#include <array>

#include "core/records/ranges.h"

const uint16_t NationalityNation[kNationalityCodes] = {
#define NATIONALITY_NATION(nationality, nation) uint16_t(nation),
#include "data/world/nationality_nations.inc"
#undef NATIONALITY_NATION
};

uint16_t NationGroup(int16_t nation) {
    if (nation < 0 || nation >= kNationalityCodes) return uint16_t(nation < 0 ? 0 : nation);
    return NationalityNation[nation];
}

namespace {

// Nations 0-115 have a region; the last nation number has none.
constexpr int kRegionNations = 116;

// World regions: 1 Europe, 2 North and Central America, 3 South America,
// 4 Africa, 5 Asia, 6 Oceania.
constexpr std::array<int8_t, kRegionNations> MakeRegions() {
    std::array<int8_t, kRegionNations> r{};
    for (int n = 0; n <= 31; ++n) r[n] = 1;
    for (int n : {33, 40, 45, 49, 65, 69, 73, 77, 80, 84, 100, 101, 104, 110}) r[n] = 1;
    for (int n : {34, 44, 47, 51, 54, 55, 59, 74, 86, 89, 98, 108, 114, 115}) r[n] = 2;
    for (int n : {39, 48, 53, 56, 58, 81, 87, 88, 94, 95}) r[n] = 3;
    for (int n : {32, 35, 37, 41, 42, 43, 50, 52, 57,  60,  63,  64,  66,  67,  72,  76,
                  79, 82, 83, 91, 92, 93, 96, 97, 103, 105, 106, 107, 109, 111, 112, 113}) {
        r[n] = 4;
    }
    for (int n : {36, 38, 61, 68, 70, 71, 75, 78, 85, 90, 99}) r[n] = 5;
    for (int n : {46, 62, 102}) r[n] = 6;
    return r;
}
constexpr std::array<int8_t, kRegionNations> kRegions = MakeRegions();

constexpr bool EveryNationHasRegion() {
    for (int8_t r : kRegions) {
        if (r == 0) return false;
    }
    return true;
}
static_assert(EveryNationHasRegion());

}  // namespace

int16_t NationRegion(int16_t nation) {
    if (nation < 0 || nation >= kRegionNations) return 0;
    return kRegions[nation];
}
