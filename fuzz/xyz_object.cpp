// XYZ0 model data from outside: the checks, the table operations, a 3D
// object built from it with every flag combination, and its skeleton posed.
// Bad data must end in the loaders' fatal messages (caught here), never in
// a read outside the block.
#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/skeletalposing.h"

namespace {

std::jmp_buf g_rejected;
uint8_t* g_data = nullptr;
D3DObj* g_object = nullptr;
D3DAnim* g_anim = nullptr;
uint32_t g_next_handle = 1;

void Rejected(const char*) { std::longjmp(g_rejected, 1); }

// Hands out texture handles and takes them back; the rest is left to the
// default actions.
int Callback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event == D3DOBJ_EVENT_TEXTURECREATE) {
        output->texture = g_next_handle++;
        return 1;
    }
    return record->event == D3DOBJ_EVENT_TEXTUREDESTROY;
}

void Run(uint8_t mode) {
    const uint32_t flags = mode & 0x37;
    if (mode & 0x08) XyzSort(g_data, 1.0f, 2.0f, 3.0f);
    if (mode & 0x40) XyzRotateY(g_data, 0.5f);
    XyzGetItem3(g_data, 0);
    D3DObj_CreateObjectFromXYZData(&g_object, g_data, Callback, nullptr, flags | D3DOBJ_KEEP_POINTS);
    D3DAnim_CreateAnimData(&g_anim, g_data, g_object);
    Matrix bones[19];
    for (Matrix& m : bones) MatrixRotateXYZ(&m, 0.1f, 0.2f, 0.3f);
    D3DAnim_ApplyBoneMatrices(g_anim, bones, 1, 19);
    D3DAnim_ApplyConvPoints2Object(g_anim);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        InitMemory(64 * 1024);
        return true;
    }();
    (void)started;
    if (size < 1 || size > (1 << 16)) return 0;
    SetFatalErrorHook(Rejected);
    const uint8_t mode = data[0];
    AllocateMemory(&g_data, uint32_t(size - 1), MEM_TYPE_MANUAL_NO_MOVE);
    std::memcpy(g_data, data + 1, size - 1);
    if (setjmp(g_rejected) == 0) Run(mode);
    SetFatalErrorHook(nullptr);
    // Faults in the data are found before anything is built, so a rejected
    // build leaves nothing behind.
    if (g_anim != nullptr) D3DAnim_DestroyAnimData(&g_anim);
    if (g_object != nullptr) D3DObj_Destroy(&g_object);
    FreeMemory(&g_data);
    if (MemAllocatedCount() != 0) __builtin_trap();
    return 0;
}
