// Menu icon files from outside: the picture read, the measure of a sheet
// listed without a frame size, the cut into its grid and the conversion to
// the screen's format.  A bad file must end in the loader's fatal messages
// (caught here), never in a read or write outside a block.
#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"

namespace {

std::jmp_buf g_rejected;
IconFileEntry g_entry{};

void Rejected(const char*) { std::longjmp(g_rejected, 1); }

}  // namespace

// The first four bytes choose the grid and the screen format; the rest is
// the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) {
        InitMemory(256 * 1024);
        DebugSetLevel(DEBUG_GRAPHICS, -1);
        ready = true;
    }
    if (size < 5 || size > (1 << 20)) return 0;
    if (g_entry.picture != nullptr) FreeMemory(&g_entry.picture);
    MenuSetScreenFormat(800, 600, data[0] % 2 ? &ColFmt_R5G6B5 : &ColFmt_A8R8G8B8);
    const bool measured = data[0] & 2;
    g_entry = {int16_t(data[1] % 16 + 1),
               int16_t(data[2] % 4 + 1),
               "fuzz",
               int16_t(measured ? 0 : data[3] % 64),
               int16_t(measured ? 0 : data[1] / 4),
               nullptr};
    AllocateMemory(&g_entry.picture, uint32_t(size - 4), MEM_TYPE_MANUAL_FREE);
    std::memcpy(g_entry.picture, data + 4, size - 4);
    SetFatalErrorHook(Rejected);
    if (setjmp(g_rejected) == 0) IconFileToFrames(&g_entry, uint32_t(size - 4), "menugfx\\icon\\fuzz.tga");
    SetFatalErrorHook(nullptr);
    return 0;
}
