// The day's fixtures as the match-day driver sees them.
#pragma once
#include <cstdint>

// The human club's competition of today and, for a league fixture, its
// division; -1 when no human club plays today.  Set by
// FindHumanClubFixture.
extern int16_t HumanClubCompetition;
extern int16_t HumanClubDivision;

// The first club with a non-zero reputation and control mode is the human
// club; its first fixture of today other than a national-team day sets the
// two words above.
void FindHumanClubFixture();

// The club's fixture slots from today on, national-team days left out, in
// table order; -1 after the last.
constexpr int kClubFixtureListSize = 100;
extern int16_t ClubFixtureList[kClubFixtureListSize];
// Fills ClubFixtureList for the club; gives the count.
int16_t BuildClubFixtureList(int16_t club);

// Keeps the front end alive during long work without display: polls when
// more than 100 timer ticks have passed since the last poll.  While the
// match-day display is showing, it runs its frame instead.
void MatchFrameTimer();

// The day-end check of the user's club after the day's fixtures.  It checks
// nothing: no rule for it is laid down.
void CheckUserClubDayEnd();
