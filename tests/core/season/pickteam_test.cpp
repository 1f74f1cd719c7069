// Team selection: match statistics, fans' mood, roles, line leaders and the
// scaling of skills.
#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/records/history.h"
#include "core/season/fixtures.h"
#include "core/season/nationalsquads.h"
#include "core/season/pickteam.h"
#include "tests/core/season/selection_fixture.h"
#include "tests/fakes/test_util.h"

using namespace gameinfo;

namespace {

class PickTeamTest : public SelectionTest {};

TEST_F(PickTeamTest, EveryStatisticStaysInRangeForRandomPlayersAndOccasions) {
    MakeClub(0, 0, 0);
    MakeClub(1, 0, 7);  // outside the pyramid: level 4
    SetClubXCoord(0, 10);
    SetClubYCoord(0, 10);
    SetClubXCoord(1, 12);
    SetClubYCoord(1, 11);
    GameSeedRandom(77);
    const int16_t competitions[] = {0, 2, 5, 60, 75, 117, 118, 119, 120};
    for (int i = 0; i < 3000; ++i) {
        const uint16_t p = MakePlayer(int16_t(i % 2), int16_t(GameRandom() % 13));
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, int16_t(GameRandom() % 101));
        SetPlayerFatigue(p, int16_t(GameRandom() % 64));
        SetPlayerFitness(p, int16_t(GameRandom() % 64));
        SetPlayerMorale(p, int16_t(GameRandom() % 64));
        SetPlayerFans(p, int16_t(GameRandom() % 64));
        SetPlayerField96(p, int16_t(GameRandom() % 64));
        SetPlayerField105(p, int16_t(GameRandom() % 64));
        SetPlayerField118(p, int16_t(GameRandom() % 64));
        SetPlayerExperience(p, int16_t(GameRandom() % 64));
        SetPlayerCaps89(p, int16_t(GameRandom() % 100));
        AwaySupportShortfall = int16_t(GameRandom() % 101);
        const int16_t side = int16_t(GameRandom() % 2);
        const int16_t neutral = int16_t(GameRandom() % 2);
        const int16_t competition = competitions[GameRandom() % 9];
        const int16_t slot = int16_t(GameRandom() % 17);
        AddPlayerToMatch(p, side, slot, competition, neutral, int16_t(i % 2), int16_t(1 - i % 2));
        for (int stat = 0; stat < kPlayerStatCount; ++stat) {
            const int value = InfoStat(side, slot, stat);
            ASSERT_GE(value, 1) << "stat " << stat << " of player " << p;
            ASSERT_LE(value, 99) << "stat " << stat << " of player " << p;
        }
        ASSERT_EQ(TeamSheet[side][slot], p);
        ASSERT_EQ(InfoWord(side, slot, kPlayerInfoNumber), int16_t(p));
        PlayerCount = 3;  // keep the record table small
    }
}

// With perfect consistency the form of the day is 100; form, workload and
// fans at their middle leave eff 100, so Keeping equals the raw stat.
TEST_F(PickTeamTest, AgainstHisFormerClubAPlayerPlaysAtEff125WhateverHisForm) {
    MakeClub(0);
    MakeClub(1);
    PlayerCount = 19;  // player 19: consistency may read 99
    const uint16_t p = MakePlayer(0, 0);
    SetPlayerStat(p, 0, 40);
    SetPlayerStat(p, 22, 100);
    AddPlayerToMatch(p, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(InfoStat(0, 0, kStatKeeping), 40);

    AddPlayerHistoryStats(p, 1, 1, 0, 0, 0);
    SetPlayerStat(p, 22, 0);  // form of the day now drawn at random
    SetPlayerField96(p, 0);
    for (int i = 0; i < 20; ++i) {
        AddPlayerToMatch(p, 0, 0, 0, 0, 0, 1);
        ASSERT_EQ(InfoStat(0, 0, kStatKeeping), 50);  // 40 x 125 / 100
    }
    EXPECT_EQ(InfoWord(0, 0, kPlayerInfoWord2), 2);  // two stars for the occasion
}

TEST_F(PickTeamTest, FansBetween21And47LeaveMoraleAndFormAlone) {
    MakeClub(0);
    const uint16_t p = MakePlayer(0, 5);
    for (int rating = 21; rating <= 47; ++rating) {
        SetPlayerFans(p, int16_t(rating));
        SetPlayerMorale(p, 30);
        SetPlayerField96(p, 30);
        for (int i = 0; i < 10; ++i) ApplyFansMood(p);
        ASSERT_EQ(GetPlayerMorale(p), 30) << rating;
        ASSERT_EQ(GetPlayerField96(p), 30) << rating;
    }
    // Disliked players lose, loved players gain, and at least once.
    SetPlayerExperience(p, 3);  // k = 6
    SetPlayerFans(p, 5);
    for (int i = 0; i < 20; ++i) ApplyFansMood(p);
    EXPECT_LT(GetPlayerMorale(p), 30);
    EXPECT_LT(GetPlayerField96(p), 30);
    SetPlayerFans(p, 63);
    SetPlayerMorale(p, 30);
    SetPlayerField96(p, 30);
    for (int i = 0; i < 20; ++i) ApplyFansMood(p);
    EXPECT_GT(GetPlayerMorale(p), 30);
    EXPECT_GT(GetPlayerField96(p), 30);
}

TEST_F(PickTeamTest, LineLeadersLiftTheirLines) {
    const int16_t positions[11] = {0, 2, 2, 2, 2, 6, 6, 6, 6, 11, 11};
    const int16_t leaders[3] = {30, 24, 36};  // defence L 50, midfield L 40, attack L 60
    MakeClub(0);
    for (int slot = 0; slot < 11; ++slot) {
        const uint16_t p = MakePlayer(0, positions[slot]);
        TeamSheet[0][slot] = p;
        GameInfo.SetI16(PlayerInfoAt(0, slot) + kPlayerPosition, positions[slot]);
        for (int stat = 0; stat < kPlayerStatCount; ++stat) SetInfoStat(0, slot, stat, 30);
        SetInfoStat(0, slot, kStatShooting, 50);
        SetInfoStat(0, slot, kStatVision, 70);
        const int line = slot == 0 ? -1 : slot < 5 ? 0 : slot < 9 ? 1 : 2;
        SetPlayerExperience(p, line < 0 ? 63 : int16_t(leaders[line] - (slot % 2)));
    }
    LineLeaderBoost(0);
    // Defence: L = 50, nothing changes.
    EXPECT_EQ(InfoStat(0, 2, kStatTackling), 30);
    EXPECT_EQ(InfoStat(0, 2, kStatIntelligence), 30);
    // Midfield: L = 40 raises 30 to 40; the vision of 70 stays.
    EXPECT_EQ(InfoStat(0, 6, kStatPassing), 40);
    EXPECT_EQ(InfoStat(0, 6, kStatComposure), 40);
    EXPECT_EQ(InfoStat(0, 6, kStatVision), 70);
    EXPECT_EQ(InfoStat(0, 6, kStatTackling), 30);  // not the midfield's skill
    // Attack: L = 60 adds 12 to a field of 50 and of 30.
    EXPECT_EQ(InfoStat(0, 9, kStatShooting), 62);
    EXPECT_EQ(InfoStat(0, 10, kStatPower), 42);
    // The goalkeeper belongs to no line.
    EXPECT_EQ(InfoStat(0, 0, kStatIntelligence), 30);
}

TEST_F(PickTeamTest, NormalisingScalesTheTopToNinetyFive) {
    MakeClub(0);
    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < 2; ++slot) {
            TeamSheet[side][slot] = MakePlayer(0, 5);
            GameInfo.SetI16(PlayerInfoAt(side, slot) + kPlayerPosition, int16_t(slot == 0 ? 0 : 5));
        }
    }
    SetInfoStat(0, 0, kStatPassing, 50);
    SetInfoStat(0, 1, kStatPassing, 20);
    SetInfoStat(1, 0, kStatPassing, 30);
    SetInfoStat(1, 1, kStatPassing, 40);
    SetInfoStat(0, 5, kStatPassing, 60);  // no player in that slot
    NormaliseMatchStat(3);
    EXPECT_EQ(InfoStat(0, 0, kStatPassing), 95);
    EXPECT_EQ(InfoStat(0, 1, kStatPassing), 38);
    EXPECT_EQ(InfoStat(1, 0, kStatPassing), 57);
    EXPECT_EQ(InfoStat(0, 5, kStatPassing), 60);

    SetInfoStat(1, 1, kStatShooting, 95);
    SetInfoStat(0, 1, kStatShooting, 20);
    NormaliseMatchStat(4);
    EXPECT_EQ(InfoStat(0, 1, kStatShooting), 20);

    // Keeping: the best of everybody sets the scale, only keepers move.
    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < 2; ++slot) SetInfoStat(side, slot, kStatKeeping, 25);
    }
    SetInfoStat(1, 1, kStatKeeping, 50);
    NormaliseMatchStat(0);
    EXPECT_EQ(InfoStat(0, 0, kStatKeeping), 47);
    EXPECT_EQ(InfoStat(0, 1, kStatKeeping), 25);
    EXPECT_EQ(InfoStat(1, 1, kStatKeeping), 50);

    // A field that is 0 for everybody has nothing to scale from.
    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < 2; ++slot) SetInfoStat(side, slot, kStatControl, 0);
    }
    NormaliseMatchStat(6);
    EXPECT_EQ(InfoStat(0, 0, kStatControl), 0);
    NormaliseMatchStat(5);  // no such field: nothing happens
    EXPECT_EQ(InfoStat(0, 0, kStatPassing), 95);
}

TEST_F(PickTeamTest, ClubRolesBySumsHumanChoicesAndUnsetTakers) {
    MakeClub(0);
    // Shirts 1, 12 and 13 only: nobody may take a set piece.
    uint16_t first = 0;
    for (int shirt : {1, 12, 13}) {
        const uint16_t p = MakePlayer(0, shirt == 1 ? 0 : 5);
        if (first == 0) first = p;
        SetPlayerShirt(p, int16_t(shirt));
        AddToList(FirstTeamList, p);
    }
    RebuildClubRoster(0);
    PickTeam(0, 1, 0, 0, 5, 0);
    EXPECT_EQ(GameInfo.TeamI16(0, kPenaltyTaker), -1);
    EXPECT_EQ(GameInfo.TeamI16(0, kFreeKickTaker), -1);
    EXPECT_EQ(GameInfo.TeamI16(0, kCornerTaker), -1);
    EXPECT_EQ(GameInfo.TeamI16(0, kCaptain), 1);

    // Shirts 2..11 with the best sums where they should be.
    std::memset(&FirstTeamList, 0, sizeof FirstTeamList);
    uint16_t byShirt[12] = {};
    for (int shirt = 1; shirt <= 11; ++shirt) {
        byShirt[shirt] = MakePlayer(0, shirt == 1 ? 0 : 5, 40);
        SetPlayerShirt(byShirt[shirt], int16_t(shirt));
        AddToList(FirstTeamList, byShirt[shirt]);
    }
    SetPlayerStat(byShirt[7], 14, 90);  // penalties: 14 + 7 + 4
    SetPlayerStat(byShirt[4], 3, 90);   // free kicks and corners: 3 + 7
    SetPlayerStat(byShirt[1], 3, 99);   // the keeper never takes them
    SetPlayerStat(byShirt[9], 20, 99);  // the natural leader
    SetPlayerExperience(byShirt[9], 63);
    // The old keeper, moved down to the reserves, still carries the flag
    // and comes first in the club: the club's captain is the new one.
    SetPlayerShirt(first, 0);
    SetPlayerFlag107(first, 1);
    SetPlayerCaptain(first, 1);
    RebuildClubRoster(0);
    PickTeam(0, 1, 0, 0, 5, 0);
    EXPECT_EQ(GameInfo.TeamI16(0, kPenaltyTaker), 7);
    EXPECT_EQ(GameInfo.TeamI16(0, kFreeKickTaker), 4);
    EXPECT_EQ(GameInfo.TeamI16(0, kCornerTaker), 4);
    EXPECT_EQ(GameInfo.TeamI16(0, kCaptain), 9);
    EXPECT_EQ(GetPlayerCaptain(first), 0);
    EXPECT_EQ(FindClubCaptain(0), byShirt[9]);
    EXPECT_EQ(MatchRoleHolders[kRolePenaltyTaker], 0);  // computer clubs remember nothing

    // A human club's choice stands; what the set-up picks is remembered.
    SetClubControl(0, 1);
    ClubRoleLists[kRolePenaltyTaker][0] = byShirt[10];
    ClubRoleLists[kRoleCaptain][0] = byShirt[3];
    PickTeam(0, 1, 0, 0, 5, 0);
    EXPECT_EQ(GameInfo.TeamI16(0, kPenaltyTaker), 10);
    EXPECT_EQ(GameInfo.TeamI16(0, kCaptain), 3);
    EXPECT_EQ(GameInfo.TeamI16(0, kFreeKickTaker), 4);
    EXPECT_EQ(MatchRoleHolders[kRoleFreeKickTaker], byShirt[4]);
    EXPECT_EQ(MatchRoleHolders[kRolePenaltyTaker], 0);
    EXPECT_EQ(GameInfo.TeamU8(0, kHumanManaged), 1);
}

TEST_F(PickTeamTest, SidesTakeShirtsOfTheirOwnClubAndTheManagerStandsInSlot16) {
    MakeClub(0);
    MakeClub(1);
    const uint16_t manager = MakePlayer(0, 5);
    SetPlayerHalvornB(manager, 1);  // reads as position 13
    uint16_t byShirt[17] = {};
    for (int shirt = 1; shirt <= 14; ++shirt) {
        byShirt[shirt] = MakePlayer(0, shirt == 1 ? 0 : 5);
        SetPlayerShirt(byShirt[shirt], int16_t(shirt));
        AddToList(FirstTeamList, byShirt[shirt]);
    }
    // A loanee gone back and a player of another club wearing shirt 3.
    const uint16_t stranger = MakePlayer(1, 5);
    SetPlayerShirt(stranger, 3);
    FirstTeamList.players[2] = stranger;
    AddToList(FirstTeamList, byShirt[3]);
    MatchRuleWords.oldGoals[1] = 2;
    PickTeam(0, 1, 1, 0, 3, 0);
    EXPECT_EQ(TeamSheet[1][kManagerSlot], manager);
    for (int slot = 0; slot < 14; ++slot) {
        EXPECT_EQ(TeamSheet[1][slot], byShirt[slot + 1]) << slot;
        EXPECT_EQ(InfoWord(1, slot, kPlayerShirt), slot + 1);
    }
    EXPECT_EQ(TeamSheet[1][14], 0);  // three substitutes only
    EXPECT_EQ(InfoWord(1, 14, kPlayerInfoNumber), -1);
    EXPECT_EQ(GameInfo.TeamI16(1, kOldGoals), 2);
    EXPECT_EQ(GameInfo.TeamU8(1, kHumanManaged), 0);
}

TEST_F(PickTeamTest, ReserveSidesPlayInReserveShirts) {
    MakeClub(0);
    uint16_t byShirt[12] = {};
    for (int shirt = 1; shirt <= 11; ++shirt) {
        byShirt[shirt] = MakePlayer(0, shirt == 1 ? 0 : 6);
        SetPlayerIntShirt(byShirt[shirt], int16_t(shirt));
        SetPlayerShirt(byShirt[shirt], int16_t(12 - shirt));  // first-team shirts do not count
        AddToList(ReserveList, byShirt[shirt]);
    }
    SetPlayerStat(byShirt[5], 14, 99);
    SetClubControl(0, 1);
    Code120RoleChoices[kCode120Word[kRoleCornerTaker]] = byShirt[8];
    PickTeam(0, 0, 1, 0, 5, kCompReserveLeague);
    for (int slot = 0; slot < 11; ++slot) {
        EXPECT_EQ(TeamSheet[1][slot], byShirt[slot + 1]);
        EXPECT_EQ(InfoWord(1, slot, kPlayerShirt), slot + 1);
    }
    EXPECT_EQ(GameInfo.TeamI16(1, kPenaltyTaker), 5);
    EXPECT_EQ(GameInfo.TeamI16(1, kCornerTaker), 8);
    EXPECT_EQ(Code120RoleChoices[kCode120Word[kRolePenaltyTaker]], byShirt[5]);
}

TEST_F(PickTeamTest, NationalSidesWearTheirLineUpSlotsAndTheCaptainsShirt) {
    MakeClub(0);
    std::memset(NationalLineUps, 0, sizeof NationalLineUps);
    for (int slot = 0; slot < 16; ++slot) NationalLineUps[0][4][slot] = MakePlayer(0, slot == 0 ? 0 : 5);
    SetPlayerStat(NationalLineUps[0][4][6], 13, 99);
    NationalCaptains[0][4] = NationalLineUps[0][4][3];
    PickTeam(4, 5, 0, 1, 5, kCompNationalTeam);
    EXPECT_EQ(TeamSheet[0][kManagerSlot], 0);  // no club manager on a national sheet
    for (int slot = 0; slot < 16; ++slot) {
        EXPECT_EQ(TeamSheet[0][slot], NationalLineUps[0][4][slot]);
        EXPECT_EQ(InfoWord(0, slot, kPlayerShirt), slot + 1);
    }
    EXPECT_EQ(GameInfo.TeamI16(0, kCaptain), 4);  // line-up slot 3 wears shirt 4
    EXPECT_EQ(MatchTakerEntry(&GameInfo, 0, kCaptain), 3);
    EXPECT_EQ(GameInfo.TeamI16(0, kFreeKickTaker), 7);
    EXPECT_EQ(GameInfo.TeamU8(0, kHumanManaged), 0);
    EXPECT_EQ(GameInfo.TeamI16(0, kOldGoals), 0);

    NationalCaptains[0][4] = NationalLineUps[0][4][13];  // on the bench
    PickTeam(4, 5, 0, 1, 5, kCompNationalTeam);
    EXPECT_EQ(GameInfo.TeamI16(0, kCaptain), 5);
}

TEST_F(PickTeamTest, SuggestionsOnlyForComputerClubs) {
    MakeClub(0);
    uint16_t byShirt[12] = {};
    for (int shirt = 1; shirt <= 11; ++shirt) {
        byShirt[shirt] = MakePlayer(0, shirt == 1 ? 0 : 5, 40);
        SetPlayerShirt(byShirt[shirt], int16_t(shirt));
        AddToList(FirstTeamList, byShirt[shirt]);
    }
    SetPlayerStat(byShirt[6], 13, 90);
    SetPlayerStat(byShirt[8], 4, 90);
    EXPECT_EQ(SuggestFreeKickTaker(0, 0), byShirt[6]);
    EXPECT_EQ(SuggestPenaltyTaker(0, 0), byShirt[8]);
    EXPECT_EQ(SuggestCornerTaker(0, 0), byShirt[2]);  // all equal: the first wins
    SetClubControl(0, 1);
    EXPECT_EQ(SuggestFreeKickTaker(0, 0), 0);
}

TEST_F(PickTeamTest, BadArgumentsEndTheProgram) {
    MakeClub(0);
    const uint16_t p = MakePlayer(0, 5);
    EXPECT_FATAL(AddPlayerToMatch(p, 2, 0, 0, 0, 0, 1),
                 "AddPlayerToMatch\\(\\): Error: player [0-9]+, side 2");
    EXPECT_FATAL(AddPlayerToMatch(p, 0, 17, 0, 0, 0, 1), "slot 17");
    EXPECT_FATAL(AddPlayerToMatch(0, 0, 1, 0, 0, 0, 1), "AddPlayerToMatch\\(\\): Error: player 0");
    EXPECT_FATAL(PickTeam(0, 1, 3, 0, 5, 0), "PickTeam\\(\\): Error: side 3");
}

}  // namespace
