// Query layer: scouting regions, agents' profiles, nation codes and names,
// world regions and how a move between two clubs looks to a player.
#pragma once
#include <cstdint>

constexpr int kNationTextCount = 116;
int16_t HVW_GetScoutingContText(int16_t continent);

// Four lines, one per byte of the agent's word.
const char* HVW_GetAgentsProfile(uint16_t player);
int16_t HVW_GetPositionTextIdOfCode(int16_t code);
int16_t HVW_GetPositionTextId(uint16_t player);

// Three letters, "" for a nation outside 0-115.
const char* HVW_GetNationCode(int16_t nation);
const char* HVW_GetNationEnglishName(int16_t nation);

// World region 1-6; 0 outside 0-115.
int16_t HVW_GetNationContinent(int16_t nation);

// 2, 3 or 4: how a move from club to the other club (-1 none) looks to
// the player.
int16_t HVW_RatePlayerClubInterest(uint16_t player, int16_t club, int16_t otherClub);
