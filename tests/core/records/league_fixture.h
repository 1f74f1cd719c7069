// A small league world for the query-layer tests: clubs placed in the
// league tables of their countries, texts for the result letters.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "core/records/records.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"

class LeagueWorldTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        for (auto& country : LeagueTable)
            for (auto& row : country)
                for (int16_t& club : row) club = int16_t(kNoLeagueClub);
        std::memset(ReserveSeasonRecords, 0, sizeof ReserveSeasonRecords);
    }

    // Puts the club at the place of a division row and gives it the
    // country and division.
    static void Place(int16_t club, int country, int division, int place) {
        SetClubNation(club, int16_t(country));
        SetClubDivision(club, int16_t(division));
        LeagueTable[country][division][place] = club;
    }

    // Fills a whole division with clubs first, first + 1, ...
    static void FillDivision(int16_t first, int country, int division) {
        const int n = DivisionLayout[country][division].clubs;
        for (int i = 0; i < n; ++i) Place(int16_t(first + i), country, division, i);
    }
};
