// The rating pass after the user's match: ten rankings of 32 players, the
// star, the comments and the joined text of every player, over a set of
// kept matches whose counters are drawn from the game's generator (each
// round takes the next match).  Target well under 1 ms a pass.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/match/matchresult.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/ratings.h"

namespace {

LastMatchCopy DrawnMatch() {
    LastMatchCopy copy{};
    copy.fixture = -1;
    copy.referee = -1;
    std::memset(copy.setup.bytes, 0xFF, sizeof copy.setup.bytes);
    for (int team = 0; team < 2; ++team) {
        recbits::StoreU16(copy.result.teams[team].bytes + kReportGoals, uint16_t(GameRandom() % 5));
        for (int p = 0; p < 14; ++p) {
            uint8_t* e = copy.result.teams[team].bytes + kReportPlayers + p * kPlayerReportSize;
            recbits::StoreU16(e + kPlayerNumber, uint16_t(1 + team * 16 + p));
            recbits::StoreU16(e + kPlayerRating, uint16_t(10 + GameRandom() % 90));
            recbits::StoreU16(e + kPlayerGoals, uint16_t(GameRandom() % 10 == 0 ? 1 + GameRandom() % 3 : 0));
            recbits::StoreU16(e + kPlayerCards, uint16_t(GameRandom() % 12 == 0 ? GameRandom() % 4 : 0));
            for (int at = 14; at < 127; ++at) e[at] = uint8_t(GameRandom() % 9);
            e[kStatsStartMinute] = uint8_t(p < 11 ? 0 : 40 + GameRandom() % 50);
            e[kStatsEndMinute] = 90;
            recbits::StoreU16(e + kStatsKeeperFlags, p == 0 ? 1 : 0);
            e[kStatsOutfieldFlags] = p == 0 ? 0 : 1;
        }
    }
    return copy;
}

void BM_RatingPass(benchmark::State& state) {
    GameRandomStateWord = 2002;
    std::vector<LastMatchCopy> matches;
    for (int m = 0; m < 16; ++m) matches.push_back(DrawnMatch());
    size_t round = 0;
    for (auto _ : state) {
        LastMatch_Set(matches[round++ % matches.size()]);
        Ratings_RunPass(-1, int16_t(round % 2));
        for (int16_t p = 0; p < kRatedPlayers; ++p) Ratings_BuildCommentText(p);
        benchmark::DoNotOptimize(RatingCommentText[0]);
    }
}
BENCHMARK(BM_RatingPass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
