// The screens on the road to a new game: the start screen's name tables,
// the played countries, the division club list, the club information
// screen and taking a manager's job.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "core/club/board.h"
#include "core/club/scouting.h"
#include "core/club/squads.h"
#include "core/club/transfers.h"
#include "core/query/clubscreens.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/competitions.h"
#include "core/season/leagues.h"
#include "core/season/playedleagues.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/league/divisionclubs.h"
#include "game/screens/start/clubnames.h"
#include "game/screens/start/playedcountries.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

std::string Field(const char* text, size_t size) { return std::string(text, strnlen(text, size)); }

class NameTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::LoadTexts({{145, "Premier Division"},
                            {146, "A Division Whose Name Is Far Longer Than Thirty-Two"},
                            {104, "Association Cup"},
                            {1000, "Other Cup"},
                            {1738, "Erste Liga"}});
    }
    void TearDown() override { testenv::UnloadTexts(); }
};

TEST_F(NameTablesTest, WithoutEditedFilesEveryNameIsBuiltIn) {
    BuildNameTables();
    EXPECT_EQ(std::string(CompetitionNames[0].division[0]), "Premier Division                ");
    EXPECT_EQ(CompetitionNames[0].division[0][32], '\0');
    // Cut to 32 characters and still terminated.
    EXPECT_EQ(std::string(CompetitionNames[0].division[1]), "A Division Whose Name Is Far Lon");
    // Sets 0 and 1 start at the same text.
    EXPECT_EQ(std::memcmp(CompetitionNames[0].division, CompetitionNames[1].division,
                          sizeof CompetitionNames[0].division),
              0);
    EXPECT_EQ(Field(CompetitionNames[2].division[0], 34), "Erste Liga                      ");
    EXPECT_EQ(Field(CompetitionNames[1].cup[0], 34), "Other Cup                       ");
    // An empty text is all blanks.
    EXPECT_EQ(Field(CompetitionNames[7].division[4], 34), std::string(32, ' '));
    for (int club : {0, 17, 1199}) {
        EXPECT_EQ(Field(ClubNameRecords[club].text[0], 20),
                  std::string(DefaultClubNames[club]).substr(0, 18));
        EXPECT_STREQ(ClubNameRecords[club].text[1], "No Stadium Name");
        EXPECT_STREQ(ClubNameRecords[club].text[2], "No Nickname");
    }
}

TEST_F(NameTablesTest, AnEditedTeamChangesOnlyThatClubAndBadFilesAreIgnored) {
    // An edited file whose fields fill every byte: still cut and terminated.
    std::memset(&ClubNameRecords[kClubCount], 'x', sizeof(ClubNameRecord));
    std::memcpy(ClubNameRecords[kClubCount].text[0], "Harbour Town", 13);
    ASSERT_EQ(SaveEditedTeam(5), 0);
    testenv::WriteHostFile("Edited/6.tmf", std::string("TEM1 but not a block file"));
    std::memset(DivisionEditRecord, 0, sizeof DivisionEditRecord);
    std::strcpy(DivisionEditRecord + 34, "Edited Second");
    ASSERT_EQ(SaveEditedDivision(3), 0);

    BuildNameTables();
    EXPECT_STREQ(ClubNameRecords[5].text[0], "Harbour Town");
    EXPECT_EQ(Field(ClubNameRecords[5].text[1], 20), std::string(18, 'x'));
    EXPECT_EQ(Field(ClubNameRecords[6].text[0], 20), std::string(DefaultClubNames[6]).substr(0, 18));
    EXPECT_STREQ(ClubNameRecords[6].text[2], "No Nickname");
    EXPECT_STREQ(ClubNameRecords[4].text[1], "No Stadium Name");
    EXPECT_EQ(Field(CompetitionNames[3].division[1], 34), "Edited Second                   ");
    EXPECT_EQ(Field(CompetitionNames[3].division[0], 34), std::string(32, ' '));
}

class ClubScreensTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::LoadTexts({{1, "x"}});
        std::memset(ClubRecords, 0, sizeof ClubRecords);
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        PlayerCount = 3;
        std::memset(PlayerRecords, 0, sizeof(PlayerRecord) * 3);
        HVW_SetViewedCountry(6);
        ViewedDivision = 0;
    }
    void TearDown() override { testenv::UnloadTexts(); }
    static void MakeClub(int16_t club, int16_t nation, int16_t division, int16_t reputation) {
        SetClubNation(club, nation);
        SetClubDivision(club, division);
        if (reputation != 0) SetClubRep(club, reputation);  // records start at 0
    }
};

TEST_F(ClubScreensTest, DivisionColumnsPutTheOddClubOnTheRight) {
    for (int club = 100; club < 105; ++club) {
        const std::string given = "Club " + std::to_string(club);
        std::memset(ClubNameRecords[club].text[0], 0, sizeof ClubNameRecords[club].text[0]);
        std::memcpy(ClubNameRecords[club].text[0], given.c_str(), given.size());
    }
    DivisionLayout[6][0].clubs = 5;
    for (int16_t club = 100; club < 105; ++club) MakeClub(club, 6, 0, 30);
    MakeClub(99, 6, 0, 0);   // reputation 0: not listed
    MakeClub(98, 6, 1, 40);  // another division
    MakeClub(97, 5, 0, 40);  // another country
    EXPECT_EQ(FillDivisionColumns(), 5);
    EXPECT_EQ(DivisionLeftClubs[0], 100);
    EXPECT_EQ(DivisionLeftClubs[1], 101);
    EXPECT_EQ(DivisionLeftClubs[2], 0xFFFF);
    EXPECT_EQ(DivisionRightClubs[0], 102);
    EXPECT_EQ(DivisionRightClubs[2], 104);
    EXPECT_EQ(DivisionRightClubs[3], 0xFFFF);
    // Every row shows its own club's name (the query hands names out in one
    // shared buffer).
    const auto name = [](int16_t club) { return std::string(HVW_GetClubName(club)); };
    ASSERT_NE(name(100), name(101));
    EXPECT_EQ(DivisionClubsRowName(false, 0), name(100));
    EXPECT_EQ(DivisionClubsRowName(false, 1), name(101));
    EXPECT_STREQ(DivisionClubsRowName(false, 2), "");
    EXPECT_EQ(DivisionClubsRowName(true, 0), name(102));
    EXPECT_EQ(DivisionClubsRowName(true, 2), name(104));
    EXPECT_EQ(HVW_CountDivisions(6), 3);
    EXPECT_EQ(HVW_CountDivisions(9), 0);
    EXPECT_EQ(HVW_GetDivisionName(3, 6), nullptr);
    ASSERT_NE(HVW_GetDivisionName(2, 6), nullptr);
    EXPECT_EQ(std::string(HVW_GetDivisionName(2, 6)),
              std::string(CompetitionNames[6].division[2]).substr(0, std::strlen(HVW_GetDivisionName(2, 6))));
    // A club without a manager has none (not the caretaker's record).
    EXPECT_EQ(HVW_GetClubManager(100), 0);
    EXPECT_EQ(HVW_GetClubManager(-1), 0);
}

TEST_F(ClubScreensTest, PlayedCountriesKeepTheHomeCountryPlayed) {
    EXPECT_EQ(PlayedCountriesRowAt(229), -1);
    EXPECT_EQ(PlayedCountriesRowAt(230), 0);
    EXPECT_EQ(PlayedCountriesRowAt(255), 0);
    EXPECT_EQ(PlayedCountriesRowAt(256), -1);
    EXPECT_EQ(PlayedCountriesRowAt(433 + 10), 7);
    PlayedLeagueFlags[2] = 0;
    CursorY = 288 + 5;
    PlayedCountries_SetHome(nullptr);
    EXPECT_EQ(HVW_GetViewedCountry(), 2);
    EXPECT_EQ(PlayedLeagueFlags[2], 1);
    // The home country's right box cannot be unticked; another toggles.
    PlayedCountries_Toggle(nullptr);
    EXPECT_EQ(PlayedLeagueFlags[2], 1);
    CursorY = 317 + 5;
    PlayedCountries_Toggle(nullptr);
    EXPECT_EQ(PlayedLeagueFlags[3], 0);
    PlayedCountries_Toggle(nullptr);
    EXPECT_EQ(PlayedLeagueFlags[3], 1);
    PlayedLeagueFlags[8] = 1;
    EXPECT_EQ(PlayedCountries_Done(nullptr), MENU_CLOSE);
    EXPECT_EQ(PlayedLeagueFlags[8], 0);
    EXPECT_EQ(MenuOption, kScreenNewGame);
    // The fifth row (y 346) offers no hot area in the table.
    for (const MenuItem* item = PlayedCountriesTable; item->type != MI_END; ++item) {
        if (item->handler == PlayedCountries_SetHome || item->handler == PlayedCountries_Toggle) {
            EXPECT_NE(item->y, 346);
        }
    }
}

// The captions come from the shipped language file: each names the value
// beside it (a squad value was once shown as "Founded").
TEST_F(ClubScreensTest, ClubInformationCaptionsNameTheirValues) {
    testenv::UnloadTexts();
    std::ifstream in(std::string(HALVORN_SOURCE_DIR) + "/data/textfile/engtext.c", std::ios::binary);
    std::ostringstream source;
    source << in.rdbuf();
    testenv::LoadTextFile(source.str());
    MakeClub(300, 4, 0, 50);
    SelectedClub = 300;
    ClubInfoBuild();
    const char* expected[] = {
        "Manager:",         "Capacity:",   "Average Gate:", "Squad Value:", "Wage Budget:",
        "Reputation Rank:", "Worth Rank:", "Expectations:", "Position:",    "Division:"};
    for (int caption = 1; caption <= 10; ++caption) {
        EXPECT_STREQ(ClubInfoCaptionText(caption), expected[caption - 1]) << "caption " << caption;
    }
}

TEST_F(ClubScreensTest, ClubInformationRanksAndValues) {
    MakeClub(300, 4, 0, 50);
    SelectedClub = 300;
    ClubInfoPickedFlag = 0;
    ClubPickedFlag = 0;
    ClubInfoBuild();
    // Alone in its country: first by reputation and by worth.
    EXPECT_EQ(ClubInfoReputationRank(), 1);
    EXPECT_EQ(ClubInfoWorthRank(), 1);
    EXPECT_STREQ(ClubInfoValueText(3), "----");
    EXPECT_FALSE(ClubInfoShowsJobButtons());

    // Equal reputations keep the exchange sort's order; a club below 6th
    // division status or without reputation is not ranked.
    MakeClub(301, 4, 1, 70);
    MakeClub(302, 4, 0, 50);
    MakeClub(303, 4, 6, 90);
    ClubInfoBuild();
    EXPECT_EQ(ClubInfoReputationRank(), 2);
    SelectedClub = 303;
    ClubInfoBuild();
    EXPECT_EQ(ClubInfoReputationRank(), 0);
    EXPECT_STREQ(ClubInfoValueText(6), "-");
    EXPECT_STREQ(ClubInfoValueText(7), "-");

    // The picks as their openers hand them over: the vacancy list's, for
    // this club; this club's waiting offer.
    ClubPickedFlag = 1;
    HandClubPicksOver(303);
    ClubInfoBuild();
    EXPECT_FALSE(ClubInfoShowsJobButtons());
    ClubPickedFlag = 2;
    JobOfferPending = 1;
    JobOfferClubShown = 303;
    ClubInfoBuild();
    EXPECT_TRUE(ClubInfoShowsJobButtons());
    ClubPickedFlag = 0;
    ClubInfoPickedFlag = 1;
    ClubInfoBuild();
    EXPECT_TRUE(ClubInfoShowsJobButtons());

    // Back from the division list goes to the list; from elsewhere it
    // clears the picks and returns.
    ClubListPickedFlag = 1;
    EXPECT_EQ(ClubInfoBack(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenDivisionClubs);
    EXPECT_EQ(ClubInfoPickedFlag, 1);
    ClubListPickedFlag = 0;
    ClubPickedFlag = 2;
    JobOfferPending = 1;
    ClubInfoBack(nullptr);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(ClubInfoPickedFlag, 0);
    EXPECT_EQ(ClubPickedFlag, 0);
    EXPECT_EQ(JobOfferPending, 0);
}

// Applying for a vacancy from the club screen: a refusal and a lodged
// application both lead back to the vacancies with the pick kept, the
// lodged one answered a week or two on; a sacked user is refused where a
// settled one would have been asked to wait.
TEST_F(ClubScreensTest, AVacancyApplicationRefusedOrLodged) {
    testenv::LoadTexts({{1, "x"}, {1118, "BOX1118"}, {1119, "BOX1119"}, {1120, "BOX1120"}});
    MakeClub(300, 6, 0, 60);
    SelectedClub = 300;
    MenuCurrentPlayer = 1;
    const uint16_t keptSacked = SackedClub;
    SackedClub = 0xFFFF;
    const auto apply = [](int16_t userReputation, uint16_t sacked) {
        SetPlayerReputation(1, userReputation);
        SackedClubControl = sacked;
        ClubPickedFlag = 1;
        ClubInfoPickedFlag = 1;
        JobApplicationRecord.day = 0;
        MenuOption = kScreenClubInfo;
        StdoutCapture out;
        EXPECT_EQ(ClubInfoTakeJob(nullptr), MENU_CLOSE);
        return out.Text();
    };
    const int16_t today = HVW_GetCurrentDay();
    // Far below the club: refused.
    EXPECT_NE(apply(20, 0).find("BOX1118"), std::string::npos);
    EXPECT_EQ(MenuOption, kScreenVacancies);
    EXPECT_EQ(ClubPickedFlag, 1);
    EXPECT_EQ(ClubInfoPickedFlag, 0);
    EXPECT_EQ(JobApplicationRecord.day, 0);
    // Near the club's standing: lodged, answered 7 to 13 days on.
    const std::string lodged = apply(50, 0);
    EXPECT_NE(lodged.find("BOX1120"), std::string::npos);
    EXPECT_EQ(lodged.find("BOX1118"), std::string::npos);
    EXPECT_EQ(MenuOption, kScreenVacancies);
    EXPECT_EQ(ClubPickedFlag, 1);
    EXPECT_GE(JobApplicationRecord.day, today + 7);
    EXPECT_LE(JobApplicationRecord.day, today + 13);
    // The same standing after a sacking: refused, nothing lodged.
    const std::string sacked = apply(50, 1);
    EXPECT_NE(sacked.find("BOX1118"), std::string::npos);
    EXPECT_EQ(sacked.find("BOX1120"), std::string::npos);
    EXPECT_EQ(JobApplicationRecord.day, 0);
    SackedClubControl = 0;
    SackedClub = keptSacked;
    ClubPickedFlag = 0;
}

TEST_F(ClubScreensTest, ScoutingResetClearsEveryMarkAndAssignment) {
    PlayerCount = 3;
    for (uint16_t p : {1, 2}) {
        SetPlayerFlag119(p, 1);
        SetPlayerScoutMark(p, 1);
        SetPlayerScoutRecommended(p, 1);
    }
    ScoutingWordPair[0] = 4;
    ScoutingWord = 9;
    Scout_ResetAll();
    for (uint16_t p : {1, 2}) {
        EXPECT_EQ(GetPlayerFlag119(p), 0);
        EXPECT_EQ(GetPlayerScoutMark(p), 0);
        EXPECT_EQ(GetPlayerScoutRecommended(p), 0);
    }
    EXPECT_EQ(ScoutingWordPair[0], 0);
    EXPECT_EQ(ScoutingWord, 0);
}

}  // namespace
