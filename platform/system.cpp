#include "platform/system.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cstdio>
#include <cstring>

namespace plat {
namespace {

volatile sig_atomic_t g_termination_signal = 0;

// Runs in signal context: only a store to a sig_atomic_t is safe here.
void NoteTerminationSignal(int signal) { g_termination_signal = signal; }

// The list of the child processes of the thread that ends the program.
char g_children_path[64];

// Async-signal-safe: reads the child list, sends each child SIGTERM and
// ends.  In a child (which inherits the handler) the path names no task of
// its own, so it simply ends.
void EndAtTerminationSignal(int) {
    const int fd = open(g_children_path, O_RDONLY);
    if (fd >= 0) {
        char buffer[256];
        long pid = 0;
        bool inNumber = false;
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] >= '0' && buffer[i] <= '9') {
                    pid = pid * 10 + (buffer[i] - '0');
                    inNumber = true;
                } else if (inNumber) {
                    kill(pid_t(pid), SIGTERM);
                    pid = 0;
                    inNumber = false;
                }
            }
        }
        if (inNumber) kill(pid_t(pid), SIGTERM);
        close(fd);
    }
    _exit(1);
}
uint64_t g_memory_override = 0;
}  // namespace

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

void CatchTerminationSignals() {
    struct sigaction action = {};
    action.sa_handler = NoteTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void EndOnTerminationSignal() {
    std::snprintf(g_children_path, sizeof g_children_path, "/proc/self/task/%ld/children",
                  long(syscall(SYS_gettid)));
    struct sigaction action = {};
    action.sa_handler = EndAtTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int TakeTerminationSignal() {
    const int signal = g_termination_signal;
    if (signal != 0) g_termination_signal = 0;
    return signal;
}

}  // namespace plat
