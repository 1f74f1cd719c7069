#include "core/records/clublogs.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/season/fixtures.h"

using recbits::LoadU16;
using recbits::StoreU16;

namespace {

constexpr uint16_t kFreeWord = 0xFFFF;

uint8_t* FreeGoalEntry(ClubRecord* club, int half) {
    for (int i = 0; i < kClubGoalLogEntries; ++i) {
        uint8_t* entry = club->bytes + kClubGoalLog + i * kClubGoalLogEntrySize;
        if (LoadU16(entry + half * 8) == kFreeWord) return entry + half * 8;
    }
    return nullptr;
}

// The goal entries of a team part, as many as its goal count.
void CopyGoals(ClubRecord* club, const uint8_t* teamPart, int half) {
    const int count = std::min<int>(LoadU16(teamPart + kReportGoalCount), kReportGoalEntries);
    for (int g = 0; g < count; ++g) {
        uint8_t* to = FreeGoalEntry(club, half);
        if (to == nullptr) return;
        std::memcpy(to, teamPart + kReportGoalList + g * kReportGoalEntrySize, kReportGoalEntrySize);
    }
}

}  // namespace

void ClearClubLogs(ClubRecord* club) {
    std::memset(club->bytes + kClubGoalLog, 0xFF, kClubGoalLogEntries * kClubGoalLogEntrySize);
    std::memset(club->bytes + kClubMatchEntries, 0xFF, 2 * kClubMatchEntryCount);
    std::memset(club->bytes + kClubHomeTotals, 0, 40);
}

void AddClubGoalLog(ClubRecord* club, const uint8_t* teamPart, int16_t side, const MatchResultBlock& result) {
    if (club == nullptr || (side != 0 && side != 1)) return;
    CopyGoals(club, teamPart, 0);
    CopyGoals(club, result.teams[1 - side].bytes, 1);
}

void AddClubMatchEntries(ClubRecord* club, const uint8_t* teamPart) {
    if (club == nullptr) return;
    int to = 0;
    for (int pair = 0; pair < kReportPairs; ++pair) {
        const uint8_t* from = teamPart + kReportPairList + 2 * pair;
        if (int8_t(from[0]) <= 0) break;
        while (to < kClubMatchEntryCount && club->bytes[kClubMatchEntries + 2 * to] != 0xFF) ++to;
        if (to == kClubMatchEntryCount) return;
        club->bytes[kClubMatchEntries + 2 * to] = from[0];
        club->bytes[kClubMatchEntries + 2 * to + 1] = from[1];
    }
}

void AddClubMatchStatTotals(ClubRecord* club, const uint8_t* teamPart, int16_t side) {
    if (club == nullptr || (side != 0 && side != 1)) return;
    uint8_t* totals = club->bytes + (side == 0 ? kClubHomeTotals : kClubAwayTotals);
    for (int w = 0; w < kReportCounterWords; ++w)
        StoreU16(totals + 2 * w,
                 uint16_t(LoadU16(totals + 2 * w) + LoadU16(teamPart + kReportCounters + 2 * w)));
}

void ClearFixtureLineUp(uint8_t* fixture, int16_t side) {
    if (fixture == nullptr || (side != 0 && side != 1)) return;
    for (int i = 0; i < kFixtureLineUpEntries; ++i) {
        uint8_t* entry = fixture + kFixtureLineUps + side * kFixtureLineUpSize + i * kFixtureLineUpEntrySize;
        StoreU16(entry, kFreeWord);
        entry[2] = 0;
        entry[3] = 0;
    }
}

void SetFixtureLineUpEntry(uint8_t* fixture, int16_t side, int16_t i, const uint8_t* teamPart) {
    if (fixture == nullptr || (side != 0 && side != 1) || i < 0 || i >= kFixtureLineUpEntries) return;
    const uint8_t* report = teamPart + kReportPlayers + i * kPlayerReportSize;
    uint8_t* entry = fixture + kFixtureLineUps + side * kFixtureLineUpSize + i * kFixtureLineUpEntrySize;
    const uint16_t player = LoadU16(report + kPlayerNumber);
    const uint16_t cards = LoadU16(report + kPlayerCards);
    StoreU16(entry, player);
    entry[2] = uint8_t(LoadU16(report + kPlayerRating) & 0xFF);
    uint8_t flags = uint8_t(std::min<int>(int16_t(LoadU16(report + kPlayerGoals)), 31) & 0x1F);
    if (cards == 1 || cards == 2) flags |= 0x20;
    if (cards >= 2) flags |= 0x40;
    if (player != 0 && LoadU16(teamPart + kReportManOfTheMatch) == player) flags |= 0x80;
    entry[3] = flags;
}
