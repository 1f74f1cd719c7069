// Match set-up: the competition rules of a fixture and the countries whose
// clubs take part in money and record work.
#pragma once
#include <cstdint>

#include "season/calendar.h"
#include "season/leagues.h"

// Per country and division row: {points for a win, substitutes, 0}; rows
// beyond a country's last division hold zeros.
enum DivisionRuleByte : int { kRuleWinPoints = 0, kRuleSubstitutes = 1 };
extern const uint8_t DivisionMatchRules[kCountryCount][kDivisionCount][3];

// What a televised match pays, per country and division: each club gets
// one 25th of it.
extern const int32_t BroadcastMoney[kCountryCount][kDivisionCount];

// Money per spectator, per country and division.
extern const int16_t TicketPrice[kCountryCount][kDivisionCount];

// 1 for a country whose leagues are played.
extern const int16_t CountryInPlay[kCountryCount];

// The user's club team as one 6087-byte team block, copied into the block
// the SaveTeam file holds (SavedTeamInfo).
void AutoSelectTeamForSave();
