// A fuzz target with a planted fault: an input starting "UB" adds its next
// four bytes to the largest int, a signed overflow.  The test command runs
// it on such an input and expects the run to fail; if it passes, the fuzz
// build is letting undefined behaviour through and every real target's
// "ok" means nothing.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6 || std::memcmp(data, "UB", 2) != 0) return 0;
    int32_t step;
    std::memcpy(&step, data + 2, sizeof step);
    volatile int32_t largest = INT_MAX;
    const int32_t sum = largest + step;
    return sum == 0 ? 1 : 0;
}
