// A trace of the world played from one seed, for comparing build trees: a
// world that plays differently under another optimisation level reads
// something that is not game state.  Off unless HALVORN_WORLD_TRACE names
// the file to write; HALVORN_WORLD_TRACE_STOP ("season:day", default 1:0)
// sets where it ends.  Each line is one day: the season and day played, the
// generator's state, then a hash of every saved block in file order.  Two
// traces are compared with diff; the first differing line and column name
// the day and block.  HALVORN_WORLD_TRACE_DAY ("season:day") adds, within
// that day, a line before each fixture's result is made and after each
// engine match, to name the fixture where two traces part, and a line for
// every tick of its engine matches.  HALVORN_WORLD_TRACE_CHECKS=1 runs the
// soak's daily checks before each line, as the soak test does: a trace that
// then differs from one without them shows a check that changes the world.
// HALVORN_WORLD_TRACE_BEFORE ("seed:season:day") first plays another world
// to that day in the same process: a trace that then differs from a fresh
// one shows state left over from the earlier game.  HALVORN_WORLD_TRACE_VIEWED
// names the viewed country (default 5, the user's own being 0).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/base/random.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/records/history.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "tests/fakes/soak_checks.h"
#include "tests/fakes/soak_driver.h"
#include "tests/fakes/test_util.h"

namespace {

void WriteWorldLine(FILE* out, int season, int day) {
    // Within a day new history entries may still wait beside their list.
    SettleHistoryLists();
    std::fprintf(out, "%d:%d rng %08x", season, day, unsigned(GameRandomState()));
    for (int b = 0; SaveGameDescriptors[b].address != nullptr; ++b)
        std::fprintf(
            out, " %d=%016llx", b,
            (unsigned long long)HashBytes(SaveGameDescriptors[b].address, SaveGameDescriptors[b].size));
    std::fputc('\n', out);
    std::fflush(out);
}

FILE* g_out = nullptr;
int g_traceSeason = -1, g_traceDay = -1;
FixtureResultMakers g_madeBy{};

bool TracedDay() { return SeasonCalendar.season == g_traceSeason && SeasonCalendar.currentDay == g_traceDay; }

void TraceStep(const char* step) {
    if (!TracedDay()) return;
    std::fprintf(g_out, "%s ", step);
    WriteWorldLine(g_out, SeasonCalendar.season, SeasonCalendar.currentDay);
}

// The tick: the generator, the figures and the ball's motion.
void TraceTick() {
    if (!TracedDay()) return;
    static uint32_t tick = 0;
    const int32_t ball[6] = {BallState.x16, BallState.y16, BallState.z16,
                             BallState.vx,  BallState.vy,  BallState.vz};
    std::fprintf(g_out, "tick %u rng %08x figures %016llx ball", tick++, unsigned(GameRandomState()),
                 (unsigned long long)HashBytes(MatchFigures, sizeof MatchFigures));
    for (int32_t value : ball) std::fprintf(g_out, " %d", value);
    std::fputc('\n', g_out);
}

void TracedMatch() {
    TraceStep("engine");
    MatchHooks.tickDisplayStep = TraceTick;
    g_madeBy.playMatch();
    MatchHooks.tickDisplayStep = nullptr;
    TraceStep("engine-end");
}

void TracedPrediction(int16_t home, int16_t away, int16_t competition, int16_t extraTime, int16_t fifth,
                      int16_t penalties, int16_t user, int16_t slot) {
    if (TracedDay()) {
        std::fprintf(g_out, "slot %d %d-%d comp %d ", slot, home, away, competition);
        WriteWorldLine(g_out, SeasonCalendar.season, SeasonCalendar.currentDay);
    }
    g_madeBy.predict(home, away, competition, extraTime, fifth, penalties, user, slot);
}

TEST(WorldTraceTest, WritesTheWorldOfEveryDay) {
    const char* path = std::getenv("HALVORN_WORLD_TRACE");
    if (path == nullptr || path[0] == '\0')
        GTEST_SKIP() << "writes a world trace only when HALVORN_WORLD_TRACE names its file";
    int stopSeason = 1, stopDay = 0;
    if (const char* stop = std::getenv("HALVORN_WORLD_TRACE_STOP")) {
        ASSERT_EQ(std::sscanf(stop, "%d:%d", &stopSeason, &stopDay), 2);
    }
    FILE* out = std::fopen(path, "w");
    ASSERT_NE(out, nullptr) << path;
    if (const char* day = std::getenv("HALVORN_WORLD_TRACE_DAY")) {
        ASSERT_EQ(std::sscanf(day, "%d:%d", &g_traceSeason, &g_traceDay), 2);
    }
    g_out = out;
    if (const char* before = std::getenv("HALVORN_WORLD_TRACE_BEFORE")) {
        SoakConfig earlier;
        int seed = 0, season = 0, day = 0;
        ASSERT_EQ(std::sscanf(before, "%d:%d:%d", &seed, &season, &day), 3);
        earlier.seed = uint32_t(seed);
        ASSERT_GE(StartSoakGame(HALVORN_GAME_DIR, earlier), 0);
        ASSERT_EQ(RunSoakUntil(int16_t(season), int16_t(day)), "");
    }
    SoakConfig config;
    if (const char* viewed = std::getenv("HALVORN_WORLD_TRACE_VIEWED"))
        config.viewedCountry = int16_t(std::atoi(viewed));
    ASSERT_GE(StartSoakGame(HALVORN_GAME_DIR, config), 0);
    g_madeBy = ResultMakers;
    ResultMakers = {TracedMatch, TracedPrediction};
    WriteWorldLine(out, -1, -1);
    const char* checks = std::getenv("HALVORN_WORLD_TRACE_CHECKS");
    const bool checked = checks != nullptr && std::string(checks) == "1";
    const auto daily = [out, checked] {
        std::string fault = checked ? CheckSoakDay() : std::string();
        WriteWorldLine(out, SeasonCalendar.season, SeasonCalendar.currentDay);
        return fault;
    };
    EXPECT_EQ(RunSoakUntil(int16_t(stopSeason), int16_t(stopDay), daily), "");
    std::fprintf(out, "%s\n", FormatSoakCounts(CurrentSoakCounts()).c_str());
    ResultMakers = g_madeBy;
    std::fclose(out);
}

}  // namespace
