// The player deal screen (id 89): the manager's hand on one player of his
// squad.  He gives him another squad role and an asking price (both stored
// on the player at once), picks a deal level and one talk of four kinds
// with six options each, and confirms or cancels; from here he can also
// release the player by paying up his contract or open contract talks.
// A deal stays open across visits to other screens until Cancel or Confirm.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kDealKinds = 4;
constexpr int kDealOptions = 6;
constexpr int kDealRoles = 7;

// The open deal; DealStartRole -1 means none is open.
struct DealStateBlock {
    uint32_t entryManPrice;  // the raw man price when the deal was opened (-1 none)
    int32_t askingPrice;
    int16_t currentRole;
    uint16_t kind;        // 0..3, the kind shown
    uint16_t option;      // 0 none, 1..6
    uint16_t chosenKind;  // the kind and option when the option was clicked
    uint16_t chosenOption;
    uint16_t player;  // whose deal it is
};
extern DealStateBlock DealState;
extern int16_t DealStartRole;
// Closes an open deal without touching its player: the deal belongs to the
// game that was running when another is loaded or a new one starts.
void PlayerDeal_Forget();
extern uint16_t DealLevel;
// Set to 1 while the player profile is shown in its read-only mode: the
// talks button then only comes back here.  No screen opens the profile
// that way, so it stays 0.
extern int16_t PlayerProfileMode;

// Morale change of a role change, row = old role, column = new role.
extern const int16_t RoleMoraleTable[kDealRoles][kDealRoles];

extern const MenuItem ContractMenuTable[];
void ContractMenuProc();

// The nine price boxes: the currency sign, then the asking price's lower
// eight digits with commas after the third and sixth box.
void ContractDeal_DrawPriceBoxes(int x, int y, int w, int h);
constexpr int ContractDeal_BoxX(int box) { return 350 + 22 * box + (box >= 3 ? 4 : 0) + (box >= 6 ? 4 : 0); }
// Digit of box 1..8 of a price (the ten-millions down to the units).
int ContractDeal_BoxDigit(int32_t price, int box);

// Handlers.
int32_t ContractDeal_CycleRole(MenuHotItem*);
int32_t ContractDeal_SetLevel(uint16_t level);
int32_t ContractDeal_SetKind(uint16_t kind);
int32_t ContractDeal_SetOption(uint16_t option);
// Steps the asking price: up with the first button, down (not below 0)
// with the second; the price is stored as the man price at once.
int32_t ContractDeal_PriceStep(int32_t step, int32_t buttons);
int32_t ContractDeal_Cancel(MenuHotItem*);
int32_t ContractDeal_Release(MenuHotItem*);
int32_t ContractDeal_OpenTalks(MenuHotItem*);
// Confirm: applies the role change, the level and the chosen talk.
int32_t ContractDeal_Process(MenuHotItem*);

// ---- Views (tests) ---------------------------------------------------------
const char* ContractDealSummary(int line);  // 0..2
const char* ContractDealOptionLabel(int row);
int16_t ContractDealRoleText();
