// Questions about one club's fixtures, and the order of today's fixtures.
// "Next fixture" means the club's first fixture in table order from today
// on that is not a national-team day or a reserve-league fixture.
#pragma once
#include <cstdint>

// The other club of the club's next fixture; -1 when none.
int16_t GetNextOpponent(int16_t club);
// While on, each club's next fixture is looked up once and kept until the
// day or the fixture table changes (for passes over every club).
void KeepNextFixtures(bool on);
// The cup-tied slot of the club's next fixture: 0-3 the national cups, 4
// the first European cup, 6 the second and third; 117 a friendly; -1 a
// league fixture or none.
int16_t GetNextFixtureCupSlot(int16_t club);
// 1 when the player has played in the competition of his club's next
// fixture for another club this season, else 0.
int16_t IsPlayerCupTied(uint16_t player);
// The club's fixtures before today (friendlies included, national-team
// days and reserve-league fixtures not), played or not.
int16_t CountPlayedFixturesOfClub(int16_t club);
// Substitutes allowed in the club's next competitive fixture (a
// champion-versus-cup-winner match is passed over); 5 when there is none.
int16_t GetNextFixtureSubstitutes(int16_t club);
// 1-based place of the club counted through every division of its
// country; 1200 when it stands nowhere; 0 for a country not in play.
int16_t GetClubLeaguePosition(int16_t club);
// The index-th word of the competition-day words (0-9); 0 beyond them.
int16_t GetSeasonDayEntry(int16_t index);
// Brings the fixtures of the user's group to the front of today's
// fixtures with his own match last among them; 1 when he plays today.
int16_t OrderTodaysFixtures();

// The same queries under the names the record and query code use.
int16_t FindNextFixtureOfClub(int16_t club);
int16_t GetNextFixtureOfClub(int16_t club);
int16_t GetNextFixtureOfPlayersClub(uint16_t player);
int16_t GetFixtureCompInfo(int16_t club);
