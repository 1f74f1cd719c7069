#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/debug.h"
#include "game/system/dialup.h"
#include "game/system/sockets.h"
#include "game/system/timestamp.h"
#include "platform/clock.h"
#include "platform/library.h"
#include "platform/rasapi.h"
#include "tests/fakes/test_util.h"

namespace {

// A stand-in dial-up library with a scripted phone book.
struct FakeRas {
    struct Entry {
        std::string name, device_type, device_name;
    };
    std::vector<Entry> entries;
    std::vector<int> progress;  // states reported while dialling
    uint32_t dial_result = 0;
    int status_reads_before_gone = 2;
    int hangups = 0;
    std::string created_name, created_phone, created_device;
    std::string dialled_user, dialled_password;
    bool fail_enum = false;
};
FakeRas g_fakeRas;
int g_connection_token;

uint32_t Dial(void*, const char*, plat::RasDialParams* params, uint32_t, plat::RasDialNotifier notify,
              plat::RasConnHandle* connection) {
    g_fakeRas.dialled_user = params->user_name;
    g_fakeRas.dialled_password = params->password;
    *connection = &g_connection_token;
    for (int state : g_fakeRas.progress) notify(0, state, 0);
    return g_fakeRas.dial_result;
}
uint32_t EnumConnections(plat::RasConn*, uint32_t*, uint32_t* count) {
    *count = 0;
    return 0;
}
uint32_t EnumEntries(const char*, const char*, plat::RasEntryName* out, uint32_t* size, uint32_t* count) {
    if (g_fakeRas.fail_enum) return plat::kRasErrorBufferTooSmall;
    if (*size < g_fakeRas.entries.size() * sizeof(plat::RasEntryName)) return plat::kRasErrorBufferTooSmall;
    for (size_t i = 0; i < g_fakeRas.entries.size(); ++i) {
        std::snprintf(out[i].entry_name, sizeof out[i].entry_name, "%s", g_fakeRas.entries[i].name.c_str());
    }
    *count = uint32_t(g_fakeRas.entries.size());
    return 0;
}
uint32_t ConnectStatus(plat::RasConnHandle, plat::RasConnStatus*) {
    return g_fakeRas.status_reads_before_gone-- > 0 ? 0 : plat::kRasErrorInvalidHandle;
}
uint32_t ErrorString(uint32_t, char* buffer, uint32_t size) {
    std::snprintf(buffer, size, "fake");
    return 0;
}
uint32_t HangUp(plat::RasConnHandle) {
    ++g_fakeRas.hangups;
    return 0;
}
uint32_t GetProperties(const char*, const char* entry, plat::RasEntry* props, uint32_t*, void*, uint32_t*) {
    for (const FakeRas::Entry& e : g_fakeRas.entries) {
        if (e.name != entry) continue;
        std::snprintf(props->device_type, sizeof props->device_type, "%s", e.device_type.c_str());
        std::snprintf(props->device_name, sizeof props->device_name, "%s", e.device_name.c_str());
        return 0;
    }
    return 623;
}
uint32_t SetProperties(const char*, const char* entry, plat::RasEntry* props, uint32_t, void*, uint32_t) {
    g_fakeRas.created_name = entry;
    g_fakeRas.created_phone = props->local_phone_number;
    g_fakeRas.created_device = props->device_name;
    return 0;
}
uint32_t GetDialParams(const char*, plat::RasDialParams* params, int* saved) {
    std::snprintf(params->user_name, sizeof params->user_name, "stored-user");
    std::snprintf(params->password, sizeof params->password, "stored-pass");
    *saved = 1;
    return 0;
}
uint32_t SetDialParams(const char*, plat::RasDialParams*, int) { return 0; }

#define EXPORT(name, fn) \
    plat::LibraryExport { name, reinterpret_cast<void*>(fn) }
const plat::LibraryExport kRasExports[] = {
    EXPORT("RasDialA", Dial),
    EXPORT("RasEnumConnectionsA", EnumConnections),
    EXPORT("RasEnumEntriesA", EnumEntries),
    EXPORT("RasGetConnectStatusA", ConnectStatus),
    EXPORT("RasGetErrorStringA", ErrorString),
    EXPORT("RasHangUpA", HangUp),
    EXPORT("RasGetEntryPropertiesA", GetProperties),
    EXPORT("RasSetEntryPropertiesA", SetProperties),
    EXPORT("RasGetEntryDialParamsA", GetDialParams),
    EXPORT("RasSetEntryDialParamsA", SetDialParams),
};
#undef EXPORT
constexpr size_t kRasExportCount = sizeof kRasExports / sizeof kRasExports[0];

class RasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_fakeRas = FakeRas{};
        g_fakeRas.entries = {{"Office VPN", "vpn", "Tunnel"},
                             {"Home", "MODEM", "Standard 56k"},
                             {"Line 2", "isdn", "ISDN card"}};
        plat::SetManualClock(true);
        plat::RegisterTestLibrary(RAS_LIBRARY, kRasExports, kRasExportCount);
        DebugSetLevel(DEBUG_NETWORK, 100);
    }
    void TearDown() override {
        DebugSetLevel(DEBUG_NETWORK, 0);
        RAS_Uninit();
        plat::RegisterTestLibrary(RAS_LIBRARY, nullptr, 0);
        plat::SetManualClock(false);
        EXPECT_EQ(plat::LoadedLibraryCount(), 0);
    }
};

TEST(RasAbsent, InitReportsTheMissingLibraryAndDialFails) {
    DebugSetLevel(DEBUG_NETWORK, 1);
    StdoutCapture out;
    EXPECT_EQ(RAS_Init(), WSOCK_NOLIBRARY);
    std::string text = out.Text();
    DebugSetLevel(DEBUG_NETWORK, 0);
    EXPECT_EQ(text, "RAS_Init(): initialising...\nRAS_Init(): no rasapi32.dll found\n");
    EXPECT_EQ(RAS_StartDial(0, "u", "p"), WSOCK_FAILED);
    EXPECT_EQ(RAS_CreateEntry("x", "123"), WSOCK_NOLIBRARY);
    EXPECT_EQ(RAS_HangUp(), WSOCK_FAILED);
    EXPECT_EQ(RAS_GetEntryCount(), 0);
}

TEST_F(RasTest, MissingFunctionReleasesTheLibrary) {
    plat::RegisterTestLibrary(RAS_LIBRARY, kRasExports + 1, kRasExportCount - 1);
    StdoutCapture out;
    EXPECT_EQ(RAS_Init(), WSOCK_FAILED);
    EXPECT_NE(out.Text().find("RAS_Init(): a required function was missing from rasapi32.dll\n"),
              std::string::npos);
    EXPECT_EQ(plat::LoadedLibraryCount(), 0);
}

TEST_F(RasTest, UnreadablePhoneBookFailsInit) {
    g_fakeRas.fail_enum = true;
    StdoutCapture out;
    EXPECT_EQ(RAS_Init(), WSOCK_FAILED);
    EXPECT_NE(out.Text().find("RAS_Init(): failed to get a list of RAS entries\n"), std::string::npos);
    EXPECT_EQ(plat::LoadedLibraryCount(), 0);
}

TEST_F(RasTest, CreateEntryCopiesTheFirstModemDevice) {
    ASSERT_EQ(RAS_Init(), WSOCK_OK);
    ASSERT_EQ(RAS_GetEntryCount(), 3);
    EXPECT_STREQ(RAS_GetEntryName(1), "Home");
    StdoutCapture out;
    EXPECT_EQ(RAS_CreateEntry("Club line", "0161 555 0101"), WSOCK_OK);
    EXPECT_NE(out.Text().find("RAS_CreateEntry(): Creating device with Standard 56k (MODEM)\n"),
              std::string::npos);
    EXPECT_EQ(g_fakeRas.created_name, "Club line");
    EXPECT_EQ(g_fakeRas.created_phone, "0161 555 0101");
    EXPECT_EQ(g_fakeRas.created_device, "Standard 56k");
}

TEST_F(RasTest, CreateEntryWithoutADialDeviceGivesThree) {
    g_fakeRas.entries = {{"Office VPN", "vpn", "Tunnel"}};
    ASSERT_EQ(RAS_Init(), WSOCK_OK);
    EXPECT_EQ(RAS_CreateEntry("Club line", "1"), RAS_NO_DEVICE);
}

TEST_F(RasTest, DialProgressSetsTheStatus) {
    ASSERT_EQ(RAS_Init(), WSOCK_OK);
    const struct {
        std::vector<int> states;
        int status;
    } cases[] = {
        {{plat::kRasOpenPort, plat::kRasPortOpened}, RAS_STATUS_PORT_OPENED},
        {{plat::kRasPortOpened, plat::kRasAllDevicesConnected, plat::kRasConnectDevice},
         RAS_STATUS_DEVICES_CONNECTED},
        {{plat::kRasAuthenticate}, RAS_STATUS_AUTHENTICATING},
        {{plat::kRasStartAuthentication, plat::kRasAuthenticated}, RAS_STATUS_AUTHENTICATING},
        {{plat::kRasPortOpened, plat::kRasConnected}, RAS_STATUS_CONNECTED},
        {{plat::kRasConnected, plat::kRasDisconnected}, RAS_STATUS_DISCONNECTED},
        {{plat::kRasOpenPort}, RAS_STATUS_NONE},
    };
    for (const auto& c : cases) {
        g_fakeRas.progress = c.states;
        ASSERT_EQ(RAS_StartDial(1, "manager", "secret"), WSOCK_OK);
        EXPECT_EQ(RAS_GetDialStatus(), c.status);
        g_fakeRas.status_reads_before_gone = 0;
        EXPECT_EQ(RAS_HangUp(), WSOCK_OK);
    }
    EXPECT_EQ(g_fakeRas.dialled_user, "manager");
    EXPECT_EQ(g_fakeRas.dialled_password, "secret");
}

TEST_F(RasTest, StoredCredentialsStayWhenNoneAreGiven) {
    ASSERT_EQ(RAS_Init(), WSOCK_OK);
    StdoutCapture out;
    ASSERT_EQ(RAS_StartDial(1, nullptr, nullptr), WSOCK_OK);
    std::string text = out.Text();
    EXPECT_NE(text.find("getting entry params\nreturned 0\nusername: 'stored-user', pass 'stored-pass'\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(g_fakeRas.dialled_user, "stored-user");
}

TEST_F(RasTest, FailedDialIsReportedAndHungUp) {
    ASSERT_EQ(RAS_Init(), WSOCK_OK);
    g_fakeRas.dial_result = 676;
    StdoutCapture out;
    EXPECT_EQ(RAS_StartDial(0, "a", "b"), WSOCK_FAILED);
    EXPECT_NE(out.Text().find("RAS_StartDial(): dial failed (676)\n"), std::string::npos);
    EXPECT_EQ(g_fakeRas.hangups, 1);
    EXPECT_EQ(RAS_StartDial(7, "a", "b"), WSOCK_FAILED);  // no such entry
}

TEST_F(RasTest, HangUpWaitsUntilTheConnectionIsGoneButNotForever) {
    ASSERT_EQ(RAS_Init(), WSOCK_OK);
    ASSERT_EQ(RAS_StartDial(1, "a", "b"), WSOCK_OK);
    g_fakeRas.status_reads_before_gone = 3;
    EXPECT_EQ(RAS_HangUp(), WSOCK_OK);
    EXPECT_EQ(g_fakeRas.status_reads_before_gone, -1);  // read until gone, then stopped
    EXPECT_EQ(RAS_GetDialStatus(), RAS_STATUS_DISCONNECTED);
    ASSERT_EQ(RAS_StartDial(1, "a", "b"), WSOCK_OK);
    g_fakeRas.status_reads_before_gone = 1000000;
    EXPECT_EQ(RAS_HangUp(), WSOCK_TIMEOUT);
}

TEST(TimeStamp, FormsAndValidity) {
    TimeRecord t;
    t.year = 2002;
    t.month = 8;
    t.day = 7;
    t.hour = 9;
    t.minute = 5;
    t.second = 3;
    char text[TIME_TEXT_SIZE];
    TimeFormatDate(text, sizeof text, t);
    EXPECT_STREQ(text, "2002-08-07");
    TimeFormatTime(text, sizeof text, t);
    EXPECT_STREQ(text, "09:05:03");
    TimeFormatDateTime(text, sizeof text, t);
    EXPECT_STREQ(text, "2002-08-07 09:05:03");
    EXPECT_FALSE(TimeIsInvalid(23, 59, 59));
    EXPECT_TRUE(TimeIsInvalid(24, 0, 0));
    EXPECT_TRUE(TimeIsInvalid(0, 60, 0));
    EXPECT_TRUE(TimeIsInvalid(0, 0, 60));
    EXPECT_TRUE(TimeIsInvalid(-1, 0, 0));
}

TEST(TimeStamp, SystemClockReadsUtc) {
    TimeRecord utc;
    TimeGetSystem(&utc);
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    EXPECT_EQ(utc.year, parts.tm_year + 1900);
    EXPECT_EQ(utc.month, parts.tm_mon + 1);
    EXPECT_FALSE(TimeIsInvalid(utc.hour, utc.minute, utc.second));
    TimeRecord local;
    TimeGetLocal(&local);
    EXPECT_FALSE(TimeIsInvalid(local.hour, local.minute, local.second));
}

}  // namespace
