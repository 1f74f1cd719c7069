#include "platform/winsock.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace plat {
namespace {

std::atomic<int> g_startups{0};
std::atomic<int> g_open_sockets{0};
bool g_version_too_old = false;
bool g_fail_next_cleanup = false;
thread_local int g_last_error = 0;
Socket g_adopt_next = kInvalidSocket;
Socket g_adopted = kInvalidSocket;

int ErrnoToWsa(int error) {
    switch (error) {
        case EAGAIN:
#if EWOULDBLOCK != EAGAIN
        case EWOULDBLOCK:
#endif
        case EINPROGRESS:
            return kWsaEWouldBlock;
        case EALREADY:
            return kWsaEAlready;
        case EINTR:
            return kWsaEIntr;
        case EBADF:
            return kWsaEBadF;
        case EACCES:
            return kWsaEAcces;
        case EFAULT:
            return kWsaEFault;
        case EINVAL:
            return kWsaEInval;
        case EMFILE:
        case ENFILE:
            return kWsaEMFile;
        case ENOTSOCK:
            return kWsaENotSock;
        case EMSGSIZE:
            return kWsaEMsgSize;
        case EADDRINUSE:
            return kWsaEAddrInUse;
        case EADDRNOTAVAIL:
            return kWsaEAddrNotAvail;
        case ENETDOWN:
            return kWsaENetDown;
        case ENETUNREACH:
            return kWsaENetUnreach;
        case ECONNABORTED:
            return kWsaEConnAborted;
        case ECONNRESET:
            return kWsaEConnReset;
        case ENOBUFS:
        case ENOMEM:
            return kWsaENoBufs;
        case EISCONN:
            return kWsaEIsConn;
        case ENOTCONN:
            return kWsaENotConn;
        case EPIPE:
            return kWsaEShutdown;
        case ETIMEDOUT:
            return kWsaETimedOut;
        case ECONNREFUSED:
            return kWsaEConnRefused;
        case EHOSTUNREACH:
            return kWsaEHostUnreach;
        default:
            return kWsaEInval;
    }
}

int FailWith(int wsa_error) {
    g_last_error = wsa_error;
    return kSocketError;
}

int FailFromErrno() { return FailWith(ErrnoToWsa(errno)); }

bool Started() { return g_startups.load() > 0; }

}  // namespace

int WSAStartup(uint16_t version, WsaData* data) {
    const uint16_t offered = g_version_too_old ? MakeWord(1, 0) : MakeWord(2, 2);
    auto as_number = [](uint16_t v) { return (v & 0xFF) * 256 + (v >> 8); };
    if (as_number(version) > as_number(offered)) return kWsaVerNotSupported;
    if (data != nullptr) {
        *data = WsaData{};
        data->version = version;
        data->high_version = offered;
        std::snprintf(data->description, sizeof data->description, "POSIX stream sockets");
        std::snprintf(data->system_status, sizeof data->system_status, "Running");
        rlimit files{};
        rlim_t limit = getrlimit(RLIMIT_NOFILE, &files) == 0 ? files.rlim_cur : 1024;
        data->max_sockets = uint16_t(limit > 32767 ? 32767 : limit);
        data->max_udp_datagram = 65467;
    }
    ++g_startups;
    return 0;
}

int WSACleanup() {
    if (!Started()) return FailWith(kWsaNotInitialised);
    if (g_fail_next_cleanup) {
        g_fail_next_cleanup = false;
        return FailWith(kWsaENetDown);
    }
    --g_startups;
    return 0;
}

int WSAGetLastError() { return g_last_error; }

Socket OpenStreamSocket() {
    if (!Started()) return FailWith(kWsaNotInitialised);
    if (g_adopt_next != kInvalidSocket) {
        g_adopted = g_adopt_next;
        g_adopt_next = kInvalidSocket;
        ++g_open_sockets;
        return g_adopted;
    }
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) return FailFromErrno();
    ++g_open_sockets;
    return fd;
}

int SetNonBlocking(Socket socket, bool non_blocking) {
    int flags = fcntl(socket, F_GETFL, 0);
    if (flags < 0) return FailFromErrno();
    flags = non_blocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    if (fcntl(socket, F_SETFL, flags) < 0) return FailFromErrno();
    return 0;
}

int Connect(Socket socket, uint32_t address, uint16_t port) {
    if (socket == g_adopted) return 0;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    if (::connect(socket, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return FailFromErrno();
    return 0;
}

int Send(Socket socket, const void* data, int count) {
    if (count < 0) return FailWith(kWsaEInval);
    // No SIGPIPE: a peer that has gone away is an error result, as it is on
    // the original platform.
    ssize_t n = ::send(socket, data, size_t(count), MSG_NOSIGNAL);
    if (n < 0) return FailFromErrno();
    return int(n);
}

int Recv(Socket socket, void* buffer, int count, int flags) {
    if (count < 0) return FailWith(kWsaEInval);
    int host_flags = (flags & kMsgPeekFlag) ? MSG_PEEK : 0;
    ssize_t n = ::recv(socket, buffer, size_t(count), host_flags);
    if (n < 0) return FailFromErrno();
    return int(n);
}

int CloseSocket(Socket socket) {
    if (socket == g_adopted) g_adopted = kInvalidSocket;
    if (::close(socket) != 0) return FailFromErrno();
    --g_open_sockets;
    return 0;
}

bool LookupHost(const char* name, uint32_t* address) {
    in_addr dotted{};
    if (inet_pton(AF_INET, name, &dotted) == 1) {
        *address = ntohl(dotted.s_addr);
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0 || found == nullptr) {
        g_last_error = kWsaHostNotFound;
        return false;
    }
    *address = ntohl(reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return true;
}

bool LookupService(const char* name, const char* protocol, uint16_t* port) {
    servent entry{};
    servent* result = nullptr;
    char scratch[1024];
    if (getservbyname_r(name, protocol, &entry, scratch, sizeof scratch, &result) != 0 || result == nullptr) {
        return false;
    }
    *port = ntohs(uint16_t(result->s_port));
    return true;
}

void SetSocketVersionTooOld(bool too_old) { g_version_too_old = too_old; }
void FailNextSocketCleanup() { g_fail_next_cleanup = true; }
void AdoptNextSocketForTests(Socket connected) { g_adopt_next = connected; }
int OpenSocketCount() { return g_open_sockets.load(); }

}  // namespace plat
