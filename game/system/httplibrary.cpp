#include "game/system/httplibrary.h"

#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "game/system/httpsockets.h"
#include "game/system/poll.h"
#include "game/system/sockets.h"
#include "platform/clock.h"
#include "platform/library.h"
#include "platform/wininet.h"

namespace {

constexpr int kReadChunk = 4096;

struct InetFunctions {
    plat::InternetOpenAFunc InternetOpenA;
    plat::InternetCloseHandleFunc InternetCloseHandle;
    plat::InternetAttemptConnectFunc InternetAttemptConnect;
    plat::InternetCheckConnectionAFunc InternetCheckConnectionA;
    plat::InternetConnectAFunc InternetConnectA;
    plat::InternetReadFileFunc InternetReadFile;
    plat::InternetSetOptionAFunc InternetSetOptionA;
    plat::InternetQueryOptionAFunc InternetQueryOptionA;
    plat::HttpOpenRequestAFunc HttpOpenRequestA;
    plat::HttpQueryInfoAFunc HttpQueryInfoA;
    plat::HttpSendRequestAFunc HttpSendRequestA;
    plat::InternetAutodialFunc InternetAutodial;
    plat::InternetAutodialHangupFunc InternetAutodialHangup;
    plat::InternetGetConnectedStateFunc InternetGetConnectedState;
    plat::InternetCrackUrlAFunc InternetCrackUrlA;
};

struct InetState {
    plat::LibraryHandle library = nullptr;
    InetFunctions f{};
    plat::InetHandle internet = nullptr;
    int use_count = 0;
    char proxy[HTTP_PROXY_NAME_LIMIT] = {};
};
InetState g_inet;

template <typename T>
bool Bind(T* slot, const char* name) {
    *slot = reinterpret_cast<T>(plat::GetProcAddress(g_inet.library, name));
    if (*slot != nullptr) return true;
    DebugLog(DEBUG_NETWORK, 0, "cannot find '%s'\n", name);
    return false;
}

// Every function is looked up (so each missing one is named) before the
// load is judged.
bool BindAll() {
    InetFunctions& f = g_inet.f;
    bool ok = true;
    ok &= Bind(&f.InternetOpenA, "InternetOpenA");
    ok &= Bind(&f.InternetCloseHandle, "InternetCloseHandle");
    ok &= Bind(&f.InternetAttemptConnect, "InternetAttemptConnect");
    ok &= Bind(&f.InternetCheckConnectionA, "InternetCheckConnectionA");
    ok &= Bind(&f.InternetConnectA, "InternetConnectA");
    ok &= Bind(&f.InternetReadFile, "InternetReadFile");
    ok &= Bind(&f.InternetSetOptionA, "InternetSetOptionA");
    ok &= Bind(&f.InternetQueryOptionA, "InternetQueryOptionA");
    ok &= Bind(&f.HttpOpenRequestA, "HttpOpenRequestA");
    ok &= Bind(&f.HttpQueryInfoA, "HttpQueryInfoA");
    ok &= Bind(&f.HttpSendRequestA, "HttpSendRequestA");
    ok &= Bind(&f.InternetAutodial, "InternetAutodial");
    ok &= Bind(&f.InternetAutodialHangup, "InternetAutodialHangup");
    ok &= Bind(&f.InternetGetConnectedState, "InternetGetConnectedState");
    ok &= Bind(&f.InternetCrackUrlA, "InternetCrackUrlA");
    return ok;
}

void ReleaseLibrary() {
    if (g_inet.library != nullptr) plat::FreeLibrary(g_inet.library);
    g_inet.library = nullptr;
    g_inet.f = InetFunctions{};
}

bool LoadInet() {
    if (g_inet.library != nullptr) return true;
    g_inet.library = plat::LoadLibrary(HTTPINET_LIBRARY);
    if (g_inet.library == nullptr) {
        DebugLog(DEBUG_NETWORK, 20, "HTTPINET_Open(): cannot load '%s'\n", HTTPINET_LIBRARY);
        return false;
    }
    if (BindAll()) return true;
    ReleaseLibrary();
    return false;
}

// Where the reply goes: a buffer or a file, never more than the maximum.
struct ReplySink {
    char* buffer = nullptr;
    FILE* file = nullptr;
    int maximum = 0;
    int received = 0;
};

bool NeedsFreshCopy(const char* path, bool has_body) {
    return has_body || std::strchr(path, '?') != nullptr || std::strstr(path, "/cgi-bin/") != nullptr;
}

// Reads the reply to its end into the sink.
int ReadReply(plat::InetHandle request, ReplySink* sink) {
    char chunk[kReadChunk];
    for (;;) {
        uint32_t read = 0;
        if (!g_inet.f.InternetReadFile(request, chunk, kReadChunk, &read)) return WSOCK_FAILED;
        if (read == 0) return WSOCK_OK;
        if (int64_t(sink->received) + read > sink->maximum) {
            DebugLog(DEBUG_NETWORK, 0, "Error: HTTPINET: more than %d bytes in the reply\n", sink->maximum);
            return WSOCK_FAILED;
        }
        if (sink->file != nullptr) {
            if (std::fwrite(chunk, 1, read, sink->file) != read) return WSOCK_FAILED;
        } else {
            std::memcpy(sink->buffer + sink->received, chunk, read);
        }
        sink->received += int(read);
        Poll();
        plat::Sleep(WSOCK_SLEEP_MS);
    }
}

// One request on an open internet handle; every handle it opens is closed.
int Transfer(const char* url, const char* verb, const void* data, int data_length, const char* user,
             const char* password, ReplySink* sink) {
    char scheme[HTTPINET_PART_SIZE];
    char host[HTTPINET_PART_SIZE];
    char path[HTTPINET_PART_SIZE];
    uint16_t port = 0;
    int code = UrlSplit(url, scheme, host, &port, path);
    if (code != WSOCK_OK) return code;
    const InetFunctions& f = g_inet.f;
    plat::InetHandle connection =
        f.InternetConnectA(g_inet.internet, host, port, user, password, plat::kInetServiceHttp, 0, 0);
    if (connection == nullptr) return WSOCK_FAILED;
    const bool has_body = data != nullptr && data_length > 0;
    uint32_t flags = plat::kInetFlagResynchronize | plat::kInetFlagNoUi;
    if (NeedsFreshCopy(path, has_body)) flags |= plat::kInetFlagReload | plat::kInetFlagNoCacheWrite;
    plat::InetHandle request =
        f.HttpOpenRequestA(connection, verb, path, nullptr, nullptr, nullptr, flags, 0);
    code = WSOCK_FAILED;
    if (request != nullptr && f.HttpSendRequestA(request, nullptr, 0, has_body ? data : nullptr,
                                                 has_body ? uint32_t(data_length) : 0)) {
        uint32_t status = 0;
        uint32_t size = sizeof status;
        uint32_t content_length = 0;
        uint32_t length_size = sizeof content_length;
        if (f.HttpQueryInfoA(request, plat::kHttpQueryStatusCode | plat::kHttpQueryFlagNumber, &status, &size,
                             nullptr)) {
            // A reply need not announce its length; when it does, a length
            // over the maximum is refused before reading.
            bool known = f.HttpQueryInfoA(request, plat::kHttpQueryContentLength | plat::kHttpQueryFlagNumber,
                                          &content_length, &length_size, nullptr);
            if (known && content_length > uint32_t(sink->maximum)) {
                code = WSOCK_FAILED;
            } else {
                code = ReadReply(request, sink);
            }
            // An error page is not the data asked for: not a success.
            if (code == WSOCK_OK && (status < 200 || status > 299)) {
                DebugLog(DEBUG_NETWORK, 0, "Error: HTTPINET: server replied %u for '%s'\n", unsigned(status),
                         url);
                code = WSOCK_FAILED;
            }
        }
    }
    if (request != nullptr) f.InternetCloseHandle(request);
    f.InternetCloseHandle(connection);
    return code;
}

int Run(const char* url, const char* verb, const void* data, int data_length, const char* user,
        const char* password, ReplySink* sink) {
    int code = HTTPINET_Open();
    if (code != WSOCK_OK) return code;
    code = Transfer(url, verb, data, data_length, user, password, sink);
    HTTPINET_Close();
    return code;
}

void LogUser(const char* user) {
    if (user != nullptr) DebugLog(DEBUG_NETWORK, 20, " auth user '%s'", user);
    DebugLog(DEBUG_NETWORK, 20, "\n");
}

}  // namespace

int HTTPINET_SetProxy(const char* name) {
    if (name == nullptr || *name == '\0') {
        g_inet.proxy[0] = '\0';
        return WSOCK_OK;
    }
    if (!HTTPProxyNameIsValid(name)) return WSOCK_FAILED;
    std::snprintf(g_inet.proxy, sizeof g_inet.proxy, "%s", name);
    return WSOCK_OK;
}

int HTTPINET_Open() {
    if (g_inet.use_count > 0) {
        ++g_inet.use_count;
        return WSOCK_OK;
    }
    if (!LoadInet()) return WSOCK_NOLIBRARY;
    const bool proxy = g_inet.proxy[0] != '\0';
    g_inet.internet = proxy ? g_inet.f.InternetOpenA("Velk-gfxlib/0.2 (wininet; proxy)",
                                                     plat::kInetOpenTypeProxy, g_inet.proxy, nullptr, 0)
                            : g_inet.f.InternetOpenA("Velk-gfxlib/0.2 (wininet)",
                                                     plat::kInetOpenTypePreconfig, nullptr, nullptr, 0);
    if (g_inet.internet == nullptr) {
        ReleaseLibrary();
        return WSOCK_FAILED;
    }
    g_inet.use_count = 1;
    return WSOCK_OK;
}

void HTTPINET_Close() {
    if (g_inet.use_count == 0) return;
    if (--g_inet.use_count > 0) return;
    g_inet.f.InternetCloseHandle(g_inet.internet);
    g_inet.internet = nullptr;
    ReleaseLibrary();
}

int UrlSplit(const char* url, char* scheme, char* host, uint16_t* port, char* path) {
    if (g_inet.library == nullptr) return WSOCK_NOLIBRARY;
    DebugLog(DEBUG_NETWORK, 50, "UrlSplit(): split '%s'", url);
    plat::InetUrlComponents parts;
    parts.scheme = scheme;
    parts.scheme_length = HTTPINET_PART_SIZE;
    parts.host = host;
    parts.host_length = HTTPINET_PART_SIZE;
    parts.url_path = path;
    parts.url_path_length = HTTPINET_PART_SIZE;
    if (!g_inet.f.InternetCrackUrlA(url, uint32_t(std::strlen(url)), 0, &parts)) {
        DebugLog(DEBUG_NETWORK, 50, " failed\n");
        return WSOCK_FAILED;
    }
    *port = parts.port;
    DebugLog(DEBUG_NETWORK, 50, " into scheme %s, host %s, port %d, url %s\n", scheme, host, int(*port),
             path);
    return WSOCK_OK;
}

int HTTPINET_SimpleGetAuth(const char* url, void* buffer, int maximum, int* length, const char* user,
                           const char* password) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPINET_SimpleGetAuth(): get '%s' (%d bytes max)", url, maximum);
    LogUser(user);
    ReplySink sink;
    sink.buffer = static_cast<char*>(buffer);
    sink.maximum = maximum;
    int code = Run(url, "GET", nullptr, 0, user, password, &sink);
    if (length != nullptr) *length = code == WSOCK_OK ? sink.received : 0;
    return code;
}

int HTTPINET_SimpleGetFileAuth(const char* url, const char* file_name, int maximum, const char* user,
                               const char* password) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPINET_SimpleGetFileAuth(): get '%s' (%d bytes max to %s)", url, maximum,
             file_name);
    LogUser(user);
    ReplySink sink;
    sink.maximum = maximum;
    sink.file = std::fopen(file_name, "wb");
    if (sink.file == nullptr) return WSOCK_FAILED;
    int code = Run(url, "GET", nullptr, 0, user, password, &sink);
    if (std::fclose(sink.file) != 0 && code == WSOCK_OK) code = WSOCK_FAILED;
    if (code != WSOCK_OK) std::remove(file_name);  // no half-written file stays
    return code;
}

int HTTPINET_SimplePostAuth(const char* url, const void* data, int data_length, void* reply, int maximum,
                            const char* user, const char* password, int* reply_length) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPINET_SimplePostAuth(): post %d bytes to '%s' (return %d bytes max)",
             data_length, url, maximum);
    LogUser(user);
    ReplySink sink;
    sink.buffer = static_cast<char*>(reply);
    sink.maximum = maximum;
    int code = Run(url, "POST", data, data_length, user, password, &sink);
    if (reply_length != nullptr) *reply_length = code == WSOCK_OK ? sink.received : 0;
    return code;
}

int HTTPINET_SimpleGet(const char* url, void* buffer, int maximum, int* length) {
    return HTTPINET_SimpleGetAuth(url, buffer, maximum, length, nullptr, nullptr);
}

int HTTPINET_SimpleGetFile(const char* url, const char* file_name, int maximum) {
    return HTTPINET_SimpleGetFileAuth(url, file_name, maximum, nullptr, nullptr);
}

int HTTPINET_SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum,
                        int* reply_length) {
    return HTTPINET_SimplePostAuth(url, data, data_length, reply, maximum, nullptr, nullptr, reply_length);
}

int HTTPINET_IsLoaded() { return g_inet.library != nullptr ? 1 : 0; }
