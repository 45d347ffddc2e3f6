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

    std::vector<std::string> fetch(LoopbackServer& server, const std::string& path,
                                   const std::function<void(TWebGet&)>& setup = {})
    {
        Record rec;
        auto web = make(server.base_url() + path, rec);
        if (setup)
            setup(*web);
        web->FetchString();
        finish(rec);
        return rec.events;
    }

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
                             "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"
                             "User-Agent: " + kAgent + "\r\n"
                             "Accept: */*\r\n";
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], head + "\r\n");
    EXPECT_EQ(requests[1], head + "RANGE: bytes=0-5\r\n\r\n");
}

TEST_F(WebGetTest, PostSendsFormBodyOnBothRequests)
{
    LoopbackServer server([](const std::string&, int) { return LoopbackServer::Reply{http_answer("200 OK", "ok")}; });
    EXPECT_EQ(fetch(server, "/p", [](TWebGet& w) { w.PostQuery = "a=1&b=2"; w.Agent.clear(); }),
              std::vector<std::string>{"done:ok"});
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n";
    EXPECT_EQ(requests[0], "POST /p HTTP/1.1\r\n" + host +
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
    const char* range_line = nullptr; // expected RANGE line of the repeat; null: none
    int64_t cap = 16 * 1024 * 1024;
};

TEST_F(WebGetTest, OutcomeFollowsStatusFramingAndLimits)
{
    const std::string big(3000, 'x');
    const std::vector<OutcomeCase> cases = {
        {"200 with body", http_answer("200 OK", "a,b"), "", {"done:a,b"}, "RANGE: bytes=0-3"},
        {"206 counts as success", http_answer("200 OK", "abc"), http_answer("206 Partial Content", "abc"), {"done:abc"}, "RANGE: bytes=0-3"},
        {"empty body", http_answer("200 OK", ""), "", {"error"}},
        {"404 with a body", http_answer("404 Not Found", "x,y"), "", {"error"}, "RANGE: bytes=0-3"},
        {"503 with a body", http_answer("503 Service Unavailable", "x,y"), "", {"error"}, "RANGE: bytes=0-3"},
        {"body cut short of its length", http_answer("200 OK", big),
         "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(500, 'x'), {"error"}, "RANGE: bytes=0-3000"},
        {"unterminated chunked body", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", "", {"error"}},
        {"body over the cap", http_answer("200 OK", big), "", {"error"}, "RANGE: bytes=0-3000", 2000},
        {"body at the cap", http_answer("200 OK", big), "", {"done:" + big}, "RANGE: bytes=0-3000", 3000},
        {"no length, ends at close", "HTTP/1.1 200 OK\r\n\r\nuntil close", "", {"done:until close"}},
        {"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: abc\r\n\r\nhello", "", {"done:hello"}},
        {"length too large for the field", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\nhello", "", {"done:hello"}},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nhello", "", {"done:hello"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server([&](const std::string&, int index) {
            return LoopbackServer::Reply{index > 0 && !c.second.empty() ? c.second : c.first};
        });
        EXPECT_EQ(fetch(server, "/r", [&](TWebGet& w) { w.MaxBodySize = c.cap; }), c.events);
        auto requests = server.requests();
        ASSERT_GE(requests.size(), 2u);
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
}

} // namespace
} // namespace lt
