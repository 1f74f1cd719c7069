// The quick result prediction: plays a fixture that is not simulated
// statistically, minute by minute, and leaves its result in the match
// result block as a simulated match does.
#pragma once
#include <cstdint>

// Chance kinds.
constexpr int kQpChanceFreeKick = 6;
constexpr int kQpChanceOpenPlay = 8;
constexpr int kQpChanceHeader = 14;
constexpr int kQpChancePenalty = 18;
// Chance results.
constexpr int kQpChanceGoal = 8;
constexpr int kQpChanceSaved = 0;
constexpr int kQpChanceMissed = 10;
// Goal kinds.
constexpr int kQpGoalOpenPlay = 1;
constexpr int kQpGoalPenalty = 3;
constexpr int kQpGoalFreeKick = 8;
constexpr int kQpGoalOwnGoal = 11;

// Plays the fixture of the set-up block between club A (home) and club B
// and fills the result block.  The rules are the competition's; report
// set appends report records; the message id names the inbox messages of
// a penalty given against the user's club.
void QPredict2(int16_t clubA, int16_t clubB, int16_t competition, int16_t extraTime, int16_t goldenGoal,
               int16_t penalties, int16_t report, int16_t messageId);

// Weighted draws of a team's players on the pitch (line-up places 1..10).
int16_t QPredict2_FindGuiltyPlayer(int team);
int16_t QPredict2_FindPlayerForInjuryChance(int team);
int16_t QPredict2_FindScoringChanceCreator(int team);
int16_t QPredict2_FindPlayerForScoringChance(int team, int creator, int kind);
int16_t QPredict2_FindOwnGoalScorer(int team);

// Resolves one chance: kQpChanceGoal, kQpChanceSaved or kQpChanceMissed.
int16_t QPredict2_TakeChance(int team, int shooter, int kind, int* goalKind);
void QPredict2_GiveCard(int team, int player, int card);
int16_t QPredict2_SendOffIfCarded(int team, int player, int minute);

// The injury type of a player hurt by a foul (a mild one once the team's
// serious injuries reach its limit).
int16_t QPredictInjuryType(int team, int player);

// The team's penalty or free-kick taker, picked afresh when the role is
// empty or its holder has left the pitch; -1 when nobody can take it.
int16_t QPredictSetPieceTaker(int team, bool penalty);

// The score state a late substitution plays for: 2 leading, 1 trailing,
// 0 level or with too long left for the goal difference to matter.
int QPredictScoreState(int difference, int minutesLeft);

// Rescales the match ratings so the top one is believable: a top of 96 or
// more squeezes the ratings above 60, a top of 41..84 stretches those
// above 40.
int16_t QPredictRescaleRating(int rating, int top);

// Minute of the end of the last prediction (90, 120 or a golden goal's).
extern int16_t QPredictFinalMinute;
