// An HTTP/1.0 client on the socket layer: one request per connection,
// driven through a callback that supplies header lines and the body and
// receives the status, the reply headers and the reply data.  The simple
// functions fetch into a buffer or a file, or post a block of bytes.  All
// return the socket layer's result codes (game/system/sockets.h).
#pragma once
#include <cstdint>

// Steps of a request, as passed to the callbacks in cb->Reason.
enum HTTPWSOK_Reason : int {
    HTTPWSOK_REASON_HEADER = 1,       // write one more header line into Line, or say none
    HTTPWSOK_REASON_BODY = 2,         // set Data and DataLength to the request body
    HTTPWSOK_REASON_STATUS = 3,       // Version*, Status and Line (the reason text)
    HTTPWSOK_REASON_REPLYHEADER = 4,  // Line holds one reply header
    HTTPWSOK_REASON_DATA = 5,         // Data and DataLength hold the next piece of reply data
    HTTPWSOK_REASON_DONE = 6,         // the server has closed: the reply is complete
    HTTPWSOK_REASON_ERROR = 7,        // reading the reply failed with Error
    HTTPWSOK_REASON_CANCEL = 8,       // the request is being abandoned
};

// What a callback returns.
enum HTTPWSOK_CallbackResult : int {
    HTTPWSOK_CB_NOTHANDLED = 0,  // for HEADER: no line from this callback
    HTTPWSOK_CB_HANDLED = 1,
    HTTPWSOK_CB_CANCEL = 2,  // stop the request; Error holds the code to return
};

struct HTTPWSOK_CallbackRecord;
using HTTPWSOK_Callback = int (*)(HTTPWSOK_CallbackRecord* cb);

struct HTTPWSOK_CallbackRecord {
    int Reason = 0;
    HTTPWSOK_Callback Custom = nullptr;  // asked first at every step
    void* User = nullptr;                // the custom callback's own record
    const char* Method = nullptr;
    char* Line = nullptr;
    int LineSize = 0;
    const char* Data = nullptr;
    int DataLength = 0;
    int VersionMajor = 0;
    int VersionMinor = 0;
    int Status = 0;
    int Error = 0;
    int DefaultHeaders = 0;  // header lines the default callback has given
    bool CustomCancelled = false;
};

constexpr uint32_t HTTPWSOK_TIMEOUT = 30 * 500;  // ticks without progress
constexpr int HTTPWSOK_LINE_SIZE = 1024;         // longest status or header line
constexpr int HTTPWSOK_MAX_HEADERS = 100;        // reply header lines accepted
constexpr int HTTP_AUTH_LINE_SIZE = 80;
constexpr int HTTP_AUTH_MAX_FIELD = 16;
constexpr int HTTP_PROXY_NAME_LIMIT = 127;

int HTTPWSOK_Request(const char* url, const char* method, HTTPWSOK_Callback callback, void* record);
int HTTPWSOK_CB_Default(HTTPWSOK_CallbackRecord* cb);
int HTTPWSOK_CB_SimpleRequest(HTTPWSOK_CallbackRecord* cb);

int HTTPWSOK_SimpleGet(const char* url, void* buffer, int maximum, int* length);
int HTTPWSOK_SimpleGetFile(const char* url, const char* file_name, int maximum);
int HTTPWSOK_SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum,
                        int* reply_length = nullptr);
int HTTPWSOK_SimpleGetAuth(const char* url, void* buffer, int maximum, int* length, const char* user,
                           const char* password);
int HTTPWSOK_SimpleGetFileAuth(const char* url, const char* file_name, int maximum, const char* user,
                               const char* password);
int HTTPWSOK_SimplePostAuth(const char* url, const void* data, int data_length, void* reply, int maximum,
                            const char* user, const char* password, int* reply_length = nullptr);

// Empty or null clears the proxy.  Otherwise "host" or "host:port"
// (port as a number or a service name).
int HTTPWSOK_SetProxy(const char* name);

// True for a name of fewer than 127 letters, digits, "-" and ":".
bool HTTPProxyNameIsValid(const char* name);
// Writes "Authorization: Basic ..." (at most HTTP_AUTH_LINE_SIZE bytes with
// the NUL).  0, or 0x2001 with no line when a field is too long or the
// user name holds ":".
int HTTPBasicAuthHeader(char* output, const char* user, const char* password);
// The date in the form HTTP uses, in UTC, in a static buffer.
const char* HTTPDateString(int64_t time);
