// Engine overhead: how many answers per second one source gets through
// TWebGet (a worker thread per fetch, the completion handed back through the
// event loop) compared with a bare libcurl loop that makes the same two GETs
// per answer on the calling thread: the first read for its Content-Length and
// dropped, the repeat with the range header read whole.
//
// Both run against fake-services on loopback with answers of each service's
// usual shape. The ratio TWebGet / bare is the figure of interest.

#include "net/webget.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "tools/fake-services/fake_server.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace lt;

const char* kGraph =
    "长尾词\tsuggest\t长尾词挖掘\t长尾词工具\t长尾关键词\t长尾词优化\t长尾词是什么\t长尾词排名\t长尾词软件\t长尾词查询\t长尾词分析\t长尾词推广\n"
    "长尾词\trelated\t长尾词优化\t长尾词是什么\t关键词排名\t长尾词挖掘\t长尾词工具\t长尾词分析\t长尾词推广\t长尾词软件\t长尾词查询\t长尾词排名\n";

fake::FakeServer& server() {
    static std::unique_ptr<fake::FakeServer> s = [] {
        std::string error;
        auto graph = fake::PhraseGraph::parse(kGraph, &error);
        auto srv = std::make_unique<fake::FakeServer>(*graph);
        if (!srv->start(0, &error)) std::abort();
        return srv;
    }();
    return *s;
}

std::string url_for(int service) {
    std::string phrase = fake::url_encode(fake::utf8_to_cp936("长尾词").value());
    std::string host = "http://127.0.0.1:" + std::to_string(server().port());
    return host + (service == 0 ? "/include/keywords.php?k=" : "/s?wd=") + phrase;
}

void BM_TWebGet(benchmark::State& state) {
    const std::string url = url_for(int(state.range(0)));
    RealClock clock;
    EventLoop loop(clock);
    size_t bytes = 0;
    for (auto _ : state) {
        bool done = false;
        Tmywebget get(nullptr);
        get.URL = url;
        get.Agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)";
        get.OnDoneString = [&](TComponent*, const std::string& body) {
            bytes += body.size();
            done = true;
        };
        get.OnError = [&](TComponent*) {
            state.SkipWithError("fetch failed");
            done = true;
        };
        get.FetchString();
        loop.wait_until([&] { return done; }, 10000);
    }
    state.counters["answers/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(bytes));
}

size_t drop_body(char*, size_t, size_t, void*) { return 0; }
size_t keep_body(char* data, size_t size, size_t n, void* sink) {
    static_cast<std::string*>(sink)->append(data, size * n);
    return size * n;
}

void BM_BareCurl(benchmark::State& state) {
    const std::string url = url_for(int(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        CURL* h = curl_easy_init();
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_PROXY, "");
        curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)");
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, drop_body);
        curl_easy_perform(h);
        curl_off_t length = -1;
        curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        std::string range = "RANGE: bytes=0-" + std::to_string(length < 0 ? 0 : length);
        curl_slist* headers = curl_slist_append(nullptr, range.c_str());
        std::string body;
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, keep_body);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(h) != CURLE_OK || body.empty()) state.SkipWithError("fetch failed");
        bytes += body.size();
        curl_easy_cleanup(h);
        curl_slist_free_all(headers);
    }
    state.counters["answers/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(bytes));
}

// Argument: 0 = suggestion service, 1 = web search.
BENCHMARK(BM_TWebGet)->Arg(0)->Arg(1)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BareCurl)->Arg(0)->Arg(1)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    webget_global_init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    webget_shutdown(5000);
    server().stop();
    return 0;
}
