#include "tools/datakit/packer.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/base/compress.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"

namespace datakit {

PackedEntry PackEntry(std::span<const uint8_t> bytes) {
    PackedEntry best{0, std::vector<uint8_t>(bytes.begin(), bytes.end())};
    const uint8_t* source = bytes.data();
    for (int method = 0; method < GetNumCompressors(); ++method) {
        uint8_t* block = nullptr;
        uint32_t block_size = 0;
        CompressData(method, &source, uint32_t(bytes.size()), &block, &block_size);
        // Ties keep the earlier choice: plain first, then the lower method.
        if (block_size < best.stored.size())
            best = PackedEntry{PAK_FLAG_COMPRESSED, {block, block + block_size}};
        FreeMemory(&block);
    }
    return best;
}

void WriteFileIfChanged(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::vector<uint8_t> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old.size() == bytes.size() && std::equal(old.begin(), old.end(), bytes.begin())) return;
        }
    }
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) DatakitFail("cannot write '%s'", temporary.c_str());
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) DatakitFail("cannot write '%s': %s", path.c_str(), error.message().c_str());
}

void WriteArchive(const std::filesystem::path& base, std::span<const StagedFile* const> files) {
    std::vector<PakIndexItem> items;
    std::vector<uint8_t> data;
    for (const StagedFile* file : files) {
        PackedEntry entry = file->stored_whole ? PackedEntry{0, file->bytes} : PackEntry(file->bytes);
        if (data.size() + entry.stored.size() > UINT32_MAX) DatakitFail("the archive passes 4 GiB");
        items.push_back(PakIndexItem{file->name, entry.flags, uint32_t(data.size()),
                                     uint32_t(entry.stored.size()), uint32_t(file->bytes.size())});
        data.insert(data.end(), entry.stored.begin(), entry.stored.end());
    }
    std::filesystem::path index_path = base, data_path = base;
    index_path += ".pki";
    data_path += ".pkd";
    WriteFileIfChanged(data_path, data);
    WriteFileIfChanged(index_path, PakBuildIndex(items));
}

void WriteGameDir(const std::filesystem::path& game_dir) {
    std::vector<const StagedFile*> pak_files = StagedPakFiles();
    WriteArchive(game_dir / kArchiveBase, pak_files);
    for (const StagedFile* file : StagedGameFiles())
        WriteFileIfChanged(game_dir / file->host_path, file->bytes);
    for (const char* folder : {"SaveData", "SaveData/GOALS", "Edited"}) {
        std::filesystem::create_directories(game_dir / folder);
    }
}

}  // namespace datakit
