#include "tools/datakit/stafflanguages.h"

#include <array>
#include <cstdio>

#include "tools/datakit/stage.h"

namespace datakit {
namespace {

struct LanguageRow {
    int nation;
    std::array<int, 3> codes;
};
constexpr LanguageRow kRows[] = {
#define NATION_LANGUAGES(nation, a, b, c) {nation, {a, b, c}},
#include "data/staff/languages.inc"
#undef NATION_LANGUAGES
};
constexpr int kNations = 116;
constexpr int kLastCode = 22;
constexpr int kNobodysLanguage = 25;

// Rows the game's rules were written against.
constexpr std::array<std::array<int, 3>, 12> kFixedRows = {{
    {0, -1, -1},
    {0, -1, -1},
    {1, -1, -1},
    {2, -1, -1},
    {3, -1, -1},
    {4, -1, -1},
    {5, -1, -1},
    {6, -1, -1},
    {4, 5, 2},
    {15, -1, -1},
    {2, 5, 1},
    {7, -1, -1},
}};

std::string Problem(const char* what, int row) {
    char text[120];
    std::snprintf(text, sizeof text, "language row %d: %s", row, what);
    return text;
}

}  // namespace

std::string CheckStaffLanguages() {
    if (std::size(kRows) != kNations)
        return Problem("the table needs one row per nation", int(std::size(kRows)));
    for (int i = 0; i < kNations; ++i) {
        const LanguageRow& row = kRows[i];
        if (row.nation != i) return Problem("out of order", i);
        for (int code : row.codes) {
            if (code != -1 && code != kNobodysLanguage && (code < 0 || code > kLastCode)) {
                return Problem("code outside -1, 0..22 and 25", i);
            }
        }
        if (i < int(kFixedRows.size()) && row.codes != kFixedRows[i])
            return Problem("differs from the fixed row", i);
    }
    return "";
}

void CheckStaffLanguageTable() {
    const std::string problem = CheckStaffLanguages();
    if (!problem.empty()) DatakitFail("%s", problem.c_str());
}

}  // namespace datakit
