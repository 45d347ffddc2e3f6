// Answers per second of TWebGet against a loopback server, next to a bare
// libcurl loop that sends the same two GETs per answer (the first answer
// dropped unread, then the RANGE request read whole).

#include "net/webget.h"
#include "platform/event_loop.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

// Serves one connection at a time, keep-alive, each request with the same
// small answer; the clients here never hold two connections open at once.
class BenchServer {
public:
    BenchServer()
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        ::listen(fd_, 64);
        const std::string body(300, 'k');
        answer_ = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n\r\n" + body;
        thread_ = std::thread([this] { run(); });
    }
    ~BenchServer()
    {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/include/keywords.php?k=abc"; }

private:
    void run()
    {
        for (;;) {
            int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0)
                return;
            std::string pending;
            char buf[4096];
            for (;;) {
                ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                pending.append(buf, static_cast<size_t>(n));
                size_t end;
                while ((end = pending.find("\r\n\r\n")) != std::string::npos) {
                    pending.erase(0, end + 4);
                    ::send(c, answer_.data(), answer_.size(), MSG_NOSIGNAL);
                }
            }
            ::close(c);
        }
    }

    int fd_ = -1;
    int port_ = 0;
    std::string answer_;
    std::thread thread_;
};

BenchServer& server()
{
    static BenchServer s;
    return s;
}

void BM_TWebGet(benchmark::State& state)
{
    lt::RealClock clock;
    lt::EventLoop loop(clock);
    const std::string url = server().url();
    for (auto _ : state) {
        lt::Tmywebget web(nullptr);
        web.URL = url;
        web.Agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)";
        size_t got = 0;
        bool ended = false;
        web.OnDoneString = [&](lt::TComponent*, const std::string& body) {
            got = body.size();
            ended = true;
        };
        web.OnError = [&](lt::TComponent*) { ended = true; };
        web.FetchString();
        loop.wait_until([&] { return ended; }, 10000);
        if (got == 0)
            state.SkipWithError("fetch failed");
    }
    state.SetItemsProcessed(state.iterations());
    lt::webget_shutdown(5000);
}

size_t drop_body(char*, size_t, size_t, void*)
{
    return 0;
}

size_t keep_body(char* data, size_t size, size_t count, void* out)
{
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

// One answer the plain libcurl way: the first GET dropped at its first body
// bytes, then the RANGE request read whole.
std::string bare_answer(CURL* curl)
{
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &drop_body);
    curl_easy_perform(curl);
    curl_off_t length = 0;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    const std::string range = "RANGE: bytes=0-" + std::to_string(length);
    curl_slist* headers = curl_slist_append(nullptr, range.c_str());
    std::string body;
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &keep_body);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);
    return body;
}

CURL* bare_handle(const std::string& url)
{
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)");
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    return curl;
}

// The baseline: one easy handle reused for every answer on the calling
// thread, as a plain libcurl loop would be written.
void BM_BareCurl(benchmark::State& state)
{
    lt::webget_global_init();
    CURL* curl = bare_handle(server().url());
    for (auto _ : state)
        if (bare_answer(curl).empty())
            state.SkipWithError("fetch failed");
    curl_easy_cleanup(curl);
    state.SetItemsProcessed(state.iterations());
}

// The same requests shaped like the component: a fresh handle on a thread
// of its own per answer, the result handed to the loop. It separates the
// cost of that shape from the component's own.
void BM_BareCurlThreadPerAnswer(benchmark::State& state)
{
    lt::webget_global_init();
    lt::RealClock clock;
    lt::EventLoop loop(clock);
    const std::string url = server().url();
    auto mailbox = loop.mailbox();
    for (auto _ : state) {
        size_t got = 0;
        bool ended = false;
        std::thread([&, mailbox] {
            CURL* curl = bare_handle(url);
            size_t size = bare_answer(curl).size();
            curl_easy_cleanup(curl);
            mailbox->post([&, size] {
                got = size;
                ended = true;
            });
        }).detach();
        loop.wait_until([&] { return ended; }, 10000);
        if (got == 0)
            state.SkipWithError("fetch failed");
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_BareCurl)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BareCurlThreadPerAnswer)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_TWebGet)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
