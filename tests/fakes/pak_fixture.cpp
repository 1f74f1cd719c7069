#include "tests/fakes/pak_fixture.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "core/base/compress.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"

namespace testenv {

void WriteHostFile(const std::string& path, std::string_view bytes) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

void WriteHostFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteHostFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<uint8_t> ReadHostFile(const std::string& path) {
    // Read in blocks: a byte-by-byte read of a 48 MB saved game took
    // seconds in a checked tree. A file that cannot be opened reads empty.
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes;
    constexpr size_t kBlock = 1 << 20;
    while (in) {
        const size_t at = bytes.size();
        bytes.resize(at + kBlock);
        in.read(reinterpret_cast<char*>(bytes.data() + at), std::streamsize(kBlock));
        bytes.resize(at + size_t(in.gcount()));
    }
    return bytes;
}

std::vector<uint8_t> Bytes(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

void WritePak(const std::string& base, const std::vector<PakTestFile>& files) {
    std::vector<PakIndexItem> items;
    std::vector<uint8_t> data;
    for (const PakTestFile& file : files) {
        std::vector<uint8_t> stored = file.bytes;
        uint32_t flags = 0;
        if (file.method >= 0) {
            uint32_t size = uint32_t(file.bytes.size());
            std::vector<uint8_t> block(COMPRESS_HEADER_SIZE + CompressWorstCase(file.method, size));
            uint32_t packed = 0;
            CompressDataMem2Mem(file.method, file.bytes.data(), size, block.data() + COMPRESS_HEADER_SIZE,
                                &packed);
            CompressWriteHeader(block.data(), CompressHeader{uint16_t(file.method), packed, size});
            block.resize(COMPRESS_HEADER_SIZE + packed);
            stored = block;
            flags = PAK_FLAG_COMPRESSED;
        }
        items.push_back(PakIndexItem{file.name, flags, uint32_t(data.size()), uint32_t(stored.size()),
                                     uint32_t(file.bytes.size())});
        data.insert(data.end(), stored.begin(), stored.end());
    }
    WriteHostFile(base + ".pkd", data);
    WriteHostFile(base + ".pki", PakBuildIndex(items));
}

ScratchDir::ScratchDir(const std::string& tag) {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("halvorn_") + info->test_suite_name() + "_" + info->name() + tag;
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    path_ = testing::TempDir() + name;
    // Only the contents go: a death-test child clears the folder its parent
    // is standing in, and the parent must still be able to use it.
    std::filesystem::create_directories(path_);
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        std::filesystem::remove_all(entry.path());
    previous_ = std::filesystem::current_path();
    if (chdir(path_.c_str()) != 0) ADD_FAILURE() << "cannot enter " << path_;
}

ScratchDir::~ScratchDir() {
    if (chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void MountGameArchive(const std::string& gameDir, uint32_t memoryKb) {
    InitMemory(memoryKb);
    PakFileInit();
    PakAddFile((gameDir + "/pakfiles/demo").c_str());
    PakFileAddDone();
}

void UnmountGameArchive() {
    PakFileUninit();
    UninitMemory();
}

}  // namespace testenv
