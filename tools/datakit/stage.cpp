#include "tools/datakit/stage.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "core/base/pakfile.h"

namespace datakit {
namespace {

std::filesystem::path g_source_dir;
// Keyed by normalised name, so the order is fixed whatever order the
// generators run in.
std::map<std::string, StagedFile> g_pak_files;
std::map<std::string, StagedFile> g_game_files;

void Stage(std::map<std::string, StagedFile>& set, std::string_view game_path, std::vector<uint8_t> bytes,
           bool stored_whole = false) {
    std::string name = PakNormaliseName(game_path);
    if (name.empty()) DatakitFail("a file was staged without a name");
    if (name.size() > PAK_MAX_NAME)
        DatakitFail("'%s' is longer than %zu characters", name.c_str(), PAK_MAX_NAME);
    if (bytes.empty()) DatakitFail("'%s' is empty", name.c_str());
    if (bytes.size() > UINT32_MAX / 2) DatakitFail("'%s' is too large", name.c_str());
    if (g_pak_files.count(name) != 0 || g_game_files.count(name) != 0) {
        DatakitFail("'%s' was staged twice", name.c_str());
    }
    std::string host_path(game_path);
    std::replace(host_path.begin(), host_path.end(), '\\', '/');
    set.emplace(name, StagedFile{name, host_path, std::move(bytes), stored_whole});
}

std::vector<const StagedFile*> Sorted(const std::map<std::string, StagedFile>& set) {
    std::vector<const StagedFile*> files;
    for (const auto& [name, file] : set) files.push_back(&file);
    return files;
}

}  // namespace

const std::filesystem::path& SourceDir() { return g_source_dir; }
void SetSourceDir(const std::filesystem::path& dir) { g_source_dir = dir; }

void StagePakFile(std::string_view game_path, std::vector<uint8_t> bytes) {
    Stage(g_pak_files, game_path, std::move(bytes));
}

void StagePakFileStored(std::string_view game_path, std::vector<uint8_t> bytes) {
    Stage(g_pak_files, game_path, std::move(bytes), true);
}

void StageGameFile(std::string_view game_path, std::vector<uint8_t> bytes) {
    Stage(g_game_files, game_path, std::move(bytes));
}

std::vector<const StagedFile*> StagedPakFiles() { return Sorted(g_pak_files); }
std::vector<const StagedFile*> StagedGameFiles() { return Sorted(g_game_files); }

void ClearStage() {
    g_pak_files.clear();
    g_game_files.clear();
}

void DatakitFail(const char* format, ...) {
    std::fflush(stdout);
    std::fprintf(stderr, "datakit: ");
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
    std::exit(1);
}

}  // namespace datakit
