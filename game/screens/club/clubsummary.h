// The club squad and money summary (screen 60): per position type the
// club's squad players and how many are suspended, injured or away with
// their nation, and how many it bought and sold; its transfer fees, weekly
// wage bill and the season's income, expenditure and profit or loss.  Its
// buttons lead to the money, squad, soak, team and squad-list screens; the
// way back is kept across the squad list it opens.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The club shown; the values of PreviousMenuOption and SelectedClub when
// the screen was entered from another screen.
extern int16_t SummaryClub;
extern int16_t SummarySavedPrevious;
extern int16_t SummarySavedClub;

extern const MenuItem SummaryScreenTable[];
void SummaryScreenMenuProc();
int32_t SummaryScreen_ToMoney(MenuHotItem* item);
int32_t SummaryScreen_ToSquads(MenuHotItem* item);
int32_t SummaryScreen_ToFixtures(MenuHotItem* item);
int32_t SummaryScreen_ToPickTeam(MenuHotItem* item);
int32_t SummaryScreen_ToClubSquad(MenuHotItem* item);
int32_t SummaryScreen_Exit(MenuHotItem* item);

// What the screen shows, for tests: per position type 0-3 the squad,
// suspended, injured, on-duty, bought and sold counts; then the fees paid
// and received, the wage bill, income, expenditure and profit or loss.
struct SummaryRowCounts {
    int16_t positionText, squad, suspended, injured, onDuty, bought, sold;
};
struct SummaryMoney {
    int64_t feesPaid, feesReceived, wageBill, income, expenditure, profit;
};
const SummaryRowCounts& SummaryShownRow(int type);
const SummaryMoney& SummaryShownMoney();
