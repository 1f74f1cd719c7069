// The check of the authored per-nation language table the staff screens
// read (data/staff/languages.inc).
#pragma once
#include <string>

namespace datakit {

// "" when the table is sound, else what is wrong with it: one row per
// nation in order, codes -1, 0..22 or 25, and the league countries' rows
// as the game expects them.
std::string CheckStaffLanguages();
// A generator step: fails the kit when the check fails.
void CheckStaffLanguageTable();

}  // namespace datakit
