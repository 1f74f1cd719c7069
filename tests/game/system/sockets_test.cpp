#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/exitlist.h"
#include "game/system/sockets.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/winsock.h"
#include "tests/fakes/loopback_server.h"
#include "tests/fakes/test_util.h"

namespace {

using testenv::LoopbackServer;
constexpr uint32_t kLoopback = 0x7F000001;
constexpr uint32_t kGenerousTimeout = 10 * 500;

// Socket tests run on the real clock so that the server thread has real
// time to answer; the stalling cases switch to the manual clock, where the
// client's waits move time on at once.
class WSockTest : public ::testing::Test {
  protected:
    void Start(bool manual_clock) {
        plat::SetManualClock(manual_clock);
        InitTimerInterrupt();
        ASSERT_EQ(WSock_Init(), WSOCK_OK);
        started_ = true;
    }
    void SetUp() override {}
    void TearDown() override {
        if (!started_) return;
        WSock_Uninit();
        ClearTimerInterrupt();
        plat::SetManualClock(false);
    }
    int Connected(uint16_t port) {
        int slot = -1;
        EXPECT_EQ(WSock_TCPCreate(&slot), WSOCK_OK);
        int code = WSock_TCPConnect(slot, kLoopback, port);
        EXPECT_TRUE(code == WSOCK_OK || code == WSOCK_WOULDBLOCK) << code;
        return slot;
    }
    bool started_ = false;
};

TEST(WSockErrors, TextsFollowTheCodeTable) {
    EXPECT_STREQ(WSockErrorString(0), "No error");
    EXPECT_STREQ(WSockErrorString(0x1001), "Operation would block");
    EXPECT_STREQ(WSockErrorString(0x2001), "The communications link is down");
    EXPECT_STREQ(WSockErrorString(0x2002), "The service is not available");
    EXPECT_STREQ(WSockErrorString(0x2011), "A timeout occured waiting for the request");
    EXPECT_STREQ(WSockErrorString(0x2021), "No more data, but the end of the line was missing");
    EXPECT_STREQ(WSockErrorString(0x2022), "The line buffer is full, and the end of line wasn't found");
    EXPECT_STREQ(WSockErrorString(0x1005), "An unknown temporary error occured");
    EXPECT_STREQ(WSockErrorString(0x2000), "An unknown permanent error occured");
    EXPECT_STREQ(WSockErrorString(0x2004), "An unknown permanent error occured");
    EXPECT_STREQ(WSockErrorString(0x0042), "An unknown error occured");
}

TEST_F(WSockTest, SendsAndReadsTextLinesSplitAtTheLineEnd) {
    Start(false);
    LoopbackServer server(LoopbackServer::Behaviour::kReply, "first line\r\nx\r\r\n\r\nno end");
    int slot = Connected(server.Port());
    ASSERT_EQ(WSock_TCPSendTextLine(slot, "hello", "\r\n"), WSOCK_OK);
    ASSERT_EQ(WSock_TCPSendTextLine(slot, "", "\r\n"), WSOCK_OK);
    char line[64];
    ASSERT_EQ(WSock_TCPReadTextLine(slot, line, sizeof line, "\r\n", kGenerousTimeout), WSOCK_OK);
    EXPECT_STREQ(line, "first line");
    ASSERT_EQ(WSock_TCPReadTextLine(slot, line, sizeof line, "\r\n", kGenerousTimeout), WSOCK_OK);
    EXPECT_STREQ(line, "x\r");  // a lone carriage return is part of the line
    ASSERT_EQ(WSock_TCPReadTextLine(slot, line, sizeof line, "\r\n", kGenerousTimeout), WSOCK_OK);
    EXPECT_STREQ(line, "");
    EXPECT_EQ(WSock_TCPReadTextLine(slot, line, sizeof line, "\r\n", kGenerousTimeout), WSOCK_NOENDOFLINE);
    EXPECT_STREQ(line, "no end");
    EXPECT_EQ(WSock_TCPClose(slot), WSOCK_OK);
    EXPECT_EQ(server.Request(), "hello\r\n\r\n");
}

TEST_F(WSockTest, LineLongerThanTheBufferFillsItWithoutOverrun) {
    Start(false);
    LoopbackServer server(LoopbackServer::Behaviour::kReply, "0123456789abcdef\r\nnext\r\n");
    int slot = Connected(server.Port());
    ASSERT_EQ(WSock_TCPSendTextLine(slot, "\r\n", "\r\n"), WSOCK_OK);  // an empty head
    char line[12];
    std::memset(line, '#', sizeof line);
    EXPECT_EQ(WSock_TCPReadTextLine(slot, line, 8, "\r\n", kGenerousTimeout), WSOCK_LINEFULL);
    EXPECT_STREQ(line, "0123456");
    EXPECT_EQ(std::string(line + 8, 4), "####");
    WSock_TCPClose(slot);
}

TEST_F(WSockTest, FullReceiveReportsAPeerThatClosesEarly) {
    Start(false);
    LoopbackServer server(LoopbackServer::Behaviour::kReply, "12345");
    int slot = Connected(server.Port());
    ASSERT_EQ(WSock_TCPSendTextLine(slot, "\r\n", "\r\n"), WSOCK_OK);  // an empty head
    char buffer[16];
    int done = 0;
    EXPECT_EQ(WSock_TCPRecvDataFully(slot, buffer, 10, &done, kGenerousTimeout), WSOCK_FAILED);
    EXPECT_EQ(done, 5);
    WSock_TCPClose(slot);
}

TEST_F(WSockTest, PeekLeavesTheDataQueued) {
    Start(false);
    LoopbackServer server(LoopbackServer::Behaviour::kReply, "abcdef");
    int slot = Connected(server.Port());
    ASSERT_EQ(WSock_TCPSendTextLine(slot, "\r\n", "\r\n"), WSOCK_OK);  // an empty head
    char buffer[8] = {};
    int done = 0;
    ASSERT_EQ(WSock_TCPRecvDataFully(slot, buffer, 2, &done, kGenerousTimeout), WSOCK_OK);
    int peeked = 0;
    int code = WSOCK_WOULDBLOCK;
    for (int tries = 0; tries < 200 && (code != WSOCK_OK || peeked < 4); ++tries) {
        code = WSock_TCPPeekData(slot, buffer, 4, &peeked);
        if (code != WSOCK_OK) plat::Sleep(5);
    }
    ASSERT_EQ(peeked, 4);
    EXPECT_EQ(std::string(buffer, 4), "cdef");
    ASSERT_EQ(WSock_TCPRecvDataFully(slot, buffer, 4, &done, kGenerousTimeout), WSOCK_OK);
    EXPECT_EQ(std::string(buffer, 4), "cdef");
    WSock_TCPClose(slot);
}

TEST_F(WSockTest, SilentPeerTimesOut) {
    Start(true);
    LoopbackServer server(LoopbackServer::Behaviour::kStall, "");
    int slot = Connected(server.Port());
    ASSERT_EQ(WSock_TCPSendTextLine(slot, "\r\n", "\r\n"), WSOCK_OK);  // an empty head
    char buffer[16];
    int done = 0;
    uint32_t start = GetTimerTicks();
    EXPECT_EQ(WSock_TCPRecvDataFully(slot, buffer, 4, &done, 100), WSOCK_TIMEOUT);
    uint32_t waited = GetTimerTicks() - start;
    EXPECT_GT(waited, 100u);
    EXPECT_LE(waited, 100u + 25u);  // given up at the first wait past the limit
    EXPECT_EQ(WSock_TCPReadTextLine(slot, buffer, sizeof buffer, "\n", 100), WSOCK_TIMEOUT);
    WSock_TCPClose(slot);
}

TEST_F(WSockTest, RefusedConnectionIsAPermanentError) {
    Start(false);
    int slot = -1;
    ASSERT_EQ(WSock_TCPCreate(&slot), WSOCK_OK);
    int code = WSock_TCPConnect(slot, kLoopback, LoopbackServer::UnusedPort());
    if (code == WSOCK_WOULDBLOCK) {
        int sent = 0;
        code = WSock_TCPSendDataFully(slot, "x", 1, &sent, kGenerousTimeout);
    }
    EXPECT_EQ(code, WSOCK_FAILED);
    WSock_TCPClose(slot);
}

TEST_F(WSockTest, LooksUpDottedAddressesAndServices) {
    Start(false);
    EXPECT_EQ(WSock_LookupHost("127.0.0.1"), kLoopback);
    EXPECT_EQ(WSock_LookupHost("10.1.2.3"), 0x0A010203u);
    EXPECT_EQ(WSock_TCPLookupService("http"), 80);
    EXPECT_EQ(WSock_TCPLookupService("8080"), 8080);
    EXPECT_EQ(WSock_TCPLookupService("99999"), 0);
    EXPECT_EQ(WSock_TCPLookupService("no-such-service-here"), 0);
}

TEST_F(WSockTest, UninitWarnsAboutOpenSocketsAndClosesThem) {
    Start(false);
    int before = plat::OpenSocketCount();
    int slot = -1;
    ASSERT_EQ(WSock_TCPCreate(&slot), WSOCK_OK);
    EXPECT_EQ(plat::OpenSocketCount(), before + 1);
    StdoutCapture out;
    EXPECT_EQ(WSock_Uninit(), WSOCK_OK);
    EXPECT_NE(out.Text().find("Warning: WSock_Uninit(): socket 0 not closed\n"), std::string::npos);
    EXPECT_EQ(plat::OpenSocketCount(), before);
    ASSERT_EQ(WSock_Init(), WSOCK_OK);  // for the tear-down
}

TEST_F(WSockTest, FailedCleanUpIsReported) {
    Start(false);
    plat::FailNextSocketCleanup();
    EXPECT_EQ(WSock_Uninit(), WSOCK_FAILED);
    ASSERT_EQ(WSock_Init(), WSOCK_OK);
}

TEST(WSockInit, MissingVersionGivesServiceNotAvailable) {
    plat::SetSocketVersionTooOld(true);
    EXPECT_EQ(WSock_Init(), WSOCK_NOTAVAILABLE);
    plat::SetSocketVersionTooOld(false);
    int count = OnExitCount();
    ASSERT_EQ(WSock_Init(), WSOCK_OK);
    EXPECT_STREQ(OnExitName(count), "WSock_AbortUninit()");
    EXPECT_EQ(WSock_Uninit(), WSOCK_OK);
    EXPECT_EQ(OnExitCount(), count);
}

TEST(WSockDeathTest, MisuseEndsTheProgram) {
    EXPECT_FATAL(WSock_Uninit(), "WSock_Uninit\\(\\): not initialised");
    EXPECT_FATAL(
        {
            WSock_Init();
            WSock_Init();
        },
        "WSock_Init\\(\\): already initialised");
    EXPECT_FATAL(
        {
            WSock_Init();
            int slot = 0;
            for (int i = 0; i <= WSOCK_MAX_SOCKETS; ++i) WSock_TCPCreate(&slot);
        },
        "WSock_TCPCreate\\(\\): no free sockets");
    EXPECT_FATAL(
        {
            WSock_Init();
            int read = 0;
            char c;
            WSock_TCPRecvData(3, &c, 1, &read);
        },
        "slot");
}

}  // namespace
