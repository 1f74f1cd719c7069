// A saved game whose player histories hold the same event twice in a row
// (a player hurt the same way twice at one club in one season) loads as it
// was saved and plays on as the game that went on from the save: every
// saved block right after the load, and again after the same days played
// from the same seed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/match/matchsetup.h"
#include "core/records/blockfiles.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "tests/fakes/soak_driver.h"
#include "tests/fakes/test_util.h"

namespace {

// What every load sets afresh for the screens (the selected club and the
// club screens' word) is no part of the world.
constexpr int kRepeatSelectedClubBlock = 43;
constexpr int kRepeatClubScreenWordBlock = 44;
// A checked tree saves earlier: the same faults show, at half the cost.
int16_t RepeatSaveDay() { return ShortTestRun() ? 30 : 60; }
constexpr int kRepeatDaysOn = 7;
constexpr uint32_t kRepeatPlayOnSeed = 8700;
constexpr uint8_t kRepeatInjuryKind = 4;
constexpr int16_t kRepeatInjuryDays = 5;  // long enough to be kept in his history
int16_t ShapesSaveDay() { return ShortTestRun() ? 40 : 80; }

using RepeatSavedBlocks = std::vector<std::vector<uint8_t>>;

RepeatSavedBlocks RepeatCopyBlocks() {
    RepeatSavedBlocks blocks(kSaveGameBlockCount);
    for (int block = 0; block < kSaveGameBlockCount; ++block) {
        if (block == kRepeatSelectedClubBlock || block == kRepeatClubScreenWordBlock) continue;
        const DataBlockDescriptor& d = SaveGameDescriptors[block];
        const auto* bytes = static_cast<const uint8_t*>(d.address);
        blocks[block].assign(bytes, bytes + d.size);
    }
    return blocks;
}

// " block B at offset O" for each block that differs, at its first
// differing byte; "" when all are alike.
std::string RepeatBlockDifferences(const RepeatSavedBlocks& a, const RepeatSavedBlocks& b) {
    std::string text;
    for (int block = 0; block < kSaveGameBlockCount; ++block) {
        const std::vector<uint8_t>& x = a[block];
        const std::vector<uint8_t>& y = b[block];
        if (x == y) continue;
        size_t offset = 0;
        while (offset < x.size() && offset < y.size() && x[offset] == y[offset]) ++offset;
        text += " block " + std::to_string(block) + " at offset " + std::to_string(offset);
    }
    return text;
}

RepeatSavedBlocks RepeatPlayDaysFromSeed() {
    GameSeedRandom(kRepeatPlayOnSeed);
    EXPECT_EQ(RunSoakUntil(SeasonCalendar.season, int16_t(SeasonCalendar.currentDay + kRepeatDaysOn)), "");
    return RepeatCopyBlocks();
}

// A player whose latest history entry is an injury of this season at the
// club he is still at (its type in *type), or 0.
uint16_t PlayerLastHurtAtHisClub(int16_t* type) {
    const uint32_t used = PlayerHistoryCount - 1;
    for (uint32_t i = 0; i < used; ++i) {
        const PlayerHistoryEntry& e = PlayerHistoryEntries[i];
        const uint16_t player = PlayerHistoryPlayer(e);
        const bool lastOfHis = i + 1 == used || PlayerHistoryPlayer(PlayerHistoryEntries[i + 1]) != player;
        if (!lastOfHis || PlayerHistoryKind(e) != kRepeatInjuryKind ||
            PlayerHistorySeason(e) != uint8_t(SeasonCalendar.season) ||
            PlayerHistoryClub(e) != GetPlayerClub(player)) {
            continue;
        }
        *type = int16_t(PlayerHistoryMarker(e));
        return player;
    }
    return 0;
}

// Whether the player's latest history entry equals the one before it.
bool LatestEntryRepeatsThePrevious(uint16_t player) {
    uint32_t last = PlayerHistoryFirst[player];
    while (last + 1 < PlayerHistoryCount - 1 && PlayerHistoryPlayer(PlayerHistoryEntries[last + 1]) == player)
        ++last;
    return last > 0 && std::memcmp(&PlayerHistoryEntries[last], &PlayerHistoryEntries[last - 1],
                                   sizeof(PlayerHistoryEntry)) == 0;
}

TEST(SavedGameHistoryTest, AnInjuryRepeatedInASeasonIsKeptByTheLoadAndTheGamePlaysOnAlike) {
    ASSERT_GE(StartSoakGame(HALVORN_GAME_DIR, SoakConfig{}), 0);
    ScratchFolder scratch("savedhistory");
    ASSERT_EQ(RunSoakUntil(0, RepeatSaveDay()), "");
    int16_t type = 0;
    const uint16_t player = PlayerLastHurtAtHisClub(&type);
    ASSERT_NE(player, 0) << "no player hurt at his club this season";
    const uint32_t entries = PlayerHistoryCount;
    InjurePlayer(player, kRepeatInjuryDays, type, 0);
    ASSERT_EQ(PlayerHistoryCount, entries + 1);
    ASSERT_TRUE(LatestEntryRepeatsThePrevious(player)) << "the second injury is an entry like the first";

    ASSERT_EQ(SaveGame(1), 0);
    const RepeatSavedBlocks saved = RepeatCopyBlocks();
    const RepeatSavedBlocks continued = RepeatPlayDaysFromSeed();
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(RepeatBlockDifferences(saved, RepeatCopyBlocks()), "") << "the loaded game";
    EXPECT_EQ(RepeatBlockDifferences(continued, RepeatPlayDaysFromSeed()), "") << "the days after the load";
}

// The shape each computer club plays is no part of the saved game: a game
// loaded into a program just started plays on as the game that went on from
// the save, also after clubs changed manager since the season began.
TEST(SavedGameHistoryTest, ClubsChangedManagerSinceTheSeasonBeganPlayTheSameShapesAfterALoad) {
    ASSERT_GE(StartSoakGame(HALVORN_GAME_DIR, SoakConfig{}), 0);
    ScratchFolder scratch("savedshapes");
    const auto atNewGame = ClubTacticPreset;
    ASSERT_EQ(RunSoakUntil(0, ShapesSaveDay()), "");
    // The shapes of today's managers, worked out over a copy of the table.
    const auto kept = ClubTacticPreset;
    InitClubTacticPresets();
    int changed = 0;
    for (int club = 0; club < kTacticPresetClubs; ++club)
        changed += ClubTacticPreset[club] != atNewGame[club];
    ClubTacticPreset = kept;
    ASSERT_GT(changed, 0) << "no club's manager plays another shape than at the new game";

    ASSERT_EQ(SaveGame(1), 0);
    const RepeatSavedBlocks continued = RepeatPlayDaysFromSeed();
    ClubTacticPreset.fill(0xFF);  // as a program just started holds it
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(RepeatBlockDifferences(continued, RepeatPlayDaysFromSeed()), "") << "the days after the load";
}

}  // namespace
