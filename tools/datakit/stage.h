// The data kit's staging set: every generator puts the files it makes here
// under their game paths ("textfile\\eng.txt"), and the packer writes them
// out.  Files for the pak archive and files that live loose in the working
// folder are kept apart.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace datakit {

struct StagedFile {
    std::string name;       // normalised game path: upper case, backslashes
    std::string host_path;  // the path as staged, with slashes (for loose files)
    std::vector<uint8_t> bytes;
    bool stored_whole = false;  // never compressed: the game reads it in parts
};

// The repository's root, for generators that read hand-written sources
// under data/.
const std::filesystem::path& SourceDir();
void SetSourceDir(const std::filesystem::path& dir);

// Adds a file to the pak archive.  A name staged twice, an empty file (the
// game cannot read one) or a name too long for the game to open ends the
// run with a message.
void StagePakFile(std::string_view game_path, std::vector<uint8_t> bytes);
// The same for a file the game reads in parts (compressed entries can only
// be read whole), so it is stored as it is.
void StagePakFileStored(std::string_view game_path, std::vector<uint8_t> bytes);
// Adds a file that is written into the working folder beside the archive,
// under its game path ("stats\\totstat.dat").
void StageGameFile(std::string_view game_path, std::vector<uint8_t> bytes);

// The staged files, sorted by name.
std::vector<const StagedFile*> StagedPakFiles();
std::vector<const StagedFile*> StagedGameFiles();
void ClearStage();

// Ends the run: prints "datakit: <message>" on standard error, exit status 1.
[[noreturn]] void DatakitFail(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace datakit
