#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/debug.h"
#include "game/system/httpchoice.h"
#include "game/system/httplibrary.h"
#include "game/system/sockets.h"
#include "platform/library.h"
#include "platform/wininet.h"
#include "tests/fakes/test_util.h"

namespace {

// A stand-in internet-client library that records what it is asked and
// answers from a script.
struct FakeInet {
    std::string agent, proxy, host, user, password, verb, path, body;
    uint32_t access = 99, flags = 0;
    uint16_t port = 0;
    int opened = 0, closed = 0;
    uint32_t status = 200;
    int64_t content_length = -1;  // -1: not announced
    std::string reply;
    size_t reply_at = 0;
    bool fail_connect = false;
};
FakeInet g_fake;
int g_handle_tokens[3];

plat::InetHandle Open(const char* agent, uint32_t access, const char* proxy, const char*, uint32_t) {
    g_fake.agent = agent;
    g_fake.access = access;
    g_fake.proxy = proxy != nullptr ? proxy : "";
    ++g_fake.opened;
    return &g_handle_tokens[0];
}
bool Close(plat::InetHandle) {
    ++g_fake.closed;
    return true;
}
uint32_t AttemptConnect(uint32_t) { return 0; }
bool CheckConnection(const char*, uint32_t, uint32_t) { return true; }
plat::InetHandle Connect(plat::InetHandle, const char* server, uint16_t port, const char* user,
                         const char* password, uint32_t, uint32_t, uintptr_t) {
    if (g_fake.fail_connect) return nullptr;
    g_fake.host = server;
    g_fake.port = port;
    g_fake.user = user != nullptr ? user : "<null>";
    g_fake.password = password != nullptr ? password : "<null>";
    ++g_fake.opened;
    return &g_handle_tokens[1];
}
bool ReadFile(plat::InetHandle, void* buffer, uint32_t count, uint32_t* read) {
    size_t n = std::min<size_t>(std::min<size_t>(count, 3), g_fake.reply.size() - g_fake.reply_at);
    std::memcpy(buffer, g_fake.reply.data() + g_fake.reply_at, n);
    g_fake.reply_at += n;
    *read = uint32_t(n);
    return true;
}
bool SetOption(plat::InetHandle, uint32_t, void*, uint32_t) { return true; }
bool QueryOption(plat::InetHandle, uint32_t, void*, uint32_t*) { return true; }
plat::InetHandle OpenRequest(plat::InetHandle, const char* verb, const char* object, const char*, const char*,
                             const char**, uint32_t flags, uintptr_t) {
    g_fake.verb = verb;
    g_fake.path = object;
    g_fake.flags = flags;
    ++g_fake.opened;
    return &g_handle_tokens[2];
}
bool QueryInfo(plat::InetHandle, uint32_t level, void* buffer, uint32_t* length, uint32_t*) {
    if (*length < 4) return false;
    uint32_t value = 0;
    if (level == (plat::kHttpQueryStatusCode | plat::kHttpQueryFlagNumber)) {
        value = g_fake.status;
    } else if (level == (plat::kHttpQueryContentLength | plat::kHttpQueryFlagNumber) &&
               g_fake.content_length >= 0) {
        value = uint32_t(g_fake.content_length);
    } else {
        return false;
    }
    std::memcpy(buffer, &value, 4);
    return true;
}
bool SendRequest(plat::InetHandle, const char*, uint32_t, const void* optional, uint32_t length) {
    g_fake.body.assign(static_cast<const char*>(optional), optional != nullptr ? length : 0);
    return true;
}
bool Autodial(uint32_t, void*) { return true; }
bool AutodialHangup(uint32_t) { return true; }
bool ConnectedState(uint32_t*, uint32_t) { return true; }
bool CrackUrl(const char* url, uint32_t, uint32_t, plat::InetUrlComponents* parts) {
    const char* host = std::strstr(url, "://");
    if (host == nullptr) return false;
    std::snprintf(parts->scheme, parts->scheme_length, "%.*s", int(host - url), url);
    host += 3;
    const char* path = std::strchr(host, '/');
    if (path == nullptr) path = host + std::strlen(host);
    const char* colon = std::strchr(host, ':');
    if (colon != nullptr && colon < path) {
        parts->port = uint16_t(std::atoi(colon + 1));
    } else {
        colon = path;
        parts->port = 80;
    }
    std::snprintf(parts->host, parts->host_length, "%.*s", int(colon - host), host);
    std::snprintf(parts->url_path, parts->url_path_length, "%s", *path ? path : "/");
    return true;
}

#define EXPORT(name, fn) \
    plat::LibraryExport { name, reinterpret_cast<void*>(fn) }
const plat::LibraryExport kExports[] = {
    EXPORT("InternetOpenA", Open),
    EXPORT("InternetCloseHandle", Close),
    EXPORT("InternetAttemptConnect", AttemptConnect),
    EXPORT("InternetCheckConnectionA", CheckConnection),
    EXPORT("InternetConnectA", Connect),
    EXPORT("InternetReadFile", ReadFile),
    EXPORT("InternetSetOptionA", SetOption),
    EXPORT("InternetQueryOptionA", QueryOption),
    EXPORT("HttpOpenRequestA", OpenRequest),
    EXPORT("HttpQueryInfoA", QueryInfo),
    EXPORT("HttpSendRequestA", SendRequest),
    EXPORT("InternetAutodial", Autodial),
    EXPORT("InternetAutodialHangup", AutodialHangup),
    EXPORT("InternetGetConnectedState", ConnectedState),
    EXPORT("InternetCrackUrlA", CrackUrl),
};
#undef EXPORT
constexpr size_t kExportCount = sizeof kExports / sizeof kExports[0];

class HttpInetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_fake = FakeInet{};
        plat::RegisterTestLibrary(HTTPINET_LIBRARY, kExports, kExportCount);
    }
    void TearDown() override {
        HTTPINET_SetProxy(nullptr);
        plat::RegisterTestLibrary(HTTPINET_LIBRARY, nullptr, 0);
        EXPECT_EQ(plat::LoadedLibraryCount(), 0);
    }
};

TEST(HttpInetAbsent, EveryCallReportsTheMissingLibrary) {
    char buffer[8];
    int length = 5;
    EXPECT_EQ(HTTPINET_Open(), WSOCK_NOLIBRARY);
    EXPECT_EQ(HTTPINET_SimpleGet("http://127.0.0.1/", buffer, 8, &length), WSOCK_NOLIBRARY);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(HTTPINET_SimplePost("http://127.0.0.1/", "x", 1, buffer, 8), WSOCK_NOLIBRARY);
    std::string path = ::testing::TempDir() + "halvorn_inet_absent.bin";
    EXPECT_EQ(HTTPINET_SimpleGetFile("http://127.0.0.1/", path.c_str(), 8), WSOCK_NOLIBRARY);
    EXPECT_NE(access(path.c_str(), F_OK), 0);
    EXPECT_EQ(HTTPINET_IsLoaded(), 0);
}

TEST_F(HttpInetTest, GetOpensConnectsReadsAndClosesEverything) {
    g_fake.reply = "hello inet";
    char buffer[32];
    int length = 0;
    ASSERT_EQ(HTTPINET_SimpleGetAuth("http://club.example:8080/news.txt", buffer, sizeof buffer, &length,
                                     "boss", "pw"),
              WSOCK_OK);
    EXPECT_EQ(std::string(buffer, size_t(length)), "hello inet");
    EXPECT_EQ(g_fake.agent, "Velk-gfxlib/0.2 (wininet)");
    EXPECT_EQ(g_fake.access, plat::kInetOpenTypePreconfig);
    EXPECT_EQ(g_fake.host, "club.example");
    EXPECT_EQ(g_fake.port, 8080);
    EXPECT_EQ(g_fake.user, "boss");
    EXPECT_EQ(g_fake.password, "pw");
    EXPECT_EQ(g_fake.verb, "GET");
    EXPECT_EQ(g_fake.path, "/news.txt");
    EXPECT_EQ(g_fake.flags, 0xA00u);
    EXPECT_EQ(g_fake.opened, 3);
    EXPECT_EQ(g_fake.closed, 3);
    EXPECT_EQ(HTTPINET_IsLoaded(), 0);  // released with its last use
}

TEST_F(HttpInetTest, FreshCopyFlagsForBodiesQueriesAndScripts) {
    char buffer[8];
    int length = 0;
    const struct {
        const char* url;
        bool post;
        uint32_t flags;
    } cases[] = {
        {"http://h/plain.html", false, 0xA00u},
        {"http://h/find?club=3", false, 0x84000A00u},
        {"http://h/cgi-bin/table", false, 0x84000A00u},
        {"http://h/plain.html", true, 0x84000A00u},
    };
    for (const auto& c : cases) {
        g_fake.reply_at = 0;
        int code = c.post ? HTTPINET_SimplePost(c.url, "d", 1, buffer, sizeof buffer)
                          : HTTPINET_SimpleGet(c.url, buffer, sizeof buffer, &length);
        EXPECT_EQ(code, WSOCK_OK) << c.url;
        EXPECT_EQ(g_fake.flags, c.flags) << c.url;
        EXPECT_EQ(g_fake.verb, c.post ? "POST" : "GET");
        EXPECT_EQ(g_fake.body, c.post ? "d" : "");
        EXPECT_EQ(g_fake.user, "<null>");
    }
}

TEST_F(HttpInetTest, ProxyChangesTheAgentAndAccessType) {
    EXPECT_EQ(HTTPINET_SetProxy("bad proxy"), WSOCK_FAILED);
    EXPECT_EQ(HTTPINET_SetProxy(std::string(127, 'p').c_str()), WSOCK_FAILED);
    ASSERT_EQ(HTTPINET_SetProxy("cache:3128"), WSOCK_OK);
    ASSERT_EQ(HTTPINET_Open(), WSOCK_OK);
    EXPECT_EQ(g_fake.agent, "Velk-gfxlib/0.2 (wininet; proxy)");
    EXPECT_EQ(g_fake.access, plat::kInetOpenTypeProxy);
    EXPECT_EQ(g_fake.proxy, "cache:3128");
    HTTPINET_Close();
}

TEST_F(HttpInetTest, FailuresCloseWhatWasOpened) {
    char buffer[8];
    int length = 0;
    g_fake.reply = "0123456789";
    EXPECT_EQ(HTTPINET_SimpleGet("http://h/", buffer, sizeof buffer, &length), WSOCK_FAILED);
    EXPECT_EQ(g_fake.opened, g_fake.closed);
    g_fake = FakeInet{};
    g_fake.content_length = 100;
    EXPECT_EQ(HTTPINET_SimpleGet("http://h/", buffer, sizeof buffer, &length), WSOCK_FAILED);
    EXPECT_EQ(g_fake.opened, g_fake.closed);
    g_fake = FakeInet{};
    g_fake.status = 404;
    EXPECT_EQ(HTTPINET_SimpleGet("http://h/", buffer, sizeof buffer, &length), WSOCK_FAILED);
    g_fake = FakeInet{};
    g_fake.fail_connect = true;
    EXPECT_EQ(HTTPINET_SimpleGet("http://h/", buffer, sizeof buffer, &length), WSOCK_FAILED);
    EXPECT_EQ(g_fake.opened, g_fake.closed);
}

TEST_F(HttpInetTest, LibraryWithoutAFunctionIsNotUsed) {
    plat::RegisterTestLibrary(HTTPINET_LIBRARY, kExports, kExportCount - 1);
    DebugSetLevel(DEBUG_NETWORK, 1);
    StdoutCapture out;
    EXPECT_EQ(HTTPINET_Open(), WSOCK_NOLIBRARY);
    std::string text = out.Text();
    DebugSetLevel(DEBUG_NETWORK, 0);
    EXPECT_NE(text.find("cannot find 'InternetCrackUrlA'\n"), std::string::npos) << text;
    EXPECT_EQ(HTTPINET_IsLoaded(), 0);
}

TEST_F(HttpInetTest, UrlSplitLogsTheParts) {
    ASSERT_EQ(HTTPINET_Open(), WSOCK_OK);
    char scheme[HTTPINET_PART_SIZE], host[HTTPINET_PART_SIZE], path[HTTPINET_PART_SIZE];
    uint16_t port = 0;
    DebugSetLevel(DEBUG_NETWORK, 100);
    StdoutCapture out;
    ASSERT_EQ(UrlSplit("http://h:81/a", scheme, host, &port, path), WSOCK_OK);
    std::string text = out.Text();
    DebugSetLevel(DEBUG_NETWORK, 0);
    EXPECT_EQ(text, "UrlSplit(): split 'http://h:81/a' into scheme http, host h, port 81, url /a\n");
    HTTPINET_Close();
}

TEST_F(HttpInetTest, ModeSwitchRoutesSimpleRequests) {
    char buffer[8];
    int length = 0;
    g_fake.reply = "inet";
    HTTP_InitMode(HTTP_MODE_WININET);
    EXPECT_EQ(HTTP_SimpleGet("http://h/x", buffer, sizeof buffer, &length), WSOCK_OK);
    EXPECT_EQ(g_fake.path, "/x");
    HTTP_InitMode(HTTP_MODE_WINSOCK);
    g_fake.path.clear();
    // The socket client is not initialised here, so it fails without
    // touching the library.
    EXPECT_NE(HTTP_SimpleGet("http://127.0.0.1:1/y", buffer, sizeof buffer, &length), WSOCK_OK);
    EXPECT_EQ(g_fake.path, "");
}

TEST(HttpModeDeathTest, UnknownModeEndsTheProgram) {
    EXPECT_FATAL(HTTP_InitMode(7), "HTTP_InitMode\\(\\): unknown mode value passed");
}

}  // namespace
