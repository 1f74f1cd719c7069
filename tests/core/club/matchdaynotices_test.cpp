// The match-day news flashes: templates with their placeholders, the ring
// of the last five, the fast-flash wait bit and the panel hook.
#include "core/club/matchdaynotices.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "core/base/corehooks.h"
#include "core/records/records.h"
#include "tests/core/club/management_fixture.h"
#include "tests/fakes/text_env.h"

namespace {

uint32_t g_flashClock = 0;
int g_flashPanels = 0;

class DayFlashTest : public ManagementTest {
  protected:
    void SetUp() override {
        ManagementTest::SetUp();
        testenv::LoadTexts({{1266, "$0t have appointed $0p, says $0t."},
                            {1260, "$0p sacked by $0t"},
                            {1261, "No placeholder here"},
                            {1262, std::string(299, 'x')}});
        std::snprintf(ClubNameRecords[7].text[0], sizeof ClubNameRecords[7].text[0], "Rovers");
        MakeClub(7);
        manager_ = MakePlayer(7, 13);
        SetPlayerSurname(manager_, "Holm");
        SetPlayerInitial(manager_, 0);
        g_flashClock = 1000;
        g_flashPanels = 0;
        CoreHooks hooks;
        hooks.timerTicks = [] { return g_flashClock; };
        hooks.dayFlashes = [] { ++g_flashPanels; };
        CoreSetHooks(hooks);
        MatchDayMessageQueue.flags = 0xFF;
        MatchDay_ClearMessages();
    }
    void TearDown() override {
        CoreSetHooks(CoreHooks{});
        testenv::UnloadTexts();
    }
    static std::string Entry(int i) { return MatchDayMessageQueue.text[i]; }

    uint16_t manager_ = 0;
};

TEST_F(DayFlashTest, PlaceholdersAreReplacedAtTheirFirstOccurrenceAndTheFirstFlashTakesTheTopRow) {
    EXPECT_EQ(MatchDayMessageQueue.flags, 0xFC) << "only the two ring bits are cleared";
    MatchDay_BuildMessageB(7, int16_t(manager_));
    EXPECT_EQ(Entry(0), "Rovers have appointed Holm, says $0t.");
    for (int i = 1; i < kDayFlashEntries; ++i) EXPECT_EQ(Entry(i), "") << i;
    EXPECT_EQ(MatchDayMessageQueue.head, 1);
    EXPECT_EQ(MatchDayMessageQueue.start, 0);
    EXPECT_EQ(g_flashPanels, 1);
    MatchDay_BuildMessageC(7, int16_t(manager_), 1);
    EXPECT_EQ(Entry(1), "Holm sacked by Rovers");
    MatchDay_BuildMessageC(7, int16_t(manager_), 0);
    EXPECT_EQ(Entry(2), "No placeholder here");
}

TEST_F(DayFlashTest, TheSixthFlashOverwritesTheOldestAndTheRingShowsOldestFirst) {
    for (int i = 0; i < 6; ++i) {
        g_flashClock += 1000;
        MatchDay_BuildMessageC(7, int16_t(manager_), int16_t(i == 5 ? 1 : 0));
    }
    EXPECT_EQ(Entry(0), "Holm sacked by Rovers");
    EXPECT_EQ(MatchDayMessageQueue.head, 1);
    EXPECT_EQ(MatchDayMessageQueue.start, 1) << "the oldest of the five is shown first";
    EXPECT_NE(MatchDayMessageQueue.flags & kDayFlashWrapped, 0);
    EXPECT_EQ(MatchDayMessageQueue.flags & kDayFlashFast, 0) << "a second apart is not fast";
}

TEST_F(DayFlashTest, FiveFlashesWithinAFifthOfASecondAskThePanelToWait) {
    for (int i = 0; i < 4; ++i) {
        g_flashClock += 10;
        MatchDay_BuildMessageC(7, int16_t(manager_), 0);
    }
    EXPECT_EQ(MatchDayMessageQueue.flags & kDayFlashFast, 0) << "fewer than five: nothing to compare";
    g_flashClock += 10;
    MatchDay_BuildMessageC(7, int16_t(manager_), 0);
    EXPECT_NE(MatchDayMessageQueue.flags & kDayFlashFast, 0);
}

TEST_F(DayFlashTest, ALongFlashIsCutToItsEntryAndATemplateOf299CharactersEndsTheProgram) {
    testenv::LoadTexts(
        {{1266, std::string(200, 'a') + "$0t" + std::string(95, 'b')}, {1262, std::string(299, 'x')}});
    MatchDay_BuildMessageB(7, int16_t(manager_));
    EXPECT_EQ(Entry(0).size(), size_t(kDayFlashTextSize - 1));
    char work[kDayFlashWorkSize];
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), MatchDay_AddTextLine(work, 1262)),
                ::testing::ExitedWithCode(1), "J_MN20: Text line 1262 is too long for message buffer");
}

}  // namespace
