// Dial-up networking through the system's remote access library, loaded at
// run time.  On this system the library is missing, so RAS_Init fails and
// the dial functions report failure.  Result codes as in game/system/sockets.h.
#pragma once

constexpr const char* RAS_LIBRARY = "rasapi32.dll";
constexpr int RAS_MAX_ENTRIES = 32;
constexpr int RAS_NO_DEVICE = 3;  // RAS_CreateEntry: no modem or ISDN entry to copy

// Dial status, as the dial's progress reports reach it.
enum RASDialStatus : int {
    RAS_STATUS_NONE = 0,
    RAS_STATUS_PORT_OPENED = 1,
    RAS_STATUS_DEVICES_CONNECTED = 2,
    RAS_STATUS_AUTHENTICATING = 3,
    RAS_STATUS_CONNECTED = 4,
    RAS_STATUS_DISCONNECTED = 5,
};

// 0; WSOCK_NOLIBRARY without the library; WSOCK_FAILED when it lacks a
// function or cannot list the phone-book entries.
int RAS_Init();
void RAS_Uninit();
int RAS_GetEntryCount();
const char* RAS_GetEntryName(int entry);
// A new phone-book entry on the device of the first modem or ISDN entry.
int RAS_CreateEntry(const char* entry_name, const char* phone_number);
int RAS_StartDial(int entry, const char* user, const char* password);
int RAS_GetDialStatus();
// Hangs up and waits (a bounded time) until the connection is gone.
int RAS_HangUp();
