// datakit <source-dir> <game-dir>: generates every file of the game's
// working folder.
// datakit --describe-world <source-dir> [seed]: prints the generated world.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/base/trackedmemory.h"
#include "tools/datakit/generators.h"
#include "tools/datakit/packer.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/worldgen.h"

namespace {
// The compressors allocate through the game's memory manager; the budget
// only bounds cache blocks, of which the data kit has none.
constexpr uint32_t kMemoryBudgetKb = 9500;
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && argc <= 4 && std::strcmp(argv[1], "--describe-world") == 0) {
        uint64_t seed = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : kDefaultWorldSeed;
        std::string error;
        if (!GenerateWorld(seed, std::string(argv[2]) + "/data/world/cultures", &error)) {
            std::fprintf(stderr, "datakit: world: %s\n", error.c_str());
            return 1;
        }
        DescribeWorld(stdout);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(
            stderr,
            "usage: datakit <source-dir> <game-dir>\n       datakit --describe-world <source-dir> [seed]\n");
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
