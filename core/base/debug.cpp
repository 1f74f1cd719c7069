#include "core/base/debug.h"

#include <strings.h>
#include <unistd.h>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/base/exitlist.h"

namespace {

struct ChannelEntry {
    const char* name;
    int32_t level;
};

ChannelEntry g_channels[kDebugChannelCount] = {
    {"general", 0},  {"win", 0},   {"directdraw", 0}, {"direct3d", 0}, {"network", 0}, {"file", 0},
    {"graphics", 0}, {"sound", 0}, {"input", 0},      {"memory", 0},   {"poll", 0},
};

bool g_in_fatal_error = false;
FatalErrorHook g_fatal_hook = nullptr;

constexpr size_t kMaxDebugString = 256;
constexpr size_t kFatalBufferSize = 512;

void PrintSeparator() {
    std::printf("\n");
    for (int i = 0; i < 75; ++i) std::putchar('-');
    std::printf("\n\n");
}

}  // namespace

int32_t DebugGetLevel(int channel) {
    if (channel < 0 || channel >= kDebugChannelCount) return 0;
    return g_channels[channel].level;
}

void DebugSetLevel(int channel, int32_t level) {
    if (channel == DEBUG_ALL) {
        for (ChannelEntry& c : g_channels) c.level = level;
        return;
    }
    if (channel >= 0 && channel < kDebugChannelCount) g_channels[channel].level = level;
}

const char* DebugChannelName(int channel) {
    if (channel == DEBUG_ALL) return "all";
    if (channel < 0 || channel >= kDebugChannelCount) return "";
    return g_channels[channel].name;
}

int DebugLevelStr2Value(const char* name) {
    if (strcasecmp(name, "all") == 0) return DEBUG_ALL;
    for (int i = 0; i < kDebugChannelCount; ++i) {
        if (strcasecmp(name, g_channels[i].name) == 0) return i;
    }
    AbortError("debug", __LINE__, "DebugLevelStr2Value(): failed to find debug level");
}

void DebugProcessDebugString(const char* text) {
    if (std::strlen(text) > kMaxDebugString) {
        AbortError("debug", __LINE__, "DebugProcessDebugString(): string too long");
    }
    char copy[kMaxDebugString + 1];
    std::strcpy(copy, text);

    int all = std::atoi(copy);
    if (all != 0) {
        DebugSetLevel(DEBUG_ALL, all);
        return;
    }

    char* cursor = copy;
    while (*cursor != '\0') {
        char* name = cursor;
        while (*cursor != '\0' && *cursor != '=' && *cursor != '#') ++cursor;
        bool has_level = *cursor != '\0';
        if (has_level) *cursor++ = '\0';
        int channel = DebugLevelStr2Value(name);
        if (!has_level || *cursor == '\0' || *cursor == ',') {
            AbortError("debug", __LINE__, "DebugProcessDebugString(): invalid string");
        }
        char* level_text = cursor;
        while (*cursor != '\0' && *cursor != ',') ++cursor;
        if (*cursor == ',') *cursor++ = '\0';
        int32_t level = std::atoi(level_text);
        std::printf("DEBUG: Setting '%s' to %d\n", DebugChannelName(channel), level);
        DebugSetLevel(channel, level);
    }

    if (DebugGetLevel(DEBUG_GENERAL) >= 50) {
        for (const ChannelEntry& c : g_channels) {
            std::printf("DEBUG: '%s' set to %d\n", c.name, c.level);
        }
    }
}

void SetFatalErrorHook(FatalErrorHook hook) { g_fatal_hook = hook; }

void DebugHexDump(const void* address, size_t length) {
    const unsigned char* bytes = static_cast<const unsigned char*>(address);
    for (size_t i = 0; i < length; ++i) {
        if (i % 16 == 0) std::printf("%08X:", unsigned(i));
        if (std::isprint(bytes[i])) {
            std::printf(" %c ", bytes[i]);
        } else {
            std::printf(" %02X", bytes[i]);
        }
        if (i % 16 == 15) std::printf("\n");
    }
    std::printf("\n");
}

void DebugLog(int channel, int32_t threshold, const char* format, ...) {
    if (DebugGetLevel(channel) < threshold) return;
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
}

void FatalError(const char* format, ...) {
    char message[kFatalBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    if (g_fatal_hook != nullptr) g_fatal_hook(message);

    PrintSeparator();
    std::printf("%s", message);
    PrintSeparator();
    std::fflush(stdout);

    if (g_in_fatal_error) {
        // Raised from an exit function or the message box: stop at once,
        // without running what is left of the exit list.
        std::printf("Error: Error during error handler\n");
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(1);
    }
    g_in_fatal_error = true;
    OnExitRun();
    CoreShowMessageBox(message);
    g_in_fatal_error = false;
    std::exit(1);
}

void AbortError(const char* module, int line, const char* message) {
    FatalError("Abort error: %s\n(File: %s  Line: %d)\n", message, module, line);
}

void FatalExit(const char* routine) { FatalError("A program error ended the game (in %s).\n", routine); }
