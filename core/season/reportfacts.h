// Match report facts: what the season remembers of the user's matches, and
// the finders and sentence builders the match-day report is written from
// (form and streaks, earlier meetings, derbies, what a European group or a
// cup tie holds at stake).  A finder changes nothing but the report's own
// scratch state; a sentence builder leaves its sentence in ReportSentence.
#pragma once
#include <cstdint>

#include "core/records/ranges.h"

// ---------------------------------------------------------------------------
// Saved state

// The user's club's latest competitive result against each club (12 bytes
// a club): goals A and B (u16; the user's club's and the other's at a
// neutral venue, else home and away), aggregates A and B (i16, second legs;
// -1 otherwise) and a packed word: season bits 0-8, day bits 9-17,
// competition bits 18-24,
// division row bits 25-27 (6 for a cup match), the user's side bits 28-29
// (0 home, 1 away, 2 neutral), bit 30 a shoot-out the user's club won, bit
// 31 one it lost.  Goals adding up to 62 mean no result.
constexpr int kClubResultRecordSize = 12;
extern uint8_t ClubResultMemory[kClubCount * kClubResultRecordSize];
struct ClubResult {
    uint16_t goalsA, goalsB;
    int16_t aggregateA, aggregateB;
    uint32_t packed;
};
constexpr uint32_t kResultShootOutWon = 1u << 30;
constexpr uint32_t kResultShootOutLost = 1u << 31;
ClubResult GetClubResult(int16_t club);
bool HasClubResult(int16_t club);

// The players the report has named: 64 player numbers (u16, 0 empty).
constexpr int kReportPlayerSlots = 64;
extern uint8_t ReportPlayerList[kReportPlayerSlots * 2];

// The match events the report reads: 200 records of 16 bytes: player (u16),
// day (u16), count and competition bytes, a flags word (bit 0 a record of
// the second kind, bits 1-7 the kind).  Player 0 with bit 0 clear ends it.
constexpr int kReportEventSlots = 200;
constexpr int kReportEventSize = 16;
extern uint8_t ReportEventList[kReportEventSlots * kReportEventSize];

// The sentence the last builder wrote ("" when it had nothing to say).
constexpr int kReportSentenceSize = 512;
extern char ReportSentence[kReportSentenceSize];

// ---------------------------------------------------------------------------
// Tables

constexpr int kDerbyPairs = 62;
extern const int16_t DerbyPairs[kDerbyPairs][2];
constexpr int kMarkedClubs = 13;
extern const int16_t MarkedClubs[kMarkedClubs];

// The clubs' honours before the first season (clubs of the first two
// nations; club -1 ends it): league titles in the low byte and runners-up
// in the high byte of `league`, each national cup's wins and lost finals
// likewise, and the European ones.
struct ClubHonoursRecord {
    int16_t club;
    uint16_t league;
    uint16_t cups[4];
    uint16_t europe;
};
static_assert(sizeof(ClubHonoursRecord) == 14);
extern const ClubHonoursRecord ClubHonoursTable[];

// ---------------------------------------------------------------------------
// Result memory

void ClearClubResultMemory();
// After the fixture's score is stored: the user's record against the
// opponent (friendlies, national days and reserve matches are not kept).
void RecordUserClubResult(int16_t slot);

// ---------------------------------------------------------------------------
// Finders

int16_t IsMarkedClub(int16_t club);
int16_t IsDerbyFixture(int16_t slot);
int16_t IsPlayerMentioned(uint16_t player);
void ClearMentionedPlayers();
// Adds the player to the report player list (nothing when it is full).
void MentionPlayer(uint16_t player);

// The club's fixtures from today on (national days never, friendlies only
// when asked), up to max (at most 100) or the end day; the rest of the 100
// entries -1.  Returns the count.
int16_t ListUpcomingFixtures(int16_t club, int16_t max, int16_t weeks, int16_t* out, int16_t withFriendlies);
int16_t FindClubFixtureSlotOnDay(int16_t club, int16_t day, int16_t competition);
int16_t FindUserFixtureOnDay(int16_t day, int16_t competition);

// Story code to language text; -1 for 7 and unknown codes.
int16_t GetStoryTextId(int16_t code);
int16_t GetCupExitTextId(int16_t stage);
// Weight of standing class a minus that of b; 0 outside 0-7.
int16_t CompareStandingClasses(int16_t a, int16_t b);

// The club's league streaks: index kind x 3 + venue (0 home, 1 away, 2
// all); returns the longest.
constexpr int kFormKinds = 11;
constexpr int kFormEntries = kFormKinds * 3;
int16_t GetRecentForm(int16_t club, uint8_t* out);
int16_t CountRecentPoints(int16_t club, int16_t games, int16_t venue);
// Form code 0-5 of a league fixture for the club, or -1.
int16_t ClassifyClubSeason(int16_t club, int16_t slot);
// The club's home and away records and its division row (-1 when none).
struct HomeAwayForm {
    int16_t home[5], away[5];
    int16_t row;
};
HomeAwayForm GetHomeAwayForm(int16_t club);

// Over the report event list: events of the kind for the player and the
// sum of their counts.
int16_t CountPlayerEvents(uint16_t player, int16_t kind, int16_t* countSum);
// The count of a kind-4 event of the club's last remembered result; -1.
int16_t FindEventForClub(int16_t club);
// Empties the report event list (a new game, each new season).
void ClearReportEvents();
// Appends a record to the report event list; when it is full the oldest
// record makes room.
void QueueReportEvent(uint16_t player, int16_t slot, int16_t kind, int16_t count, bool secondKind);
// After a match of the user's club (side 0 home, 1 away): a record of the
// card state (kind 2 or 3) for each of the side's players whose card state
// is 2 or 3, and a record of the second kind, kind 4, with the injury for
// each injured player of the other side.
void QueuePostMatchNotices(int side, int16_t slot);
constexpr int16_t kReportEventInjury = 4;

// For the user's club: 1 when the fixture is a second leg, with the first
// leg's goals (this fixture's home club first); 0 otherwise.
int16_t GetSecondLegFacts(int16_t slot, int16_t* firstLegHome, int16_t* firstLegAway);
// The 20th highest transfer value among the first-team players of the
// division's clubs; 0 when fewer than 20 have one.  The shared squad lists
// are not touched.
int32_t GetSquadValueFigure(int16_t nation, int16_t row);

// From the player's history: kind 3 when he is on loan, else 5 when he has
// a transfer, with its fee in hundreds; 0 (fee 0) when neither.
int16_t FindPlayerTransferFee(uint16_t player, int32_t* fee);
// 1 when the club the player came from (his last transfer's seller, or his
// parent club while on loan) is the opponent of his club in the fixture.
int16_t FindPlayerPreviousClubMeeting(uint16_t player, int16_t slot);

// ---------------------------------------------------------------------------
// The European group stage and the national cup previews

// Story code 38-44 (7 too many open fixtures) of the club's group before
// the fixture; -1 when it has none.
int16_t GetGroupStageStoryCode(int16_t club, int16_t slot);
// Sentence codes of a national cup tie: returns the general code, writes
// one code about each club; -1 = none.
int16_t CompareClubPositions(int16_t slot, int16_t* homeCode, int16_t* awayCode);

// League titles (A) and national cup 0 wins (B) of the club's honours
// record; 1 when it has none or plays outside the first two nations.
int16_t GetClubHonourCountA(int16_t club);
int16_t GetClubHonourCountB(int16_t club);
// The packed wins and lost finals of the cup of the club's next fixture
// (national cups 0-3, the European cups together); 0 when none.
uint16_t GetClubHonourByCup(int16_t club, ClubHonoursRecord* record);

// ---------------------------------------------------------------------------
// Sentences

// Category 0-22 picks the text (17 and unknown ones 2594); the second
// selector picks the list text (0 or less 2556, 1 2557).
const char* BuildCategorySentence(int16_t club, int16_t category, int16_t selector, int16_t count);
// A club's record in a competition: codes 1-3 its wins, runners-up and
// finals in a cup, 11-13 its league titles, runners-up and promotions; a
// count of 0 for codes 1 and 11 says it never won.
const char* BuildRecordSentence(int16_t club, int16_t code, int16_t count);
// Where the club stands in its table (top, near it, mid-table, lower half,
// near the drop, in it).
const char* BuildTableSentence(int16_t club);
// The cup preview sentence of the code (text 2830 + code, 0-61) about the
// club (-1: the tie as a whole), with the goals of the two clubs' earlier
// meeting in the cup this season when there was one.
const char* BuildEarlierMeetingSentence(int16_t code, int16_t club, int16_t slot);
// How the club's place compares with the place its reputation expects,
// then its honours when it has a record.
const char* BuildLeagueContextSentence(int16_t club);
// A body of the local-derby message when the club's next fixture (friendlies
// and national days left out) is a derby; "" otherwise.
const char* BuildDerbySentence(int16_t club);
