// TWebGet against a loopback server: what goes on the wire, which event a
// fetch ends with, the resume side file, cancelling and destruction.

#include "net/webget.h"
#include "platform/event_loop.h"
#include "tests/net/loopback_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace lt {
namespace {

using test::http_answer;
using test::LoopbackServer;
namespace fs = std::filesystem;

const char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)";

// What the events of one component reported, in order.
struct Record {
    std::vector<std::string> events; // "done:<body>" or "error"
    bool ended() const { return !events.empty(); }
};

class WebGetTest : public ::testing::Test {
protected:
    ~WebGetTest() override
    {
        // No worker may outlive the test: it would still hold sockets and
        // report into the next test's loop.
        EXPECT_TRUE(webget_shutdown(10000));
    }

    // A component set up the way the harvest run sets its requests up.
    std::unique_ptr<Tmywebget> make(const std::string& url, Record& rec, TComponent* owner = nullptr)
    {
        auto web = std::make_unique<Tmywebget>(owner);
        web->URL = url;
        web->Agent = kAgent;
        web->OnDoneString = [&rec](TComponent*, const std::string& body) { rec.events.push_back("done:" + body); };
        web->OnError = [&rec](TComponent*) { rec.events.push_back("error"); };
        return web;
    }

    // Waits (bounded) for the outcome and for the worker to end.
    void finish(Record& rec)
    {
        EXPECT_TRUE(loop.wait_until([&] { return rec.ended() && webget_live_workers() == 0; }, 20000));
        loop.process_pending();
    }

    std::vector<std::string> fetch(
        LoopbackServer& server, const std::string& path, const std::function<void(TWebGet&)>& setup = {})
    {
        Record rec;
        auto web = make(server.base_url() + path, rec);
        if (setup)
            setup(*web);
        web->FetchString();
        finish(rec);
        failure = web->Failure();
        return rec.events;
    }

    // Why the last fetch() failed.
    FetchFailure failure;

    RealClock clock;
    EventLoop loop{clock};
};

// Runs a test body in a fresh temporary working directory, since the resume
// side file lands in the current directory.
class TempCwd {
public:
    TempCwd()
    {
        char pattern[] = "/tmp/webget-test-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    ~TempCwd()
    {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }

private:
    fs::path dir_, old_;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// ---------------------------------------------------------------- wire

TEST_F(WebGetTest, SendsGetThenRangeRequestWithExactHeaders)
{
    LoopbackServer server([](const std::string&, int index) {
        return LoopbackServer::Reply{http_answer(index == 0 ? "200 OK" : "206 Partial Content", "hello"), true};
    });
    EXPECT_EQ(fetch(server, "/include/keywords.php?k=%C2%B3"), std::vector<std::string>{"done:hello"});

    const std::string head = "GET /include/keywords.php?k=%C2%B3 HTTP/1.1\r\n"
                             "Host: 127.0.0.1:" +
        std::to_string(server.port()) +
        "\r\n"
        "User-Agent: " +
        kAgent +
        "\r\n"
        "Accept: */*\r\n";
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], head + "\r\n");
    EXPECT_EQ(requests[1], head + "RANGE: bytes=0-5\r\n\r\n");
}

TEST_F(WebGetTest, PostSendsFormBodyOnBothRequests)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "ok")}; });
    EXPECT_EQ(fetch(server, "/p",
                  [](TWebGet& w) {
                      w.PostQuery = "a=1&b=2";
                      w.Agent.clear();
                  }),
        std::vector<std::string>{"done:ok"});
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n";
    EXPECT_EQ(requests[0],
        "POST /p HTTP/1.1\r\n" + host +
            "Accept: */*\r\nContent-Type: application/x-www-form-urlencoded\r\n"
            "Content-Length: 7\r\n\r\na=1&b=2");
    EXPECT_NE(requests[1].find("\r\nRANGE: bytes=0-2\r\n"), std::string::npos);
}

TEST_F(WebGetTest, ProxyIsTakenFromTheEnvironment)
{
    LoopbackServer proxy([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "via")}; });
    ::setenv("http_proxy", proxy.base_url().c_str(), 1);
    Record rec;
    auto web = make("http://127.0.0.2:9/s?wd=x", rec);
    web->FetchString();
    finish(rec);
    ::unsetenv("http_proxy");
    EXPECT_EQ(rec.events, std::vector<std::string>{"done:via"});
    ASSERT_FALSE(proxy.requests().empty());
    EXPECT_EQ(proxy.requests()[0].rfind("GET http://127.0.0.2:9/s?wd=x HTTP/1.1\r\n", 0), 0u);
}

// ---------------------------------------------------------------- outcomes

struct OutcomeCase {
    const char* name;
    std::string first;  // answer to the first request
    std::string second; // answer to the repeat (the first's when empty)
    std::vector<std::string> events;
    FetchFailureKind failure;
    const char* range_line = nullptr; // expected RANGE line of the repeat; null: none
    int64_t cap = 16 * 1024 * 1024;
    size_t requests = 2; // 1 when the first answer already ends the fetch
};

using enum FetchFailureKind;

TEST_F(WebGetTest, OutcomeFollowsStatusFramingAndLimits)
{
    const std::string big(3000, 'x');
    const std::vector<OutcomeCase> cases = {
        {"200 with body", http_answer("200 OK", "a,b"), "", {"done:a,b"}, None, "RANGE: bytes=0-3"},
        {"206 counts as success", http_answer("200 OK", "abc"), http_answer("206 Partial Content", "abc"), {"done:abc"},
            None, "RANGE: bytes=0-3"},
        {"empty body", http_answer("200 OK", ""), "", {"error"}, EmptyBody},
        {"404 with a body", http_answer("404 Not Found", "x,y"), "", {"error"}, HttpStatus, "RANGE: bytes=0-3"},
        {"503 with a body", http_answer("503 Service Unavailable", "x,y"), "", {"error"}, HttpStatus,
            "RANGE: bytes=0-3"},
        {"body cut short of its length", http_answer("200 OK", big),
            "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(500, 'x'), {"error"}, Framing,
            "RANGE: bytes=0-3000"},
        {"unterminated chunked body", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", "",
            {"error"}, Framing},
        {"body over the cap", http_answer("200 OK", big), "", {"error"}, TooLarge, "RANGE: bytes=0-3000", 2000},
        {"body at the cap", http_answer("200 OK", big), "", {"done:" + big}, None, "RANGE: bytes=0-3000", 3000},
        {"no length, ends at close", "HTTP/1.1 200 OK\r\n\r\nuntil close", "", {"done:until close"}, None},
        {"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: abc\r\n\r\nhello", "", {"done:hello"}, None},
        {"length too large for the field", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\nhello", "",
            {"done:hello"}, None},
        // A length past the 32-bit counters is no length: cut to 32 bits,
        // 2^32 + 5 would ask for "bytes=0-5" and report the cut answer a success.
        {"length just past 32 bits", "HTTP/1.1 200 OK\r\nContent-Length: 2147483648\r\n\r\nhello", "", {"done:hello"},
            None},
        {"length that wraps to a small one", "HTTP/1.1 200 OK\r\nContent-Length: 4294967301\r\n\r\nhello", "",
            {"done:hello"}, None},
        {"largest length, body cut short", "HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n\r\nhello", "", {"error"},
            Framing, "RANGE: bytes=0-2147483647"},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nhello", "", {"done:hello"}, None},
        // Two lengths that differ would let either one cut the answer: the
        // last used to win, admitting "hello" cut to "hel".
        {"two different lengths", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 3\r\n\r\nhello", "",
            {"error"}, Framing, nullptr, 16 << 20, 1},
        {"two different lengths in one field", "HTTP/1.1 200 OK\r\nContent-Length: 5, 3\r\n\r\nhello", "", {"error"},
            Framing, nullptr, 16 << 20, 1},
        {"the same length twice", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 5\r\n\r\nhello", "",
            {"done:hello"}, None, "RANGE: bytes=0-5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server([&](const std::string&, int index) {
            return LoopbackServer::Reply{index > 0 && !c.second.empty() ? c.second : c.first};
        });
        EXPECT_EQ(fetch(server, "/r", [&](TWebGet& w) { w.MaxBodySize = c.cap; }), c.events);
        EXPECT_EQ(failure.kind, c.failure) << DescribeFetchFailure(failure);
        auto requests = server.requests();
        ASSERT_GE(requests.size(), c.requests);
        const std::string& repeat = requests.back();
        if (c.range_line)
            EXPECT_NE(repeat.find(std::string("\r\n") + c.range_line + "\r\n"), std::string::npos) << repeat;
        else
            EXPECT_EQ(repeat.find("RANGE:"), std::string::npos) << repeat;
    }
}

TEST_F(WebGetTest, RedirectsAreFollowedOnBothRequests)
{
    LoopbackServer server([](const std::string& request, int) {
        if (request.rfind("GET /there ", 0) == 0)
            return LoopbackServer::Reply{http_answer("200 OK", "arrived"), true};
        return LoopbackServer::Reply{"HTTP/1.1 302 Found\r\nLocation: /there\r\nContent-Length: 4\r\n\r\nmove", true};
    });
    EXPECT_EQ(fetch(server, "/r"), std::vector<std::string>{"done:arrived"});
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[3].rfind("GET /there HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(requests[3].find("\r\nRANGE: bytes=0-7\r\n"), std::string::npos);
}

TEST_F(WebGetTest, EndlessRedirectsEndInError)
{
    LoopbackServer server([](const std::string&, int) {
        return LoopbackServer::Reply{"HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n", true};
    });
    EXPECT_EQ(fetch(server, "/r", [](TWebGet& w) { w.MaxRedirects = 3; }), std::vector<std::string>{"error"});
    EXPECT_EQ(failure.kind, FetchFailureKind::Redirects);
}

TEST_F(WebGetTest, RefusedConnectionEndsInError)
{
    // A port that was just free and has no listener.
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);

    Record rec;
    auto web = make("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x", rec);
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"error"});
    EXPECT_EQ(web->Failure().kind, FetchFailureKind::Transport);
    EXPECT_EQ(web->Failure().code, 7) << "libcurl's could-not-connect";
}

TEST_F(WebGetTest, StalledServerEndsInErrorAfterReceiveTimeout)
{
    // Silent from the start, and silent half-way through the body.
    for (std::string said : {std::string(), std::string("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf")}) {
        SCOPED_TRACE(said);
        LoopbackServer server([&](const std::string&, int) { return LoopbackServer::Reply{said, false, true}; });
        EXPECT_EQ(
            fetch(server, "/x", [](TWebGet& w) { w.ReceiveTimeoutMs = 1000; }), std::vector<std::string>{"error"});
        EXPECT_EQ(failure, (FetchFailure{FetchFailureKind::TimedOut, 0, "no byte for 1 s"}));
    }
}

TEST_F(WebGetTest, DrippingServerEndsAtTheDeadline)
{
    // A byte every 100 ms never trips the receive limit; only the deadline
    // ends the fetch. Without one it would run for ever.
    LoopbackServer server([&](const std::string&, int) {
        return LoopbackServer::Reply{
            "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(100000, 'd'), false, false, 100};
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fetch(server, "/x",
                  [](TWebGet& w) {
                      w.ReceiveTimeoutMs = 1000;
                      w.DeadlineMs = 1500;
                  }),
        std::vector<std::string>{"error"});
    EXPECT_EQ(failure, (FetchFailure{FetchFailureKind::TimedOut, 0, "the fetch took longer than 1.5 s"}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // Bytes that keep coming within the receive limit are no stall: an
    // answer whose bytes come 30 ms apart arrives whole.
    LoopbackServer slow([&](const std::string&, int) {
        return LoopbackServer::Reply{http_answer("200 OK", "slow"), false, false, 30};
    });
    EXPECT_EQ(fetch(slow, "/x", [](TWebGet& w) { w.ReceiveTimeoutMs = 1000; }), std::vector<std::string>{"done:slow"});
}

TEST_F(WebGetTest, ChunkedAnswerIsAskedForWholeAgain)
{
    // This server honours Range, so "bytes=0-0" would cut the answer to one byte.
    LoopbackServer server([](const std::string& request, int) {
        if (request.find("\r\nRANGE: bytes=0-0\r\n") != std::string::npos)
            return LoopbackServer::Reply{"HTTP/1.1 206 Partial Content\r\nContent-Length: 1\r\n\r\nh", true};
        return LoopbackServer::Reply{
            "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\nhello \r\n5\r\nworld\r\n0\r\n\r\n", true};
    });
    EXPECT_EQ(fetch(server, "/x"), std::vector<std::string>{"done:hello world"});
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1], requests[0]);
}

// ---------------------------------------------------------------- resume side file

TEST_F(WebGetTest, LastModifiedIsStoredAndItsAnswerReadAtOnce)
{
    TempCwd cwd;
    const std::string date = "Wed, 21 Oct 2015 07:28:00 GMT";
    LoopbackServer server([&](const std::string&, int) {
        return LoopbackServer::Reply{http_answer("200 OK", "fresh", "Last-Modified: " + date + "\r\n")};
    });
    EXPECT_EQ(fetch(server, "/x"), std::vector<std::string>{"done:fresh"});
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(slurp(".ini"), date + "\r\n");
    // Only the side file is left behind: no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST_F(WebGetTest, UnwritableSideFileDoesNotLoseTheAnswer)
{
    TempCwd cwd;
    fs::create_directory(".ini"); // nothing can be renamed onto a directory
    LoopbackServer server([](const std::string&, int) {
        return LoopbackServer::Reply{http_answer("200 OK", "kept", "Last-Modified: Thu, 01 Jan 2015 00:00:00 GMT\r\n")};
    });
    EXPECT_EQ(fetch(server, "/x"), std::vector<std::string>{"done:kept"});
    EXPECT_TRUE(fs::is_directory(".ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST_F(WebGetTest, MatchingStoredDateResumesFromTheFileSize)
{
    TempCwd cwd;
    std::ofstream("part.bin") << "1234567";
    std::ofstream("part.bin.ini") << "D1\r\n";
    LoopbackServer server([](const std::string&, int index) {
        return LoopbackServer::Reply{
            http_answer(index == 0 ? "200 OK" : "206 Partial Content", "abcdefghij", "Last-Modified: D1\r\n")};
    });
    EXPECT_EQ(
        fetch(server, "/x", [](TWebGet& w) { w.FileName = "part.bin"; }), std::vector<std::string>{"done:abcdefghij"});
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[1].find("\r\nRANGE: bytes=7-10\r\n"), std::string::npos);
}

// ---------------------------------------------------------------- life cycle

TEST_F(WebGetTest, SecondFetchStringWhileFetchingIsIgnored)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "one")}; });
    Record rec;
    auto web = make(server.base_url() + "/x", rec);
    web->FetchString();
    EXPECT_TRUE(web->Fetching());
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"done:one"});
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_FALSE(web->Fetching());

    // Once it has reported, the component may fetch again.
    rec.events.clear();
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"done:one"});
}

TEST_F(WebGetTest, CancelWhileFetchingEndsInError)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{"", false, true}; });
    Record rec;
    auto web = make(server.base_url() + "/x", rec);
    web->FetchString();
    ASSERT_TRUE(server.wait_requests(1));
    web->CancelFetch();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"error"});
    EXPECT_EQ(web->Failure().kind, FetchFailureKind::Cancelled);
}

TEST_F(WebGetTest, DestroyedComponentHearsNothing)
{
    for (bool through_owner : {false, true}) {
        SCOPED_TRACE(through_owner ? "freed with its owner" : "deleted");
        LoopbackServer server([&](const std::string&, int) {
            server.wait_released();
            return LoopbackServer::Reply{http_answer("200 OK", "late")};
        });
        Record rec;
        auto owner = std::make_unique<TComponent>(nullptr);
        auto web = make(server.base_url() + "/x", rec, owner.get());
        web->FetchString();
        ASSERT_TRUE(server.wait_requests(1));
        if (through_owner) {
            web.release();
            owner.reset();
        } else {
            web.reset();
        }
        server.release();
        EXPECT_TRUE(loop.wait_until([] { return webget_live_workers() == 0; }, 20000));
        loop.process_pending();
        EXPECT_TRUE(rec.events.empty());
    }
}

TEST_F(WebGetTest, WorkerOutlivingItsLoopEndsQuietly)
{
    LoopbackServer server([&](const std::string&, int) {
        server.wait_released();
        return LoopbackServer::Reply{http_answer("200 OK", "late")};
    });
    Record rec;
    std::unique_ptr<Tmywebget> web;
    // A UI thread of its own whose loop ends while the fetch still runs. The
    // progress handler would make the worker wait for that loop; the
    // hand-over is dropped instead, and so is the completion.
    std::thread ui([&] {
        RealClock ui_clock;
        auto ui_loop = std::make_unique<EventLoop>(ui_clock);
        web = make(server.base_url() + "/x", rec);
        web->OnProgress = [&](TWebGetThread*, int32_t, int32_t) { rec.events.push_back("progress"); };
        web->FetchString();
        server.wait_requests(1);
    });
    ui.join();
    server.release();
    EXPECT_TRUE(loop.wait_until([] { return webget_live_workers() == 0; }, 20000));
    EXPECT_TRUE(rec.events.empty());
}

TEST_F(WebGetTest, FailingHandlerIsFollowedByOnError)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "a")}; });
    Record rec;
    auto web = make(server.base_url() + "/x", rec);
    web->OnDoneString = [&](TComponent*, const std::string&) {
        rec.events.push_back("done");
        throw std::runtime_error("parser failed");
    };
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"done", "error"}));
    EXPECT_FALSE(web->Fetching());
    EXPECT_EQ(web->Failure(), (FetchFailure{FetchFailureKind::AnswerRejected, 0, "parser failed"}));
}

TEST_F(WebGetTest, HandlerMayDestroyItsComponent)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "a")}; });
    Record rec;
    TWebGet* web = make(server.base_url() + "/x", rec).release();
    web->OnDoneString = [&](TComponent* sender, const std::string&) {
        rec.events.push_back("done");
        delete sender;
        throw std::runtime_error("after the component is gone");
    };
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"done"});
}

TEST_F(WebGetTest, ProgressReportsEachReadOnTheUiThread)
{
    const std::string body(2500, 'p');
    LoopbackServer server([&](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", body)}; });
    Record rec;
    std::vector<std::pair<int32_t, int32_t>> steps;
    bool on_ui_thread = true;
    auto web = make(server.base_url() + "/x", rec);
    web->OnProgress = [&](TWebGetThread* sender, int32_t total, int32_t readed) {
        on_ui_thread = on_ui_thread && loop.on_ui_thread() && sender != nullptr;
        steps.emplace_back(total, readed);
    };
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"done:" + body});
    EXPECT_TRUE(on_ui_thread);
    EXPECT_EQ(steps, (std::vector<std::pair<int32_t, int32_t>>{{2500, 1025}, {2500, 2050}, {2500, 2500}}));
}

TEST_F(WebGetTest, WaitThreadDispatchesWhatIsWaitingAndReturns)
{
    LoopbackServer server([&](const std::string&, int) {
        server.wait_released();
        return LoopbackServer::Reply{http_answer("200 OK", "w")};
    });
    Record rec;
    auto web = make(server.base_url() + "/x", rec);
    web->WaitThread = true;
    bool ran = false;
    loop.post([&] { ran = true; });
    web->FetchString();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(web->Fetching());
    server.release();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"done:w"});
}

// ---------------------------------------------------------------- SplitUrl

TEST(SplitUrlTest, HostPathAndPort)
{
    struct Case {
        const char* url;
        const char* host;
        const char* path;
        int port;
    };
    const Case cases[] = {
        {"http://www.baidu.com/s?wd=%C0%CF", "www.baidu.com", "/s?wd=%C0%CF", 80},
        {"HTTP://Host.Example:8080/a/b?c=d", "Host.Example", "/a/b?c=d", 8080},
        {"host.example", "host.example", "/", 80},
        {"host.example:8080", "host.example", "/", 8080},
        {"host:abc/x", "host", "/x", 80},
        {"host:0/x", "host", "/x", 80},
        {"host:65536/x", "host", "/x", 80},
        {"host:65535/x", "host", "/x", 65535},
        {"host:-1/x", "host", "/x", 80},
        {"host:/x", "host", "/x", 80},
        // Only a leading scheme is removed.
        {"a.example/redirect?to=http://b.example/", "a.example", "/redirect?to=http://b.example/", 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        TUrlParts parts = SplitUrl(c.url);
        EXPECT_EQ(parts.Host, c.host);
        EXPECT_EQ(parts.Path, c.path);
        EXPECT_EQ(parts.Port, c.port);
    }
}

TEST_F(WebGetTest, UrlPortAndPathReachTheServer)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "p")}; });
    Record rec;
    auto web = make("HTTP://127.0.0.1:" + std::to_string(server.port()) + "/k.php?k=a%20b", rec);
    web->FetchString();
    finish(rec);
    EXPECT_EQ(rec.events, std::vector<std::string>{"done:p"});
    ASSERT_FALSE(server.requests().empty());
    EXPECT_EQ(server.requests()[0].rfind("GET /k.php?k=a%20b HTTP/1.1\r\n", 0), 0u);
}

} // namespace
} // namespace lt
