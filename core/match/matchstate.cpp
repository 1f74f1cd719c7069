#include "core/match/matchstate.h"

uint8_t Period;
uint8_t KickOffTeam;
uint8_t AttackDirection;
int16_t FirstKickOffTeam;
int16_t FirstDirection;
int16_t Goals[2];
int16_t ShootOutGoals[2];
int16_t OldGoals[2];
int16_t RuleExtraTime;
int16_t RulePenalties;
int16_t RuleGoldenGoals;
int16_t RuleAwayGoals;
int16_t RefereeFavours;
int16_t LineUpPending;
int16_t MatchOver;
int16_t EventCount;
int16_t MatchFoulChance;
int16_t MatchDismissalThreshold;

uint16_t MatchPhase;
uint8_t MatchFinished;
uint8_t BallTeam;
PitchGeometryValues PitchGeometry = kDefaultPitch;
