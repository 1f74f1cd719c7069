// Runs a piece of a test in a child process forked from the test's state,
// so that every run starts alike; what the child hands back comes through a
// pipe.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace testenv {

inline std::vector<uint8_t> BytesFromChild(const std::function<std::vector<uint8_t>()>& run) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const std::vector<uint8_t> bytes = run();
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(fds[1], bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        _exit(0);
    }
    close(fds[1]);
    std::vector<uint8_t> result;
    uint8_t buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        result.insert(result.end(), buffer, buffer + n);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return result;
}

}  // namespace testenv
