#include "tools/datakit/historycolumns.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/season/cuprounds.h"
#include "core/season/leagues.h"
#include "tools/datakit/stage.h"

namespace datakit {
namespace {

constexpr HistoryCellRow kShippedCells[] = {
#define HISTORY_CELL(country, league, cup) {country, league, cup},
#include "data/world/history_columns.inc"
#undef HISTORY_CELL
};

constexpr int kCells = 20;
constexpr int kReserveCodes = 6;
constexpr int kOpenerCupCode = 7;
constexpr int kLastCodes[] = {12, 13, 14};
constexpr int kEuropeanCupCodes[] = {4, 6};
constexpr int kNationalCups = 4;

std::string Problem(int country, const char* what, int code) {
    char text[160];
    std::snprintf(text, sizeof text, "history columns of country %d: %s %d", country, what, code);
    return text;
}

// The order a cell must keep: divisions, reserve leagues, cups, the last
// three.
int OrderClass(const HistoryCellRow& c) {
    if (c.league >= 0 && c.league < kReserveCodes) return 0;
    if (c.league >= kReserveCodes && c.league < 2 * kReserveCodes) return 1;
    if (c.cup >= 0) return 2;
    return 3;
}

}  // namespace

std::string CheckHistoryColumns(std::span<const HistoryCellRow> cells) {
    for (int country = 1; country < kCountryCount; ++country) {
        std::vector<HistoryCellRow> row;
        for (const HistoryCellRow& c : cells)
            if (c.country == country) row.push_back(c);
        if (int(row.size()) > kCells) return Problem(country, "cells past", kCells);
        auto hasLeague = [&](int code) {
            return std::any_of(row.begin(), row.end(),
                               [&](const HistoryCellRow& c) { return c.league == code; });
        };
        auto hasCup = [&](int code) {
            return std::any_of(row.begin(), row.end(),
                               [&](const HistoryCellRow& c) { return c.cup == code; });
        };
        for (const HistoryCellRow& c : row) {
            if ((c.league < 0) == (c.cup < 0))
                return Problem(country, "a cell needs one code, not", c.league);
        }
        for (size_t i = 1; i < row.size(); ++i)
            if (OrderClass(row[i]) < OrderClass(row[i - 1]))
                return Problem(country, "cell out of order at", int(i));
        for (int i = 0; i < 3; ++i) {
            const int at = int(row.size()) - 3 + i;
            if (at < 0 || row[at].league != kLastCodes[i])
                return Problem(country, "does not end with", kLastCodes[i]);
        }
        // Every code its fixtures can produce.
        for (int d = 0; d < kDivisionCount; ++d) {
            const DivisionLayoutEntry& e = kShippedDivisionLayout[country][d];
            if (e.clubs == 0) continue;
            if (!hasLeague(d)) return Problem(country, "no cell for division", d);
            if (e.third == 1 && !hasLeague(d + kReserveCodes))
                return Problem(country, "no cell for reserves", d);
        }
        for (int cup = 0; cup < kNationalCups; ++cup)
            if (CupRoundCounts[country][cup] > 0 && !hasCup(cup))
                return Problem(country, "no cell for cup", cup);
        for (int cup : kEuropeanCupCodes)
            if (!hasCup(cup)) return Problem(country, "no cell for European cup", cup);
        const bool opener = std::find(std::begin(kSeasonOpenerCountries), std::end(kSeasonOpenerCountries),
                                      country) != std::end(kSeasonOpenerCountries);
        if (opener && !hasCup(kOpenerCupCode)) return Problem(country, "no cell for the season opener", 7);
    }
    return "";
}

std::string CheckHistoryColumnTables() { return CheckHistoryColumns(kShippedCells); }

void CheckHistoryColumnTable() {
    const std::string problem = CheckHistoryColumnTables();
    if (!problem.empty()) DatakitFail("%s", problem.c_str());
}

}  // namespace datakit
