// Training and player development: the user's daily training of his squad
// through the training records, and the computer clubs' training.
#pragma once
#include <cstdint>

#include "core/club/trainingeffects.h"

// Training kinds of a record (0..21).
constexpr int16_t kTrainingRest = 4;
constexpr int16_t kTrainingGeneral = 8;
constexpr int kTrainingKinds = 22;

// The days between two development steps (a) and between two fatigue
// rises (b) of a player: one happens with a chance of 1 in the interval.
int16_t DevelopmentInterval(uint16_t player);
int16_t FatigueInterval(uint16_t player);

// The user club's training of one day over the 100 training records, then
// the youth players of its roster.
void ProcessSquadTrainingDay();
// One development step of one training kind for the player of a training
// record; pick 0..3 chooses among the kind's attributes.  Raises are
// counted in the record.
void DevelopPlayerAttributes(int16_t record, int16_t pick, uint16_t kind);
// The improvement counter of a training record (0..16) that counts the
// raises of attribute 0..27; -1 for an attribute training does not count.
int16_t TrainingCounterOfStat(int stat);
// How well each position code 0..12 fits a player, shared by the daily
// training and the training screen's retraining offer.  A row holds three
// flags that pick the side setting that counts (setting 3, 1, 2; the first
// set flag wins) and the weights of stats 8, 10, 13, 9, 3, 4, 2, 5 and 1.
constexpr int kPositionCodes = 13;
constexpr int kPositionSuitabilityWords = 12;
extern const int16_t PositionSuitability[kPositionCodes][kPositionSuitabilityWords];
// 33 x the chosen setting + the sum of weight x (stat / 10); 0 for a
// position outside 0..12.
int16_t PositionSuitability_Score(uint16_t player, int16_t position);
// The role 0..12 the player's attributes and side settings fit best.
int16_t BestRoleForPlayer(uint16_t player);
// The computer's development step: the same raises for kinds 0-3, rest for
// kind 4, general work for kind 8; nothing is counted or posted.
void ComputerDevelopPlayer(uint16_t player, int16_t pick, int16_t kind);
