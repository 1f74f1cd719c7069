#include "tools/datakit/nationalitynations.h"

#include <cstdio>
#include <iterator>

#include "tools/datakit/stage.h"

namespace datakit {
namespace {

struct NationalityRow {
    int nationality;
    int nation;
};
constexpr NationalityRow kRows[] = {
#define NATIONALITY_NATION(nationality, nation) {nationality, nation},
#include "data/world/nationality_nations.inc"
#undef NATIONALITY_NATION
};
constexpr int kNationalities = 116;
constexpr int kLeagueNations = 9;

std::string Problem(const char* what, int row) {
    char text[120];
    std::snprintf(text, sizeof text, "nationality row %d: %s", row, what);
    return text;
}

}  // namespace

std::string CheckNationalityNations() {
    if (std::size(kRows) != kNationalities)
        return Problem("the table needs one row per nationality", int(std::size(kRows)));
    for (int i = 0; i < kNationalities; ++i) {
        const NationalityRow& row = kRows[i];
        if (row.nationality != i) return Problem("out of order", i);
        if (i < kLeagueNations && row.nation != i) return Problem("a league nation must be its own", i);
        if (row.nation != i && (row.nation < 0 || row.nation >= kLeagueNations))
            return Problem("names neither itself nor a league nation", i);
    }
    return "";
}

void CheckNationalityNationTable() {
    const std::string problem = CheckNationalityNations();
    if (!problem.empty()) DatakitFail("%s", problem.c_str());
}

}  // namespace datakit
