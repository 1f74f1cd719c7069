#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/match/ballcontacts.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/periodrunner.h"
#include "core/match/wholematch.h"
#include "tests/core/match/scenario.h"
#include "tests/fakes/result_check.h"

namespace {

// A played match reduced to its result block and the generator's state
// after it: equal prints mean the same match was played.
struct RepeatMatchPrint {
    uint64_t resultHash = 0;
    uint32_t generatorAfter = 0;
    int goals[2] = {};
    bool operator==(const RepeatMatchPrint&) const = default;
};

RepeatMatchPrint RepeatPlayMatch(uint32_t clubsSeed, uint32_t drawSeed) {
    scenario::MountGameData();
    MatchHooks = MatchDisplayHooks{};
    scenario::FillTwoClubs(clubsSeed, 1, 5, 10);
    DisplayModeFlags = kDisplayOff;
    MatchPeriodRunner = Match_RunPeriod;
    GameSeedRandom(drawSeed);
    const MatchResultBlock* result = PlayMatch();
    EXPECT_EQ(CheckPlayedResult(*result), "");
    RepeatMatchPrint print;
    const auto* bytes = reinterpret_cast<const uint8_t*>(result);
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < sizeof *result; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    print.resultHash = hash;
    print.generatorAfter = GameRandomState();
    print.goals[0] = Goals[0];
    print.goals[1] = Goals[1];
    return print;
}

// Nothing a match leaves behind (the officials' facing, the formation's
// possession counters, the tick phase, the last kick-off taker, the set
// pieces' state) may steer the next one: the same clubs and the same draws
// play the same match whatever was played before.
TEST(MatchRepeatTest, SameClubsAndDrawsPlayTheSameMatchWhateverCameBefore) {
    const RepeatMatchPrint first = RepeatPlayMatch(3, 3 * 7919);
    const RepeatMatchPrint other = RepeatPlayMatch(5, 5 * 7919);
    EXPECT_FALSE(other == first) << "a different match must differ, or the comparison proves nothing";
    // What the other match may leave of its last foul and touches.
    FoulTeam = 1;
    FouledPlayer = 20;
    TeamLastToucher[0] = 20;
    TeamLastToucher[1] = 3;
    LastToucher = PreviousToucher = 3;
    const RepeatMatchPrint again = RepeatPlayMatch(3, 3 * 7919);
    EXPECT_TRUE(again == first) << first.goals[0] << "-" << first.goals[1] << " then " << again.goals[0]
                                << "-" << again.goals[1];
    const RepeatMatchPrint third = RepeatPlayMatch(3, 3 * 7919);
    EXPECT_TRUE(third == first);
}

}  // namespace
