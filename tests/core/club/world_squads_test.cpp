// Season set-up and team selection over the whole generated world.
#include <gtest/gtest.h>

#include "core/club/squads.h"
#include "core/records/records.h"
#include "tests/fakes/squad_checks.h"
#include "tests/fakes/world_records.h"

namespace {

class WorldSquadsTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string error = LoadWorldRecords(HALVORN_GAME_DIR);
        ASSERT_EQ(error, "");
        ASSERT_GT(PlayerCount, 10000);
    }
};

TEST_F(WorldSquadsTest, SeasonSetUpLeavesSoundRostersAndEveryClubASide) {
    SetUpAllClubTeams();
    ASSERT_EQ(CheckRosterInvariants(), "");
    int clubs = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        ++clubs;
        CurrentClubManager = FindClubManager(club);
        BuildClubSquadList(club);
        SelectClubTeamByFormation(club, 5, 1, 0);
        std::string info;
        for (int i = 0; i < FirstTeamList.count; ++i) {
            const uint16_t p = FirstTeamList.players[i];
            info += std::to_string(GetPlayerPosition(p)) + "/" + std::to_string(GetPlayerShirt(p)) + "/" +
                    std::to_string(GetPlayerIT(p)) + std::to_string(IsPlayerSuspended(p)) + " ";
        }
        info += "| R" + std::to_string(ReserveList.count) + " Y" + std::to_string(YouthList.count) + " fam " +
                std::to_string(GetManagerFormation(CurrentClubManager)) + "/" +
                std::to_string(GetManagerFormationVariant(CurrentClubManager));
        ASSERT_EQ(CheckClubSide(club, 5), "") << "club " << club << " " << info;
    }
    EXPECT_GT(clubs, 1000);
    EXPECT_EQ(CheckRosterInvariants(), "");
}

}  // namespace
