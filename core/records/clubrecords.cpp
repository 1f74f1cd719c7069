// Club records: the packed fields of the 4571-byte record, the club's
// records with their date stamps, bids, the season-history blocks, the
// head of the club, and the fixture fields the club code reads.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/records/clubrecords.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

using recbits::BitField;
using recbits::LoadU16;
using recbits::LoadU32;
using recbits::ReadField;
using recbits::StoreU16;
using recbits::StoreU32;
using recbits::WriteField;

ClubRecord ClubRecords[kClubCount];
ClubNameRecord ClubNameRecords[kClubCount + 1];
ClubBidEntry ClubBids[kClubCount];

namespace {

using clubrec::kControl;
using clubrec::kDivision;
using clubrec::kNation;
using clubrec::kRep;
constexpr BitField kBalance{0, 0, 28};
constexpr BitField kStandStyle[4] = {{4, 24, 3}, {4, 16, 3}, {4, 8, 3}, {4, 0, 3}};
constexpr BitField kStandCapacity[4] = {{4, 27, 5}, {4, 19, 5}, {4, 11, 5}, {4, 3, 5}};
constexpr BitField kBaseRep{8, 0, 5}, kSaleFee{8, 5, 26};
constexpr int kSalePlayer = 12;
constexpr BitField kSaleTag{14, 0, 8}, kSaleDay{14, 8, 5}, kSaleMonth{14, 20, 4}, kSaleYear{14, 13, 7};
constexpr BitField kBuyFee{18, 0, 26};
constexpr int kBuyPlayer = 26;
constexpr BitField kBuyDay{28, 0, 5}, kBuyMonth{28, 5, 4}, kBuyYear{28, 17, 7}, kBuyTag{28, 9, 8};
constexpr BitField kCrowd{32, 0, 17};
constexpr int kGoalsPlayer = 36;
constexpr BitField kCrowdDay{38, 0, 5}, kCrowdMonth{38, 12, 4}, kCrowdYear{38, 5, 7}, kRecordGoals{38, 16, 7},
    kRecordGoalsSeason{38, 23, 7};
constexpr BitField kWinFor{42, 0, 5}, kWinAgainst{42, 5, 5}, kWinDay{42, 22, 5}, kWinMonth{42, 10, 4},
    kWinTag{42, 14, 8};
constexpr BitField kWinYear{46, 0, 7}, kDefeatFor{46, 7, 5}, kDefeatAgainst{46, 12, 5}, kDefeatTag{46, 17, 8},
    kDefeatDay{46, 25, 5};
constexpr BitField kDefeatMonth{50, 0, 4}, kDefeatYear{50, 4, 7};
constexpr BitField kAvgAttendance{54, 0, 17}, kXCoord{54, 17, 8}, kYCoord{58, 0, 8};
constexpr int kSeasonLoans = 62;
constexpr int kBidShortList = 63;
constexpr BitField kCrowdTag{183, 0, 8}, kLowCrowdTag{184, 0, 8};
constexpr BitField kLowCrowd{185, 0, 17}, kLowCrowdDay{185, 17, 5}, kLowCrowdYear{185, 22, 7};
constexpr BitField kLowCrowdMonth{189, 0, 4}, kPointsSeason{189, 4, 7}, kPoints{189, 11, 8},
    kGoalsTotalSeason{189, 19, 7};
constexpr BitField kGoalsTotal{193, 0, 8}, kDispointsSeason{193, 8, 7}, kDispoints{193, 15, 8},
    kGoalsInGameSeason{193, 23, 7};
constexpr BitField kGoalsInGame{197, 0, 4};
constexpr int kGoalsInGamePlayer = 201;
constexpr BitField kGoalsInGameTag{203, 0, 8}, kSeasonDispoints{203, 8, 8};
constexpr int kHistory = 207;
constexpr int kHistoryBlockSize = 188;
constexpr int kHistoryBlocks = 10;
constexpr int kSquadAvgWage = 2087;
constexpr int kSquadAvgStat = 2091;
constexpr int kSupport = 2093;
constexpr int kGenerosity = 2094;
constexpr int kTenure = 2095;
constexpr int kTenure2 = 2096;
// A record's tag names the other club, and club numbers run to 1199: the
// tag byte keeps the low eight bits and these fields the three above them.
// Without them every club numbered 256 or more would be shown under another
// club's name.  The bits were never written before, so a record stored
// without them reads as its low byte, as it always did.
constexpr BitField kSaleTagHigh{58, 8, 3}, kBuyTagHigh{58, 11, 3}, kCrowdTagHigh{58, 14, 3},
    kLowCrowdTagHigh{58, 17, 3}, kWinTagHigh{58, 20, 3}, kDefeatTagHigh{58, 23, 3},
    kGoalsInGameTagHigh{58, 26, 3};
constexpr int kHeadName = 2097;

// Within a season-history block.
constexpr int kHistCoach = 0;
constexpr int kHistCoachBytes = 12;
constexpr int kHistPoints = 12;
constexpr int kHistPlayed = 14;
constexpr int kHistWon = 16;
constexpr int kHistDrawn = 18;
constexpr int kHistFor = 20;
constexpr int kHistAgainst = 22;
constexpr int kHistValue = 24;
constexpr int kHistScorers = 28;
constexpr int kScorerPairs = 5;
constexpr int kHistCupRuns = 48;
constexpr int kCupRunEntries = 7;
constexpr int kCupRunSize = 20;

// In a ClubBids entry.
using clubrec::kBidPlayer;
constexpr int kBidClause = 8;
constexpr int kBidPrice = 16;
using clubrec::kBidSlots;
constexpr int kShortListBids = 4;
constexpr int kShortListSlots = 5;

constexpr int32_t kMaxBalance = 134217727;  // the 28-bit field's top

uint8_t* Rec(int16_t club) { return ClubRecords[club].bytes; }

// A getter with a message stops the program for a club outside the table;
// the message names negative clubs, but a number past the table is the same
// program error and must not read beyond it.  These checks take the name of
// the accessor that calls them (the compiler fills it in as the default
// argument) for the fatal end to name.
void CheckGet(int16_t club, const char* message, const char* accessor = __builtin_FUNCTION()) {
    if (!IsClubNumber(club)) clubrec::StopOnBadNumber(club, message, accessor);
}

uint32_t Get(int16_t club, BitField f, const char* message, const char* accessor = __builtin_FUNCTION()) {
    CheckGet(club, message, accessor);
    return ReadField(Rec(club), f);
}

void SetClamped(int16_t club, BitField f, int value, int low, int high) {
    if (IsClubNumber(club)) WriteField(Rec(club), f, uint32_t(std::clamp(value, low, high)));
}

void SetMasked(int16_t club, BitField f, int value) {
    if (IsClubNumber(club)) WriteField(Rec(club), f, uint32_t(value));
}

void SetByte(int16_t club, int offset, int value) {
    if (IsClubNumber(club)) Rec(club)[offset] = uint8_t(value < 0 ? 0 : value);
}

// Support and generosity above 100 take the viewed country number.
void SetBoardByte(int16_t club, int offset, int value) {
    if (!IsClubNumber(club)) return;
    if (value > 100) value = HVW_GetViewedCountry();
    Rec(club)[offset] = uint8_t(value < 0 ? 0 : value);
}

uint16_t GetByte(int16_t club, int offset, const char* message) {
    CheckGet(club, message);
    return Rec(club)[offset];
}

// Day of month, month and year mod 100 of today.
void StampDate(uint8_t* r, BitField day, BitField month, BitField year) {
    WriteField(r, day, uint32_t(SeasonCalendar.dayOfMonth));
    WriteField(r, month, uint32_t(SeasonCalendar.month));
    WriteField(r, year, uint32_t(SeasonCalendar.year % 100));
}

// The season's year: from July on the season ends in the next year.
uint32_t SeasonStamp() {
    int year = SeasonCalendar.month < 6 ? SeasonCalendar.year : SeasonCalendar.year + 1;
    return uint32_t(year % 100);
}

// Record setters refuse clubs outside the table (negative clubs are the
// callers' "no club"; a number past the table would write beyond it), and
// hold each value within its bit field rather than let it wrap.
bool CanSetRecord(int16_t club) { return IsClubNumber(club); }

int32_t FeeTimesHundred(uint32_t fee) {
    int64_t value = int64_t(fee) * 100;
    return int32_t(std::min<int64_t>(value, INT32_MAX));
}

uint8_t* HistoryBlock(int16_t club, int16_t block) {
    if (!IsClubNumber(club) || block < 0 || block >= kHistoryBlocks) return nullptr;
    return Rec(club) + kHistory + kHistoryBlockSize * block;
}

uint8_t* Bids(int16_t club) { return ClubBids[club].bytes; }

void CheckBidSlot(int16_t club, int16_t slot, const char* message,
                  const char* accessor = __builtin_FUNCTION()) {
    CheckGet(club, message, accessor);
    if (slot < 0 || slot >= kBidSlots) {
        std::printf(message, int(club));
        FatalExit(accessor);
    }
}

int ShortListOffset(int bid, int slot) { return kBidShortList + 30 * bid + 6 * slot; }
constexpr int kShortListBytes = 30 * kShortListBids;
constexpr int kShortListFetchAhead = 8;  // clubs

void CheckShortList(int16_t club, int16_t bid, int16_t slot, const char* accessor = __builtin_FUNCTION()) {
    if (!IsClubNumber(club)) {
        std::printf("Trying to get bid short list of neg club : '%d'\n", int(club));
        FatalExit(accessor);
    }
    if (bid < 0 || bid >= kShortListBids) {
        std::printf("Trying to get bid short list of neg bid : '%d'\n", int(bid));
        FatalExit(accessor);
    }
    if (slot < 0 || slot >= kShortListSlots) {
        std::printf("Trying to get bid short list of neg slot : '%d'\n", int(slot));
        FatalExit(accessor);
    }
}

void CopyLeagueWord(int16_t club, int16_t block, int offset, int word, int second = -1) {
    uint8_t* b = HistoryBlock(club, block);
    if (b == nullptr) return;
    const int16_t* row = LeagueSeasonRecords[club].words;
    int value = row[word] + (second >= 0 ? row[second] : 0);
    StoreU16(b + offset, uint16_t(value));
}

constexpr int32_t kHeadChangeMoney[6][10] = {
    {10000000, 9000000, 8000000, 7000000, 6000000, 5000000, 4000000, 3000000, 2000000, 1000000},
    {5000000, 4500000, 4000000, 3500000, 3000000, 2500000, 2000000, 1500000, 1000000, 5000000},
    {2000000, 1750000, 1500000, 1250000, 1000000, 800000, 650000, 500000, 350000, 200000},
    {750000, 700000, 650000, 600000, 520000, 480000, 360000, 240000, 120000, 50000},
    {200000, 175000, 150000, 125000, 100000, 80000, 60000, 40000, 20000, 10000},
    {200000, 175000, 150000, 125000, 100000, 80000, 60000, 40000, 20000, 10000},
};

// A tag split over its byte and its high bits.
void WriteTag(uint8_t* r, BitField low, BitField high, int16_t tag) {
    WriteField(r, low, uint32_t(uint16_t(tag)) & 0xFF);
    WriteField(r, high, (uint32_t(uint16_t(tag)) >> 8) & high.Max());
}
int16_t ReadTag(const uint8_t* r, BitField low, BitField high) {
    return int16_t(ReadField(r, low) | ReadField(r, high) << 8);
}

}  // namespace

void clubrec::StopOnBadNumber(int16_t club, const char* message, const char* accessor) {
    std::printf(message, int(club));
    FatalExit(accessor);
}

// --- addresses -------------------------------------------------------------

ClubRecord* GetClubRecordAddress(int16_t club) { return IsClubNumber(club) ? &ClubRecords[club] : nullptr; }
int16_t ClubOrNone(int16_t club) { return club < 0 ? -1 : club; }

// --- balance and division --------------------------------------------------

int32_t GetClubBalance(int16_t club) {
    CheckGet(club, "Trying to get Balance of neg club : '%d'\n");
    return recbits::SignExtend(ReadField(Rec(club), kBalance), kBalance.width);
}
// The field holds 0 .. 134217727; a larger balance is kept at the top
// rather than wrapping into a small or negative one.
void SetClubBalance(int16_t club, int32_t value) { SetClamped(club, kBalance, value, 0, kMaxBalance); }
void AddClubBalance(int16_t club, int32_t amount) {
    if (!IsClubNumber(club)) return;
    int64_t balance = int64_t(GetClubBalance(club)) + amount;
    WriteField(Rec(club), kBalance, uint32_t(std::clamp<int64_t>(balance, 0, kMaxBalance)));
}
void SetClubDivision(int16_t club, int16_t value) { SetClamped(club, kDivision, value, 0, 7); }

// --- stands ----------------------------------------------------------------

namespace {
uint16_t StandStyle(int16_t club, int stand) {
    return Get(club, kStandStyle[stand], "Trying to get Style of neg club : '%d'\n");
}
uint16_t StandCapacity(int16_t club, int stand) {
    return Get(club, kStandCapacity[stand], "Trying to get Capacity of neg club : '%d'\n");
}
}  // namespace

uint16_t GetClubStandStyle0(int16_t club) { return StandStyle(club, 0); }
uint16_t GetClubStandStyle1(int16_t club) { return StandStyle(club, 1); }
uint16_t GetClubStandStyle2(int16_t club) { return StandStyle(club, 2); }
uint16_t GetClubStandStyle3(int16_t club) { return StandStyle(club, 3); }
void SetClubStandStyle0(int16_t club, int16_t v) { SetClamped(club, kStandStyle[0], v, 0, 7); }
void SetClubStandStyle1(int16_t club, int16_t v) { SetClamped(club, kStandStyle[1], v, 0, 7); }
void SetClubStandStyle2(int16_t club, int16_t v) { SetClamped(club, kStandStyle[2], v, 0, 7); }
void SetClubStandStyle3(int16_t club, int16_t v) { SetClamped(club, kStandStyle[3], v, 0, 7); }
uint16_t GetClubStandCapacity0(int16_t club) { return StandCapacity(club, 0); }
uint16_t GetClubStandCapacity1(int16_t club) { return StandCapacity(club, 1); }
uint16_t GetClubStandCapacity2(int16_t club) { return StandCapacity(club, 2); }
uint16_t GetClubStandCapacity3(int16_t club) { return StandCapacity(club, 3); }
void SetClubStandCapacity0(int16_t club, int16_t v) { SetClamped(club, kStandCapacity[0], v, 0, 31); }
void SetClubStandCapacity1(int16_t club, int16_t v) { SetClamped(club, kStandCapacity[1], v, 0, 31); }
void SetClubStandCapacity2(int16_t club, int16_t v) { SetClamped(club, kStandCapacity[2], v, 0, 31); }
void SetClubStandCapacity3(int16_t club, int16_t v) { SetClamped(club, kStandCapacity[3], v, 0, 31); }

// --- reputation, control, nation, places -----------------------------------

// The one getter that reports a bad club and carries on.
uint16_t GetClubBaseRep(int16_t club) {
    if (!IsClubNumber(club)) {
        std::printf("Trying to get Rep of neg club : '%d'\n", int(club));
        return 0;
    }
    return uint16_t(ReadField(Rec(club), kBaseRep));
}
void SetClubBaseRep(int16_t club, int16_t value) { SetClamped(club, kBaseRep, value, 0, 24); }
void SetClubRep(int16_t club, int16_t value) { SetClamped(club, kRep, value, 3, 63); }
void SetClubControl(int16_t club, int16_t value) { SetClamped(club, kControl, value, 0, 1); }
void SetClubNation(int16_t club, int16_t value) {
    if (value > 116) value = HVW_GetViewedCountry();
    SetClamped(club, kNation, value, 0, 255);
}
int32_t GetClubAvgAttendanceField(int16_t club) {
    return Get(club, kAvgAttendance, "Trying to get Avg att of neg club : '%d'\n");
}
// Held within the 17-bit field instead of wrapping.
void SetClubAvgAttendance(int16_t club, int32_t value) {
    SetClamped(club, kAvgAttendance, value, 0, int(kAvgAttendance.Max()));
}
uint16_t GetClubXCoord(int16_t club) {
    return Get(club, kXCoord, "Trying to get Xcoord of neg club : '%d'\n");
}
void SetClubXCoord(int16_t club, int16_t value) { SetMasked(club, kXCoord, value); }
uint16_t GetClubYCoord(int16_t club) {
    return Get(club, kYCoord, "Trying to get Ycoord of neg club : '%d'\n");
}
void SetClubYCoord(int16_t club, int16_t value) { SetMasked(club, kYCoord, value); }
uint16_t GetClubSeasonLoans(int16_t club) {
    return GetByte(club, kSeasonLoans, "Trying to get Season Loans of neg club : '%d'\n");
}
void SetClubSeasonLoans(int16_t club, int16_t value) { SetByte(club, kSeasonLoans, value); }

// --- squad averages, board -------------------------------------------------

uint16_t GetClubSquadAvgStat(int16_t club) {
    return IsClubNumber(club) ? LoadU16(Rec(club) + kSquadAvgStat) : 0;
}
void SetClubSquadAvgStat(int16_t club, int16_t value) {
    if (IsClubNumber(club)) StoreU16(Rec(club) + kSquadAvgStat, uint16_t(std::clamp<int>(value, 0, 100)));
}
uint32_t GetClubSquadAvgWage(int16_t club) {
    return IsClubNumber(club) ? LoadU32(Rec(club) + kSquadAvgWage) : 0;
}
void SetClubSquadAvgWage(int16_t club, uint32_t value) {
    if (IsClubNumber(club)) StoreU32(Rec(club) + kSquadAvgWage, value);
}
uint16_t GetClubSupport(int16_t club) {
    return GetByte(club, kSupport, "Trying to get support of neg club : '%d'\n");
}
void SetClubSupport(int16_t club, int16_t value) { SetBoardByte(club, kSupport, value); }
uint16_t GetClubGenerosity(int16_t club) {
    return GetByte(club, kGenerosity, "Trying to get generosity of neg club : '%d'\n");
}
void SetClubGenerosity(int16_t club, int16_t value) { SetBoardByte(club, kGenerosity, value); }
uint16_t GetClubTenure(int16_t club) {
    return GetByte(club, kTenure, "Trying to get tenure of neg club : '%d'\n");
}
void SetClubTenure(int16_t club, int16_t value) { SetByte(club, kTenure, value); }
uint16_t GetClubTenure2(int16_t club) {
    return GetByte(club, kTenure2, "Trying to get tenure of neg club : '%d'\n");
}
void SetClubTenure2(int16_t club, int16_t value) { SetByte(club, kTenure2, value); }
uint16_t GetClubName(int16_t club) {
    CheckGet(club, "Trying to get name of neg club : '%d'\n");
    return LoadU16(Rec(club) + kHeadName);
}
void SetClubName(int16_t club, uint16_t player) {
    if (IsClubNumber(club)) StoreU16(Rec(club) + kHeadName, player);
}
uint16_t GetClubSeasonDispoints(int16_t club) {
    return Get(club, kSeasonDispoints, "Trying to get season dispoints of neg club : '%d'\n");
}
void SetClubSeasonDispoints(int16_t club, int16_t value) { SetMasked(club, kSeasonDispoints, value); }

// --- club records ----------------------------------------------------------

int32_t GetClubRecordSale(int16_t club) {
    CheckGet(club, "Trying to get Record Sale of neg club : '%d'\n");
    return FeeTimesHundred(ReadField(Rec(club), kSaleFee));
}
void SetClubRecordSale(int16_t club, uint16_t player, int32_t feeHundreds, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kSaleFee, uint32_t(std::clamp<int32_t>(feeHundreds, 0, kSaleFee.Max())));
    StoreU16(r + kSalePlayer, player);
    WriteTag(r, kSaleTag, kSaleTagHigh, tag);
    StampDate(r, kSaleDay, kSaleMonth, kSaleYear);
}
int32_t GetClubRecordBuy(int16_t club) {
    CheckGet(club, "Trying to get Record Buy of neg club : '%d'\n");
    return FeeTimesHundred(ReadField(Rec(club), kBuyFee));
}
// A record buy makes the player's name: his reputation rises by 4.
void SetClubRecordBuy(int16_t club, uint16_t player, int32_t feeHundreds, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kBuyFee, uint32_t(std::clamp<int32_t>(feeHundreds, 0, kBuyFee.Max())));
    StoreU16(r + kBuyPlayer, player);
    WriteTag(r, kBuyTag, kBuyTagHigh, tag);
    StampDate(r, kBuyDay, kBuyMonth, kBuyYear);
    if (feeHundreds != 0 && IsValidPlayer(player)) {
        SetPlayerReputation(player, int16_t(GetPlayerReputation(player) + 4));
    }
}
int32_t GetClubRecordCrowd(int16_t club) {
    return Get(club, kCrowd, "Trying to get Record Crowd of neg club : '%d'\n");
}
void SetClubRecordCrowd(int16_t club, int32_t crowd, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kCrowd, uint32_t(std::clamp<int32_t>(crowd, 0, kCrowd.Max())));
    WriteTag(r, kCrowdTag, kCrowdTagHigh, tag);
    StampDate(r, kCrowdDay, kCrowdMonth, kCrowdYear);
}
int32_t GetClubRecordLowCrowd(int16_t club) {
    return Get(club, kLowCrowd, "Trying to get Record Low Crowd of neg club : '%d'\n");
}
void SetClubRecordLowCrowd(int16_t club, int32_t crowd, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kLowCrowd, uint32_t(std::clamp<int32_t>(crowd, 0, kLowCrowd.Max())));
    WriteTag(r, kLowCrowdTag, kLowCrowdTagHigh, tag);
    StampDate(r, kLowCrowdDay, kLowCrowdMonth, kLowCrowdYear);
}
uint16_t GetClubRecordGoals(int16_t club) {
    return Get(club, kRecordGoals, "Trying to get Record goals of neg club : '%d'\n");
}
void SetClubRecordGoals(int16_t club, uint16_t player, int16_t goals) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    StoreU16(r + kGoalsPlayer, player);
    WriteField(r, kRecordGoals, uint32_t(std::clamp<int>(goals, 0, 127)));
    WriteField(r, kRecordGoalsSeason, SeasonStamp());
}
uint16_t GetClubRecordWinGoalsFor(int16_t club) {
    return Get(club, kWinFor, "Trying to get Record win goals for of neg club : '%d'\n");
}
uint16_t GetClubRecordWinGoalsAgainst(int16_t club) {
    return Get(club, kWinAgainst, "Trying to get Record win goals against of neg club : '%d'\n");
}
void SetClubRecordWin(int16_t club, int16_t goalsFor, int16_t goalsAgainst, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kWinFor, uint32_t(std::clamp<int>(goalsFor, 0, 31)));
    WriteField(r, kWinAgainst, uint32_t(std::clamp<int>(goalsAgainst, 0, 31)));
    WriteTag(r, kWinTag, kWinTagHigh, tag);
    StampDate(r, kWinDay, kWinMonth, kWinYear);
}
uint16_t GetClubRecordDefeatGoalsFor(int16_t club) {
    return Get(club, kDefeatFor, "Trying to get Record defeat goals for of neg club : '%d'\n");
}
uint16_t GetClubRecordDefeatGoalsAgainst(int16_t club) {
    return Get(club, kDefeatAgainst, "Trying to get Record defeat goals against of neg club : '%d'\n");
}
void SetClubRecordDefeat(int16_t club, int16_t goalsFor, int16_t goalsAgainst, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kDefeatFor, uint32_t(std::clamp<int>(goalsFor, 0, 31)));
    WriteField(r, kDefeatAgainst, uint32_t(std::clamp<int>(goalsAgainst, 0, 31)));
    WriteTag(r, kDefeatTag, kDefeatTagHigh, tag);
    StampDate(r, kDefeatDay, kDefeatMonth, kDefeatYear);
}
uint16_t GetClubRecordGoalsInGame(int16_t club) {
    return Get(club, kGoalsInGame, "Trying to get Record goals in game of neg club : '%d'\n");
}
void SetClubRecordGoalsInGame(int16_t club, int16_t goals, uint16_t player, int16_t tag) {
    if (!CanSetRecord(club)) return;
    uint8_t* r = Rec(club);
    WriteField(r, kGoalsInGame, uint32_t(std::clamp<int>(goals, 0, 15)));
    StoreU16(r + kGoalsInGamePlayer, player);
    WriteTag(r, kGoalsInGameTag, kGoalsInGameTagHigh, tag);
    WriteField(r, kGoalsInGameSeason, SeasonStamp());
}

namespace {
void SetSeasonRecord(int16_t club, BitField value, BitField season, int v) {
    if (!CanSetRecord(club)) return;
    WriteField(Rec(club), value, uint32_t(std::clamp(v, 0, 255)));
    WriteField(Rec(club), season, SeasonStamp());
}
}  // namespace

uint16_t GetClubRecordGoalsTotal(int16_t club) {
    return Get(club, kGoalsTotal, "Trying to get Record goals total of neg club : '%d'\n");
}
void SetClubRecordGoalsTotal(int16_t club, int16_t value) {
    SetSeasonRecord(club, kGoalsTotal, kGoalsTotalSeason, value);
}
uint16_t GetClubRecordPointsTotal(int16_t club) {
    return Get(club, kPoints, "Trying to get Record points total of neg club : '%d'\n");
}
void SetClubRecordPointsTotal(int16_t club, int16_t value) {
    SetSeasonRecord(club, kPoints, kPointsSeason, value);
}
uint16_t GetClubRecordDispoints(int16_t club) {
    return Get(club, kDispoints, "Trying to get Record dispoints of neg club : '%d'\n");
}
void SetClubRecordDispoints(int16_t club, int16_t value) {
    SetSeasonRecord(club, kDispoints, kDispointsSeason, value);
}

ClubRecordBook GetClubRecordBook(int16_t club) {
    ClubRecordBook b{};
    if (!IsClubNumber(club)) return b;
    const uint8_t* r = Rec(club);
    const auto field = [r](BitField f) { return int16_t(ReadField(r, f)); };
    const auto date = [&](BitField day, BitField month, BitField year) {
        return ClubRecordDate{field(day), field(month), field(year)};
    };
    b.signingPlayer = LoadU16(r + kBuyPlayer);
    b.signingFee = int32_t(ReadField(r, kBuyFee));
    b.signingTag = ReadTag(r, kBuyTag, kBuyTagHigh);
    b.signingDate = date(kBuyDay, kBuyMonth, kBuyYear);
    b.salePlayer = LoadU16(r + kSalePlayer);
    b.saleFee = int32_t(ReadField(r, kSaleFee));
    b.saleTag = ReadTag(r, kSaleTag, kSaleTagHigh);
    b.saleDate = date(kSaleDay, kSaleMonth, kSaleYear);
    b.scorer = LoadU16(r + kGoalsPlayer);
    b.scorerGoals = field(kRecordGoals);
    b.scorerSeason = field(kRecordGoalsSeason);
    b.matchScorer = LoadU16(r + kGoalsInGamePlayer);
    b.matchGoals = field(kGoalsInGame);
    b.matchTag = ReadTag(r, kGoalsInGameTag, kGoalsInGameTagHigh);
    b.matchSeason = field(kGoalsInGameSeason);
    b.crowd = int32_t(ReadField(r, kCrowd));
    b.crowdTag = ReadTag(r, kCrowdTag, kCrowdTagHigh);
    b.crowdDate = date(kCrowdDay, kCrowdMonth, kCrowdYear);
    b.lowCrowd = int32_t(ReadField(r, kLowCrowd));
    b.lowCrowdTag = ReadTag(r, kLowCrowdTag, kLowCrowdTagHigh);
    b.lowCrowdDate = date(kLowCrowdDay, kLowCrowdMonth, kLowCrowdYear);
    b.winFor = field(kWinFor);
    b.winAgainst = field(kWinAgainst);
    b.winTag = ReadTag(r, kWinTag, kWinTagHigh);
    b.winDate = date(kWinDay, kWinMonth, kWinYear);
    b.defeatFor = field(kDefeatFor);
    b.defeatAgainst = field(kDefeatAgainst);
    b.defeatTag = ReadTag(r, kDefeatTag, kDefeatTagHigh);
    b.defeatDate = date(kDefeatDay, kDefeatMonth, kDefeatYear);
    b.goalsTotal = field(kGoalsTotal);
    b.goalsTotalSeason = field(kGoalsTotalSeason);
    b.pointsTotal = field(kPoints);
    b.pointsTotalSeason = field(kPointsSeason);
    return b;
}

// --- bids ------------------------------------------------------------------

int32_t GetClubBidPrice(int16_t club, int16_t slot) {
    CheckBidSlot(club, slot, "Trying to get Bid price of neg club : '%d'\n");
    return recbits::LoadI32(Bids(club) + kBidPrice + 4 * slot);
}
uint16_t GetClubBidClause(int16_t club, int16_t slot) {
    CheckBidSlot(club, slot, "Trying to get Bid Clause of neg club : '%d'\n");
    return LoadU16(Bids(club) + kBidClause + 2 * slot);
}
// A bid unsettles the player a little before it is stored.  A slot outside
// 0..3 is ignored rather than written into the next club's bids.
void SetClubBid(int16_t club, int16_t slot, uint16_t player, int32_t price, int16_t clause) {
    if (!IsClubNumber(club) || slot < 0 || slot >= kBidSlots) return;
    if (IsValidPlayer(player)) ChangePlayerStatRandom(player, 2);
    uint8_t* b = Bids(club);
    StoreU16(b + kBidPlayer + 2 * slot, player);
    recbits::StoreI32(b + kBidPrice + 4 * slot, price);
    StoreU16(b + kBidClause + 2 * slot, uint16_t(clause));
}

namespace {

// While kept, every short-list entry grouped by the player it names: the
// interest a match adds to its players then reaches their entries without a
// walk over every club's lists.  It is true of the ids as they stood when it
// was built; SetClubBidShortList forgets it when it changes an id, and a
// different player count rebuilds it.
struct ShortListIndex {
    int keepers = 0;  // the passes keeping it, one within another
    bool built = false;
    uint16_t playerCount = 0;
    std::vector<uint32_t> first;    // by player: his first place in entries
    std::vector<uint32_t> entries;  // club * kShortListEntries + bid * kShortListSlots + slot
};
ShortListIndex g_shortLists;
constexpr int kShortListEntries = kShortListBids * kShortListSlots;

uint16_t ShortListEntryId(int16_t club, int entry) {
    return LoadU16(Rec(club) + ShortListOffset(entry / kShortListSlots, entry % kShortListSlots));
}

void BuildShortListIndex() {
    ShortListIndex& index = g_shortLists;
    index.playerCount = PlayerCount;
    index.first.assign(size_t(PlayerCount) + 1, 0);
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int entry = 0; entry < kShortListEntries; ++entry) {
            const uint16_t player = ShortListEntryId(club, entry);
            if (player != 0 && player < PlayerCount) ++index.first[player + 1];
        }
    }
    for (size_t player = 1; player < index.first.size(); ++player)
        index.first[player] += index.first[player - 1];
    index.entries.resize(index.first.back());
    std::vector<uint32_t> next(index.first.begin(), index.first.end() - 1);
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int entry = 0; entry < kShortListEntries; ++entry) {
            const uint16_t player = ShortListEntryId(club, entry);
            if (player != 0 && player < PlayerCount)
                index.entries[next[player]++] = uint32_t(club * kShortListEntries + entry);
        }
    }
    index.built = true;
}

void AddInterestToEntry(int16_t club, int entry, int16_t delta) {
    uint8_t* bytes = Rec(club) + ShortListOffset(entry / kShortListSlots, entry % kShortListSlots);
    bytes[2] = uint8_t(std::clamp(bytes[2] + int(delta), 0, 255));
}

// Calls f with every short-list entry naming the player in a club with a
// reputation, in a walk over every club's lists.
template <class F>
void ForEachEntryNaming(uint16_t player, const F& f) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        // The lists lie a whole club record apart, too far for the
        // processor to fetch ahead by itself.
        if (club + kShortListFetchAhead < kClubCount) {
            const uint8_t* ahead = Rec(int16_t(club + kShortListFetchAhead)) + kBidShortList;
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + kShortListBytes - 1);
        }
        // Most clubs name him nowhere: their reputation is read only when
        // one of their entries does.
        bool checked = false, inPlay = false;
        for (int bid = 0; bid < kShortListBids; ++bid) {
            for (int slot = 0; slot < kShortListSlots; ++slot) {
                uint8_t* entry = Rec(club) + ShortListOffset(bid, slot);
                if (LoadU16(entry) != player) continue;
                if (!checked) {
                    inPlay = GetClubRep(club) != 0;
                    checked = true;
                }
                if (inPlay) f(entry);
            }
        }
    }
}

}  // namespace

uint16_t GetClubBidShortListId(int16_t club, int16_t bid, int16_t slot) {
    CheckShortList(club, bid, slot);
    return LoadU16(Rec(club) + ShortListOffset(bid, slot));
}
uint8_t GetClubBidShortListByte1(int16_t club, int16_t bid, int16_t slot) {
    CheckShortList(club, bid, slot);
    return Rec(club)[ShortListOffset(bid, slot) + 2];
}
uint8_t GetClubBidShortListByte2(int16_t club, int16_t bid, int16_t slot) {
    CheckShortList(club, bid, slot);
    return Rec(club)[ShortListOffset(bid, slot) + 3];
}
void SetClubBidShortList(int16_t club, int16_t bid, int16_t slot, uint16_t player, uint8_t value1,
                         uint8_t value2) {
    if (!IsClubNumber(club) || bid < 0 || bid >= kShortListBids || slot < 0 || slot >= kShortListSlots ||
        player >= PlayerCount) {
        return;
    }
    uint8_t* entry = Rec(club) + ShortListOffset(bid, slot);
    if (LoadU16(entry) != player) g_shortLists.built = false;
    StoreU16(entry, player);
    entry[2] = value1;
    entry[3] = value2;
}

void KeepShortListIndex(bool keep) {
    ShortListIndex& index = g_shortLists;
    index.keepers = keep ? index.keepers + 1 : std::max(0, index.keepers - 1);
    if (index.keepers == 0) index.built = false;
}

void AddClubBidShortListInterest(uint16_t player, int16_t delta) {
    // Only players of the table are ever written to an entry.
    if (player == 0 || player >= PlayerCount) return;
    ShortListIndex& index = g_shortLists;
    if (index.keepers > 0) {
        if (!index.built || index.playerCount != PlayerCount) BuildShortListIndex();
        // Club by club as the walk below goes: a club without a reputation
        // keeps its entries as they are.
        for (uint32_t at = index.first[player]; at < index.first[player + 1]; ++at) {
            const int16_t club = int16_t(index.entries[at] / kShortListEntries);
            if (GetClubRep(club) != 0)
                AddInterestToEntry(club, int(index.entries[at] % kShortListEntries), delta);
        }
        return;
    }
    ForEachEntryNaming(
        player, [&](uint8_t* entry) { entry[2] = uint8_t(std::clamp(entry[2] + int(delta), 0, 255)); });
}

void ClearPlayerFromBidShortLists(uint16_t player) {
    ForEachEntryNaming(player, [](uint8_t* entry) {
        if (LoadU16(entry) != 0) g_shortLists.built = false;
        StoreU16(entry, 0);
        entry[2] = 0;
        entry[3] = 0;
    });
}

// --- season history --------------------------------------------------------

uint8_t GetClubCoach(int16_t club, int16_t block, int16_t index) {
    CheckGet(club, "Trying to get coach of neg Club : '%d'\n");
    uint8_t* b = HistoryBlock(club, block);
    if (b == nullptr || index < 0 || index >= kHistCoachBytes) return 0;
    return b[kHistCoach + index];
}
void SetClubCoach(int16_t club, int16_t block, int16_t value, int16_t index) {
    uint8_t* b = HistoryBlock(club, block);
    if (b == nullptr || index < 0 || index >= kHistCoachBytes) return;
    b[kHistCoach + index] = uint8_t(value);
}
void SetClubHistoryValue(int16_t club, int16_t block, uint32_t value) {
    uint8_t* b = HistoryBlock(club, block);
    if (b != nullptr) StoreU32(b + kHistValue, value);
}
void SetClubHistoryPoints(int16_t club, int16_t block) {
    CopyLeagueWord(club, block, kHistPoints, kSeasonPoints);
}
void SetClubHistoryPlayed(int16_t club, int16_t block) {
    CopyLeagueWord(club, block, kHistPlayed, kSeasonPlayed);
}
void SetClubHistoryWon(int16_t club, int16_t block) {
    CopyLeagueWord(club, block, kHistWon, kSeasonHomeWon, kSeasonAwayWon);
}
void SetClubHistoryDrawn(int16_t club, int16_t block) {
    CopyLeagueWord(club, block, kHistDrawn, kSeasonHomeDrawn, kSeasonAwayDrawn);
}
void SetClubHistoryGoalsFor(int16_t club, int16_t block) {
    CopyLeagueWord(club, block, kHistFor, kSeasonHomeFor, kSeasonAwayFor);
}
void SetClubHistoryGoalsAgainst(int16_t club, int16_t block) {
    CopyLeagueWord(club, block, kHistAgainst, kSeasonHomeAgainst, kSeasonAwayAgainst);
}

// Fills the empty scorer pairs with the squad's leading scorers: outfield
// players not already listed, most goals first, squad order among equals.
void FillClubScorers(int16_t club, int16_t block) {
    uint8_t* b = HistoryBlock(club, block);
    if (b == nullptr) return;
    BuildClubSquadList(club);
    uint8_t* pairs = b + kHistScorers;
    auto listed = [&](uint16_t player) {
        for (int i = 0; i < kScorerPairs; ++i) {
            if (LoadU16(pairs + 4 * i) == player) return true;
        }
        return false;
    };
    uint16_t candidates[kSquadListSize];
    int count = 0;
    for (int i = 0; i < kSquadListSize; ++i) {
        uint16_t player = FirstTeamList.players[i];
        if (!IsValidPlayer(player)) continue;
        if (GetPlayerPosition(player) == 0 || listed(player)) continue;
        candidates[count++] = player;
    }
    std::stable_sort(candidates, candidates + count,
                     [](uint16_t a, uint16_t b2) { return GetPlayerGoals(a) > GetPlayerGoals(b2); });
    int next = 0;
    for (int i = 0; i < kScorerPairs && next < count; ++i) {
        if (LoadU16(pairs + 4 * i) != 0) continue;
        uint16_t player = candidates[next++];
        StoreU16(pairs + 4 * i, player);
        StoreU16(pairs + 4 * i + 2, GetPlayerGoals(player));
    }
}

int16_t FindClubCupRun(int16_t club, int16_t entry) {
    int first = 5 + 16 * entry;
    int last = 20 + 16 * entry;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        int type = GetMatchCompetition(int16_t(slot));
        if (type < first || type > last) continue;
        if (GetMatchClubA(int16_t(slot)) == uint16_t(club) ||
            GetMatchClubB(int16_t(slot)) == uint16_t(club)) {
            return int16_t(slot);
        }
    }
    return -1;
}

void FillClubCupRuns(int16_t club, int16_t block) {
    uint8_t* b = HistoryBlock(club, block);
    if (b == nullptr) return;
    for (int k = 0; k < kCupRunEntries; ++k) {
        int16_t slot = FindClubCupRun(club, int16_t(k));
        if (slot < 0) continue;
        const uint8_t* f = FixtureTable[slot].bytes;
        uint32_t score = LoadU32(f + 8);
        uint16_t home = GetMatchClubA(slot);
        uint16_t other = home == uint16_t(club) ? GetMatchClubB(slot) : home;
        uint8_t* e = b + kHistCupRuns + kCupRunSize * k;
        StoreU32(e + 0, GetMatchCompetition(slot));
        StoreU32(e + 4, score & 0x1F);
        StoreU32(e + 8, (score >> 5) & 0x1F);
        StoreU32(e + 12, (score >> 12) & 1);
        StoreU32(e + 16, other);
    }
}

// --- the head of the club --------------------------------------------------

// Draws a new head: a random player of the club's nation, or whoever a
// 1-in-100 draw lands on, lends him his name.
void NewClubHead(int16_t club) {
    if (!IsClubNumber(club)) return;
    SetClubSupport(club, int16_t(GameRandom() % 100));
    SetClubGenerosity(club, int16_t(GameRandom() % 100));
    SetClubTenure(club, int16_t(24 + GameRandom() % 156));
    SetClubTenure2(club, 0);
    // No player in use to draw (and nothing to divide by): no name.
    if (PlayerCount <= 1) {
        SetClubName(club, 0);
        return;
    }
    uint16_t nation = GetClubNation(club);
    uint16_t player;
    for (;;) {
        player = uint16_t(1 + GameRandom() % (PlayerCount - 1));
        if (GetPlayerNationality(player) == nation) break;
        if (GameRandom() % 100 == 0) break;
    }
    SetClubName(club, player);
}

void UpdateClubHeads() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0 || club % 25 != SeasonCalendar.dayOfMonth) continue;
        int tenure = GetClubTenure(club) - 1;
        SetClubTenure(club, int16_t(tenure));
        if (tenure > 0) continue;
        // Clubs with a head play in divisions 0..5; a higher one reads row 5.
        int division = std::min<int>(GetClubDivision(club), 5);
        int32_t money = kHeadChangeMoney[division][GameRandom() % 10];
        uint16_t oldHead = GetClubName(club);
        NewClubHead(club);
        AddMessage(club, -1, oldHead, GetClubName(club), -1, -1, money, -1, -1, -1, -1, kMsgNewChairman, 1,
                   0);
    }
}

void NewClubHeadsForAllClubs() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) NewClubHead(club);
    }
}

// --- fixture fields --------------------------------------------------------

namespace {
const uint8_t* FixtureBytes(int16_t slot) {
    return slot >= 0 && slot < kFixtureSlots ? FixtureTable[slot].bytes : nullptr;
}
uint16_t FixtureField(int16_t slot, int offset, int shift, int width) {
    const uint8_t* f = FixtureBytes(slot);
    if (f == nullptr) return 0;
    return uint16_t(ReadField(f, BitField{uint16_t(offset), uint8_t(shift), uint8_t(width)}));
}
}  // namespace

uint8_t* GetFixtureAddress(int16_t slot) {
    return slot >= 0 && slot < kFixtureSlots ? FixtureTable[slot].bytes : nullptr;
}
uint16_t GetMatchClubA(int16_t slot) { return FixtureField(slot, 4, 0, 16); }
uint16_t GetMatchClubB(int16_t slot) {
    const uint8_t* f = FixtureBytes(slot);
    return f == nullptr ? 0 : LoadU16(f + 6);
}
uint16_t GetMatchDay(int16_t slot) { return FixtureField(slot, 0, 0, 9); }
uint16_t GetMatchCompetition(int16_t slot) { return FixtureField(slot, 0, 9, 7); }
uint16_t GetMatchHomeGoals(int16_t slot) { return FixtureField(slot, 8, 0, 5); }
uint16_t GetMatchField8b(int16_t slot) { return FixtureField(slot, 8, 5, 5); }
uint16_t GetMatchFlag10(int16_t slot) { return FixtureField(slot, 8, 10, 1); }
uint16_t GetMatchField12(int16_t slot) { return FixtureField(slot, 12, 23, 5); }
uint16_t GetMatchField16(int16_t slot) { return FixtureField(slot, 16, 0, 5); }
