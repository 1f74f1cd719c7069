// The results browser's authored competition columns pass the kit's check,
// and the check catches a missing division, cup, opener, a row too long and
// cells out of order.
#include <gtest/gtest.h>

#include <vector>

#include "tools/datakit/historycolumns.h"

namespace {

using datakit::HistoryCellRow;

// Country 2's row as the world needs it: four divisions, two reserve
// leagues, one cup, the season opener, the European cups, 12, 13, 14.
std::vector<HistoryCellRow> CountryTwo() {
    return {{2, 0, -1}, {2, 1, -1}, {2, 2, -1}, {2, 3, -1},  {2, 6, -1},  {2, 7, -1}, {2, -1, 0},
            {2, -1, 7}, {2, -1, 4}, {2, -1, 6}, {2, 12, -1}, {2, 13, -1}, {2, 14, -1}};
}

constexpr HistoryCellRow kShipped[] = {
#define HISTORY_CELL(country, league, cup) {country, league, cup},
#include "data/world/history_columns.inc"
#undef HISTORY_CELL
};

// The shipped rows with country 2's replaced.
std::vector<HistoryCellRow> WithCountryTwo(const std::vector<HistoryCellRow>& row) {
    std::vector<HistoryCellRow> all;
    for (const HistoryCellRow& c : kShipped)
        if (c.country != 2) all.push_back(c);
    all.insert(all.end(), row.begin(), row.end());
    return all;
}

std::string CountryTwoProblem(const std::vector<HistoryCellRow>& row) {
    return datakit::CheckHistoryColumns(WithCountryTwo(row));
}

}  // namespace

TEST(HistoryColumns, TheAuthoredTableIsSound) { EXPECT_EQ(datakit::CheckHistoryColumnTables(), ""); }

TEST(HistoryColumns, MissingCodesLongRowsAndDisorderAreRefused) {
    EXPECT_EQ(CountryTwoProblem(CountryTwo()), "") << "a sound row";
    auto without = [](int league, int cup) {
        std::vector<HistoryCellRow> row = CountryTwo();
        std::erase_if(row, [&](const HistoryCellRow& c) { return c.league == league && c.cup == cup; });
        return row;
    };
    EXPECT_NE(CountryTwoProblem(without(3, -1)).find("division 3"), std::string::npos);
    EXPECT_NE(CountryTwoProblem(without(7, -1)).find("reserves 1"), std::string::npos);
    EXPECT_NE(CountryTwoProblem(without(-1, 0)).find("cup 0"), std::string::npos);
    EXPECT_NE(CountryTwoProblem(without(-1, 7)).find("season opener"), std::string::npos);
    EXPECT_NE(CountryTwoProblem(without(-1, 6)).find("European cup 6"), std::string::npos);
    EXPECT_NE(CountryTwoProblem(without(14, -1)).find("end with"), std::string::npos);
    std::vector<HistoryCellRow> swapped = CountryTwo();
    std::swap(swapped[0], swapped[6]);
    EXPECT_NE(CountryTwoProblem(swapped).find("order"), std::string::npos);
    std::vector<HistoryCellRow> longRow = CountryTwo();
    for (int i = 0; i < 8; ++i) longRow.insert(longRow.begin() + 6, {2, -1, 1});
    EXPECT_NE(CountryTwoProblem(longRow).find("past 20"), std::string::npos);
    std::vector<HistoryCellRow> bothCodes = CountryTwo();
    bothCodes[6] = {2, 4, 0};
    EXPECT_NE(CountryTwoProblem(bothCodes).find("one code"), std::string::npos);
}
