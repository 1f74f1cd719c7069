#include <gtest/gtest.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/club/tactics.h"
#include "tests/fakes/test_util.h"

namespace {

using recbits::LoadU16;

uint16_t EntryWord(const TacticRecord* record, int entry, int at) {
    return LoadU16(record->bytes + entry * kTacticEntrySize + at);
}

TEST(TacticsTest, PresetsShareOneScratchRecord) {
    TacticRecord* a = GetTacticRecordA(3);
    TacticRecord* b = GetTacticRecordB(5);
    EXPECT_EQ(a, b);
    // Preset 5: shirt 2 at 11,5 with instruction A 1; shirt 10 at 7,11 with C 4.
    EXPECT_EQ(GetTacticEntryX(a, 1), 11);
    EXPECT_EQ(GetTacticEntryY(a, 1), 5);
    EXPECT_EQ(a->bytes[1 * kTacticEntrySize + 18], 1);
    EXPECT_EQ(GetTacticEntryX(a, 9), 7);
    EXPECT_EQ(GetTacticEntryY(a, 9), 11);
    EXPECT_EQ(a->bytes[9 * kTacticEntrySize + 17], 4);
    // Custom indexes are the books' own slots.
    EXPECT_EQ(GetTacticRecordA(10), reinterpret_cast<TacticRecord*>(CustomTacticTableA.bytes));
    EXPECT_EQ(GetTacticRecordB(21), reinterpret_cast<TacticRecord*>(CustomTacticTableB.bytes + 11 * 330));
    EXPECT_EQ(GetTacticRecordB(22), nullptr);
}

TEST(TacticsTest, PresetKeepsTheBytesItDoesNotSet) {
    TacticRecord record;
    std::memset(record.bytes, 0xA0, sizeof record.bytes);
    GetComputerTactics(&record, 9);
    for (int entry = 0; entry < kTacticEntries; ++entry) {
        const uint8_t* e = record.bytes + entry * kTacticEntrySize;
        for (int at : {0, 1, 2, 3, 4, 14, 15, 16}) EXPECT_EQ(e[at], 0xA0) << entry << " " << at;
        EXPECT_EQ(e[13], 0xBF) << "low five bits set, top three kept";
        EXPECT_EQ(EntryWord(&record, entry, 9), EntryWord(&record, entry, 5));
        EXPECT_EQ(EntryWord(&record, entry, 22), EntryWord(&record, entry, 7));
        for (int at : {24, 26, 28}) EXPECT_EQ(EntryWord(&record, entry, at), 0xFFFF);
    }
}

TEST(TacticsTest, FormationNames) {
    EXPECT_EQ(GetFormationNameText(0), 268);
    EXPECT_EQ(GetFormationNameText(3), 1157);
    EXPECT_EQ(GetFormationNameText(9), 1203);
    EXPECT_EQ(GetFormationNameText(10), 1328);
    EXPECT_EQ(GetFormationNameText(21), 1328);
    EXPECT_EQ(GetFormationNameText(-1), 1328);
}

TEST(TacticsTest, NewGameEmptiesEveryCustomSlot) {
    std::memset(&CustomTacticTableA, 0, sizeof CustomTacticTableA);
    std::memset(&CustomTacticTableB, 0x11, sizeof CustomTacticTableB);
    CurrentTacticA = CurrentTacticB = 14;
    TacticOptionA = TacticOptionB = 3;
    InitCustomTactics();
    for (int16_t index = 10; index <= 21; ++index) {
        EXPECT_TRUE(IsCustomTacticEmpty(GetTacticRecordA(index))) << index;
        EXPECT_TRUE(IsCustomTacticEmpty(GetTacticRecordB(index))) << index;
    }
    EXPECT_EQ(CurrentTacticA, 0);
    EXPECT_EQ(CurrentTacticB, 0);
    EXPECT_EQ(TacticOptionA, 0);
    EXPECT_EQ(TacticOptionB, 0);
}

TEST(TacticsDeathTest, PresetTenIsFatal) {
    TacticRecord record;
    EXPECT_FATAL(GetComputerTactics(&record, 10), "Invalid formation requested in GetComputerTactics\\(\\)");
}

}  // namespace
