// A game saved and loaded plays on as the game it was saved from: the
// national squads chosen before the save still play their match after the
// load, as they do in the game that was never saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/records/blockfiles.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/nationalsquads.h"
#include "tests/fakes/soak_driver.h"
#include "tests/fakes/test_util.h"

namespace {

// "home-away:played" for every national fixture of the day.
std::vector<std::string> NationalFixturesOf(int16_t day) {
    std::vector<std::string> found;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) != uint16_t(day)) continue;
        if (FixtureType(slot) != kCompNationalTeam && FixtureType(slot) != kCompNationalUnder21) continue;
        found.push_back(std::to_string(FixtureHome(slot)) + "-" + std::to_string(FixtureAway(slot)) + ":" +
                        (IsFixturePlayed(slot) ? "played" : "unplayed"));
    }
    return found;
}

constexpr uint32_t kReplaySeed = 4242;

TEST(SavedGameReplayTest, NationalSquadsChosenBeforeASavePlayTheirMatchAfterTheLoad) {
    ASSERT_GE(StartSoakGame(HALVORN_GAME_DIR, SoakConfig{}), 0);
    // A senior match of two nations two and a half weeks ahead: its squads
    // are chosen a fortnight before it.
    const int16_t national = int16_t(SeasonCalendar.currentDay + 17);
    ASSERT_GE(AddFixture(national, kCompNationalTeam, 0, 1, 1), 0);
    // Saved between the squads' choice (a fortnight before) and their call-up.
    const int16_t saveDay = int16_t(national - 6);
    ASSERT_EQ(RunSoakUntil(0, saveDay), "");
    std::vector<uint16_t> chosen(&NationalSquads[0][0][0],
                                 &NationalSquads[0][0][0] + sizeof NationalSquads / 2);
    ASSERT_NE(std::count_if(chosen.begin(), chosen.end(), [](uint16_t p) { return p != 0; }), 0);
    ScratchFolder scratch("savedreplay");
    ASSERT_EQ(SaveGame(1), 0);

    GameSeedRandom(kReplaySeed);
    ASSERT_EQ(RunSoakUntil(0, int16_t(national + 1)), "");
    const std::vector<std::string> played = NationalFixturesOf(national);
    ASSERT_FALSE(played.empty());
    for (const std::string& fixture : played)
        EXPECT_NE(fixture.find(":played"), std::string::npos) << fixture;

    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(SeasonCalendar.currentDay, saveDay);
    EXPECT_TRUE(std::equal(chosen.begin(), chosen.end(), &NationalSquads[0][0][0]));
    GameSeedRandom(kReplaySeed);
    ASSERT_EQ(RunSoakUntil(0, int16_t(national + 1)), "");
    EXPECT_EQ(NationalFixturesOf(national), played);
}

}  // namespace
