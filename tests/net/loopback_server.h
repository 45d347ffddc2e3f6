#pragma once
// A tiny HTTP server on 127.0.0.1 for tests, on raw sockets so that every
// byte of an answer is the test's choice: any status line and headers, a
// body cut short, a chunked body, a Range request honoured or not, an answer
// held back until the test releases it, or none at all. It records every
// request exactly as it arrived.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace lt::test {

class LoopbackServer {
public:
    struct Reply {
        std::string data;       // sent as it stands
        bool keep_open = false; // then read the next request on the connection
        bool hang = false;      // then say nothing more until the server stops
        int drip_ms = 0;        // after the head, send data one byte at a time, this far apart
    };
    // Called on a connection thread with the request's bytes and its number
    // (0 for the first request the server sees).
    using Handler = std::function<Reply(const std::string& request, int index)>;

    explicit LoopbackServer(Handler handler) : handler_(std::move(handler))
    {
        listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        ::listen(listen_fd_, 16);
        acceptor_ = std::thread([this] { accept_loop(); });
    }

    ~LoopbackServer()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            for (int fd : open_fds_)
                ::shutdown(fd, SHUT_RDWR);
        }
        changed_.notify_all();
        ::shutdown(listen_fd_, SHUT_RDWR);
        acceptor_.join();
        ::close(listen_fd_);
        for (auto& t : connections_)
            t.join();
    }

    int port() const { return port_; }
    std::string base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }

    std::vector<std::string> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    // Blocks until n requests have arrived (or 10 s have passed).
    bool wait_requests(size_t n)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return requests_.size() >= n; });
    }

    // For handlers that hold their answer back: blocks until release() or
    // the server stops; returns whether it was released.
    bool wait_released()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return released_ || stopping_; });
        return released_;
    }
    void release()
    {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

private:
    void accept_loop()
    {
        for (;;) {
            int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                return;
            std::lock_guard lock(mutex_);
            if (stopping_) {
                ::close(fd);
                return;
            }
            open_fds_.insert(fd);
            connections_.emplace_back([this, fd] { serve(fd); });
        }
    }

    // Reads one request (head and a Content-Length body); false at the end
    // of the connection.
    static bool read_request(int fd, std::string& pending, std::string& request)
    {
        size_t head_end;
        while ((head_end = pending.find("\r\n\r\n")) == std::string::npos)
            if (!read_more(fd, pending))
                return false;
        size_t body_len = 0;
        std::string head = pending.substr(0, head_end);
        for (std::string name : {"\r\nContent-Length: ", "\r\ncontent-length: "}) {
            size_t at = head.find(name);
            if (at != std::string::npos)
                body_len = std::stoul(head.substr(at + name.size()));
        }
        while (pending.size() < head_end + 4 + body_len)
            if (!read_more(fd, pending))
                return false;
        request = pending.substr(0, head_end + 4 + body_len);
        pending.erase(0, request.size());
        return true;
    }

    static bool read_more(int fd, std::string& pending)
    {
        char buf[4096];
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            return false;
        pending.append(buf, static_cast<size_t>(n));
        return true;
    }

    void serve(int fd)
    {
        std::string pending, request;
        while (read_request(fd, pending, request)) {
            int index;
            {
                std::lock_guard lock(mutex_);
                index = static_cast<int>(requests_.size());
                requests_.push_back(request);
            }
            changed_.notify_all();
            Reply reply = handler_(request, index);
            for (size_t sent = 0; sent < reply.data.size();) {
                const size_t head_end = reply.data.find("\r\n\r\n");
                size_t piece = reply.data.size() - sent;
                if (reply.drip_ms > 0 && head_end != std::string::npos)
                    piece = sent < head_end + 4 ? head_end + 4 - sent : 1;
                ssize_t n = ::send(fd, reply.data.data() + sent, piece, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += static_cast<size_t>(n);
                if (reply.drip_ms > 0) {
                    std::unique_lock lock(mutex_);
                    if (changed_.wait_for(lock, std::chrono::milliseconds(reply.drip_ms), [&] { return stopping_; }))
                        break;
                }
            }
            if (reply.hang) {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stopping_; });
            }
            if (!reply.keep_open)
                break;
        }
        std::lock_guard lock(mutex_);
        open_fds_.erase(fd);
        ::close(fd);
    }

    Handler handler_;
    int listen_fd_ = -1;
    int port_ = 0;
    std::thread acceptor_;
    std::vector<std::thread> connections_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::set<int> open_fds_;
    std::vector<std::string> requests_;
    bool stopping_ = false;
    bool released_ = false;
};

// A complete answer with the given status line, extra header lines (each
// ending in CRLF) and a body framed by Content-Length.
inline std::string http_answer(const std::string& status, const std::string& body, const std::string& headers = "")
{
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + headers + "\r\n" +
        body;
}

} // namespace lt::test
