// The query layer's conventions: display scaling, forwarding to the
// accessors with their checks, the small tables and the forwarders.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/season/clubfixtures.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/leagues.h"
#include "core/season/matchday.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using FieldQueryTest = RecordsTest;
using FieldQueryDeathTest = RecordsTest;

struct PlayerCase {
    const char* name;
    std::function<void(uint16_t, int)> set;
    std::function<int(uint16_t)> query;
    int value;
    int shown;  // what the layer gives for value
};

// Getters whose accessor has another name or whose value the layer
// changes; the rest only forward.
TEST_F(FieldQueryTest, PlayerGettersGiveTheAccessorsFields) {
    const std::vector<PlayerCase> cases = {
        PlayerCase{"Position2", [](uint16_t p, int x) { SetPlayerPosition(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerPosition2(p)); }, 11, 11},
        PlayerCase{"ManOfMatch", [](uint16_t p, int x) { SetPlayerMoM(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerManOfMatch(p)); }, 6, 6},
        PlayerCase{"Flag120", [](uint16_t p, int x) { SetPlayerField120Bit0(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerFlag120(p)); }, 1, 1},
        PlayerCase{"Field112b", [](uint16_t p, int x) { SetPlayerPerf2(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerField112b(p)); }, 64, 64},
        PlayerCase{"Suspended", [](uint16_t p, int x) { SetPlayerSusp(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_IsPlayerSuspended(p)); }, 3, 1},
        PlayerCase{"Position", [](uint16_t p, int x) { SetPlayerPosition(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerPosition(p)); }, 12, 12},
        // Scaled fields.
        PlayerCase{"Age", [](uint16_t p, int x) { SetPlayerAge(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerAge(p)); }, 0, 16},
        PlayerCase{"Age", [](uint16_t p, int x) { SetPlayerAge(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerAge(p)); }, 17, 33},
        PlayerCase{"Wage", [](uint16_t p, int x) { SetPlayerWage(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerWage(p)); }, 4000, 100000},
        PlayerCase{"Morale", [](uint16_t p, int x) { SetPlayerMorale(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerMoralePct(p)); }, 59, 98},
        PlayerCase{"Morale", [](uint16_t p, int x) { SetPlayerMorale(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerMoralePct(p)); }, 60, 100},
        PlayerCase{"Fitness", [](uint16_t p, int x) { SetPlayerFitness(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerFitnessPct(p)); }, 31, 51},
        PlayerCase{"Fatigue", [](uint16_t p, int x) { SetPlayerFatigue(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerFatiguePct(p)); }, 1, 1},
        PlayerCase{"Experience", [](uint16_t p, int x) { SetPlayerExperience(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerExperiencePercent(p)); }, 63, 100},
        PlayerCase{"Experience", [](uint16_t p, int x) { SetPlayerExperience(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerExperiencePercent(p)); }, 1, 1},
        PlayerCase{"Dispoints", [](uint16_t p, int x) { SetPlayerDispoints(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerDispoints(p)); }, 7, 21},
        PlayerCase{"Field118", [](uint16_t p, int x) { SetPlayerField118(p, int16_t(x)); },
                   [](uint16_t p) { return int(HVW_GetPlayerField118Pct(p)); }, 32, 50},
    };
    const uint16_t player = 42;
    for (const PlayerCase& c : cases) {
        std::memset(PlayerRecords[player].bytes, 0, sizeof(PlayerRecord));
        c.set(player, c.value);
        EXPECT_EQ(c.query(player), c.shown) << c.name << " " << c.value;
    }
    SetPlayerStat(player, 21, 57);
    EXPECT_EQ(HVW_GetPlayerStat21Div10(player), 5);
}

TEST_F(FieldQueryTest, PlayerSettersStoreThroughTheAccessors) {
    const uint16_t p = 7;
    HVW_SetPlayerClub(p, 12);
    HVW_SetPlayerLoanClub(p, 13);
    HVW_SetPlayerWage(p, 400);  // units of 25, no scaling here
    HVW_SetPlayerMorale(p, 45);
    HVW_SetPlayerShirt(p, 9);
    HVW_SetPlayerManPrice(p, 1234567);
    HVW_SetPlayerSaleStatus(p, 1);
    HVW_SetPlayerLoanList(p, 1);
    HVW_SetPlayerTxList(p, 1);
    HVW_SetPlayerCaptain(p, 1);
    HVW_SetPlayerHalvorn(p, 1);
    HVW_SetPlayerSetting4(p, 11);
    HVW_SetPlayerFlag120(p, 1);
    HVW_InitPlayerValueFields(p);
    EXPECT_EQ(GetPlayerClub(p), 12);
    EXPECT_EQ(GetPlayerLoanClub(p), 13);
    EXPECT_EQ(HVW_GetPlayerWage(p), 10000);
    EXPECT_EQ(GetPlayerMorale(p), 45);
    EXPECT_EQ(GetPlayerShirt(p), 9);
    EXPECT_EQ(HVW_GetPlayerManPriceRaw(p), 1234567);
    EXPECT_EQ((std::array{int(GetPlayerSaleStatus(p)), int(GetPlayerLoanList(p)), int(GetPlayerTxList(p)),
                          int(GetPlayerCaptain(p)), int(GetPlayerHalvorn(p)), int(GetPlayerField120Bit0(p))}),
              (std::array{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(GetPlayerSetting4(p), 11);
    HVW_SetPlayerInitial(p, 26);
    EXPECT_EQ(HVW_GetPlayerInitial(p), 26);
    HVW_SetPlayerInitial(p, 27);  // not a letter: no initial
    EXPECT_EQ(HVW_GetPlayerInitial(p), 0);
}

TEST_F(FieldQueryTest, RecordAddressesAndRawReadsNeverCheck) {
    EXPECT_EQ(HVW_GetPlayerRecord(0), &PlayerRecords[0]);
    EXPECT_EQ(HVW_GetPlayerRecord(kPlayers + 5), &PlayerRecords[kPlayers + 5]);
    recbits::StoreI32(PlayerRecords[kPlayers + 5].bytes + 16, -77);
    EXPECT_EQ(HVW_GetPlayerManPriceRaw(kPlayers + 5), -77);
    EXPECT_EQ(HVW_GetClubRecord(1199), &ClubRecords[1199]);
    // Fixture getters read any slot without a check: an empty slot.
    EXPECT_EQ(HVW_GetFixtureDay(19999), 511);
}

TEST_F(FieldQueryDeathTest, AccessorBackedMembersEndOnBadNumbers) {
    EXPECT_FATAL(HVW_GetPlayerAge(0), "");  // player 0 stops without a message
    EXPECT_FATAL(HVW_GetPlayerMoralePct(kPlayers), "'100'");
    EXPECT_FATAL(HVW_GetPlayerAge(kPlayers + 1), "negative player age : '101'");
    EXPECT_FATAL(HVW_GetClubControl(-1), "neg club : '-1'");
    EXPECT_FATAL(HVW_GetClubBalance(-5), "neg club : '-5'");
}

TEST_F(FieldQueryTest, ClubGettersAndSetters) {
    const int16_t c = 321;
    SetClubBalance(c, 4500000);
    HVW_SetClubControl(c, 1);
    HVW_SetClubStandCapacity0(c, 1);
    HVW_SetClubStandCapacity1(c, 2);
    HVW_SetClubStandCapacity2(c, 3);
    HVW_SetClubStandCapacity3(c, 4);
    HVW_SetClubStandStyle0(c, 5);
    HVW_SetClubStandStyle1(c, 6);
    HVW_SetClubStandStyle2(c, 7);
    HVW_SetClubStandStyle3(c, 1);
    SetClubNation(c, 4);
    SetClubDivision(c, 2);
    SetClubRep(c, 33);
    SetClubAvgAttendance(c, 91000);
    EXPECT_EQ(HVW_GetClubBalance(c), 4500000);
    EXPECT_EQ(HVW_GetClubControl(c), 1);
    EXPECT_EQ(HVW_GetClubNation(c), 4);
    EXPECT_EQ(HVW_GetClubDivision(c), 2);
    EXPECT_EQ(HVW_GetClubReputation(c), 33);
    EXPECT_EQ(HVW_GetClubAvgAttendance(c), 91000);  // above 16 bits
    EXPECT_EQ((std::array{HVW_GetClubStandCapacity0(c), HVW_GetClubStandCapacity1(c),
                          HVW_GetClubStandCapacity2(c), HVW_GetClubStandCapacity3(c)}),
              (std::array<int16_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ((std::array{HVW_GetClubStandStyle0(c), HVW_GetClubStandStyle1(c), HVW_GetClubStandStyle2(c),
                          HVW_GetClubStandStyle3(c)}),
              (std::array<int16_t, 4>{5, 6, 7, 1}));

    SetClubRecordGoals(c, 55, 44);
    SetClubRecordWin(c, 9, 1, 3);
    SetClubRecordDefeat(c, 0, 7, 4);
    SetClubRecordCrowd(c, 100000, 5);
    SetClubRecordBuy(c, 60, 25000, 6);
    EXPECT_EQ(HVW_GetClubRecordGoals(c), 44);
    EXPECT_EQ(HVW_GetClubRecordWinGoalsFor(c), 9);
    EXPECT_EQ(HVW_GetClubRecordWinGoalsAgainst(c), 1);
    EXPECT_EQ(HVW_GetClubRecordDefeatGoalsFor(c), 0);
    EXPECT_EQ(HVW_GetClubRecordDefeatGoalsAgainst(c), 7);
    EXPECT_EQ(HVW_GetClubRecordCrowd(c), 100000);
    EXPECT_EQ(HVW_GetClubRecordBuy(c), 2500000);

    SetClubSeasonGateReceipts(c, 1);
    SetClubSeasonSponsorship(c, 2);
    SetClubSeasonTVIncome(c, 3);
    SetClubSeasonMerchandising(c, 4);
    SetClubSeasonSales(c, 5);
    SetClubSeasonSignings(c, 6);
    SetClubSeasonPlayerWages(c, 7);
    SetClubSeasonCoachingStaffWages(c, 8);
    SetClubSeasonBonuses(c, 9);
    EXPECT_EQ(
        (std::array{HVW_GetClubSeasonGateReceipts(c), HVW_GetClubSeasonSponsorship(c),
                    HVW_GetClubSeasonTVIncome(c), HVW_GetClubSeasonMerchandising(c),
                    HVW_GetClubSeasonSales(c), HVW_GetClubSeasonSignings(c), HVW_GetClubSeasonPlayerWages(c),
                    HVW_GetClubSeasonCoachingStaffWages(c), HVW_GetClubSeasonBonuses(c)}),
        (std::array<int32_t, 9>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    SetClubBid(c, 2, 17, 900, 3);
    EXPECT_EQ(HVW_GetClubBidPlayer(c, 2), 17);
    EXPECT_EQ(HVW_GetClubBidPrice(c, 2), 900);
    EXPECT_EQ(HVW_GetClubBidClause(c, 2), 3);
    SetClubSeasonDispoints(c, 77);
    EXPECT_EQ(HVW_GetClubRecordField(c), 77);
}

TEST_F(FieldQueryTest, WeekFiguresGoToTheOutsAndAddUp) {
    const int16_t c = 10, w = 51;
    SetClubWeekTotalSignings(c, 100, w);
    SetClubWeekTotalWages(c, 200, w);
    SetClubWeeksCoachingStaffWages(c, 300, w);
    SetClubWeekMiscOut(c, 400, w);
    int32_t a, b, d, e, f;
    EXPECT_EQ(HVW_GetClubWeekOutgoings(&a, &b, &d, &e, c, w), 1000);
    EXPECT_EQ(a, 100);
    EXPECT_EQ(e, 400);
    SetClubWeekTotalSales(c, 1, w);
    SetClubWeekGateReceipts(c, 20, w);
    SetClubWeeksTVIncome(c, 300, w);
    SetClubWeekMiscIn(c, 4000, w);
    const int32_t income = HVW_GetClubWeekIncome(&a, &b, &d, &e, &f, c, w);
    EXPECT_EQ(income, 4321 + d);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 20);
    EXPECT_EQ(e, 300);
    EXPECT_EQ(f, 4000);
    SetClubWeekLastBalance(c, 9876, w);
    EXPECT_EQ(HVW_GetClubLastBalance(c, w), 9876);
}

TEST_F(FieldQueryTest, SeasonHistoryBlocksReadRaw) {
    const int16_t c = 3;
    SetClubCoach(c, 4, 17, 0);
    SetClubHistoryValue(c, 4, 654321);
    EXPECT_EQ(HVW_GetClubSeasonRecordByte(c, 4), 17);
    EXPECT_EQ(HVW_GetClubSeasonRecordWord(c, 4), 654321u);
    EXPECT_EQ(HVW_GetClubSeasonRecordEntry(c, 4, 12), int16_t(654321 & 0xFFFF));
    EXPECT_EQ(HVW_GetClubSeasonRecordEntry2(c, 4, 13), int16_t(654321 >> 16));
}

TEST_F(FieldQueryTest, FixtureGettersReadTheSlot) {
    PutFixture(5, 200, CupCode(2, 0), 14, 900, 3, 31, 1 << 10);
    EXPECT_EQ(HVW_GetFixtureDay(5), 200);
    EXPECT_EQ(HVW_GetFixtureComp(5), CupCode(2, 0));
    EXPECT_EQ(HVW_GetFixtureClubA(5), 14);
    EXPECT_EQ(HVW_GetFixtureClubB(5), 900);
    EXPECT_EQ(HVW_GetFixtureHomeGoals(5), 3);
    EXPECT_EQ(HVW_GetFixtureAwayGoals(5), 31);
    EXPECT_EQ(HVW_GetFixtureFlag(5), 1);
    EXPECT_EQ(HVW_SelectMatchFixture(5), 37);
    EXPECT_EQ(MenuFixtureHome, 14);
    EXPECT_EQ(MenuFixtureAway, 900);
}

TEST_F(FieldQueryTest, CalendarAndDayWords) {
    SeasonCalendar = SeasonCalendarState{3, 28, 1, 2004, 230, 1, {}, {}, {}};
    SeasonCalendar.leagueStartDay[6] = 33;
    SeasonCalendar.leagueEndDay[6] = 301;
    SeasonCalendar.splitDay[6] = 250;
    EXPECT_EQ(HVW_GetCurrentDay(), 230);
    EXPECT_EQ(HVW_GetSeason(), 1);
    EXPECT_EQ(HVW_GetCalendarWeekday(), 3);
    EXPECT_EQ(HVW_GetCalendarDay(), 28);
    EXPECT_EQ(HVW_GetCalendarMonth(), 1);
    EXPECT_EQ(HVW_GetCalendarYear(), 2004);
    EXPECT_EQ(HVW_GetCompNextRoundDay(6), 33);
    // Day word B opens the pre-season before the league start, whatever the
    // split day.
    EXPECT_LE(HVW_GetCountryWordB(6), HVW_GetCompNextRoundDay(6));
    static std::vector<int16_t> busy;
    busy.clear();
    CoreHooks hooks;
    hooks.busyCursor = [](int16_t on) { busy.push_back(on); };
    CoreSetHooks(hooks);
    HVW_AdvanceDay();
    EXPECT_EQ(HVW_GetCalendarDay(), 29);  // 2004 is a leap year
    HVW_AdvanceDay();
    EXPECT_EQ(HVW_GetCalendarDay(), 1);
    EXPECT_EQ(HVW_GetCalendarMonth(), 2);
    EXPECT_EQ(HVW_GetCurrentDay(), 232);
    EXPECT_EQ(HVW_GetCalendarWeekday(), 5);
    EXPECT_EQ(busy, (std::vector<int16_t>{1, 0, 1, 0}));  // on and off again, each day
    CoreSetHooks(CoreHooks{});
}

TEST_F(FieldQueryTest, SeasonOfDateAndSeasonMonths) {
    EXPECT_EQ(HVW_GetSeasonOfDate(2003, 0), 0);
    EXPECT_EQ(HVW_GetSeasonOfDate(2003, 5), 0);
    EXPECT_EQ(HVW_GetSeasonOfDate(2003, 6), 1);
    EXPECT_EQ(HVW_GetSeasonOfDate(2002, 11), 0);
    EXPECT_EQ(HVW_ShiftSeasonMonth(6), 0);
    EXPECT_EQ(HVW_ShiftSeasonMonth(11), 5);
    EXPECT_EQ(HVW_ShiftSeasonMonth(0), 6);
    EXPECT_EQ(HVW_ShiftSeasonMonth(5), 11);
}

TEST_F(FieldQueryTest, ViewedCountryAndTicketPrices) {
    HVW_SetViewedCountry(7);
    EXPECT_EQ(HVW_GetViewedCountry(), 7);
    EXPECT_EQ(HVW_GetTicketPrice(3, 4), 6);  // division first, then country
    EXPECT_EQ(HVW_GetTicketPrice(6, 0), 0);
    EXPECT_EQ(HVW_GetTicketPrice(0, 9), 0);
}

TEST_F(FieldQueryTest, SmallTablesArePlainReads) {
    CountryBlocks[3] = CountryBlock{-70000, {1, 2, 3}};
    EXPECT_EQ(HVW_GetCountryBlockLong(3), -70000);
    EXPECT_EQ(HVW_GetCountryBlockWord0(3), 1);
    EXPECT_EQ(HVW_GetCountryBlockWord1(3), 2);
    EXPECT_EQ(HVW_GetCountryBlockWord2(3), 3);
    CountryTriples[2][1] = 44;
    CountryTriples[2][2] = 55;
    EXPECT_EQ(HVW_GetCountryTriple(2), 55);
    EXPECT_EQ(*HVW_GetCountryTripleAddress2(2), 44);
    EXPECT_EQ(HVW_GetCountryTripleAddress(2) + 1, HVW_GetCountryTripleAddress2(2));
    EXPECT_EQ(HVW_GetFixedTableAddress(), QueryFixedTable);
    EXPECT_EQ(HVW_GetTransferRecord(9999), &TransferRecords[9999]);

    std::memset(QueryLayerTable, 0, sizeof QueryLayerTable);
    recbits::StoreU16(QueryLayerTable, 0xFFFE);
    EXPECT_EQ(HVW_GetSavedWordA(), -2);
    HVW_SetSavedWordB(1234);
    EXPECT_EQ(HVW_GetSavedWordB(), 1234);
    EXPECT_EQ(HVW_GetSavedWordA(), -2);

    // Row 2, entry 5 of the European table: two words.
    recbits::StoreU16(EuropeanTable + (2 * 6 + 5) * 4, 321);
    recbits::StoreU16(EuropeanTable + (2 * 6 + 5) * 4 + 2, 654);
    int16_t out = 0;
    EXPECT_EQ(HVW_GetTablePair(5, &out, 2), 321);
    EXPECT_EQ(out, 654);
    TablePair2Blocks[1][4][7] = 8;
    TablePair2Blocks[1][4][31] = 9;
    EXPECT_EQ(HVW_GetTablePair2(1, 4, 7, &out), 8);
    EXPECT_EQ(out, 9);
    EXPECT_EQ(HVW_ReturnNone(), -1);
    EXPECT_EQ(HVW_ReturnZero() + HVW_ReturnZero2(), 0);
    HVW_NoOperation();
}

TEST_F(FieldQueryTest, ClearsMarksAndTransferRecords) {
    std::memset(ClubMarkRecords, 7, sizeof ClubMarkRecords);
    HVW_ClearClubMarks();
    EXPECT_EQ(ClubMarkRecords[6 * 1199], 255);
    EXPECT_EQ(ClubMarkRecords[6 * 1199 + 1], 255);
    EXPECT_EQ(recbits::LoadU32(ClubMarkRecords + 6 * 1199 + 2), 0u);
    HVW_ClearTransferRecords();
    EXPECT_EQ(recbits::LoadU16(TransferRecords[0].bytes + 4), 0xFFFF);
    EXPECT_EQ(TransferRecords[9999].bytes[15], 0xFF);
}

TEST_F(FieldQueryTest, RandomisesOneEntryPerClubOfTheDivision) {
    for (int16_t& v : SharedDivisionList) v = -5;
    HVW_RandomiseDivisionList(1, 0, 1);  // 10 clubs
    for (int i = 0; i < 10; ++i) {
        EXPECT_GE(SharedDivisionList[i], 0);
        EXPECT_LT(SharedDivisionList[i], 100);
    }
    EXPECT_EQ(SharedDivisionList[10], -5);
}

TEST_F(FieldQueryTest, BidsAndOfferDigits) {
    SetClubBid(4, 0, 12, 100, 0);
    SetClubBid(4, 3, 12, 100, 0);
    SetClubBid(1199, 1, 12, 100, 0);
    SetClubBid(5, 1, 13, 100, 0);
    EXPECT_EQ(HVW_CountBidsForPlayer(12), 3);
    HVW_SplitOfferDigits(1, 12345678, 9050001);
    const int8_t a[8] = {0, 9, 0, 5, 0, 0, 0, 1}, b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(OfferDigitRows[0], a, 8), 0);
    EXPECT_EQ(std::memcmp(OfferDigitRows[1], b, 8), 0);
    HVW_SplitOfferDigits(0, 5, 77777777);  // row 0 kept in mode 0
    EXPECT_EQ(std::memcmp(OfferDigitRows[0], a, 8), 0);
    HVW_SplitOfferDigitsRounded(1, 12345678, 9050199);
    const int8_t ar[8] = {0, 9, 0, 5, 0, 1, 0, 0}, br[8] = {1, 2, 3, 4, 5, 6, 0, 0};
    EXPECT_EQ(std::memcmp(OfferDigitRows[0], ar, 8), 0);
    EXPECT_EQ(std::memcmp(OfferDigitRows[1], br, 8), 0);
}

TEST_F(FieldQueryTest, MoneyRounding) {
    EXPECT_EQ(HVW_RoundMoneyDown(999), 0);
    EXPECT_EQ(HVW_RoundMoneyDown(9999), 9900);
    EXPECT_EQ(HVW_RoundMoneyDown(12345), 12000);
    EXPECT_EQ(HVW_RoundMoneyDown(987654), 980000);
    EXPECT_EQ(HVW_RoundMoneyDown(9876543), 9800000);
    EXPECT_EQ(HVW_RoundMoneyDown(98765432), 98000000);
    EXPECT_EQ(HVW_RoundDownToHundred(1999), 1900);
    EXPECT_EQ(HVW_RoundToWageUnit(74), 50);
    EXPECT_EQ(HVW_RoundToWageUnit(-30), 0);
}

// A small squad: the manager (position 13) and players of club 20.
class QueryClubTest : public RecordsTest {
  protected:
    static constexpr int16_t kClub = 20;
    void SetUp() override {
        RecordsTest::SetUp();
        JobApplicationRecord = {65535, 65535, 65535};
        for (uint16_t p = 1; p <= 20; ++p) {
            SetPlayerClub(p, kClub);
            SetPlayerLoanClub(p, -1);
            SetPlayerPosition(p, int16_t(p == 20 ? 13 : p % 13));
            for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 70);
            SetPlayerStat(p, 27, 40 + p);
            SetPlayerCaptain(p, 1);
            SetPlayerFitness(p, 60);
            SetPlayerContract(p, 24);
            SetPlayerCareerApps(p, 100);
            SetPlayerManPrice(p, -1);
            SetPlayerField52(p, 200);
        }
        SetClubControl(kClub, 1);  // a human club's lists are its roster as it stands
        SetClubRep(kClub, 20);
        SetClubNation(kClub, 0);
        SetClubBalance(kClub, 2000000);
        UpdateClubSquads();
    }
};

TEST_F(QueryClubTest, ClubManagementForwarders) {
    EXPECT_EQ(HVW_CountClubSquad(kClub), 20);  // the manager's player number
    EXPECT_EQ(HVW_CountClubSquad(kClub + 1), 2);
    BuildClubSquadList(kClub);
    EXPECT_EQ(HVW_GetSquadSize(kClub), 19);  // the listed players: the manager does not play
    EXPECT_GT(HVW_ValuePlayer(5), 0);
    EXPECT_GE(HVW_ValuePlayerFull(5), HVW_ValuePlayer(5));
    EXPECT_EQ(HVW_GetClubWageLimit(kClub), ClubMaxWage(kClub));
    EXPECT_GT(HVW_GetClubWageLimit(kClub), 0);
    EXPECT_EQ(HVW_GetClubWageBudget(kClub), ClubTransferBudget(kClub));
    EXPECT_GT(HVW_GetClubWageBudget(kClub), 0);
    EXPECT_EQ(HVW_GetClubWageFigure(kClub, 3), HVW_GetPlayerWage(3));
    EXPECT_EQ(HVW_NegotiateWage(3, 800000, 0, kClub, 0, 0, 0),
              GetFeeCounterOffer(3, 800000, 0, kClub, 0, 0, 0));
    int16_t response = -9;
    int16_t direct = -9;
    EXPECT_EQ(HVW_NegotiateFee(3, 1, 0, -1, 0, kClub, &response, 0),
              GetTransferAskingPrice(3, 1, 0, -1, 0, kClub, &direct, 0));
    EXPECT_GT(response, 0);
    EXPECT_EQ(response, direct);

    HVW_MakeClubBid(33, 4, 50000, 50000, 0, 0);
    EXPECT_EQ(HVW_CountBidsForPlayer(4), 1);
    HVW_CancelClubBidForPlayer(33, 4);
    EXPECT_EQ(HVW_CountBidsForPlayer(4), 0);
    HVW_MakeClubBid(33, 4, 50000, 50000, 0, 0);
    SetClubRep(33, 5);
    HVW_ClearClubBids(4);
    EXPECT_EQ(HVW_CountBidsForPlayer(4), 0);
    SetClubRep(34, 30);
    EXPECT_EQ(HVW_GetPlayerApproachReply(4, 34), 1);
    EXPECT_EQ(HVW_GetPlayerApproachReply(4, kClub), 0);
    HVW_ComputerTransferActivity(kClub);

    HVW_ClearClubCaptains(kClub);
    EXPECT_EQ(GetPlayerCaptain(1), 0);
    HVW_PickClubTeam(kClub);
    EXPECT_EQ(CurrentClubManager, 20);
    int shirts = 0;
    for (uint16_t p = 1; p < 20; ++p) shirts += GetPlayerShirt(p) != 0;
    EXPECT_EQ(shirts, 16);
    SetPlayerShirt(1, 0);
    HVW_AutoFillShirtNumbers(kClub, 5, 0);
    shirts = 0;
    for (uint16_t p = 1; p < 20; ++p) shirts += GetPlayerShirt(p) != 0;
    EXPECT_EQ(shirts, 16);
    HVW_AutoFillIntShirtNumbers(kClub, 5, 0);

    EXPECT_EQ(HVW_BoardScoreFinance(kClub), BoardScoreFinance(kClub));
    // Only clubs in the game can pass the board's test; the list is
    // emptied first and holds at most its capacity.
    int16_t list[4] = {7, 7, 7, 7};
    const int16_t passing = HVW_ListClubsPassingTest(list, 4);
    EXPECT_LE(passing, 4);
    for (int i = 0; i < 4; ++i) {
        if (i < passing) {
            EXPECT_EQ(IsBoardUnhappy(list[i]), 1);
        } else {
            EXPECT_EQ(list[i], -1);
        }
    }

    SetClubControl(kClub, 1);
    HVW_RemoveClubManager(kClub);
    // Leaving is not being sacked: the club is handed to the computer.
    EXPECT_EQ(HVW_GetHumanSackedFlag(), 0);
    EXPECT_EQ(GetClubControl(kClub), 0);
    EXPECT_EQ(GetPlayerClub(20), kNoClub);
    EXPECT_EQ(HVW_CountClubSquad(kClub), 2);

    JobApplicationRecord = {12, 40, 1};
    EXPECT_EQ(HVW_GetJobApplicationClub(), 12);
    EXPECT_EQ(HVW_GetJobApplicationDay(), 40);
    EXPECT_EQ(HVW_GetJobApplicationAccepted(), 1);
    HVW_ClearJobApplication();
    EXPECT_EQ(HVW_GetJobApplicationClub(), -1);
    EXPECT_EQ(HVW_GetMyClub(), kClub);
    SetClubControl(kClub, 1);  // stand work is only ever ordered for a human's club
    HVW_HumanGroundRedevelopment();
}

TEST_F(QueryClubTest, SeasonForwarders) {
    SeasonCalendar.currentDay = 10;
    PutFixture(0, 9, kCompLeague, kClub, 21, 1, 0);
    PutFixture(1, 10, kCompNationalTeam, 3, 4, 31, 31);
    PutFixture(2, 10, kCompLeague, 22, kClub, 31, 31);
    PutFixture(3, 12, kCompFriendly, kClub, 23, 31, 31);
    SetClubControl(kClub, 1);
    EXPECT_EQ(HVW_BuildClubFixtureList(kClub), 2);
    EXPECT_EQ(ClubFixtureList[0], 2);
    EXPECT_EQ(ClubFixtureList[1], 3);
    EXPECT_EQ(ClubFixtureList[2], -1);
    HVW_FindHumanClubFixture();
    EXPECT_EQ(HumanClubCompetition, 0);
    EXPECT_EQ(HumanClubDivision, 0);
    CompetitionDayWords[4] = 77;
    EXPECT_EQ(HVW_GetCompetitionValue(4), 77);
    EXPECT_EQ(HVW_GetCompetitionValue(10), 0);
    BuildClubSquadList(kClub);
    EXPECT_EQ(HVW_GetSquadEntry(0), int16_t(FirstTeamList.players[0]));
    EXPECT_EQ(HVW_GetSquadEntry(32), 0);
    EXPECT_EQ(HVW_PickPlayersForPosition2(1), 0);
    EXPECT_EQ(HVW_PickPlayersForPosition3(1), 0);
    EXPECT_EQ(HVW_PickPlayersForPosition3(12), 1);
    SetClubControl(kClub, 1);  // control names the human manager: player 1
    SetPlayerClub(1, 5);
    HVW_InstallHumanManagers(0, 0);
    EXPECT_EQ(GetPlayerHalvornB(1), 1);  // the manager flag
    EXPECT_EQ(GetPlayerClub(1), kClub);
}

TEST_F(QueryClubTest, HistoryAndMenuForwarders) {
    ClearHistoryLists();
    HVW_AddClubHistoryEntry(7, kClub, 0, 0, 3);
    HVW_AddClubHistoryEntry(8, kClub, 0, 0, 3);
    HVW_AddClubHistoryEntry(9, kClub + 1, 0, 0, 3);
    static ClubHistoryEntry out[1000];
    EXPECT_EQ(HVW_FindClubHistoryEntry(kClub, out), 2);
    EXPECT_EQ(ClubHistoryValue(out[0]), 7);
    AddPlayerHistoryStats(5, kClub, 3, 1, 0, 0);
    static PlayerHistoryEntry pout[100];
    EXPECT_EQ(HVW_FindPlayerHistoryEntry(5, pout), 1);
    EXPECT_EQ(HVW_FindPlayerHistoryEntry(6, pout), 0);
    static int redraws;
    redraws = 0;
    CoreHooks hooks;
    hooks.redrawMenuBackground = [] { ++redraws; };
    CoreSetHooks(hooks);
    HVW_RedrawMenuBackground();
    EXPECT_EQ(redraws, 1);
    CoreSetHooks(CoreHooks{});
    HVW_RedrawMenuBackground();  // nothing to call: the core alone
}

}  // namespace

namespace {

// The slots of the club's friendlies on the sixteen days from `first`: the
// span a friendly tour arranged that day falls in.
std::vector<int16_t> FriendliesFrom(int16_t club, int first) {
    std::vector<int16_t> slots;
    for (int day = first; day <= first + 15; ++day) {
        const int16_t slot = FindFriendlyOnDay(club, int16_t(day));
        if (slot >= 0) slots.push_back(slot);
    }
    return slots;
}

// The fixture forwarders and the friendlies, on a table built with them.
TEST_F(QueryClubTest, FixtureForwardersAndFriendlies) {
    for (int16_t c = 30; c < 40; ++c) {
        SetClubNation(c, 5);
        SetClubRep(c, 10);
    }
    SeasonCalendar.currentDay = 40;
    EXPECT_GE(HVW_AddFixture(30, kCompLeague, kClub, 30, 0), 0);
    EXPECT_GE(HVW_AddFixture(45, kCompLeague, 31, kClub, 0), 0);
    EXPECT_GE(HVW_AddFixture(47, kCompFriendly, kClub, 32, 0), 0);
    EXPECT_GE(HVW_FindFixtureOnDay(kClub, 45), 0);
    EXPECT_EQ(HVW_FindFixtureOnDay(kClub, 46), -1);
    EXPECT_GE(HVW_FindFriendlyOnDay(kClub, 47), 0);
    EXPECT_EQ(HVW_FindFriendlyOnDay(kClub, 45), -1);
    EXPECT_EQ(HVW_CountPlayedFixturesOfClub(kClub), 1);

    // Busy within the next 14 days: no friendly tour.
    EXPECT_EQ(HVW_IsFriendlyDateFree(kClub), 0);
    SeasonCalendar.currentDay = 100;
    EXPECT_EQ(HVW_IsFriendlyDateFree(kClub), 1);
    HVW_ArrangeFriendly(kClub, 5);
    const std::vector<int16_t> friendlies = FriendliesFrom(kClub, 100);
    for (int16_t slot : friendlies) {
        EXPECT_EQ(GetClubNation(FixtureHome(slot)), 5);
        EXPECT_EQ(FixtureAway(slot), kClub);
    }
    EXPECT_EQ(friendlies.size(), 4u);
    EXPECT_EQ(HVW_IsFriendlyDateFree(kClub), 0);

    // A club not in use (reputation 0) is no opponent, however many of them
    // the nation has.
    for (int16_t c = 40; c < 70; ++c) SetClubNation(c, 5);
    SeasonCalendar.currentDay = 200;
    HVW_ArrangeFriendly(kClub, 5);
    const std::vector<int16_t> tour = FriendliesFrom(kClub, 200);
    for (int16_t slot : tour) EXPECT_NE(GetClubRep(FixtureHome(slot)), 0) << "day " << FixtureDay(slot);
    EXPECT_EQ(tour.size(), 4u);
}

}  // namespace
