// Tactic books: the custom tactic tables of both sides.
#pragma once
#include <cstdint>

struct CustomTacticTable {
    uint8_t bytes[3960];
};
extern CustomTacticTable CustomTacticTableA;
extern CustomTacticTable CustomTacticTableB;
