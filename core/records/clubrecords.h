// Club records and their accessors: the packed fields of the 4571-byte
// record, the names, the bids, the season history and the fixture
// fields.  A negative club is a program error: getters end the program
// through FatalExit, which names the accessor.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/base/bytes.h"
#include "core/records/playerrecords.h"
#include "core/records/recordsizes.h"

// ---------------------------------------------------------------------------
// Tables

struct ClubRecord {
    uint8_t bytes[kClubRecordSize];
};
static_assert(sizeof(ClubRecord) == 4571);

// Three NUL-terminated strings of 20 bytes, the club's name first.
struct ClubNameRecord {
    char text[3][kClubNameLength];
};
static_assert(sizeof(ClubNameRecord) == 60);

// u16 player[4], u16 clause[4], u32 price[4] at byte offsets 0, 8, 16.
struct ClubBidEntry {
    uint8_t bytes[kClubBidsSize];
};
static_assert(sizeof(ClubBidEntry) == 32);

extern ClubRecord ClubRecords[kClubCount];
// One record per club, then the edit buffer for edited team files.
extern ClubNameRecord ClubNameRecords[kClubCount + 1];
extern ClubBidEntry ClubBids[kClubCount];

// ---------------------------------------------------------------------------
// The club fields the getters below read in line.

namespace clubrec {
constexpr recbits::BitField kDivision{0, 28, 3}, kNation{22, 0, 8}, kControl{50, 11, 3}, kRep{50, 14, 6};

// In a ClubBids entry: the players bid for, a word a slot.
constexpr int kBidPlayer = 0;
constexpr int kBidSlots = 4;

inline bool InUse(int16_t club) { return club >= 0 && club < kClubCount; }
inline const uint8_t* Bytes(int16_t club) { return ClubRecords[club].bytes; }
// Prints the getter's message (its %d the club) and ends the game through
// FatalExit, naming the accessor.
[[noreturn]] void StopOnBadNumber(int16_t club, const char* message,
                                  const char* accessor = __builtin_FUNCTION());
}  // namespace clubrec

// ---------------------------------------------------------------------------
// Clubs

ClubRecord* GetClubRecordAddress(int16_t club);
int16_t ClubOrNone(int16_t club);

int32_t GetClubBalance(int16_t club);
void SetClubBalance(int16_t club, int32_t value);
void AddClubBalance(int16_t club, int32_t amount);
inline uint16_t GetClubDivision(int16_t club) {
    return clubrec::InUse(club) ? uint16_t(recbits::ReadField(clubrec::Bytes(club), clubrec::kDivision)) : 0;
}
void SetClubDivision(int16_t club, int16_t value);

uint16_t GetClubStandStyle0(int16_t club);
uint16_t GetClubStandStyle1(int16_t club);
uint16_t GetClubStandStyle2(int16_t club);
uint16_t GetClubStandStyle3(int16_t club);
void SetClubStandStyle0(int16_t club, int16_t value);
void SetClubStandStyle1(int16_t club, int16_t value);
void SetClubStandStyle2(int16_t club, int16_t value);
void SetClubStandStyle3(int16_t club, int16_t value);
uint16_t GetClubStandCapacity0(int16_t club);
uint16_t GetClubStandCapacity1(int16_t club);
uint16_t GetClubStandCapacity2(int16_t club);
uint16_t GetClubStandCapacity3(int16_t club);
void SetClubStandCapacity0(int16_t club, int16_t value);
void SetClubStandCapacity1(int16_t club, int16_t value);
void SetClubStandCapacity2(int16_t club, int16_t value);
void SetClubStandCapacity3(int16_t club, int16_t value);

uint16_t GetClubBaseRep(int16_t club);
void SetClubBaseRep(int16_t club, int16_t value);
inline uint16_t GetClubRep(int16_t club) {
    if (!clubrec::InUse(club)) [[unlikely]]
        clubrec::StopOnBadNumber(club, "Trying to get Rep of neg club : '%d'\n");
    return uint16_t(recbits::ReadField(clubrec::Bytes(club), clubrec::kRep));
}
void SetClubRep(int16_t club, int16_t value);
inline uint16_t GetClubControl(int16_t club) {
    if (!clubrec::InUse(club)) [[unlikely]]
        clubrec::StopOnBadNumber(club, "Trying to get control of neg club : '%d'\n");
    return uint16_t(recbits::ReadField(clubrec::Bytes(club), clubrec::kControl));
}
void SetClubControl(int16_t club, int16_t value);
inline uint16_t GetClubNation(int16_t club) {
    return clubrec::InUse(club) ? uint16_t(recbits::ReadField(clubrec::Bytes(club), clubrec::kNation)) : 0;
}
void SetClubNation(int16_t club, int16_t value);
int32_t GetClubAvgAttendanceField(int16_t club);
void SetClubAvgAttendance(int16_t club, int32_t value);
uint16_t GetClubXCoord(int16_t club);
void SetClubXCoord(int16_t club, int16_t value);
uint16_t GetClubYCoord(int16_t club);
void SetClubYCoord(int16_t club, int16_t value);
uint16_t GetClubSeasonLoans(int16_t club);
void SetClubSeasonLoans(int16_t club, int16_t value);
uint16_t GetClubSquadAvgStat(int16_t club);
void SetClubSquadAvgStat(int16_t club, int16_t value);
uint32_t GetClubSquadAvgWage(int16_t club);
void SetClubSquadAvgWage(int16_t club, uint32_t value);
uint16_t GetClubSupport(int16_t club);
void SetClubSupport(int16_t club, int16_t value);
uint16_t GetClubGenerosity(int16_t club);
void SetClubGenerosity(int16_t club, int16_t value);
// The chairman's time left in office, counted down by UpdateClubHeads.
uint16_t GetClubTenure(int16_t club);
void SetClubTenure(int16_t club, int16_t value);
// The board's displeasure with its manager: 0 under a new chairman, raised
// and lowered by the weekly review.
uint16_t GetClubTenure2(int16_t club);
void SetClubTenure2(int16_t club, int16_t value);
// The player whose name the head of the club carries.
uint16_t GetClubName(int16_t club);
void SetClubName(int16_t club, uint16_t player);
uint16_t GetClubSeasonDispoints(int16_t club);
void SetClubSeasonDispoints(int16_t club, int16_t value);

// Club records.  Fees are given already divided by 100; the fee getters
// return the stored fee x 100.
int32_t GetClubRecordSale(int16_t club);
void SetClubRecordSale(int16_t club, uint16_t player, int32_t feeHundreds, int16_t tag);
int32_t GetClubRecordBuy(int16_t club);
void SetClubRecordBuy(int16_t club, uint16_t player, int32_t feeHundreds, int16_t tag);
int32_t GetClubRecordCrowd(int16_t club);
void SetClubRecordCrowd(int16_t club, int32_t crowd, int16_t tag);
int32_t GetClubRecordLowCrowd(int16_t club);
void SetClubRecordLowCrowd(int16_t club, int32_t crowd, int16_t tag);
uint16_t GetClubRecordGoals(int16_t club);
void SetClubRecordGoals(int16_t club, uint16_t player, int16_t goals);
uint16_t GetClubRecordWinGoalsFor(int16_t club);
uint16_t GetClubRecordWinGoalsAgainst(int16_t club);
void SetClubRecordWin(int16_t club, int16_t goalsFor, int16_t goalsAgainst, int16_t tag);
uint16_t GetClubRecordDefeatGoalsFor(int16_t club);
uint16_t GetClubRecordDefeatGoalsAgainst(int16_t club);
void SetClubRecordDefeat(int16_t club, int16_t goalsFor, int16_t goalsAgainst, int16_t tag);
uint16_t GetClubRecordGoalsInGame(int16_t club);
void SetClubRecordGoalsInGame(int16_t club, int16_t goals, uint16_t player, int16_t tag);
uint16_t GetClubRecordGoalsTotal(int16_t club);
void SetClubRecordGoalsTotal(int16_t club, int16_t value);
uint16_t GetClubRecordPointsTotal(int16_t club);
void SetClubRecordPointsTotal(int16_t club, int16_t value);
uint16_t GetClubRecordDispoints(int16_t club);
void SetClubRecordDispoints(int16_t club, int16_t value);

// A club's ten records decoded for the record screens.  Fees are in
// hundreds as stored; tags are the other club of a record (its tag byte and
// the high bits kept beside it);
// dates keep the stored day, month (0-11) and year mod 100; seasons are the
// season stamps (the season's second year mod 100).
struct ClubRecordDate {
    int16_t day, month, year;
};
struct ClubRecordBook {
    uint16_t signingPlayer, salePlayer, scorer, matchScorer;
    int32_t signingFee, saleFee;
    int16_t signingTag, saleTag, matchTag, crowdTag, lowCrowdTag, winTag, defeatTag;
    ClubRecordDate signingDate, saleDate, crowdDate, lowCrowdDate, winDate, defeatDate;
    int16_t scorerGoals, scorerSeason, matchGoals, matchSeason;
    int32_t crowd, lowCrowd;
    int16_t winFor, winAgainst, defeatFor, defeatAgainst;
    int16_t goalsTotal, goalsTotalSeason, pointsTotal, pointsTotalSeason;
};
// All fields 0 for a club outside 0..1199.
ClubRecordBook GetClubRecordBook(int16_t club);

// Transfer bids, slot 0..3.
inline uint16_t GetClubBidPlayer(int16_t club, int16_t slot) {
    if (!clubrec::InUse(club) || slot < 0 || slot >= clubrec::kBidSlots) [[unlikely]]
        clubrec::StopOnBadNumber(club, "Trying to get Bid player of neg club : '%d'\n");
    return recbits::LoadU16(ClubBids[club].bytes + clubrec::kBidPlayer + 2 * slot);
}
int32_t GetClubBidPrice(int16_t club, int16_t slot);
uint16_t GetClubBidClause(int16_t club, int16_t slot);
void SetClubBid(int16_t club, int16_t slot, uint16_t player, int32_t price, int16_t clause);

// Bid short list: bid 0..3, slot 0..4.
uint16_t GetClubBidShortListId(int16_t club, int16_t bid, int16_t slot);
uint8_t GetClubBidShortListByte1(int16_t club, int16_t bid, int16_t slot);
uint8_t GetClubBidShortListByte2(int16_t club, int16_t bid, int16_t slot);
void SetClubBidShortList(int16_t club, int16_t bid, int16_t slot, uint16_t player, uint8_t value1,
                         uint8_t value2);
// Adds delta to the interest byte (held to 0..255) of every short-list entry
// naming the player, in every club with a reputation.  It runs for each
// player after every match: a walk over every club's lists unless the index
// below is kept.
void AddClubBidShortListInterest(uint16_t player, int16_t delta);
// Empties (id and both bytes) every short-list entry naming the player, in
// every club with a reputation.
void ClearPlayerFromBidShortLists(uint16_t player);
// While kept, the entries are found through an index of the short lists'
// ids, built at the first use and again after SetClubBidShortList changed an
// id or the player table grew; keepers may nest, and the last
// KeepShortListIndex(false) drops it (a load or a record written whole may
// follow).
void KeepShortListIndex(bool keep);

// Season history, block 0..9.
uint8_t GetClubCoach(int16_t club, int16_t block, int16_t index);
void SetClubCoach(int16_t club, int16_t block, int16_t value, int16_t index);
void SetClubHistoryValue(int16_t club, int16_t block, uint32_t value);
void SetClubHistoryPoints(int16_t club, int16_t block);
void SetClubHistoryPlayed(int16_t club, int16_t block);
void SetClubHistoryWon(int16_t club, int16_t block);
void SetClubHistoryDrawn(int16_t club, int16_t block);
void SetClubHistoryGoalsFor(int16_t club, int16_t block);
void SetClubHistoryGoalsAgainst(int16_t club, int16_t block);
void FillClubScorers(int16_t club, int16_t block);
// Slot of the club's earliest fixture in competition types 5+16k..20+16k,
// or -1.
int16_t FindClubCupRun(int16_t club, int16_t entry);
void FillClubCupRuns(int16_t club, int16_t block);

// The head of the club (the chairman): a new game draws one for every
// club with a reputation; each day the clubs whose number mod 25 is the day
// of the month count his time down, and one whose time is up is replaced
// (message 172 to the club).
void NewClubHead(int16_t club);
void UpdateClubHeads();
void NewClubHeadsForAllClubs();

// ---------------------------------------------------------------------------
// Fixture fields, by slot (no checks beyond the table bounds).

uint8_t* GetFixtureAddress(int16_t slot);
uint16_t GetMatchClubA(int16_t slot);
uint16_t GetMatchClubB(int16_t slot);
uint16_t GetMatchDay(int16_t slot);
uint16_t GetMatchCompetition(int16_t slot);
uint16_t GetMatchHomeGoals(int16_t slot);
uint16_t GetMatchField8b(int16_t slot);
uint16_t GetMatchFlag10(int16_t slot);
uint16_t GetMatchField12(int16_t slot);
uint16_t GetMatchField16(int16_t slot);
