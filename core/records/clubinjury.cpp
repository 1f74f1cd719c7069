#include "core/records/clubinjury.h"

#include <array>

#include "core/records/records.h"

namespace {

// Every club starts allowing two serious injuries a match.
constexpr uint8_t kDefaultInjuryByte = 20;

std::array<uint8_t, kClubCount> MakeDefaultTable() {
    std::array<uint8_t, kClubCount> table{};
    table.fill(kDefaultInjuryByte);
    return table;
}

std::array<uint8_t, kClubCount> ClubInjuryBytes = MakeDefaultTable();

}  // namespace

uint8_t GetClubInjuryByte(int16_t club) {
    if (club < 0 || club >= kClubCount) return 0;
    return ClubInjuryBytes[club];
}
