// A new game of the generated world made once per seed and process and put
// back from a kept copy for every later fixture that asks for it: a new
// game takes seconds (many more in a checked tree), a copy back a few
// milliseconds.  The copy holds every saved block, the generator's state
// and the tables beside the saved blocks that a new game sets and the
// game reads on; what the game only keeps meanwhile (the day's kept
// answers, the last match shown) is forgotten as a load forgets it.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/matchdaynotices.h"
#include "core/club/squads.h"
#include "core/club/transferprices.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/seasonsquads.h"
#include "tests/fakes/test_util.h"
#ifdef HALVORN_GAME_TESTS
#include "game/screens/matchday/lastmatch.h"
#endif

namespace testenv {

// The seed the screen tests' fixtures share where their tests do not need
// a world of their own: a process that runs several of them makes one new
// game.
constexpr uint32_t kScreenWorldSeed = 2002;

namespace keptgame {

template <typename T>
DataBlockDescriptor Whole(T& object) {
    return {&object, uint32_t(sizeof object)};
}

// The tables beside the saved blocks that a new game sets and the game
// reads on: the rosters and squad lists the squad passes built, the
// strength ranking, this season's club records, the tactic presets, the
// season's new-player counts, the running-season flag, the shipped
// database the new game read and the league layout it was made on, the
// user's pending deals, the job offer, the match-day messages, the
// request windows and the progress shown.
inline std::vector<DataBlockDescriptor> BesideTables() {
    return {Whole(ClubRoster),          Whole(ClubRosterCount),      Whole(ClubSquadCount),
            Whole(ClubAvailableCount),  Whole(FirstTeamList),        Whole(ReserveList),
            Whole(YouthList),           Whole(SquadPositionCounts),  Whole(CurrentClubManager),
            Whole(ClubStrengthRanking), Whole(ClubCountOfNation),    Whole(ClubTacticPreset),
            Whole(LeagueSeasonRecords), Whole(ReserveSeasonRecords), Whole(NewPlayerCount),
            Whole(DisplayModeFlags),    Whole(TotStatClubs),         Whole(TotStatPlayers),
            Whole(TotStatNames),        Whole(TotStatPlayerCount),   Whole(DivisionLayout),
            Whole(PendingDealTable),    Whole(JobOfferClub),         Whole(JobOfferPending),
            Whole(JobOfferClubShown),   Whole(MatchDayMessageQueue), Whole(RequestBlackout),
            Whole(ProgressSteps),       Whole(ProgressStep)};
}

// Every block of a copy: the saved blocks, then the tables beside them.
inline std::vector<DataBlockDescriptor> CopiedBlocks() {
    std::vector<DataBlockDescriptor> all(SaveGameDescriptors, SaveGameDescriptors + kSaveGameBlockCount);
    for (const DataBlockDescriptor& table : BesideTables()) all.push_back(table);
    return all;
}

inline std::vector<std::vector<uint8_t>> BlocksNow() {
    std::vector<std::vector<uint8_t>> blocks;
    for (const DataBlockDescriptor& block : CopiedBlocks()) {
        const auto* bytes = static_cast<const uint8_t*>(block.address);
        blocks.emplace_back(bytes, bytes + block.size);
    }
    return blocks;
}

// The blocks as the program started: taken as the test run begins, when
// every table holds its own start-up values and no test has run yet.
inline std::vector<std::vector<uint8_t>>& BlocksAtStart() {
    static std::vector<std::vector<uint8_t>> blocks;
    return blocks;
}
struct BlocksAtStartTaker : ::testing::Environment {
    void SetUp() override { BlocksAtStart() = BlocksNow(); }
};
inline ::testing::Environment* const kBlocksAtStartTaker =
    ::testing::AddGlobalTestEnvironment(new BlocksAtStartTaker);

struct Copy {
    std::vector<std::vector<uint8_t>> blocks;  // the saved blocks, then the tables beside them
    uint32_t random = 0;
};

inline void Take(Copy& copy) {
    copy.blocks = BlocksNow();
    copy.random = GameRandomState();
}

inline void PutBack(const Copy& copy) {
    const std::vector<DataBlockDescriptor> blocks = CopiedBlocks();
    for (size_t i = 0; i < blocks.size(); ++i)
        std::memcpy(blocks[i].address, copy.blocks[i].data(), blocks[i].size);
    GameRandomStateWord = copy.random;
    // What is kept meanwhile is forgotten, as a load forgets it: the
    // answers kept against the fixture table's generation, the history
    // lists' indexes and the match-event log's first free record.
    ++FixtureTableGeneration;
    RebuildClubHistoryIndex();
    RebuildPlayerHistoryIndex();
    MatchEvents_Clear();
#ifdef HALVORN_GAME_TESTS
    LastMatch_Forget();
#endif
}

// The copies by seed; an entry without a copy holds why there is none.
struct Kept {
    std::unique_ptr<Copy> copy;
    std::string error;
};
inline std::map<uint32_t, Kept>& Copies() {
    static std::map<uint32_t, Kept> copies;
    return copies;
}

// A new game from the seed, made in the game folder as the program's first
// new game is made: over the blocks as the program started, so that what
// the new game leaves as it finds it (the club the screens selected, the
// search presets, flags of the match-day messages, ...) is not what an
// earlier test left.  "" or why not.
inline std::string MakeFresh(uint32_t seed) {
    char here[4096];
    if (getcwd(here, sizeof here) == nullptr) return "no working folder";
    if (chdir(HALVORN_GAME_DIR) != 0) return GameDataMissing();
    std::string error;
    if (!std::filesystem::exists("stats/totstat.dat")) {
        error = GameDataMissing("stats/totstat.dat");
    } else {
        const std::vector<DataBlockDescriptor> blocks = CopiedBlocks();
        const std::vector<std::vector<uint8_t>>& start = BlocksAtStart();
        for (size_t i = 0; i < blocks.size() && i < start.size(); ++i)
            std::memcpy(blocks[i].address, start[i].data(), blocks[i].size);
        ClearTotStatTables();
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        GameSeedRandom(seed);
        NewGameSetUp();
    }
    if (chdir(here) != 0 && error.empty()) error = "cannot return to the test folder";
    return error;
}

}  // namespace keptgame

// Puts the process into the new game of the seed as a fresh one would be:
// made the first time, put back from its copy later.  "" or why there is
// no game (the first answer stands for the process).
inline std::string KeptNewGame(uint32_t seed) {
    keptgame::Kept& kept = keptgame::Copies()[seed];
    if (kept.copy) {
        keptgame::PutBack(*kept.copy);
        return "";
    }
    if (!kept.error.empty()) return kept.error;
    kept.error = keptgame::MakeFresh(seed);
    if (!kept.error.empty()) return kept.error;
    kept.copy = std::make_unique<keptgame::Copy>();
    keptgame::Take(*kept.copy);
    return "";
}

}  // namespace testenv
