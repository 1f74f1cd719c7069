// Shared set-up for the club-management tests: empty records, a few clubs
// and helpers that make players.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/random.h"
#include "core/club/shortlist.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "tests/core/records/records_fixture.h"

class ManagementTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        ShortList_Clear();
        std::memset(&FirstTeamList, 0, sizeof FirstTeamList);
        std::memset(&ReserveList, 0, sizeof ReserveList);
        std::memset(&YouthList, 0, sizeof YouthList);
        LeaveUserAndNoManagerOnly();
    }

    // Bans the club's last players until no more than `available` of its
    // first team are available (lifting every other ban); the count that
    // results.
    static uint16_t LeaveAvailable(int16_t club, int available) {
        for (uint16_t p = 3; p < PlayerCount; ++p)
            if (GetPlayerClub(p) == uint16_t(club)) SetPlayerSusp(p, 0);
        for (uint16_t p = uint16_t(PlayerCount - 1); p >= 3 && getsquadsize(club) > available; --p)
            if (GetPlayerClub(p) == uint16_t(club)) SetPlayerSusp(p, 5);
        return getsquadsize(club);
    }

    // A fit, contracted player of the club with every attribute at `stat`.
    static uint16_t MakePlayer(int16_t club, int16_t position, int16_t age = 8, int16_t stat = 60) {
        const uint16_t p = PlayerCount++;
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerPosition(p, position);
        SetPlayerAge(p, age);
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, stat);
        SetPlayerContract(p, 24);
        SetPlayerCareerApps(p, 100);
        SetPlayerFitness(p, 60);
        SetPlayerMorale(p, 40);
        SetPlayerManPrice(p, -1);
        SetPlayerField52(p, 200);
        SetPlayerSetting1(p, 3);
        SetPlayerSetting2(p, 3);
        SetPlayerSetting3(p, 3);
        SetPlayerNationality(p, club >= 0 ? GetClubNation(club) : 0);
        // Registered for no cup yet.
        for (int16_t slot = 0; slot < 7; ++slot) {
            for (int16_t row = 0; row < (slot < 4 ? 9 : 1); ++row) SetPlayerCup(p, -1, slot, row);
        }
        return p;
    }

    // A manager's formation family (3 bits at byte 100, bit 29): no setter
    // exists, the database sets it.
    static void SetPlayerTacticValue(uint16_t player, int family) {
        uint32_t word;
        std::memcpy(&word, PlayerRecords[player].bytes + 100, 4);
        word = (word & ~(0x7u << 29)) | (uint32_t(family) << 29);
        std::memcpy(PlayerRecords[player].bytes + 100, &word, 4);
    }

    // Writes a raw stored position, as a damaged or foreign record may hold.
    static void SetRawPosition(uint16_t player, uint32_t position) {
        uint32_t word;
        std::memcpy(&word, PlayerRecords[player].bytes + 88, 4);
        word = (word & ~(0xFu << 28)) | (position << 28);
        std::memcpy(PlayerRecords[player].bytes + 88, &word, 4);
    }
};
