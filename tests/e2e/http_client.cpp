#include "tests/e2e/http_client.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lt::e2e {

RawExchange raw_exchange(uint16_t port, const std::string& request)
{
    RawExchange ex;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return ex;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    // A generous receive time-out keeps a broken server from hanging a test.
    timeval tv{30, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        ex.connected = true;
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        char buf[4096];
        for (;;) {
            ssize_t got = ::recv(fd, buf, sizeof buf, 0);
            if (got > 0) {
                ex.response.append(buf, size_t(got));
                continue;
            }
            if (got < 0 && errno == EINTR)
                continue;
            ex.reset = got < 0 && errno == ECONNRESET;
            break;
        }
    }
    ::close(fd);
    return ex;
}

RawExchange raw_get(uint16_t port, const std::string& target, const std::string& extra_headers)
{
    return raw_exchange(port,
        "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\n" + extra_headers +
            "Connection: close\r\n\r\n");
}

} // namespace lt::e2e
