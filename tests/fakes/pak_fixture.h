// Files and pak archives on disk for tests.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testenv {

struct PakTestFile {
    std::string name;
    std::vector<uint8_t> bytes;
    int method = -1;  // compression method, -1 to store plainly
};

// Writes base + ".pki" and base + ".pkd" (host paths; folders are made).
void WritePak(const std::string& base, const std::vector<PakTestFile>& files);
void WriteHostFile(const std::string& path, std::string_view bytes);
void WriteHostFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadHostFile(const std::string& path);
std::vector<uint8_t> Bytes(std::string_view text);

// Brings up the game's memory (a budget in kilobytes) and mounts the
// generated archive of the game folder, as the game does at start-up.
void MountGameArchive(const std::string& gameDir, uint32_t memoryKb);
// Takes the archive and the memory down again.
void UnmountGameArchive();

// An empty folder named after the running test (so death-test children,
// which run the body again, find the same one), entered for the scope's
// life.  A death-test child empties it again and then remakes what the
// body wrote before the death statement.
class ScratchDir {
  public:
    explicit ScratchDir(const std::string& tag = "");
    ~ScratchDir();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

}  // namespace testenv
