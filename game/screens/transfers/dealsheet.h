// The transfer offer (screen 10): the deal sheet on which the user buys a
// player of another club or answers a club that wants one of his, with his
// side's money set in steps, up to three of his players in part exchange,
// a sell-on percentage, and then a bid or agreed terms.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

struct ExchangeSlot {
    uint16_t player;  // 0 empty
    int32_t spare;
    int32_t value;  // -1 not valued
};

struct DealSheet {
    int16_t direction;  // 0 selling, 1 buying
    int16_t sellingClub, buyingClub;
    int32_t offer, asking, reference, adjustments;
    ExchangeSlot exchange[3];
    int16_t clauseOn, percentage, reply, attempt, interest, verdict;
    int16_t resumed;  // 1-based pending deal being resumed, 0 none
};

extern DealSheet CurrentDeal;
// Start words: set by the screens that open the sheet.  Reset clears the
// exchange slots and adjustments on the next entry; FromProfile shows the
// profile line; PendingNumber names a pending deal (1-based) to resume.
extern int16_t DealSheetReset;
extern int16_t DealSheetFromProfile;
extern int16_t DealSheetPendingNumber;
// The player the sheet deals in while it shows an exchange player's profile.
extern int16_t DealSheetDealtPlayer;

// Told by the front end of the screen it shows next: a screen that is not
// one of an open deal's own leaves the deal, and drops its return link.
void DealSheet_FrontEndGoesTo(int16_t next);
// The deal ended or left: the next entry starts afresh, with no exchange
// player, adjustments, resumed deal, dealt player or way back to the old
// offer.  Run where the offer ends and is left, and by every screen that
// opens a new offer (a profile's Make Offer, the inbox, the day's sales
// and pending deals), which may follow an offer left in the same round.
void DealSheet_StartAfresh();
// The deal is left for good: started afresh, and the next offer answers
// none of the day's sales or deals.
void DealSheet_LeaveTheDeal();

extern const MenuItem DealSheetTable[];
void DealSheetMenu();
// First entry and the walk's rebuild, for tests and the controller.
void DealSheet_Enter();
void DealSheet_Update();

// One step of the user's figure: raised or lowered by step, snapped to the
// reference, cut at the bounds (high < 0: none).  capped is set when a raise
// stopped at the high bound.  In 64 bits, saturated to 32.
int32_t DealSheet_Step(int32_t figure, int32_t step, bool raise, int32_t reference, int64_t low, int64_t high,
                       bool* capped);
// Steps the user's figure as the step buttons do (text 1115 when the
// budget stops a raise).
void DealSheet_StepFigure(int32_t step, bool raise);
// The verdict of the figures as they stand: 0, 1 or 2.
int16_t DealSheet_Evaluate();
// The summed values of the valued exchange players.
int64_t DealSheet_ExchangeValue();

// What the last walk shows: the header row, the two figures' lines and the
// verdict line's text id.
const char* DealSheetHeaderText();
const char* DealSheetFigureText(int side);
int16_t DealSheetVerdictText();

int32_t DealSheet_ToggleClause(MenuHotItem* item);
int32_t DealSheet_PercentDown(MenuHotItem* item);
int32_t DealSheet_PercentUp(MenuHotItem* item);
int32_t DealSheet_ExchangeButton(int slot);
int32_t DealSheet_ExchangeName(int slot);
int32_t DealSheet_Deal(MenuHotItem* item);
int32_t DealSheet_Withdraw(MenuHotItem* item);
int32_t DealSheet_Profile(MenuHotItem* item);
