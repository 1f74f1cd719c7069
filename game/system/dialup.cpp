#include "game/system/dialup.h"

#include <strings.h>
#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "game/system/poll.h"
#include "game/system/sockets.h"
#include "platform/clock.h"
#include "platform/library.h"
#include "platform/rasapi.h"

namespace {

constexpr uint32_t kNotifierType = 0;  // the plain progress callback
constexpr int kHangUpWaitMs = 10000;
constexpr int kHangUpStepMs = 50;

struct RasFunctions {
    plat::RasDialAFunc RasDialA;
    plat::RasEnumConnectionsAFunc RasEnumConnectionsA;
    plat::RasEnumEntriesAFunc RasEnumEntriesA;
    plat::RasGetConnectStatusAFunc RasGetConnectStatusA;
    plat::RasGetErrorStringAFunc RasGetErrorStringA;
    plat::RasHangUpAFunc RasHangUpA;
    plat::RasGetEntryPropertiesAFunc RasGetEntryPropertiesA;
    plat::RasSetEntryPropertiesAFunc RasSetEntryPropertiesA;
    plat::RasGetEntryDialParamsAFunc RasGetEntryDialParamsA;
    plat::RasSetEntryDialParamsAFunc RasSetEntryDialParamsA;
};

struct RasState {
    plat::LibraryHandle library = nullptr;
    RasFunctions f{};
    plat::RasEntryName entries[RAS_MAX_ENTRIES];
    int entry_count = 0;
    plat::RasConnHandle connection = nullptr;
    volatile int dial_status = RAS_STATUS_NONE;
};
RasState g_ras;

template <typename T>
bool Bind(T* slot, const char* name) {
    *slot = reinterpret_cast<T>(plat::GetProcAddress(g_ras.library, name));
    return *slot != nullptr;
}

bool BindAll() {
    RasFunctions& f = g_ras.f;
    return Bind(&f.RasDialA, "RasDialA") && Bind(&f.RasEnumConnectionsA, "RasEnumConnectionsA") &&
           Bind(&f.RasEnumEntriesA, "RasEnumEntriesA") &&
           Bind(&f.RasGetConnectStatusA, "RasGetConnectStatusA") &&
           Bind(&f.RasGetErrorStringA, "RasGetErrorStringA") && Bind(&f.RasHangUpA, "RasHangUpA") &&
           Bind(&f.RasGetEntryPropertiesA, "RasGetEntryPropertiesA") &&
           Bind(&f.RasSetEntryPropertiesA, "RasSetEntryPropertiesA") &&
           Bind(&f.RasGetEntryDialParamsA, "RasGetEntryDialParamsA") &&
           Bind(&f.RasSetEntryDialParamsA, "RasSetEntryDialParamsA");
}

void Release() {
    if (g_ras.library != nullptr) plat::FreeLibrary(g_ras.library);
    g_ras.library = nullptr;
    g_ras.f = RasFunctions{};
    g_ras.entry_count = 0;
}

// The dial's progress callback: keeps the states the caller cares about.
void DialProgress(uint32_t message, int state, uint32_t error) {
    (void)message;
    DebugLog(DEBUG_NETWORK, 80, "RAS_DialProgress(): state %d, error %u\n", state, unsigned(error));
    switch (state) {
        case plat::kRasPortOpened:
            g_ras.dial_status = RAS_STATUS_PORT_OPENED;
            break;
        case plat::kRasAllDevicesConnected:
            g_ras.dial_status = RAS_STATUS_DEVICES_CONNECTED;
            break;
        case plat::kRasAuthenticate:
        case plat::kRasStartAuthentication:
            g_ras.dial_status = RAS_STATUS_AUTHENTICATING;
            break;
        case plat::kRasConnected:
            g_ras.dial_status = RAS_STATUS_CONNECTED;
            break;
        case plat::kRasDisconnected:
            g_ras.dial_status = RAS_STATUS_DISCONNECTED;
            break;
        default:
            break;
    }
}

bool IsDialDevice(const char* type) {
    return strcasecmp(type, "modem") == 0 || strcasecmp(type, "idsn") == 0;
}

void CopyText(char* to, size_t size, const char* from) {
    std::snprintf(to, size, "%s", from != nullptr ? from : "");
}

}  // namespace

int RAS_Init() {
    DebugLog(DEBUG_NETWORK, 1, "RAS_Init(): initialising...\n");
    if (g_ras.library != nullptr) Release();
    g_ras.library = plat::LoadLibrary(RAS_LIBRARY);
    if (g_ras.library == nullptr) {
        DebugLog(DEBUG_NETWORK, 1, "RAS_Init(): no rasapi32.dll found\n");
        return WSOCK_NOLIBRARY;
    }
    if (!BindAll()) {
        DebugLog(DEBUG_NETWORK, 1, "RAS_Init(): a required function was missing from rasapi32.dll\n");
        Release();
        return WSOCK_FAILED;
    }
    uint32_t size = sizeof g_ras.entries;
    uint32_t count = 0;
    for (plat::RasEntryName& e : g_ras.entries) e = plat::RasEntryName{};
    if (g_ras.f.RasEnumEntriesA(nullptr, nullptr, g_ras.entries, &size, &count) != 0 ||
        count > RAS_MAX_ENTRIES) {
        DebugLog(DEBUG_NETWORK, 1, "RAS_Init(): failed to get a list of RAS entries\n");
        Release();
        return WSOCK_FAILED;
    }
    g_ras.entry_count = int(count);
    g_ras.dial_status = RAS_STATUS_NONE;
    return WSOCK_OK;
}

void RAS_Uninit() {
    if (g_ras.connection != nullptr) RAS_HangUp();
    Release();
}

int RAS_GetEntryCount() { return g_ras.entry_count; }

const char* RAS_GetEntryName(int entry) {
    if (entry < 0 || entry >= g_ras.entry_count) return nullptr;
    return g_ras.entries[entry].entry_name;
}

int RAS_CreateEntry(const char* entry_name, const char* phone_number) {
    if (g_ras.library == nullptr) return WSOCK_NOLIBRARY;
    for (int i = 0; i < g_ras.entry_count; ++i) {
        plat::RasEntry properties;
        uint32_t size = sizeof properties;
        if (g_ras.f.RasGetEntryPropertiesA(nullptr, g_ras.entries[i].entry_name, &properties, &size, nullptr,
                                           nullptr) != 0) {
            continue;
        }
        if (!IsDialDevice(properties.device_type)) continue;
        DebugLog(DEBUG_NETWORK, 20, "RAS_CreateEntry(): Creating device with %s (%s)\n",
                 properties.device_name, properties.device_type);
        CopyText(properties.local_phone_number, sizeof properties.local_phone_number, phone_number);
        if (g_ras.f.RasSetEntryPropertiesA(nullptr, entry_name, &properties, sizeof properties, nullptr, 0) !=
            0) {
            return WSOCK_FAILED;
        }
        return WSOCK_OK;
    }
    return RAS_NO_DEVICE;
}

int RAS_StartDial(int entry, const char* user, const char* password) {
    if (g_ras.library == nullptr || entry < 0 || entry >= g_ras.entry_count) return WSOCK_FAILED;
    const char* name = g_ras.entries[entry].entry_name;
    DebugLog(DEBUG_NETWORK, 20, "RAS_StartDial(): calling entry %d (%s), username %s pass %s\n", entry, name,
             user != nullptr ? user : "", password != nullptr ? password : "");
    plat::RasDialParams params;
    CopyText(params.entry_name, sizeof params.entry_name, name);
    int password_saved = 0;
    DebugLog(DEBUG_NETWORK, 50, "getting entry params\n");
    uint32_t result = g_ras.f.RasGetEntryDialParamsA(nullptr, &params, &password_saved);
    DebugLog(DEBUG_NETWORK, 50, "returned %d\n", int(result));
    if (result != 0) return WSOCK_FAILED;
    DebugLog(DEBUG_NETWORK, 50, "username: '%s', pass '%s'\n", params.user_name, params.password);
    if (user != nullptr) CopyText(params.user_name, sizeof params.user_name, user);
    if (password != nullptr) CopyText(params.password, sizeof params.password, password);
    g_ras.dial_status = RAS_STATUS_NONE;
    g_ras.connection = nullptr;
    result = g_ras.f.RasDialA(nullptr, nullptr, &params, kNotifierType, DialProgress, &g_ras.connection);
    if (result != 0) {
        DebugLog(DEBUG_NETWORK, 1, "RAS_StartDial(): dial failed (%d)\n", int(result));
        // A failed dial may still have opened a connection that must go.
        if (g_ras.connection != nullptr) RAS_HangUp();
        return WSOCK_FAILED;
    }
    return WSOCK_OK;
}

int RAS_GetDialStatus() { return g_ras.dial_status; }

int RAS_HangUp() {
    if (g_ras.library == nullptr || g_ras.connection == nullptr) return WSOCK_FAILED;
    g_ras.f.RasHangUpA(g_ras.connection);
    // The line is only free once the connection's status can no longer be
    // read; the wait is bounded so a stuck device cannot hang the program.
    int code = WSOCK_TIMEOUT;
    for (int waited = 0; waited <= kHangUpWaitMs; waited += kHangUpStepMs) {
        plat::RasConnStatus status;
        if (g_ras.f.RasGetConnectStatusA(g_ras.connection, &status) == plat::kRasErrorInvalidHandle) {
            code = WSOCK_OK;
            break;
        }
        plat::Sleep(kHangUpStepMs);
        Poll();
    }
    g_ras.connection = nullptr;
    g_ras.dial_status = RAS_STATUS_DISCONNECTED;
    return code;
}
