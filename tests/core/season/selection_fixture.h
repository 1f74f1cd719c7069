// Shared set-up for the team-selection and match set-up tests: empty
// records, clubs of league nations and players made to measure.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/teamroles.h"
#include "core/match/matchsetup.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/season/matchsetup.h"
#include "core/season/pickteam.h"
#include "tests/core/records/records_fixture.h"

class SelectionTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        ClearHistoryLists();
        std::memset(&FirstTeamList, 0, sizeof FirstTeamList);
        std::memset(&ReserveList, 0, sizeof ReserveList);
        std::memset(&YouthList, 0, sizeof YouthList);
        std::memset(TeamSheet, 0, sizeof TeamSheet);
        std::memset(StarPlayers, 0, sizeof StarPlayers);
        std::memset(ClubRoleLists, 0, sizeof ClubRoleLists);
        std::memset(Code120RoleChoices, 0, sizeof Code120RoleChoices);
        CurrentTacticB = CurrentTacticA = SeasonStepWord = 0;
        std::memset(MatchRoleHolders, 0, sizeof MatchRoleHolders);
        MatchRuleWords = {};
        AwaySupportShortfall = 0;
        AutoManagementSwitch = 0;
        ClearMatchSetupBlock();
        LeaveUserAndNoManagerOnly();
    }

    // A fit, contented player of the club with every attribute at `stat`,
    // registered for no cup.
    static uint16_t MakePlayer(int16_t club, int16_t position, int16_t stat = 60) {
        const uint16_t p = PlayerCount++;
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerPosition(p, position);
        SetPlayerAge(p, 8);
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, stat);
        SetPlayerContract(p, 24);
        SetPlayerFitness(p, 60);
        SetPlayerMorale(p, 60);
        SetPlayerField96(p, 60);
        SetPlayerField105(p, 60);
        SetPlayerFans(p, 31);
        SetPlayerExperience(p, 30);
        SetPlayerSetting1(p, 3);
        SetPlayerSetting2(p, 3);
        SetPlayerSetting3(p, 3);
        SetPlayerNationality(p, club >= 0 ? GetClubNation(club) : 0);
        for (int16_t slot = 0; slot < 7; ++slot) {
            for (int16_t row = 0; row < (slot < 4 ? 9 : 1); ++row) SetPlayerCup(p, -1, slot, row);
        }
        return p;
    }

    static void AddToList(SquadList& list, uint16_t player) { list.players[list.count++] = player; }

    static int16_t InfoStat(int side, int slot, int stat) {
        return GameInfo.I16(gameinfo::PlayerInfoAt(side, slot) + gameinfo::kPlayerStats + 2 * stat);
    }
    static void SetInfoStat(int side, int slot, int stat, int value) {
        GameInfo.SetI16(gameinfo::PlayerInfoAt(side, slot) + gameinfo::kPlayerStats + 2 * stat,
                        int16_t(value));
    }
    static int16_t InfoWord(int side, int slot, int field) {
        return GameInfo.I16(gameinfo::PlayerInfoAt(side, slot) + field);
    }
};
