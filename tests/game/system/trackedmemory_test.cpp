#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/tickclock.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr uint32_t kBudgetKb = 100;

class MemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::StartCore();
        InitMemory(kBudgetKb);
    }
    void TearDown() override {
        UninitMemory();
        testenv::StopCore();
    }
};

TEST_F(MemTest, RecordSizeIsRequestPlusFourAndBlocksAreAligned) {
    char* text = nullptr;
    double* numbers = nullptr;
    AllocateMemory(&text, 1000, MEM_TYPE_MANUAL_FREE);
    EXPECT_EQ(MemFindItem(&text)->size, 1004u);
    EXPECT_EQ(MemAllocatedTotal(), 1004u);
    AllocateMemory(&numbers, 3 * sizeof(double), MEM_TYPE_MANUAL_NO_MOVE);
    EXPECT_EQ(MemAllocatedTotal(), 1004u + 28u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(text) % alignof(std::max_align_t), 0u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(numbers) % alignof(std::max_align_t), 0u);
    std::memset(text, 'x', 1000);  // the whole user block is usable
    numbers[2] = 2.5;
    EXPECT_EQ(GetMemType(&numbers), MEM_TYPE_MANUAL_NO_MOVE);
    FreeMemory(&text);
    EXPECT_EQ(text, nullptr);
    FreeMemory(&numbers);
    EXPECT_EQ(MemAllocatedTotal(), 0u);
    EXPECT_EQ(MemAllocatedCount(), 0u);
}

TEST_F(MemTest, BudgetPurgesCacheBlocksOldestStampFirst) {
    char* manual[2] = {};
    char* cache[7] = {};
    for (char*& m : manual) AllocateMemory(&m, 10000, MEM_TYPE_MANUAL_FREE);
    for (char*& c : cache) {
        testenv::AdvanceTicks(10);
        AllocateMemory(&c, 10000, MEM_TYPE_AUTO_FREE);
    }
    EXPECT_LT(MemFindItem(&cache[0])->stamp, MemFindItem(&cache[1])->stamp);
    // Touching the oldest block moves it to the back of the purge order.
    testenv::AdvanceTicks(10);
    SetMemTag(&cache[0], GetTimerTicks());
    EXPECT_EQ(MemAllocatedTotal(), 9u * 10004u);

    // 90036 + 25004 passes 102400: two blocks must go.
    char* big = nullptr;
    AllocateMemory(&big, 25000, MEM_TYPE_MANUAL_FREE);
    EXPECT_NE(cache[0], nullptr);
    EXPECT_EQ(cache[1], nullptr);
    EXPECT_EQ(cache[2], nullptr);
    for (int i = 3; i < 7; ++i) EXPECT_NE(cache[i], nullptr) << i;
    EXPECT_EQ(MemAllocatedTotal(), 7u * 10004u + 25004u);
    CheckMemList();

    FreeAutoMemory();
    for (char* c : cache) EXPECT_EQ(c, nullptr);
    EXPECT_NE(manual[0], nullptr);
    FreeMemory(&big);
    for (char*& m : manual) FreeMemory(&m);
}

TEST_F(MemTest, ManualAllocationsMayPassTheBudget) {
    char* blocks[3] = {};
    for (char*& b : blocks) AllocateMemory(&b, 60000, MEM_TYPE_MANUAL_FREE);
    EXPECT_EQ(MemAllocatedTotal(), 3u * 60004u);
    EXPECT_GT(MemAllocatedTotal(), kBudgetKb * 1024u);
    for (char*& b : blocks) FreeMemory(&b);
}

TEST_F(MemTest, ListGrowsBy64AndKeepsEveryBlockValid) {
    uint32_t* blocks[130] = {};
    EXPECT_EQ(MemListCapacity(), 64u);
    for (int i = 0; i < 130; ++i) {
        AllocateMemory(&blocks[i], sizeof(uint32_t), MEM_TYPE_MANUAL_FREE);
        *blocks[i] = uint32_t(i * 7);
        if (i == 63) {
            EXPECT_EQ(MemListCapacity(), 64u);
        } else if (i == 64) {
            EXPECT_EQ(MemListCapacity(), 128u);
        }
    }
    EXPECT_EQ(MemListCapacity(), 192u);
    CheckMemList();
    for (int i = 0; i < 130; ++i) {
        CheckMemItem(MemFindItem(&blocks[i]));
        EXPECT_EQ(*blocks[i], uint32_t(i * 7));
    }
    // Freed records are reused first in list order.
    FreeMemory(&blocks[5]);
    AllocateMemory(&blocks[5], 8, MEM_TYPE_MANUAL_FREE);
    EXPECT_EQ(MemFindItem(&blocks[5]), MemFindItem(&blocks[4]) + 1);
    for (uint32_t*& b : blocks) FreeMemory(&b);
}

TEST_F(MemTest, ResizeKeepsContentsAndAccounting) {
    uint8_t* block = nullptr;
    AllocateMemory(&block, 16, MEM_TYPE_AUTO_FREE);
    for (int i = 0; i < 16; ++i) block[i] = uint8_t(i);
    ResizeMemory(&block, 200000);  // no purge on resize, even past the budget
    EXPECT_EQ(MemAllocatedTotal(), 200004u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(block[i], i);
    ResizeMemory(&block, 8);
    EXPECT_EQ(MemFindItem(&block)->size, 12u);
    EXPECT_EQ(block[7], 7);
    FreeMemory(&block);
}

TEST_F(MemTest, OwnerHandOver) {
    char* a = nullptr;
    char* b = nullptr;
    AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE);
    char* block = a;
    SetMemOwner(&a, &b);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, block);
    FreeMemory(&b);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(MemAllocatedCount(), 0u);
}

TEST_F(MemTest, StatisticsReportPerType) {
    char* a = nullptr;
    char* b = nullptr;
    char* c = nullptr;
    AllocateMemory(&a, 2044, MEM_TYPE_MANUAL_FREE);
    AllocateMemory(&b, 996, MEM_TYPE_MANUAL_FREE);
    AllocateMemory(&c, 5000, MEM_TYPE_AUTO_FREE);
    const char* const* lines = MemStatistics();
    EXPECT_STREQ(lines[0], "MEM TYPE      NUM  TOTAL               LARGEST");
    EXPECT_STREQ(lines[1], "ManualFree      2       3048 (    2k)       2048 (    2k)");
    EXPECT_STREQ(lines[2], "AutoFree        1       5004 (    4k)       5004 (    4k)");
    EXPECT_STREQ(lines[3], "ManualNoMove    0          0 (    0k)          0 (    0k)");
    EXPECT_STREQ(lines[4], "Memory list:  64 items - size      8052 (    7k) of    102400 (  100k)");
    EXPECT_EQ(lines[5], nullptr);
    FreeMemory(&a);
    FreeMemory(&b);
    FreeMemory(&c);
}

// ---- Fatal checks ----------------------------------------------------------------

using MemDeathTest = MemTest;

TEST_F(MemDeathTest, OverwrittenOwnerIsCaughtAtTheNextCheck) {
    char* a = nullptr;
    AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE);
    char* saved = a;
    EXPECT_FATAL(
        {
            char other[32];
            a = other + 16;
            CheckMemList();
        },
        "CheckMemItem\\(\\): pointer var does not point to this memory! \\(Pointer at [0-9A-F]{8}");
    EXPECT_FATAL(
        {
            a = nullptr;
            CheckMemList();
        },
        "CheckMemItem\\(\\): memory pointer var is NULL");
    a = saved;
    FreeMemory(&a);
}

TEST_F(MemDeathTest, DoubleAllocationToOneOwner) {
    char* a = nullptr;
    AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE);
    EXPECT_FATAL(AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE),
                 "Error: AllocateMemory\\(\\): pointer at 0x[0-9A-F]{8,} already allocated");
    FreeMemory(&a);
}

TEST_F(MemDeathTest, CopiesOfAPointerDoNotOwnTheBlock) {
    char* a = nullptr;
    AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE);
    char* copy = a;
    EXPECT_FATAL(FreeMemory(&copy), "FreeMemory\\(\\): pointer at 0x[0-9A-F]+ does not own its memory");
    char* b = nullptr;
    AllocateMemory(&b, 10, MEM_TYPE_MANUAL_FREE);
    EXPECT_FATAL(SetMemOwner(&a, &b), "SetMemOwner\\(\\): pointer at 0x[0-9A-F]+ already allocated");
    FreeMemory(&a);
    FreeMemory(&b);
}

TEST_F(MemDeathTest, TypeWordsAreChecked) {
    char* a = nullptr;
    AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE);
    EXPECT_FATAL(SetMemType(&a, 12345), "CheckMemItem\\(\\): invalid type in memory list info");
    EXPECT_FATAL(SetMemType(&a, MEM_TYPE_FREE_RECORD),
                 "CheckMemItem\\(\\): free type but mem still allocated!");
    SetMemType(&a, MEM_TYPE_AUTO_FREE);
    EXPECT_EQ(GetMemType(&a), MEM_TYPE_AUTO_FREE);
    FreeMemory(&a);
}

TEST_F(MemDeathTest, BlocksLeftAtShutdownAreListedAndFatal) {
    char* a = nullptr;
    AllocateMemory(&a, 10, MEM_TYPE_AUTO_FREE);
    EXPECT_FATAL(
        {
            DebugSetLevel(DEBUG_MEMORY, 20);
            UninitMemory();
        },
        "UninitMemory\\(\\): MemList 0 \\(0x[0-9A-F]+\\) ->Ptr2Ptr: 0x[0-9A-F]+ ->Size: 14 ->Type 9ABCDEF0\n"
        "(.|\n)*Error: UninitMemory\\(\\): 1 memory blocks not free");
    FreeMemory(&a);
}

TEST(MemUninitialisedDeathTest, EveryOperationNeedsInitMemory) {
    char* a = nullptr;
    EXPECT_FATAL(AllocateMemory(&a, 10, MEM_TYPE_MANUAL_FREE), "CheckMemoryInit\\(\\): not initialised");
    EXPECT_FATAL(FreeAutoMemory(), "CheckMemoryInit\\(\\): not initialised");
    EXPECT_FATAL(
        {
            InitMemory(10);
            InitMemory(10);
        },
        "InitMemory\\(\\): already initialised");
}

}  // namespace
