#include "platform/system.h"

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <cstring>

namespace plat {
namespace {
uint64_t g_memory_override = 0;
}

uint64_t PhysicalMemoryBytes() {
    if (g_memory_override != 0) return g_memory_override;
    long pages = sysconf(_SC_PHYS_PAGES);
    long page_size = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page_size <= 0) return 0;
    return uint64_t(pages) * uint64_t(page_size);
}

void SetPhysicalMemoryOverride(uint64_t bytes) { g_memory_override = bytes; }

void ModuleFileName(char* buffer, size_t size) {
    if (size == 0) return;
    ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
    if (n < 0) n = 0;
    buffer[n] = '\0';
}

bool AllocConsole() {
    int fd = open("/dev/tty", O_RDWR | O_NOCTTY);
    if (fd < 0) return false;
    close(fd);
    return ReopenStream(0, "/dev/tty", "r") && ReopenStream(1, "/dev/tty", "w") &&
           ReopenStream(2, "/dev/tty", "w");
}

bool ReopenStream(int which, const char* path, const char* mode) {
    FILE* stream = which == 0 ? stdin : which == 1 ? stdout : stderr;
    return std::freopen(path, mode, stream) != nullptr;
}

void MakeStdStreamsUnbuffered() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}

}  // namespace plat
