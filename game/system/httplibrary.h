// The second HTTP client, on the system's internet-client library, loaded
// at run time.  Where the library is missing (as on this system) every call
// that needs it gives WSOCK_NOLIBRARY.  Result codes as in game/system/sockets.h.
#pragma once
#include <cstdint>

constexpr const char* HTTPINET_LIBRARY = "wininet.dll";
constexpr int HTTPINET_PART_SIZE = 256;  // each part UrlSplit writes, with the NUL

// Empty or null clears the proxy.
int HTTPINET_SetProxy(const char* name);
// Loads the library on first use and opens the internet handle; each Open
// needs a Close.
int HTTPINET_Open();
void HTTPINET_Close();
// Buffers of HTTPINET_PART_SIZE bytes.
int UrlSplit(const char* url, char* scheme, char* host, uint16_t* port, char* path);

int HTTPINET_SimpleGet(const char* url, void* buffer, int maximum, int* length);
int HTTPINET_SimpleGetFile(const char* url, const char* file_name, int maximum);
int HTTPINET_SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum,
                        int* reply_length = nullptr);
int HTTPINET_SimpleGetAuth(const char* url, void* buffer, int maximum, int* length, const char* user,
                           const char* password);
int HTTPINET_SimpleGetFileAuth(const char* url, const char* file_name, int maximum, const char* user,
                               const char* password);
int HTTPINET_SimplePostAuth(const char* url, const void* data, int data_length, void* reply, int maximum,
                            const char* user, const char* password, int* reply_length = nullptr);

// For tests: whether the library is loaded now.
int HTTPINET_IsLoaded();
