// Feeds arbitrary bytes to the language text-file parser: it must either load
// or report one of its failures, and never write outside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/records/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> text(size);
    static uint32_t table[TEXT_COUNT];
    const TextParseResult r = TextParse(std::span<const uint8_t>(data, size), std::span<char>(text),
                                        std::span<uint32_t, TEXT_COUNT>(table));
    if (r.used > size) __builtin_trap();
    switch (r.status) {
        case TEXT_PARSE_OK:
            if (r.index != TEXT_COUNT) __builtin_trap();
            // Every text starts inside the block and ends with a NUL inside it.
            for (uint32_t offset : table) {
                if (offset >= r.used || std::memchr(text.data() + offset, 0, r.used - offset) == nullptr) {
                    __builtin_trap();
                }
            }
            break;
        case TEXT_PARSE_NESTED_COMMENT:
        case TEXT_PARSE_STRAY_TERMINATOR:
        case TEXT_PARSE_BAD_NUMBER:
        case TEXT_PARSE_BAD_COUNT:
            break;
        default:
            __builtin_trap();
    }
    return 0;
}
