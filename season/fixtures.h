// The fixture table: every match of the game world, sorted by day.
#pragma once
#include <cstdint>

constexpr int kFixtureSlots = 20000;
constexpr int kFixtureRecordSize = 212;
constexpr uint16_t kEmptyFixtureDay = 511;

// u32 at 0: day (bits 0-8), competition type (bits 9-15); u16 home club at
// 4, away club at 6; u32 score word at 8: home goals (0-4), away goals
// (5-9), neutral ground (10), schedule flag (11), shoot-out (12),
// broadcast (13); u32 at 12: attendance (0-22), home league position
// (23-27), home side code (28-30); u32 at 16: away league position (0-4),
// away side code (5-7); two line-ups of 16 six-byte entries from 20 and 116.
struct Fixture {
    uint8_t bytes[kFixtureRecordSize];
};
static_assert(sizeof(Fixture) == 212);

extern Fixture FixtureTable[kFixtureSlots];
