// Tagged data files ("NEWDATA1"): named blocks of program memory ("items")
// saved to and loaded from a file, driven by a table the calling module
// declares.  Each item is stored under its 8-character name, so a reader
// skips items it does not know and zero-fills listed items a file lacks
// (when the table allows it).  The item stream is stored plain or as one
// compressed block.
#pragma once
#include <cstdint>
#include <cstdio>

struct NewDiskItem;

// The question put to an item's callback (or answered by default).
struct NewDiskMessage {
    uint8_t type;  // NewDiskQuestion
    char name[8];
    const NewDiskItem* descriptor;
    void* address;  // answer to kNewDiskAddress
    uint32_t size;  // answer to kNewDiskSize
};

enum NewDiskQuestion : uint8_t {
    kNewDiskAddress = 1,
    kNewDiskSize = 2,
    kNewDiskAbsent = 3,
    kNewDiskBeforeWrite = 4,
    kNewDiskBeforeRead = 5,
    kNewDiskAfterWrite = 6,
    kNewDiskAfterRead = 7,
};

// Answers by filling the message and returning kNewDiskAnswered, declines
// with kNewDiskDeclined (the table entry answers then), or stops the load or
// save with a negative value.
using NewDiskCallback = int (*)(NewDiskMessage* message);
enum NewDiskAnswer : int {
    kNewDiskDeclined = 0,
    kNewDiskAnswered = 1,
};

// One table entry; a table ends with an entry whose first name byte is 0.
struct NewDiskItem {
    char name[8];   // NUL-padded, not terminated when 8 characters long
    void* address;  // null when the callback supplies it
    uint32_t size;  // 0 when the callback supplies it
    uint16_t reserved;
    uint8_t flags;  // kNewDiskOptional
    uint8_t reserved2;
    NewDiskCallback callback;
};

constexpr uint8_t kNewDiskOptional = 0x01;
// NewDisk_Load flag: refuse a compressed file.
constexpr uint32_t kNewDiskPlainOnly = 0x10000;
// NewDisk_Save flags: compression method + 1 in bits 16-19, 0 for plain.
constexpr uint32_t NewDiskMethodFlags(int method) { return uint32_t(method + 1) << 16; }

constexpr uint32_t kNewDiskHeaderSize = 32;
constexpr uint32_t kNewDiskItemHeaderSize = 12;
// The longest item stream a compressed file may unpack to.
constexpr uint32_t kNewDiskMaxStream = 64u << 20;

// Results besides those a callback returns.
enum NewDiskResult : int {
    kNewDiskOk = 0,
    kNewDiskDuplicateNames = -1,
    kNewDiskFileFailed = -2,
    kNewDiskCloseFailed = -3,
    kNewDiskItemHeaderFailed = -4,
    kNewDiskFileStreamFailed = -5,
    kNewDiskMemoryStreamFailed = -6,
    kNewDiskHeaderFailed = -10,
    kNewDiskBlockWriteFailed = -11,
    kNewDiskMemoryCloseFailed = -12,
    kNewDiskFileCloseFailed = -13,
    kNewDiskRefusedOrHeaderWrite = -20,
    kNewDiskSkipOrBytesWrite = -21,
    kNewDiskItemBytesRead = -22,
    // A known item whose stored size differs from the size the table (or
    // its callback) gives: refused, since reading the answered size would
    // load bytes of the next item into this one, or read the rest of this
    // one as the next item's header, and so fill memory from a damaged file.
    kNewDiskItemSizeMismatch = -23,
    // An item the table lists without kNewDiskOptional is not in the file:
    // the default answer to kNewDiskAbsent, the same code as duplicate names.
    kNewDiskItemMissing = -1,
    kNewDiskBadMagic = -50,
    kNewDiskNoBody = -51,
    kNewDiskNoDescriptor = -100,
    kNewDiskNoValue = -101,
};

// A plain file or a managed block of memory read or written in order.
struct NewDiskStream {
    std::FILE* file;
    uint8_t* block;  // owner variable of the managed block
    uint32_t length;
    uint32_t capacity;
    uint32_t position;
};

int NewDisk_Load(const char* file_name, const NewDiskItem* table, uint32_t flags);
int NewDisk_Save(const char* file_name, const NewDiskItem* table, uint32_t flags);
int NewDisk_WriteOneItem(NewDiskStream* stream, const NewDiskItem* descriptor);
// NewDisk_ReadItem's results besides the negative codes.
enum NewDiskItemRead : int {
    kNewDiskItemRead = 0,     // the item is read and index set
    kNewDiskItemSkipped = 1,  // an item the table does not list, passed over
    kNewDiskEndOfItems = 10,  // the end marker
};
int NewDisk_ReadItem(NewDiskStream* stream, const NewDiskItem* table, int count, int* index);
int NewDisk_DoCallbacks(NewDiskCallback callback, NewDiskMessage* message);

int NewDisk_CountItems(const NewDiskItem* table);
// The name as a NUL-terminated string, in a buffer every call reuses.
const char* NewDisk_ItemName(const NewDiskItem* descriptor);
// Index of the entry with that name (up to 8 characters), or -1; a count
// below 0 counts the table.
int NewDisk_FindItem(const NewDiskItem* table, int count, const char* name);
// kNewDiskDuplicateNames when two entries share a name, else kNewDiskOk.
int NewDisk_CheckNames(const NewDiskItem* table, int count);

NewDiskStream* NewDisk_StreamOpenFile(std::FILE* file);
NewDiskStream* NewDisk_StreamOpenNamed(const char* name, const char* mode);
// Takes over the managed block of the owner variable.
NewDiskStream* NewDisk_StreamOpenMemory(void* owner, uint32_t length);
NewDiskStream* NewDisk_StreamCreateMemory();
// The stream operations' results.
enum NewDiskStreamResult : int {
    kNewDiskStreamOk = 0,
    kNewDiskStreamFailed = -1,
};
int NewDisk_StreamRead(NewDiskStream* stream, void* destination, uint32_t count);
int NewDisk_StreamWrite(NewDiskStream* stream, const void* source, uint32_t count);
int NewDisk_StreamSeek(NewDiskStream* stream, int32_t offset, int origin);
// A memory stream's owner variable (for the memory manager's calls) and
// length; kNewDiskStreamFailed for a file stream.
int NewDisk_StreamGetBuffer(NewDiskStream* stream, void** owner, uint32_t* length);
int NewDisk_StreamClose(NewDiskStream* stream);
