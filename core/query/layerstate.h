// Query layer: the game-state values and small tables the layer owns, the
// calendar globals and a few plain table operations.
#pragma once
#include <cstdint>

struct TransferRecord;

// ---------------------------------------------------------------------------
// Game-state values owned by the layer

// The country (0..8) whose leagues the screens show.
extern int8_t ViewedCountry;

// A 24-byte saved table of the query layer; words 0 and 1 hold the two saved
// words of HVW_GetSavedWordA and HVW_Get/SetSavedWordB.
extern uint8_t QueryLayerTable[24];

// Read-only tables of the program's data that members read plainly.

// Per country: a signed 32-bit word, then three 16-bit words.
struct CountryBlock {
    int32_t value;
    int16_t words[3];
};
extern CountryBlock CountryBlocks[9];

// Per index a 6-byte record of three 16-bit words.
extern int16_t CountryTriples[9][3];

// 6 rows of 48 words per block (two 24-word halves a row).
extern int16_t TablePair2Blocks[9][6][48];

// 6 words a row: non-zero marks a European place.
extern int16_t EuroPlaceFlags[9][6];

// A fixed table the screens read by address.
extern int16_t QueryFixedTable[24];

// The shared list that HVW_RandomiseDivisionList fills.
extern int16_t SharedDivisionList[24];

// The two digit rows of the offer screens, tens of millions first.
extern int8_t OfferDigitRows[2][8];

// ---------------------------------------------------------------------------
// Calendar globals and small tables

int16_t HVW_GetCurrentDay();
int16_t HVW_GetSeason();
int16_t HVW_GetCalendarWeekday();
int16_t HVW_GetCalendarDay();
int16_t HVW_GetCalendarMonth();
int16_t HVW_GetCalendarYear();
int16_t HVW_GetViewedCountry();
void HVW_SetViewedCountry(int16_t country);

// The control value of the club whose manager the board sacked last.
int16_t HVW_GetHumanSackedFlag();

// The country's league start day (day word A).
int16_t HVW_GetCompNextRoundDay(int16_t country);

// The country's pre-season mark (day word B): from it up to day word A a
// player short of fitness is not available.  Not the split day: country 1's
// comes after its league start and would leave it no pre-season.
int16_t HVW_GetCountryWordB(int16_t country);

// Money per spectator for a division (0..5) of a country (0..8).
int16_t HVW_GetTicketPrice(int16_t division, int16_t country);
int32_t HVW_GetCountryBlockLong(int16_t country);
int16_t HVW_GetCountryBlockWord0(int16_t country);
int16_t HVW_GetCountryBlockWord1(int16_t country);
int16_t HVW_GetCountryBlockWord2(int16_t country);
TransferRecord* HVW_GetTransferRecord(int16_t n);
const int16_t* HVW_GetFixedTableAddress();
int16_t HVW_GetSavedWordA();
void HVW_SetSavedWordB(int16_t value);
int16_t HVW_GetSavedWordB();

// Row j (country) of the European table, entry i of 6: word 0 returned,
// word 1 to the out.
int16_t HVW_GetTablePair(int16_t i, int16_t* out, int16_t j);

// Word c of the first half of row b of block a; the second half's word c
// to the out.
int16_t HVW_GetTablePair2(int16_t a, int16_t b, int16_t c, int16_t* out);

// Fills the list with -1, then with the clubs that pass the board's club
// test, at most capacity of them; gives their count.
int16_t HVW_ListClubsPassingTest(int16_t* list, int16_t capacity);
int16_t HVW_GetCountryTriple(int16_t index);
int16_t* HVW_GetCountryTripleAddress(int16_t index);
int16_t* HVW_GetCountryTripleAddress2(int16_t index);

// Season number of a calendar date (month 0..11).
int16_t HVW_GetSeasonOfDate(int16_t year, int16_t month);

// Calendar month to season month (July = 0) and back.
int16_t HVW_ShiftSeasonMonth(int16_t month);

// Every club's 6-byte mark record (two bytes and a 32-bit word, in the
// season code's table of 7200 bytes) to 255, 255 and 0.
void HVW_ClearClubMarks();

// The club's season disciplinary points byte.
int16_t HVW_GetClubRecordField(int16_t club);
void HVW_ClearTransferRecords();

// Fills SharedDivisionList with random 0..99, one per club of the division.
void HVW_RandomiseDivisionList(int16_t division, int16_t unused, int16_t country);

// Stores the fixture's clubs and code in the menu state; gives the code.
int16_t HVW_SelectMatchFixture(int16_t slot);

// Bid slots of all clubs that name the player.
int16_t HVW_CountBidsForPlayer(uint16_t player);

// Mode 1: a's eight digits to row 0; always b's eight digits to row 1.
void HVW_SplitOfferDigits(int16_t mode, int32_t b, int32_t a);
void HVW_SplitOfferDigitsRounded(int16_t mode, int32_t b, int32_t a);
void HVW_NoOperation();
int16_t HVW_ReturnNone();
int16_t HVW_ReturnZero();
int16_t HVW_ReturnZero2();

// ---------------------------------------------------------------------------
// Season resets

// Bits 1-7 of the first byte of each 9-byte record of the season's match
// mark table set, for a new season.
void HVW_MarkAll9ByteRecords();

// ---------------------------------------------------------------------------
// Saved state words and plain operations

// Two saved 16-bit words of the game state: written to the out and
// returned.
int16_t HVW_GetStateWord1(int16_t* out);
int16_t HVW_GetStateWord2(int16_t* out);

// Square root rounded to the nearest whole number; -1 for a negative n.
int32_t HVW_RoundedSquareRoot(int32_t n);

// 0..22.
uint8_t HVW_RandomBelow23();
