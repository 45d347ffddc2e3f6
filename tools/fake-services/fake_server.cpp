#include "tools/fake-services/fake_server.h"

#include "text/ascii.h"

#include <nlohmann/json.hpp>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// Sections: lifecycle - connections - answering - request parsing helpers.

namespace lt::fake {

namespace {

constexpr size_t kMaxHead = 64 * 1024;
const char* kLastModified = "Wed, 21 Oct 2015 07:28:00 GMT";

// A loopback socket bound to port (0: an ephemeral one) and listening.
int listen_on(uint16_t port, uint16_t& bound)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 128) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    bound = ntohs(addr.sin_port);
    return fd;
}

// A callback name a JSONP endpoint may echo: a dotted JavaScript name.
std::string callback_name(const std::string& asked)
{
    if (asked.empty() || asked.size() > 64)
        return "callback";
    for (char c : asked)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
                c == '.'))
            return "callback";
    return asked;
}

// A query phrase of the JSON endpoints travels in UTF-8 (as their clients
// send it); bytes that are not UTF-8 are taken as code page 936.
std::string phrase_from_utf8_query(const std::string& bytes)
{
    return utf8_to_cp936(bytes).value_or(bytes);
}

// Closing with a zero linger time sends RST instead of FIN.
void reset_connection(int fd)
{
    linger lg{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &lg, sizeof lg);
    ::shutdown(fd, SHUT_RDWR);
}

// The first header line named `name` (any letter case), as sent.
std::optional<std::string> header_line(const std::string& head, std::string_view name)
{
    size_t pos = head.find("\r\n");
    while (pos != std::string::npos && pos + 2 < head.size()) {
        size_t start = pos + 2;
        size_t end = head.find("\r\n", start);
        std::string_view line(head.data() + start, (end == std::string::npos ? head.size() : end) - start);
        size_t colon = line.find(':');
        if (colon != std::string_view::npos && ascii_iequals(line.substr(0, colon), name))
            return std::string(line);
        pos = end;
    }
    return std::nullopt;
}

std::string header_value(const std::string& line)
{
    size_t colon = line.find(':');
    size_t v = line.find_first_not_of(" \t", colon + 1);
    return v == std::string::npos ? std::string() : line.substr(v);
}

// A single "bytes=first-[last]" range against a body of `size` bytes. Returns
// false for any other form, which is then ignored as a server may.
bool parse_range(const std::string& value, uint64_t& first, std::optional<uint64_t>& last)
{
    if (value.rfind("bytes=", 0) != 0)
        return false;
    std::string_view bounds(value);
    bounds.remove_prefix(6);
    size_t dash = bounds.find('-');
    if (dash == std::string_view::npos || dash == 0)
        return false;
    auto num = [](std::string_view t, uint64_t& out) {
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
        return ec == std::errc() && end == t.data() + t.size();
    };
    if (!num(bounds.substr(0, dash), first))
        return false;
    std::string_view rest = bounds.substr(dash + 1);
    last.reset();
    if (!rest.empty()) {
        uint64_t l = 0;
        if (!num(rest, l) || l < first)
            return false;
        last = l;
    }
    return true;
}

std::string query_value(std::string_view query, std::string_view key)
{
    size_t start = 0;
    while (start <= query.size()) {
        size_t amp = query.find('&', start);
        std::string_view pair =
            query.substr(start, amp == std::string_view::npos ? std::string_view::npos : amp - start);
        if (pair.size() > key.size() && pair.substr(0, key.size()) == key && pair[key.size()] == '=')
            return url_decode(pair.substr(key.size() + 1));
        if (amp == std::string_view::npos)
            break;
        start = amp + 1;
    }
    return {};
}

std::string utf8_for_log(const std::string& cp936)
{
    auto s = cp936_to_utf8(cp936);
    return s ? *s : url_encode(cp936);
}

} // namespace

// ---- Lifecycle --------------------------------------------------------------

FakeServer::FakeServer(PhraseGraph graph, ReplySwitches defaults)
    : graph_(std::move(graph)), defaults_(std::move(defaults))
{ }

FakeServer::~FakeServer()
{
    stop();
    if (tls_listen_fd_ >= 0)
        ::close(tls_listen_fd_);
    if (tls_)
        SSL_CTX_free(tls_);
    if (log_)
        std::fclose(log_);
}

bool FakeServer::enable_tls(
    const std::string& cert_file, const std::string& key_file, uint16_t port, std::string* error)
{
    auto fail = [&](const std::string& what) {
        if (error) {
            char text[256] = "";
            ERR_error_string_n(ERR_get_error(), text, sizeof text);
            *error = what + ": " + (text[0] ? text : std::strerror(errno));
        }
        return false;
    };
    SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
    if (!ctx)
        return fail("TLS");
    if (SSL_CTX_use_certificate_chain_file(ctx, cert_file.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(ctx, key_file.c_str(), SSL_FILETYPE_PEM) != 1) {
        SSL_CTX_free(ctx);
        return fail("certificate " + cert_file);
    }
    const int fd = listen_on(port, tls_port_);
    if (fd < 0) {
        SSL_CTX_free(ctx);
        return fail("TLS port");
    }
    tls_ = ctx;
    tls_listen_fd_ = fd;
    // OpenSSL writes with plain write(): a client that hangs up must end
    // that write, not the process.
    struct sigaction current { };
    if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        ::signal(SIGPIPE, SIG_IGN);
    return true;
}

bool FakeServer::start(uint16_t port, std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        if (listen_fd_ >= 0)
            ::close(listen_fd_);
        listen_fd_ = -1;
        return false;
    };
    listen_fd_ = listen_on(port, port_);
    if (listen_fd_ < 0)
        return fail("listen");
    if (::pipe2(wake_pipe_, O_CLOEXEC) != 0)
        return fail("pipe");
    stopping_ = false;
    acceptor_ = std::thread([this] { accept_loop(); });
    return true;
}

void FakeServer::stop()
{
    if (!acceptor_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (auto& c : connections_)
            ::shutdown(c->fd, SHUT_RDWR);
    }
    stop_cv_.notify_all();
    char byte = 1;
    (void)!::write(wake_pipe_[1], &byte, 1);
    acceptor_.join();
    reap(true);
    ::close(listen_fd_);
    ::close(wake_pipe_[0]);
    ::close(wake_pipe_[1]);
    listen_fd_ = wake_pipe_[0] = wake_pipe_[1] = -1;
}

void FakeServer::set_defaults(const ReplySwitches& defaults)
{
    std::lock_guard lock(mutex_);
    defaults_ = defaults;
}

bool FakeServer::open_log(const std::string& path)
{
    std::lock_guard lock(mutex_);
    if (log_)
        std::fclose(log_);
    log_ = std::fopen(path.c_str(), "a");
    return log_ != nullptr;
}

void FakeServer::record_requests(bool on)
{
    std::lock_guard lock(mutex_);
    recording_ = on;
}

std::vector<RequestRecord> FakeServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void FakeServer::clear_requests()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
}

void FakeServer::record(RequestRecord rec)
{
    std::lock_guard lock(mutex_);
    if (log_) {
        const char* service = !rec.service ? "other" : *rec.service == Service::Suggest ? "suggest" : "related";
        std::fprintf(log_, "%s\t%s\t%d\t%s\t%s\n", service, utf8_for_log(rec.phrase).c_str(), rec.status,
            rec.range_line ? rec.range_line->c_str() : "-", rec.target.c_str());
        std::fflush(log_);
    }
    if (recording_)
        requests_.push_back(std::move(rec));
}

// ---- Connections ------------------------------------------------------------

void FakeServer::accept_loop()
{
    for (;;) {
        pollfd fds[3] = {{wake_pipe_[0], POLLIN, 0}, {listen_fd_, POLLIN, 0}, {tls_listen_fd_, POLLIN, 0}};
        int n = ::poll(fds, tls_listen_fd_ >= 0 ? 3 : 2, 1000);
        if (stopping_)
            return;
        reap(false);
        if (n <= 0)
            continue;
        for (int i = 1; i < 3; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & POLLIN))
                continue;
            int fd = ::accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            std::lock_guard lock(mutex_);
            if (stopping_) {
                ::close(fd);
                return;
            }
            auto conn = std::make_unique<Connection>();
            conn->fd = fd;
            if (i == 2) {
                conn->ssl = SSL_new(tls_);
                SSL_set_fd(conn->ssl, fd);
            }
            Connection& ref = *conn;
            connections_.push_back(std::move(conn));
            ref.thread = std::thread([this, &ref] { serve(ref); });
        }
    }
}

long FakeServer::Connection::receive(char* data, size_t size)
{
    if (ssl)
        return SSL_read(ssl, data, static_cast<int>(size));
    for (;;) {
        ssize_t got = ::recv(fd, data, size, 0);
        if (got < 0 && errno == EINTR)
            continue;
        return got;
    }
}

bool FakeServer::Connection::send_all(std::string_view data)
{
    while (!data.empty()) {
        long n = ssl ? SSL_write(ssl, data.data(), static_cast<int>(data.size()))
                     : ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0 && !ssl && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(size_t(n));
    }
    return true;
}

// Joins finished connection threads (all of them when stopping).
void FakeServer::reap(bool all)
{
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard lock(mutex_);
        for (auto it = connections_.begin(); it != connections_.end();) {
            if (all || (*it)->done) {
                finished.push_back(std::move(*it));
                it = connections_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& c : finished) {
        if (c->thread.joinable())
            c->thread.join();
        if (c->ssl)
            SSL_free(c->ssl);
        ::close(c->fd);
    }
}

void FakeServer::serve(Connection& conn)
{
    std::string buffer, head;
    bool keep_open = !conn.ssl || SSL_accept(conn.ssl) == 1;
    while (keep_open && !stopping_ && read_head(conn, buffer, head))
        answer(conn, head, keep_open);
    if (conn.ssl)
        SSL_shutdown(conn.ssl);
    ::shutdown(conn.fd, SHUT_WR);
    conn.done = true;
}

bool FakeServer::read_head(Connection& conn, std::string& buffer, std::string& head)
{
    for (;;) {
        size_t end = buffer.find("\r\n\r\n");
        if (end != std::string::npos) {
            head = buffer.substr(0, end + 4);
            buffer.erase(0, end + 4);
            // Request bodies are not expected; one announced is read and dropped.
            if (auto cl = header_line(head, "Content-Length")) {
                size_t n = std::strtoul(header_value(*cl).c_str(), nullptr, 10);
                while (buffer.size() < n) {
                    char chunk[4096];
                    long got = conn.receive(chunk, sizeof chunk);
                    if (got <= 0)
                        return false;
                    buffer.append(chunk, size_t(got));
                }
                buffer.erase(0, n);
            }
            return true;
        }
        if (buffer.size() > kMaxHead)
            return false;
        char chunk[4096];
        long got = conn.receive(chunk, sizeof chunk);
        if (got <= 0)
            return false;
        buffer.append(chunk, size_t(got));
    }
}

bool FakeServer::pause(int ms)
{
    std::unique_lock lock(mutex_);
    return !stop_cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping_.load(); });
}

// ---- Answering --------------------------------------------------------------

void FakeServer::answer(Connection& conn, const std::string& head, bool& keep_open)
{
    const int fd = conn.fd;
    ++arrivals_;
    RequestRecord rec;
    rec.head = head;
    rec.tls = conn.ssl != nullptr;
    size_t sp1 = head.find(' ');
    size_t sp2 = sp1 == std::string::npos ? std::string::npos : head.find(' ', sp1 + 1);
    if (sp2 == std::string::npos) {
        conn.send_all("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        keep_open = false;
        return;
    }
    rec.method = head.substr(0, sp1);
    rec.target = head.substr(sp1 + 1, sp2 - sp1 - 1);
    rec.range_line = header_line(head, "Range");
    if (auto conn = header_line(head, "Connection"); conn && ascii_iequals(header_value(*conn), "close"))
        keep_open = false;

    std::string path = rec.target.substr(0, rec.target.find('?'));
    std::string query = rec.target.find('?') == std::string::npos ? "" : rec.target.substr(rec.target.find('?') + 1);
    rec.endpoint = path;
    const bool json = path == "/opensearch" || path == "/jsonp" || path == "/jsonpath";
    if (path == "/include/keywords.php") {
        rec.service = Service::Suggest;
        rec.phrase = query_value(query, "k");
    } else if (path == "/s") {
        rec.service = Service::Related;
        rec.phrase = query_value(query, "wd");
    } else if (json) {
        rec.service = Service::Suggest;
        rec.phrase = phrase_from_utf8_query(query_value(query, "q"));
    }

    const PhraseEntry* entry = graph_.find(rec.phrase);
    ReplySwitches defaults;
    {
        std::lock_guard lock(mutex_);
        defaults = defaults_;
    }
    Reply reply = Reply::from(rec.service && entry ? entry->switches_for(*rec.service).over(defaults) : defaults);
    std::string phrase_utf8 = utf8_for_log(rec.phrase);

    if (reply.delay_ms > 0 && !pause(reply.delay_ms)) {
        keep_open = false;
        return;
    }
    if (reply.reset) {
        record(std::move(rec));
        reset_connection(fd);
        keep_open = false;
        return;
    }

    int status = 200;
    std::string body;
    std::string type = "text/html";
    if (!rec.service) {
        status = 404;
        body = error_page(404, rec.target);
    } else if (reply.status < 200 || reply.status > 299) {
        status = reply.status;
        body = error_page(status, phrase_utf8);
    } else if (!reply.empty) {
        status = reply.status;
        if (json) {
            const auto form = path == "/jsonpath" ? JsonForm::Path : JsonForm::OpenSearch;
            body = json_answer(entry, phrase_utf8, form);
            type = "application/json";
            if (path == "/jsonp") {
                body = callback_name(query_value(query, "callback")) + "(" + body + ");";
                type = "application/javascript";
            }
        } else if (*rec.service == Service::Suggest) {
            body = suggest_answer(entry);
            type = "text/javascript";
        } else {
            body = related_page(entry, phrase_utf8);
        }
    }
    // JSON is UTF-8 whatever the switches say.
    const bool utf8 = reply.utf8 || json;
    if (!utf8)
        body = utf8_to_cp936(body).value_or(body);
    type += utf8 ? "; charset=utf-8" : "; charset=gb2312";

    std::string extra;
    if (status == 200 && reply.honour_range && rec.range_line) {
        uint64_t first = 0;
        std::optional<uint64_t> last;
        if (parse_range(header_value(*rec.range_line), first, last)) {
            uint64_t size = body.size();
            if (first >= size) {
                status = 416;
                extra = "Content-Range: bytes */" + std::to_string(size) + "\r\n";
                body.clear();
            } else {
                uint64_t end = std::min<uint64_t>(last.value_or(size - 1), size - 1);
                status = 206;
                extra = "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(end) + "/" +
                    std::to_string(size) + "\r\n";
                body = body.substr(first, end - first + 1);
            }
        }
    }
    rec.status = status;

    std::string out = "HTTP/1.1 " + std::to_string(status) + " " + reason_phrase(status) + "\r\n";
    out += "Server: fake-services\r\nContent-Type: " + type + "\r\n" + extra;
    if (reply.last_modified)
        out += std::string("Last-Modified: ") + kLastModified + "\r\n";
    if (!keep_open)
        out += "Connection: close\r\n";
    size_t cut_at = reply.cut ? body.size() / 2 : body.size();
    if (reply.chunked) {
        out += "Transfer-Encoding: chunked\r\n\r\n";
        char size_hex[32];
        if (cut_at > 0) {
            std::snprintf(size_hex, sizeof size_hex, "%zx\r\n", body.size());
            out += size_hex + body.substr(0, cut_at);
            if (!reply.cut)
                out += "\r\n";
        }
        if (!reply.cut)
            out += "0\r\n\r\n";
    } else {
        out += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body.substr(0, cut_at);
    }
    record(std::move(rec));
    if (!conn.send_all(out))
        keep_open = false;
    if (reply.cut) {
        reset_connection(fd);
        keep_open = false;
    }
}

} // namespace lt::fake
