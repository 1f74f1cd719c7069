// The virtual file table every shipped data file is read through, filled at
// start-up from pak archives (an index file "pki" with its data file "pkd")
// or list files ("pkl") naming loose files on disk; the "DOS" wrappers for
// ordinary files; and the mapping of the game's paths onto the host's.
//
// Names are the game's relative paths ("stats\\totstat.dat"), matched in
// upper case with backslashes whatever their spelling.
#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Turns a game path into a path on this machine: backslashes become
// slashes, and each component that does not exist under its exact name is
// matched case-insensitively against the names that do exist.  Components
// with no match at all are kept as written (so a new file can be created).
std::string HostPath(std::string_view game_path);

// ---- The table -------------------------------------------------------------

constexpr uint16_t PAK_LOOSE_FILE = 65535;  // pak number of a loose file
constexpr uint16_t PAK_FLAG_COMPRESSED = 0x1;
constexpr uint16_t PAK_FLAG_LOOSE = 0x2;
constexpr uint32_t PAK_SEARCH_SUBDIRS = 0x10000;
constexpr int PAK_MAX_DATA_FILES = 32;
constexpr int PAK_HASH_BUCKETS = 64;
constexpr int PAK_SEARCH_SLOTS = 8;
// Longest name that can be opened (an 80-byte buffer with its terminator).
constexpr size_t PAK_MAX_NAME = 79;

// One file of the table; the handle PakOpenFile returns.
struct PakFile {
    uint32_t size;    // unpacked size in bytes
    uint32_t name;    // offset of the normalised name in the string table
    uint16_t pak;     // data file holding it, PAK_LOOSE_FILE for a loose file
    uint16_t flags;   // PAK_FLAG_COMPRESSED, PAK_FLAG_LOOSE, and list-file flags
    uint32_t offset;  // start of the data in the data file
    uint32_t stored;  // bytes stored in the data file
    uint16_t open_count;
};

void PakFileInit();
void PakAddFile(const char* base_name);
void PakFileAddDone();
void PakFileUninit();

PakFile* PakOpenFile(const char* name);
void PakCloseFile(PakFile* file);
void PakReadFile(void* dest, uint32_t offset, uint32_t size, PakFile* file);
uint32_t PakReadWholeFile(void* dest, PakFile* file);
// Opens, allocates a managed block of the file's size for the owner
// variable, reads it all and closes; returns the size.
uint32_t PakLoadWholeFile(const char* name, void* owner, uint32_t mem_type);
int PakCheckFile(const char* name);
// The name of an open file as the table holds it.
const char* PakFileName(const PakFile* file);
// The number of the table that is ready, 0 when none is; each table made
// ready gets a new one.  A packed file reads the same while the number
// stands, so what was unpacked from it can be kept that long.  Loose files
// are read from disk every time and are not covered.
uint32_t PakTableGeneration();

// Search by name prefix: flags low 4 bits = 1 (the only mode that matches),
// plus PAK_SEARCH_SUBDIRS to include names below subfolders.
int PakFileSearchStart(const char* pattern, uint32_t flags);
const char* PakFileSearchNext(int slot);
void PakFileSearchEnd(int slot);

// "%s.%s", "%s\\%s" or "%s\\%s.%s" in one static 80-byte buffer, cut to
// fit; each call overwrites the last result.
char* MakeFileName(const char* directory, const char* name, const char* extension);
// Reads a whole ordinary file into a new managed block; returns its size.
uint32_t LoadFileToMemory(const char* file_name, void* owner, uint32_t mem_type);

// Ordinary files, opened for binary reading; any failure ends the program.
std::FILE* DOSOpenFile(const char* name);
void DOSReadFile(std::FILE* file, void* dest, uint32_t size);
void DOSCloseFile(std::FILE* file);
int DOSFileExists(const char* name);

// The normalised form of a name: ASCII letters in upper case, "/" as "\\".
std::string PakNormaliseName(std::string_view name);
uint32_t PakNameHash(std::string_view normalised);

// ---- The index file format ("PAK0"), shared with the data kit -------------

constexpr uint32_t PAK_INDEX_HEADER_SIZE = 24;
constexpr uint32_t PAK_INDEX_ENTRY_SIZE = 20;

struct PakIndexHeader {
    uint32_t table_offset;
    int32_t entry_count;
    uint32_t stride;
    uint32_t strings_offset;
    uint32_t strings_size;
};

struct PakIndexEntry {
    uint32_t flags;
    uint32_t offset;  // in the data file
    uint32_t stored;  // bytes in the data file
    uint32_t name;    // offset in the string table
    uint32_t size;    // unpacked size
};

// One file as the index describes it, with its name resolved.
struct PakIndexItem {
    std::string name;  // normalised
    uint32_t flags;
    uint32_t offset;
    uint32_t stored;
    uint32_t size;
};

// Builds a complete index file: header, entry table, string table.
std::vector<uint8_t> PakBuildIndex(std::span<const PakIndexItem> items);

// Checks an index file's bytes and calls visit (if given) for each entry in
// order, with its raw name; a visitor returns null or a message that
// rejects the entry.  Returns null when the index is sound, else the
// message that rejects it.
using PakIndexVisitor = const char* (*)(void* context, const PakIndexEntry& entry, const char* name);
const char* PakParseIndex(std::span<const uint8_t> index, PakIndexVisitor visit, void* context);

// For tests: the table's state, and a reset that drops everything
// (however far start-up got) without any checks.
int PakFileStatus();
void PakFileResetForTests();
