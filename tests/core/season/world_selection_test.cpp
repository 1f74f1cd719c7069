// Match set-up over the whole generated world: every club prepared for one
// fixture of each kind of competition.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/club/squads.h"
#include "core/match/matchsetup.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/computertactics.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "core/season/pickteam.h"
#include "tests/fakes/world_records.h"

using namespace gameinfo;

namespace {

class WorldSelectionTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        ClearFixtureTable();
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 40, 0, {}, {}, {}};
        SetUpAllClubTeams();
    }

    // "" when the side is sound: eleven distinct starters wearing shirts
    // 1-11, each of the club or brought in on trial, every statistic 1..99.
    static std::string CheckSide(int side, int16_t club) {
        std::set<uint16_t> seen;
        for (int slot = 0; slot < 11; ++slot) {
            const uint16_t p = TeamSheet[side][slot];
            const std::string where = "side " + std::to_string(side) + " slot " + std::to_string(slot);
            if (p == 0) return where + ": empty";
            if (!seen.insert(p).second) return where + ": twice";
            if (GetPlayerClub(p) != uint16_t(club) && GetPlayerLoanTrial(p) == 0)
                return where + ": not of the club";
            if (GameInfo.I16(PlayerInfoAt(side, slot) + kPlayerShirt) != slot + 1) return where + ": shirt";
            if (GameInfo.I16(PlayerInfoAt(side, slot) + kPlayerInfoNumber) != int16_t(p))
                return where + ": number";
            for (int stat = 0; stat < kPlayerStatCount; ++stat) {
                const int v = GameInfo.I16(PlayerInfoAt(side, slot) + kPlayerStats + 2 * stat);
                // The line leaders may lift a few fields a little further.
                if (v < 1 || v > 120)
                    return where + ": stat " + std::to_string(stat) + " = " + std::to_string(v);
            }
        }
        return "";
    }
};

TEST_F(WorldSelectionTest, EveryClubFieldsASoundSide) {
    const int16_t competitions[] = {kCompLeague, CupCode(0, 2), CupCode(4, 1), kCompFriendly,
                                    kCompReserveLeague};
    std::vector<int16_t> clubs;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) clubs.push_back(club);
    }
    ASSERT_GT(clubs.size(), 1000u);
    int reserveSides = 0;
    for (size_t i = 0; i < clubs.size(); ++i) {
        const int16_t home = clubs[i];
        const int16_t away = clubs[(i + 1) % clubs.size()];
        // Few reserve matches: a thin reserve list brings in triallists from
        // outside, a search over the whole world.
        const int16_t competition = i % 50 == 7 ? int16_t(kCompReserveLeague) : competitions[i % 4];
        const int16_t slot = AddFixture(SeasonCalendar.currentDay, competition, home, away, 0);
        ASSERT_GE(slot, 0);
        PrepareClubMatch(slot, home, away);
        if (competition == kCompReserveLeague) {
            // A reserve side is only as deep as its reserve list.
            reserveSides += TeamSheet[0][0] != 0;
        } else {
            ASSERT_EQ(CheckSide(0, home), "") << "club " << home << " type " << competition;
            ASSERT_EQ(CheckSide(1, away), "") << "club " << away << " type " << competition;
        }
        for (int slot0 = 0; slot0 < kManagerSlot; ++slot0) {
            for (int slot1 = 0; slot1 < kManagerSlot; ++slot1) {
                if (TeamSheet[0][slot0] == 0) continue;
                ASSERT_NE(TeamSheet[0][slot0], TeamSheet[1][slot1]) << "club " << home << " and " << away;
            }
        }
        ASSERT_LE(LastAttendance, 1000 * (GetClubStandCapacity0(home) + GetClubStandCapacity1(home) +
                                          GetClubStandCapacity2(home) + GetClubStandCapacity3(home)));
        // Computer sides then get their formation and tactics; in friendlies,
        // national days and reserve matches the manager's own.
        const int16_t clubs[2] = {home, away};
        const MatchFormationTallies tallies = TallyMatchClubs(clubs);
        for (int16_t side = 0; side < 2; ++side) {
            const uint16_t manager = FindClubManager(clubs[side]);
            const int16_t formation = competition < kCompFriendly
                                          ? ChooseComputerFormation(manager, clubs, side, tallies)
                                          : GetManagerFormation(manager);
            ASSERT_GE(formation, 0);
            ASSERT_LE(formation, 5);
            ApplyComputerTactics(side, formation);
        }
        DeleteFixture(slot);
    }
    EXPECT_GT(reserveSides, 0);
}

}  // namespace
