#include "game/system/httpchoice.h"

#include "core/base/debug.h"
#include "game/system/httplibrary.h"
#include "game/system/httpsockets.h"

namespace {

int g_mode = HTTP_MODE_WINSOCK;

bool Inet() { return g_mode == HTTP_MODE_WININET; }

}  // namespace

void HTTP_InitMode(int mode) {
    if (mode == HTTP_MODE_WININET) {
        DebugLog(DEBUG_NETWORK, 1, "HTTP_InitMode(): initialising in mode WinInet\n");
    } else if (mode == HTTP_MODE_WINSOCK) {
        DebugLog(DEBUG_NETWORK, 1, "HTTP_InitMode(): initialising in mode Winsock\n");
    } else {
        AbortError("http", __LINE__, "HTTP_InitMode(): unknown mode value passed");
    }
    g_mode = mode;
}

int HTTP_GetMode() { return g_mode; }

int HTTP_SimpleGet(const char* url, void* buffer, int maximum, int* length) {
    return Inet() ? HTTPINET_SimpleGet(url, buffer, maximum, length)
                  : HTTPWSOK_SimpleGet(url, buffer, maximum, length);
}

int HTTP_SimpleGetFile(const char* url, const char* file_name, int maximum) {
    return Inet() ? HTTPINET_SimpleGetFile(url, file_name, maximum)
                  : HTTPWSOK_SimpleGetFile(url, file_name, maximum);
}

int HTTP_SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum,
                    int* reply_length) {
    return Inet() ? HTTPINET_SimplePost(url, data, data_length, reply, maximum, reply_length)
                  : HTTPWSOK_SimplePost(url, data, data_length, reply, maximum, reply_length);
}

int HTTP_SimpleGetAuth(const char* url, void* buffer, int maximum, int* length, const char* user,
                       const char* password) {
    return Inet() ? HTTPINET_SimpleGetAuth(url, buffer, maximum, length, user, password)
                  : HTTPWSOK_SimpleGetAuth(url, buffer, maximum, length, user, password);
}

int HTTP_SimpleGetFileAuth(const char* url, const char* file_name, int maximum, const char* user,
                           const char* password) {
    return Inet() ? HTTPINET_SimpleGetFileAuth(url, file_name, maximum, user, password)
                  : HTTPWSOK_SimpleGetFileAuth(url, file_name, maximum, user, password);
}

int HTTP_SimplePostAuth(const char* url, const void* data, int data_length, void* reply, int maximum,
                        const char* user, const char* password, int* reply_length) {
    return Inet()
               ? HTTPINET_SimplePostAuth(url, data, data_length, reply, maximum, user, password, reply_length)
               : HTTPWSOK_SimplePostAuth(url, data, data_length, reply, maximum, user, password,
                                         reply_length);
}
