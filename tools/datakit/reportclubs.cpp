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

constexpr ClubHonoursRow kHonours[] = {
#define CLUB_HONOURS(club, ...) {club, {__VA_ARGS__}},
#include "data/world/club_honours.inc"
#undef CLUB_HONOURS
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

std::string CheckClubHonours(std::span<const ClubHonoursRow> rows) {
    const std::vector<PlannedClub> plan = PlanWorldClubs();
    auto countsOf = [&rows](int club) -> const int* {
        for (const ClubHonoursRow& r : rows) {
            if (r.club == club) return r.counts;
        }
        return nullptr;
    };
    // The n-th club of a nation's division in the plan's order.
    auto clubOf = [&plan](int nation, int division, int index) {
        int seen = 0;
        for (size_t c = 0; c < plan.size(); ++c) {
            if (plan[c].nation == nation && plan[c].division == division && seen++ == index) return int(c);
        }
        return -1;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const int club = rows[i].club;
        if (club < 0 || club >= int(plan.size()))
            return Problem("honours", int(i), "names a club the world lacks");
        if (plan[club].nation > 1)
            return Problem("honours", int(i), "the club plays outside the first two nations");
        for (int count : rows[i].counts) {
            if (count < 0 || count > 255) return Problem("honours", int(i), "a count outside 0-255");
        }
    }
    for (int nation = 0; nation < 2; ++nation) {
        // Titles, runners-up, cup 0 wins and cup 0 finals lost of the row.
        const struct {
            int club, count;
            const char* what;
        } kShipped[] = {{clubOf(nation, 0, 0), 0, "the champion has no title"},
                        {clubOf(nation, 0, 1), 1, "the runner-up was never runner-up"},
                        {clubOf(nation, 0, 2), 2, "the cup winner has no cup"},
                        {clubOf(nation, 1, 0), 3, "the cup runner-up lost no final"}};
        for (const auto& s : kShipped) {
            const int* counts = countsOf(s.club);
            if (counts == nullptr || counts[s.count] < 1) return Problem("honours of nation", nation, s.what);
        }
        int last = 1000;
        for (int index = 0;; ++index) {
            const int club = clubOf(nation, 0, index);
            if (club < 0) break;
            const int* counts = countsOf(club);
            const int titles = counts == nullptr ? 0 : counts[0];
            if (titles > last)
                return Problem("honours of nation", nation, "titles rise down the top division");
            last = titles;
        }
    }
    return "";
}

std::string CheckReportClubTables() {
    if (std::size(kDerbies) != 62)
        return Problem("derby", int(std::size(kDerbies)), "the table needs 62 pairs");
    if (std::size(kMarked) != 13)
        return Problem("marked club", int(std::size(kMarked)), "the table needs 13 clubs");
    const std::string clubs = CheckReportClubs(kDerbies, kMarked);
    return clubs.empty() ? CheckClubHonours(kHonours) : clubs;
}

void CheckReportClubTable() {
    const std::string problem = CheckReportClubTables();
    if (!problem.empty()) DatakitFail("%s", problem.c_str());
}

}  // namespace datakit
