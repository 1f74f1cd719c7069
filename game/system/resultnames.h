// Names of the DirectX result codes and the two ways a failed DirectX call
// is reported: fatally, or as a warning where only optional information is
// lost.
#pragma once
#include <cstdint>

// The symbolic name of a result code, or "unknown HRESULT (0x%08X)" in a
// buffer that the next unknown code overwrites.
const char* DXErrorString(int32_t result);

// Number of codes the name table knows (for tests).
int DXErrorTableSize();

// A result counts as failed when it is negative.
constexpr bool DXFailed(int32_t result) { return result < 0; }

// Ends the program through FatalError with the file, line, function and
// call label of the failed call and the name of its result.
[[noreturn]] void DXReportFatal(const char* file, int line, const char* function, const char* label,
                                int32_t result);
// Prints the same five values as a warning, whatever the debug levels.
void DXReportWarning(const char* file, int line, const char* function, const char* label, int32_t result);

// Reports a failed result fatally and passes success through.
inline void DXCheck(int32_t result, const char* file, int line, const char* function, const char* label) {
    if (DXFailed(result)) DXReportFatal(file, line, function, label, result);
}
