#include "game/screens/engine/textfill.h"

#include <cstring>

namespace {

struct Writer {
    char* out;
    std::size_t size, used = 0;
    void Put(char c) {
        if (used + 1 < size) out[used++] = c;
    }
    void Put(const char* text) {
        for (; text != nullptr && *text != '\0'; ++text) Put(*text);
    }
};

}  // namespace

void FillTextSlots(char* out, std::size_t size, const char* format, std::initializer_list<const char*> args) {
    if (out == nullptr || size == 0) return;
    Writer writer{out, size};
    const char* const* next = args.begin();
    for (const char* p = format != nullptr ? format : ""; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            if (next != args.end()) writer.Put(*next++);
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            writer.Put('%');
            ++p;
        } else {
            writer.Put(*p);
        }
    }
    out[writer.used] = '\0';
}
