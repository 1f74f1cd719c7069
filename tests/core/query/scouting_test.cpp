// Scouting regions, agents' profiles, nation codes, names and regions.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/records.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class ScoutingTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::map<int, std::string> texts = {{2610, "ENGEngland"}, {2611, "SC"}, {2725, "XYZNowhere"}};
        for (int id = 2030; id < 2070; ++id) texts[id] = "t" + std::to_string(id);
        testenv::LoadTexts(texts);
    }
    void TearDown() override { testenv::UnloadTexts(); }
};
using ScoutingDeathTest = ScoutingTest;

TEST_F(ScoutingTest, AgentProfileBands) {
    SetPlayerAgent(5, 17);
    AgentRecords[17].bytes[0] = 0;
    AgentRecords[17].bytes[1] = 9;
    AgentRecords[17].bytes[2] = 10;
    AgentRecords[17].bytes[3] = 99;
    EXPECT_STREQ(HVW_GetAgentsProfile(5), "t2030 \nt2040 \nt2051 \nt2069 \n");
    // A byte above 99 still names the last text of its row.
    AgentRecords[17].bytes[0] = 250;
    EXPECT_EQ(std::string(HVW_GetAgentsProfile(5)).substr(0, 7), "t2039 \n");
}

TEST_F(ScoutingDeathTest, BadNumbersAreFatal) {
    EXPECT_FATAL(HVW_GetAgentsProfile(0), "Invalid Player in HVW_GetAgentsProfile\\(\\) funcs.c");
    EXPECT_FATAL(HVW_GetAgentsProfile(kPlayers + 1), "Invalid Player in HVW_GetAgentsProfile");
    // The player count itself is the accessor's to stop.
    EXPECT_FATAL(HVW_GetAgentsProfile(kPlayers), "Trying to get Agent");
    EXPECT_FATAL(HVW_GetScoutingContText(10), "Invalid Cont in HVW_GetScoutingContText\\(\\)");
    EXPECT_FATAL(HVW_GetScoutingContText(-1), "Invalid Cont");
}

TEST_F(ScoutingTest, ContinentsAndPositions) {
    EXPECT_EQ(HVW_GetScoutingContText(0), 695);
    EXPECT_EQ(HVW_GetScoutingContText(9), 1810);
    EXPECT_EQ(HVW_GetPositionTextIdOfCode(0), 564);
    EXPECT_EQ(HVW_GetPositionTextIdOfCode(4), 565);
    EXPECT_EQ(HVW_GetPositionTextIdOfCode(12), 2442);
    EXPECT_EQ(HVW_GetPositionTextIdOfCode(13), 30);
    EXPECT_EQ(HVW_GetPositionTextIdOfCode(14), 14);
    SetPlayerPosition(8, 11);
    EXPECT_EQ(HVW_GetPositionTextId(8), 567);
    SetPlayerHalvornB(8, 1);  // a manager reads as position 13
    EXPECT_EQ(HVW_GetPositionTextId(8), 30);
}

TEST_F(ScoutingTest, NationCodesNamesAndRegions) {
    EXPECT_STREQ(HVW_GetNationCode(0), "ENG");
    EXPECT_STREQ(HVW_GetNationCode(1), "SC");  // a short text gives what it has
    EXPECT_STREQ(HVW_GetNationCode(115), "XYZ");
    EXPECT_STREQ(HVW_GetNationCode(116), "");
    EXPECT_STREQ(HVW_GetNationCode(-1), "");
    EXPECT_STREQ(HVW_GetNationName(115), "Nowhere");

    EXPECT_STREQ(HVW_GetNationEnglishName(0), "England");
    EXPECT_STREQ(HVW_GetNationEnglishName(44), "Trinidad & Tobago");
    EXPECT_STREQ(HVW_GetNationEnglishName(114), "St Vincent/Grenadine");
    EXPECT_STREQ(HVW_GetNationEnglishName(115), "");
    EXPECT_STREQ(HVW_GetNationEnglishName(116), "");

    EXPECT_EQ(HVW_GetNationContinent(0), 1);
    EXPECT_EQ(HVW_GetNationContinent(31), 1);
    EXPECT_EQ(HVW_GetNationContinent(32), 4);
    EXPECT_EQ(HVW_GetNationContinent(48), 3);
    EXPECT_EQ(HVW_GetNationContinent(55), 2);
    EXPECT_EQ(HVW_GetNationContinent(68), 5);
    EXPECT_EQ(HVW_GetNationContinent(102), 6);
    EXPECT_EQ(HVW_GetNationContinent(115), 2);
    EXPECT_EQ(HVW_GetNationContinent(116), 0);
    EXPECT_EQ(HVW_GetNationContinent(-1), 0);
    int per_region[7] = {};
    for (int16_t n = 0; n < 116; ++n) ++per_region[HVW_GetNationContinent(n)];
    EXPECT_EQ(per_region[0], 0);
    EXPECT_EQ(per_region[1], 46);
    EXPECT_EQ(per_region[2], 14);
    EXPECT_EQ(per_region[3], 10);
    EXPECT_EQ(per_region[4], 32);
    EXPECT_EQ(per_region[5], 11);
    EXPECT_EQ(per_region[6], 3);
}

TEST_F(ScoutingTest, InterestGrade) {
    // Club 5 leads country 0 (standing 124 / 3 + 40 / 2 = 61); club 6 is
    // second with standing 123 / 3 + 28 / 2 = 55.
    for (auto& row : LeagueTable[0]) {
        for (int16_t& cell : row) cell = int16_t(kNoLeagueClub);
    }
    LeagueTable[0][0][0] = 5;
    LeagueTable[0][0][1] = 6;
    SetClubNation(5, 0);
    SetClubNation(6, 0);
    SetClubRep(5, 40);
    SetClubRep(6, 28);
    const uint16_t p = 20;
    SetPlayerMorale(p, 60);
    SetPlayerFlag118(p, 1);
    SetPlayerAge(p, 23 - 16);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 2);  // 55 < 61
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, -1), 3);
    SetPlayerFlag118(p, 0);
    SetPlayerIntShirt(p, 5);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, -1), 4);  // one halving
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 3);   // 55 >= 30
    SetPlayerIntShirt(p, 0);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 4);  // 55 >= 2 x 15
    SetPlayerFlag118(p, 1);

    // A 41-year-old keeper keeps 90 % (54), a full back 10 % (6).
    SetPlayerAge(p, 41 - 16);
    SetPlayerPosition(p, 0);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 3);
    SetPlayerPosition(p, 1);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 4);
    // Morale 0 scales the standing by 30 / 60 (30, then 3 at 41).
    SetPlayerMorale(p, 0);
    SetPlayerAge(p, 23 - 16);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 3);
    // Ages past the table read its last column: 100 % but for position 12.
    SetPlayerMorale(p, 60);
    SetPlayerAge(p, 60 - 16);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 2);
    SetPlayerPosition(p, 12);
    EXPECT_EQ(HVW_RatePlayerClubInterest(p, 5, 6), 3);  // 60 % of 61 = 36
}

}  // namespace
