// Query layer: honour sentences, injury and code texts, the fields of
// archived messages, and the texts naming roles and places in a tactic.
#pragma once
#include <cstdint>

// "Winners: Cup" style sentence of an honour event 1-31 of a club of
// country 0-7.
const char* HVW_GetHonourEventText(int16_t event, int16_t country);
int16_t HVW_GetCode12TextId(int16_t code);
int16_t HVW_GetInjuryTextId(int16_t type);

// The fields of message slot 0-99 of the club's archive; gives its type.
int16_t HVW_GetTeamTalkMessage(int16_t club, int16_t slot, int16_t* clubA, int16_t* clubB, int32_t* playerA,
                               int32_t* playerB, int16_t* word1, int16_t* word2, int32_t* amount,
                               int16_t* text1, int16_t* text2, int32_t* number1, int32_t* number2,
                               int16_t* day, int16_t* extra);

// Text id naming where the tactic of a side (1 = side B, else side A)
// puts the player of a slot; -1 for a negative slot.
int16_t GetTacticPosText(int16_t slot, int16_t side);
int16_t HVW_GetRoleText(int16_t role);

// ---------------------------------------------------------------------------
// Position texts

// 2430 + code for a position code 0..12, else -1.
int16_t HVW_GetPositionTextId2430(int16_t code);
// The text naming a position 0..13; -1 for any other number.
int16_t GetPositionNameTextId(int16_t position);
