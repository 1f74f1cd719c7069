// Feeds arbitrary bytes to the two checks of a sample file: the header walk
// that the sound driver does before playing a sample, and the whole-image
// check.  Neither may read outside the bytes; an accepted header must
// describe sample bytes that lie inside the file.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/system/sounddriver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SampInfo info{};
    const char* fault = SndParseWavImage(std::span<const uint8_t>(data, size), &info);
    if (fault == nullptr) {
        if (info.rate == 0 || info.data_size == 0) std::abort();
        if (uint64_t(info.data_offset) + info.data_size > size) std::abort();
    }
    if (size <= 0xFFFFFFFFu) {
        int code = SndCheckWavImage(data, uint32_t(size));
        if (code > 0 || code < -14) std::abort();
    }
    return 0;
}
