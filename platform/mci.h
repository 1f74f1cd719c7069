// The media control interface as the movie module calls it: one command
// function taking a device id, a command number, flags and a parameter
// record.  No movie player exists on this system: opening a movie fails
// with "cannot load driver" and every other command on a device fails with
// "invalid device id".  Tests can put a stand-in movie in its place.
#pragma once
#include <cstdint>
#include <vector>

namespace plat {

// Published command, flag, item and error numbers.
enum : uint32_t {
    kMciOpen = 0x0803,
    kMciClose = 0x0804,
    kMciPlay = 0x0806,
    kMciStatus = 0x0814,
    kMciWindow = 0x0841,
    kMciPut = 0x0842,
    kMciWhere = 0x0843,
};
enum : uint32_t {
    kMciNotify = 0x00000001,
    kMciWait = 0x00000002,
    kMciFrom = 0x00000004,
    kMciOpenElement = 0x00000200,
    kMciStatusItem = 0x00000100,
    kMciDgvWindowHwnd = 0x00010000,
    kMciDgvRect = 0x00010000,
    kMciDgvWhereSource = 0x00020000,
    kMciDgvPutDestination = 0x00040000,
};
enum : uint32_t { kMciStatusMode = 4 };
enum : uint32_t { kMciModeStop = 525, kMciModePlay = 526 };
enum : uint32_t { kMciErrInvalidDeviceId = 257, kMciErrCannotLoadDriver = 266 };
// The message a notifying command posts to its window when it ends.
constexpr uint32_t kMsgMciNotify = 0x03B9;

struct MciRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct MciOpenParms {
    uintptr_t callback = 0;
    uint32_t device_id = 0;  // out
    const char* device_type = nullptr;
    const char* element_name = nullptr;
    const char* alias = nullptr;
};
struct MciGenericParms {
    uintptr_t callback = 0;
};
struct MciPlayParms {
    uintptr_t callback = 0;
    uint32_t from = 0;
    uint32_t to = 0;
};
struct MciStatusParms {
    uintptr_t callback = 0;
    uintptr_t result = 0;  // out
    uint32_t item = 0;
    uint32_t track = 0;
};
struct MciRectParms {
    uintptr_t callback = 0;
    MciRect rect;
};
struct MciWindowParms {
    uintptr_t callback = 0;
    void* window = nullptr;
    uint32_t show = 0;
    const char* text = nullptr;
};

// 0 on success, else an error number.
uint32_t MciSendCommand(uint32_t device, uint32_t command, uint32_t flags, void* params);

// ---- Test seam ----------------------------------------------------------
// A stand-in movie of the given source size that opens as device 1 and
// reports "playing" for the given number of mode reads after it is played,
// then "stopped" (posting the notify message once).  A negative count
// removes it, and opens fail again.
void SetTestMovie(int playing_reads, uint16_t width, uint16_t height);
struct MciCall {
    uint32_t device;
    uint32_t command;
    uint32_t flags;
    MciRect rect;   // put
    void* window;   // window
    uint32_t from;  // play
    uintptr_t callback;
};
// Commands the stand-in movie has received since it was set.
const std::vector<MciCall>& TestMovieCalls();
bool TestMovieIsOpen();

}  // namespace plat
