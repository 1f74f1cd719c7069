// TCP client sockets for the network layer: a table of 16 socket slots,
// non-blocking calls with mapped result codes, "fully" transfers with a
// time-out, text lines, and name look-ups.  Every network function returns
// one of the codes below (0 = success).
#pragma once
#include <cstdint>

// Result codes.  Bit 0x1000 marks a temporary condition, bit 0x2000 a
// permanent failure.
constexpr int WSOCK_OK = 0;
constexpr int WSOCK_TEMPORARY = 0x1000;
constexpr int WSOCK_PERMANENT = 0x2000;
constexpr int WSOCK_WOULDBLOCK = 0x1001;
constexpr int WSOCK_FAILED = 0x2000;  // any other socket failure
constexpr int WSOCK_NETDOWN = 0x2001;
constexpr int WSOCK_NOTAVAILABLE = 0x2002;
constexpr int WSOCK_NOLIBRARY = 0x2004;  // a run-time library is missing
constexpr int WSOCK_TIMEOUT = 0x2011;
constexpr int WSOCK_NOENDOFLINE = 0x2021;
constexpr int WSOCK_LINEFULL = 0x2022;

constexpr int WSOCK_MAX_SOCKETS = 16;
constexpr int WSOCK_SLEEP_MS = 50;  // pause after a would-block result

const char* WSockErrorString(int code);

int WSock_Init();
int WSock_Uninit();
// The exit-list form: closes what is open and cleans up, once.
void WSock_AbortUninit();

int WSock_TCPCreate(int* slot);
// Address and port in host order (127.0.0.1 is 0x7F000001).  A connection
// still being made gives WSOCK_WOULDBLOCK; the first transfer waits for it.
int WSock_TCPConnect(int slot, uint32_t address, uint16_t port);
int WSock_TCPClose(int slot);
int WSock_TCPSendData(int slot, const void* data, int count, int* sent);
// A peer that has closed gives WSOCK_OK with 0 bytes read.
int WSock_TCPRecvData(int slot, void* buffer, int count, int* read);
int WSock_TCPPeekData(int slot, void* buffer, int count, int* read);

// Time-outs are in timer ticks (1/500 s) without any byte moving.
int WSock_TCPSendDataFully(int slot, const void* data, int count, int* done, uint32_t timeout);
// A peer that closes before count bytes arrived gives WSOCK_FAILED.
int WSock_TCPRecvDataFully(int slot, void* buffer, int count, int* done, uint32_t timeout);
// Sends text then line end, each within WSOCK_LINE_TIMEOUT.
constexpr uint32_t WSOCK_LINE_TIMEOUT = 30 * 500;
int WSock_TCPSendTextLine(int slot, const char* text, const char* line_end);
// Reads one line into buffer (size bytes with the terminating NUL), without
// its line end.
int WSock_TCPReadTextLine(int slot, char* buffer, int size, const char* line_end, uint32_t timeout);

// Host name or dotted address to an IPv4 address in host order; 0 when it
// cannot be resolved.
uint32_t WSock_LookupHost(const char* name);
// Service name (or a port number) for "tcp" to a port; 0 when unknown.
uint16_t WSock_TCPLookupService(const char* name);
