// The contract talks (screen 14): the user's offer against the player's
// demands, for a renewal of his own player, a player he is buying, or a
// player of another club in a pending exchange deal.
#pragma once
#include <cstdint>

#include "core/club/contracts.h"
#include "game/screens/engine/screenmachine.h"

// Why the talks were opened: 0 the manager asked; 1..7 the player's old
// role + 1 after an unwelcome role change on the contract screen.  Callers
// clear it before they send the user here.
extern int16_t ContractTalksReason;

// The day messages' check of a contract slot: withdraws the pending deals
// of a player whose exchange players are gone or unavailable; non-zero when
// it found any (the slot is then settled), 0 when the talks must open.
int16_t CheckPendingExchangeDeals(uint16_t player);
// The name the day-message code calls it by.
int16_t InitTransferFilter(uint16_t player);

struct ContractOffer {
    ContractTerms terms;  // clause1 A, clause2 B, clause3 fixed term, clause4 D, 5 E, 6 F, 7 G, clause8 C
    int16_t refusalText;
    int16_t refused;
    int16_t choiceLocked;
};
extern ContractOffer CurrentOffer;
extern ContractTerms CurrentDemands;

extern const MenuItem ContractTalksTable[];
void ContractTalksMenu();
void ContractTalks_Enter();

// The graded money step of the wage and clauses A, E, F, G, and the small
// step of clause D; a lower undoes a raise.
int32_t ContractTalks_GradedStep(int32_t value, bool raise);
int32_t ContractTalks_SmallStep(int32_t value, bool raise);
// The next choice forward or back (0, 2, 3, 4, 5, 6 round).
int16_t ContractTalks_NextChoice(int16_t choice, bool forward);
// The refusal text of the offer against the demands, 0 when it meets them.
int16_t ContractTalks_Refusal(const ContractTerms& offer, const ContractTerms& demands);

// What the last walk shows: the header row, the offer's and the demands'
// lines (0-9), and the refusal line's text id (-1 none).
const char* ContractTalksHeaderText();
const char* ContractTalksOfferLine(int line);
int16_t ContractTalksRefusalShown();

int32_t ContractTalks_WageUp(MenuHotItem* item);
int32_t ContractTalks_WageDown(MenuHotItem* item);
int32_t ContractTalks_YearsUp(MenuHotItem* item);
int32_t ContractTalks_YearsDown(MenuHotItem* item);
int32_t ContractTalks_ChoiceForward(MenuHotItem* item);
int32_t ContractTalks_ChoiceBack(MenuHotItem* item);
// Clause toggles and steps by clause letter index: 0 A, 1 B, 2 C, 3 D, 4 E, 5 F, 6 G.
int32_t ContractTalks_Toggle(int clause);
int32_t ContractTalks_ClauseStep(int clause, bool raise);
int32_t ContractTalks_Offer(MenuHotItem* item);
int32_t ContractTalks_BreakOff(MenuHotItem* item);
