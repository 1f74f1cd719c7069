// A small world for the query-layer tests: clubs placed in their
// countries' division rows, players in club squads, fixtures written
// straight into the table and an empty last-match block.
#pragma once
#include <cstring>

#include "core/club/squads.h"
#include "core/match/matchratings.h"
#include "core/match/matchresult.h"
#include "core/query/layerstate.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"

class QueryTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        // The world's league layout is shipped data that other tests read;
        // it comes back after each test.
        std::memcpy(saved_layout_, DivisionLayout, sizeof saved_layout_);
        std::memcpy(saved_table_, LeagueTable, sizeof saved_table_);
        saved_viewed_ = HVW_GetViewedCountry();
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        std::memset(DivisionLayout, 0, sizeof DivisionLayout);
        std::memset(&MatchResult, 0, sizeof MatchResult);
        std::memset(MatchRatingTable, 0xFF, sizeof MatchRatingTable);
        std::memset(&FirstTeamList, 0, sizeof FirstTeamList);
        std::memset(&ReserveList, 0, sizeof ReserveList);
        std::memset(&YouthList, 0, sizeof YouthList);
        HVW_SetViewedCountry(0);
        // Every club starts abroad; the tests place the ones they need.
        for (int16_t club = 0; club < kClubCount; ++club) SetClubNation(club, kAbroad);
        next_player_ = 2;  // player 1 is the user's manager
    }

    void TearDown() override {
        std::memcpy(DivisionLayout, saved_layout_, sizeof saved_layout_);
        std::memcpy(LeagueTable, saved_table_, sizeof saved_table_);
        HVW_SetViewedCountry(saved_viewed_);
        RecordsTest::TearDown();
    }

    // Puts the club at the next place of its country's division row.
    static void MakeClub(int16_t club, int16_t country, int16_t division) {
        SetClubNation(club, country);
        SetClubDivision(club, division);
        DivisionLayoutEntry& entry = DivisionLayout[country][division];
        LeagueTable[country][division][entry.clubs++] = club;
    }

    // A club outside every division row (a foreign club, say).
    static void MakeLooseClub(int16_t club, int16_t country) {
        SetClubNation(club, country);
        SetClubDivision(club, 0);
    }

    // A new player of the club: position 0 keeper, 1-4 defence, 5-9
    // midfield, 10-12 attack.  The club's roster is rebuilt.
    uint16_t AddPlayer(int16_t club, int16_t position, int16_t goals = 0, int16_t assists = 0) {
        const uint16_t player = next_player_++;
        SetClubControl(club, 1);  // a human club's lists are its roster as it stands
        SetPlayerClub(player, club);
        SetPlayerLoanClub(player, club);
        SetPlayerPosition(player, position);
        SetPlayerGoals(player, goals);  // before the assists: 0 goals clears them
        SetPlayerAssists(player, assists);
        UpdateClubSquads();
        return player;
    }

    // Player 1 manages the user's club.
    static void MakeUserClub(int16_t club) {
        SetPlayerClub(1, club);
        SetPlayerLoanClub(1, club);
        SetPlayerPosition(1, 13);
    }

    static void PutLineUpEntry(int slot, int side, int entry, uint16_t player, uint8_t mark) {
        uint8_t* e = FixtureTable[slot].bytes + 20 + side * 96 + entry * 6;
        recbits::StoreU16(e, player);
        e[2] = mark;
    }

    static uint8_t* ReportEntry(int team, int slot) {
        return MatchResult.teams[team].bytes + kReportPlayers + slot * kPlayerReportSize;
    }

    static constexpr int16_t kAbroad = 50;
    uint16_t next_player_ = 2;

  private:
    DivisionLayoutEntry saved_layout_[kCountryCount][kDivisionCount];
    int16_t saved_table_[kCountryCount][kLeagueRows][kLeagueRowClubs];
    int16_t saved_viewed_ = 0;
};
