#include "tools/datakit/reportclubs.h"

#include <cstdio>
#include <vector>

#include "tools/datakit/stage.h"
#include "tools/datakit/worldclubs.h"

namespace datakit {
namespace {

constexpr DerbyPairRow kDerbies[] = {
#define DERBY_PAIR(first, second) {first, second},
#include "data/world/derby_pairs.inc"
#undef DERBY_PAIR
};
constexpr int kMarked[] = {
#define MARKED_CLUB(club) club,
#include "data/world/marked_clubs.inc"
#undef MARKED_CLUB
};

std::string Problem(const char* table, int row, const char* what) {
    char text[160];
    std::snprintf(text, sizeof text, "%s row %d: %s", table, row, what);
    return text;
}

}  // namespace

std::string CheckReportClubs(std::span<const DerbyPairRow> derbies, std::span<const int> marked) {
    const std::vector<PlannedClub> plan = PlanWorldClubs();
    auto exists = [&plan](int club) { return club >= 0 && club < int(plan.size()); };
    for (size_t i = 0; i < derbies.size(); ++i) {
        const DerbyPairRow& d = derbies[i];
        if (!exists(d.first) || !exists(d.second))
            return Problem("derby", int(i), "names a club the world lacks");
        if (d.first == d.second) return Problem("derby", int(i), "a club cannot be its own rival");
        if (plan[d.first].nation != plan[d.second].nation)
            return Problem("derby", int(i), "the two clubs play in different nations");
    }
    for (size_t i = 0; i < marked.size(); ++i) {
        if (!exists(marked[i])) return Problem("marked club", int(i), "names a club the world lacks");
    }
    return "";
}

std::string CheckReportClubTables() {
    if (std::size(kDerbies) != 62)
        return Problem("derby", int(std::size(kDerbies)), "the table needs 62 pairs");
    if (std::size(kMarked) != 13)
        return Problem("marked club", int(std::size(kMarked)), "the table needs 13 clubs");
    return CheckReportClubs(kDerbies, kMarked);
}

void CheckReportClubTable() {
    const std::string problem = CheckReportClubTables();
    if (!problem.empty()) DatakitFail("%s", problem.c_str());
}

}  // namespace datakit
