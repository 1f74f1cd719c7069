#include "game/system/httpsockets.h"

#include <strings.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/base/debug.h"
#include "game/system/poll.h"
#include "game/system/sockets.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/winsock.h"

namespace {

constexpr int kMaxHost = 255;
constexpr int kDataChunk = 4096;
constexpr const char* kProxyCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890-:";

struct ProxyState {
    bool set = false;
    uint32_t address = 0;
    uint16_t port = 0;
};
ProxyState g_proxy;

// What the simple functions want of a request.
struct SimpleRecord {
    const char* post_data = nullptr;
    int post_length = 0;
    char* buffer = nullptr;
    FILE* file = nullptr;
    int maximum = 0;
    int received = 0;
    const char* user = nullptr;
    const char* password = nullptr;
    int header_step = 0;
    int status = 0;
    int64_t content_length = -1;  // -1: the server gave none
};

struct ParsedUrl {
    char host[kMaxHost + 1] = {};
    uint16_t port = 0;
    const char* path = nullptr;
};

// "http://host[:port]/path".  Returns false (with a log line) for what
// cannot be fetched; a URL without an end of host name is a caller error.
bool ParseUrl(const char* url, ParsedUrl* out) {
    constexpr char kScheme[] = "http://";
    if (std::strncmp(url, kScheme, sizeof kScheme - 1) != 0) {
        DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_Request(): not an http URL '%s'\n", url);
        return false;
    }
    const char* host = url + sizeof kScheme - 1;
    const char* end = std::strpbrk(host, "/:");
    if (end == nullptr) AbortError("httpwsok", __LINE__, "Cannot find end of hostname in URL");
    size_t host_length = size_t(end - host);
    if (host_length == 0 || host_length > kMaxHost) {
        DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_Request(): bad host name in '%s'\n", url);
        return false;
    }
    std::memcpy(out->host, host, host_length);
    out->host[host_length] = '\0';
    out->path = end;
    if (*end == ':') {
        unsigned port = 0;
        const char* p = end + 1;
        while (*p >= '0' && *p <= '9' && port <= 65535) port = port * 10 + unsigned(*p++ - '0');
        if (p == end + 1 || port == 0 || port > 65535 || (*p != '/' && *p != '\0')) {
            DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_Request(): bad port in '%s'\n", url);
            return false;
        }
        out->port = uint16_t(port);
        out->path = *p == '/' ? p : "/";
    } else {
        out->port = WSock_TCPLookupService("http");
        if (out->port == 0) return false;
    }
    return true;
}

// Parses "HTTP/major.minor status reason".
bool ParseStatusLine(const char* line, HTTPWSOK_CallbackRecord* cb) {
    if (std::strncmp(line, "HTTP/", 5) != 0) return false;
    char* end = nullptr;
    const char* p = line + 5;
    if (*p < '0' || *p > '9') return false;
    long major = std::strtol(p, &end, 10);
    if (*end != '.' || end[1] < '0' || end[1] > '9') return false;
    long minor = std::strtol(end + 1, &end, 10);
    if (*end != ' ') return false;
    while (*end == ' ') ++end;
    if (end[0] < '1' || end[0] > '9' || end[1] < '0' || end[1] > '9' || end[2] < '0' || end[2] > '9' ||
        (end[3] != ' ' && end[3] != '\0')) {
        return false;
    }
    if (major > 999 || minor > 999) return false;
    cb->VersionMajor = int(major);
    cb->VersionMinor = int(minor);
    cb->Status = (end[0] - '0') * 100 + (end[1] - '0') * 10 + (end[2] - '0');
    return true;
}

// Reads one line of the reply head; a trailing carriage return is dropped
// so that servers ending lines with a bare newline are understood too.
int ReadHeadLine(int slot, char* line) {
    int code = WSock_TCPReadTextLine(slot, line, HTTPWSOK_LINE_SIZE, "\n", HTTPWSOK_TIMEOUT);
    if (code != WSOCK_OK) return code;
    size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\r') line[length - 1] = '\0';
    return WSOCK_OK;
}

int SendLine(int slot, const char* text) { return WSock_TCPSendTextLine(slot, text, "\r\n"); }

// Runs a step; a cancel from the callbacks becomes the request's result.
bool Step(HTTPWSOK_CallbackRecord* cb, int reason, int* result) {
    cb->Reason = reason;
    if (HTTPWSOK_CB_Default(cb) != HTTPWSOK_CB_CANCEL) return true;
    *result = cb->Error != WSOCK_OK ? cb->Error : WSOCK_FAILED;
    return false;
}

int SendHead(int slot, const char* method, const ParsedUrl& url, const char* full_url,
             HTTPWSOK_CallbackRecord* cb, int* result) {
    char line[HTTPWSOK_LINE_SIZE];
    // Through a proxy the request line names the whole URL.
    const char* target = g_proxy.set ? full_url : url.path;
    if (std::snprintf(line, sizeof line, "%s %s HTTP/1.0", method, target) >= int(sizeof line)) {
        DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_Request(): URL too long\n");
        return WSOCK_FAILED;
    }
    int code = SendLine(slot, line);
    if (code != WSOCK_OK) return code;
    std::snprintf(line, sizeof line, "Host: %s", url.host);
    if ((code = SendLine(slot, line)) != WSOCK_OK) return code;
    for (;;) {
        line[0] = '\0';
        cb->Line = line;
        cb->LineSize = int(sizeof line);
        cb->Reason = HTTPWSOK_REASON_HEADER;
        int answer = HTTPWSOK_CB_Default(cb);
        if (answer == HTTPWSOK_CB_CANCEL) {
            *result = cb->Error != WSOCK_OK ? cb->Error : WSOCK_FAILED;
            return WSOCK_OK;
        }
        if (answer != HTTPWSOK_CB_HANDLED) break;
        if ((code = SendLine(slot, line)) != WSOCK_OK) return code;
    }
    if ((code = SendLine(slot, "")) != WSOCK_OK) return code;
    cb->Data = nullptr;
    cb->DataLength = 0;
    if (!Step(cb, HTTPWSOK_REASON_BODY, result)) return WSOCK_OK;
    if (cb->DataLength > 0) {
        int done = 0;
        code = WSock_TCPSendDataFully(slot, cb->Data, cb->DataLength, &done, HTTPWSOK_TIMEOUT);
    }
    return code;
}

// Status line and headers.  Returns a socket code; *result is set when a
// callback cancelled or the reply head is unusable.
int ReadHead(int slot, HTTPWSOK_CallbackRecord* cb, int* result) {
    char line[HTTPWSOK_LINE_SIZE];
    int code = ReadHeadLine(slot, line);
    if (code != WSOCK_OK) return code;
    if (!ParseStatusLine(line, cb)) {
        DebugLog(DEBUG_NETWORK, 0, "Warning: HTTPWSOK_Request(): cannot process reply status '%s'\n", line);
        *result = WSOCK_FAILED;
        return WSOCK_OK;
    }
    if (cb->VersionMajor != 1) {
        DebugLog(DEBUG_NETWORK, 0, "Warning: HTTPWSOK_Request(): HTTP major version not 1 (was HTTP/%d.%d)\n",
                 cb->VersionMajor, cb->VersionMinor);
    }
    // The reason text follows the three-digit code.
    const char* reason = std::strchr(line + 5, ' ');
    while (reason != nullptr && *reason == ' ') ++reason;
    reason = reason != nullptr && std::strlen(reason) > 3 ? reason + 4 : "";
    cb->Line = const_cast<char*>(reason);
    if (!Step(cb, HTTPWSOK_REASON_STATUS, result)) return WSOCK_OK;

    for (int count = 0;; ++count) {
        if ((code = ReadHeadLine(slot, line)) != WSOCK_OK) return code;
        if (line[0] == '\0') return WSOCK_OK;
        if (count == HTTPWSOK_MAX_HEADERS) {
            DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_Request(): too many reply headers\n");
            *result = WSOCK_FAILED;
            return WSOCK_OK;
        }
        DebugLog(DEBUG_NETWORK, 50, "HTTPWSOK_Request(): got header '%s'\n", line);
        cb->Line = line;
        if (!Step(cb, HTTPWSOK_REASON_REPLYHEADER, result)) return WSOCK_OK;
    }
}

// Reply data until the server closes the connection.
int ReadBody(int slot, HTTPWSOK_CallbackRecord* cb, int* result) {
    char chunk[kDataChunk];
    uint32_t last_progress = GetTimerTicks();
    for (;;) {
        int read = 0;
        int code = WSock_TCPRecvData(slot, chunk, kDataChunk, &read);
        if (code == WSOCK_OK && read == 0) {
            Step(cb, HTTPWSOK_REASON_DONE, result);
            return WSOCK_OK;
        }
        if (code == WSOCK_OK) {
            cb->Data = chunk;
            cb->DataLength = read;
            if (!Step(cb, HTTPWSOK_REASON_DATA, result)) return WSOCK_OK;
            last_progress = GetTimerTicks();
            continue;
        }
        if (!(code & WSOCK_PERMANENT) && GetTimerTicks() - last_progress > HTTPWSOK_TIMEOUT) {
            code = WSOCK_TIMEOUT;
        }
        if (code & WSOCK_PERMANENT) {
            cb->Error = code;
            Step(cb, HTTPWSOK_REASON_ERROR, result);
            return code;
        }
        Poll();
        plat::Sleep(WSOCK_SLEEP_MS);
    }
}

bool StatusIsSuccess(int status) { return status >= 200 && status <= 299; }

// One simple request: runs it, then checks that the server said yes.  An
// error page is not the data asked for: taking it as success would hand the
// caller the server's refusal as if it were the reply.
int RunSimple(const char* url, const char* method, SimpleRecord* record) {
    if (record->user != nullptr) {
        char probe[HTTP_AUTH_LINE_SIZE];
        int code = HTTPBasicAuthHeader(probe, record->user, record->password);
        if (code != WSOCK_OK) return code;
    }
    int code = HTTPWSOK_Request(url, method, HTTPWSOK_CB_SimpleRequest, record);
    if (code == WSOCK_OK && !StatusIsSuccess(record->status)) {
        DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_Request(): server replied %d for '%s'\n", record->status,
                 url);
        code = WSOCK_FAILED;
    }
    return code;
}

int SimpleGet(const char* url, void* buffer, int maximum, int* length, const char* user,
              const char* password) {
    SimpleRecord record;
    record.buffer = static_cast<char*>(buffer);
    record.maximum = maximum;
    record.user = user;
    record.password = password;
    int code = RunSimple(url, "GET", &record);
    if (length != nullptr) *length = code == WSOCK_OK ? record.received : 0;
    return code;
}

int SimpleGetFile(const char* url, const char* file_name, int maximum, const char* user,
                  const char* password) {
    SimpleRecord record;
    record.file = std::fopen(file_name, "wb");
    if (record.file == nullptr) {
        DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_SimpleGetFile(): cannot create '%s'\n", file_name);
        return WSOCK_FAILED;
    }
    record.maximum = maximum;
    record.user = user;
    record.password = password;
    int code = RunSimple(url, "GET", &record);
    if (std::fclose(record.file) != 0 && code == WSOCK_OK) code = WSOCK_FAILED;
    // A failed fetch leaves no half-written file behind.
    if (code != WSOCK_OK) std::remove(file_name);
    return code;
}

int SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum, const char* user,
               const char* password, int* reply_length) {
    SimpleRecord record;
    record.post_data = static_cast<const char*>(data);
    record.post_length = data_length;
    record.buffer = static_cast<char*>(reply);
    record.maximum = maximum;
    record.user = user;
    record.password = password;
    int code = RunSimple(url, "POST", &record);
    if (reply_length != nullptr) *reply_length = code == WSOCK_OK ? record.received : 0;
    return code;
}

int Cancel(HTTPWSOK_CallbackRecord* cb, int code) {
    cb->Error = code;
    return HTTPWSOK_CB_CANCEL;
}

int TakeData(HTTPWSOK_CallbackRecord* cb, SimpleRecord* r) {
    if (int64_t(r->received) + cb->DataLength > r->maximum) {
        // Too much for the caller: the request fails rather than the program.
        DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_CB_SimpleRequest(): too much data was recieved!\n");
        return Cancel(cb, WSOCK_FAILED);
    }
    if (r->file != nullptr) {
        DebugLog(DEBUG_NETWORK, 80, "HTTPWSOK_CB_Simple(): read %d bytes to file offset %d\n", cb->DataLength,
                 r->received);
        if (std::fwrite(cb->Data, 1, size_t(cb->DataLength), r->file) != size_t(cb->DataLength)) {
            DebugLog(DEBUG_NETWORK, 0, "Error: HTTPWSOK_CB_Simple(): cannot write the file\n");
            return Cancel(cb, WSOCK_FAILED);
        }
    } else {
        DebugLog(DEBUG_NETWORK, 80, "HTTPWSOK_CB_Simple(): read %d bytes\n", cb->DataLength);
        std::memcpy(r->buffer + r->received, cb->Data, size_t(cb->DataLength));
    }
    r->received += cb->DataLength;
    return HTTPWSOK_CB_HANDLED;
}

}  // namespace

int HTTPWSOK_Request(const char* url, const char* method, HTTPWSOK_Callback callback, void* record) {
    ParsedUrl parsed;
    if (!ParseUrl(url, &parsed)) return WSOCK_FAILED;
    uint32_t address = g_proxy.set ? g_proxy.address : WSock_LookupHost(parsed.host);
    uint16_t port = g_proxy.set ? g_proxy.port : parsed.port;
    if (address == 0) return WSOCK_FAILED;

    HTTPWSOK_CallbackRecord cb;
    cb.Custom = callback;
    cb.User = record;
    cb.Method = method;

    int slot = -1;
    int code = WSock_TCPCreate(&slot);
    if (code != WSOCK_OK) return code;
    code = WSock_TCPConnect(slot, address, port);
    if (code == WSOCK_WOULDBLOCK) code = WSOCK_OK;  // the first send waits for the connection

    int result = WSOCK_OK;  // set when a callback or the reply ends the request
    if (code == WSOCK_OK) code = SendHead(slot, method, parsed, url, &cb, &result);
    if (code == WSOCK_OK && result == WSOCK_OK) {
        DebugLog(DEBUG_NETWORK, 50, "HTTPWSOK_Request(): request sent - waiting for reply\n");
        code = ReadHead(slot, &cb, &result);
    }
    if (code == WSOCK_OK && result == WSOCK_OK) code = ReadBody(slot, &cb, &result);
    if (code == WSOCK_OK) code = result;

    if (code == WSOCK_OK) {
        DebugLog(DEBUG_NETWORK, 50, "HTTPWSOK_SimpleGet(): success - closing connection\n");
    } else {
        DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_Request(): '%s' failed: %s\n", url, WSockErrorString(code));
        if (!cb.CustomCancelled) {
            cb.Reason = HTTPWSOK_REASON_CANCEL;
            HTTPWSOK_CB_Default(&cb);
        }
    }
    WSock_TCPClose(slot);
    return code;
}

int HTTPWSOK_CB_Default(HTTPWSOK_CallbackRecord* cb) {
    int answer = cb->Custom != nullptr ? cb->Custom(cb) : HTTPWSOK_CB_NOTHANDLED;
    if (answer == HTTPWSOK_CB_CANCEL) {
        cb->CustomCancelled = true;
        DebugLog(DEBUG_NETWORK, 20,
                 "HTTPWSOK_CB_Default(): custom callback has cancelled (cb->Reason = %d)\n", cb->Reason);
        return HTTPWSOK_CB_CANCEL;
    }
    if (answer == HTTPWSOK_CB_HANDLED) return HTTPWSOK_CB_HANDLED;
    switch (cb->Reason) {
        case HTTPWSOK_REASON_HEADER:
            if (cb->DefaultHeaders == 0) {
                std::snprintf(cb->Line, size_t(cb->LineSize), "User-Agent: Velk-gfxlib/0.2 (winsock)");
            } else if (cb->DefaultHeaders == 1) {
                std::snprintf(cb->Line, size_t(cb->LineSize), "Date: %s",
                              HTTPDateString(plat::CalendarTime()));
            } else {
                return HTTPWSOK_CB_NOTHANDLED;  // no more lines
            }
            ++cb->DefaultHeaders;
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_BODY:
            cb->Data = nullptr;
            cb->DataLength = 0;
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_STATUS:
        case HTTPWSOK_REASON_REPLYHEADER:
        case HTTPWSOK_REASON_DONE:
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_DATA:
            DebugLog(DEBUG_NETWORK, 5, "Warning: HTTPWSOK_CB_Default(): skipping %d bytes of data\n",
                     cb->DataLength);
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_ERROR:
            DebugLog(DEBUG_NETWORK, 5,
                     "Warning: HTTPWSOK_CB_Default(): error %s occured skipping reply data\n",
                     WSockErrorString(cb->Error));
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_CANCEL:
            DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_CB_Default(): forced cancel of request\n");
            return HTTPWSOK_CB_HANDLED;
        default:
            DebugLog(DEBUG_NETWORK, 0, "Warning: HTTPWSOK_CB_Default(): unknown request type %d\n",
                     cb->Reason);
            return HTTPWSOK_CB_NOTHANDLED;
    }
}

int HTTPWSOK_CB_SimpleRequest(HTTPWSOK_CallbackRecord* cb) {
    SimpleRecord* r = static_cast<SimpleRecord*>(cb->User);
    const bool post = r->post_data != nullptr;
    switch (cb->Reason) {
        case HTTPWSOK_REASON_HEADER:
            // Content-Length and Content-Type for a post, then the authorization.
            while (r->header_step < 3) {
                int step = r->header_step++;
                if (step == 0 && post) {
                    std::snprintf(cb->Line, size_t(cb->LineSize), "Content-Length: %d", r->post_length);
                    return HTTPWSOK_CB_HANDLED;
                }
                if (step == 1 && post) {
                    std::snprintf(cb->Line, size_t(cb->LineSize), "Content-Type: application/octet-stream");
                    return HTTPWSOK_CB_HANDLED;
                }
                if (step == 2 && r->user != nullptr &&
                    HTTPBasicAuthHeader(cb->Line, r->user, r->password) == WSOCK_OK) {
                    return HTTPWSOK_CB_HANDLED;
                }
            }
            return HTTPWSOK_CB_NOTHANDLED;
        case HTTPWSOK_REASON_BODY:
            cb->Data = r->post_data;
            cb->DataLength = post ? r->post_length : 0;
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_STATUS:
            DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimpleGet(): reply HTTP/%d.%d %d (%s)\n", cb->VersionMajor,
                     cb->VersionMinor, cb->Status, cb->Line);
            r->status = cb->Status;
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_REPLYHEADER:
            if (strncasecmp(cb->Line, "Content-Length:", 15) == 0) {
                char* end = nullptr;
                long long value = std::strtoll(cb->Line + 15, &end, 10);
                if (end == cb->Line + 15 || value < 0) return Cancel(cb, WSOCK_FAILED);
                r->content_length = value;
                if (value > r->maximum) {
                    DebugLog(DEBUG_NETWORK, 0,
                             "Error: HTTPWSOK_CB_SimpleRequest(): too much data was recieved!\n");
                    return Cancel(cb, WSOCK_FAILED);
                }
            }
            return HTTPWSOK_CB_HANDLED;
        case HTTPWSOK_REASON_DATA:
            return TakeData(cb, r);
        case HTTPWSOK_REASON_DONE:
            // A server that promised more than it sent has failed.
            if (r->content_length >= 0 && r->content_length != r->received) {
                DebugLog(DEBUG_NETWORK, 0,
                         "Error: HTTPWSOK_CB_SimpleRequest(): reply ended after %d of %lld bytes\n",
                         r->received, static_cast<long long>(r->content_length));
                return Cancel(cb, WSOCK_FAILED);
            }
            return HTTPWSOK_CB_HANDLED;
        default:
            return HTTPWSOK_CB_NOTHANDLED;
    }
}

int HTTPWSOK_SimpleGet(const char* url, void* buffer, int maximum, int* length) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimpleGet(): get '%s' (max %d bytes)\n", url, maximum);
    return SimpleGet(url, buffer, maximum, length, nullptr, nullptr);
}

int HTTPWSOK_SimpleGetFile(const char* url, const char* file_name, int maximum) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimpleGetFile(): get '%s' to '%s' (max %d bytes)\n", url, file_name,
             maximum);
    return SimpleGetFile(url, file_name, maximum, nullptr, nullptr);
}

int HTTPWSOK_SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum,
                        int* reply_length) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimplePost(): post %d bytes to '%s' (max %d bytes)\n", data_length,
             url, maximum);
    return SimplePost(url, data, data_length, reply, maximum, nullptr, nullptr, reply_length);
}

int HTTPWSOK_SimpleGetAuth(const char* url, void* buffer, int maximum, int* length, const char* user,
                           const char* password) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimpleGetAuth(): get '%s' (auth %s) (max %d bytes)\n", url, user,
             maximum);
    return SimpleGet(url, buffer, maximum, length, user, password);
}

int HTTPWSOK_SimpleGetFileAuth(const char* url, const char* file_name, int maximum, const char* user,
                               const char* password) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimpleGetFileAuth(): get '%s' to '%s' (auth %s) (max %d bytes)\n",
             url, file_name, user, maximum);
    return SimpleGetFile(url, file_name, maximum, user, password);
}

int HTTPWSOK_SimplePostAuth(const char* url, const void* data, int data_length, void* reply, int maximum,
                            const char* user, const char* password, int* reply_length) {
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SimplePostAuth(): post %d bytes to '%s' (auth %s) (max %d bytes)\n",
             data_length, url, user, maximum);
    return SimplePost(url, data, data_length, reply, maximum, user, password, reply_length);
}

bool HTTPProxyNameIsValid(const char* name) {
    size_t length = std::strlen(name);
    return length < HTTP_PROXY_NAME_LIMIT && std::strspn(name, kProxyCharacters) == length;
}

int HTTPWSOK_SetProxy(const char* name) {
    if (name == nullptr || *name == '\0') {
        g_proxy = ProxyState{};
        return WSOCK_OK;
    }
    if (!HTTPProxyNameIsValid(name)) return WSOCK_FAILED;
    char host[HTTP_PROXY_NAME_LIMIT];
    std::snprintf(host, sizeof host, "%s", name);
    char* colon = std::strchr(host, ':');
    const char* service = "http";
    if (colon != nullptr) {
        *colon = '\0';
        service = colon + 1;
    }
    uint32_t address = WSock_LookupHost(host);
    uint16_t port = WSock_TCPLookupService(service);
    if (address == 0 || port == 0) return WSOCK_FAILED;
    g_proxy = ProxyState{true, address, port};
    DebugLog(DEBUG_NETWORK, 20, "HTTPWSOK_SetProxy(): using proxy '%s'\n", name);
    return WSOCK_OK;
}

int HTTPBasicAuthHeader(char* output, const char* user, const char* password) {
    if (user == nullptr) user = "";
    if (password == nullptr) password = "";
    if (std::strlen(user) > HTTP_AUTH_MAX_FIELD || std::strlen(password) > HTTP_AUTH_MAX_FIELD ||
        std::strchr(user, ':') != nullptr) {
        return WSOCK_NETDOWN;
    }
    char plain[2 * HTTP_AUTH_MAX_FIELD + 2];
    int length = std::snprintf(plain, sizeof plain, "%s:%s", user, password);
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    char encoded[((sizeof plain + 2) / 3) * 4 + 1];
    int out = 0;
    for (int i = 0; i < length; i += 3) {
        uint32_t group = uint32_t(uint8_t(plain[i])) << 16;
        if (i + 1 < length) group |= uint32_t(uint8_t(plain[i + 1])) << 8;
        if (i + 2 < length) group |= uint32_t(uint8_t(plain[i + 2]));
        encoded[out++] = kAlphabet[(group >> 18) & 63];
        encoded[out++] = kAlphabet[(group >> 12) & 63];
        encoded[out++] = i + 1 < length ? kAlphabet[(group >> 6) & 63] : '=';
        encoded[out++] = i + 2 < length ? kAlphabet[group & 63] : '=';
    }
    encoded[out] = '\0';
    std::snprintf(output, HTTP_AUTH_LINE_SIZE, "Authorization: Basic %s", encoded);
    return WSOCK_OK;
}

const char* HTTPDateString(int64_t time) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static char text[40];
    time_t t = time_t(time);
    tm utc{};
    if (gmtime_r(&t, &utc) == nullptr) utc = tm{};
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[utc.tm_wday % 7],
                  utc.tm_mday, kMonths[utc.tm_mon % 12], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                  utc.tm_sec);
    return text;
}
