// What the match preview asks of the season: remarks on a club's league or
// cup situation, the club's current facts (runs, form, standing), key
// players and absentees, danger men, the last meeting of two clubs, the
// leaders of a division and the fixture's title lines.  Remarks are
// finished strings ("" when there is nothing to say), valid until the next
// remark.
#pragma once
#include <cstdint>

// A fact of a club's fact list: kind 0-22, a 2-bit state (2 = not yet
// told) and a 6-bit value.
struct ReportFact {
    uint8_t kind;
    int8_t state;
    int16_t value;
};
static_assert(sizeof(ReportFact) == 4);
constexpr int kMostClubFacts = 3;
constexpr int8_t kFactUntold = 2;

// Up to three facts of the club's current league runs (its side 0 home, 1
// away names the venue of the coming match); the standing kinds 15-22 only
// when no run was worth telling.  Returns the count.
int16_t ClubFacts(int16_t club, int16_t side, ReportFact* out);
// The sentence of one fact about the club.
const char* ClubFactText(int16_t club, const ReportFact& fact);

// Remarks of the preview's opening and situation lines.
const char* SeasonOpeningRemark(int16_t club);
// A story code of the league race or of a European group (7 says nothing).
const char* LeaguePositionRemark(int16_t club, int16_t storyCode);
// A form code 0-5 of a league fixture.
const char* SecondLeagueRemark(int16_t club, int16_t formCode);
// "The holders" when the club won the fixture's cup last season.
const char* CupRemark(int16_t slot, int16_t club);
// The club's finals (count) and wins (returned) in the fixture's cup.
int16_t CupRunCount(int16_t club, int16_t competition, int16_t* count);
// Variant 0 and 1: the finals reached, 2: the wins; club -1 (both clubs
// alike) says nothing.
const char* CupRunRemark(int16_t club, int16_t nation, int16_t cupText, int16_t variant, int16_t number);

// 1 when the club plays outside the nine league nations.
int16_t IsForeignOpponent(int16_t club);
// 1 when the fixture is one the whole town talks about (a derby).
int16_t PreviewFixtureTest(int16_t slot);
// How often the two clubs met: played fixtures of this season, and one
// more when the user's result memory holds an older meeting.
int16_t CountClubMeetings(int16_t club, int16_t other);

// The average reputation of the division's first-team players; 0 outside
// a league.
int16_t DivisionStrength(int16_t nation, int16_t division);
// 0 not a key player; 1-5 the kind of key player (2 and 4 key players, 3
// and 5 stars; 4 and 5 at the back), with the margin of his reputation over
// the division's strength.  Only a club's three best known players count.
int16_t KeyPlayerCategory(uint16_t player, int16_t strength, int16_t* number);

// 0 available; 1 suspended or banned, 2 injured, 3 away with his nation, 4
// cup-tied for the fixture.
int16_t PlayerAbsence(uint16_t player, int16_t slot);
int16_t AbsenceReasonText(int16_t code);

// Over the player's club's last five league fixtures: mode 0 kind 3 the
// fixtures he and a team-mate both scored in (second: that team-mate),
// kind 4 the fixtures he scored in, kind 5 1 when he scored three or more
// goals.  Mode 1 takes a referee in place of the player: over the user's
// club's first-team fixtures he took this season, kind 1 counts the club's
// players he sent off and kind 2 those he booked, with the fixture and
// the player of the last (none: -1 and 0).
constexpr int16_t kRecordOfReferee = 1;
constexpr int16_t kRefereeSendingsOff = 1;
constexpr int16_t kRefereeBookings = 2;
int16_t PlayerRecordCounter(uint16_t player, int16_t mode, int16_t kind, uint16_t* second, int16_t* fixture);
// The club's latest league fixtures in a row in which the player scored.
int16_t PlayerStreak(uint16_t player, int16_t club);

// The user's last meeting with the club as the result memory keeps it
// (goals 31 and 31: none).
struct LastMeetingRecord {
    int16_t goalsA, goalsB;
    int16_t aggregateA, aggregateB;
    uint32_t packed;  // season bits 0-8, day 9-17, competition 18-24, row 25-27, side 28-29
};
LastMeetingRecord LastMeeting(int16_t club);
constexpr int16_t LastMeetingSeason(uint32_t packed) { return int16_t(packed & 0x1FF); }
constexpr int16_t LastMeetingDay(uint32_t packed) { return int16_t(packed >> 9 & 0x1FF); }
constexpr int16_t LastMeetingCompetition(uint32_t packed) { return int16_t(packed >> 18 & 0x7F); }
constexpr int16_t LastMeetingRow(uint32_t packed) { return int16_t(packed >> 25 & 7); }
constexpr int16_t LastMeetingSide(uint32_t packed) { return int16_t(packed >> 28 & 3); }

// The two title lines of a fixture: its competition (with the round) and
// its date; each at most 59 characters.
constexpr int kTitleLineSize = 60;
void FixtureTitleLines(int16_t slot, char (&first)[kTitleLineSize], char (&second)[kTitleLineSize]);

// The club of the division that leads a statistic (0 most goals scored, 1
// fewest conceded, 2 most games won or drawn, 3 fewest lost) among the
// clubs that played; the first found wins a tie; -1 when none.
int16_t DivisionLeader(int16_t nation, int16_t division, int16_t statistic);
// The club's league goals scored, games won and games drawn.
void ClubStatistics(int16_t club, int16_t* goals, int16_t* won, int16_t* drawn);
// The player's place (1 best) among the scorers of the division; 0 when
// he has no goal or plays outside it.
int16_t ScorerRank(uint16_t player, int16_t nation, int16_t division);
