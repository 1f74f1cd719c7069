// Challenges that may be fouls: the sliding tackles (89 and 28 share one
// handler; 116 the heavy slide), the slide that took the ball off a player
// on it (90), the standing challenge (91) and its victim's stagger (93),
// the dive (72) and the handball (99).  A foul stops open play on the spot
// (phase 1): who fouled whom and where is recorded, and the referee may be
// left a call (7 a word, 8 a booking, 9 a sending-off).  The foul and card
// helpers here serve every challenge that can be a foul.
#pragma once
#include <cstdint>

// The referee's calls a challenge can leave him.
constexpr uint16_t kCallWord = 7;
constexpr uint16_t kCallBooking = 8;
constexpr uint16_t kCallSendingOff = 9;

// Per team the players sent off in this match; no card is decided once a
// team's count reaches the limit.
extern uint8_t TeamSentOffCount[2];
constexpr uint8_t kSentOffCardLimit = 4;
// The player who committed the last foul (-1 none).
extern int16_t FoulerFigure;
// The last card draw.
extern int16_t FoulCardRoll;
// One pitch-mark latch per sliding tackle (89/28 and 116): a slide leaves
// one mark however long its body contact lasts.
extern uint16_t SlideMarkLatch;
extern uint16_t HeavySlideMarkLatch;

// Clears the per-match challenge state (at the start of a match).
void Match_ResetFoulState();

// The vertical speed (16.16 a tick) a ball deflected at the height gets,
// by height / 10; from height 300 up the given value.
int32_t Match_DeflectionLift(int height, int32_t fromThreeHundred);

// The victim of a challenge by the figure: the ball's last toucher when he
// is a player of the other team, else -1.
int16_t Match_ChallengeVictim(int16_t challenger);
// Who loses the ball to a tackle that wins it: the ball's last toucher,
// team-mate or opponent, or -1 when that was the tackler himself.
int16_t Match_BallLoser(int16_t tackler);
// MatchAttackChance for the team (the referee leans its way this time).
int16_t Match_AttackChanceFor(int team);
// Stops open play for a foul by fouler on fouled (-1 none) at (x, y):
// the foul record, phase 1, the pause restarted and the crowd stirred by
// the closeness of the foul to the crowd team's goal (-1: the team fouled
// against).
void Match_RecordFoul(int16_t fouler, int16_t fouled, int foulingTeam, int16_t x, int16_t y,
                      int crowdTeam = -1);
// Leaves the referee a call on the offender: he goes to deal with it.
void Match_RaiseRefereeCall(uint16_t call, int16_t offender);
// Whether the figure is his team's outfield player nearest its own goal
// line (the first found on equal lines).
bool Match_IsLastDefender(int16_t figure);
// The last-man rule: a carded foul by the last defender with the ball's
// coordinate the tackle reads (x for the sliding tackles of 89 and 116,
// y for the slide of 56) strictly inside 414..1182 becomes a sending-off.
void Match_ApplyLastManRule(int16_t fouler, int16_t ballCoordinate);
// Whether a card may be decided for the figure's foul: his team has not
// reached the sent-off limit and he is not its goalkeeper.
bool Match_CardMayBeDecided(int16_t figure);

// Action handlers.
void Match_ActSlidingTackle(int16_t figure);      // 89 and 28
void Match_ActSlideWithBall(int16_t figure);      // 90
void Match_ActHeavySlide(int16_t figure);         // 116
void Match_ActStandingChallenge(int16_t figure);  // 91
void Match_ActStagger(int16_t figure);            // 93
void Match_ActDive(int16_t figure);               // 72
void Match_ActHandball(int16_t figure);           // 99
