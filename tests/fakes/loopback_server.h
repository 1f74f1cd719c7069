// A one-connection TCP server on 127.0.0.1 for network tests.  It runs on
// its own thread: accepts one client, reads the request head (and a body of
// the announced Content-Length), records the bytes, then behaves as told.
// Every wait is bounded, so a broken client cannot hang a test.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace testenv {

class LoopbackServer {
  public:
    enum class Behaviour {
        kReply,           // send the reply, then close
        kCloseAtOnce,     // close as soon as the client is accepted
        kStall,           // read the request, send nothing, wait for the client to go
        kReplyThenStall,  // send the reply, keep the connection open until the client goes
    };

    LoopbackServer(Behaviour behaviour, std::string reply);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    uint16_t Port() const { return port_; }
    // The bytes the client sent; waits for the server thread to finish.
    std::string Request();

    // A port on 127.0.0.1 where nothing listens.
    static uint16_t UnusedPort();

  private:
    void Run();

    Behaviour behaviour_;
    std::string reply_;
    std::string request_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::thread thread_;
};

}  // namespace testenv
