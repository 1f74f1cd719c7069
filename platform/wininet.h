// The internet-client library as the network layer calls it: the shapes of
// the functions it looks up by name, the option values it passes and the
// URL parts record.  The library itself is not part of this system (loading
// "wininet.dll" fails); the declarations let the layer be written, and
// tests supply a library of their own.
#pragma once
#include <cstdint>

namespace plat {

using InetHandle = void*;

// Published values.
constexpr uint32_t kInetOpenTypePreconfig = 0;
constexpr uint32_t kInetOpenTypeProxy = 3;
constexpr uint32_t kInetServiceHttp = 3;
constexpr uint16_t kInetInvalidPort = 0;
constexpr uint32_t kInetFlagResynchronize = 0x00000800;
constexpr uint32_t kInetFlagNoUi = 0x00000200;
constexpr uint32_t kInetFlagReload = 0x80000000;
constexpr uint32_t kInetFlagNoCacheWrite = 0x04000000;
constexpr uint32_t kHttpQueryContentLength = 5;
constexpr uint32_t kHttpQueryStatusCode = 19;
constexpr uint32_t kHttpQueryFlagNumber = 0x20000000;

// The parts of a URL; each text field is filled into the caller's buffer
// of the given length.
struct InetUrlComponents {
    uint32_t struct_size = sizeof(InetUrlComponents);
    char* scheme = nullptr;
    uint32_t scheme_length = 0;
    char* host = nullptr;
    uint32_t host_length = 0;
    uint16_t port = 0;
    char* user = nullptr;
    uint32_t user_length = 0;
    char* password = nullptr;
    uint32_t password_length = 0;
    char* url_path = nullptr;
    uint32_t url_path_length = 0;
};

using InternetOpenAFunc = InetHandle (*)(const char* agent, uint32_t access_type, const char* proxy,
                                         const char* proxy_bypass, uint32_t flags);
using InternetCloseHandleFunc = bool (*)(InetHandle handle);
using InternetAttemptConnectFunc = uint32_t (*)(uint32_t reserved);
using InternetCheckConnectionAFunc = bool (*)(const char* url, uint32_t flags, uint32_t reserved);
using InternetConnectAFunc = InetHandle (*)(InetHandle internet, const char* server, uint16_t port,
                                            const char* user, const char* password, uint32_t service,
                                            uint32_t flags, uintptr_t context);
using InternetReadFileFunc = bool (*)(InetHandle file, void* buffer, uint32_t count, uint32_t* read);
using InternetSetOptionAFunc = bool (*)(InetHandle handle, uint32_t option, void* buffer, uint32_t length);
using InternetQueryOptionAFunc = bool (*)(InetHandle handle, uint32_t option, void* buffer, uint32_t* length);
using HttpOpenRequestAFunc = InetHandle (*)(InetHandle connection, const char* verb, const char* object,
                                            const char* version, const char* referrer,
                                            const char** accept_types, uint32_t flags, uintptr_t context);
using HttpQueryInfoAFunc = bool (*)(InetHandle request, uint32_t info_level, void* buffer, uint32_t* length,
                                    uint32_t* index);
using HttpSendRequestAFunc = bool (*)(InetHandle request, const char* headers, uint32_t headers_length,
                                      const void* optional, uint32_t optional_length);
using InternetAutodialFunc = bool (*)(uint32_t flags, void* parent);
using InternetAutodialHangupFunc = bool (*)(uint32_t reserved);
using InternetGetConnectedStateFunc = bool (*)(uint32_t* flags, uint32_t reserved);
using InternetCrackUrlAFunc = bool (*)(const char* url, uint32_t length, uint32_t flags,
                                       InetUrlComponents* components);

}  // namespace plat
