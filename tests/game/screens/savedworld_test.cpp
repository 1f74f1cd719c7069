// A game saved and loaded again holds the fixture table of the game it came
// from, byte for byte: the load moves the reserve fixtures that share a day
// with another fixture of their clubs, so the running game must have left
// none to move, on the day a new game starts and at the end of every day.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "core/records/blockfiles.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

class SavedWorldTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!worldReady_) GTEST_FAIL() << world_.error;
        std::filesystem::create_directories("SaveData/GOALS");
    }
    // The slots whose bytes a save and a load of the game change.
    static std::vector<int> SlotsChangedByASaveAndALoad() {
        const std::vector<Fixture> before(FixtureTable, FixtureTable + kFixtureSlots);
        if (SaveGame(1) != 0 || LoadGame(1) != 0) return {-1};
        std::vector<int> changed;
        for (int slot = 0; slot < kFixtureSlots; ++slot)
            if (std::memcmp(&before[size_t(slot)], &FixtureTable[slot], sizeof(Fixture)) != 0)
                changed.push_back(slot);
        return changed;
    }
    static void PlayDay() {
        StdoutCapture quiet;
        PlayDayWithoutScreens();
        quiet.Text();
    }
    static inline testenv::SharedNewWorld world_;
    static inline bool worldReady_ = false;
};

TEST_F(SavedWorldTest, ASavedAndLoadedGameHoldsTheFixtureTableItCameFrom) {
    // The new game (its reserve league was laid out beside the other
    // competitions), then days played as the game plays them, to past the
    // first cup draw (day 58), whose ties land beside reserve fixtures.
    EXPECT_EQ(SlotsChangedByASaveAndALoad(), std::vector<int>{}) << "the new game";
    const int days = ShortTestRun() ? 2 : 40;
    for (int day = 0; day < days; ++day) {
        PlayDay();
        EXPECT_EQ(SlotsChangedByASaveAndALoad(), std::vector<int>{}) << "day " << SeasonCalendar.currentDay;
    }
}

}  // namespace
