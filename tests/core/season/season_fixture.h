// Shared set-up for the season tests: an empty fixture table, a world of
// clubs without reputation and a few players, empty message stores.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/random.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "tests/fakes/test_util.h"

// The head of a slot as one comparable value.
struct FixtureHead {
    int day, type, home, away;
    bool operator==(const FixtureHead&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const FixtureHead& h) {
    return os << "{day " << h.day << " type " << h.type << " " << h.home << " v " << h.away << "}";
}

class SeasonTest : public ::testing::Test {
  protected:
    static constexpr uint16_t kPlayers = 50;

    void SetUp() override {
        std::memset(PlayerRecords, 0, sizeof(PlayerRecord) * (kPlayers + 1));
        std::memset(ClubRecords, 0, sizeof ClubRecords);
        std::memset(MessageArchive, 0, sizeof MessageArchive);
        std::memset(UserInbox, 0, sizeof UserInbox);
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
        std::memset(ReserveSeasonRecords, 0, sizeof ReserveSeasonRecords);
        NewMessageFlag = 0;
        for (Fixture& f : FixtureTable) std::memset(f.bytes, 0, sizeof f.bytes);
        ClearFixtureTable();
        PlayerCount = kPlayers;
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 0, 0, {}, {}, {}};
        GameSeedRandom(4321);
    }

    static void MakeClub(int16_t club, int16_t nation, int16_t division, int16_t rep = 10) {
        SetClubNation(club, nation);
        SetClubDivision(club, division);
        SetClubRep(club, rep);
    }

    // Clubs laid out as the shipped divisions say, reputations 10 upwards in
    // each division, and no honours yet.  Returns the number of clubs made.
    static int16_t MakeShippedWorld() {
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        std::memset(HonoursTable, 0xFF, sizeof HonoursTable);
        int16_t club = 0;
        for (int country = 0; country < kCountryCount; ++country) {
            for (int division = 0; division < kDivisionCount; ++division) {
                for (int i = 0; i < kShippedDivisionLayout[country][division].clubs; ++i)
                    MakeClub(club++, int16_t(country), int16_t(division), int16_t(10 + i));
            }
        }
        return club;
    }

    // Makes the club the user's: player 1 plays for it.
    static void MakeUserClub(int16_t club) { SetPlayerClub(1, club); }

    // Puts the club at the place of its country's table row.
    static void PlaceInTable(int16_t club, int row, int place) {
        LeagueTable[GetClubNation(club)][row][place] = club;
    }

    static FixtureHead HeadOf(int slot) {
        return FixtureHead{FixtureDay(slot), FixtureType(slot), FixtureHome(slot), FixtureAway(slot)};
    }
    static int UsedSlots() {
        int n = 0;
        while (n < kFixtureSlots && !IsFixtureEmpty(n)) ++n;
        return n;
    }
};
