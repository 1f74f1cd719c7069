// The part-exchange list (screen 91): the user's players who may be offered
// in part exchange on the deal sheet, in two sorted columns; a pick fills
// the sheet's first free exchange slot and goes back to it.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kExchangeCandidates = 32;

extern uint16_t ExchangeCandidates[kExchangeCandidates];
extern int16_t ExchangeCandidateCount;
extern int16_t ExchangeLeftRows;
extern uint32_t ExchangeKeySortOn;
extern uint32_t ExchangeGroupByPositionOn;
extern uint16_t ExchangeSortKey;
// The value cell of each candidate under the key (for tests).
extern char ExchangeValueText[kExchangeCandidates][40];
// Text 1732 while no player can be offered, else -1.
extern int16_t ExchangeEmptyText;

extern const MenuItem ExchangeListTable[];
void ExchangeListMenu();
// Both passes over the user's lists.
void ExchangeList_Build();
// Fills the value cells by the key; an unknown key is fatal.  Kept in the
// module's namespace: the squad numbers screen's function has the name.
namespace exchangelist {
void DisplaySort();
}
// The pick of candidate index i into the first free exchange slot.
int32_t ExchangeList_Pick(int index);
// The sort pop-up's key choice: morale, fitness and fatigue are refused in
// the late season with text 1175.
int32_t ExchangeList_ChooseSortKey(uint16_t key);
int32_t ExchangeList_Back(MenuHotItem* item);
