#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "core/base/bytes.h"
#include "core/query/layerstate.h"
#include "core/records/records.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using ClubTest = RecordsTest;
using ClubDeathTest = RecordsTest;

struct ClubCase {
    const char* name;
    std::function<void(int16_t, int)> set;
    std::function<int(int16_t)> get;
    int offset, shift, width;
    int value;
};

#define CLUB(field, off, sh, w, v)                                                                           \
    ClubCase {                                                                                               \
#field,                                                                                              \
            [](int16_t c,                                                                                    \
               int x) { SetClub##field(c, int16_t(x)); },                                                    \
                                                       [](int16_t c) { return int(GetClub##field(c)); },     \
                                                                                                      off,   \
                                                                                                      sh, w, \
                                                                                                      v      \
    }

TEST_F(ClubTest, PackedFieldsLandInTheirBitsOnly) {
    const std::vector<ClubCase> cases = {
        CLUB(Division, 0, 28, 3, 6),
        CLUB(StandStyle3, 4, 0, 3, 5),
        CLUB(StandCapacity3, 4, 3, 5, 30),
        CLUB(StandStyle2, 4, 8, 3, 6),
        CLUB(StandCapacity2, 4, 11, 5, 29),
        CLUB(StandStyle1, 4, 16, 3, 7),
        CLUB(StandCapacity1, 4, 19, 5, 28),
        CLUB(StandStyle0, 4, 24, 3, 4),
        CLUB(StandCapacity0, 4, 27, 5, 27),
        CLUB(BaseRep, 8, 0, 5, 23),
        CLUB(Nation, 22, 0, 8, 115),
        CLUB(Control, 50, 11, 3, 1),
        CLUB(Rep, 50, 14, 6, 62),
        CLUB(XCoord, 54, 17, 8, 250),
        CLUB(YCoord, 58, 0, 8, 249),
        CLUB(SeasonLoans, 62, 0, 8, 200),
        CLUB(SeasonDispoints, 203, 8, 8, 201),
        CLUB(SquadAvgStat, 2091, 0, 16, 99),
        CLUB(Support, 2093, 0, 8, 98),
        CLUB(Generosity, 2094, 0, 8, 97),
        CLUB(Tenure, 2095, 0, 8, 180),
        CLUB(Tenure2, 2096, 0, 8, 181),
        ClubCase{"Balance", [](int16_t c, int x) { SetClubBalance(c, x); },
                 [](int16_t c) { return int(GetClubBalance(c)); }, 0, 0, 28, 134217000},
        ClubCase{"AvgAttendance", [](int16_t c, int x) { SetClubAvgAttendance(c, x); },
                 [](int16_t c) { return int(GetClubAvgAttendanceField(c)); }, 54, 0, 17, 131000},
        ClubCase{"Name", [](int16_t c, int x) { SetClubName(c, uint16_t(x)); },
                 [](int16_t c) { return int(GetClubName(c)); }, 2097, 0, 16, 45000},
        ClubCase{"SquadAvgWage", [](int16_t c, int x) { SetClubSquadAvgWage(c, uint32_t(x)); },
                 [](int16_t c) { return int(GetClubSquadAvgWage(c)); }, 2087, 0, 32, 123456789},
    };
    const int16_t club = 600;
    for (const ClubCase& c : cases) {
        std::memset(ClubRecords + club - 1, 0, sizeof(ClubRecord) * 3);
        c.set(club, c.value);
        EXPECT_EQ(Bits(ClubBytes(club), c.offset, c.shift, c.width), uint32_t(c.value)) << c.name;
        EXPECT_EQ(c.get(club), c.value) << c.name;
        ClubRecord expected{};
        uint64_t word = uint64_t(uint32_t(c.value)) << c.shift;
        std::memcpy(expected.bytes + c.offset, &word, c.shift + c.width > 16 ? 4 : 2);
        EXPECT_EQ(std::memcmp(expected.bytes, ClubBytes(club), kClubRecordSize), 0) << c.name;
        for (int b = 0; b < kClubRecordSize; ++b) {
            ASSERT_EQ(ClubBytes(club + 1)[b], 0) << c.name;
            ASSERT_EQ(ClubBytes(club - 1)[b], 0) << c.name;
        }
    }
}
#undef CLUB

TEST_F(ClubTest, RangeRules) {
    SetClubStandCapacity0(1, 40);
    EXPECT_EQ(GetClubStandCapacity0(1), 31);
    SetClubStandCapacity0(1, -3);
    EXPECT_EQ(GetClubStandCapacity0(1), 0);
    SetClubStandStyle2(1, 5);
    EXPECT_EQ(GetClubStandStyle2(1), 5);
    EXPECT_EQ(Bits(ClubBytes(1), 4, 8, 3), 5u);
    SetClubRep(1, 1);
    EXPECT_EQ(GetClubRep(1), 3);
    SetClubRep(1, 70);
    EXPECT_EQ(GetClubRep(1), 63);
    SetClubControl(1, 5);
    EXPECT_EQ(GetClubControl(1), 1);
    SetClubBaseRep(1, 30);
    EXPECT_EQ(GetClubBaseRep(1), 24);
    SetClubDivision(1, 9);
    EXPECT_EQ(GetClubDivision(1), 7);
    SetClubSquadAvgStat(1, 150);
    EXPECT_EQ(GetClubSquadAvgStat(1), 100);
    SetClubTenure(1, -4);
    EXPECT_EQ(GetClubTenure(1), 0);
    SetClubTenure(1, 300);
    EXPECT_EQ(GetClubTenure(1), 300 & 0xFF);
    // Out-of-range board values take the viewed country.
    HVW_SetViewedCountry(6);
    SetClubSupport(1, 150);
    EXPECT_EQ(GetClubSupport(1), 6);
    SetClubSupport(1, -5);
    EXPECT_EQ(GetClubSupport(1), 0);
    SetClubGenerosity(1, 101);
    EXPECT_EQ(GetClubGenerosity(1), 6);
    SetClubNation(1, 117);
    EXPECT_EQ(GetClubNation(1), 6);
    SetClubNation(1, -2);
    EXPECT_EQ(GetClubNation(1), 0);
    // Quiet getters read 0 outside the table; setters ignore it.
    EXPECT_EQ(GetClubNation(1200), 0);
    EXPECT_EQ(GetClubDivision(-1), 0);
    EXPECT_EQ(GetClubSquadAvgWage(1200), 0u);
    SetClubRep(1200, 10);
    SetClubRep(-1, 10);
    EXPECT_EQ(GetClubRecordAddress(-1), nullptr);
    EXPECT_EQ(ClubOrNone(-7), -1);
    EXPECT_EQ(ClubOrNone(7), 7);
}

TEST_F(ClubTest, BalanceStaysWithinItsField) {
    SetClubBalance(2, -100);
    EXPECT_EQ(GetClubBalance(2), 0);
    SetClubBalance(2, 1000);
    AddClubBalance(2, -2500);
    EXPECT_EQ(GetClubBalance(2), 0);
    AddClubBalance(2, 500);
    AddClubBalance(-1, 500);
    EXPECT_EQ(GetClubBalance(2), 500);
    // Past the 28-bit top the balance stays at the top instead of wrapping.
    SetClubBalance(2, 134217000);
    AddClubBalance(2, 5000);
    EXPECT_EQ(GetClubBalance(2), 134217727);
    SetClubBalance(2, 200000000);
    EXPECT_EQ(GetClubBalance(2), 134217727);
    SetClubDivision(2, 3);
    AddClubBalance(2, -1);
    EXPECT_EQ(GetClubDivision(2), 3);
}

TEST_F(ClubTest, RecordsCarryTheirDateStamps) {
    SeasonCalendar.dayOfMonth = 21;
    SeasonCalendar.month = 9;
    SeasonCalendar.year = 2004;
    const int16_t c = 8;
    SetClubRecordSale(c, 4321, 123456, 0xAB);
    EXPECT_EQ(GetClubRecordSale(c), 12345600);
    EXPECT_EQ(Bits(ClubBytes(c), 8, 5, 26), 123456u);
    EXPECT_EQ(recbits::LoadU16(ClubBytes(c) + 12), 4321);
    EXPECT_EQ(Bits(ClubBytes(c), 14, 0, 8), 0xABu);
    EXPECT_EQ(Bits(ClubBytes(c), 14, 8, 5), 21u);
    EXPECT_EQ(Bits(ClubBytes(c), 14, 20, 4), 9u);
    EXPECT_EQ(Bits(ClubBytes(c), 14, 13, 7), 4u);

    SetClubRecordWin(c, 9, 1, 0x5A);
    EXPECT_EQ(GetClubRecordWinGoalsFor(c), 9);
    EXPECT_EQ(GetClubRecordWinGoalsAgainst(c), 1);
    EXPECT_EQ(Bits(ClubBytes(c), 42, 14, 8), 0x5Au);
    EXPECT_EQ(Bits(ClubBytes(c), 42, 22, 5), 21u);
    EXPECT_EQ(Bits(ClubBytes(c), 42, 10, 4), 9u);
    EXPECT_EQ(Bits(ClubBytes(c), 46, 0, 7), 4u);

    SetClubRecordDefeat(c, 0, 7, 0xC3);
    EXPECT_EQ(GetClubRecordDefeatGoalsFor(c), 0);
    EXPECT_EQ(GetClubRecordDefeatGoalsAgainst(c), 7);
    EXPECT_EQ(Bits(ClubBytes(c), 46, 17, 8), 0xC3u);
    EXPECT_EQ(Bits(ClubBytes(c), 46, 25, 5), 21u);
    EXPECT_EQ(Bits(ClubBytes(c), 50, 0, 4), 9u);
    EXPECT_EQ(Bits(ClubBytes(c), 50, 4, 7), 4u);
    EXPECT_EQ(GetClubRecordWinGoalsFor(c), 9);  // neighbours intact

    SetClubRecordCrowd(c, 98765, 0x11);
    EXPECT_EQ(GetClubRecordCrowd(c), 98765);
    EXPECT_EQ(ClubBytes(c)[183], 0x11);
    EXPECT_EQ(Bits(ClubBytes(c), 38, 0, 5), 21u);
    EXPECT_EQ(Bits(ClubBytes(c), 38, 12, 4), 9u);
    EXPECT_EQ(Bits(ClubBytes(c), 38, 5, 7), 4u);

    SetClubRecordLowCrowd(c, 1234, 0x22);
    EXPECT_EQ(GetClubRecordLowCrowd(c), 1234);
    EXPECT_EQ(ClubBytes(c)[184], 0x22);
    EXPECT_EQ(Bits(ClubBytes(c), 185, 17, 5), 21u);
    EXPECT_EQ(Bits(ClubBytes(c), 185, 22, 7), 4u);
    EXPECT_EQ(Bits(ClubBytes(c), 189, 0, 4), 9u);

    // Season stamps: from July the season ends in the next year.
    SetClubRecordGoals(c, 777, 44);
    EXPECT_EQ(GetClubRecordGoals(c), 44);
    EXPECT_EQ(recbits::LoadU16(ClubBytes(c) + 36), 777);
    EXPECT_EQ(Bits(ClubBytes(c), 38, 23, 7), 5u);
    SeasonCalendar.month = 2;
    SetClubRecordGoalsInGame(c, 6, 888, 0x33);
    EXPECT_EQ(GetClubRecordGoalsInGame(c), 6);
    EXPECT_EQ(recbits::LoadU16(ClubBytes(c) + 201), 888);
    EXPECT_EQ(Bits(ClubBytes(c), 203, 0, 8), 0x33u);
    EXPECT_EQ(Bits(ClubBytes(c), 193, 23, 7), 4u);
    SetClubRecordPointsTotal(c, 99);
    SetClubRecordGoalsTotal(c, 98);
    SetClubRecordDispoints(c, 97);
    EXPECT_EQ(GetClubRecordPointsTotal(c), 99);
    EXPECT_EQ(Bits(ClubBytes(c), 189, 4, 7), 4u);
    EXPECT_EQ(GetClubRecordGoalsTotal(c), 98);
    EXPECT_EQ(Bits(ClubBytes(c), 189, 19, 7), 4u);
    EXPECT_EQ(GetClubRecordDispoints(c), 97);
    EXPECT_EQ(Bits(ClubBytes(c), 193, 8, 7), 4u);
    EXPECT_EQ(GetClubRecordLowCrowd(c), 1234);
    EXPECT_EQ(GetClubRecordCrowd(c), 98765);
}

// Every record names the other club, whose number may lie above 255; a
// record written before the high bits were kept reads as its tag byte.
TEST_F(ClubTest, RecordsNameClubsAbove255AndOldRecordsReadAsTheirByte) {
    const int16_t c = 8;
    SetClubYCoord(c, 0xC7);
    SetClubRecordSale(c, 1, 1, 1101);
    SetClubRecordBuy(c, 1, 1, 1102);
    SetClubRecordCrowd(c, 5000, 1103);
    SetClubRecordLowCrowd(c, 400, 1104);
    SetClubRecordWin(c, 5, 0, 1105);
    SetClubRecordDefeat(c, 0, 5, 1199);
    SetClubRecordGoalsInGame(c, 3, 1, 256);
    const ClubRecordBook b = GetClubRecordBook(c);
    EXPECT_EQ(b.saleTag, 1101);
    EXPECT_EQ(b.signingTag, 1102);
    EXPECT_EQ(b.crowdTag, 1103);
    EXPECT_EQ(b.lowCrowdTag, 1104);
    EXPECT_EQ(b.winTag, 1105);
    EXPECT_EQ(b.defeatTag, 1199);
    EXPECT_EQ(b.matchTag, 256);
    EXPECT_EQ(ClubBytes(c)[183], 1103 & 0xFF);  // the tag byte as it always was
    EXPECT_EQ(GetClubYCoord(c), 0xC7);          // the neighbour in the word
    EXPECT_EQ(GetClubRecordWinGoalsFor(c), 5);

    // An older record: its high bits were never written.
    std::memset(ClubRecords[c].bytes + 59, 0, 3);
    EXPECT_EQ(GetClubRecordBook(c).winTag, 1105 & 0xFF);
    EXPECT_EQ(GetClubYCoord(c), 0xC7);
}

TEST_F(ClubTest, RecordBuyRaisesTheReputationOfAPaidSigning) {
    SetPlayerReputation(50, 20);
    SetClubRecordBuy(3, 50, 0, 1);
    EXPECT_EQ(GetPlayerReputation(50), 20);
    EXPECT_EQ(recbits::LoadU16(ClubBytes(3) + 26), 50);
    SetClubRecordBuy(3, 50, 5000, 0x44);
    EXPECT_EQ(GetPlayerReputation(50), 24);
    EXPECT_EQ(GetClubRecordBuy(3), 500000);
    EXPECT_EQ(Bits(ClubBytes(3), 28, 9, 8), 0x44u);
    SetPlayerReputation(50, 61);
    SetClubRecordBuy(3, 50, 5000, 0);
    EXPECT_EQ(GetPlayerReputation(50), 63);
    SetClubRecordBuy(-1, 50, 5000, 0);  // no club: nothing
    EXPECT_EQ(GetPlayerReputation(50), 63);
}

TEST_F(ClubTest, BidsAndTheShortList) {
    SetClubBid(5, 2, 60, 750000, 3);
    EXPECT_EQ(GetClubBidPlayer(5, 2), 60);
    EXPECT_EQ(GetClubBidPrice(5, 2), 750000);
    EXPECT_EQ(GetClubBidClause(5, 2), 3);
    EXPECT_EQ(recbits::LoadU16(ClubBids[5].bytes + 4), 60);
    EXPECT_EQ(recbits::LoadU16(ClubBids[5].bytes + 12), 3);
    EXPECT_EQ(recbits::LoadU32(ClubBids[5].bytes + 24), 750000u);
    SetClubBid(5, 4, 61, 1, 1);  // no such slot
    EXPECT_EQ(recbits::LoadU32(ClubBids[6].bytes), 0u);

    SetClubBidShortList(5, 3, 4, 61, 7, 9);
    const uint8_t* entry = ClubBytes(5) + 63 + 30 * 3 + 6 * 4;
    EXPECT_EQ(recbits::LoadU16(entry), 61);
    EXPECT_EQ(entry[2], 7);
    EXPECT_EQ(entry[3], 9);
    EXPECT_EQ(GetClubBidShortListId(5, 3, 4), 61);
    EXPECT_EQ(GetClubBidShortListByte1(5, 3, 4), 7);
    EXPECT_EQ(GetClubBidShortListByte2(5, 3, 4), 9);
    EXPECT_EQ(ClubBytes(5)[183], 0);
    SetClubBidShortList(5, 3, 4, kPlayers, 1, 1);  // not a player in use
    SetClubBidShortList(5, 4, 0, 61, 1, 1);
    EXPECT_EQ(GetClubBidShortListId(5, 3, 4), 61);
}

// Interest in a player rises in every entry naming him at the clubs in
// play, held within a byte; a club out of play and other players' entries
// stay as they were.  Alike with the short lists' index kept.
TEST_F(ClubTest, ShortListInterestRisesOnlyWhereThePlayerIsNamedAtClubsInPlay) {
    for (bool kept : {false, true}) {
        SCOPED_TRACE(kept ? "index kept" : "walk");
        std::memset(ClubRecords, 0, sizeof ClubRecords);
        if (kept) KeepShortListIndex(true);
        for (int16_t club : {5, 6}) SetClubRep(club, 20);
        ASSERT_EQ(GetClubRep(7), 0);  // no setter gives 0: an empty club slot
        SetClubBidShortList(5, 0, 1, 61, 10, 2);
        SetClubBidShortList(5, 3, 4, 61, 250, 2);
        SetClubBidShortList(6, 2, 0, 60, 10, 2);
        SetClubBidShortList(7, 1, 1, 61, 10, 2);
        AddClubBidShortListInterest(61, 8);
        EXPECT_EQ(GetClubBidShortListByte1(5, 0, 1), 18);
        EXPECT_EQ(GetClubBidShortListByte1(5, 3, 4), 255);
        EXPECT_EQ(GetClubBidShortListByte2(5, 3, 4), 2);
        EXPECT_EQ(GetClubBidShortListByte1(6, 2, 0), 10);
        EXPECT_EQ(GetClubBidShortListByte1(7, 1, 1), 10) << "a club out of play keeps its entries";
        AddClubBidShortListInterest(61, -30);
        EXPECT_EQ(GetClubBidShortListByte1(5, 0, 1), 0);
        EXPECT_EQ(GetClubBidShortListByte1(5, 3, 4), 225);
        if (kept) KeepShortListIndex(false);
    }
}

// The kept index answers as the walk would after every change of what it
// holds: an id set, replaced or cleared through the setter, a player added
// to the table after it was built, and short lists written whole (as a load
// writes them) between two keepings.
TEST_F(ClubTest, TheKeptShortListIndexFollowsEveryChangeOfTheLists) {
    for (int16_t club = 0; club < kClubCount; ++club) SetClubRep(club, 20);
    // The table's last player is named before the index is built, but the
    // table then ends before him: he comes later.
    const uint16_t grown = kPlayers - 1;
    SetClubBidShortList(1199, 3, 4, grown, 10, 0);
    PlayerCount = grown;
    KeepShortListIndex(true);
    KeepShortListIndex(true);  // nested: the inner release keeps it
    SetClubBidShortList(3, 0, 0, 40, 10, 0);
    AddClubBidShortListInterest(40, 1);  // built here
    KeepShortListIndex(false);
    EXPECT_EQ(GetClubBidShortListByte1(3, 0, 0), 11);

    SetClubBidShortList(900, 2, 3, 40, 10, 0);  // named anew
    SetClubBidShortList(3, 0, 0, 41, 10, 0);    // replaced
    AddClubBidShortListInterest(40, 1);
    AddClubBidShortListInterest(41, 2);
    EXPECT_EQ(GetClubBidShortListByte1(900, 2, 3), 11);
    EXPECT_EQ(GetClubBidShortListByte1(3, 0, 0), 12);

    SetClubBidShortList(900, 2, 3, 0, 10, 0);  // cleared
    AddClubBidShortListInterest(40, 5);
    EXPECT_EQ(GetClubBidShortListByte1(900, 2, 3), 10);

    PlayerCount = kPlayers;
    AddClubBidShortListInterest(grown, 3);
    EXPECT_EQ(GetClubBidShortListByte1(1199, 3, 4), 13) << "a player added after the index was built";
    KeepShortListIndex(false);

    // Written whole while nobody keeps it, as a load does: club 3's first
    // entry (its id at byte 63) no longer names him, club 4's does.
    std::vector<ClubRecord> loaded(ClubRecords, ClubRecords + kClubCount);
    recbits::StoreU16(loaded[3].bytes + 63, 0);
    recbits::StoreU16(loaded[4].bytes + 63, 41);
    loaded[4].bytes[65] = 50;
    std::copy(loaded.begin(), loaded.end(), ClubRecords);
    KeepShortListIndex(true);
    AddClubBidShortListInterest(41, 1);
    KeepShortListIndex(false);
    EXPECT_EQ(GetClubBidShortListByte1(3, 0, 0), 12) << "the entry the load cleared stays as loaded";
    EXPECT_EQ(GetClubBidShortListByte1(4, 0, 0), 51);
}

TEST_F(ClubTest, SeasonHistoryBlocks) {
    const int16_t c = 11;
    const uint8_t* block = ClubBytes(c) + 207 + 188 * 3;
    SetClubCoach(c, 3, 31, 11);
    EXPECT_EQ(block[11], 31);
    EXPECT_EQ(GetClubCoach(c, 3, 11), 31);
    SetClubCoach(c, 3, 5, 12);  // past the coach bytes: ignored
    SetClubCoach(c, 10, 5, 0);  // past the blocks: ignored
    EXPECT_EQ(block[12], 0);
    SetClubHistoryValue(c, 3, 0xDEADBEEF);
    EXPECT_EQ(recbits::LoadU32(block + 24), 0xDEADBEEFu);

    int16_t* row = LeagueSeasonRecords[c].words;
    for (int i = 0; i < 13; ++i) row[i] = int16_t(i + 1);
    SetClubHistoryPoints(c, 3);
    SetClubHistoryPlayed(c, 3);
    SetClubHistoryWon(c, 3);
    SetClubHistoryDrawn(c, 3);
    SetClubHistoryGoalsFor(c, 3);
    SetClubHistoryGoalsAgainst(c, 3);
    EXPECT_EQ(recbits::LoadU16(block + 12), 12);
    EXPECT_EQ(recbits::LoadU16(block + 14), 1);
    EXPECT_EQ(recbits::LoadU16(block + 16), 2 + 7);
    EXPECT_EQ(recbits::LoadU16(block + 18), 3 + 8);
    EXPECT_EQ(recbits::LoadU16(block + 20), 5 + 10);
    EXPECT_EQ(recbits::LoadU16(block + 22), 6 + 11);
}

TEST_F(ClubTest, ScorersAreTheLeadingOutfieldScorers) {
    const int16_t c = 12;
    const uint16_t players[] = {30, 31, 32, 33, 34, 35, 36};
    const int goals[] = {5, 9, 0, 9, 2, 20, 4};
    SetClubControl(c, 1);  // a human club's lists are its roster as it stands
    for (int i = 0; i < 7; ++i) {
        SetPlayerClub(players[i], c);
        SetPlayerPosition(players[i], 5);
        SetPlayerGoals(players[i], int16_t(goals[i]));
    }
    SetPlayerPosition(35, 0);  // a keeper is never listed
    UpdateClubSquads();
    uint8_t* pairs = ClubRecords[c].bytes + 207 + 188 * 1 + 28;
    recbits::StoreU16(pairs + 4, 33);  // pair 1 already holds player 33
    recbits::StoreU16(pairs + 6, 9);
    FillClubScorers(c, 1);
    EXPECT_EQ(recbits::LoadU16(pairs + 0), 31);
    EXPECT_EQ(recbits::LoadU16(pairs + 2), 9);
    EXPECT_EQ(recbits::LoadU16(pairs + 4), 33);
    EXPECT_EQ(recbits::LoadU16(pairs + 8), 30);
    EXPECT_EQ(recbits::LoadU16(pairs + 12), 36);
    EXPECT_EQ(recbits::LoadU16(pairs + 16), 34);
    EXPECT_EQ(recbits::LoadU16(pairs + 18), 2);
}

TEST_F(ClubTest, CupRunsTakeTheEarliestFixtureOfEachCup) {
    const int16_t c = 14;
    PutFixture(0, 10, kCompPlayOffFinal, c, 20, 1, 0);       // play-off: no cup
    PutFixture(1, 20, CupCode(0, 1), 40, c, 2, 3, 1 << 12);  // cup 0, round 1
    PutFixture(2, 30, CupCode(0, 2), c, 41, 4, 0);           // cup 0 again, later
    PutFixture(3, 40, 5 + 16 * 6 + 2, c, 42, 1, 1);          // European cup 6
    EXPECT_EQ(FindClubCupRun(c, 0), 1);
    EXPECT_EQ(FindClubCupRun(c, 1), -1);
    uint8_t* entries = ClubRecords[c].bytes + 207 + 188 * 2 + 48;
    recbits::StoreU32(entries + 20, 0x12345678);  // cup 1 keeps what it held
    FillClubCupRuns(c, 2);
    EXPECT_EQ(recbits::LoadU32(entries + 0), 6u);
    EXPECT_EQ(recbits::LoadU32(entries + 4), 2u);
    EXPECT_EQ(recbits::LoadU32(entries + 8), 3u);
    EXPECT_EQ(recbits::LoadU32(entries + 12), 1u);
    EXPECT_EQ(recbits::LoadU32(entries + 16), 40u);
    EXPECT_EQ(recbits::LoadU32(entries + 20), 0x12345678u);
    EXPECT_EQ(recbits::LoadU32(entries + 120), uint32_t(5 + 16 * 6 + 2));
    EXPECT_EQ(recbits::LoadU32(entries + 136), 42u);
}

TEST_F(ClubTest, NewHeadsAndTheirTenure) {
    for (uint16_t p = 1; p < kPlayers; ++p) SetPlayerNationality(p, 3);
    SetClubNation(7, 3);
    SetClubRep(7, 40);
    NewClubHead(7);
    EXPECT_LT(GetClubSupport(7), 100);
    EXPECT_GE(GetClubTenure(7), 24);
    EXPECT_LT(GetClubTenure(7), 180);
    EXPECT_EQ(GetClubTenure2(7), 0);
    EXPECT_GE(GetClubName(7), 1);
    EXPECT_LT(GetClubName(7), kPlayers);

    // Club 7 acts only on day 7 of a month.
    SetClubTenure(7, 5);
    SeasonCalendar.dayOfMonth = 8;
    UpdateClubHeads();
    EXPECT_EQ(GetClubTenure(7), 5);
    SeasonCalendar.dayOfMonth = 7;
    UpdateClubHeads();
    EXPECT_EQ(GetClubTenure(7), 4);
    // The last week of a head brings a new one and a message.
    SetClubTenure(7, 1);
    SetClubName(7, 99);
    SetClubDivision(7, 2);
    UpdateClubHeads();
    EXPECT_GE(GetClubTenure(7), 24);
    const uint8_t* m = MessageArchive[7][0].bytes;
    EXPECT_EQ(recbits::LoadU16(m + kMsgType), 172);
    EXPECT_EQ(recbits::LoadU32(m + kMsgPlayerA), 99u);
    EXPECT_EQ(recbits::LoadU32(m + kMsgPlayerB), GetClubName(7));
    int32_t money = recbits::LoadI32(m + kMsgMoney);
    EXPECT_GE(money, 200000);
    EXPECT_LE(money, 2000000);
}

TEST_F(ClubTest, FixtureFields) {
    PutFixture(5, 300, kCompFriendly, 1199, 3, 7, 9, 1 << 10);
    uint32_t w12 = 21u << 23, w16 = 17;
    std::memcpy(FixtureTable[5].bytes + 12, &w12, 4);
    std::memcpy(FixtureTable[5].bytes + 16, &w16, 4);
    EXPECT_EQ(GetMatchDay(5), 300);
    EXPECT_EQ(GetMatchCompetition(5), kCompFriendly);
    EXPECT_EQ(GetMatchClubA(5), 1199);
    EXPECT_EQ(GetMatchClubB(5), 3);
    EXPECT_EQ(GetMatchHomeGoals(5), 7);
    EXPECT_EQ(GetMatchField8b(5), 9);
    EXPECT_EQ(GetMatchFlag10(5), 1);
    EXPECT_EQ(GetMatchField12(5), 21);
    EXPECT_EQ(GetMatchField16(5), 17);
    EXPECT_EQ(GetFixtureAddress(20000), nullptr);
    EXPECT_EQ(GetMatchDay(-1), 0);
}

TEST_F(ClubDeathTest, GettersStopOnBadClubs) {
    EXPECT_FATAL(GetClubControl(-1), "Trying to get control of neg club : '-1'");
    EXPECT_FATAL(GetClubBalance(1200), "Trying to get Balance of neg club : '1200'");
    EXPECT_FATAL(GetClubStandStyle1(-3), "Trying to get Style of neg club : '-3'");
    EXPECT_FATAL(GetClubBidPrice(-2, 0), "Trying to get Bid price of neg club : '-2'");
    EXPECT_FATAL(GetClubBidShortListId(3, 4, 0), "Trying to get bid short list of neg bid : '4'");
    EXPECT_FATAL(GetClubBidShortListByte2(3, 0, 5), "Trying to get bid short list of neg slot : '5'");
    EXPECT_FATAL(GetClubCoach(-1, 0, 0), "Trying to get coach of neg Club : '-1'");
    EXPECT_FATAL(GetClubRep(1200), "Trying to get Rep of neg club : '1200'");
    EXPECT_FATAL(GetClubRep(-1), "Trying to get Rep of neg club : '-1'");
    EXPECT_FATAL(GetClubControl(1200), "Trying to get control of neg club : '1200'");
    EXPECT_FATAL(GetClubBidPlayer(1200, 0), "Trying to get Bid player of neg club : '1200'");
    EXPECT_FATAL(GetClubBidPlayer(7, 4), "Trying to get Bid player of neg club : '7'");
    EXPECT_FATAL(GetClubBidPlayer(7, -1), "Trying to get Bid player of neg club : '7'");
}

TEST_F(ClubTest, QuietGettersReadZeroForBadClubs) {
    SetClubDivision(0, 5);
    SetClubNation(0, 7);
    SetClubDivision(kClubCount - 1, 3);
    EXPECT_EQ(GetClubDivision(kClubCount - 1), 3);
    for (int16_t club : {int16_t(-1), int16_t(kClubCount), int16_t(-32768)}) {
        EXPECT_EQ(GetClubDivision(club), 0);
        EXPECT_EQ(GetClubNation(club), 0);
    }
}

TEST_F(ClubTest, BaseRepReportsABadClubAndCarriesOn) {
    StdoutCapture out;
    EXPECT_EQ(GetClubBaseRep(-4), 0);
    EXPECT_EQ(out.Text(), "Trying to get Rep of neg club : '-4'\n");
}

}  // namespace
