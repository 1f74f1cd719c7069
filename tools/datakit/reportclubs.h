// The check of the match report's authored club tables (data/world/
// derby_pairs.inc and marked_clubs.inc) against the world plan.
#pragma once
#include <span>
#include <string>

namespace datakit {

struct DerbyPairRow {
    int first;
    int second;
};
// "" when every club exists in the plan and both clubs of each derby share
// a nation, else what is wrong.
std::string CheckReportClubs(std::span<const DerbyPairRow> derbies, std::span<const int> marked);
// The check of the shipped tables.
std::string CheckReportClubTables();
// A generator step: fails the kit when the check fails.
void CheckReportClubTable();

}  // namespace datakit
