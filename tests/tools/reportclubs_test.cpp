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
