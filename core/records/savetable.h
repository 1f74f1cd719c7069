// The saved game's list of blocks: every global table of the game state,
// in file order, with its size.  Saving writes these bytes; loading reads
// them back over the same places.
#pragma once
#include <cstdint>

// One block of a block file; a list ends with {nullptr, 0}.
struct DataBlockDescriptor {
    void* address;
    uint32_t size;
};

constexpr int kSaveGameBlockCount = 119;
constexpr uint64_t kSaveGameDataBytes = 48408860;

extern const DataBlockDescriptor SaveGameDescriptors[kSaveGameBlockCount + 1];

// Number of blocks before the end entry, and the sum of their sizes.
int CountDataBlocks(const DataBlockDescriptor* list);
uint64_t SumDataBlockSizes(const DataBlockDescriptor* list);
