// Shared set-up for the record tests: empty tables and a small world.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/unrest.h"

class RecordsTest : public ::testing::Test {
  protected:
    static constexpr uint16_t kPlayers = 100;

    void SetUp() override {
        std::memset(PlayerRecords, 0, sizeof PlayerRecords);
        std::memset(ClubRecords, 0, sizeof ClubRecords);
        std::memset(ClubBids, 0, sizeof ClubBids);
        std::memset(ClubFinanceRecords, 0, sizeof ClubFinanceRecords);
        std::memset(AgentRecords, 0, sizeof AgentRecords);
        std::memset(MessageArchive, 0, sizeof MessageArchive);
        std::memset(UserInbox, 0, sizeof UserInbox);
        std::memset(ClubRoster, 0, sizeof ClubRoster);
        std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
        std::memset(ReserveSeasonRecords, 0, sizeof ReserveSeasonRecords);
        // Tables a new game or a load builds, empty as a fresh process has
        // them: the strength ranking with its per-nation club counts, and
        // the transfer requests waiting for an answer.
        std::memset(ClubStrengthRanking, 0, sizeof ClubStrengthRanking);
        std::memset(ClubCountOfNation, 0, sizeof ClubCountOfNation);
        ClearPendingPlayerEvents();
        for (Fixture& f : FixtureTable) {
            std::memset(f.bytes, 0, sizeof f.bytes);
            f.bytes[0] = 0xFF;  // day 511: empty slot
            f.bytes[1] = 0x01;
        }
        PlayerCount = kPlayers;
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 0, 0, {}, {}, {}};
        GameSeedRandom(12345);
    }

    // No players but player 1, the user, and player 2, who stands for "no
    // manager": both without a club.
    static void LeaveUserAndNoManagerOnly() {
        PlayerCount = 3;
        for (uint16_t p = 1; p < 3; ++p) {
            SetPlayerClub(p, -1);
            SetPlayerLoanClub(p, -1);
        }
    }

    // A club of a league nation, division and reputation.
    static void MakeClub(int16_t club, int16_t nation = 0, int16_t division = 0, int16_t rep = 40) {
        SetClubNation(club, nation);
        SetClubDivision(club, division);
        SetClubRep(club, rep);
    }

    static const uint8_t* PlayerBytes(uint16_t p) { return PlayerRecords[p].bytes; }
    static const uint8_t* ClubBytes(int16_t c) { return ClubRecords[c].bytes; }

    // Bits of the 32-bit word at a byte of a record.
    static uint32_t Bits(const uint8_t* rec, int offset, int shift, int width) {
        uint32_t word;
        std::memcpy(&word, rec + offset, 4);
        uint32_t mask = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
        return (word >> shift) & mask;
    }

    // Places a fixture in a slot.
    static void PutFixture(int slot, int day, int type, int home, int away, int homeGoals, int awayGoals,
                           int flags = 0) {
        uint8_t* f = FixtureTable[slot].bytes;
        uint32_t w0 = uint32_t(day) | uint32_t(type) << 9;
        uint16_t h = uint16_t(home), a = uint16_t(away);
        uint32_t score = uint32_t(homeGoals) | uint32_t(awayGoals) << 5 | uint32_t(flags);
        std::memcpy(f, &w0, 4);
        std::memcpy(f + 4, &h, 2);
        std::memcpy(f + 6, &a, 2);
        std::memcpy(f + 8, &score, 4);
    }
};
