// fake-services on its own: the graph file, the answers it renders, every
// reply switch on the wire, and the program's start and stop.

#include "tests/e2e/child_process.h"
#include "tests/e2e/http_client.h"
#include "tools/fake-services/fake_server.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lt::e2e {
namespace {

using fake::FakeServer;
using fake::PhraseGraph;
using fake::ReplySwitches;

std::string cp936(const std::string& utf8)
{
    return fake::utf8_to_cp936(utf8).value();
}

const char* kGraph = "# test graph\n"
                     "\n"
                     "长尾词\tsuggest\t长尾词挖掘\ta,b\t x\n"
                     "长尾词\trelated\t长尾词优化\t&amp;x\n"
                     "QQ空间\tsuggest\tQQ空间密码\n"
                     "坏词\tfault\tstatus=503\n"
                     "断词\tsuggest-fault\treset\n";

PhraseGraph test_graph()
{
    std::string error;
    auto g = PhraseGraph::parse(kGraph, &error);
    EXPECT_TRUE(g) << error;
    return *g;
}

std::string suggest_target(const std::string& phrase_utf8)
{
    return "/include/keywords.php?k=" + fake::url_encode(cp936(phrase_utf8));
}
std::string related_target(const std::string& phrase_utf8)
{
    return "/s?wd=" + fake::url_encode(cp936(phrase_utf8));
}

struct Response {
    std::string status_line;
    std::string headers;
    std::string body; // de-chunked
};

Response split(const std::string& raw)
{
    Response r;
    size_t eol = raw.find("\r\n");
    size_t end = raw.find("\r\n\r\n");
    if (eol == std::string::npos || end == std::string::npos)
        return r;
    r.status_line = raw.substr(0, eol);
    r.headers = raw.substr(eol + 2, end - eol);
    std::string body = raw.substr(end + 4);
    if (r.headers.find("Transfer-Encoding: chunked") == std::string::npos) {
        r.body = body;
        return r;
    }
    size_t pos = 0;
    for (;;) {
        size_t line_end = body.find("\r\n", pos);
        if (line_end == std::string::npos)
            break;
        size_t n = std::stoul(body.substr(pos, line_end - pos), nullptr, 16);
        if (n == 0)
            break;
        r.body += body.substr(line_end + 2, n);
        pos = line_end + 2 + n + 2;
    }
    return r;
}

TEST(FakeServicesGraph, RejectsMalformedFilesNamingTheLine)
{
    struct Case {
        const char* text;
        const char* error_part;
    } cases[] = {
        {"a\tsuggest\tb\nno directive here\n", "line 2"},
        {"a\tsuggests\tb\n", "unknown directive"},
        {"\tsuggest\tb\n", "line 1"},
        {"a\tfault\tstatus=abc\n", "bad switch value"},
        {"a\tfault\tslow\n", "unknown switch"},
        {"a\tsuggest-raw\tx\ty\n", "exactly one value"},
        {"# ok\na\tsuggest\t\xF0\x9F\x98\x80\n", "line 2: not representable"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(PhraseGraph::parse(c.text, &error)) << c.text;
        EXPECT_NE(error.find(c.error_part), std::string::npos) << c.text << " gave: " << error;
    }
}

TEST(FakeServicesGraph, PhrasesAreLookedUpByExactCodePageBytes)
{
    auto g = test_graph();
    EXPECT_NE(g.find(cp936("QQ空间")), nullptr);
    EXPECT_EQ(g.find(cp936("qq空间")), nullptr);
    EXPECT_EQ(g.find("QQ\xBF\xD5\xBC\xE4 "), nullptr); // trailing space
}

TEST(FakeServicesAnswers, SuggestionAnswerEscapesItemsLikeJavaScript)
{
    auto g = test_graph();
    EXPECT_EQ(fake::suggest_answer(g.find(cp936("长尾词"))), "[\"%u957F%u5C3E%u8BCD%u6316%u6398\",\"a%2Cb\",\"%20x\"]");
    EXPECT_EQ(fake::suggest_answer(nullptr), "[]");
}

TEST(FakeServicesAnswers, RelatedPageCarriesTheBlockOnlyForPhrasesWithItems)
{
    auto g = test_graph();
    std::string page = fake::related_page(g.find(cp936("长尾词")), "长尾词");
    const std::string block_start = "<div style=\"background-color:#eff2fa";
    const std::string table_start =
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr><td nowrap class=\"f14\">";
    const std::string block_end = "</td></tr></table></td></tr><tr><td>";
    size_t start = page.find(block_start), heading = page.find("相关搜索"), table = page.find(table_start);
    size_t first = page.find(">长尾词优化</a>"), second = page.find(">&amp;x</a>"), end = page.find(block_end);
    ASSERT_NE(start, std::string::npos);
    EXPECT_LT(start, heading);
    EXPECT_LT(heading, table);
    EXPECT_LT(table, first);
    EXPECT_LT(first, second);
    // The block ends right after the last link.
    EXPECT_EQ(end, second + std::string(">&amp;x</a>").size());

    std::string bare = fake::related_page(g.find(cp936("QQ空间")), "QQ空间");
    EXPECT_EQ(bare.find(block_start), std::string::npos);
    EXPECT_EQ(bare.find(table_start), std::string::npos);
}

TEST(FakeServicesWire, EverySwitchShapesTheAnswerAsDocumented)
{
    const std::string answer = fake::suggest_answer(test_graph().find(cp936("长尾词")));
    const std::string n = std::to_string(answer.size());
    const std::string last = std::to_string(answer.size() - 1);
    struct Case {
        const char* name;
        std::vector<std::string> switches;
        std::string target;
        std::string extra_headers;
        std::string status_line;
        std::vector<std::string> with; // header lines that must be present
        std::vector<std::string> without;
        std::optional<std::string> body;
    };
    const std::string seed = suggest_target("长尾词");
    std::vector<Case> cases = {
        {"plain", {}, seed, "", "HTTP/1.1 200 OK", {"Content-Length: " + n}, {"Last-Modified", "chunked"}, answer},
        {"range past the end is clamped", {}, seed, "RANGE: bytes=0-" + n + "\r\n", "HTTP/1.1 206 Partial Content",
            {"Content-Range: bytes 0-" + last + "/" + n}, {}, answer},
        {"one-byte range", {}, seed, "RANGE: bytes=0-0\r\n", "HTTP/1.1 206 Partial Content",
            {"Content-Range: bytes 0-0/" + n}, {}, "["},
        {"unsatisfiable range", {}, seed, "Range: bytes=" + n + "-\r\n", "HTTP/1.1 416 Range Not Satisfiable",
            {"Content-Range: bytes */" + n}, {}, ""},
        {"range ignored", {"ignore-range"}, seed, "RANGE: bytes=0-0\r\n", "HTTP/1.1 200 OK", {}, {"Content-Range"},
            answer},
        {"chunked", {"chunked"}, seed, "", "HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}, {"Content-Length"},
            answer},
        {"chunked one-byte range", {"chunked"}, seed, "RANGE: bytes=0-0\r\n", "HTTP/1.1 206 Partial Content",
            {"Transfer-Encoding: chunked"}, {}, "["},
        {"last-modified", {"last-modified"}, seed, "", "HTTP/1.1 200 OK", {"Last-Modified: "}, {}, answer},
        {"empty", {"empty"}, seed, "", "HTTP/1.1 200 OK", {"Content-Length: 0"}, {}, ""},
        {"error status", {"status=503"}, seed, "", "HTTP/1.1 503 Service Unavailable", {}, {}, std::nullopt},
        {"phrase's own fault", {}, suggest_target("坏词"), "", "HTTP/1.1 503 Service Unavailable", {}, {},
            std::nullopt},
        {"unknown path", {}, "/favicon.ico", "", "HTTP/1.1 404 Not Found", {}, {}, std::nullopt},
        {"phrase without entry", {}, suggest_target("无词"), "", "HTTP/1.1 200 OK", {}, {}, "[]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReplySwitches defaults;
        for (const auto& s : c.switches)
            ASSERT_TRUE(fake::parse_switch(s, defaults, nullptr));
        FakeServer server(test_graph(), defaults);
        ASSERT_TRUE(server.start());
        Response r = split(raw_get(server.port(), c.target, c.extra_headers).response);
        EXPECT_EQ(r.status_line, c.status_line);
        for (const auto& h : c.with)
            EXPECT_NE(r.headers.find(h), std::string::npos) << h << " in\n" << r.headers;
        for (const auto& h : c.without)
            EXPECT_EQ(r.headers.find(h), std::string::npos) << h << " in\n" << r.headers;
        if (c.body) {
            EXPECT_EQ(r.body, *c.body);
        }
    }
}

TEST(FakeServicesWire, ErrorPagesEchoThePhraseBetweenCommas)
{
    FakeServer server(test_graph());
    ASSERT_TRUE(server.start());
    Response r = split(raw_get(server.port(), suggest_target("坏词")).response);
    EXPECT_NE(r.body.find(cp936(", 查询坏词, ")), std::string::npos);
}

TEST(FakeServicesWire, RelatedPageIsSentInCodePage936OrUtf8OnRequest)
{
    for (bool utf8 : {false, true}) {
        ReplySwitches s;
        if (utf8)
            s.utf8 = true;
        FakeServer server(test_graph(), s);
        ASSERT_TRUE(server.start());
        Response r = split(raw_get(server.port(), related_target("长尾词")).response);
        std::string heading = utf8 ? std::string("相关搜索") : cp936("相关搜索");
        EXPECT_NE(r.body.find(heading), std::string::npos) << "utf8=" << utf8;
    }
}

TEST(FakeServicesWire, ResetAndCutBreakTheConnection)
{
    FakeServer server(test_graph());
    ASSERT_TRUE(server.start());
    // The phrase's reset applies to the suggestion service only.
    RawExchange reset = raw_get(server.port(), suggest_target("断词"));
    EXPECT_TRUE(reset.connected);
    EXPECT_EQ(reset.response, "");
    EXPECT_EQ(split(raw_get(server.port(), related_target("断词")).response).status_line, "HTTP/1.1 200 OK");

    ReplySwitches cut;
    cut.cut = true;
    server.set_defaults(cut);
    RawExchange partial = raw_get(server.port(), suggest_target("长尾词"));
    Response r = split(partial.response);
    EXPECT_NE(r.headers.find("Content-Length: "), std::string::npos);
    const std::string answer = fake::suggest_answer(test_graph().find(cp936("长尾词")));
    EXPECT_EQ(r.body, answer.substr(0, answer.size() / 2));
}

TEST(FakeServicesWire, JsonEndpointsAnswerTheSuggestionItems)
{
    const std::string graph = std::string(kGraph) + "原样\tjson-raw\t[\"原样\", [\"x😀\"]]\n";
    std::string error;
    auto g = PhraseGraph::parse(graph, &error);
    ASSERT_TRUE(g) << error;
    FakeServer server(*g);
    ASSERT_TRUE(server.start());
    const std::string utf8_q = "q=%E9%95%BF%E5%B0%BE%E8%AF%8D"; // 长尾词 in UTF-8
    struct Case {
        std::string target;
        const char* body;
    } cases[] = {
        {"/opensearch?" + utf8_q, R"(["长尾词",["长尾词挖掘","a,b"," x"]])"},
        {"/opensearch?q=" + fake::url_encode(cp936("长尾词")), R"(["长尾词",["长尾词挖掘","a,b"," x"]])"},
        {"/opensearch?q=%E6%9C%AA", R"(["未",[]])"},
        {"/jsonp?callback=window.cb&" + utf8_q, R"(window.cb(["长尾词",["长尾词挖掘","a,b"," x"]]);)"},
        {"/jsonp?callback=alert(1)&" + utf8_q, R"(callback(["长尾词",["长尾词挖掘","a,b"," x"]]);)"},
        {"/jsonpath?" + utf8_q, R"({"data":{"items":[["长尾词挖掘",0],["a,b",1],[" x",2]]},"query":"长尾词"})"},
        {"/opensearch?q=%E5%8E%9F%E6%A0%B7", R"(["原样", ["x😀"]])"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        Response r = split(raw_get(server.port(), c.target).response);
        EXPECT_EQ(r.status_line, "HTTP/1.1 200 OK");
        EXPECT_NE(r.headers.find("charset=utf-8"), std::string::npos);
        EXPECT_EQ(r.body, c.body);
    }
}

TEST(FakeServicesWire, KeepsConnectionsOpenAndRecordsEachRequestWhenAsked)
{
    FakeServer server(test_graph());
    ASSERT_TRUE(server.start());
    std::string target = suggest_target("QQ空间");
    // Nothing is kept until a test asks for records.
    raw_get(server.port(), target);
    EXPECT_TRUE(server.requests().empty());
    server.record_requests(true);
    std::string two = "GET " + target + " HTTP/1.1\r\nHost: x\r\n\r\n" + "GET " + target +
        " HTTP/1.1\r\nHost: x\r\nRANGE: bytes=0-3\r\nConnection: close\r\n\r\n";
    RawExchange ex = raw_exchange(server.port(), two);
    EXPECT_EQ(ex.response.find("HTTP/1.1 200 OK"), 0u);
    EXPECT_NE(ex.response.find("HTTP/1.1 206 Partial Content"), std::string::npos);
    auto reqs = server.requests();
    ASSERT_EQ(reqs.size(), 2u);
    EXPECT_EQ(reqs[0].phrase, cp936("QQ空间"));
    EXPECT_EQ(reqs[0].service, fake::Service::Suggest);
    EXPECT_FALSE(reqs[0].range_line);
    EXPECT_EQ(reqs[1].range_line, "RANGE: bytes=0-3");
    EXPECT_EQ(reqs[1].status, 206);
}

TEST(FakeServicesWire, StopEndsAPendingDelayAtOnce)
{
    ReplySwitches slow;
    slow.delay_ms = 600000;
    FakeServer server(test_graph(), slow);
    ASSERT_TRUE(server.start());
    server.record_requests(true);
    std::thread client([&] { raw_get(server.port(), suggest_target("长尾词")); });
    // The request is in the server's hands, waiting out its delay, when it stops.
    while (server.arrivals() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    server.stop();
    client.join();
    EXPECT_TRUE(server.requests().empty());
}

// A started program that the test has not reaped yet is ended by its pid
// when the test leaves early.
struct ChildGuard {
    pid_t pid = -1;
    ~ChildGuard()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    // Sends sig and waits; returns the exit code, or -1 when it did not exit.
    int stop(int sig)
    {
        int status = 0;
        ::kill(pid, sig);
        pid_t reaped = ::waitpid(pid, &status, 0);
        pid = -1;
        return reaped > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST(FakeServicesProgram, PrintsItsPortServesAndStopsOnSigtermOrSigint)
{
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig == SIGTERM ? "SIGTERM" : "SIGINT");
        ScratchDir dir;
        std::string graph = dir.path() + "/g.graph", port_file = dir.path() + "/port", log = dir.path() + "/log";
        {
            FILE* f = std::fopen(graph.c_str(), "w");
            std::fputs(kGraph, f);
            std::fclose(f);
        }
        int out_pipe[2];
        ASSERT_EQ(::pipe2(out_pipe, O_CLOEXEC), 0);
        ChildGuard child;
        child.pid = ::fork();
        if (child.pid == 0) {
            ::dup2(out_pipe[1], 1);
            ::execl(LT_FAKE_SERVICES_BIN, LT_FAKE_SERVICES_BIN, "--port-file", port_file.c_str(), "--log", log.c_str(),
                "--chunked", graph.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out_pipe[1]);
        std::string first_line;
        char c;
        while (::read(out_pipe[0], &c, 1) == 1 && c != '\n')
            first_line += c;
        ::close(out_pipe[0]);
        ASSERT_EQ(first_line.rfind("PORT ", 0), 0u) << first_line;
        uint16_t port = uint16_t(std::stoi(first_line.substr(5)));
        EXPECT_EQ(read_file(port_file), std::to_string(port) + "\n");

        Response r = split(raw_get(port, suggest_target("QQ空间")).response);
        EXPECT_EQ(r.body, "[\"QQ%u7A7A%u95F4%u5BC6%u7801\"]");
        EXPECT_NE(r.headers.find("Transfer-Encoding: chunked"), std::string::npos);

        EXPECT_EQ(child.stop(sig), 0);
        EXPECT_EQ(read_file(log), "suggest\tQQ空间\t200\t-\t" + suggest_target("QQ空间") + "\n");
    }
}

TEST(FakeServicesProgram, RefusesBadUsage)
{
    ScratchDir dir;
    struct Case {
        std::vector<std::string> args;
        int exit_code;
    } cases[] = {
        {{}, 2},
        {{"--bogus", "g"}, 2},
        {{"--port"}, 2},
        {{dir.path() + "/missing.graph"}, 1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv = {LT_FAKE_SERVICES_BIN};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        ChildResult r = run_child(argv, {}, dir.path());
        EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
}

} // namespace
} // namespace lt::e2e
