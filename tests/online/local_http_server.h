// A small HTTP server on 127.0.0.1 for the network tests: it answers each path with a fixed
// reply, records every request as it arrived, and can hold a connection without answering.
// Every loop is bounded by the stop flag and short poll time-outs.
#pragma once

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rq::test {

// The client honours the proxy variables; a proxy of the machine running the tests must not
// stand between the tests and their own server. Cleared before main, before any thread.
inline const bool kProxiesCleared = [] {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(name);
    return true;
}();

struct Reply {
    std::string raw;  // status line, headers and body exactly as sent
    bool neverAnswer = false;
    std::chrono::milliseconds delay{0};
};

inline Reply okReply(const std::string& body, const std::string& type = "text/plain")
{
    return {"HTTP/1.0 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " + std::to_string(body.size())
                + "\r\n\r\n" + body};
}

inline Reply statusReply(const std::string& status, const std::string& body)
{
    return {"HTTP/1.0 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body};
}

inline Reply redirectReply(const std::string& location)
{
    return {"HTTP/1.0 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n"};
}

class LocalHttpServer {
public:
    LocalHttpServer()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 16);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptLoop(); });
    }

    ~LocalHttpServer() { stop(); }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void stop()
    {
        if (m_stop.exchange(true))
            return;
        m_acceptor.join();
        std::vector<std::thread> workers;
        {
            std::lock_guard lock(m_mutex);
            workers.swap(m_workers);
        }
        for (auto& worker : workers)
            worker.join();
        ::close(m_listener);
    }

    void route(const std::string& path, Reply reply)
    {
        std::lock_guard lock(m_mutex);
        m_routes[path] = std::move(reply);
    }

    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    std::string origin() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    // The request paths in the order they arrived.
    std::vector<std::string> paths() const
    {
        std::vector<std::string> result;
        for (const std::string& request : requests()) {
            const auto first = request.find(' ');
            const auto second = request.find(' ', first + 1);
            result.push_back(request.substr(first + 1, second - first - 1));
        }
        return result;
    }

    // An address where nothing listens: connections to it are refused.
    static std::string refusedUrl()
    {
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(probe);
        return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/love.txt";
    }

private:
    bool waitReadable(int fd, int milliseconds) const
    {
        pollfd entry{fd, POLLIN, 0};
        return ::poll(&entry, 1, milliseconds) > 0;
    }

    void acceptLoop()
    {
        while (!m_stop) {
            if (!waitReadable(m_listener, 50))
                continue;
            const int connection = ::accept(m_listener, nullptr, nullptr);
            if (connection < 0)
                continue;
            std::lock_guard lock(m_mutex);
            m_workers.emplace_back([this, connection] { serve(connection); });
        }
    }

    void serve(int connection)
    {
        // A client that stops reading must not hold the server past its stop.
        timeval sendLimit{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
        std::string request;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!m_stop && request.find("\r\n\r\n") == std::string::npos
               && std::chrono::steady_clock::now() < deadline) {
            if (!waitReadable(connection, 50))
                continue;
            char buffer[4096];
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        Reply reply = statusReply("404 Not Found", "");
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
            const auto first = request.find(' ');
            const auto second = request.find(' ', first + 1);
            if (first != std::string::npos && second != std::string::npos) {
                const auto found = m_routes.find(request.substr(first + 1, second - first - 1));
                if (found != m_routes.end())
                    reply = found->second;
            }
        }
        const auto answerAt = std::chrono::steady_clock::now() + reply.delay;
        while (!m_stop && (reply.neverAnswer || std::chrono::steady_clock::now() < answerAt))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::size_t sent = 0;
        while (!m_stop && !reply.neverAnswer && sent < reply.raw.size()) {
            const ssize_t put = ::send(connection, reply.raw.data() + sent, reply.raw.size() - sent, MSG_NOSIGNAL);
            if (put <= 0)
                break;
            sent += static_cast<std::size_t>(put);
        }
        ::close(connection);
    }

    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_acceptor;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::map<std::string, Reply> m_routes;
    std::vector<std::string> m_requests;
};

}  // namespace rq::test
