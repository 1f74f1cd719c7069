#include "core/base/pakfile.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/compress.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"

namespace {

constexpr const char* kModule = "pakfile";
constexpr char kIndexMagic[4] = {'P', 'A', 'K', '0'};
constexpr uint32_t kBucketGrowth = 256;
constexpr uint32_t kStringGrowth = 4096;
constexpr size_t kMaxListLine = 255;
constexpr size_t kFileNameBuffer = 80;

enum PakStatus : int { kNotInitialised = 0, kAdding = 1, kReady = 2 };

struct SearchSlot {
    char* pattern;  // managed block; null = free slot
    uint32_t flags;
    int bucket;
    uint32_t record;
};

int g_status = kNotInitialised;
PakFile* g_buckets[PAK_HASH_BUCKETS];
uint32_t g_bucket_count[PAK_HASH_BUCKETS];
uint32_t g_bucket_capacity[PAK_HASH_BUCKETS];
char* g_strings = nullptr;
uint32_t g_strings_used = 0;
uint32_t g_strings_capacity = 0;
// Data files by number; a file being added sits at g_data_count until its
// index has been read.
std::FILE* g_data_files[PAK_MAX_DATA_FILES];
int g_data_count = 0;
uint8_t* g_index = nullptr;  // the index file while it is being added
SearchSlot g_slots[PAK_SEARCH_SLOTS];
// The number of the table made ready last (0 is never one).
uint32_t g_generation = 0;

template <class T>
T* OwnerValue(void* owner) {
    T* value;
    std::memcpy(&value, owner, sizeof value);
    return value;
}

void Append32(std::vector<uint8_t>& out, uint32_t value) {
    out.resize(out.size() + 4);
    recbits::StoreU32(out.data() + out.size() - 4, value);
}

bool IsDirectory(const char* host_path) {
    struct stat info;
    return stat(host_path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& host_path) {
    struct stat info;
    return lstat(host_path.c_str(), &info) == 0;
}

std::vector<std::string> DirectoryNames(const std::string& host_dir) {
    std::vector<std::string> names;
    DIR* dir = opendir(host_dir.empty() ? "." : host_dir.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
    closedir(dir);
    // Directory order differs between machines; sorted order does not.
    std::sort(names.begin(), names.end());
    return names;
}

std::string JoinHost(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

const char* NameOf(const PakFile& file) { return g_strings + file.name; }

// The names that can be looked up, normalised into a fixed buffer: nothing
// on the heap is left behind when a fatal error is caught by a test seam.
using NameBuffer = char[PAK_MAX_NAME + 1];

bool NormaliseInto(const char* name, NameBuffer& out) {
    size_t length = strnlen(name, PAK_MAX_NAME + 1);
    if (length > PAK_MAX_NAME) return false;
    for (size_t i = 0; i <= length; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c == '/') c = '\\';
        out[i] = c;
    }
    return true;
}

PakFile* SearchFile(const char* wanted) {
    uint32_t bucket = PakNameHash(wanted);
    PakFile* records = g_buckets[bucket];
    uint32_t count = g_bucket_count[bucket];
    if (g_status == kAdding) {
        for (uint32_t i = 0; i < count; ++i) {
            if (std::strcmp(NameOf(records[i]), wanted) == 0) return &records[i];
        }
        return nullptr;
    }
    if (g_status == kReady) {
        PakFile* end = records + count;
        PakFile* at = std::lower_bound(records, end, wanted, [](const PakFile& file, const char* name) {
            return std::strcmp(NameOf(file), name) < 0;
        });
        if (at != end && std::strcmp(NameOf(*at), wanted) == 0) return at;
        return nullptr;
    }
    AbortError(kModule, __LINE__, "SearchFile(): unknown status");
}

uint32_t AppendName(const char* normalised) {
    uint32_t length = uint32_t(std::strlen(normalised)) + 1;
    while (g_strings_used + length > g_strings_capacity) {
        g_strings_capacity += kStringGrowth;
        ResizeMemory(&g_strings, g_strings_capacity);
    }
    uint32_t offset = g_strings_used;
    std::memcpy(g_strings + offset, normalised, length);
    g_strings_used += length;
    return offset;
}

void AppendRecord(const char* normalised, PakFile record) {
    uint32_t bucket = PakNameHash(normalised);
    if (g_bucket_count[bucket] + 1 >= g_bucket_capacity[bucket]) {
        g_bucket_capacity[bucket] += kBucketGrowth;
        ResizeMemory(&g_buckets[bucket], g_bucket_capacity[bucket] * uint32_t(sizeof(PakFile)));
    }
    record.name = AppendName(normalised);
    g_buckets[bucket][g_bucket_count[bucket]++] = record;
}

// ---- Index files -----------------------------------------------------------

struct IndexContext {
    uint16_t pak;
    uint64_t data_size;
};

const char* AddIndexEntry(void* context, const PakIndexEntry& entry, const char* raw_name) {
    const IndexContext& index = *static_cast<const IndexContext*>(context);
    uint64_t extent = (entry.flags & PAK_FLAG_COMPRESSED) ? entry.stored : entry.size;
    if (uint64_t(entry.offset) + extent > index.data_size) {
        return "AddIndex(): entry data lies outside the data file";
    }
    NameBuffer name;
    if (!NormaliseInto(raw_name, name)) return "AddIndex(): entry name too long";
    if (SearchFile(name) != nullptr) {
        DebugLog(DEBUG_FILE, 80, "AddIndex(): '%s' already exists\n", name);
        return nullptr;
    }
    DebugLog(DEBUG_FILE, 80, "AddIndex(): adding '%s' - %u bytes\n", name, entry.size);
    PakFile record{};
    record.size = entry.size;
    record.pak = index.pak;
    record.flags = uint16_t(entry.flags & 0xFFFF & ~uint32_t(PAK_FLAG_LOOSE));
    record.offset = entry.offset;
    record.stored = entry.stored;
    AppendRecord(name, record);
    return nullptr;
}

uint64_t FileSize(std::FILE* file) {
    if (fseeko(file, 0, SEEK_END) != 0) return 0;
    off_t size = ftello(file);
    if (fseeko(file, 0, SEEK_SET) != 0 || size < 0) return 0;
    return uint64_t(size);
}

void AddIndex(const char* base) {
    if (g_data_count == PAK_MAX_DATA_FILES)
        AbortError(kModule, __LINE__, "AddIndex(): too many open pak files");
    char index_name[kFileNameBuffer], data_name[kFileNameBuffer];
    std::strcpy(index_name, MakeFileName(nullptr, base, "pki"));
    std::strcpy(data_name, MakeFileName(nullptr, base, "pkd"));
    uint32_t index_size = LoadFileToMemory(index_name, &g_index, MEM_TYPE_MANUAL_NO_MOVE);
    // The data file is opened first so that every entry can be checked
    // against its size.
    std::FILE* data = DOSOpenFile(data_name);
    g_data_files[g_data_count] = data;
    IndexContext context{uint16_t(g_data_count), FileSize(data)};
    if (const char* problem = PakParseIndex({g_index, index_size}, AddIndexEntry, &context)) {
        AbortError(kModule, __LINE__, problem);
    }
    ++g_data_count;
    FreeMemory(&g_index);
}

// ---- List files --------------------------------------------------------------

// Wildcards as the host shell of the data's authors knew them: "*" any run,
// "?" one character, letters in either case, and "*.*" for every file.
bool WildcardMatch(const char* pattern, const char* name) {
    if (std::strcmp(pattern, "*.*") == 0) return true;
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' ||
                   (*pattern != '\0' && std::tolower(uint8_t(*pattern)) == std::tolower(uint8_t(*name)))) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

int AddListPattern(const std::string& pattern, uint32_t flags, bool recurse) {
    DebugLog(DEBUG_FILE, 60, "AddListPattern(): adding files matching '%s'\n", pattern.c_str());
    size_t cut = pattern.rfind('\\');
    if (cut == std::string::npos) cut = pattern.rfind('/');
    std::string directory = cut == std::string::npos ? "" : pattern.substr(0, cut + 1);
    std::string file_part = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    std::string host_dir = directory.empty() ? "" : HostPath(directory);

    int added = 0;
    std::vector<std::string> subdirectories;
    for (const std::string& found : DirectoryNames(host_dir)) {
        if (found == "." || found == "..") continue;
        std::string host = JoinHost(host_dir, found);
        struct stat info;
        if (stat(host.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            subdirectories.push_back(found);
            continue;
        }
        if (!S_ISREG(info.st_mode) || !WildcardMatch(file_part.c_str(), found.c_str())) continue;
        std::string name = PakNormaliseName(directory + found);
        if (SearchFile(name.c_str()) != nullptr) {
            DebugLog(DEBUG_FILE, 80, "ListFile2Index(): '%s' already exists\n", name.c_str());
            continue;
        }
        if (uint64_t(info.st_size) > UINT32_MAX) {
            std::printf("Warning: ListFile2Index(): '%s' is too large - skipped\n", name.c_str());
            continue;
        }
        DebugLog(DEBUG_FILE, 80, "ListFile2Index(): adding '%s' - %u bytes\n", name.c_str(),
                 uint32_t(info.st_size));
        PakFile record{};
        record.size = uint32_t(info.st_size);
        record.pak = PAK_LOOSE_FILE;
        record.flags = uint16_t(flags | PAK_FLAG_LOOSE);
        AppendRecord(name.c_str(), record);
        ++added;
    }
    if (recurse) {
        for (const std::string& sub : subdirectories) {
            std::string sub_dir = directory + sub;
            DebugLog(DEBUG_FILE, 60, "AddListPattern(): adding subdir '%s'\n", sub_dir.c_str());
            added += AddListPattern(sub_dir + "\\" + file_part, flags, true);
        }
    }
    return added;
}

// Applies the option letters after a pattern.
void ParseListOptions(const char* options, uint32_t* flags, bool* recurse) {
    for (const char* p = options; *p != '\0'; ++p) {
        switch (std::toupper(uint8_t(*p))) {
            case ' ':
            case '\t':
            case '/':
                break;
            case 'S':
                *recurse = true;
                break;
            case 'C':
                *flags |= 0x1;
                break;
            case 'H':
                *flags |= 0x10;
                break;
            case 'Q':
                *flags |= 0x20;
                break;
            case 'B':
                *flags |= 0x30;
                break;
            case '1':
                *flags |= 0x100;
                break;
            case '2':
                *flags |= 0x200;
                break;
            case '4':
                *flags |= 0x300;
                break;
            case 'R':
                *flags |= 0x1000;
                break;
            default:
                AbortError(kModule, __LINE__, "ListFile2Index(): unknown option");
        }
    }
}

// Reads one line ending in CR LF; false at the end of the file.
bool ReadListLine(std::FILE* file, char* line) {
    size_t length = 0;
    for (;;) {
        int c = std::fgetc(file);
        if (c == EOF) {
            if (length == 0) return false;
            AbortError(kModule, __LINE__, "ListFile2Index(): line too long in list file");
        }
        line[length++] = char(c);
        if (c == '\n') break;
        if (length == kMaxListLine)
            AbortError(kModule, __LINE__, "ListFile2Index(): line too long in list file");
    }
    if (length < 2 || line[length - 2] != '\r') {
        AbortError(kModule, __LINE__, "ListFile2Index(): bad line in list file");
    }
    line[length - 2] = '\0';
    return true;
}

void ListFile2Index(const char* list_name) {
    DebugLog(DEBUG_FILE, 10, "ListFile2Index(): virtual filelist from '%s'\n", list_name);
    std::FILE* file = DOSOpenFile(list_name);
    char line[kMaxListLine + 1];
    while (ReadListLine(file, line)) {
        if (line[0] == '\0' || line[0] == '#' || line[0] == ';' || std::strncmp(line, "//", 2) == 0) continue;
        char* options = line + std::strcspn(line, " \t");
        uint32_t flags = 0;
        bool recurse = false;
        if (*options != '\0') {
            *options++ = '\0';
            ParseListOptions(options, &flags, &recurse);
        }
        DebugLog(DEBUG_FILE, 20, "ListFile2Index(): adding files matching '%s'\n", line);
        if (AddListPattern(line, flags, recurse) == 0) {
            std::printf("Warning: ListFile2Index(): Pattern '%s' matched 0 files\a\n", line);
        }
    }
    DOSCloseFile(file);
}

// Opens a game path for binary reading.  Folders open for reading here but
// not on the game's home system, so they are refused (errno EISDIR).
std::FILE* OpenHostFile(const char* game_path) {
    std::string host = HostPath(game_path);
    if (IsDirectory(host.c_str())) {
        errno = EISDIR;
        return nullptr;
    }
    return std::fopen(host.c_str(), "rb");
}

SearchSlot& CheckedSlot(int slot, const char* message) {
    if (slot < 0 || slot >= PAK_SEARCH_SLOTS || g_slots[slot].pattern == nullptr) {
        AbortError(kModule, __LINE__, message);
    }
    return g_slots[slot];
}

}  // namespace

// ---- Names and host paths ------------------------------------------------------

std::string PakNormaliseName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c == '/') c = '\\';
    }
    return out;
}

uint32_t PakNameHash(std::string_view normalised) {
    uint32_t hash = 0;
    for (char c : normalised) hash ^= uint8_t(c);
    return hash & (PAK_HASH_BUCKETS - 1);
}

std::string HostPath(std::string_view game_path) {
    std::string path(game_path);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || Exists(path)) return path;

    std::string result = path[0] == '/' ? "/" : "";
    size_t at = result.size();
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        std::string component = path.substr(at, end - at);
        bool last = end == path.size();
        if (!component.empty()) {
            std::string exact = JoinHost(result, component);
            if (component == "." || component == ".." || Exists(exact)) {
                result = exact;
            } else {
                std::string match;
                for (const std::string& name : DirectoryNames(result)) {
                    if (strcasecmp(name.c_str(), component.c_str()) == 0) {
                        match = name;
                        break;
                    }
                }
                if (match.empty()) {
                    // Nothing by that name: the rest stays as written.
                    return JoinHost(result, path.substr(at));
                }
                result = JoinHost(result, match);
            }
        }
        if (last) break;
        at = end + 1;
    }
    if (path.back() == '/' && (result.empty() || result.back() != '/')) result += '/';
    return result;
}

// ---- The table ---------------------------------------------------------------------

void PakFileInit() {
    if (g_status != kNotInitialised) AbortError(kModule, __LINE__, "PakFileInit(): already initialised");
    for (int b = 0; b < PAK_HASH_BUCKETS; ++b) {
        AllocateMemory(&g_buckets[b], kBucketGrowth * uint32_t(sizeof(PakFile)), MEM_TYPE_MANUAL_FREE);
        g_bucket_count[b] = 0;
        g_bucket_capacity[b] = kBucketGrowth;
    }
    AllocateMemory(&g_strings, kStringGrowth, MEM_TYPE_MANUAL_FREE);
    g_strings_used = 0;
    g_strings_capacity = kStringGrowth;
    g_data_count = 0;
    g_status = kAdding;
}

void PakAddFile(const char* base_name) {
    if (g_status != kAdding) {
        AbortError(kModule, __LINE__, "PakAddFile(): can only add before PakAddFileDone() is called");
    }
    DebugLog(DEBUG_FILE, 1, "PakFileAdd(): adding pak file '%s'\n", base_name);
    char list_name[kFileNameBuffer], index_name[kFileNameBuffer];
    std::strcpy(list_name, MakeFileName(nullptr, base_name, "pkl"));
    std::strcpy(index_name, MakeFileName(nullptr, base_name, "pki"));
    bool has_list = DOSFileExists(list_name) != 0;
    bool has_index = DOSFileExists(index_name) != 0;
    if (has_list && has_index) {
        std::printf("PakAddFile(): Warning: both packed and unpacked files exist - using packed version\n");
    }
    if (!has_list && !has_index) FatalError("Error: PakFileAdd(): no index or list file found\n");
    if (has_index) {
        AddIndex(base_name);
    } else {
        ListFile2Index(list_name);
    }
}

void PakFileAddDone() {
    if (g_status != kAdding)
        AbortError(kModule, __LINE__, "PakFileAddDone(): not initialised, or already done");
    uint32_t files = 0;
    uint64_t total = 0;
    for (int b = 0; b < PAK_HASH_BUCKETS; ++b) {
        uint32_t bytes = g_bucket_count[b] * uint32_t(sizeof(PakFile));
        ResizeMemory(&g_buckets[b], bytes);
        g_bucket_capacity[b] = g_bucket_count[b];
        DebugLog(DEBUG_FILE, 60, "PakFileAddDone(): file table hash %d size %u bytes\n", b, bytes);
    }
    ResizeMemory(&g_strings, g_strings_used);
    g_strings_capacity = g_strings_used;
    SetMemType(&g_strings, MEM_TYPE_MANUAL_NO_MOVE);
    DebugLog(DEBUG_FILE, 60, "PakFileAddDone(): string table size %u bytes\n", g_strings_used);
    FreeAutoMemory();
    for (int b = 0; b < PAK_HASH_BUCKETS; ++b) {
        std::sort(g_buckets[b], g_buckets[b] + g_bucket_count[b],
                  [](const PakFile& x, const PakFile& y) { return std::strcmp(NameOf(x), NameOf(y)) < 0; });
        files += g_bucket_count[b];
        for (uint32_t i = 0; i < g_bucket_count[b]; ++i) total += g_buckets[b][i].size;
    }
    g_status = kReady;
    if (++g_generation == 0) ++g_generation;
    DebugLog(DEBUG_FILE, 10, "PakFileAddDone(): %u files, %uMb (%llu bytes)\n", files,
             uint32_t(total / (1024 * 1024)), static_cast<unsigned long long>(total));
}

void PakFileUninit() {
    if (g_status == kNotInitialised) AbortError(kModule, __LINE__, "PakFileUninit(): not initialised");
    for (int b = 0; b < PAK_HASH_BUCKETS; ++b) {
        for (uint32_t i = 0; i < g_bucket_count[b]; ++i) {
            if (g_buckets[b][i].open_count != 0) {
                std::printf("Warning: file '%s' not closed\n", NameOf(g_buckets[b][i]));
            }
        }
    }
    for (int b = 0; b < PAK_HASH_BUCKETS; ++b) {
        FreeMemory(&g_buckets[b]);
        g_bucket_count[b] = g_bucket_capacity[b] = 0;
    }
    FreeMemory(&g_strings);
    g_strings_used = g_strings_capacity = 0;
    for (int i = 0; i < g_data_count; ++i) {
        DOSCloseFile(g_data_files[i]);
        g_data_files[i] = nullptr;
    }
    g_data_count = 0;
    g_status = kNotInitialised;
}

PakFile* PakOpenFile(const char* name) {
    if (g_status != kReady) AbortError(kModule, __LINE__, "PakOpenFile(): not ready - call PakFileAddDone()");
    // A name too long to hold cannot be in the table.
    NameBuffer normalised;
    bool fits = NormaliseInto(name, normalised);
    DebugLog(DEBUG_FILE, 80, "PakOpenFile(): opening '%s'\n", fits ? normalised : name);
    PakFile* file = fits ? SearchFile(normalised) : nullptr;
    if (file == nullptr) FatalError("Error: PakOpenFile(): file '%s' not found\n", name);
    // The count is 16 bits wide; wrapping it would make the file look closed.
    if (file->open_count == UINT16_MAX) AbortError(kModule, __LINE__, "PakOpenFile(): file opened too often");
    ++file->open_count;
    return file;
}

int PakCheckFile(const char* name) {
    if (g_status != kReady) AbortError(kModule, __LINE__, "PakOpenFile(): not ready - call PakFileAddDone()");
    NameBuffer normalised;
    if (NormaliseInto(name, normalised) && SearchFile(normalised) != nullptr) {
        DebugLog(DEBUG_FILE, 80, "PakCheckFile(): checking '%s' - does exist\n", normalised);
        return 1;
    }
    DebugLog(DEBUG_FILE, 80, "PakCheckFile(): checking '%s' - not found\n", name);
    return 0;
}

void PakCloseFile(PakFile* file) {
    if (file == nullptr) AbortError(kModule, __LINE__, "PakCloseFile(): NULL file handle passed");
    DebugLog(DEBUG_FILE, 80, "PakCloseFile(): closing '%s'\n", NameOf(*file));
    if (file->open_count == 0) AbortError(kModule, __LINE__, "PakCloseFile(): already fully closed");
    --file->open_count;
}

const char* PakFileName(const PakFile* file) { return NameOf(*file); }

uint32_t PakTableGeneration() { return g_status == kReady ? g_generation : 0; }

void PakReadFile(void* dest, uint32_t offset, uint32_t size, PakFile* file) {
    const char* name = NameOf(*file);
    DebugLog(DEBUG_FILE, 80, "PakReadFile(): reading from '%s' (%u,+%u)\n", name, offset, size);
    if (file->open_count == 0) AbortError(kModule, __LINE__, "PakReadFile(): already fully closed");
    if ((file->flags & PAK_FLAG_COMPRESSED) && !(offset == 0 && size == file->size)) {
        FatalError("Error: PakReadFile(): partial read from '%s', but it's compressed\n", name);
    }
    if (uint64_t(offset) + size > file->size || offset >= file->size) {
        FatalError("Error: PakReadFile(): read in '%s' of %ud bytes from %ud, but file is only %ud bytes\n",
                   name, size, offset, file->size);
    }
    if (file->flags & PAK_FLAG_LOOSE) {
        // Loose files are always read as they are on disk.
        std::FILE* loose = OpenHostFile(name);
        if (loose == nullptr) AbortError(kModule, __LINE__, "PakReadFile(): immediate file not found");
        if (fseeko(loose, off_t(offset), SEEK_SET) != 0) {
            std::fclose(loose);
            AbortError(kModule, __LINE__, "PakReadFile(): immediate file seek failed");
        }
        size_t got = std::fread(dest, 1, size, loose);
        std::fclose(loose);
        if (got != size) AbortError(kModule, __LINE__, "PakReadFile(): immediate file read failed");
        return;
    }
    std::FILE* data = g_data_files[file->pak];
    if (file->flags & PAK_FLAG_COMPRESSED) {
        if (fseeko(data, off_t(file->offset), SEEK_SET) != 0) {
            AbortError(kModule, __LINE__, "PakReadFile(): seek in data file failed");
        }
        if (DecompressDataFile(data, file->stored, dest, file->size) != file->size) {
            AbortError(kModule, __LINE__, "PakReadFile(): decompressed data wasn't the correct size");
        }
        return;
    }
    if (fseeko(data, off_t(uint64_t(file->offset) + offset), SEEK_SET) != 0) {
        AbortError(kModule, __LINE__, "PakReadFile(): seek in data file failed");
    }
    if (std::fread(dest, 1, size, data) != size)
        AbortError(kModule, __LINE__, "PakReadFile(): read in data file failed");
}

uint32_t PakReadWholeFile(void* dest, PakFile* file) {
    PakReadFile(dest, 0, file->size, file);
    return file->size;
}

uint32_t PakLoadWholeFile(const char* name, void* owner, uint32_t mem_type) {
    PakFile* file = PakOpenFile(name);
    AllocateMemory(owner, file->size, mem_type);
    uint32_t size = PakReadWholeFile(OwnerValue<uint8_t>(owner), file);
    PakCloseFile(file);
    return size;
}

int PakFileSearchStart(const char* pattern, uint32_t flags) {
    for (int slot = 0; slot < PAK_SEARCH_SLOTS; ++slot) {
        SearchSlot& s = g_slots[slot];
        if (s.pattern != nullptr) continue;
        std::string normalised = PakNormaliseName(pattern);
        AllocateMemory(&s.pattern, uint32_t(normalised.size() + 1), MEM_TYPE_MANUAL_NO_MOVE);
        std::memcpy(s.pattern, normalised.c_str(), normalised.size() + 1);
        s.flags = flags;
        s.bucket = 0;
        s.record = 0;
        return slot;
    }
    AbortError(kModule, __LINE__, "PakFileSearchStart(): no free search slots");
}

const char* PakFileSearchNext(int slot) {
    SearchSlot& s = CheckedSlot(slot, "PakFileSearchNext(): invalid search slot");
    if ((s.flags & 0xF) == 1 && g_status != kNotInitialised) {
        size_t length = std::strlen(s.pattern);
        for (; s.bucket < PAK_HASH_BUCKETS; ++s.bucket, s.record = 0) {
            while (s.record < g_bucket_count[s.bucket]) {
                const char* name = NameOf(g_buckets[s.bucket][s.record++]);
                if (std::strncmp(name, s.pattern, length) != 0) continue;
                if ((s.flags & PAK_SEARCH_SUBDIRS) || std::strchr(name + length, '\\') == nullptr)
                    return name;
            }
        }
    }
    s.bucket = PAK_HASH_BUCKETS;
    s.record = 0;
    return nullptr;
}

void PakFileSearchEnd(int slot) {
    SearchSlot& s = CheckedSlot(slot, "PakFileSearchEnd(): invalid search slot");
    FreeMemory(&s.pattern);
}

// ---- Ordinary files --------------------------------------------------------------

char* MakeFileName(const char* directory, const char* name, const char* extension) {
    static char buffer[kFileNameBuffer];
    if (directory == nullptr) {
        std::snprintf(buffer, sizeof buffer, "%s.%s", name, extension);
    } else if (extension == nullptr) {
        std::snprintf(buffer, sizeof buffer, "%s\\%s", directory, name);
    } else {
        std::snprintf(buffer, sizeof buffer, "%s\\%s.%s", directory, name, extension);
    }
    return buffer;
}

uint32_t LoadFileToMemory(const char* file_name, void* owner, uint32_t mem_type) {
    std::FILE* file = DOSOpenFile(file_name);
    uint64_t size = FileSize(file);
    if (size > UINT32_MAX - MEM_ACCOUNTED_HEADER) {
        FatalError("Error: LoadFileToMemory(): file '%s' is too large\n", file_name);
    }
    AllocateMemory(owner, uint32_t(size), mem_type);
    DOSReadFile(file, OwnerValue<uint8_t>(owner), uint32_t(size));
    DOSCloseFile(file);
    return uint32_t(size);
}

std::FILE* DOSOpenFile(const char* name) {
    DebugLog(DEBUG_FILE, 20, "DOSOpenFile(): opening '%s'\n", name);
    std::FILE* file = OpenHostFile(name);
    if (file == nullptr)
        FatalError("Error: DOSOpenFile(): Cannot open file '%s': %s\n", name, std::strerror(errno));
    return file;
}

void DOSReadFile(std::FILE* file, void* dest, uint32_t size) {
    if (size == 0) return;
    errno = 0;
    if (std::fread(dest, 1, size, file) != size) {
        const char* reason = std::ferror(file) ? std::strerror(errno) : "unexpected end of file";
        FatalError("Error: DOSReadFile(): Cannot read %u bytes: %s\n", size, reason);
    }
}

void DOSCloseFile(std::FILE* file) {
    if (std::fclose(file) != 0)
        FatalError("Error: DOSCloseFile(): Failed to close file: %s\n", std::strerror(errno));
}

int DOSFileExists(const char* name) {
    DebugLog(DEBUG_FILE, 20, "DOSFileExists(): opening '%s'\n", name);
    std::FILE* file = OpenHostFile(name);
    if (file == nullptr) return 0;
    std::fclose(file);
    return 1;
}

// ---- The index file format -------------------------------------------------------

std::vector<uint8_t> PakBuildIndex(std::span<const PakIndexItem> items) {
    std::vector<uint8_t> strings;
    std::vector<uint32_t> name_offsets;
    for (const PakIndexItem& item : items) {
        name_offsets.push_back(uint32_t(strings.size()));
        std::string name = PakNormaliseName(item.name);
        strings.insert(strings.end(), name.begin(), name.end());
        strings.push_back(0);
    }
    uint32_t table_offset = PAK_INDEX_HEADER_SIZE;
    uint32_t strings_offset = table_offset + uint32_t(items.size()) * PAK_INDEX_ENTRY_SIZE;
    std::vector<uint8_t> out(kIndexMagic, kIndexMagic + 4);
    Append32(out, table_offset);
    Append32(out, uint32_t(items.size()));
    Append32(out, PAK_INDEX_ENTRY_SIZE);
    Append32(out, strings_offset);
    Append32(out, uint32_t(strings.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        Append32(out, items[i].flags);
        Append32(out, items[i].offset);
        Append32(out, items[i].stored);
        Append32(out, name_offsets[i]);
        Append32(out, items[i].size);
    }
    out.insert(out.end(), strings.begin(), strings.end());
    return out;
}

const char* PakParseIndex(std::span<const uint8_t> index, PakIndexVisitor visit, void* context) {
    const uint8_t* bytes = index.data();
    uint64_t size = index.size();
    if (size < 4 || std::memcmp(bytes, kIndexMagic, 4) != 0) return "AddIndex(): invalid index file header";
    if (size < PAK_INDEX_HEADER_SIZE) return "AddIndex(): corrupt/short index file";
    PakIndexHeader header;
    header.table_offset = recbits::LoadU32(bytes + 4);
    header.entry_count = int32_t(recbits::LoadU32(bytes + 8));
    header.stride = recbits::LoadU32(bytes + 12);
    header.strings_offset = recbits::LoadU32(bytes + 16);
    header.strings_size = recbits::LoadU32(bytes + 20);
    if (uint64_t(header.strings_offset) + header.strings_size > size)
        return "AddIndex(): corrupt/short index file";
    // A stride below one entry would read past the table's end.
    if (header.entry_count < 0 || header.stride < PAK_INDEX_ENTRY_SIZE ||
        uint64_t(header.entry_count) * header.stride + header.table_offset > size) {
        return "AddIndex(): corrupt/short index file (2)";
    }
    const char* strings = reinterpret_cast<const char*>(bytes + header.strings_offset);
    for (int32_t i = 0; i < header.entry_count; ++i) {
        const uint8_t* at = bytes + header.table_offset + uint64_t(i) * header.stride;
        PakIndexEntry entry{recbits::LoadU32(at), recbits::LoadU32(at + 4), recbits::LoadU32(at + 8),
                            recbits::LoadU32(at + 12), recbits::LoadU32(at + 16)};
        if (entry.name >= header.strings_size) return "AddIndex(): entry name lies outside the string table";
        const char* name = strings + entry.name;
        size_t room = header.strings_size - entry.name;
        const void* end = std::memchr(name, '\0', room);
        if (end == nullptr) return "AddIndex(): entry name has no terminator";
        if (static_cast<const char*>(end) - name > ptrdiff_t(PAK_MAX_NAME))
            return "AddIndex(): entry name too long";
        if (visit != nullptr) {
            if (const char* problem = visit(context, entry, name)) return problem;
        }
    }
    return nullptr;
}

int PakFileStatus() { return g_status; }

void PakFileResetForTests() {
    for (int b = 0; b < PAK_HASH_BUCKETS; ++b) {
        if (g_buckets[b] != nullptr) FreeMemory(&g_buckets[b]);
        g_bucket_count[b] = g_bucket_capacity[b] = 0;
    }
    if (g_strings != nullptr) FreeMemory(&g_strings);
    if (g_index != nullptr) FreeMemory(&g_index);
    for (SearchSlot& s : g_slots) {
        if (s.pattern != nullptr) FreeMemory(&s.pattern);
    }
    g_strings_used = g_strings_capacity = 0;
    for (std::FILE*& file : g_data_files) {
        if (file != nullptr) std::fclose(file);
        file = nullptr;
    }
    g_data_count = 0;
    g_status = kNotInitialised;
}
