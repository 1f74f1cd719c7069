// Team selection over thousands of random squads: every occasion, mode and
// competition type.
#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/season/fixtures.h"
#include "tests/core/club/management_fixture.h"
#include "tests/fakes/squad_checks.h"

namespace {

class SelectionPropertyTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 30;
    static constexpr int16_t kOpponent = 31;

    static int Draw(int n) { return GameRandom() % n; }

    // A fit, free player: may play any match.
    uint16_t CorePlayer(int16_t position) { return MakePlayer(kClub, position, int16_t(2 + Draw(14))); }

    // A player with a random problem (or none), random flags and an old
    // shirt.
    void ExtraPlayer() {
        const uint16_t p = MakePlayer(kClub, int16_t(Draw(13)), int16_t(Draw(20)), int16_t(20 + Draw(80)));
        switch (Draw(10)) {
            case 0:
                SetPlayerIT(p, int16_t(1 + Draw(30)));
                break;
            case 1:
                SetPlayerSusp(p, int16_t(1 + Draw(3)));
                break;
            case 2:
                SetPlayerEuroBan(p, 1);
                break;
            case 3:
                SetPlayerIntDuty(p, 1);
                break;
            case 4:
                SetPlayerLoanClub(p, kOpponent);
                break;  // on loan here from the opponent
            case 5:
                SetPlayerCup(p, 77, int16_t(Draw(4)), int16_t(GetClubNation(kClub)));
                break;
            case 6:
                SetPlayerCup(p, 77, int16_t(4 + 2 * Draw(2)), 0);
                break;
            case 7:
                SetPlayerFitness(p, int16_t(Draw(48)));
                break;
            default:
                break;
        }
        if (Draw(6) == 0) SetPlayerFlag95(p, 1);
        if (Draw(6) == 0) SetPlayerFlag107(p, 1);
        if (Draw(4) == 0) SetPlayerShirt(p, int16_t(1 + Draw(16)));
        if (Draw(8) == 0) SetPlayerIntShirt(p, int16_t(1 + Draw(16)));
        SetPlayerFatigue(p, int16_t(Draw(30)));
        SetPlayerMorale(p, int16_t(Draw(61)));
    }

    // Whether a player given a shirt could play this competition.
    static std::string WhyUnavailable(uint16_t p, int16_t type) {
        if (GetPlayerIT(p) != 0) return "injured";
        if (GetPlayerIntDuty(p) != 0) return "away";
        const bool european = type >= kCompFirstEuropeanCup && type <= kCompLastCup;
        if (european ? GetPlayerEuroBan(p) != 0 : IsPlayerSuspended(p) != 0) return "banned";
        if (GetPlayerLoanClub(p) == kOpponent && GetPlayerFlag120Bit12(p) == 0) return "faces his owner";
        const int nation = GetClubNation(kClub);
        const bool inSeason = SeasonCalendar.currentDay >= SeasonCalendar.leagueStartDay[nation];
        if (inSeason && GetPlayerFitness(p) < 48) return "unfit";
        if (type >= kCompFirstNationalCup && type <= kCompLastCup) {
            const int block = (type - kCompFirstNationalCup) / 16;
            const int16_t slot = int16_t(block < 5 ? block : 6);
            const uint16_t registered = GetPlayerCup(p, slot, int16_t(slot < 4 ? nation : 0));
            if (registered != uint16_t(kClub) && registered != kNoClub) return "cup-tied";
        }
        return "";
    }
};

TEST_F(SelectionPropertyTest, EveryShirtOnceAndNoUnavailablePlayerWhileTheListOffersAnother) {
    GameSeedRandom(2024);
    // Club fixtures: league, end-of-season league, the four national cups, the
    // three European cups, friendlies.
    const int16_t types[] = {0, 1, 4, 5, 21, 37, 60, 68, 69, 84, 85, 100, 101, 116, 117};
    for (int round = 0; round < 2000; ++round) {
        PlayerCount = 3;
        std::memset(ClubRoster, 0, sizeof ClubRoster);
        MakeClub(kClub, int16_t(Draw(9)), int16_t(Draw(4)), int16_t(5 + Draw(50)));
        MakeClub(kOpponent);
        SetClubControl(kClub, int16_t(Draw(2)));
        const int16_t type = types[Draw(15)];
        PutFixture(0, 3, type, kClub, kOpponent, 31, 31);
        SeasonCalendar.leagueStartDay[GetClubNation(kClub)] = int16_t(Draw(2) == 0 ? 0 : 200);

        const uint16_t manager = MakePlayer(kClub, 13);
        // Enough for any formation: five defenders, six midfielders
        // (family 2's variants 8 and 9) and three forwards.
        for (int16_t pos : {0, 0, 1, 2, 3, 4, 1, 5, 6, 7, 8, 9, 7, 10, 11, 12, 10, 11}) CorePlayer(pos);
        const int extras = Draw(40);
        for (int i = 0; i < extras; ++i) ExtraPlayer();
        SetPlayerTacticValue(manager, Draw(6));
        SetPlayerStat(manager, 21, int16_t(Draw(100)));
        RebuildAllRosters();

        const int16_t mode = int16_t(Draw(3));
        const int substitutes = Draw(6);
        CurrentClubManager = FindClubManager(kClub);
        ASSERT_EQ(CurrentClubManager, manager);
        BuildClubSquadList(kClub);
        SelectClubTeamByFormation(kClub, int16_t(substitutes), mode, type);

        const std::string fault = CheckClubSide(kClub, substitutes);
        ASSERT_EQ(fault, "") << "round " << round << " type " << type << " mode " << mode;
        for (uint16_t p = 3; p < PlayerCount; ++p) {
            if (GetPlayerShirt(p) == 0) continue;
            ASSERT_EQ(WhyUnavailable(p, type), "")
                << "round " << round << " player " << p << " shirt " << GetPlayerShirt(p) << " type " << type;
        }
        ASSERT_EQ(CheckRosterInvariants(), "") << "round " << round;

        // Refilling a gap keeps the sheet whole.
        for (uint16_t p = 3; p < PlayerCount; ++p) {
            if (GetPlayerShirt(p) == 5) SetPlayerShirt(p, 0);
        }
        AutoAssignShirtNumbers(kClub, int16_t(substitutes), 0, type);
        ASSERT_EQ(CheckClubSide(kClub, substitutes), "") << "round " << round;
    }
}

}  // namespace
