// Rosters, squad lists and team selection.
#include "core/club/squads.h"

#include <set>
#include <vector>

#include "core/base/debug.h"
#include "core/club/mood.h"
#include "core/club/squadupkeep.h"
#include "tests/core/club/management_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class SquadsTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 10;
    static constexpr int16_t kRival = 11;
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub);
        MakeClub(kRival);
        SetClubControl(kClub, 1);  // a human club: its lists are its roster as it stands
    }

    // A side of two keepers and five of each outfield group.
    std::vector<uint16_t> MakeSide(int16_t club, int16_t stat = 60) {
        std::vector<uint16_t> side;
        for (int16_t pos : {0, 0, 1, 2, 3, 4, 2, 5, 6, 7, 8, 9, 10, 11, 12, 10, 11}) {
            side.push_back(MakePlayer(club, pos, 8, stat));
        }
        return side;
    }

    // A plain side picked for the club from MakeSide's players and a manager.
    void PickPlainSide(int16_t substitutes) {
        MakeSide(kClub);
        RebuildAllRosters();
        CurrentClubManager = MakePlayer(kClub, 13);
        BuildClubSquadList(kClub);
        SelectClubTeamByFormation(kClub, substitutes, 0, 0);
    }
};

TEST_F(SquadsTest, RostersHoldPlayersAndTheOwnersOfLoanedPlayers) {
    const uint16_t home = MakePlayer(kClub, 5);
    const uint16_t loaned = MakePlayer(kRival, 6);
    SetPlayerLoanClub(loaned, kClub);  // plays for the rival, owned here
    const uint16_t youth = MakePlayer(kClub, 7);
    SetPlayerFlag95(youth, 1);
    const uint16_t manager = MakePlayer(kClub, 13);
    RebuildAllRosters();
    EXPECT_EQ(ClubRoster[kClub][0], home);
    EXPECT_EQ(ClubRoster[kClub][1], loaned);
    EXPECT_EQ(ClubRoster[kClub][2], youth);
    EXPECT_EQ(ClubRoster[kClub][3], manager);  // the full rebuild places managers too
    EXPECT_EQ(ClubRoster[kRival][0], loaned);
    EXPECT_EQ(ClubRosterCount[kClub], 4);
    EXPECT_EQ(ClubSquadCount[kClub], 3);  // youth players are not counted
    EXPECT_EQ(ClubRosterCount[kRival], 1);

    // One club's rebuild gives that club's roster exactly as the full
    // rebuild does, the manager included, whichever ran last; so it does
    // from the members kept with the club words.
    const std::vector<uint16_t> whole(ClubRoster[kClub], ClubRoster[kClub] + kRosterSize);
    for (const bool kept : {false, true}) {
        SCOPED_TRACE(kept ? "club words kept" : "records read");
        if (kept) KeepPlayerMarketKeys(true);
        ClubRoster[kClub][1] = 0;
        ClubRoster[kClub][3] = 0;
        RebuildClubRoster(kClub);
        EXPECT_EQ(std::vector<uint16_t>(ClubRoster[kClub], ClubRoster[kClub] + kRosterSize), whole);
    }
    // The loan ends while they are kept: the owner's roster no longer
    // holds him.
    SetPlayerLoanClub(loaned, kRival);
    RebuildClubRoster(kClub);
    EXPECT_EQ(ClubRoster[kClub][1], youth);
    EXPECT_EQ(ClubRoster[kClub][3], 0);
    KeepPlayerMarketKeys(false);
}

TEST_F(SquadsTest, AFullRosterLogsThePlayerItCannotPlace) {
    for (int i = 0; i < kRosterSize + 1; ++i) MakePlayer(kClub, 5);
    DebugSetLevel(DEBUG_GENERAL, 1);
    StdoutCapture out;
    RebuildAllRosters();
    const std::string text = out.Text();
    EXPECT_EQ(ClubRosterCount[kClub], kRosterSize);
    EXPECT_NE(text.find("player " + std::to_string(PlayerCount - 1) + " not placed"), std::string::npos)
        << text;
    // One club's rebuild from the kept members places the same and logs
    // the same player.
    const std::vector<uint16_t> whole(ClubRoster[kClub], ClubRoster[kClub] + kRosterSize);
    KeepPlayerMarketKeys(true);
    StdoutCapture again;
    RebuildClubRoster(kClub);
    EXPECT_EQ(std::vector<uint16_t>(ClubRoster[kClub], ClubRoster[kClub] + kRosterSize), whole);
    EXPECT_NE(again.Text().find("player " + std::to_string(PlayerCount - 1) + " not placed"),
              std::string::npos);
    KeepPlayerMarketKeys(false);
    DebugSetLevel(DEBUG_GENERAL, 0);
}

TEST_F(SquadsTest, ListsFollowTheFlagsAndCountTheAvailablePlayers) {
    const uint16_t fit = MakePlayer(kClub, 5);
    const uint16_t injured = MakePlayer(kClub, 1);
    SetPlayerIT(injured, 12);
    const uint16_t banned = MakePlayer(kClub, 10);
    SetPlayerSusp(banned, 2);
    const uint16_t young = MakePlayer(kClub, 2, 2);  // age index 2: out of the averages
    const uint16_t youth = MakePlayer(kClub, 3);
    SetPlayerFlag95(youth, 1);
    const uint16_t reserve = MakePlayer(kClub, 4);
    SetPlayerFlag107(reserve, 1);
    const uint16_t youthWithReserveShirt = MakePlayer(kClub, 8);
    SetPlayerFlag95(youthWithReserveShirt, 1);
    SetPlayerIntShirt(youthWithReserveShirt, 4);
    MakePlayer(kClub, 13);  // the manager is never listed
    const uint16_t other = MakePlayer(kRival, 5);
    SetPlayerWage(fit, 400);
    SetPlayerWage(injured, 200);
    SetPlayerStat(fit, 27, 70);
    SetPlayerStat(injured, 27, 50);
    SetPlayerStat(banned, 27, 60);
    SetPlayerStat(young, 27, 10);
    RebuildAllRosters();
    ClubRoster[kClub][20] = other;  // a stray entry of another club is skipped

    BuildClubSquadList(kClub);
    ASSERT_EQ(FirstTeamList.count, 4);
    EXPECT_EQ(FirstTeamList.players[0], fit);
    EXPECT_EQ(FirstTeamList.players[3], young);
    EXPECT_EQ(ReserveList.count, 2);
    EXPECT_EQ(ReserveList.players[0], reserve);
    EXPECT_EQ(ReserveList.players[1], youthWithReserveShirt);
    ASSERT_EQ(YouthList.count, 1);
    EXPECT_EQ(YouthList.players[0], youth);
    EXPECT_EQ(ClubSquadCount[kClub], 4);
    EXPECT_EQ(getsquadsize(kClub), 2);  // injured and banned are not available
    // The count follows the squad as it is now, not as the last build saw it.
    SetPlayerIT(injured, 0);
    EXPECT_EQ(getsquadsize(kClub), 3);
    SetPlayerSusp(fit, 1);
    EXPECT_EQ(getsquadsize(kClub), 2);
    SetPlayerSusp(fit, 0);
    SetPlayerIT(injured, 12);
    EXPECT_EQ(SquadPositionCounts[1], 2);
    EXPECT_EQ(SquadPositionCounts[2], 1);
    EXPECT_EQ(SquadPositionCounts[3], 1);
    EXPECT_EQ(GetClubSquadAvgStat(kClub), (70 + 50 + 60) / 3);
    EXPECT_EQ(GetClubSquadAvgWage(kClub), uint32_t((400 + 200 + 60 * 0) * 25 / 3));

    BuildClubSquadList(-1);
    EXPECT_EQ(FirstTeamList.count + ReserveList.count + YouthList.count, 0);
    EXPECT_EQ(FirstTeamList.players[0], 0);
}

TEST_F(SquadsTest, AFullFirstTeamListGivesAnAbsenteesPlaceToTheNextPlayer) {
    std::vector<uint16_t> players;
    for (int i = 0; i < kSquadListSize + 1; ++i) players.push_back(MakePlayer(kClub, 5));
    SetPlayerIntDuty(players[4], 1);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(FirstTeamList.count, kSquadListSize);
    EXPECT_EQ(FirstTeamList.players[4], players.back());
}

TEST(SquadSizeTest, AClubOutsideTheTableIsLoggedAndCountsOne) {
    DebugSetLevel(DEBUG_GENERAL, 1);
    StdoutCapture out;
    EXPECT_EQ(getsquadsize(-1), 1);
    EXPECT_EQ(getsquadsize(1200), 1);
    EXPECT_EQ(out.Text(),
              "Invalid team access in getsquadsize '-1'\nInvalid team access in getsquadsize '1200'\n");
    DebugSetLevel(DEBUG_GENERAL, 0);
}

TEST_F(SquadsTest, TheManagerIsThePlainManagerElseTheLastPlayerManagerElsePlayerTwo) {
    EXPECT_EQ(FindClubManager(kClub), kNoManager);
    EXPECT_EQ(FindClubManager(-4), kNoManager);
    const uint16_t first = MakePlayer(kClub, 5);
    SetPlayerHalvorn(first, 1);
    const uint16_t last = MakePlayer(kClub, 6);
    SetPlayerHalvorn(last, 1);
    EXPECT_EQ(FindClubManager(kClub), last);
    SetPlayerClub(kNoManager, kClub);
    SetPlayerPosition(kNoManager, 13);  // player 2 never counts as the manager
    EXPECT_EQ(FindClubManager(kClub), last);
    const uint16_t manager = MakePlayer(kClub, 13);
    EXPECT_EQ(FindClubManager(kClub), manager);
}

// --- one slot ---------------------------------------------------------------

TEST_F(SquadsTest, ALoanedInPlayerMissesHisOwnersMatchUnlessAllowed) {
    const uint16_t loaned = MakePlayer(kClub, 10, 8, 90);
    SetPlayerLoanClub(loaned, kRival);
    const uint16_t own = MakePlayer(kClub, 10, 8, 50);
    PutFixture(0, 5, kCompLeague, kRival, kClub, 31, 31);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(PickPlayerForSlot(10, 3, kClub, 0, 0, 0, 0, 0), own);
    SetPlayerShirt(own, 0);
    SetPlayerFlag120Bit12(loaned, 1);
    EXPECT_EQ(PickPlayerForSlot(10, 3, kClub, 0, 0, 0, 0, 0), loaned);
}

TEST_F(SquadsTest, CupRulesDecideWhoMayPlayInACup) {
    const int16_t cupType = 21;  // the second national cup: flag 1, slot 1
    const uint16_t loaned = MakePlayer(kClub, 10, 8, 90);
    SetPlayerLoanClub(loaned, 40);
    const uint16_t tied = MakePlayer(kClub, 10, 8, 80);
    SetPlayerCup(tied, 30, 1, 0);  // registered with another club in this cup
    const uint16_t own = MakePlayer(kClub, 10, 8, 50);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(PickPlayerForSlot(10, 3, kClub, 0, 0, 0, cupType, 0), own);
    EXPECT_EQ(PickPlayerForSlot(10, 3, kClub, 0, 0, 0, 0, 0), loaned) << "the league knows no cup rules";
    SetPlayerCupFlag1(loaned, 1);
    EXPECT_EQ(PickPlayerForSlot(10, 3, kClub, 0, 0, 0, cupType, 0), loaned);
    SetPlayerCupFlag1(loaned, 0);
    SetPlayerCup(tied, kClub, 1, 0);  // registered with this club
    EXPECT_EQ(PickPlayerForSlot(10, 3, kClub, 0, 0, 0, cupType, 0), tied);
}

TEST_F(SquadsTest, OnlyAFullListPutsAnOutfieldPlayerInGoalOrAKeeperInDefence) {
    const uint16_t keeper = MakePlayer(kClub, 0, 8, 99);
    const uint16_t striker = MakePlayer(kClub, 10, 8, 40);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(PickPlayerForSlot(2, 3, kClub, 0, 0, 0, 0, 0), 0) << "nobody for a defence slot";
    EXPECT_EQ(PickPlayerForSlot(0, 3, kClub, 1, 0, 0, 0, 0), keeper);
    SetPlayerShirt(keeper, 0);
    EXPECT_EQ(PickPlayerForSlot(5, 3, kClub, 1, 0, 0, 0, 0), striker)
        << "a substitute slot takes anyone but a keeper";
    SetPlayerShirt(striker, 0);
    for (int i = 0; i < 30; ++i) SetPlayerIT(MakePlayer(kClub, 7), 5);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    ASSERT_EQ(FirstTeamList.count, kSquadListSize);
    EXPECT_EQ(PickPlayerForSlot(2, 3, kClub, 0, 0, 0, 0, 0), keeper);
    SetPlayerShirt(keeper, 0);
    SetPlayerIT(keeper, 3);
    EXPECT_EQ(PickPlayerForSlot(0, 3, kClub, 0, 0, 0, 0, 0), striker);
    SetPlayerShirt(striker, 0);
    SetPlayerIT(keeper, 0);
    SetPlayerIT(striker, 3);
    EXPECT_EQ(PickPlayerForSlot(6, 3, kClub, 0, 0, 0, 0, 0), 0) << "never a keeper in midfield";
}

TEST_F(SquadsTest, TheForeignQuotaStopsForeignersOnceTheSumReaches55) {
    EXPECT_EQ(ForeignQuotaWord(32), 1);
    EXPECT_EQ(ForeignQuotaWord(33), 0);
    EXPECT_EQ(ForeignQuotaWord(115), 1);
    EXPECT_EQ(ForeignQuotaWord(116), 0);
    EXPECT_EQ(ForeignQuotaWord(0xFFFF), 0);
    const uint16_t foreigner = MakePlayer(kClub, 6, 8, 90);
    SetPlayerNationality(foreigner, 40 + 2);
    const uint16_t local = MakePlayer(kClub, 6, 8, 50);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(PickPlayerForSlot(6, 3, kClub, 0, 0, 0, 0, 54), foreigner);
    SetPlayerShirt(foreigner, 0);
    EXPECT_EQ(PickPlayerForSlot(6, 3, kClub, 0, 0, 0, 0, 55), local);
}

TEST_F(SquadsTest, EqualCandidatesLeaveTheShirtToTheEarlierOne) {
    const uint16_t first = MakePlayer(kClub, 6);
    MakePlayer(kClub, 6);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(PickPlayerForSlot(6, 0, kClub, 0, 0, 0, 0, 0), first);
}

TEST_F(SquadsTest, SideSettingsScaleTheScore) {
    const uint16_t p = MakePlayer(kClub, 3, 8, 70);
    const int64_t plain = ScorePlayerForSlot(p, 3, 0, 0, 0, true);
    ASSERT_GT(plain, 1000);
    SetPlayerSetting2(p, 0);
    EXPECT_EQ(ScorePlayerForSlot(p, 3, 0, 0, 0, true), 40 * plain / 100);
    SetPlayerSetting2(p, 2);
    EXPECT_EQ(ScorePlayerForSlot(p, 3, 0, 0, 0, true), 80 * plain / 100);
    EXPECT_EQ(ScorePlayerForSlot(p, 3, 3, 0, 0, true), plain) << "side mode 3 weighs no setting";
    // Out of his group he keeps 60 of each hundred.
    const uint16_t twin = MakePlayer(kClub, 6, 8, 70);
    SetPlayerSetting2(p, 3);
    EXPECT_EQ(ScorePlayerForSlot(p, 6, 3, 0, 0, true), ScorePlayerForSlot(twin, 6, 3, 0, 0, true) / 100 * 60);
}

TEST_F(SquadsTest, ANationalSideWithoutCandidatesLogsAndFieldsWhatItHas) {
    StdoutCapture out;
    EXPECT_EQ(PickPlayerForSlot(5, 3, kNationalSideA, 0, 3, 0, 118, 0), 0);
    EXPECT_EQ(out.Text(), "International selection error in nation'1201'\n");
}

TEST_F(SquadsTest, NationalPicksGainExperienceAndSkipTheirSquad) {
    const uint16_t a = MakePlayer(kClub, 5, 8, 80);
    const uint16_t b = MakePlayer(kRival, 5, 8, 60);
    FirstTeamList = {{a, b}, 2};
    NationalSquadTable[1][3][0] = a;
    EXPECT_EQ(PickPlayerForSlot(5, 3, kNationalSideB, 0, 3, 0, 119, 0), b);
    EXPECT_EQ(GetPlayerExperience(b), 1);
    NationalSquadTable[1][3][0] = 0;
}

TEST_F(SquadsTest, EmptyFirstTeamSlotsFallBackOnReservesThenYouth) {
    const uint16_t injured = MakePlayer(kClub, 5);
    SetPlayerIT(injured, 4);
    const uint16_t reserve = MakePlayer(kClub, 6);
    SetPlayerFlag107(reserve, 1);
    SetPlayerIntShirt(reserve, 7);
    const uint16_t youth = MakePlayer(kClub, 7);
    SetPlayerFlag95(youth, 1);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    ASSERT_EQ(ReserveList.count, 1);
    EXPECT_EQ(PickPlayerForSlot(5, 3, kClub, 0, 0, 0, 0, 0), reserve);
    EXPECT_EQ(GetPlayerFlag107(reserve), 0);
    EXPECT_EQ(GetPlayerIntShirt(reserve), 0);
    EXPECT_EQ(ReserveList.count, 0);
    EXPECT_EQ(FirstTeamList.players[1], reserve);
    SetPlayerShirt(reserve, 5);
    EXPECT_EQ(PickPlayerForSlot(8, 3, kClub, 0, 0, 0, 0, 0), youth);
    EXPECT_EQ(GetPlayerFlag118(youth), 1);
    EXPECT_EQ(FirstTeamList.players[2], youth);
}

TEST_F(SquadsTest, ANegativeClubEndsTheProgram) {
    EXPECT_FATAL(PickPlayerForSlot(5, 3, -1, 0, 0, 0, 0, 0),
                 "PickPlayerForSlot\\(\\): Error: invalid club -1");
}

// --- sides --------------------------------------------------------------------

TEST_F(SquadsTest, ASideGivesEveryShirtOnceAndCaptainsAStarter) {
    std::vector<uint16_t> side = MakeSide(kClub);
    SetPlayerStat(side[7], 20, 99);
    SetPlayerExperience(side[7], 60);
    SetPlayerCaptain(side[16], 1);
    RebuildAllRosters();
    CurrentClubManager = MakePlayer(kClub, 13);
    BuildClubSquadList(kClub);
    SelectClubTeamByFormation(kClub, 5, 0, 0);
    std::set<int> shirts;
    for (uint16_t p : side) {
        if (GetPlayerShirt(p) != 0) {
            EXPECT_TRUE(shirts.insert(GetPlayerShirt(p)).second);
        }
    }
    EXPECT_EQ(shirts.size(), 16u);
    EXPECT_EQ(GetPlayerShirt(side[0]) == 1 || GetPlayerShirt(side[1]) == 1, true);
    // The captain is a starter: the natural leader when he starts.
    const uint16_t captain = FindClubCaptain(kClub);
    ASSERT_NE(captain, 0);
    EXPECT_GE(GetPlayerShirt(captain), 1);
    EXPECT_LE(GetPlayerShirt(captain), 11);
    if (GetPlayerShirt(side[7]) <= 11) {
        EXPECT_EQ(captain, side[7]);
    }
    EXPECT_EQ(GetPlayerCaptain(side[16]), 0);
    EXPECT_EQ(ClubHasShirtsUpTo(kClub, 16), 0);
    SetPlayerShirt(side[0], 0);
    SetPlayerShirt(side[1], 0);
    EXPECT_EQ(ClubHasShirtsUpTo(kClub, 11), -1);
    AutoAssignShirtNumbers(kClub, 5, 0, 0);
    EXPECT_EQ(ClubHasShirtsUpTo(kClub, 16), 0);
}

TEST_F(SquadsTest, AutoAssignKeepsTheFirstWearerOfADuplicatedShirt) {
    PickPlainSide(3);
    int wearer = -1, shirtless = -1;
    for (int i = 0; i < FirstTeamList.count; ++i) {
        const uint16_t shirt = GetPlayerShirt(FirstTeamList.players[i]);
        if (shirt == 4) wearer = i;
        if (shirt == 0) shirtless = i;
    }
    ASSERT_GE(wearer, 0);
    ASSERT_GE(shirtless, 0);
    SetPlayerShirt(FirstTeamList.players[shirtless], 4);
    const uint16_t first = FirstTeamList.players[std::min(wearer, shirtless)];
    const uint16_t second = FirstTeamList.players[std::max(wearer, shirtless)];
    AutoAssignShirtNumbers(kClub, 3, 0, 0);
    EXPECT_EQ(GetPlayerShirt(first), 4);
    EXPECT_EQ(GetPlayerShirt(second), 0);
    EXPECT_EQ(ClubHasShirtsUpTo(kClub, 14), 0);
}

TEST_F(SquadsTest, MatchDaySelectionServesBans) {
    std::vector<uint16_t> side = MakeSide(kClub);
    const uint16_t waiting = MakePlayer(kClub, 5);
    SetPlayerSusp(waiting, 2);
    SetPlayerBanWait(waiting, 1);
    const uint16_t serving = MakePlayer(kClub, 5);
    SetPlayerSusp(serving, 1);
    const uint16_t european = MakePlayer(kClub, 5);
    SetPlayerEuroBan(european, 1);
    SetPlayerEuroDispoints(european, 2);
    RebuildAllRosters();
    CurrentClubManager = MakePlayer(kClub, 13);
    BuildClubSquadList(kClub);
    SelectClubTeamByFormation(kClub, 5, 1, 0);
    EXPECT_EQ(GetPlayerSusp(waiting), 2);
    EXPECT_EQ(GetPlayerSusp(serving), 0);
    EXPECT_EQ(GetPlayerEuroBan(european), 1) << "a league match serves no European ban";
    SelectClubTeamByFormation(kClub, 5, 1, 70);
    EXPECT_EQ(GetPlayerEuroBan(european), 0);
    EXPECT_EQ(GetPlayerEuroDispoints(european), 0);
    SelectClubTeamByFormation(kClub, 5, 1, 117);  // a friendly serves nothing
    SetPlayerBanWait(waiting, 0);
    SelectClubTeamByFormation(kClub, 5, 1, 0);
    EXPECT_EQ(GetPlayerSusp(waiting), 1);
}

// A completed sheet (the human's) is reacted to in the leagues and cups but
// not in the European cups, where it only serves the European bans.
TEST_F(SquadsTest, ACompletedSheetIsNotReactedToInEurope) {
    PickPlainSide(5);
    uint16_t starter = 0;
    for (int i = 0; i < FirstTeamList.count; ++i)
        if (GetPlayerShirt(FirstTeamList.players[i]) == 2) starter = FirstTeamList.players[i];
    ASSERT_NE(starter, 0);
    AutoAssignShirtNumbers(kClub, 5, 1, 70);
    EXPECT_EQ(GetPlayerMorale(starter), 40);
    AutoAssignShirtNumbers(kClub, 5, 1, 0);
    EXPECT_GT(GetPlayerMorale(starter), 40);
}

// The captain look-ups walk the club's roster, which holds the players it
// has out on loan as well: a flagged player playing for another club is
// that club's, and a clubless player's flag names no captain of "club -1".
TEST_F(SquadsTest, TheCaptainLookUpsFindThePlayersWhoPlayForTheClub) {
    const uint16_t lent = MakePlayer(kRival, 5);
    SetPlayerLoanClub(lent, kClub);
    const uint16_t home = MakePlayer(kClub, 6);
    const uint16_t clubless = MakePlayer(kClub, 7);
    SetPlayerClub(clubless, -1);
    SetPlayerLoanClub(clubless, -1);
    for (uint16_t p : {lent, home, clubless}) {
        SetPlayerCaptain(p, 1);
        SetPlayerFlag107Bit7(p, 1);
    }
    RebuildAllRosters();
    ASSERT_EQ(ClubRoster[kClub][0], lent);
    EXPECT_EQ(FindClubCaptain(kClub), home);
    EXPECT_EQ(FindNationalCaptain(kClub), home);
    EXPECT_EQ(FindClubCaptain(kRival), lent);
    EXPECT_EQ(FindNationalCaptain(kRival), lent);
    EXPECT_EQ(FindClubCaptain(-1), 0);
    EXPECT_EQ(FindNationalCaptain(-1), 0);
}

TEST_F(SquadsTest, TheReserveSideTakesTheReserveListAndItsCaptain) {
    std::vector<uint16_t> reserves = MakeSide(kClub, 50);
    for (uint16_t p : reserves) SetPlayerFlag107(p, 1);
    SetPlayerStat(reserves[9], 20, 99);
    SetPlayerExperience(reserves[9], 50);
    RebuildAllRosters();
    CurrentClubManager = MakePlayer(kClub, 13);
    BuildClubSquadList(kClub);
    ASSERT_EQ(ReserveList.count, int16_t(reserves.size()));
    SelectReserveTeamByFormation(kClub, 0, 0, 0);
    std::set<int> shirts;
    for (uint16_t p : reserves) {
        EXPECT_EQ(GetPlayerShirt(p), 0);
        if (GetPlayerIntShirt(p) != 0) {
            EXPECT_TRUE(shirts.insert(GetPlayerIntShirt(p)).second);
        }
    }
    EXPECT_EQ(shirts.size(), 16u);
    if (GetPlayerIntShirt(reserves[9]) <= 11) {
        EXPECT_EQ(FindNationalCaptain(kClub), reserves[9]);
    }
    SetPlayerIntShirt(reserves[3], 0);
    AutoAssignReserveShirtNumbers(kClub, 5, 0, 0);
    shirts.clear();
    for (uint16_t p : reserves) {
        if (GetPlayerIntShirt(p) != 0) {
            EXPECT_TRUE(shirts.insert(GetPlayerIntShirt(p)).second);
        }
    }
    EXPECT_EQ(shirts.size(), 16u);
}

// --- list operations and numbers ----------------------------------------------

TEST_F(SquadsTest, ListOperationsMoveFlagsAndCloseGaps) {
    std::vector<uint16_t> players;
    for (int i = 0; i < 31; ++i) players.push_back(MakePlayer(kClub, 5));
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    const uint16_t newcomer = MakePlayer(kClub, 6);
    SetPlayerFlag107(newcomer, 1);
    AddToTeamList(newcomer);  // 31 listed: only an absentee's place
    EXPECT_EQ(FirstTeamList.count, 31);
    EXPECT_EQ(GetPlayerFlag118(newcomer), 1);
    EXPECT_EQ(GetPlayerFlag107(newcomer), 0);
    SetPlayerSusp(players[6], 1);
    AddToTeamList(newcomer);
    EXPECT_EQ(FirstTeamList.players[6], newcomer);

    SetPlayerShirt(players[2], 9);
    RemoveFromTeamList(players[2]);
    EXPECT_EQ(FirstTeamList.count, 30);
    EXPECT_EQ(FirstTeamList.players[2], players[3]);
    EXPECT_EQ(FirstTeamList.players[30], 0);
    EXPECT_EQ(GetPlayerShirt(players[2]), 0);
    EXPECT_EQ(GetPlayerFlag107(players[2]), 1);

    AddToReserveList(players[2]);
    SetPlayerIntShirt(players[2], 3);
    RemoveFromReserveList(players[2]);
    EXPECT_EQ(GetPlayerFlag107(players[2]), 0);
    EXPECT_EQ(GetPlayerIntShirt(players[2]), 0);
    EXPECT_EQ(ReserveList.count, 0);
    AddToYouthList(players[2]);
    EXPECT_EQ(YouthList.players[0], players[2]);
    RemoveFromYouthList(players[2]);
    EXPECT_EQ(YouthList.count, 0);
    EXPECT_EQ(GetPlayerFlag107(players[2]), 1);
}

TEST_F(SquadsTest, FreeSquadNumbersSkipThoseTaken) {
    const uint16_t a = MakePlayer(kClub, 6);
    const uint16_t b = MakePlayer(kClub, 6);
    SetPlayerField92(a, 4);
    SetPlayerField92(b, 5);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    const uint16_t joining = MakePlayer(kClub, 7);  // starts at 7 / 2 + 1 = 4
    EXPECT_EQ(NextFreeSquadNumber(0, joining), 6);
}

// Season set-up: shirts 1-16 keep their numbers; the first-team players
// without a shirt follow from 17, the reserves after them with gaps of one
// or two, then the youth.
TEST_F(SquadsTest, SeasonSetUpNumbersTheSquad) {
    // The last club set up, so the lists stay its own.
    const int16_t club = kClubCount - 1;
    MakeClub(club);
    std::vector<uint16_t> side = MakeSide(club);
    for (int i = 0; i < 8; ++i) side.push_back(MakePlayer(club, int16_t(1 + i)));
    const uint16_t youth = MakePlayer(club, 5, 0);
    SetPlayerFlag95(youth, 1);
    SetPlayerFitness(youth, 20);  // not fit enough to be taken up
    MakePlayer(club, 13);
    SetUpAllClubTeams();

    std::set<int> numbers;
    int firstReserve = 0;
    for (int i = 0; i < FirstTeamList.count; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        const int shirt = GetPlayerShirt(p);
        if (shirt != 0) {
            EXPECT_EQ(GetPlayerField92(p), shirt);
        }
        EXPECT_TRUE(numbers.insert(GetPlayerField92(p)).second);
    }
    EXPECT_EQ(numbers.size(), 16u);
    EXPECT_EQ(*numbers.rbegin(), 16);
    int previous = 16;
    for (int i = 0; i < ReserveList.count; ++i) {
        const int n = GetPlayerField92(ReserveList.players[i]);
        if (i == 0) firstReserve = n;
        EXPECT_GE(n - previous, i == 0 ? 1 : 1);
        EXPECT_LE(n - previous, i == 0 ? 1 : 2);
        previous = n;
    }
    EXPECT_EQ(firstReserve, 17);
    ASSERT_EQ(YouthList.count, 1);
    EXPECT_GT(GetPlayerField92(youth), previous);
    EXPECT_EQ(GetPlayerShirt(youth), 0);
}

// --- mood and captains ---------------------------------------------------------

TEST_F(SquadsTest, HappinessWeighsEachPlayersStatus) {
    const uint16_t a = MakePlayer(kClub, 5);
    const uint16_t b = MakePlayer(kClub, 6);
    SetPlayerMorale(a, 60);
    SetPlayerMorale(b, 60);
    SetPlayerField117(a, 6);
    RebuildAllRosters();
    EXPECT_EQ(GetClubSquadHappinessPct(kClub), 100);
    SetPlayerMorale(a, 20);  // (60 - 20) / 2 x 6 = 120, over two players
    EXPECT_EQ(GetClubSquadHappinessPct(kClub), 100 - 60);
    SetPlayerMorale(b, 0);  // status 0 never lowers the figure
    EXPECT_EQ(GetClubSquadHappinessPct(kClub), 100 - 60);
    SetPlayerIT(a, 3);  // the injured are left out
    EXPECT_EQ(GetClubSquadHappinessPct(kClub), 100);
}

TEST_F(SquadsTest, AClubWithoutManagerShowsPlayerTwosFans) {
    SetPlayerFans(kNoManager, 63);
    EXPECT_EQ(GetClubManagerFansPct(kClub), 100);
    EXPECT_EQ(RoundDownTo25(74), 50);
    EXPECT_EQ(RoundDownTo25(-30), 0);
    EXPECT_EQ(RoundDownToHundred(1999), 1900);
}

TEST_F(SquadsTest, ALoanEndsWithThePlayerBackAtHisClub) {
    const uint16_t p = MakePlayer(kRival, 5);
    SetPlayerLoanClub(p, kClub);
    SetPlayerFans(p, 5);
    SetPlayerLoanClubFans(p, 30);
    SetPlayerShirt(p, 7);
    SetPlayerCupFlag3(p, 1);
    SetPlayerLoanPeriod(p, 12);
    SetPlayerField92(p, 23);  // his number at the host
    SetPlayerField116(p, 9);  // the one he wore at home
    ClearPlayerLoan(p);
    EXPECT_EQ(GetPlayerClub(p), kClub);
    EXPECT_EQ(GetPlayerFans(p), 30);
    EXPECT_EQ(GetPlayerField92(p), 9);
    EXPECT_EQ(GetPlayerShirt(p), 0);
    EXPECT_EQ(GetPlayerCupFlag3(p), 0);
    EXPECT_EQ(GetPlayerLoanPeriod(p), 0);
    // A player at home keeps his number and his fans.
    SetPlayerField92(p, 14);
    SetPlayerField116(p, 3);
    ClearPlayerLoan(p);
    EXPECT_EQ(GetPlayerField92(p), 14);
    EXPECT_EQ(GetPlayerFans(p), 30);
}

TEST_F(SquadsTest, ReputationOrderAndPlayerManagers) {
    MakeClub(5, 0, 0, 20);
    MakeClub(7, 0, 0, 50);
    MakeClub(9, 0, 0, 20);
    SortClubsByReputation();  // clubs 10 and 11 stand at 40
    const uint16_t expected[] = {7, 10, 11, 5, 9, 0xFFFF};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ClubReputationOrder[i], expected[i]) << i;
    const uint16_t pm = MakePlayer(kClub, 5);
    SetPlayerHalvorn(pm, 1);
    const uint16_t caretaker = MakePlayer(kClub, 6);
    SetPlayerHalvorn(caretaker, 1);
    SetPlayerCaretaker(caretaker, 1);
    EXPECT_EQ(CountPlayerManagers(), 1);
    EXPECT_EQ(AverageClubWage(kRival), 100000);
}

}  // namespace

namespace {

// Kept managers answer as a fresh look-up would while the pass keeps them:
// a manager who leaves or arrives, a player-manager, and an earlier record
// made manager are all seen at once; and so they do when the look-ups read
// the kept club words instead of the records.
TEST_F(SquadsTest, KeptManagersAnswerAsAFreshLookUpWould) {
    for (const bool clubWords : {false, true}) {
        SCOPED_TRACE(clubWords ? "club words kept" : "records read");
        KeepPlayerMarketKeys(clubWords);
        const uint16_t player = MakePlayer(kClub, 5);
        const uint16_t manager = MakePlayer(kClub, 13);
        KeepClubManagers(true);
        EXPECT_EQ(FindClubManager(kClub), manager);
        EXPECT_EQ(FindClubManager(kClub), manager);
        SetPlayerClub(manager, kRival);  // he leaves
        EXPECT_EQ(FindClubManager(kClub), kNoManager);
        EXPECT_EQ(FindClubManager(kRival), manager);
        const uint16_t next = MakePlayer(kClub, 13);
        EXPECT_EQ(FindClubManager(kClub), next);
        SetPlayerHalvorn(player, 1);  // a player-manager yields to a plain manager
        EXPECT_EQ(FindClubManager(kClub), next);
        SetPlayerPosition(player, 13);  // the earlier record manages now
        EXPECT_EQ(FindClubManager(kClub), player);
        SetPlayerHalvornB(player, 0);
        SetPlayerClub(next, -1);
        EXPECT_EQ(FindClubManager(kClub), player);  // the last player-manager
        SetPlayerHalvorn(player, 0);
        EXPECT_EQ(FindClubManager(kClub), kNoManager);
        KeepClubManagers(false);
        EXPECT_EQ(FindClubManager(kRival), manager);
        EXPECT_EQ(FindClubManager(kClub), kNoManager);
        // The next round starts from clubs without these men.
        SetPlayerClub(player, -1);
        SetPlayerClub(manager, -1);
        if (clubWords) KeepPlayerMarketKeys(false);
    }
}

}  // namespace
