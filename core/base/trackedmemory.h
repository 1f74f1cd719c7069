// Tracked memory.  Every block belongs to exactly one pointer variable of its
// user; the manager keeps the address of that variable so it can clear it
// when the block is freed, update it when the block moves, drop cache blocks
// behind their owners' backs when the budget is reached, and check on every
// operation that owner and block still agree.  Any disagreement ends the
// program.  Callers never test for failure.
//
// Owner arguments are the address of the user's pointer variable (any T**),
// passed as void*: AllocateMemory(&buffer, 1000, MEM_TYPE_MANUAL_FREE).
#pragma once
#include <cstdint>

// The four type words of a record.
constexpr uint32_t MEM_TYPE_MANUAL_FREE = 0x13246579;     // freed only by its owner
constexpr uint32_t MEM_TYPE_AUTO_FREE = 0x9ABCDEF0;       // cache block, purged oldest first
constexpr uint32_t MEM_TYPE_MANUAL_NO_MOVE = 0xBEAC093F;  // freed only by its owner
constexpr uint32_t MEM_TYPE_FREE_RECORD = 0x6F2E4CFB;     // record holds no block

// The list grows this many records at a time.
constexpr uint32_t MEM_LIST_GROWTH = 64;
// Accounted bytes in front of every user block (the back-pointer to the
// block's record).  The block really has MEM_BLOCK_HEADER bytes in front of
// the user data so that user data stays aligned for any type.
constexpr uint32_t MEM_ACCOUNTED_HEADER = 4;
constexpr uint32_t MEM_BLOCK_HEADER = 16;

// One record of the block list.
struct MemListItem {
    void* block;  // the heap block, or null in a free record
    void* owner;  // address of the user's pointer variable, or null
    uint32_t type;
    uint32_t size;   // requested size + 4
    uint32_t stamp;  // tick of the allocation or of the last SetMemTag
};

void InitMemory(uint32_t budget_kb);
void UninitMemory();

void AllocateMemory(void* owner, uint32_t size, uint32_t type);
void FreeMemory(void* owner);
void ResizeMemory(void* owner, uint32_t new_size);
void SetMemOwner(void* old_owner, void* new_owner);
uint32_t GetMemType(void* owner);
void SetMemType(void* owner, uint32_t type);
void SetMemTag(void* owner, uint32_t value);
void FreeAutoMemory();

void CheckMemoryInit();
void CheckMemItem(const MemListItem* item);
void CheckMemList();

// Report lines, null-terminated; valid until the next call.
const char* const* MemStatistics();
void MemPrintStatistics();

// The heap calls, with logging; failures end the program.
void* SafeAllocate(uint32_t size);
void* SafeResize(void* block, uint32_t size);
void SafeFree(void* block);

// For tests and tools: the manager's counters.
uint32_t MemAllocatedCount();
uint64_t MemAllocatedTotal();
uint32_t MemListCapacity();
// The record that tracks an owner variable's block (checked).
const MemListItem* MemFindItem(void* owner);
// The size asked for when the tracked block whose data begins at address
// was made, or 0 when no tracked block begins there.  Loaders of outside
// data use it to keep their reads inside the block they were handed.
uint32_t MemBlockSize(const void* address);
