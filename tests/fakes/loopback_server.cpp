#include "tests/fakes/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace testenv {
namespace {

constexpr int kWaitLimitMs = 10000;

int ListenOnLoopback(uint16_t* port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) std::abort();
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = 0;
    socklen_t length = sizeof at;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(fd, 4) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length) != 0) {
        std::abort();
    }
    *port = ntohs(at.sin_port);
    return fd;
}

bool WaitReadable(int fd, int milliseconds) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, milliseconds) > 0;
}

// The number after "Content-Length:" in a request head, or 0.
size_t ContentLength(const std::string& head) {
    size_t at = 0;
    while ((at = head.find('\n', at)) != std::string::npos) {
        ++at;
        if (strncasecmp(head.c_str() + at, "Content-Length:", 15) == 0) {
            return size_t(std::strtoul(head.c_str() + at + 15, nullptr, 10));
        }
    }
    return 0;
}

}  // namespace

LoopbackServer::LoopbackServer(Behaviour behaviour, std::string reply)
    : behaviour_(behaviour), reply_(std::move(reply)) {
    listener_ = ListenOnLoopback(&port_);
    thread_ = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer() {
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) ::close(listener_);
}

std::string LoopbackServer::Request() {
    if (thread_.joinable()) thread_.join();
    return request_;
}

uint16_t LoopbackServer::UnusedPort() {
    uint16_t port = 0;
    int fd = ListenOnLoopback(&port);
    ::close(fd);
    return port;
}

void LoopbackServer::Run() {
    if (!WaitReadable(listener_, kWaitLimitMs)) return;
    int client = ::accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    if (behaviour_ == Behaviour::kCloseAtOnce) {
        ::close(client);
        return;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitLimitMs);
    auto left = [&] {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                        std::chrono::steady_clock::now());
        return ms.count() > 0 ? int(ms.count()) : 0;
    };
    // The head, then as much body as it announces.
    size_t head_end = std::string::npos;
    while (left() > 0 && WaitReadable(client, left())) {
        char chunk[1024];
        ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        request_.append(chunk, size_t(n));
        if (head_end == std::string::npos) head_end = request_.find("\r\n\r\n");
        if (head_end != std::string::npos &&
            request_.size() >= head_end + 4 + ContentLength(request_.substr(0, head_end + 2))) {
            break;
        }
    }
    if (behaviour_ != Behaviour::kStall) {
        size_t sent = 0;
        while (sent < reply_.size()) {
            ssize_t n = ::send(client, reply_.data() + sent, reply_.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += size_t(n);
        }
    }
    if (behaviour_ == Behaviour::kStall || behaviour_ == Behaviour::kReplyThenStall) {
        // Hold the connection until the client gives up and closes it.
        char sink[256];
        while (left() > 0 && WaitReadable(client, left()) && ::recv(client, sink, sizeof sink, 0) > 0) {}
    }
    ::close(client);
}

}  // namespace testenv
