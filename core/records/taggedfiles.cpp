#include "core/records/taggedfiles.h"

#include <sys/stat.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/compress.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"

namespace {

constexpr char kMagic[8] = {'N', 'E', 'W', 'D', 'A', 'T', 'A', '1'};
constexpr char kEndName[8] = {'*', 'E', 'N', 'D', 'E', 'N', 'D', '*'};
constexpr uint32_t kMemoryStreamStep = 4096;
constexpr int kNameSize = 8;

using recbits::LoadU32;
using recbits::StoreU32;

// Asks one question about an item with a fresh message.
int Ask(const NewDiskItem* item, NewDiskQuestion type, NewDiskMessage* message) {
    std::memset(message, 0, sizeof *message);
    message->type = type;
    std::memcpy(message->name, item->name, kNameSize);
    message->descriptor = item;
    return NewDisk_DoCallbacks(item->callback, message);
}

// Questions 1 and 2 in that order; a null address ends the program with
// the caller's message.
int AskPlace(const NewDiskItem* item, const char* caller, void** address, uint32_t* size) {
    NewDiskMessage message;
    int answer = Ask(item, kNewDiskAddress, &message);
    if (answer < 0) return answer;
    if (message.address == nullptr) {
        FatalError("Error: %s(): NULL address returned for item '%s'\n", caller, NewDisk_ItemName(item));
    }
    *address = message.address;
    answer = Ask(item, kNewDiskSize, &message);
    if (answer < 0) return answer;
    *size = message.size;
    return kNewDiskOk;
}

void BuildHeader(uint8_t* header, uint32_t plain, uint32_t compressed, uint32_t stored, uint32_t unpacked) {
    std::memset(header, 0, kNewDiskHeaderSize);
    std::memcpy(header, kMagic, sizeof kMagic);
    StoreU32(header + 8, plain);
    StoreU32(header + 12, compressed);
    StoreU32(header + 16, stored);
    StoreU32(header + 20, unpacked);
}

long FileSize(std::FILE* file) {
    struct stat info;
    if (fstat(fileno(file), &info) != 0) return -1;
    return long(info.st_size);
}

// The compressed block must be one the decoder accepts before it is handed
// over: its CMP0 header must name a known method, its stored length, and
// the unpacked length the file header gives, and it must lie inside the
// file.  The decoder itself ends the program on any such mismatch.
bool CompressedBlockFits(std::FILE* file, uint32_t offset, uint32_t stored, uint32_t unpacked) {
    const long size = FileSize(file);
    if (size < 0 || stored < COMPRESS_HEADER_SIZE || uint64_t(offset) + stored > uint64_t(size)) return false;
    // Even an empty stream holds its end marker.
    if (unpacked < kNewDiskItemHeaderSize || unpacked > kNewDiskMaxStream) return false;
    uint8_t bytes[COMPRESS_HEADER_SIZE];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
    CompressHeader header;
    if (!CompressReadHeader(bytes, &header) || header.method >= COMPRESS_METHOD_COUNT) return false;
    if (uint64_t(header.packed) + COMPRESS_HEADER_SIZE != stored || header.unpacked != unpacked) return false;
    return std::fseek(file, long(offset), SEEK_SET) == 0;
}

// Opens the item stream of a file whose header has been read.  On success
// the stream owns the file (plain) or the unpacked block (compressed, the
// file closed); on failure everything is released.
int OpenItemStream(std::FILE* file, const uint8_t* header, uint32_t flags, NewDiskStream** out) {
    const uint32_t plain = LoadU32(header + 8);
    const uint32_t compressed = LoadU32(header + 12);
    if (plain != 0) {
        if (std::fseek(file, long(plain), SEEK_SET) != 0) {
            std::fclose(file);
            return kNewDiskFileFailed;
        }
        *out = NewDisk_StreamOpenFile(file);
        if (*out == nullptr) {
            std::fclose(file);
            return kNewDiskFileStreamFailed;
        }
        return kNewDiskOk;
    }
    if (compressed == 0) {
        std::fclose(file);
        return kNewDiskNoBody;
    }
    if (flags & kNewDiskPlainOnly) {
        std::fclose(file);
        return kNewDiskRefusedOrHeaderWrite;
    }
    const uint32_t stored = LoadU32(header + 16);
    const uint32_t unpacked = LoadU32(header + 20);
    if (std::fseek(file, long(compressed), SEEK_SET) != 0) {
        std::fclose(file);
        return kNewDiskFileFailed;
    }
    if (!CompressedBlockFits(file, compressed, stored, unpacked)) {
        std::fclose(file);
        return kNewDiskItemHeaderFailed;
    }
    uint8_t* block = nullptr;
    AllocateMemory(&block, unpacked, MEM_TYPE_MANUAL_FREE);
    const uint32_t got = DecompressDataFile(file, stored, block, unpacked);
    std::fclose(file);
    if (got != unpacked) {
        FreeMemory(&block);
        return kNewDiskItemHeaderFailed;
    }
    *out = NewDisk_StreamOpenMemory(&block, unpacked);
    if (*out == nullptr) {
        FreeMemory(&block);
        return kNewDiskFileStreamFailed;
    }
    return kNewDiskOk;
}

// Loads the items of an open stream into the table's places.
int LoadItems(NewDiskStream* stream, const NewDiskItem* table, int count) {
    std::vector<uint8_t> seen(size_t(count), 0);
    for (;;) {
        int index = -1;
        const int result = NewDisk_ReadItem(stream, table, count, &index);
        if (result < 0) return result;
        if (result == kNewDiskEndOfItems) break;
        if (result == kNewDiskItemRead) seen[size_t(index)] = 1;
    }
    for (int i = 0; i < count; ++i) {
        if (seen[size_t(i)]) continue;
        NewDiskMessage message;
        const int absent = Ask(&table[i], kNewDiskAbsent, &message);
        if (absent < 0) return absent;
        void* address = nullptr;
        uint32_t size = 0;
        const int placed = AskPlace(&table[i], "NewDisk_Load", &address, &size);
        if (placed < 0) return placed;
        std::memset(address, 0, size);
    }
    return kNewDiskOk;
}

int WriteItems(NewDiskStream* stream, const NewDiskItem* table, int count) {
    for (int i = 0; i < count; ++i) {
        const int result = NewDisk_WriteOneItem(stream, &table[i]);
        if (result < 0) return result;
    }
    uint8_t end[kNewDiskItemHeaderSize] = {};
    std::memcpy(end, kEndName, kNameSize);
    if (NewDisk_StreamWrite(stream, end, sizeof end) != 0) return kNewDiskItemHeaderFailed;
    return kNewDiskOk;
}

// Compresses a finished memory stream into the open file behind a header.
// The stream is closed whatever happens.
int WriteCompressed(NewDiskStream* stream, std::FILE* file, int method) {
    void* owner = nullptr;
    uint32_t length = 0;
    if (NewDisk_StreamGetBuffer(stream, &owner, &length) != 0) {
        NewDisk_StreamClose(stream);
        return kNewDiskItemHeaderFailed;
    }
    uint8_t* packed = nullptr;
    uint32_t packed_size = 0;
    CompressData(method, owner, length, &packed, &packed_size);
    uint8_t header[kNewDiskHeaderSize];
    BuildHeader(header, 0, kNewDiskHeaderSize, packed_size, length);
    int result = kNewDiskOk;
    if (std::fwrite(header, 1, sizeof header, file) != sizeof header) {
        result = kNewDiskHeaderFailed;
    } else if (std::fwrite(packed, 1, packed_size, file) != packed_size) {
        result = kNewDiskBlockWriteFailed;
    }
    FreeMemory(&packed);
    if (NewDisk_StreamClose(stream) != 0 && result == kNewDiskOk) result = kNewDiskMemoryCloseFailed;
    return result;
}

}  // namespace

// ---- Table utilities ----------------------------------------------------------------

int NewDisk_CountItems(const NewDiskItem* table) {
    if (table == nullptr) return 0;
    int count = 0;
    while (table[count].name[0] != '\0') ++count;
    return count;
}

const char* NewDisk_ItemName(const NewDiskItem* descriptor) {
    static char name[kNameSize + 1];
    std::memcpy(name, descriptor->name, kNameSize);
    name[kNameSize] = '\0';
    return name;
}

int NewDisk_FindItem(const NewDiskItem* table, int count, const char* name) {
    if (count < 0) count = NewDisk_CountItems(table);
    char key[kNameSize] = {};
    for (int i = 0; i < kNameSize && name[i] != '\0'; ++i) key[i] = name[i];
    for (int i = 0; i < count; ++i) {
        if (std::memcmp(table[i].name, key, kNameSize) == 0) return i;
    }
    return -1;
}

int NewDisk_CheckNames(const NewDiskItem* table, int count) {
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (std::memcmp(table[i].name, table[j].name, kNameSize) == 0) return kNewDiskDuplicateNames;
        }
    }
    return kNewDiskOk;
}

int NewDisk_DoCallbacks(NewDiskCallback callback, NewDiskMessage* message) {
    if (callback != nullptr) {
        const int answer = callback(message);
        if (answer != 0) return answer;
    }
    const NewDiskItem* item = message->descriptor;
    switch (message->type) {
        case kNewDiskAddress:
            if (item == nullptr) return kNewDiskNoDescriptor;
            if (item->address == nullptr) return kNewDiskNoValue;
            message->address = item->address;
            return kNewDiskAnswered;
        case kNewDiskSize:
            if (item == nullptr) return kNewDiskNoDescriptor;
            if (item->size == 0) return kNewDiskNoValue;
            message->size = item->size;
            return kNewDiskAnswered;
        case kNewDiskAbsent:
            return item != nullptr && (item->flags & kNewDiskOptional) ? int(kNewDiskAnswered)
                                                                       : int(kNewDiskItemMissing);
        case kNewDiskBeforeWrite:
        case kNewDiskBeforeRead:
        case kNewDiskAfterWrite:
        case kNewDiskAfterRead:
            return kNewDiskAnswered;
        default:
            FatalError("Error: NewDisk_DoCallbacks(): Default callback didn't handle a case (%d)\n",
                       int(message->type));
    }
}

// ---- Items -----------------------------------------------------------------------------

int NewDisk_ReadItem(NewDiskStream* stream, const NewDiskItem* table, int count, int* index) {
    *index = -1;
    uint8_t header[kNewDiskItemHeaderSize];
    if (NewDisk_StreamRead(stream, header, sizeof header) != 0) return kNewDiskItemHeaderFailed;
    if (std::memcmp(header, kEndName, kNameSize) == 0) return kNewDiskEndOfItems;
    const uint32_t stored = LoadU32(header + kNameSize);
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i) {
        if (std::memcmp(table[i].name, header, kNameSize) == 0) found = i;
    }
    if (found < 0) {
        if (stored > uint32_t(INT32_MAX) || NewDisk_StreamSeek(stream, int32_t(stored), 1) != 0) {
            return kNewDiskSkipOrBytesWrite;
        }
        return kNewDiskItemSkipped;
    }
    const NewDiskItem* item = &table[found];
    NewDiskMessage message;
    int answer = Ask(item, kNewDiskBeforeRead, &message);
    if (answer < 0) return answer;
    void* address = nullptr;
    uint32_t size = 0;
    answer = AskPlace(item, "NewDisk_Load", &address, &size);
    if (answer < 0) return answer;
    if (stored != size) {
        DebugLog(DEBUG_FILE, 10, "Warning: NewDisk_ReadItem(): item '%s' holds %u bytes, %u expected\n",
                 NewDisk_ItemName(item), stored, size);
        return kNewDiskItemSizeMismatch;
    }
    if (NewDisk_StreamRead(stream, address, size) != 0) return kNewDiskItemBytesRead;
    answer = Ask(item, kNewDiskAfterRead, &message);
    if (answer < 0) return answer;
    *index = found;
    return kNewDiskItemRead;
}

int NewDisk_WriteOneItem(NewDiskStream* stream, const NewDiskItem* descriptor) {
    NewDiskMessage message;
    int answer = Ask(descriptor, kNewDiskBeforeWrite, &message);
    if (answer < 0) return answer;
    void* address = nullptr;
    uint32_t size = 0;
    answer = AskPlace(descriptor, "NewDisk_WriteOneItem", &address, &size);
    if (answer < 0) return answer;
    uint8_t header[kNewDiskItemHeaderSize];
    std::memcpy(header, descriptor->name, kNameSize);
    StoreU32(header + kNameSize, size);
    if (NewDisk_StreamWrite(stream, header, sizeof header) != 0) return kNewDiskRefusedOrHeaderWrite;
    if (NewDisk_StreamWrite(stream, address, size) != 0) return kNewDiskSkipOrBytesWrite;
    answer = Ask(descriptor, kNewDiskAfterWrite, &message);
    return answer < 0 ? answer : kNewDiskOk;
}

// ---- Files ------------------------------------------------------------------------------

int NewDisk_Load(const char* file_name, const NewDiskItem* table, uint32_t flags) {
    const int count = NewDisk_CountItems(table);
    if (NewDisk_CheckNames(table, count) != 0) return kNewDiskDuplicateNames;
    const std::string host = HostPath(file_name);
    struct stat info;
    if (stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return kNewDiskFileFailed;
    std::FILE* file = std::fopen(host.c_str(), "rb");
    if (file == nullptr) return kNewDiskFileFailed;
    uint8_t header[kNewDiskHeaderSize];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) {
        std::fclose(file);
        return kNewDiskHeaderFailed;
    }
    if (std::memcmp(header, kMagic, sizeof kMagic) != 0) {
        std::fclose(file);
        return kNewDiskBadMagic;
    }
    NewDiskStream* stream = nullptr;
    const int opened = OpenItemStream(file, header, flags, &stream);
    if (opened != kNewDiskOk) return opened;
    const int result = LoadItems(stream, table, count);
    const int closed = NewDisk_StreamClose(stream);
    if (result != kNewDiskOk) return result;
    return closed != 0 ? kNewDiskCloseFailed : kNewDiskOk;
}

int NewDisk_Save(const char* file_name, const NewDiskItem* table, uint32_t flags) {
    const int count = NewDisk_CountItems(table);
    if (NewDisk_CheckNames(table, count) != 0) return kNewDiskDuplicateNames;
    const std::string host = HostPath(file_name);
    std::FILE* file = std::fopen(host.c_str(), "wb");
    if (file == nullptr) return kNewDiskFileFailed;
    const int method = int((flags >> 16) & 0xF);
    NewDiskStream* stream = nullptr;
    int result = kNewDiskOk;
    if (method == 0) {
        uint8_t header[kNewDiskHeaderSize];
        BuildHeader(header, kNewDiskHeaderSize, 0, 0, 0);
        if (std::fwrite(header, 1, sizeof header, file) != sizeof header) {
            result = kNewDiskHeaderFailed;
        } else if ((stream = NewDisk_StreamOpenFile(file)) == nullptr) {
            result = kNewDiskFileStreamFailed;
        }
    } else if ((stream = NewDisk_StreamCreateMemory()) == nullptr) {
        result = kNewDiskMemoryStreamFailed;
    }
    if (result != kNewDiskOk) {
        std::fclose(file);
        std::remove(host.c_str());
        return result;
    }
    result = WriteItems(stream, table, count);
    if (result != kNewDiskOk) {
        NewDisk_StreamClose(stream);  // a file stream closes its file
        if (method != 0) std::fclose(file);
        std::remove(host.c_str());
        return result;
    }
    if (method == 0) {
        result = NewDisk_StreamClose(stream) != 0 ? kNewDiskCloseFailed : kNewDiskOk;
    } else {
        result = WriteCompressed(stream, file, method - 1);
        if (std::fclose(file) != 0 && result == kNewDiskOk) result = kNewDiskFileCloseFailed;
    }
    if (result != kNewDiskOk) std::remove(host.c_str());
    return result;
}

// ---- Streams ----------------------------------------------------------------------------

NewDiskStream* NewDisk_StreamOpenFile(std::FILE* file) {
    NewDiskStream* stream = new (std::nothrow) NewDiskStream{};
    if (stream != nullptr) stream->file = file;
    return stream;
}

NewDiskStream* NewDisk_StreamOpenNamed(const char* name, const char* mode) {
    std::FILE* file = std::fopen(HostPath(name).c_str(), mode);
    if (file == nullptr) return nullptr;
    NewDiskStream* stream = NewDisk_StreamOpenFile(file);
    if (stream == nullptr) std::fclose(file);
    return stream;
}

NewDiskStream* NewDisk_StreamOpenMemory(void* owner, uint32_t length) {
    NewDiskStream* stream = new (std::nothrow) NewDiskStream{};
    if (stream == nullptr) return nullptr;
    SetMemOwner(owner, &stream->block);
    stream->length = length;
    stream->capacity = length;
    return stream;
}

NewDiskStream* NewDisk_StreamCreateMemory() {
    NewDiskStream* stream = new (std::nothrow) NewDiskStream{};
    if (stream == nullptr) return nullptr;
    AllocateMemory(&stream->block, kMemoryStreamStep, MEM_TYPE_MANUAL_FREE);
    stream->capacity = kMemoryStreamStep;
    return stream;
}

int NewDisk_StreamRead(NewDiskStream* stream, void* destination, uint32_t count) {
    if (stream->file != nullptr) {
        return count == 0 || std::fread(destination, 1, count, stream->file) == count ? kNewDiskStreamOk
                                                                                      : kNewDiskStreamFailed;
    }
    if (count > stream->length - stream->position) return kNewDiskStreamFailed;
    if (count != 0) std::memcpy(destination, stream->block + stream->position, count);
    stream->position += count;
    return kNewDiskStreamOk;
}

int NewDisk_StreamWrite(NewDiskStream* stream, const void* source, uint32_t count) {
    if (stream->file != nullptr) {
        return count == 0 || std::fwrite(source, 1, count, stream->file) == count ? kNewDiskStreamOk
                                                                                  : kNewDiskStreamFailed;
    }
    const uint64_t end = uint64_t(stream->position) + count;
    if (end + kMemoryStreamStep > UINT32_MAX) return kNewDiskStreamFailed;
    if (end > stream->capacity) {
        const uint32_t grown = uint32_t(end + kMemoryStreamStep);
        ResizeMemory(&stream->block, grown);
        stream->capacity = grown;
    }
    if (count != 0) std::memcpy(stream->block + stream->position, source, count);
    stream->position = uint32_t(end);
    if (stream->position > stream->length) stream->length = stream->position;
    return kNewDiskStreamOk;
}

int NewDisk_StreamSeek(NewDiskStream* stream, int32_t offset, int origin) {
    if (origin < 0 || origin > 2) return kNewDiskStreamFailed;
    if (stream->file != nullptr) {
        constexpr int kWhence[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
        return std::fseek(stream->file, long(offset), kWhence[origin]) == 0 ? kNewDiskStreamOk
                                                                            : kNewDiskStreamFailed;
    }
    const int64_t base = origin == 0 ? 0 : origin == 1 ? int64_t(stream->position) : int64_t(stream->length);
    const int64_t target = base + offset;
    if (target < 0 || target > int64_t(stream->length)) return kNewDiskStreamFailed;
    stream->position = uint32_t(target);
    return kNewDiskStreamOk;
}

int NewDisk_StreamGetBuffer(NewDiskStream* stream, void** owner, uint32_t* length) {
    if (stream->file != nullptr) return kNewDiskStreamFailed;
    *owner = &stream->block;
    *length = stream->length;
    return kNewDiskStreamOk;
}

int NewDisk_StreamClose(NewDiskStream* stream) {
    int result = kNewDiskStreamOk;
    if (stream->block != nullptr) FreeMemory(&stream->block);
    if (stream->file != nullptr && std::fclose(stream->file) != 0) result = kNewDiskStreamFailed;
    delete stream;
    return result;
}
