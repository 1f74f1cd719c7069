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
struct ClubHonoursRow {
    int club;
    int counts[12];  // titles, runners-up, cups 0-3 wins and finals, Europe
};
// "" when every club of the honours table plays in nation 0 or 1, each
// nation's champion and runner-up of the season before the first and its
// cup 0 winner and runner-up (the first clubs of its divisions, as the
// shipped honours row has them) hold those honours, and the titles of the
// top division's clubs fall with their rank.
std::string CheckClubHonours(std::span<const ClubHonoursRow> rows);
// The check of the shipped tables.
std::string CheckReportClubTables();
// A generator step: fails the kit when the check fails.
void CheckReportClubTable();

}  // namespace datakit
