// The report's authored club tables pass the kit's check, and the check
// catches a missing club and a derby across nations.
#include <gtest/gtest.h>

#include "tools/datakit/reportclubs.h"
#include "tools/datakit/worldclubs.h"

TEST(ReportClubs, TheAuthoredTablesAreSound) { EXPECT_EQ(datakit::CheckReportClubTables(), ""); }

TEST(ReportClubs, MissingClubsAndDerbiesAcrossNationsAreRefused) {
    const std::vector<PlannedClub> plan = PlanWorldClubs();
    int other = 1;
    while (plan[other].nation == plan[0].nation) ++other;
    const int marked[] = {0};
    const datakit::DerbyPairRow acrossNations[] = {{0, other}};
    EXPECT_NE(datakit::CheckReportClubs(acrossNations, marked).find("different nations"), std::string::npos);
    const datakit::DerbyPairRow missing[] = {{0, 1200}};
    EXPECT_NE(datakit::CheckReportClubs(missing, marked).find("lacks"), std::string::npos);
    const int badMarked[] = {-1};
    const datakit::DerbyPairRow none[] = {{0, 1}};
    EXPECT_NE(datakit::CheckReportClubs(none, badMarked).find("marked club"), std::string::npos);
}

TEST(ReportClubs, HonoursMustHoldTheShippedRowAndFallWithRank) {
    // Nation 0's champion, runner-up, cup winner and cup runner-up (clubs
    // 0, 1, 2 and the first of division 1) and nation 1's.
    const std::vector<PlannedClub> plan = PlanWorldClubs();
    auto first = [&plan](int nation, int division) {
        for (size_t c = 0; c < plan.size(); ++c) {
            if (plan[c].nation == nation && plan[c].division == division) return int(c);
        }
        return -1;
    };
    std::vector<datakit::ClubHonoursRow> rows;
    for (int nation = 0; nation < 2; ++nation) {
        const int top = first(nation, 0);
        rows.push_back({top, {5, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
        rows.push_back({top + 1, {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
        rows.push_back({top + 2, {3, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
        rows.push_back({first(nation, 1), {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}});
    }
    EXPECT_EQ(datakit::CheckClubHonours(rows), "");
    auto broken = rows;
    broken[0].counts[0] = 0;  // the champion without a title
    EXPECT_NE(datakit::CheckClubHonours(broken).find("no title"), std::string::npos);
    broken = rows;
    broken[2].counts[0] = 9;  // the third club above the first
    EXPECT_NE(datakit::CheckClubHonours(broken).find("rise"), std::string::npos);
    broken = rows;
    broken.push_back({first(2, 0), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_NE(datakit::CheckClubHonours(broken).find("outside"), std::string::npos);
}
