#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"

namespace {

TEST(SaveTableTest, HoldsTheBlocksOfASavedGame) {
    EXPECT_EQ(CountDataBlocks(SaveGameDescriptors), 119);
    EXPECT_EQ(SumDataBlockSizes(SaveGameDescriptors), 48408860u);
    // The file's payload adds a size word per block.
    EXPECT_EQ(SumDataBlockSizes(SaveGameDescriptors) + 4 * 119, 48409336u);
    EXPECT_EQ(SaveGameDescriptors[119].address, nullptr);
    EXPECT_EQ(SaveGameDescriptors[119].size, 0u);
}

TEST(SaveTableTest, BlocksAreInFileOrder) {
    EXPECT_EQ(SaveGameDescriptors[23].address, &SeasonCalendar.currentDay);
    EXPECT_EQ(SaveGameDescriptors[34].address, &SeasonCalendar.season);
    EXPECT_EQ(SaveGameDescriptors[35].address, &PlayerCount);
    EXPECT_EQ(SaveGameDescriptors[37].address, FixtureTable);
    EXPECT_EQ(SaveGameDescriptors[38].address, ClubRecords);
    EXPECT_EQ(SaveGameDescriptors[39].address, PlayerRecords);
    EXPECT_EQ(SaveGameDescriptors[40].address, AgentRecords);
    EXPECT_EQ(SaveGameDescriptors[41].address, ClubBids);
    EXPECT_EQ(SaveGameDescriptors[42].address, ClubFinanceRecords);
    EXPECT_EQ(SaveGameDescriptors[109].address, MessageArchive);
    EXPECT_EQ(SaveGameDescriptors[112].address, UserInbox);
    EXPECT_EQ(SaveGameDescriptors[113].address, &NewMessageFlag);
    const uint32_t expected[] = {3024, 3024, 432, 1, 128, 2, 64, 64, 2, 516096, 151200, 20};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(SaveGameDescriptors[i].size, expected[i]) << i;
}

// Every block is its own memory: a load must never write one table's bytes
// over another's.
TEST(SaveTableTest, BlocksNeverOverlap) {
    std::vector<std::pair<uintptr_t, uintptr_t>> ranges;
    for (int i = 0; i < 119; ++i) {
        uintptr_t start = reinterpret_cast<uintptr_t>(SaveGameDescriptors[i].address);
        ASSERT_NE(start, 0u) << i;
        ASSERT_GT(SaveGameDescriptors[i].size, 0u) << i;
        ranges.emplace_back(start, start + SaveGameDescriptors[i].size);
    }
    std::sort(ranges.begin(), ranges.end());
    for (size_t i = 1; i < ranges.size(); ++i) {
        EXPECT_LE(ranges[i - 1].second, ranges[i].first) << i;
    }
}

}  // namespace
