// Stream sockets in the shape the network layer expects: a start-up call
// with a version check, socket handles, non-blocking mode, a last-error
// number in the published socket error numbering, host and service look-up.
// Built on POSIX sockets; IPv4 only.
#pragma once
#include <cstddef>
#include <cstdint>

namespace plat {

using Socket = int;
constexpr Socket kInvalidSocket = -1;
constexpr int kSocketError = -1;

// Published socket error numbers.
enum : int {
    kWsaEIntr = 10004,
    kWsaEBadF = 10009,
    kWsaEAcces = 10013,
    kWsaEFault = 10014,
    kWsaEInval = 10022,
    kWsaEMFile = 10024,
    kWsaEWouldBlock = 10035,
    kWsaEInProgress = 10036,
    kWsaEAlready = 10037,
    kWsaENotSock = 10038,
    kWsaEMsgSize = 10040,
    kWsaEAddrInUse = 10048,
    kWsaEAddrNotAvail = 10049,
    kWsaENetDown = 10050,
    kWsaENetUnreach = 10051,
    kWsaEConnAborted = 10053,
    kWsaEConnReset = 10054,
    kWsaENoBufs = 10055,
    kWsaEIsConn = 10056,
    kWsaENotConn = 10057,
    kWsaEShutdown = 10058,
    kWsaETimedOut = 10060,
    kWsaEConnRefused = 10061,
    kWsaEHostUnreach = 10065,
    kWsaSysNotReady = 10091,
    kWsaVerNotSupported = 10092,
    kWsaNotInitialised = 10093,
    kWsaHostNotFound = 11001,
};

constexpr int kMsgPeekFlag = 1;

// What the start-up call reports about the implementation.
struct WsaData {
    uint16_t version = 0;
    uint16_t high_version = 0;
    char description[257] = {};
    char system_status[129] = {};
    uint16_t max_sockets = 0;
    uint16_t max_udp_datagram = 0;
};

constexpr uint16_t MakeWord(uint8_t low, uint8_t high) { return uint16_t(low | (high << 8)); }

// Returns 0, or kWsaVerNotSupported when the requested version is above
// what is offered.  Start-ups are counted; each needs a clean-up.
int WSAStartup(uint16_t version, WsaData* data);
// 0, or kSocketError (last error kWsaNotInitialised) without a start-up.
int WSACleanup();
// The error number of this thread's last failed call.
int WSAGetLastError();

Socket OpenStreamSocket();
// Switches the socket's blocking mode.  0 or kSocketError.
int SetNonBlocking(Socket socket, bool non_blocking);
// IPv4 address and port in host order.  A non-blocking connect that has not
// finished yet fails with kWsaEWouldBlock, as the original platform does.
int Connect(Socket socket, uint32_t address, uint16_t port);
// Byte counts, or kSocketError.  A peer that has closed gives 0 on receive.
int Send(Socket socket, const void* data, int count);
int Recv(Socket socket, void* buffer, int count, int flags);
int CloseSocket(Socket socket);

// Name or dotted address to an IPv4 address in host order.
bool LookupHost(const char* name, uint32_t* address);
// Service name to a port in host order; false when unknown.
bool LookupService(const char* name, const char* protocol, uint16_t* port);

// ---- Test seam ----------------------------------------------------------
// Makes the implementation offer only version 1.0, so that a request for
// 1.1 fails.
void SetSocketVersionTooOld(bool too_old);
// Makes the next clean-up fail.
void FailNextSocketCleanup();
// The next socket opened is this already connected one (say, one end of a
// socket pair holding a scripted reply); connecting it succeeds at once.
void AdoptNextSocketForTests(Socket connected);
// Number of sockets opened and not yet closed.
int OpenSocketCount();

}  // namespace plat
