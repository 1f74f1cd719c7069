// Writes the working folder: the pak archive packed from the staged files,
// the loose game files, and the folders the player's files go in.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "tools/datakit/stage.h"

namespace datakit {

constexpr const char* kArchiveBase = "pakfiles/demo";

// An archive entry as stored in the data file.
struct PackedEntry {
    uint32_t flags;  // PAK_FLAG_COMPRESSED or 0
    std::vector<uint8_t> stored;
};

// The smallest compressed block any method makes of the bytes when it is
// smaller than the bytes themselves; else the bytes as they are.
PackedEntry PackEntry(std::span<const uint8_t> bytes);

// Writes base + ".pki" and base + ".pkd" holding the files in the order
// given.
void WriteArchive(const std::filesystem::path& base, std::span<const StagedFile* const> files);

// The whole working folder from the staging set.
void WriteGameDir(const std::filesystem::path& game_dir);

// Replaces a file's contents unless it already holds exactly these bytes,
// so unchanged output keeps its time stamp.
void WriteFileIfChanged(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace datakit
