// The user's last match kept apart from the live match blocks: a later
// fixture overwriting the live blocks leaves the copy as it was, the
// referee's record is copied (a made-up referee is reused), and the scores
// tell a shoot-out from none.
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/records/playerrecords.h"
#include "core/records/referees.h"
#include "core/season/competitioncodes.h"
#include "core/season/matchsetup.h"
#include "game/screens/matchday/lastmatch.h"

namespace {

void SetName(EnterGameInfo* block, int side, const char* name) {
    std::memset(block->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName, 0,
                gameinfo::kTeamNameLength);
    std::memcpy(block->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName, name, std::strlen(name));
}

void SetScore(int side, uint16_t goals, uint16_t shootOut) {
    recbits::StoreU16(MatchResult.teams[side].bytes + kReportGoals, goals);
    recbits::StoreU16(MatchResult.teams[side].bytes + kReportShootOutGoals, shootOut);
}

class LastMatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LastMatch_Forget();
        keptReferee_ = RefereeRecords[kMadeUpReferee];
    }
    void TearDown() override {
        RefereeRecords[kMadeUpReferee] = keptReferee_;
        LastMatch_Forget();
    }
    RefereeRecord keptReferee_{};
};

TEST_F(LastMatchTest, TheCopyOutlivesTheLiveBlocksOfLaterFixtures) {
    EXPECT_FALSE(LastMatch_Exists());
    EXPECT_EQ(LastMatch().fixture, -1);
    EXPECT_STREQ(LastMatch_TeamName(0), "");

    EnterGameInfo* block = ClearMatchSetupBlock();
    SetName(block, 0, "Home Town");
    SetName(block, 1, "Away Rovers");
    block->SetI16(gameinfo::kRefereeNumber, kMadeUpReferee);
    block->SetTeamU8(0, gameinfo::kHumanManaged, 0);
    RefereeRecords[kMadeUpReferee].bytes[0] = 'K';
    std::memset(RefereeRecords[kMadeUpReferee].bytes + 1, 0, 16);
    std::memcpy(RefereeRecords[kMadeUpReferee].bytes + 1, "Marlow", 6);
    SetScore(0, 2, 0);
    SetScore(1, 1, 0);
    MatchResult.heatMaps[3][4][5] = 77;
    LastAttendance = 12345;
    LastMatch_Keep(17);

    // A later fixture overwrites every live block.
    block = ClearMatchSetupBlock();
    SetName(block, 0, "Other Side");
    RefereeRecords[kMadeUpReferee].bytes[0] = 'Z';
    SetScore(0, 5, 4);
    MatchResult.heatMaps[3][4][5] = 1;
    LastAttendance = 99;

    ASSERT_TRUE(LastMatch_Exists());
    EXPECT_EQ(LastMatch().fixture, 17);
    EXPECT_EQ(LastMatch().referee, kMadeUpReferee);
    EXPECT_EQ(LastMatch().attendance, 12345);
    EXPECT_EQ(LastMatch().result.heatMaps[3][4][5], 77u);
    EXPECT_STREQ(LastMatch_TeamName(0), "Home Town");
    EXPECT_STREQ(LastMatch_TeamName(1), "Away Rovers");
    EXPECT_EQ(LastMatch_RefereeInitial(), 'K');
    EXPECT_STREQ(LastMatch_RefereeSurname(), "Marlow");
    EXPECT_EQ(LastMatch_UserSide(), 1);
    int16_t home = 0, away = 0, homePens = 0, awayPens = 0;
    LastMatch_Scores(&home, &away, &homePens, &awayPens);
    EXPECT_EQ(home, 2);
    EXPECT_EQ(away, 1);
    EXPECT_EQ(homePens, -1);
    EXPECT_EQ(awayPens, -1);

    LastMatch_Forget();
    EXPECT_FALSE(LastMatch_Exists());
    EXPECT_EQ(LastMatch().referee, -1);
    EXPECT_EQ(LastMatch_RefereeInitial(), 0);
}

TEST_F(LastMatchTest, AShootOutGivesBothPenaltyScoresAndAFullNameStaysBounded) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    // A name that fills its whole field without an end byte.
    std::memset(block->bytes + gameinfo::TeamInfoAt(0) + gameinfo::kTeamName, 'A', gameinfo::kTeamNameLength);
    block->SetI16(gameinfo::kRefereeNumber, -1);
    SetScore(0, 1, 0);
    SetScore(1, 1, 3);
    LastMatch_Keep(4);
    int16_t home = 0, away = 0, homePens = 0, awayPens = 0;
    LastMatch_Scores(&home, &away, &homePens, &awayPens);
    EXPECT_EQ(homePens, 0);
    EXPECT_EQ(awayPens, 3);
    EXPECT_EQ(std::strlen(LastMatch_TeamName(0)), size_t(gameinfo::kTeamNameLength));
    EXPECT_EQ(LastMatch().referee, -1);
    EXPECT_STREQ(LastMatch_RefereeSurname(), "");
    EXPECT_EQ(LastMatch_UserSide(), 0);
}

// A match played unseen ends with both sides in the computer's hands: the
// user's side is still the one his club played on, home or away.
TEST_F(LastMatchTest, TheUsersSideIsHisClubsWhateverTheManagedFlagsSay) {
    const uint16_t keptCount = PlayerCount;
    const PlayerRecord keptUser = PlayerRecords[1];
    PlayerCount = 2;
    SetPlayerClub(1, 700);
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(gameinfo::kCompetition, 0);
    block->SetTeamI16(0, gameinfo::kTeamClub, 300);
    block->SetTeamI16(1, gameinfo::kTeamClub, 700);
    block->SetTeamU8(0, gameinfo::kHumanManaged, 1);  // the flag rule would say home
    LastMatch_Keep(3);
    EXPECT_EQ(LastMatch_UserSide(), 1);
    block->SetTeamI16(0, gameinfo::kTeamClub, 700);
    block->SetTeamI16(1, gameinfo::kTeamClub, 300);
    block->SetTeamU8(0, gameinfo::kHumanManaged, 0);  // the flag rule would say away
    LastMatch_Keep(3);
    EXPECT_EQ(LastMatch_UserSide(), 0);
    // A national side's number is no club: the flags decide.
    block->SetI16(gameinfo::kCompetition, kCompNationalTeam);
    LastMatch_Keep(3);
    EXPECT_EQ(LastMatch_UserSide(), 1);
    PlayerRecords[1] = keptUser;
    PlayerCount = keptCount;
}

}  // namespace
