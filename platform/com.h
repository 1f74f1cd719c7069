// What the display and sound stand-ins share of the component model:
// result codes with their published values, and library start and stop.
#pragma once
#include <cstdint>

namespace plat {

using HResult = int32_t;

inline constexpr HResult kErrInvalidArg = int32_t(0x80070057);
inline constexpr HResult kErrOutOfMemory = int32_t(0x8007000E);
inline constexpr HResult kErrFail = int32_t(0x80004005);

inline bool Failed(HResult r) { return r < 0; }

HResult CoInitialize(void* reserved);
void CoUninitialize();

}  // namespace plat
