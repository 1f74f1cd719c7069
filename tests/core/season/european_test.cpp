#include "core/season/european.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/season/competitions.h"
#include "core/season/cupdays.h"
#include "core/season/nationorder.h"
#include "core/season/seasonend.h"
#include "tests/core/season/season_fixture.h"
#include "tests/fakes/world_records.h"

namespace {

constexpr int kPlacesA[32] = {2, 0, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 0, 0, 0,
                              0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
constexpr int kPlacesB[32] = {2, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                              1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
constexpr int kPlacesC[32] = {2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1,
                              1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0};

// The generated world with its league tables in club-order, the shipped
// honours of last season in row 1 naming clubs of the right nations.
class EuropeanTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        std::memset(HonoursTable, 0xFF, sizeof HonoursTable);
        InitNationClubOrder();
        for (int nation = 0; nation < kCountryCount; ++nation) {
            int place = 0;
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(nation) &&
                    GetClubDivision(club) == 0 && place < kLeagueRowClubs)
                    LeagueTable[nation][0][place++] = club;
            }
            HonoursTable[nation][1].words[14] = LeagueTable[nation][0][3];  // champion
            HonoursTable[nation][1].words[15] = LeagueTable[nation][0][4];  // runner-up
            HonoursTable[nation][1].words[0] = LeagueTable[nation][0][7];   // cup winner
            HonoursTable[nation][1].words[1] = LeagueTable[nation][0][3];   // cup runner-up: the champion
        }
        EuropeanSetUpWordA = LeagueTable[2][0][10];
        EuropeanSetUpWordB = LeagueTable[6][0][10];
    }

    static std::vector<int16_t> Clubs(const int16_t* list, int n) {
        std::vector<int16_t> out;
        for (int i = 0; i < n; ++i) {
            if (list[i] != -1) out.push_back(list[i]);
        }
        return out;
    }
    static int OfNation(const int16_t* list, int n, int nation) {
        int count = 0;
        for (int16_t club : Clubs(list, n)) count += GetClubNation(club) == uint16_t(nation);
        return count;
    }

    void ExpectSoundLists() {
        std::set<int16_t> seen;
        for (auto [list, n] : {std::pair{EuropeanEntrantListA, 32}, std::pair{EuropeanEntrantListB, 32},
                               std::pair{EuropeanEntrantListC, 64}}) {
            for (int16_t club : Clubs(list, n)) {
                EXPECT_TRUE(IsClubNumber(club));
                EXPECT_TRUE(seen.insert(club).second) << "club " << club << " entered twice";
            }
        }
        EXPECT_EQ(EuropeanEntrantListA[31], EuropeanSetUpWordA);
        EXPECT_LE(Clubs(EuropeanEntrantListA, 31).size(), 23u);
        for (int i = 23; i < 31; ++i) EXPECT_EQ(EuropeanEntrantListA[i], -1);
        EXPECT_EQ(Clubs(EuropeanEntrantListB, 32).size(), 32u) << "list B ends full";
        for (int i = 39; i < 63; ++i) EXPECT_EQ(EuropeanEntrantListC[i], -1);
        for (int nation = 0; nation < kCountryCount; ++nation) {
            const int holderA = GetClubNation(EuropeanSetUpWordA) == uint16_t(nation);
            EXPECT_EQ(OfNation(EuropeanEntrantListA, 32, nation) - holderA, kPlacesA[nation]) << nation;
            EXPECT_EQ(OfNation(EuropeanEntrantListB, 32, nation), kPlacesB[nation]) << nation;
            const int holderB = EuropeanEntrantListC[63] == EuropeanSetUpWordB &&
                                GetClubNation(EuropeanSetUpWordB) == uint16_t(nation);
            EXPECT_EQ(OfNation(EuropeanEntrantListC, 64, nation) - holderB, kPlacesC[nation]) << nation;
        }
    }
};

TEST_F(EuropeanTest, FirstSeasonTakesTheShippedHonoursAndClubOrder) {
    SeasonCalendar.season = 0;
    const int rep = GetClubRep(LeagueTable[0][0][3]);
    SetUpEuropeanEntrants();
    ExpectSoundLists();
    // Nation 0: champion and runner-up in list A, gaining reputation.
    EXPECT_EQ(EuropeanEntrantListA[0], LeagueTable[0][0][3]);
    EXPECT_EQ(EuropeanEntrantListA[1], LeagueTable[0][0][4]);
    EXPECT_EQ(int(GetClubRep(LeagueTable[0][0][3])), std::min(rep + 1, 63));
    // List B from the shipped club order, list C the cup winner first; the
    // runner-up is entered already, so the club order follows.
    EXPECT_EQ(EuropeanEntrantListB[0], int16_t(NationClubOrder[0][0]));
    EXPECT_EQ(EuropeanEntrantListC[0], LeagueTable[0][0][7]);
    EXPECT_EQ(EuropeanEntrantListC[63], EuropeanSetUpWordB);
    EXPECT_EQ(GetPlacesRecordWord(3, 3), LeagueTable[3][0][3]) << "list A entrant recorded";
    EXPECT_EQ(GetPlacesRecordWord(0, 0), -1) << "the cup is recorded in later seasons only";
    EXPECT_EQ(GetPlacesRecordWord(5, 2), EuropeanSetUpWordB);
}

TEST_F(EuropeanTest, LaterSeasonsTakeTheFinalTablesAndHolderBMayLoseItsPlace) {
    SeasonCalendar.season = 3;
    EuropeanSetUpWordB = LeagueTable[0][0][0];  // also first in nation 0's table
    SetUpEuropeanEntrants();
    ExpectSoundLists();
    EXPECT_EQ(EuropeanEntrantListA[0], LeagueTable[0][0][0]);
    EXPECT_EQ(EuropeanEntrantListA[1], LeagueTable[0][0][1]);
    EXPECT_EQ(EuropeanEntrantListC[0], LeagueTable[0][0][7]) << "the cup winner";
    EXPECT_EQ(GetPlacesRecordWord(0, 0), LeagueTable[0][0][7]);
    EXPECT_NE(EuropeanEntrantListC[63], EuropeanSetUpWordB);
    const int16_t replacement = EuropeanEntrantListC[63];
    ASSERT_TRUE(IsClubNumber(replacement));
    EXPECT_GE(GetClubNation(replacement), 9u);
    EXPECT_EQ(GetPlacesRecordWord(0, 2), -1);
}

TEST_F(EuropeanTest, DrawsSeedListAAndShuffleListsBAndC) {
    SetUpEuropeanEntrants();
    std::vector<int16_t> listA(EuropeanEntrantListA, EuropeanEntrantListA + 32);
    std::vector<int16_t> listC(EuropeanEntrantListC, EuropeanEntrantListC + 64);
    std::memset(CompetitionTable, 0xFF, sizeof CompetitionTable);
    EuroDrawFirstRound();
    std::vector<int16_t> drawn;
    for (int i = 0; i < 32; ++i) drawn.push_back(CupDrawClub(0, 6, 0, i));
    EXPECT_TRUE(std::is_permutation(drawn.begin(), drawn.end(), listA.begin()));
    std::vector<int> reps;
    for (int16_t club : listA) reps.push_back(IsClubNumber(club) ? int(GetClubRep(club)) : -1);
    std::sort(reps.rbegin(), reps.rend());
    for (int i = 0; i < 16; ++i) {
        const int16_t seeded = drawn[2 * i];
        EXPECT_EQ(IsClubNumber(seeded) ? int(GetClubRep(seeded)) : -1, reps[i]) << "even entry " << 2 * i;
    }
    EuroDrawListC();
    std::vector<int16_t> drawnC;
    for (int i = 0; i < 64; ++i) drawnC.push_back(CupDrawClub(0, 4, 0, i));
    EXPECT_TRUE(std::is_permutation(drawnC.begin(), drawnC.end(), listC.begin()));
    ShuffleEuropeanOrder();
    std::set<int16_t> b;
    for (int i = 0; i < 32; ++i) b.insert(CupDrawClub(0, 5, 0, i));
    EXPECT_EQ(b.size(), 32u);
}

TEST_F(EuropeanTest, SecondRoundClosesGapsAndLeavesMissingEntriesEmpty) {
    std::fill(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA), int16_t(-1));
    const std::vector<int16_t> left = {LeagueTable[0][0][0], LeagueTable[0][0][1], LeagueTable[1][0][0],
                                       LeagueTable[2][0][0], LeagueTable[3][0][0]};
    const int at[] = {3, 9, 17, 25, 31};
    for (size_t i = 0; i < left.size(); ++i) EuropeanEntrantListA[at[i]] = left[i];
    std::memset(CompetitionTable, 0xFF, sizeof CompetitionTable);
    EuroDrawSecondRound();
    std::vector<int16_t> drawn;
    for (int i = 0; i < 16; ++i) {
        if (CupDrawClub(0, 6, 1, i) != -1) drawn.push_back(CupDrawClub(0, 6, 1, i));
    }
    EXPECT_TRUE(std::is_permutation(drawn.begin(), drawn.end(), left.begin(), left.end()));
    EXPECT_EQ(CupDrawClub(0, 6, 1, 16), -1);
}

TEST_F(EuropeanTest, AdditionsKeepListsFreeOfRepeatsAndIgnoreAFullList) {
    std::fill(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA), int16_t(-1));
    std::fill(std::begin(EuropeanEntrantListC), std::end(EuropeanEntrantListC), int16_t(-1));
    AddToEuropeanListA(5);
    AddToEuropeanListA(5);
    AddToEuropeanListA(-1);
    EXPECT_EQ(CountEuropeanEntries(5), 1);
    EXPECT_EQ(EuropeanEntrantListA[1], -1);
    for (int16_t club = 100; club < 200; ++club) AddToEuropeanListC(club);
    EXPECT_EQ(EuropeanEntrantListC[63], 163);
    EXPECT_EQ(CountEuropeanEntries(170), 0);
    AddToEuropeanListC(5);
    EXPECT_EQ(CountEuropeanEntries(5), 1) << "list C is full";
    EXPECT_EQ(CountEuropeanEntries(1300), 0);
}

}  // namespace
