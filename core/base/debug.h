// Debug channels, log lines and the fatal end.  Nothing in the game throws:
// a function returns a status or ends the program here.
#pragma once
#include <cstddef>
#include <cstdint>

enum DebugChannel : int {
    DEBUG_GENERAL = 0,
    DEBUG_WIN = 1,
    DEBUG_DIRECTDRAW = 2,
    DEBUG_DIRECT3D = 3,
    DEBUG_NETWORK = 4,
    DEBUG_FILE = 5,
    DEBUG_GRAPHICS = 6,
    DEBUG_SOUND = 7,
    DEBUG_INPUT = 8,
    DEBUG_MEMORY = 9,
    DEBUG_POLL = 10,
    DEBUG_ALL = -1,
};
constexpr int kDebugChannelCount = 11;

int32_t DebugGetLevel(int channel);
// Channel -1 sets all eleven.
void DebugSetLevel(int channel, int32_t level);
// Channel index for a name (case-insensitive); "all" gives -1.  An unknown
// name ends the program.
int DebugLevelStr2Value(const char* name);
// Applies the text given after "-debug".
void DebugProcessDebugString(const char* text);
void DebugHexDump(const void* address, size_t length);
const char* DebugChannelName(int channel);

// Fuzzing seam: when set, FatalError hands the message to the hook before
// anything else; a hook that does not return (it jumps back into the fuzz
// driver) keeps the process alive.  Null restores the normal ending.
using FatalErrorHook = void (*)(const char* message);
void SetFatalErrorHook(FatalErrorHook hook);

// Prints a log line on standard output when the channel's level reaches the
// threshold.
void DebugLog(int channel, int32_t threshold, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The one fatal end: prints the message, runs the exit list, shows the
// message box and ends with exit status 1.
[[noreturn]] void FatalError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The assertion form: module is the caller's source module name ("poll").
[[noreturn]] void AbortError(const char* module, int line, const char* message);
// The end of a check that has printed its own details (the record
// accessors given a number they cannot take, among others): ends as
// FatalError does, with a message that says a program error ended the game
// in the routine named (status 1, as every fatal end: a program error must
// not report success to whatever started the game).
[[noreturn]] void FatalExit(const char* routine);
