// Feeds arbitrary server replies to the HTTP client: the reply bytes wait
// in one end of a socket pair, followed by the end of the stream, and the
// client's end stands in for its connection.  Whatever comes back, the
// client must end with a result code, never write past the caller's buffer
// and never wait for more.
#include <sys/socket.h>
#include <unistd.h>
#include <cstdint>
#include <cstring>

#include "game/system/httpsockets.h"
#include "game/system/sockets.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/winsock.h"

namespace {

constexpr size_t kMaxReply = 60000;  // fits the socket pair's buffer
constexpr int kBufferSize = 256;

bool Start() {
    plat::SetManualClock(true);
    InitTimerInterrupt();
    return WSock_Init() == WSOCK_OK;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = Start();
    if (!started || size > kMaxReply) return 0;
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return 0;
    size_t written = 0;
    while (written < size) {
        ssize_t n = write(pair[1], data + written, size - written);
        if (n <= 0) break;
        written += size_t(n);
    }
    shutdown(pair[1], SHUT_WR);
    plat::AdoptNextSocketForTests(pair[0]);

    // Guard bytes after the part the client may fill.
    char buffer[kBufferSize + 16];
    std::memset(buffer, 0x5A, sizeof buffer);
    int length = -1;
    int code = HTTPWSOK_SimpleGet("http://127.0.0.1:80/fuzz", buffer, kBufferSize, &length);
    close(pair[1]);
    for (size_t i = kBufferSize; i < sizeof buffer; ++i) {
        if (buffer[i] != 0x5A) __builtin_trap();
    }
    if (code == WSOCK_OK && (length < 0 || length > kBufferSize)) __builtin_trap();
    if (code != WSOCK_OK && length != 0) __builtin_trap();
    return 0;
}
