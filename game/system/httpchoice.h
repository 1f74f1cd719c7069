// The choice between the two HTTP clients, and the simple requests sent
// through the chosen one.  Result codes as in game/system/sockets.h.
#pragma once

enum HTTPMode : int {
    HTTP_MODE_WININET = 0,
    HTTP_MODE_WINSOCK = 1,
};

// Any other value ends the program.
void HTTP_InitMode(int mode);
int HTTP_GetMode();

int HTTP_SimpleGet(const char* url, void* buffer, int maximum, int* length);
int HTTP_SimpleGetFile(const char* url, const char* file_name, int maximum);
int HTTP_SimplePost(const char* url, const void* data, int data_length, void* reply, int maximum,
                    int* reply_length = nullptr);
int HTTP_SimpleGetAuth(const char* url, void* buffer, int maximum, int* length, const char* user,
                       const char* password);
int HTTP_SimpleGetFileAuth(const char* url, const char* file_name, int maximum, const char* user,
                           const char* password);
int HTTP_SimplePostAuth(const char* url, const void* data, int data_length, void* reply, int maximum,
                        const char* user, const char* password, int* reply_length = nullptr);
