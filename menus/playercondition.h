// The player condition screen's words that other screens set before they
// open it.
#pragma once
#include <cstdint>

// The screen the condition screen returns to: 4 when the profile opened it.
extern int16_t ConditionReturnOption;
