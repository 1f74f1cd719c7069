// Runs a piece of a test in a child process forked from the test's state,
// so that every run starts alike; what the child hands back comes through a
// pipe.  A child that does not hand back its bytes fails the calling test
// with how it ended: its exit status or signal, the fatal error it raised,
// an exit() on the way.
#pragma once
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/base/debug.h"

namespace testenv {

namespace child_run {

// Frames on the pipe: a kind byte, a 32-bit length, the bytes.
enum : uint8_t { kResult = 'R', kFatal = 'F', kExit = 'X', kFailed = 'C' };

// The child's end of the pipe, for its fatal-error hook and exit handler.
inline int g_fd = -1;

inline bool WriteAll(int fd, const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

inline bool SendFrame(uint8_t kind, const void* data, size_t size) {
    const uint32_t length = uint32_t(size);
    return g_fd >= 0 && WriteAll(g_fd, &kind, 1) && WriteAll(g_fd, &length, sizeof length) &&
           WriteAll(g_fd, data, size);
}

inline void SendText(uint8_t kind, const char* text) { SendFrame(kind, text, std::strlen(text)); }

// What the parent read: the result when the child sent one, and the notes
// the child left on its way out.
struct Read {
    std::vector<uint8_t> result;
    bool hasResult = false;
    std::string notes;
    bool torn = false;  // the pipe ended inside a frame
};

inline Read ParseFrames(const std::vector<uint8_t>& raw) {
    Read read;
    size_t at = 0;
    while (at < raw.size()) {
        uint32_t length = 0;
        if (raw.size() - at < 1 + sizeof length) {
            read.torn = true;
            break;
        }
        const uint8_t kind = raw[at];
        std::memcpy(&length, &raw[at + 1], sizeof length);
        at += 1 + sizeof length;
        if (raw.size() - at < length) {
            read.torn = true;
            break;
        }
        const uint8_t* body = raw.data() + at;
        at += length;
        if (kind == kResult) {
            read.result.assign(body, body + length);
            read.hasResult = true;
        } else {
            read.notes += kind == kFatal ? "fatal error: " : "";
            read.notes.append(reinterpret_cast<const char*>(body), length);
            read.notes += '\n';
        }
    }
    return read;
}

inline std::string DescribeStatus(int status) {
    char text[96];
    if (WIFSIGNALED(status))
        std::snprintf(text, sizeof text, "killed by signal %d (%s)%s", WTERMSIG(status),
                      strsignal(WTERMSIG(status)), WCOREDUMP(status) ? ", core dumped" : "");
    else if (WIFEXITED(status))
        std::snprintf(text, sizeof text, "exited with status %d", WEXITSTATUS(status));
    else
        std::snprintf(text, sizeof text, "ended with wait status %#x", unsigned(status));
    return text;
}

// Checks that fail in the child are told to the parent as they fail: its
// test would otherwise never hear of them.
class FailureForwarder : public ::testing::ScopedFakeTestPartResultReporter {
  public:
    FailureForwarder() : ScopedFakeTestPartResultReporter(INTERCEPT_ONLY_CURRENT_THREAD, &ignored_) {}
    void ReportTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed()) return;
        std::string text = "a check in the child failed";
        if (result.file_name() != nullptr)
            text += std::string(" at ") + result.file_name() + ":" + std::to_string(result.line_number());
        text += std::string(": ") + result.message();
        SendText(kFailed, text.c_str());
    }

  private:
    ::testing::TestPartResultArray ignored_;
};

}  // namespace child_run

// The child's bytes; empty, with a failure of the calling test that says
// why, when the child did not hand them back and leave cleanly.
inline std::vector<uint8_t> BytesFromChild(const std::function<std::vector<uint8_t>()>& run) {
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "no pipe for the child: " << std::strerror(errno);
        return {};
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0) {
        ADD_FAILURE() << "no child: " << std::strerror(errno);
        close(fds[0]);
        close(fds[1]);
        return {};
    }
    if (child == 0) {
        close(fds[0]);
        child_run::g_fd = fds[1];
        // Whatever ends the child early leaves a note first: a fatal error
        // prints where a capture of stdout may swallow it, and an exit()
        // would otherwise look like a child with nothing to say.
        SetFatalErrorHook([](const char* message) { child_run::SendText(child_run::kFatal, message); });
        std::atexit(
            [] { child_run::SendText(child_run::kExit, "exit() called before the result was sent"); });
        std::vector<uint8_t> bytes;
        {
            const child_run::FailureForwarder forwarder;
            bytes = run();
        }
        const bool sent = child_run::SendFrame(child_run::kResult, bytes.data(), bytes.size());
        _exit(sent ? 0 : 3);
    }
    close(fds[1]);
    std::vector<uint8_t> raw;
    uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        raw.insert(raw.end(), buffer, buffer + n);
    }
    close(fds[0]);
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(child, &status, 0)) < 0 && errno == EINTR) {}
    const child_run::Read read = child_run::ParseFrames(raw);
    const bool clean = waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (clean && read.hasResult && !read.torn && read.notes.empty()) return read.result;
    ADD_FAILURE() << "the child "
                  << (waited == child ? child_run::DescribeStatus(status) : "could not be waited for")
                  << (read.hasResult ? " after sending its result" : " without sending its result")
                  << (read.torn ? " (the pipe ended inside a frame)" : "") << "\n"
                  << read.notes;
    return {};
}

}  // namespace testenv
