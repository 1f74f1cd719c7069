// Per-day fixture processing: every fixture of the day is checked, its
// match record prepared, played (with or without the display) or
// predicted, its score stored and its events logged, and the clubs'
// post-match work is done.  The day without screens runs the whole day in
// the order the match-day driver keeps.
#pragma once
#include <cstdint>

// The shoot-outs of the day: bits 0-14 the fixture slot (all ones an empty
// entry), bit 15 set when the away side won; emptied at the start of every
// match day.
constexpr int kShootOutEntries = 32;
extern uint32_t ShootOutList[kShootOutEntries];
extern int16_t ShootOutCount;

// Fixtures that reached the match stage.
extern int16_t ProcessedFixtureCount;
// 1 when the last result came from the match simulation, 0 from the
// prediction.
extern uint8_t PlayedBySimulation;
// 1 after a predicted result, 0 after a simulated match.
extern int16_t LastResultPredicted;

// How a fixture's result is produced: the match (display or not as
// DisplayModeFlags says) and the quick prediction.  The game's own by
// default; tests put counting stand-ins here.
struct FixtureResultMakers {
    void (*playMatch)();
    void (*predict)(int16_t home, int16_t away, int16_t competition, int16_t extraTime, int16_t fifthWord,
                    int16_t penalties, int16_t userCompetition, int16_t slot);
};
extern FixtureResultMakers ResultMakers;

// The log of every played fixture's events: 140000 records of 9 bytes
// (u16 fixture slot, u16 player, a 32-bit flags word: bit 0 the side, bits
// 1-7 the signed kind, -1 a free record; u8 minute).  Saved with the game.
// A played first-team club fixture's events follow a record naming its
// referee (kind 5).
constexpr int kMatchEventRecords = 140000;
constexpr int kMatchEventRecordSize = 9;
extern uint8_t MatchEventHistory[kMatchEventRecords * kMatchEventRecordSize];
// Kind of a record (-1 free), and its fields.
int8_t MatchEventKind(int record);
uint16_t MatchEventFixture(int record);
uint16_t MatchEventPlayer(int record);
int MatchEventSide(int record);
uint8_t MatchEventMinute(int record);
// Every record free (a new game).
void MatchEvents_Clear();
// While kept, MatchEvents_Record looks for the first free record from where
// its last match's records ended instead of from the log's start: only it
// and MatchEvents_Clear write the log while a day's fixtures are played.
// Keepers may nest; the last MatchEvents_KeepFirstFree(false) forgets it (a
// load or a season's reset may follow).
void MatchEvents_KeepFirstFree(bool keep);

// The first fixture of today still unplayed; -1 when none.
int16_t FindFirstUnplayedFixtureToday();
// Deletes a fixture that failed validation; a national match's squads
// are released first.
void DeleteInvalidFixture(int16_t slot);
// Validates and processes the fixture; an invalid one is deleted.  1 when
// it was played, -1 when it was deleted after its sides were picked.
int16_t PlayFixtureIfValid(int16_t slot);
// 1 when the fixture can be played: both clubs are clubs (a club number
// outside 0..1199 ends the program) and a national-team fixture has both
// line-ups complete.
int16_t ValidateFixture(int16_t slot);
// Prepares, plays or predicts, stores and books the fixture; 0 when a
// national line-up could not be completed (the fixture stays unplayed);
// -1 when a reserve side could not be raised to the seven players a match
// needs (the fixture is deleted and the next one is in its slot).
int16_t ProcessFixture(int16_t slot);
constexpr int kFewestPlayersOnThePitch = 7;
// How the result is produced: the match with or without display, or the
// prediction.  userCompetition 1 when the fixture is of the human club's
// competition (and division) of the day.
void PlayFixture(int16_t home, int16_t away, int16_t competition, int16_t userCompetition, int16_t slot);
// The result block's score into the fixture (each side at most 30) and a
// shoot-out into the shoot-out list.
void StoreFixtureScore(int16_t slot);
// Appends the match's goals, cards and the like to the event log.
void MatchEvents_Record(int16_t slot);

// The day's pieces as the match-day screens use them.
void EmptyShootOutList();
// 1000 random exchanges among today's fixtures; a day with a national-team
// fixture is left as it is.
void ShuffleDayFixtures();
// The start of a match day: the shoot-out list emptied, the prediction's
// reports cleared, the display's results-only bit cleared.
void ResetPipelineDay();
inline int16_t FindFirstUnplayedFixtureOfDay() { return FindFirstUnplayedFixtureToday(); }
inline int16_t ProcessFixtureAt(int16_t slot) { return PlayFixtureIfValid(slot); }

// While a day's fixtures are processed, the tables that their matches would
// otherwise rebuild by walking whole tables are kept: the clubs' managers,
// the players' market keys and club words, the index of the clubs' short
// lists, the event log's first free record, the clubs' formation tallies
// and their league home counts. Each answers as its walk does; the setters
// keep them true, and the last keeper drops them (a load may follow).  The
// players' new history entries of the day's matches wait beside the list
// and go in together when the keeper ends.
class DayFixturesKeeper {
  public:
    DayFixturesKeeper();
    ~DayFixturesKeeper();
    DayFixturesKeeper(const DayFixturesKeeper&) = delete;
    DayFixturesKeeper& operator=(const DayFixturesKeeper&) = delete;
};

// One whole day without screens: every unplayed fixture of today in table
// order, then the day advance.
void PlayDayWithoutScreens();
