#pragma once
// A loopback HTTP/1.1 stand-in for the two search services the harvester
// asks: the suggestion service (/include/keywords.php?k=) and the web search
// (/s?wd=), and for suggestion services of today that answer in JSON
// (/opensearch?q=, /jsonp?q=&callback=, /jsonpath?q=). Answers come from a
// PhraseGraph; reply switches make it misbehave on purpose (no
// Last-Modified, chunked bodies, ignored Range, delays, empty bodies, error
// statuses, resets). It can serve TLS on a second port as well.
//
// Raw sockets give exact control over every header and byte; one thread
// accepts and each connection gets a thread of its own, so a delayed answer
// never holds up the other service's request.

#include "tools/fake-services/phrase_graph.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct ssl_st;
struct ssl_ctx_st;

namespace lt::fake {

// One request as it arrived, for tests and the request log.
struct RequestRecord {
    std::string method;
    std::string target;
    std::optional<Service> service;        // none for an unknown path
    std::string endpoint;                  // the path without its query
    bool tls = false;                      // came in on the TLS port
    std::string phrase;                    // decoded query value, code page 936 bytes
    std::string head;                      // the request head, byte for byte
    std::optional<std::string> range_line; // the Range header line as sent
    int status = 0;                        // 0 when the connection was reset
};

class FakeServer {
public:
    explicit FakeServer(PhraseGraph graph, ReplySwitches defaults = {});
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    // Binds 127.0.0.1 (port 0: an ephemeral one) and starts serving.
    bool start(uint16_t port = 0, std::string* error = nullptr);
    // Before start(): also serve TLS on 127.0.0.1 (port 0: an ephemeral one)
    // with this certificate and key (PEM files).
    bool enable_tls(
        const std::string& cert_file, const std::string& key_file, uint16_t port = 0, std::string* error = nullptr);
    uint16_t tls_port() const { return tls_port_; }
    // Stops accepting, breaks open connections and delays, joins every thread.
    void stop();
    uint16_t port() const { return port_; }

    // Server-wide switches; a phrase's own switches win over them.
    void set_defaults(const ReplySwitches& defaults);
    // Appends one line per request to the file (UTF-8, tab-separated).
    bool open_log(const std::string& path);

    // Keeps a record of every request from now on (off at the start: a
    // long-running server must not grow with every request it answers).
    void record_requests(bool on);
    // The requests recorded while recording was on.
    std::vector<RequestRecord> requests() const;
    // Requests read so far, including those still waiting out a delay.
    int arrivals() const { return arrivals_; }
    void clear_requests();

private:
    struct Connection {
        int fd;
        ssl_st* ssl = nullptr; // null for plain HTTP
        std::thread thread;
        std::atomic<bool> done{false};

        long receive(char* data, size_t size);
        bool send_all(std::string_view data);
    };

    void accept_loop();
    void serve(Connection& conn);
    // Reads one request head; false when the peer closed or the server stops.
    bool read_head(Connection& conn, std::string& buffer, std::string& head);
    void answer(Connection& conn, const std::string& head, bool& keep_open);
    // Sleeps up to ms; false when the server is stopping.
    bool pause(int ms);
    void record(RequestRecord rec);
    void reap(bool all);

    PhraseGraph graph_;
    ReplySwitches defaults_;
    uint16_t port_ = 0;
    int listen_fd_ = -1;
    uint16_t tls_port_ = 0;
    int tls_listen_fd_ = -1;
    ssl_ctx_st* tls_ = nullptr;
    int wake_pipe_[2] = {-1, -1};
    std::thread acceptor_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> arrivals_{0};

    mutable std::mutex mutex_; // guards everything below
    std::condition_variable stop_cv_;
    std::list<std::unique_ptr<Connection>> connections_;
    bool recording_ = false;
    std::vector<RequestRecord> requests_;
    FILE* log_ = nullptr;
};

} // namespace lt::fake
