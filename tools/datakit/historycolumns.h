// The check of the day's results browser's authored competition columns
// (data/world/history_columns.inc) against the competitions the shipped
// season lays out for each country.
#pragma once
#include <span>
#include <string>

namespace datakit {

struct HistoryCellRow {
    int country;
    int league;  // -1 none
    int cup;     // -1 none
};
// "" when each country's row (1-8) holds at most 20 cells in the browser's
// order (divisions, reserve leagues, cups, then 12, 13 and 14 last) and has
// a cell for every code its fixtures can produce, else what is wrong.
std::string CheckHistoryColumns(std::span<const HistoryCellRow> cells);
// The check of the shipped table; a generator step that fails the kit.
std::string CheckHistoryColumnTables();
void CheckHistoryColumnTable();

}  // namespace datakit
