// Query layer: competition codes, cup and round counts, round and
// competition names, second legs, the club's next fixtures and the day's
// fixture listings and line-ups.
#pragma once
#include <cstdint>

struct TeamMatchReport;

// Rounds of cup slot 0..6 of the country (European slots from country 0).
int16_t HVW_GetCupRoundCount(int16_t cup, int16_t country);

// 1 when the round of cup slot 0 of the country is played over two legs.
int16_t HVW_IsRuleBlockValue2(int16_t round, int16_t country);
int16_t HVW_CountNationCups(int16_t country);

extern int16_t DivisionFilterWord;
int16_t HVW_GetCompRoundText(int16_t code, int16_t* roundText, int16_t* legText, int16_t country);
const char* HVW_FormatCompetitionName(int16_t code, int16_t division, int16_t withRound, int16_t country);
int16_t HVW_GetCompRoundTextId(int16_t division, int16_t country);
int16_t HVW_GetCompRoundTextId2(int16_t division, int16_t country);
char* HVW_GetDivisionRoundEntry(int16_t n, int16_t country);
char* HVW_GetCupRoundEntry(int16_t n, int16_t cup);
int16_t HVW_IsSecondLegFixture(int16_t slot);
int16_t HVW_FindClubNextFixtureSlot(int16_t club);
int16_t HVW_FindClubNextCupFixtureSlot(int16_t club);
int16_t HVW_FindHumanFixtureOnDay(int16_t day);
int16_t HVW_GetNextOpponent(int16_t club);
int16_t HVW_IsUserFixture(int16_t slot);
int16_t HVW_FindNextFixtureByCategory(int16_t day, int16_t start, int16_t single, int16_t* category);
void HVW_StoreLineUpEntry(int16_t slot, int16_t side, int16_t entry, const TeamMatchReport* report);
int16_t HVW_GetPlayerLastMatchValue(uint16_t player);
void HVW_ClearLineUp(int16_t slot, int16_t side);
void HVW_CountFixturesOnDay(int16_t day, int16_t* userSlot, int16_t* sameCount, int16_t* flaggedSlot,
                            int16_t* flaggedCount, int16_t* otherCount);
