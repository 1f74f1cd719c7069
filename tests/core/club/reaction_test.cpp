// The players' reaction to a team sheet.
#include "core/club/reaction.h"

#include "core/club/board.h"
#include "core/season/leagues.h"
#include "core/season/unrest.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class ReactionTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        DailyJobsTest::SetUp();
        MakeSquad(kClub, 18, 0, 0, 30);
        RebuildAllRosters();
        // Second of ten ranked clubs: standing 80.
        for (auto& rows : LeagueTable[0])
            for (int16_t& entry : rows) entry = int16_t(kNoLeagueClub);
        LeagueTable[0][0][0] = 11;
        LeagueTable[0][0][1] = kClub;
        std::fill(std::begin(ClubCountOfNation), std::end(ClubCountOfNation), uint16_t(0));
        ClubCountOfNation[0] = 10;
        player_ = 5;
        std::memset(PendingPlayerEvents, 0, sizeof PendingPlayerEvents);
        SetPlayerMorale(player_, 40);
        SetPlayerCareerApps(player_, 10);
    }
    uint16_t player_ = 0;
};

TEST_F(ReactionTest, PatienceAndThoseWhoDoNotReact) {
    EXPECT_EQ(SelectionPatience(7), 9);
    EXPECT_EQ(SelectionPatience(5), 9);
    EXPECT_EQ(SelectionPatience(4), 27);
    SetPlayerShirt(player_, 3);
    SetPlayerFitness(player_, 59);
    PlayerSelectionReaction(kClub);
    SetPlayerFitness(player_, 60);
    SetPlayerFatigue(player_, 11);
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 40);
    SetPlayerFatigue(player_, 10);
    PlayerSelectionReaction(kClub);
    EXPECT_NE(GetPlayerMorale(player_), 40);
}

TEST_F(ReactionTest, StartersGainByTheirClubsStanding) {
    SetPlayerShirt(player_, 7);
    SetPlayerStat(player_, 27, 50);  // level 20: (80 / 2 - 20) / 2 = 10%
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 45);
    SetPlayerMorale(player_, 40);
    SetPlayerStat(player_, 27, 75);  // level 30: 5%
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 43);
    // An established player gets the plain 5%; so does everyone when the
    // nation ranks no club.
    SetPlayerMorale(player_, 40);
    SetPlayerStat(player_, 27, 50);
    SetPlayerCareerApps(player_, 25);
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 43);
    ClubCountOfNation[0] = 0;
    SetPlayerMorale(player_, 40);
    SetPlayerCareerApps(player_, 10);
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 43);
}

TEST_F(ReactionTest, AnAmbitiousPlayerLeftOutAsksAfterHisFourthMatch) {
    // Ambition 7 only comes from a loaded record (the setter stops at 6):
    // its (7 - 7) x 100 draw is taken as 100.
    uint32_t word;
    std::memcpy(&word, PlayerRecords[player_].bytes + 116, 4);
    word |= 7u << 14;
    std::memcpy(PlayerRecords[player_].bytes + 116, &word, 4);
    ASSERT_EQ(GetPlayerField117(player_), 7);
    MakeUserClub(kClub);
    SetPlayerStat(player_, 17, 1);
    SetPlayerAgent(player_, 1);
    AgentRecords[1].bytes[1] = 100;
    SetPlayerShirt(player_, 0);
    for (int match = 1; match <= 3; ++match) {
        PlayerSelectionReaction(kClub);
        ASSERT_EQ(GetPlayerTxReq(player_), 0) << "match " << match;
        ASSERT_EQ(GetPlayerField120(player_), 3 * match);
    }
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerTxReq(player_), 1);
    EXPECT_EQ(GetPlayerMorale(player_), 10);
    EXPECT_EQ(CountMessages(kClub, 165, player_), 1);
    EXPECT_EQ(PendingPlayerEvents[0].player, player_);
    // Once he has asked, being left out changes no more than his form.
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 10);
}

TEST_F(ReactionTest, SubstitutesAndTheLeftOutOfTheModest) {
    // A substitute of level 16 or more gains 5%.
    SetPlayerShirt(player_, 14);
    SetPlayerStat(player_, 27, 40);
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerMorale(player_), 43);
    EXPECT_EQ(GetPlayerField120(player_), 1);
    // A starter's weeks out fall again, never below 0.
    SetPlayerShirt(player_, 2);
    PlayerSelectionReaction(kClub);
    PlayerSelectionReaction(kClub);
    EXPECT_EQ(GetPlayerField120(player_), 0);
}

}  // namespace
