#include "core/base/trackedmemory.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/base/debug.h"

namespace {

constexpr const char* kModule = "mem_win";

MemListItem* g_list = nullptr;
uint32_t g_capacity = 0;
uint32_t g_count = 0;
uint64_t g_total = 0;
uint64_t g_budget = 0;

// Owner variables are pointer variables of any pointer type; they are read
// and written bytewise so no type's aliasing rules are bent.
void* ReadOwner(const void* owner) {
    void* value;
    std::memcpy(&value, owner, sizeof value);
    return value;
}

void WriteOwner(void* owner, void* value) { std::memcpy(owner, &value, sizeof value); }

MemListItem* ReadBackPointer(const void* block) {
    MemListItem* item;
    std::memcpy(&item, block, sizeof item);
    return item;
}

void WriteBackPointer(void* block, MemListItem* item) { std::memcpy(block, &item, sizeof item); }

void* UserAddress(void* block) { return static_cast<uint8_t*>(block) + MEM_BLOCK_HEADER; }

bool IsAllocatedType(uint32_t type) {
    return type == MEM_TYPE_MANUAL_FREE || type == MEM_TYPE_AUTO_FREE || type == MEM_TYPE_MANUAL_NO_MOVE;
}

// The tick count only means something once the timer runs; blocks made
// before that (during start-up) are stamped 0.
uint32_t CurrentStamp() { return CoreTimerTicks(); }

// The heap block size for a request, refusing sizes the 32-bit record
// cannot hold.
uint32_t HeapSize(uint32_t size) {
    if (size > UINT32_MAX - MEM_ACCOUNTED_HEADER) {
        FatalError("Error: SafeAllocate(): failed to allocate %u bytes\n", size);
    }
    return size + MEM_ACCOUNTED_HEADER;
}

// Real bytes behind an accounted heap size.
size_t RealSize(uint32_t heap_size) { return size_t(heap_size) - MEM_ACCOUNTED_HEADER + MEM_BLOCK_HEADER; }

// Finds and checks the record of an owner variable through the back-pointer
// in front of the block the variable points to.
MemListItem* FindItem(const char* function, void* owner) {
    CheckMemoryInit();
    if (owner == nullptr) AbortError(kModule, __LINE__, "CheckMemItem(): no Ptr2Ptr for allocated memory");
    void* user = ReadOwner(owner);
    if (user == nullptr) AbortError(kModule, __LINE__, "CheckMemItem(): memory pointer var is NULL");
    MemListItem* item = ReadBackPointer(static_cast<uint8_t*>(user) - MEM_BLOCK_HEADER);
    // A variable that never held a tracked block has no back-pointer in front
    // of it: refuse it before the record it names is read.
    uintptr_t first = reinterpret_cast<uintptr_t>(g_list);
    uintptr_t at = reinterpret_cast<uintptr_t>(item);
    if (at < first || at >= first + uintptr_t(g_capacity) * sizeof(MemListItem) ||
        (at - first) % sizeof(MemListItem) != 0) {
        AbortError(kModule, __LINE__, "CheckMemItem(): MemBlock item does not refer back!");
    }
    CheckMemItem(item);
    // A copy of another variable's pointer must not act as its owner: the
    // real owner would be left holding a dangling pointer.
    if (item->owner != owner) {
        FatalError("Error: %s(): pointer at 0x%08" PRIXPTR " does not own its memory\n", function,
                   reinterpret_cast<uintptr_t>(owner));
    }
    return item;
}

void ReleaseItem(MemListItem* item) {
    void* owner = item->owner;
    --g_count;
    g_total -= item->size;
    SafeFree(item->block);
    *item = MemListItem{nullptr, nullptr, MEM_TYPE_FREE_RECORD, 0, 0};
    WriteOwner(owner, nullptr);
    CheckMemItem(item);
}

// Frees the cache block with the oldest stamp (the first in list order among
// equals).  Returns false when there is none.
bool PurgeOldestAutoBlock() {
    MemListItem* oldest = nullptr;
    for (uint32_t i = 0; i < g_capacity; ++i) {
        MemListItem* item = &g_list[i];
        if (item->type != MEM_TYPE_AUTO_FREE) continue;
        if (oldest == nullptr || item->stamp < oldest->stamp) oldest = item;
    }
    if (oldest == nullptr) return false;
    CheckMemItem(oldest);
    ReleaseItem(oldest);
    return true;
}

void GrowList() {
    for (uint32_t i = 0; i < g_capacity; ++i) CheckMemItem(&g_list[i]);
    uint32_t new_capacity = g_capacity + MEM_LIST_GROWTH;
    void* grown = std::realloc(g_list, size_t(new_capacity) * sizeof(MemListItem));
    if (grown == nullptr) {
        FatalError("Error: SafeResize(): failed to resize memory to %zu bytes\n",
                   size_t(new_capacity) * sizeof(MemListItem));
    }
    g_list = static_cast<MemListItem*>(grown);
    for (uint32_t i = 0; i < g_capacity; ++i) {
        if (g_list[i].block != nullptr) WriteBackPointer(g_list[i].block, &g_list[i]);
    }
    for (uint32_t i = g_capacity; i < new_capacity; ++i) {
        g_list[i] = MemListItem{nullptr, nullptr, MEM_TYPE_FREE_RECORD, 0, 0};
        CheckMemItem(&g_list[i]);
    }
    g_capacity = new_capacity;
}

void CountType(uint32_t type, uint32_t* number, uint64_t* total, uint32_t* largest) {
    *number = 0;
    *total = 0;
    *largest = 0;
    for (uint32_t i = 0; i < g_capacity; ++i) {
        if (g_list[i].type != type) continue;
        ++*number;
        *total += g_list[i].size;
        if (g_list[i].size > *largest) *largest = g_list[i].size;
    }
}

}  // namespace

void InitMemory(uint32_t budget_kb) {
    if (g_list != nullptr) FatalError("Error: InitMemory(): already initialised\n");
    g_budget = uint64_t(budget_kb) * 1024;
    g_capacity = 0;
    g_count = 0;
    g_total = 0;
    GrowList();
}

void UninitMemory() {
    CheckMemoryInit();
    for (uint32_t i = 0; i < g_capacity; ++i) {
        const MemListItem& item = g_list[i];
        if (item.type == MEM_TYPE_FREE_RECORD) continue;
        DebugLog(DEBUG_MEMORY, 20,
                 "UninitMemory(): MemList %u (0x%06" PRIXPTR ") ->Ptr2Ptr: 0x%06" PRIXPTR
                 " ->Size: %u ->Type %08X\n",
                 i, reinterpret_cast<uintptr_t>(&item), reinterpret_cast<uintptr_t>(item.owner), item.size,
                 item.type);
    }
    if (g_count != 0) FatalError("Error: UninitMemory(): %u memory blocks not free\n", g_count);
    DebugLog(DEBUG_MEMORY, 1, "UninitMemory(): All allocated memory released\n");
    std::free(g_list);
    g_list = nullptr;
    g_capacity = 0;
}

void AllocateMemory(void* owner, uint32_t size, uint32_t type) {
    CheckMemoryInit();
    uint32_t heap_size = HeapSize(size);
    for (uint32_t i = 0; i < g_capacity; ++i) {
        if (g_list[i].type != MEM_TYPE_FREE_RECORD && g_list[i].owner == owner) {
            FatalError("Error: AllocateMemory(): pointer at 0x%08" PRIXPTR " already allocated\n",
                       reinterpret_cast<uintptr_t>(owner));
        }
    }
    // The budget limits only the cache: with no cache block left the
    // allocation goes ahead anyway.
    while (g_total + heap_size > g_budget) {
        if (!PurgeOldestAutoBlock()) break;
    }
    if (g_count >= g_capacity) GrowList();

    MemListItem* item = nullptr;
    for (uint32_t i = 0; i < g_capacity; ++i) {
        if (g_list[i].type == MEM_TYPE_FREE_RECORD) {
            item = &g_list[i];
            break;
        }
    }
    if (item == nullptr) {
        AbortError(kModule, __LINE__, "AllocateMemory(): error finding free block - counters wrong");
    }
    void* block = SafeAllocate(heap_size);
    WriteBackPointer(block, item);
    *item = MemListItem{block, owner, type, heap_size, CurrentStamp()};
    ++g_count;
    g_total += heap_size;
    WriteOwner(owner, UserAddress(block));
    CheckMemItem(item);
}

void FreeMemory(void* owner) {
    MemListItem* item = FindItem("FreeMemory", owner);
    ReleaseItem(item);
}

void ResizeMemory(void* owner, uint32_t new_size) {
    MemListItem* item = FindItem("ResizeMemory", owner);
    uint32_t heap_size = HeapSize(new_size);
    g_total = g_total - item->size + heap_size;
    void* block = SafeResize(item->block, heap_size);
    item->block = block;
    item->size = heap_size;
    WriteOwner(owner, UserAddress(block));
    CheckMemItem(item);
}

void SetMemOwner(void* old_owner, void* new_owner) {
    MemListItem* item = FindItem("SetMemOwner", old_owner);
    if (new_owner == old_owner) return;
    if (new_owner == nullptr)
        AbortError(kModule, __LINE__, "CheckMemItem(): no Ptr2Ptr for allocated memory");
    // Handing a block to a variable that owns another one would lose that one.
    for (uint32_t i = 0; i < g_capacity; ++i) {
        if (g_list[i].type != MEM_TYPE_FREE_RECORD && g_list[i].owner == new_owner) {
            FatalError("Error: SetMemOwner(): pointer at 0x%08" PRIXPTR " already allocated\n",
                       reinterpret_cast<uintptr_t>(new_owner));
        }
    }
    item->owner = new_owner;
    WriteOwner(new_owner, UserAddress(item->block));
    WriteOwner(old_owner, nullptr);
    CheckMemItem(item);
}

uint32_t GetMemType(void* owner) { return FindItem("GetMemType", owner)->type; }

void SetMemType(void* owner, uint32_t type) {
    MemListItem* item = FindItem("SetMemType", owner);
    item->type = type;
    CheckMemItem(item);
}

void SetMemTag(void* owner, uint32_t value) {
    MemListItem* item = FindItem("SetMemTag", owner);
    item->stamp = value;
    CheckMemItem(item);
}

void FreeAutoMemory() {
    CheckMemoryInit();
    for (uint32_t i = 0; i < g_capacity; ++i) {
        if (g_list[i].type != MEM_TYPE_AUTO_FREE) continue;
        CheckMemItem(&g_list[i]);
        ReleaseItem(&g_list[i]);
    }
}

void CheckMemoryInit() {
    if (g_list == nullptr) AbortError(kModule, __LINE__, "CheckMemoryInit(): not initialised");
}

void CheckMemItem(const MemListItem* item) {
    if (item->type == MEM_TYPE_FREE_RECORD) {
        if (item->block != nullptr) {
            AbortError(kModule, __LINE__, "CheckMemItem(): free type but mem still allocated!");
        }
        if (item->owner != nullptr) {
            AbortError(kModule, __LINE__, "CheckMemItem(): free type but mem still has Ptr2Ptr!");
        }
        return;
    }
    if (!IsAllocatedType(item->type)) {
        AbortError(kModule, __LINE__, "CheckMemItem(): invalid type in memory list info");
    }
    if (item->block == nullptr) {
        AbortError(kModule, __LINE__, "CheckMemItem(): allocated type but no mem block!");
    }
    if (ReadBackPointer(item->block) != item) {
        AbortError(kModule, __LINE__, "CheckMemItem(): MemBlock item does not refer back!");
    }
    if (item->owner == nullptr) {
        AbortError(kModule, __LINE__, "CheckMemItem(): no Ptr2Ptr for allocated memory");
    }
    void* held = ReadOwner(item->owner);
    if (held == nullptr) AbortError(kModule, __LINE__, "CheckMemItem(): memory pointer var is NULL");
    if (held != UserAddress(item->block)) {
        FatalError(
            "Error: CheckMemItem(): pointer var does not point to this memory! (Pointer at "
            "%08" PRIXPTR ")",
            reinterpret_cast<uintptr_t>(item->owner));
    }
}

void CheckMemList() {
    CheckMemoryInit();
    uint32_t count = 0;
    uint64_t total = 0;
    for (uint32_t i = 0; i < g_capacity; ++i) {
        CheckMemItem(&g_list[i]);
        if (g_list[i].type == MEM_TYPE_FREE_RECORD) continue;
        ++count;
        total += g_list[i].size;
    }
    if (count != g_count) AbortError(kModule, __LINE__, "CheckMemList(): count of allocated blocks is wrong");
    if (total != g_total) {
        AbortError(kModule, __LINE__, "CheckMemList(): total size does not match actual size");
    }
}

const char* const* MemStatistics() {
    static char lines[5][96];
    static const char* result[6];
    CheckMemList();
    struct TypeName {
        uint32_t type;
        const char* name;
    };
    static constexpr TypeName kTypes[3] = {{MEM_TYPE_MANUAL_FREE, "ManualFree"},
                                           {MEM_TYPE_AUTO_FREE, "AutoFree"},
                                           {MEM_TYPE_MANUAL_NO_MOVE, "ManualNoMove"}};
    std::snprintf(lines[0], sizeof lines[0], "MEM TYPE      NUM  TOTAL               LARGEST");
    for (int t = 0; t < 3; ++t) {
        uint32_t number, largest;
        uint64_t total;
        CountType(kTypes[t].type, &number, &total, &largest);
        std::snprintf(lines[t + 1], sizeof lines[t + 1],
                      "%-12s  %3u  %9" PRIu64 " (%5" PRIu64 "k)  %9u (%5uk)", kTypes[t].name, number, total,
                      total / 1024, largest, largest / 1024);
    }
    std::snprintf(lines[4], sizeof lines[4],
                  "Memory list: %3u items - size %9" PRIu64 " (%5" PRIu64 "k) of %9" PRIu64 " (%5" PRIu64
                  "k)",
                  g_capacity, g_total, g_total / 1024, g_budget, g_budget / 1024);
    for (int i = 0; i < 5; ++i) result[i] = lines[i];
    result[5] = nullptr;
    return result;
}

void MemPrintStatistics() {
    for (const char* const* line = MemStatistics(); *line != nullptr; ++line) std::printf("%s\n", *line);
}

void* SafeAllocate(uint32_t size) {
    void* block = std::malloc(RealSize(size));
    if (block == nullptr) FatalError("Error: SafeAllocate(): failed to allocate %u bytes\n", size);
    DebugLog(DEBUG_MEMORY, 150, "SafeAllocate(): allocated %u bytes at 0x%08" PRIXPTR "\n", size,
             reinterpret_cast<uintptr_t>(block));
    return block;
}

void* SafeResize(void* block, uint32_t size) {
    uintptr_t old_address = reinterpret_cast<uintptr_t>(block);
    void* moved = std::realloc(block, RealSize(size));
    if (moved == nullptr) FatalError("Error: SafeResize(): failed to resize memory to %u bytes\n", size);
    DebugLog(DEBUG_MEMORY, 150,
             "SafeResize(): resized ptr 0x%08" PRIXPTR " to %u bytes at 0x%08" PRIXPTR "\n", old_address,
             size, reinterpret_cast<uintptr_t>(moved));
    return moved;
}

void SafeFree(void* block) {
    DebugLog(DEBUG_MEMORY, 150, "SafeFree(): freeing pointer 0x%08" PRIXPTR "\n",
             reinterpret_cast<uintptr_t>(block));
    if (block == nullptr) {
        std::printf("Warning: SafeFree(): HeapFree() failed\n");
        return;
    }
    std::free(block);
}

uint32_t MemAllocatedCount() { return g_count; }
uint64_t MemAllocatedTotal() { return g_total; }
uint32_t MemListCapacity() { return g_capacity; }

const MemListItem* MemFindItem(void* owner) { return FindItem("MemFindItem", owner); }

uint32_t MemBlockSize(const void* address) {
    if (address == nullptr || g_list == nullptr) return 0;
    for (uint32_t i = 0; i < g_capacity; ++i) {
        const MemListItem& item = g_list[i];
        if (!IsAllocatedType(item.type)) continue;
        if (UserAddress(item.block) == address) return item.size - MEM_ACCOUNTED_HEADER;
    }
    return 0;
}
