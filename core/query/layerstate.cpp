// The query layer's own state: the values it keeps, the calendar globals,
// the small tables of the screens and the season resets.
#include "core/query/layerstate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/contracts.h"
#include "core/club/mood.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/stadium.h"
#include "core/club/tactics.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/friendlies.h"
#include "core/season/leagues.h"
#include "core/season/matchday.h"
#include "core/season/matchsetup.h"
#include "core/season/newgame.h"
#include "core/season/seasontables.h"
#include "core/season/soak.h"
#include "core/season/teamselection.h"

using recbits::LoadU16;
using recbits::LoadU32;

int8_t ViewedCountry;
uint8_t QueryLayerTable[24];
CountryBlock CountryBlocks[9];
int16_t CountryTriples[9][3];
int16_t TablePair2Blocks[9][6][48];
int16_t EuroPlaceFlags[9][6];
int16_t QueryFixedTable[24];
int16_t SharedDivisionList[24];
int8_t OfferDigitRows[2][8];

namespace {

// The two saved words of the layer live in its saved table.
constexpr int kSavedWordA = 0;
constexpr int kSavedWordB = 2;

// The European table: per country 6 entries of two 16-bit words.
constexpr int kPairEntries = 6;

}  // namespace

// ---------------------------------------------------------------------------
// Globals and small tables

int16_t HVW_GetCurrentDay() { return SeasonCalendar.currentDay; }
int16_t HVW_GetSeason() { return SeasonCalendar.season; }
int16_t HVW_GetCalendarWeekday() { return SeasonCalendar.weekday; }
int16_t HVW_GetCalendarDay() { return SeasonCalendar.dayOfMonth; }
int16_t HVW_GetCalendarMonth() { return SeasonCalendar.month; }
int16_t HVW_GetCalendarYear() { return SeasonCalendar.year; }
int16_t HVW_GetViewedCountry() { return ViewedCountry; }
void HVW_SetViewedCountry(int16_t country) { ViewedCountry = int8_t(country); }
int16_t HVW_GetHumanSackedFlag() { return SackedClubControl; }
int16_t HVW_GetCompNextRoundDay(int16_t country) { return SeasonCalendar.leagueStartDay[country]; }
int16_t HVW_GetCountryWordB(int16_t) { return kPreSeasonMark; }

// A division or country outside the table has no price (reading past the
// table would give another country's figure).
int16_t HVW_GetTicketPrice(int16_t division, int16_t country) {
    if (!IsCountryNumber(country) || !IsDivisionNumber(division)) {
        return 0;
    }
    return TicketPrice[country][division];
}

int32_t HVW_GetCountryBlockLong(int16_t country) { return CountryBlocks[country].value; }
int16_t HVW_GetCountryBlockWord0(int16_t country) { return CountryBlocks[country].words[0]; }
int16_t HVW_GetCountryBlockWord1(int16_t country) { return CountryBlocks[country].words[1]; }
int16_t HVW_GetCountryBlockWord2(int16_t country) { return CountryBlocks[country].words[2]; }
TransferRecord* HVW_GetTransferRecord(int16_t n) { return &TransferRecords[n]; }
const int16_t* HVW_GetFixedTableAddress() { return QueryFixedTable; }
int16_t HVW_GetSavedWordA() { return int16_t(LoadU16(QueryLayerTable + kSavedWordA)); }
void HVW_SetSavedWordB(int16_t value) { recbits::StoreU16(QueryLayerTable + kSavedWordB, uint16_t(value)); }
int16_t HVW_GetSavedWordB() { return int16_t(LoadU16(QueryLayerTable + kSavedWordB)); }

int16_t HVW_GetTablePair(int16_t i, int16_t* out, int16_t j) {
    const uint8_t* entry = EuropeanTable + (j * kPairEntries + i) * 4;
    *out = int16_t(LoadU16(entry + 2));
    return int16_t(LoadU16(entry));
}

int16_t HVW_GetTablePair2(int16_t a, int16_t b, int16_t c, int16_t* out) {
    const int16_t* row = TablePair2Blocks[a][b];
    *out = row[24 + c];
    return row[c];
}

int16_t HVW_ListClubsPassingTest(int16_t* list, int16_t capacity) {
    for (int i = 0; i < capacity; ++i) list[i] = -1;
    int16_t count = 0;
    for (int16_t club = 0; club < kClubCount && count < capacity; ++club) {
        if (IsBoardUnhappy(club) != 0) list[count++] = club;
    }
    return count;
}

int16_t HVW_GetCountryTriple(int16_t index) { return CountryTriples[index][2]; }
int16_t* HVW_GetCountryTripleAddress(int16_t index) { return CountryTriples[index]; }
int16_t* HVW_GetCountryTripleAddress2(int16_t index) { return &CountryTriples[index][1]; }

int16_t HVW_GetSeasonOfDate(int16_t year, int16_t month) {
    return int16_t(month < 6 ? year - 2003 : year - 2002);
}

int16_t HVW_ShiftSeasonMonth(int16_t month) { return int16_t(month >= 6 ? month - 6 : month + 6); }

// The 1200 six-byte mark records (two bytes and a 32-bit word) of the
// season code's table of 7200 bytes.
void HVW_ClearClubMarks() {
    static_assert(sizeof ClubMarkRecords == kClubCount * 6);
    for (int club = 0; club < kClubCount; ++club) {
        uint8_t* mark = ClubMarkRecords + club * 6;
        mark[0] = 255;
        mark[1] = 255;
        recbits::StoreU32(mark + 2, 0);
    }
}

int16_t HVW_GetClubRecordField(int16_t club) { return int16_t(GetClubSeasonDispoints(club)); }

void HVW_ClearTransferRecords() { std::memset(TransferRecords, 0xFF, sizeof TransferRecords); }

void HVW_RandomiseDivisionList(int16_t division, int16_t unused, int16_t country) {
    (void)unused;
    int n = DivisionLayout[country][division].clubs;
    if (n > int(std::size(SharedDivisionList))) n = int(std::size(SharedDivisionList));
    for (int i = 0; i < n; ++i) SharedDivisionList[i] = int16_t(GameRandom() % 100);
}

int16_t HVW_SelectMatchFixture(int16_t slot) {
    MenuFixtureHome = int16_t(GetMatchClubA(slot));
    MenuFixtureAway = int16_t(GetMatchClubB(slot));
    MenuFixtureComp = int16_t(GetMatchCompetition(slot));
    return MenuFixtureComp;
}

int16_t HVW_CountBidsForPlayer(uint16_t player) {
    int16_t count = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int16_t slot = 0; slot < 4; ++slot) {
            if (GetClubBidPlayer(club, slot) == player) ++count;
        }
    }
    return count;
}

namespace {

// Eight decimal digits, tens of millions first.
void SplitDigits(int32_t value, int8_t* row) {
    int32_t rest = value < 0 ? -value : value;
    for (int i = 7; i >= 0; --i) {
        row[i] = int8_t(rest % 10);
        rest /= 10;
    }
}

}  // namespace

void HVW_SplitOfferDigits(int16_t mode, int32_t b, int32_t a) {
    if (mode == 1) SplitDigits(a, OfferDigitRows[0]);
    SplitDigits(b, OfferDigitRows[1]);
}

void HVW_SplitOfferDigitsRounded(int16_t mode, int32_t b, int32_t a) {
    HVW_SplitOfferDigits(mode, RoundDownToHundred(b), RoundDownToHundred(a));
}

void HVW_NoOperation() {}
int16_t HVW_ReturnNone() { return -1; }
int16_t HVW_ReturnZero() { return 0; }
int16_t HVW_ReturnZero2() { return 0; }

// ---------------------------------------------------------------------------
// Season resets

// Frees every record of the match event history (kind bits 1-7 of the
// flags byte all ones), so a new season starts an empty history as a new
// game does.
void HVW_MarkAll9ByteRecords() {
    constexpr size_t kRecord = 9;
    constexpr size_t kKindByte = 4;
    for (size_t at = 0; at + kRecord <= sizeof MatchEventHistory; at += kRecord) {
        MatchEventHistory[at + kKindByte] |= 0xFE;
    }
}

// ---------------------------------------------------------------------------
// Saved state words and plain operations

int16_t HVW_GetStateWord1(int16_t* out) { return *out = CurrentTacticB; }
int16_t HVW_GetStateWord2(int16_t* out) { return *out = SeasonStepWord; }

int32_t HVW_RoundedSquareRoot(int32_t n) {
    if (n < 0) return -1;
    // i: the smallest whole number whose square exceeds n, found from the
    // floating-point root and corrected for its rounding.
    int64_t i = int64_t(std::sqrt(double(n)));
    while (i * i <= n) ++i;
    while (i > 0 && (i - 1) * (i - 1) > n) --i;
    const int64_t below = i - 1;
    return int32_t(n - below * below < i * i - n ? below : i);
}

uint8_t HVW_RandomBelow23() { return uint8_t(GameRandom() % 23); }
