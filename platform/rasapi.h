// The dial-up (remote access) library as the network layer calls it: the
// shapes of the functions it looks up by name, its records and published
// values.  The library is not part of this system (loading "rasapi32.dll"
// fails); tests supply one of their own.
#pragma once
#include <cstdint>

namespace plat {

using RasConnHandle = void*;

// Published values.
constexpr uint32_t kRasErrorInvalidHandle = 6;
constexpr uint32_t kRasErrorBufferTooSmall = 603;
enum RasConnState : int {
    kRasOpenPort = 0,
    kRasPortOpened = 1,
    kRasConnectDevice = 2,
    kRasDeviceConnected = 3,
    kRasAllDevicesConnected = 4,
    kRasAuthenticate = 5,
    kRasAuthenticated = 14,
    kRasStartAuthentication = 19,
    kRasConnected = 0x2000,
    kRasDisconnected = 0x2001,
};

struct RasEntryName {
    uint32_t size = sizeof(RasEntryName);
    char entry_name[257] = {};
};

struct RasDialParams {
    uint32_t size = sizeof(RasDialParams);
    char entry_name[257] = {};
    char phone_number[129] = {};
    char callback_number[129] = {};
    char user_name[257] = {};
    char password[257] = {};
    char domain[16] = {};
};

struct RasEntry {
    uint32_t size = sizeof(RasEntry);
    uint32_t options = 0;
    char local_phone_number[129] = {};
    char device_type[17] = {};
    char device_name[129] = {};
};

struct RasConnStatus {
    uint32_t size = sizeof(RasConnStatus);
    int state = 0;
    uint32_t error = 0;
    char device_type[17] = {};
    char device_name[129] = {};
};

struct RasConn {
    uint32_t size = sizeof(RasConn);
    RasConnHandle handle = nullptr;
    char entry_name[257] = {};
};

// Progress of an asynchronous dial.
using RasDialNotifier = void (*)(uint32_t message, int state, uint32_t error);

using RasDialAFunc = uint32_t (*)(void* extensions, const char* phonebook, RasDialParams* params,
                                  uint32_t notifier_type, RasDialNotifier notifier,
                                  RasConnHandle* connection);
using RasEnumConnectionsAFunc = uint32_t (*)(RasConn* connections, uint32_t* size, uint32_t* count);
using RasEnumEntriesAFunc = uint32_t (*)(const char* reserved, const char* phonebook, RasEntryName* entries,
                                         uint32_t* size, uint32_t* count);
using RasGetConnectStatusAFunc = uint32_t (*)(RasConnHandle connection, RasConnStatus* status);
using RasGetErrorStringAFunc = uint32_t (*)(uint32_t error, char* buffer, uint32_t size);
using RasHangUpAFunc = uint32_t (*)(RasConnHandle connection);
using RasGetEntryPropertiesAFunc = uint32_t (*)(const char* phonebook, const char* entry,
                                                RasEntry* properties, uint32_t* size, void* device_info,
                                                uint32_t* device_info_size);
using RasSetEntryPropertiesAFunc = uint32_t (*)(const char* phonebook, const char* entry,
                                                RasEntry* properties, uint32_t size, void* device_info,
                                                uint32_t device_info_size);
using RasGetEntryDialParamsAFunc = uint32_t (*)(const char* phonebook, RasDialParams* params,
                                                int* password_saved);
using RasSetEntryDialParamsAFunc = uint32_t (*)(const char* phonebook, RasDialParams* params,
                                                int remove_password);

}  // namespace plat
