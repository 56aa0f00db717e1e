#include "StreamingServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {
bool SendAll(int connection, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(connection, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}
} // namespace

StreamingServer::StreamingServer(Handler handler) : m_handler(std::move(handler))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 8) != 0 || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        std::abort();
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

StreamingServer::~StreamingServer()
{
    m_stopping = true;
    ::shutdown(m_listener, SHUT_RDWR);
    m_thread.join();
    ::close(m_listener);
}

std::string StreamingServer::Url() const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/nevix";
}

void StreamingServer::Serve()
{
    while (!m_stopping) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        Answer(connection);
        ::close(connection);
    }
}

void StreamingServer::Answer(int connection)
{
    std::string request;
    char buffer[16384];
    size_t headerEnd = std::string::npos;
    size_t bodyLength = 0;
    for (;;) {
        if (headerEnd == std::string::npos && (headerEnd = request.find("\r\n\r\n")) != std::string::npos) {
            std::string lower(request, 0, headerEnd);
            for (char& c : lower)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            const size_t at = lower.find("content-length:");
            if (at != std::string::npos)
                bodyLength = std::strtoull(lower.c_str() + at + 15, nullptr, 10);
        }
        if (headerEnd != std::string::npos && request.size() >= headerEnd + 4 + bodyLength)
            break;
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, size_t(n));
    }
    const Reply reply = m_handler(request.substr(headerEnd + 4, bodyLength));
    std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\n";
    if (reply.length)
        head += "Content-Length: " + std::to_string(*reply.length) + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (!SendAll(connection, head.data(), head.size()))
        return;
    std::string piece;
    while (reply.next(piece)) {
        if (!SendAll(connection, piece.data(), piece.size()))
            return;
        m_sent += int64_t(piece.size());
    }
}
