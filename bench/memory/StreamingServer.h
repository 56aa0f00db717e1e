#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

// An HTTP server on loopback, in a thread of its own, that streams each
// answer piece by piece as the client takes it: an answer of any size costs
// it a piece's worth of memory, so a process measuring its own memory can
// host it. Connections are served one after another.
class StreamingServer {
public:
    struct Reply {
        // Sent as Content-Length when known; without it the answer ends
        // when the connection closes.
        std::optional<int64_t> length;
        // Fills the next piece; false at the end.
        std::function<bool(std::string& piece)> next;
    };
    using Handler = std::function<Reply(const std::string& requestBody)>;

    explicit StreamingServer(Handler handler);
    ~StreamingServer();
    StreamingServer(const StreamingServer&) = delete;
    StreamingServer& operator=(const StreamingServer&) = delete;

    std::string Url() const;
    // Bytes of answer bodies handed to the connections so far.
    int64_t Sent() const { return m_sent; }

private:
    void Serve();
    void Answer(int connection);

    Handler m_handler;
    int m_listener = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int64_t> m_sent{0};
    std::thread m_thread;
};
