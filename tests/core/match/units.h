// The engine's fixed-point unit: positions and speeds are kept in 1/65536
// of a pitch unit.
#pragma once
#include <cstdint>

inline constexpr int32_t kUnit = 65536;
