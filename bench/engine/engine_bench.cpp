// Engine overhead: how many answers per second one source gets through
// TWebGet (a worker thread per fetch, the completion handed back through the
// event loop) compared with a bare libcurl loop that makes the same two GETs
// per answer on the calling thread: the first read for its Content-Length and
// dropped, the repeat with the range header read whole.
//
// Both run against fake-services on loopback with answers of each service's
// usual shape. The ratio TWebGet / bare is the figure of interest.
//
// BM_SourceRatio puts a source read from a profile (OpenSearch JSON in UTF-8)
// beside the built-in suggestion source (escaped list in code page 936): each
// answer fetched through TWebGet and parsed into candidates, the two in
// alternation. Its ratio is JSON answers per second over built-in ones.

#include "harvest/answer_formats.h"
#include "net/webget.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "tools/fake-services/fake_server.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace lt;

const char* kGraph = "长尾词\tsuggest\t长尾词挖掘\t长尾词工具\t长尾关键词\t长尾词优化\t长尾词是什么\t长尾词排名\t长尾词"
                     "软件\t长尾词查询\t长尾词分析\t长尾词推广\n"
                     "长尾词\trelated\t长尾词优化\t长尾词是什么\t关键词排名\t长尾词挖掘\t长尾词工具\t长尾词分析\t长尾词"
                     "推广\t长尾词软件\t长尾词查询\t长尾词排名\n";

fake::FakeServer& server()
{
    static std::unique_ptr<fake::FakeServer> s = [] {
        std::string error;
        auto graph = fake::PhraseGraph::parse(kGraph, &error);
        auto srv = std::make_unique<fake::FakeServer>(*graph);
        if (!srv->start(0, &error))
            std::abort();
        return srv;
    }();
    return *s;
}

std::string url_for(int service)
{
    std::string phrase = fake::url_encode(fake::utf8_to_cp936("长尾词").value());
    std::string host = "http://127.0.0.1:" + std::to_string(server().port());
    return host + (service == 0 ? "/include/keywords.php?k=" : "/s?wd=") + phrase;
}

const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)";

// One answer through the component; returns the body (empty on failure).
std::string fetch_twebget(EventLoop& loop, const std::string& url)
{
    bool done = false;
    std::string result;
    Tmywebget get(nullptr);
    get.URL = url;
    get.Agent = kAgent;
    get.OnDoneString = [&](TComponent*, const std::string& body) {
        result = body;
        done = true;
    };
    get.OnError = [&](TComponent*) { done = true; };
    get.FetchString();
    loop.wait_until([&] { return done; }, 10000);
    return result;
}

size_t drop_body(char*, size_t, size_t, void*)
{
    return 0;
}
size_t keep_body(char* data, size_t size, size_t n, void* sink)
{
    static_cast<std::string*>(sink)->append(data, size * n);
    return size * n;
}

// One answer the bare way: the first GET is dropped unread once its headers
// are in, the repeat carries the range header and is read whole.
std::string fetch_bare(const std::string& url)
{
    CURL* h = curl_easy_init();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROXY, "");
    curl_easy_setopt(h, CURLOPT_USERAGENT, kAgent);
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
    if (curl_easy_perform(h) != CURLE_OK)
        body.clear();
    curl_easy_cleanup(h);
    curl_slist_free_all(headers);
    return body;
}

void count_answer(benchmark::State& state, const std::string& body, size_t& bytes)
{
    if (body.empty())
        state.SkipWithError("fetch failed");
    bytes += body.size();
}

void BM_TWebGet(benchmark::State& state)
{
    const std::string url = url_for(int(state.range(0)));
    RealClock clock;
    EventLoop loop(clock);
    size_t bytes = 0;
    for (auto _ : state)
        count_answer(state, fetch_twebget(loop, url), bytes);
    state.counters["answers/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(bytes));
}

void BM_BareCurl(benchmark::State& state)
{
    const std::string url = url_for(int(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state)
        count_answer(state, fetch_bare(url), bytes);
    state.counters["answers/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(bytes));
}

// Both ways in alternation, each timed on its own, so that a load that
// changes during the run (the machine is shared) weighs on both alike. The
// ratio counter is the component's rate over the bare rate.
void BM_Ratio(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const std::string url = url_for(int(state.range(0)));
    RealClock clock;
    EventLoop loop(clock);
    Clock::duration component{}, bare{};
    size_t bytes = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        count_answer(state, fetch_twebget(loop, url), bytes);
        auto t1 = Clock::now();
        count_answer(state, fetch_bare(url), bytes);
        auto t2 = Clock::now();
        component += t1 - t0;
        bare += t2 - t1;
    }
    const double n = double(state.iterations());
    const double component_rate = n / std::chrono::duration<double>(component).count();
    const double bare_rate = n / std::chrono::duration<double>(bare).count();
    state.counters["twebget/s"] = component_rate;
    state.counters["bare/s"] = bare_rate;
    state.counters["ratio"] = component_rate / bare_rate;
}

// One answer through the component and its profile's parser; returns the
// number of candidates (0 on failure).
int fetch_and_parse(EventLoop& loop, const SourceProfile& profile, const std::string& phrase)
{
    const std::string body = fetch_twebget(loop, ProfileUrl(profile, phrase));
    int admitted = 0;
    ParseAnswer(profile, body, [&](const std::string&) { ++admitted; });
    return admitted;
}

void BM_SourceRatio(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const std::string host = "127.0.0.1:" + std::to_string(server().port());
    const SourceProfile builtin = BuiltinSuggestProfile(ServiceHosts{host, host});
    SourceProfile json;
    json.name = "json";
    json.url = "http://" + host + "/opensearch?q={phrase}";
    json.format = AnswerFormat::OpenSearch;
    json.phrase_charset = PhraseCharset::Utf8;
    const std::string phrase = fake::utf8_to_cp936("长尾词").value();
    RealClock clock;
    EventLoop loop(clock);
    Clock::duration json_time{}, builtin_time{};
    for (auto _ : state) {
        auto t0 = Clock::now();
        const int a = fetch_and_parse(loop, json, phrase);
        auto t1 = Clock::now();
        const int b = fetch_and_parse(loop, builtin, phrase);
        auto t2 = Clock::now();
        if (a != 10 || b != 10)
            state.SkipWithError("an answer did not parse into its ten candidates");
        json_time += t1 - t0;
        builtin_time += t2 - t1;
    }
    const double n = double(state.iterations());
    const double json_rate = n / std::chrono::duration<double>(json_time).count();
    const double builtin_rate = n / std::chrono::duration<double>(builtin_time).count();
    state.counters["json/s"] = json_rate;
    state.counters["builtin/s"] = builtin_rate;
    state.counters["ratio"] = json_rate / builtin_rate;
}

// Argument: 0 = suggestion service, 1 = web search.
BENCHMARK(BM_TWebGet)->Arg(0)->Arg(1)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BareCurl)->Arg(0)->Arg(1)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Ratio)->Arg(0)->Arg(1)->UseRealTime()->MinTime(4.0);
BENCHMARK(BM_SourceRatio)->UseRealTime()->MinTime(4.0);

} // namespace

int main(int argc, char** argv)
{
    webget_global_init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    webget_shutdown(5000);
    server().stop();
    return 0;
}
