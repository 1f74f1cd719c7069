// The check of the authored nationality-to-nation table the squad mood and
// harmony rules read (data/world/nationality_nations.inc).
#pragma once
#include <string>

namespace datakit {

// "" when the table is sound, else what is wrong with it: one row per
// nationality in order, the nine league nations their own, every other
// nationality either its own or one of the nine.
std::string CheckNationalityNations();
// A generator step: fails the kit when the check fails.
void CheckNationalityNationTable();

}  // namespace datakit
