// datakit <source-dir> <game-dir>: generates every file of the game's
// working folder.
#include <cstdio>

#include "support/mem_win.h"
#include "tools/datakit/generators.h"
#include "tools/datakit/packer.h"
#include "tools/datakit/stage.h"

namespace {
// The compressors allocate through the game's memory manager; the budget
// only bounds cache blocks, of which the data kit has none.
constexpr uint32_t kMemoryBudgetKb = 9500;
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: datakit <source-dir> <game-dir>\n");
        return 2;
    }
    datakit::SetSourceDir(argv[1]);
    InitMemory(kMemoryBudgetKb);
    datakit::RunGenerators();
    datakit::WriteGameDir(argv[2]);
    std::printf("datakit: %zu files in the archive, %zu beside it\n", datakit::StagedPakFiles().size(),
                datakit::StagedGameFiles().size());
    datakit::ClearStage();
    UninitMemory();
    return 0;
}
