// The income forecast (screen 96): the user's club's income for the season
// worked out afresh from its attendance, ticket price, division and cup
// runs; and the controls of the squad's match-marks grid (screen 82): row
// bars, paging by 17 and the cell and row picks.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

enum IncomeForecastLine : int {
    kForecastGate = 0,
    kForecastSponsorship,
    kForecastMerchandising,
    kForecastTelevision,
    kForecastDomesticCups,
    kForecastEuropeanCups,
    kForecastTotal,
    kForecastLines,
};

// The seven lines (64-bit sums clamped to 32 bits for display).
extern int32_t IncomeForecastValues[kForecastLines];

extern const MenuItem IncomeForecastTable[];
void IncomeForecastMenuProc();
// The forecast of a club.
void IncomeForecast_Compute(int16_t club, int64_t out[kForecastLines]);
// Television money by division status.
int32_t IncomeForecast_Television(int16_t status);
// One cup slot's money: rounds entry .. current - 1 (one round, round 0,
// when the club still plays its entry round) of an n-round cup, with one
// match's gate g; slot 5 pays 2 g once.
int64_t IncomeForecast_Cup(int16_t slot, int16_t entryRound, int16_t currentRound, int16_t rounds,
                           int64_t gate);

// ---- The match-marks grid's controls -------------------------------------------
int32_t MatchMarks_PageUp(MenuHotItem* item);
int32_t MatchMarks_PageDown(MenuHotItem* item);
int32_t MatchMarks_PickRow(MenuHotItem* item);
// A click on the cell of a match column of the item's row.
int32_t MatchMarks_PickCell(int column, MenuHotItem* item);
template <int Column>
int32_t MatchMarks_PickColumn(MenuHotItem* item) {
    return MatchMarks_PickCell(Column, item);
}
// The 17 row bars and the two shaded boxes behind the grid.
void MatchMarks_DrawRowBars(int x, int y, int w, int h);
