#include "game/system/sockets.h"

#include <cstring>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/winsock.h"

namespace {

constexpr int kFreeSlot = -1;
constexpr uint16_t kWantedVersion = plat::MakeWord(1, 1);
constexpr int kLineChunk = 256;

bool g_initialised = false;
plat::Socket g_sockets[WSOCK_MAX_SOCKETS];

int MapSocketError(int wsa_error) {
    if (wsa_error == plat::kWsaEWouldBlock) return WSOCK_WOULDBLOCK;
    if (wsa_error == plat::kWsaENetDown) return WSOCK_NETDOWN;
    return WSOCK_FAILED;
}

int LastError() { return MapSocketError(plat::WSAGetLastError()); }

// A slot number the caller holds must name an open socket.
plat::Socket SocketOf(int slot, const char* function) {
    if (slot < 0 || slot >= WSOCK_MAX_SOCKETS || g_sockets[slot] == kFreeSlot) {
        DebugLog(DEBUG_NETWORK, 0, "%s: bad socket slot %d\n", function, slot);
        AbortError("wsock", __LINE__, "WSock: socket slot not in use");
    }
    return g_sockets[slot];
}

void CloseAllAndCleanUp(bool warn) {
    for (int i = 0; i < WSOCK_MAX_SOCKETS; ++i) {
        if (g_sockets[i] == kFreeSlot) continue;
        if (warn) DebugLog(DEBUG_NETWORK, 0, "Warning: WSock_Uninit(): socket %d not closed\n", i);
        plat::CloseSocket(g_sockets[i]);
        g_sockets[i] = kFreeSlot;
    }
}

bool TimedOut(uint32_t last_progress, uint32_t timeout) { return GetTimerTicks() - last_progress > timeout; }

// The wait after a would-block result: let the program breathe, then retry.
void WaitABit() {
    Poll();
    plat::Sleep(WSOCK_SLEEP_MS);
}

}  // namespace

const char* WSockErrorString(int code) {
    switch (code) {
        case WSOCK_OK:
            return "No error";
        case WSOCK_WOULDBLOCK:
            return "Operation would block";
        case WSOCK_NETDOWN:
            return "The communications link is down";
        case WSOCK_NOTAVAILABLE:
            return "The service is not available";
        case WSOCK_TIMEOUT:
            return "A timeout occured waiting for the request";
        case WSOCK_NOENDOFLINE:
            return "No more data, but the end of the line was missing";
        case WSOCK_LINEFULL:
            return "The line buffer is full, and the end of line wasn't found";
        default:
            break;
    }
    if (code & WSOCK_TEMPORARY) return "An unknown temporary error occured";
    if (code & WSOCK_PERMANENT) return "An unknown permanent error occured";
    return "An unknown error occured";
}

int WSock_Init() {
    DebugLog(DEBUG_NETWORK, 1, "WSock_Init(): initialising\n");
    if (g_initialised) AbortError("wsock", __LINE__, "WSock_Init(): already initialised");
    plat::WsaData data;
    if (plat::WSAStartup(kWantedVersion, &data) != 0) return WSOCK_NOTAVAILABLE;
    DebugLog(DEBUG_NETWORK, 100, "WSock_Init(): %s\n", data.description);
    DebugLog(DEBUG_NETWORK, 100, "WSock_Init(): %s\n", data.system_status);
    DebugLog(DEBUG_NETWORK, 100, "WSock_Init(): max sockets: %d, max UDP size: %d\n", data.max_sockets,
             data.max_udp_datagram);
    for (plat::Socket& s : g_sockets) s = kFreeSlot;
    g_initialised = true;
    OnExitAddEx(WSock_AbortUninit, "WSock_AbortUninit()");
    return WSOCK_OK;
}

int WSock_Uninit() {
    if (!g_initialised) AbortError("wsock", __LINE__, "WSock_Uninit(): not initialised");
    DebugLog(DEBUG_NETWORK, 1, "WSock_Uninit(): uninitialising\n");
    OnExitRemove(WSock_AbortUninit);
    CloseAllAndCleanUp(true);
    g_initialised = false;
    return plat::WSACleanup() == 0 ? WSOCK_OK : WSOCK_FAILED;
}

void WSock_AbortUninit() {
    if (!g_initialised) return;
    OnExitRemove(WSock_AbortUninit);
    CloseAllAndCleanUp(false);
    g_initialised = false;
    plat::WSACleanup();
}

int WSock_TCPCreate(int* slot) {
    if (!g_initialised) return WSOCK_FAILED;
    int free_slot = kFreeSlot;
    for (int i = 0; i < WSOCK_MAX_SOCKETS && free_slot == kFreeSlot; ++i) {
        if (g_sockets[i] == kFreeSlot) free_slot = i;
    }
    if (free_slot == kFreeSlot) AbortError("wsock", __LINE__, "WSock_TCPCreate(): no free sockets");
    plat::Socket s = plat::OpenStreamSocket();
    if (s == plat::kInvalidSocket) return LastError();
    if (plat::SetNonBlocking(s, true) != 0) {
        int code = LastError();
        plat::CloseSocket(s);
        return code;
    }
    g_sockets[free_slot] = s;
    *slot = free_slot;
    DebugLog(DEBUG_NETWORK, 50, "WSock_TCPCreate(): created socket %d\n", free_slot);
    return WSOCK_OK;
}

int WSock_TCPConnect(int slot, uint32_t address, uint16_t port) {
    plat::Socket s = SocketOf(slot, "WSock_TCPConnect()");
    DebugLog(DEBUG_NETWORK, 20,
             "WSock_TCPConnect(): connecting socket %d to remote address %d.%d.%d.%d (%d)\n", slot,
             int(address >> 24), int((address >> 16) & 0xFF), int((address >> 8) & 0xFF), int(address & 0xFF),
             int(port));
    if (plat::Connect(s, address, port) != 0) return LastError();
    return WSOCK_OK;
}

int WSock_TCPClose(int slot) {
    plat::Socket s = SocketOf(slot, "WSock_TCPClose()");
    g_sockets[slot] = kFreeSlot;
    DebugLog(DEBUG_NETWORK, 50, "WSock_TCPClose(): closing socket %d\n", slot);
    return plat::CloseSocket(s) == 0 ? WSOCK_OK : LastError();
}

int WSock_TCPSendData(int slot, const void* data, int count, int* sent) {
    plat::Socket s = SocketOf(slot, "WSock_TCPSendData()");
    *sent = 0;
    int n = plat::Send(s, data, count);
    if (n < 0) return LastError();
    *sent = n;
    return WSOCK_OK;
}

int WSock_TCPRecvData(int slot, void* buffer, int count, int* read) {
    plat::Socket s = SocketOf(slot, "WSock_TCPRecvData()");
    *read = 0;
    int n = plat::Recv(s, buffer, count, 0);
    if (n < 0) return LastError();
    *read = n;
    return WSOCK_OK;
}

int WSock_TCPPeekData(int slot, void* buffer, int count, int* read) {
    plat::Socket s = SocketOf(slot, "WSock_TCPPeekData()");
    *read = 0;
    int n = plat::Recv(s, buffer, count, plat::kMsgPeekFlag);
    if (n < 0) return LastError();
    *read = n;
    return WSOCK_OK;
}

int WSock_TCPSendDataFully(int slot, const void* data, int count, int* done, uint32_t timeout) {
    const char* bytes = static_cast<const char*>(data);
    *done = 0;
    uint32_t last_progress = GetTimerTicks();
    while (*done < count) {
        int sent = 0;
        int code = WSock_TCPSendData(slot, bytes + *done, count - *done, &sent);
        if (code == WSOCK_OK && sent > 0) {
            *done += sent;
            last_progress = GetTimerTicks();
            continue;
        }
        if (code & WSOCK_PERMANENT) return code;
        if (TimedOut(last_progress, timeout)) return WSOCK_TIMEOUT;
        WaitABit();
    }
    return WSOCK_OK;
}

int WSock_TCPRecvDataFully(int slot, void* buffer, int count, int* done, uint32_t timeout) {
    char* bytes = static_cast<char*>(buffer);
    *done = 0;
    uint32_t last_progress = GetTimerTicks();
    while (*done < count) {
        int read = 0;
        int code = WSock_TCPRecvData(slot, bytes + *done, count - *done, &read);
        if (code == WSOCK_OK && read > 0) {
            *done += read;
            last_progress = GetTimerTicks();
            continue;
        }
        if (code == WSOCK_OK) return WSOCK_FAILED;  // the peer closed early
        if (code & WSOCK_PERMANENT) return code;
        if (TimedOut(last_progress, timeout)) return WSOCK_TIMEOUT;
        WaitABit();
    }
    return WSOCK_OK;
}

int WSock_TCPSendTextLine(int slot, const char* text, const char* line_end) {
    int done = 0;
    int code = WSock_TCPSendDataFully(slot, text, int(std::strlen(text)), &done, WSOCK_LINE_TIMEOUT);
    if (code != WSOCK_OK) return code;
    return WSock_TCPSendDataFully(slot, line_end, int(std::strlen(line_end)), &done, WSOCK_LINE_TIMEOUT);
}

int WSock_TCPReadTextLine(int slot, char* buffer, int size, const char* line_end, uint32_t timeout) {
    const int end_length = int(std::strlen(line_end));
    if (size < 1 || end_length == 0) return WSOCK_FAILED;
    int length = 0;
    int matched = 0;  // bytes of the line end seen so far, held back from the buffer
    buffer[0] = '\0';
    // Stores one byte of the line; false when the buffer is full.
    auto store = [&](char c) {
        if (length >= size - 1) return false;
        buffer[length++] = c;
        buffer[length] = '\0';
        return true;
    };
    uint32_t last_progress = GetTimerTicks();
    for (;;) {
        char chunk[kLineChunk];
        int got = 0;
        int code = WSock_TCPPeekData(slot, chunk, kLineChunk, &got);
        if (code != WSOCK_OK) {
            if (code & WSOCK_PERMANENT) return code;
            if (TimedOut(last_progress, timeout)) return WSOCK_TIMEOUT;
            WaitABit();
            continue;
        }
        if (got == 0) return WSOCK_NOENDOFLINE;

        // Look at the queued bytes; only what belongs to this line is taken.
        int used = 0;
        bool complete = false;
        bool full = false;
        while (used < got && !complete && !full) {
            char c = chunk[used++];
            if (c == line_end[matched]) {
                complete = ++matched == end_length;
                continue;
            }
            for (int i = 0; i < matched && !full; ++i) full = !store(line_end[i]);
            matched = 0;
            if (full) break;
            if (c == line_end[0]) {
                matched = 1;
                complete = end_length == 1;
            } else {
                full = !store(c);
            }
        }
        int taken = 0;
        code = WSock_TCPRecvDataFully(slot, chunk, used, &taken, timeout);
        if (code != WSOCK_OK) return code;
        if (complete) return WSOCK_OK;
        if (full) return WSOCK_LINEFULL;
        last_progress = GetTimerTicks();
    }
}

uint32_t WSock_LookupHost(const char* name) {
    uint32_t address = 0;
    if (!plat::LookupHost(name, &address)) {
        DebugLog(DEBUG_NETWORK, 20, "WSock_LookupHost(): cannot resolve '%s'\n", name);
        return 0;
    }
    return address;
}

uint16_t WSock_TCPLookupService(const char* name) {
    // A number is taken as the port itself.
    bool digits = *name != '\0';
    unsigned value = 0;
    for (const char* p = name; *p != '\0' && digits; ++p) {
        digits = *p >= '0' && *p <= '9';
        value = value * 10 + unsigned(*p - '0');
        if (value > 65535) return 0;
    }
    if (digits) return uint16_t(value);
    uint16_t port = 0;
    if (!plat::LookupService(name, "tcp", &port)) {
        DebugLog(DEBUG_NETWORK, 20, "WSock_TCPLookupService(): unknown service '%s'\n", name);
        return 0;
    }
    return port;
}
