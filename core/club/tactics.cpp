#include "core/club/tactics.h"

#include <cstring>
#include <initializer_list>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/records/textids.h"

using namespace recbits;

CustomTacticTable CustomTacticTableA;
CustomTacticTable CustomTacticTableB;
int16_t CurrentTacticB;
int16_t CurrentTacticA;
int16_t TacticOptionA;
int16_t TacticOptionB;

namespace {

struct PresetEntry {
    uint16_t x, y, a, b, c;
};

constexpr int16_t kPresetNameText[kFormationPresets] = {268, 267, 269, 1157, 272, 270, 584, 583, 271, 1203};

// Shirt 1 (the keeper) stands at 0,0 in every preset.
constexpr PresetEntry kPresets[kFormationPresets][kTacticEntries] = {
    {{0, 0, 0, 0, 0},
     {5, 4, 1, 0, 0},
     {9, 4, 1, 0, 0},
     {7, 4, 0, 0, 0},
     {2, 6, 0, 1, 3},
     {12, 6, 0, 1, 3},
     {5, 8, 0, 0, 2},
     {7, 8, 0, 0, 0},
     {6, 13, 0, 0, 0},
     {8, 12, 0, 0, 4},
     {9, 8, 0, 0, 2}},
    {{0, 0, 0, 0, 0},
     {11, 4, 1, 0, 0},
     {3, 4, 1, 0, 0},
     {5, 8, 0, 0, 2},
     {6, 4, 0, 0, 0},
     {8, 4, 0, 0, 0},
     {2, 9, 0, 1, 0},
     {9, 8, 0, 0, 2},
     {6, 12, 0, 0, 0},
     {8, 13, 0, 0, 0},
     {12, 9, 0, 1, 0}},
    {{0, 0, 0, 0, 0},
     {11, 8, 0, 2, 0},
     {3, 8, 0, 2, 0},
     {7, 4, 1, 0, 0},
     {4, 4, 0, 0, 0},
     {10, 4, 0, 0, 0},
     {5, 8, 0, 0, 0},
     {7, 7, 0, 0, 4},
     {6, 13, 0, 0, 0},
     {8, 13, 0, 0, 0},
     {9, 8, 0, 0, 0}},
    {{0, 0, 0, 0, 0},
     {11, 5, 0, 0, 0},
     {3, 5, 0, 0, 0},
     {7, 4, 1, 0, 1},
     {5, 4, 1, 0, 1},
     {9, 4, 1, 0, 1},
     {5, 13, 0, 0, 0},
     {8, 8, 0, 0, 2},
     {6, 8, 0, 0, 2},
     {7, 12, 0, 0, 4},
     {9, 13, 0, 0, 0}},
    {{0, 0, 0, 0, 0},
     {11, 5, 0, 0, 0},
     {3, 5, 0, 0, 0},
     {5, 8, 0, 0, 2},
     {6, 4, 0, 0, 0},
     {8, 4, 0, 0, 0},
     {3, 9, 0, 1, 0},
     {9, 8, 0, 0, 2},
     {7, 8, 0, 0, 4},
     {7, 13, 0, 0, 0},
     {11, 9, 0, 1, 0}},
    {{0, 0, 0, 0, 0},
     {11, 5, 1, 0, 0},
     {3, 5, 1, 0, 0},
     {4, 8, 0, 0, 0},
     {6, 4, 0, 0, 0},
     {8, 4, 0, 0, 0},
     {5, 13, 0, 0, 0},
     {10, 8, 0, 0, 0},
     {7, 7, 0, 0, 0},
     {7, 11, 0, 0, 4},
     {9, 13, 0, 0, 0}},
    {{0, 0, 0, 0, 0},
     {11, 4, 0, 0, 0},
     {3, 4, 0, 0, 0},
     {5, 8, 0, 0, 0},
     {6, 4, 0, 0, 0},
     {8, 4, 0, 0, 0},
     {3, 11, 0, 1, 3},
     {9, 8, 0, 0, 0},
     {6, 12, 0, 0, 4},
     {8, 13, 0, 0, 0},
     {11, 11, 0, 1, 3}},
    {{0, 0, 0, 0, 0},
     {12, 6, 0, 0, 0},
     {2, 6, 0, 0, 0},
     {7, 6, 1, 0, 0},
     {5, 4, 1, 0, 0},
     {9, 4, 1, 0, 0},
     {4, 9, 0, 0, 0},
     {8, 8, 2, 0, 0},
     {6, 8, 2, 0, 0},
     {7, 13, 0, 0, 0},
     {10, 9, 0, 0, 0}},
    {{0, 0, 0, 0, 0},
     {11, 8, 0, 2, 0},
     {3, 8, 0, 2, 0},
     {7, 4, 0, 0, 0},
     {5, 4, 0, 0, 0},
     {9, 4, 0, 0, 0},
     {5, 13, 0, 0, 0},
     {8, 7, 0, 0, 0},
     {6, 7, 0, 0, 0},
     {7, 12, 0, 0, 4},
     {9, 13, 0, 0, 0}},
    {{0, 0, 0, 0, 0},
     {11, 5, 1, 0, 0},
     {3, 5, 1, 0, 0},
     {5, 8, 0, 0, 0},
     {6, 4, 0, 0, 0},
     {8, 4, 0, 0, 0},
     {4, 11, 0, 0, 4},
     {9, 8, 0, 0, 0},
     {7, 9, 0, 0, 0},
     {7, 13, 0, 0, 3},
     {10, 11, 0, 0, 4}},
};

constexpr int kEntryX = 5;
constexpr int kEntryY = 7;
constexpr int kEntryX2 = 9;
constexpr int kEntryY2 = 11;
constexpr int kEntryLink = 13;
constexpr int kEntryC = 17;
constexpr int kEntryA = 18;
constexpr int kEntryB = 19;
constexpr int kEntryX3 = 20;
constexpr int kEntryY3 = 22;
constexpr int kEntryLinks = 24;

// Presets are built into one shared record.
TacticRecord g_scratch;

TacticRecord* CustomSlot(CustomTacticTable& book, int16_t index) {
    if (index < kFormationPresets || index >= kFormationPresets + kCustomTacticSlots) return nullptr;
    return reinterpret_cast<TacticRecord*>(book.bytes + (index - kFormationPresets) * kTacticRecordSize);
}

TacticRecord* GetRecord(CustomTacticTable& book, int16_t index) {
    if (index >= 0 && index < kFormationPresets) {
        GetComputerTactics(&g_scratch, index);
        return &g_scratch;
    }
    return CustomSlot(book, index);
}

}  // namespace

int16_t GetTacticEntryX(const TacticRecord* record, int entry) {
    return int16_t(LoadU16(record->bytes + entry * kTacticEntrySize + kEntryX));
}

int16_t GetTacticEntryY(const TacticRecord* record, int entry) {
    return int16_t(LoadU16(record->bytes + entry * kTacticEntrySize + kEntryY));
}

void GetComputerTactics(TacticRecord* record, int16_t preset) {
    if (preset < 0 || preset >= kFormationPresets) {
        FatalError("Invalid formation requested in GetComputerTactics()");
    }
    for (int k = 0; k < kTacticEntries; ++k) {
        const PresetEntry& p = kPresets[preset][k];
        uint8_t* e = record->bytes + k * kTacticEntrySize;
        for (int offset : {kEntryX, kEntryX2, kEntryX3}) StoreU16(e + offset, p.x);
        for (int offset : {kEntryY, kEntryY2, kEntryY3}) StoreU16(e + offset, p.y);
        e[kEntryLink] = uint8_t(e[kEntryLink] | 0x1F);
        e[kEntryC] = uint8_t(p.c);
        e[kEntryA] = uint8_t(p.a);
        e[kEntryB] = uint8_t(p.b);
        for (int link = 0; link < 3; ++link) StoreU16(e + kEntryLinks + 2 * link, 0xFFFF);
    }
}

TacticRecord* GetTacticRecordA(int16_t index) { return GetRecord(CustomTacticTableA, index); }
TacticRecord* GetTacticRecordB(int16_t index) { return GetRecord(CustomTacticTableB, index); }

int16_t GetFormationNameText(int16_t index) {
    if (index >= 0 && index < kFormationPresets) return kPresetNameText[index];
    return kTextCustom;
}

bool IsCustomTacticEmpty(const TacticRecord* record) {
    return LoadU16(record->bytes + kEntryX) == kEmptyTacticSlot;
}

void InitCustomTactics() {
    for (CustomTacticTable* book : {&CustomTacticTableA, &CustomTacticTableB}) {
        for (int slot = 0; slot < kCustomTacticSlots; ++slot) {
            StoreU16(book->bytes + slot * kTacticRecordSize + kEntryX, kEmptyTacticSlot);
        }
    }
    CurrentTacticA = CurrentTacticB = 0;
    TacticOptionA = TacticOptionB = 0;
}
