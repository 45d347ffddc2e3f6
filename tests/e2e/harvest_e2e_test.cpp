// The command-line harvester end to end: the real program, run as a child
// process against an in-process fake-services that answers from a scripted
// phrase graph.
//
// A narrow run is fully determined by its graph: one request in flight, the
// results list as the work queue. The expected rows and status texts below
// are worked out by hand from the run's rules (admission order, duplicates
// folded by ASCII case, the must-contain filter with the candidate's ASCII
// letters folded, the seed asked lower-cased and then as typed). A broad run
// interleaves two sources, so its checks are properties of a correct list.

#include "tests/e2e/child_process.h"
#include "tools/fake-services/fake_server.h"
#include "tools/fake-services/test_certificates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>

namespace lt::e2e {
namespace {

using fake::FakeServer;
using fake::PhraseGraph;
using fake::ReplySwitches;
using fake::Service;

std::string cp936(const std::string& utf8)
{
    return fake::utf8_to_cp936(utf8).value();
}

// ASCII letters folded, double-byte characters left whole.
std::string fold(const std::string& cp936_text)
{
    std::string out = cp936_text;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = out[i];
        if (c >= 0x81 && c <= 0xFE) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = char(c + 32);
        }
    }
    return out;
}

PhraseGraph graph_of(const std::string& text)
{
    std::string error;
    auto g = PhraseGraph::parse(text, &error);
    EXPECT_TRUE(g) << error;
    return g ? *g : PhraseGraph();
}

struct Harvest {
    ChildResult child;
    std::vector<std::string> rows;   // stdout lines, UTF-8
    std::vector<std::string> status; // stderr lines, UTF-8
    std::vector<fake::RequestRecord> requests;
};

Harvest harvest(FakeServer& server, const ScratchDir& dir, std::vector<std::string> options, const std::string& seed,
    std::map<std::string, std::string> env = {})
{
    std::vector<std::string> argv = {LT_HARVEST_BIN};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(seed);
    std::string host = "127.0.0.1:" + std::to_string(server.port());
    server.clear_requests();
    server.record_requests(true);
    Harvest h;
    env.emplace("LONGTAIL_SUGGEST_HOST", host);
    env.emplace("LONGTAIL_SEARCH_HOST", host);
    h.child = run_child(argv, env, dir.path());
    h.rows = lines_of(h.child.out);
    h.status = lines_of(h.child.err);
    h.requests = server.requests();
    return h;
}

// The phrases one service was asked about, one per fetch, in order. When
// fetches come in pairs (a first GET and its repeat) the repeat is folded in.
std::vector<std::string> asked(const std::vector<fake::RequestRecord>& requests, Service service, bool pairs)
{
    std::vector<std::string> out;
    size_t n = 0;
    for (const auto& r : requests) {
        if (r.service != service)
            continue;
        if (!pairs || n++ % 2 == 0)
            out.push_back(fake::cp936_to_utf8(r.phrase).value_or("?"));
    }
    return out;
}

// ---- Narrow runs ------------------------------------------------------------

// Seed QQ空间: the run's keyword is qq空间, row 0 stays QQ空间.
const char* kNarrowGraph = "qq空间\tsuggest\tQQ空间\tqq空间登录\tQQ空间密码\t空间说说\tqq空间登录\n"
                           "qq空间\trelated\tqq空间官网\n"
                           "QQ空间\tsuggest\tQq空间登录\tqq空间相册\n"
                           "qq空间登录\tsuggest\tqq空间登录入口\tQQ空间登录\n"
                           "qq空间相册\tsuggest\tqq空间相册恢复软件下载\t相册\n"
                           "空间说说\tsuggest\t说说大全\n";

std::vector<std::string> asking(std::vector<std::string> phrases, bool finished = true)
{
    std::vector<std::string> lines;
    for (const auto& p : phrases)
        lines.push_back("正在查询：" + p);
    if (finished)
        lines.push_back("查询完毕，这个词再也查不了了！");
    return lines;
}

TEST(HarvestNarrow, FollowsTheGraphRowForRowUnderEveryWireVariant)
{
    // Filter on: QQ空间 (row 0 as typed) drops by case; QQ空间密码 passes the
    // filter once folded; 空间说说 and 相册 fail it; Qq空间登录 and QQ空间登录
    // are duplicates by case.
    const std::vector<std::string> rows = {
        "QQ空间", "qq空间登录", "QQ空间密码", "qq空间相册", "qq空间登录入口", "qq空间相册恢复软件下载"};
    const std::vector<std::string> asked_phrases = {
        "qq空间", "QQ空间", "qq空间登录", "QQ空间密码", "qq空间相册", "qq空间登录入口", "qq空间相册恢复软件下载"};
    struct Variant {
        const char* name;
        std::vector<std::string> switches;
    } variants[] = {
        {"plain", {}},
        {"chunked", {"chunked"}},
        {"last-modified", {"last-modified"}},
        {"range ignored", {"ignore-range"}},
        {"utf-8 bodies", {"utf8"}},
        {"slow", {"delay=20"}},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.name);
        ReplySwitches switches;
        for (const auto& s : v.switches)
            ASSERT_TRUE(fake::parse_switch(s, switches, nullptr));
        PhraseGraph graph = graph_of(kNarrowGraph);
        FakeServer server(graph, switches);
        ASSERT_TRUE(server.start());
        ScratchDir dir;
        Harvest h = harvest(server, dir, {"--narrow"}, "QQ空间");
        ASSERT_FALSE(h.child.killed);
        EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
        EXPECT_EQ(h.rows, rows);
        EXPECT_EQ(h.status, asking(asked_phrases));
        const bool last_modified = switches.last_modified.value_or(false);
        EXPECT_EQ(asked(h.requests, Service::Suggest, !last_modified), asked_phrases);
        EXPECT_TRUE(asked(h.requests, Service::Related, false).empty());

        // On the wire: without Last-Modified each fetch is repeated, with a
        // range up to the first answer's Content-Length, or with no range at
        // all when there was none; with Last-Modified the first answer is read.
        const auto& reqs = h.requests;
        ASSERT_EQ(reqs.size(), asked_phrases.size() * (last_modified ? 1 : 2));
        for (size_t i = 0; !last_modified && i + 1 < reqs.size(); i += 2) {
            EXPECT_EQ(reqs[i].phrase, reqs[i + 1].phrase);
            EXPECT_FALSE(reqs[i].range_line);
            const bool chunked = switches.chunked.value_or(false);
            std::string body = fake::suggest_answer(graph.find(reqs[i].phrase));
            if (chunked) {
                EXPECT_FALSE(reqs[i + 1].range_line) << *reqs[i + 1].range_line;
            } else {
                EXPECT_EQ(reqs[i + 1].range_line.value_or("-"), "RANGE: bytes=0-" + std::to_string(body.size()));
            }
        }
        if (last_modified) {
            EXPECT_EQ(read_file(dir.path() + "/.ini"), "Wed, 21 Oct 2015 07:28:00 GMT\r\n");
        }
    }
}

TEST(HarvestNarrow, AnyPhraseAdmitsWhatTheFilterDrops)
{
    FakeServer server(graph_of(kNarrowGraph));
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    Harvest h = harvest(server, dir, {"--narrow", "--any"}, "QQ空间");
    ASSERT_FALSE(h.child.killed);
    EXPECT_EQ(h.child.exit_code, 0);
    const std::vector<std::string> rows = {"QQ空间", "qq空间登录", "QQ空间密码", "空间说说", "qq空间相册",
        "qq空间登录入口", "说说大全", "qq空间相册恢复软件下载", "相册"};
    EXPECT_EQ(h.rows, rows);
    std::vector<std::string> asked_phrases = {"qq空间"};
    asked_phrases.insert(asked_phrases.end(), rows.begin(), rows.end());
    EXPECT_EQ(h.status, asking(asked_phrases));
}

TEST(HarvestNarrow, FailedAnswersAdmitNothingAndTheRunStillEnds)
{
    // An error page that echoes the phrase between commas, a reset, and a
    // body cut short (its first half would decode to the new phrase
    // qq空间相册恢复): each is a failed request that admits nothing, its
    // phrase is not asked again, and the chain goes on with the next row.
    std::string graph = std::string(kNarrowGraph) +
        "qq空间登录\tsuggest-fault\tstatus=503\n"
        "QQ空间密码\tsuggest-fault\treset\n"
        "qq空间相册\tsuggest-fault\tcut\n";
    FakeServer server(graph_of(graph));
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    Harvest h = harvest(server, dir, {"--narrow"}, "QQ空间");
    ASSERT_FALSE(h.child.killed) << "the run did not end by itself";
    EXPECT_EQ(h.child.exit_code, 0);
    EXPECT_EQ(h.rows, (std::vector<std::string>{"QQ空间", "qq空间登录", "QQ空间密码", "qq空间相册"}));
    EXPECT_EQ(h.status, asking({"qq空间", "QQ空间", "qq空间登录", "QQ空间密码", "qq空间相册"}));
}

TEST(HarvestNarrow, SeedWithoutAnswersIsAskedTwiceAndEnds)
{
    FakeServer server(graph_of("x\tsuggest\ty\n"));
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    Harvest h = harvest(server, dir, {"--narrow"}, "Ab 中");
    EXPECT_EQ(h.child.exit_code, 0);
    EXPECT_EQ(h.rows, std::vector<std::string>{"Ab 中"});
    EXPECT_EQ(h.status, asking({"ab 中", "Ab 中"}));
    // The space travels as "+".
    ASSERT_FALSE(h.requests.empty());
    EXPECT_EQ(h.requests.front().target, "/include/keywords.php?k=ab+%D6%D0");
}

// ---- Broad runs -------------------------------------------------------------

const char* kBroadGraph = "长尾词\tsuggest\t长尾词挖掘\t长尾词工具\t长尾关键词\t长尾词挖掘\n"
                          "长尾词\trelated\t长尾词优化\t长尾词是什么\t关键词排名\t长尾词挖掘\n"
                          "长尾词挖掘\tsuggest\t长尾词挖掘工具\t长尾词挖掘方法\n"
                          "长尾词挖掘\trelated\t长尾词挖掘软件\t挖掘机\n"
                          "长尾词工具\tsuggest\t长尾词工具下载\t长尾词挖掘工具\n"
                          "长尾词优化\tsuggest\t长尾词优化技巧\n"
                          "长尾词优化\trelated\tSEO长尾词优化\t长尾词优化方法\n"
                          "SEO长尾词优化\tsuggest\tseo长尾词优化\tSeo长尾词优化教程\n"
                          "长尾关键词\tsuggest\t长尾关键词怎么找\n"
                          "关键词排名\trelated\t关键词排名查询\t长尾词排名\n"
                          "长尾词挖掘工具\tsuggest\t免费长尾词挖掘工具\n";

TEST(HarvestBroad, ListHoldsOnlyAdmissibleRowsOnceAndExportsThemInCodePage936)
{
    // UTF-8 answers go through the harvester's UTF-8 fallback and must give
    // the same phrases as code page 936 ones.
    for (const char* variant : {"content-length", "chunked", "utf8"}) {
        SCOPED_TRACE(variant);
        ReplySwitches switches;
        ASSERT_TRUE(fake::parse_switch(variant, switches, nullptr));
        PhraseGraph graph = graph_of(kBroadGraph);
        FakeServer server(graph, switches);
        ASSERT_TRUE(server.start());
        ScratchDir dir;
        std::string export_path = dir.path() + "/导出.txt";
        Harvest h = harvest(server, dir, {"--export", export_path}, "长尾词");
        ASSERT_FALSE(h.child.killed);
        EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
        ASSERT_FALSE(h.rows.empty());
        EXPECT_EQ(h.rows[0], "长尾词");

        // Every other row was offered by one of the two services for some phrase,
        // contains the seed, and appears once whatever its letter case.
        std::set<std::string> offered;
        for (const char* phrase : {"长尾词", "长尾词挖掘", "长尾词工具", "长尾词优化", "SEO长尾词优化", "长尾关键词",
                 "关键词排名", "长尾词挖掘工具"}) {
            const fake::PhraseEntry* e = graph.find(cp936(phrase));
            for (const auto* items : {&e->suggest, &e->related})
                if (*items)
                    for (const auto& item : **items)
                        offered.insert(item);
        }
        std::set<std::string> seen;
        for (size_t i = 0; i < h.rows.size(); ++i) {
            const std::string row = cp936(h.rows[i]);
            EXPECT_TRUE(seen.insert(fold(row)).second) << "duplicate row " << h.rows[i];
            EXPECT_NE(fold(row).find(cp936("长尾词")), std::string::npos) << h.rows[i];
            if (i > 0) {
                EXPECT_TRUE(offered.count(h.rows[i])) << "row from nowhere: " << h.rows[i];
            }
        }
        // The seed's own related-search page is always read before the run can
        // end, so its admissible phrases are there.
        for (const char* related : {"长尾词优化", "长尾词是什么"})
            EXPECT_NE(std::find(h.rows.begin(), h.rows.end(), related), h.rows.end()) << related;
        EXPECT_FALSE(asked(h.requests, Service::Related, true).empty());

        ASSERT_FALSE(h.status.empty());
        EXPECT_EQ(h.status.front(), "正在查询：长尾词");
        EXPECT_EQ(h.status.back(), "查询完毕，这个词再也查不了了！");

        // The export file: each row in code page 936 followed by CR LF, no BOM.
        std::string expected;
        for (const auto& row : h.rows)
            expected += cp936(row) + "\r\n";
        EXPECT_EQ(read_file(export_path), expected);
    }
}

TEST(HarvestBroad, RelatedPagesWithoutTheBlockDoNotStopTheRun)
{
    // Pages of phrases without related items lack the block, and the page of
    // the phrase that leads to SEO长尾词优化 is an error page.
    std::string graph = std::string(kBroadGraph) + "长尾词优化\trelated-fault\tstatus=500\n";
    FakeServer server(graph_of(graph));
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    Harvest h = harvest(server, dir, {}, "长尾词");
    ASSERT_FALSE(h.child.killed) << "the run did not end by itself";
    EXPECT_EQ(h.child.exit_code, 0);
    EXPECT_EQ(std::find(h.rows.begin(), h.rows.end(), "SEO长尾词优化"), h.rows.end());
    EXPECT_EQ(h.status.back(), "查询完毕，这个词再也查不了了！");
}

// ---- Usage ------------------------------------------------------------------

TEST(HarvestUsage, BadUsageExitsWithTwo)
{
    ScratchDir dir;
    for (std::vector<std::string> args : {std::vector<std::string>{}, {"--bogus", "x"}, {"--max-seconds"}}) {
        std::vector<std::string> argv = {LT_HARVEST_BIN};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildResult r = run_child(argv, {}, dir.path());
        EXPECT_EQ(r.exit_code, 2) << (args.empty() ? "(no arguments)" : args[0]);
    }
}

// ---- Sources from profiles --------------------------------------------------

// The narrow graph's answers, asked in UTF-8 through a JSON endpoint. Seed
// 长尾词: the rows and the phrases asked follow from the graph as above.
const char* kJsonGraph = "长尾词\tsuggest\t长尾词挖掘\t长尾词工具\t关键词\t长尾词挖掘\n"
                         "长尾词挖掘\tsuggest\t长尾词挖掘工具\t长尾词挖掘方法\n"
                         "长尾词工具\tsuggest\t长尾词工具下载\n";
const std::vector<std::string> kJsonRows = {
    "长尾词", "长尾词挖掘", "长尾词工具", "长尾词挖掘工具", "长尾词挖掘方法", "长尾词工具下载"};

std::string write_profiles(const ScratchDir& dir, const std::string& text)
{
    const std::string path = dir.path() + "/sources.ini";
    std::ofstream(path) << text;
    return path;
}

std::string profile(const std::string& name, const std::string& url, const std::string& rest)
{
    return "[" + name + "]\nurl = " + url + "\nphrase-charset = utf-8\n" + rest;
}

TEST(HarvestSources, JsonProfilesGiveTheRowsTheGraphSays)
{
    FakeServer server(graph_of(kJsonGraph));
    ASSERT_TRUE(server.start());
    const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
    struct Case {
        const char* name;
        std::string profile;
        const char* endpoint;
    } cases[] = {
        {"opensearch", profile("os", base + "/opensearch?q={phrase}", "format = opensearch\n"), "/opensearch"},
        {"callback",
            profile("cb", base + "/jsonp?callback=window.cb&q={phrase}", "format = opensearch\ncallback = yes\n"),
            "/jsonp"},
        {"json path", profile("path", base + "/jsonpath?q={phrase}", "format = json-path\njson-path = data.items\n"),
            "/jsonpath"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        const std::string file = write_profiles(dir, c.profile);
        const std::string name = c.profile.substr(1, c.profile.find(']') - 1);
        Harvest h = harvest(server, dir, {"--narrow", "--sources", file, "--suggest", name}, "长尾词");
        ASSERT_FALSE(h.child.killed);
        EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
        EXPECT_EQ(h.rows, kJsonRows);
        // The phrase went out in UTF-8, to the profile's endpoint.
        ASSERT_FALSE(h.requests.empty());
        EXPECT_EQ(h.requests.front().endpoint, c.endpoint);
        EXPECT_NE(h.requests.front().target.find("q=%E9%95%BF%E5%B0%BE%E8%AF%8D"), std::string::npos);
        // (The tool prints a status text once when it repeats: the seed is
        // asked twice.)
        std::vector<std::string> lines =
            asking({"长尾词", "长尾词挖掘", "长尾词工具", "长尾词挖掘工具", "长尾词挖掘方法", "长尾词工具下载"});
        lines.push_back("longtail-harvest: suggest source " + name +
            ": 7 requests, 7 answers, 0 failed, 11 candidates, 5 admitted, 0 unrepresentable, ");
        ASSERT_EQ(h.status.size(), lines.size()) << h.child.err;
        EXPECT_EQ(std::vector<std::string>(h.status.begin(), h.status.end() - 1),
            std::vector<std::string>(lines.begin(), lines.end() - 1));
        EXPECT_EQ(h.status.back().rfind(lines.back(), 0), 0u) << h.status.back();
    }
}

TEST(HarvestSources, HttpsWithTheTestCaAndARefusedCertificate)
{
    ScratchDir certs, other_ca;
    fake::TestCertificates made, other;
    std::string error;
    ASSERT_TRUE(fake::make_test_certificates(certs.path(), made, &error)) << error;
    ASSERT_TRUE(fake::make_test_certificates(other_ca.path(), other, &error)) << error;
    FakeServer server(graph_of(kJsonGraph));
    ASSERT_TRUE(server.enable_tls(made.server_cert, made.server_key, 0, &error)) << error;
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    const std::string file = write_profiles(dir,
        profile("tls", "https://127.0.0.1:" + std::to_string(server.tls_port()) + "/opensearch?q={phrase}",
            "format = opensearch\n"));

    Harvest h = harvest(
        server, dir, {"--narrow", "--sources", file, "--suggest", "tls"}, "长尾词", {{"SSL_CERT_FILE", made.ca_cert}});
    EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
    EXPECT_EQ(h.rows, kJsonRows);
    ASSERT_FALSE(h.requests.empty());
    for (const auto& r : h.requests)
        EXPECT_TRUE(r.tls);
    ASSERT_FALSE(h.status.empty());
    EXPECT_EQ(h.status.back().rfind("longtail-harvest: suggest source tls: 7 requests, 7 answers, 0 failed, ", 0), 0u)
        << h.child.err;

    // Broad, as a user would run it: the related chain asks the built-in
    // web search over plain HTTP, and both chains report.
    h = harvest(server, dir, {"--sources", file, "--suggest", "tls"}, "长尾词", {{"SSL_CERT_FILE", made.ca_cert}});
    EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
    ASSERT_FALSE(h.rows.empty());
    EXPECT_EQ(h.rows[0], "长尾词");
    for (const std::string& row : h.rows)
        EXPECT_NE(std::find(kJsonRows.begin(), kJsonRows.end(), row), kJsonRows.end()) << row;
    EXPECT_NE(h.child.err.find("longtail-harvest: suggest source tls: "), std::string::npos) << h.child.err;
    EXPECT_NE(h.child.err.find("longtail-harvest: related source baidu-related: "), std::string::npos) << h.child.err;

    // A certificate from a CA the client does not trust: every request
    // fails, the run still ends, and the reason is the certificate.
    h = harvest(server, dir, {"--narrow", "--verbose", "--sources", file, "--suggest", "tls"}, "长尾词",
        {{"SSL_CERT_FILE", other.ca_cert}});
    EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
    EXPECT_EQ(h.rows, std::vector<std::string>{"长尾词"});
    EXPECT_NE(h.child.err.find("failed: secure connection failed"), std::string::npos) << h.child.err;
    EXPECT_NE(h.child.err.find("2 failed (tls 2)"), std::string::npos) << h.child.err;
}

TEST(HarvestSources, StatisticsFileOfARunWithPlantedFailures)
{
    // 长尾词挖掘 answers 503, 长尾词工具 resets; the answer for 长尾词 itself holds
    // two candidates code page 936 cannot hold.
    const std::string graph = std::string(kJsonGraph) +
        "长尾词\tjson-raw\t[\"长尾词\", [\"长尾词挖掘\", \"长尾词😀\", \"长尾词工具\", \"\\ud83d\\ude00\"]]\n"
        "长尾词挖掘\tsuggest-fault\tstatus=503\n"
        "长尾词工具\tsuggest-fault\treset\n";
    FakeServer server(graph_of(graph));
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
    const std::string file =
        write_profiles(dir, profile("os", base + "/opensearch?q={phrase}", "format = opensearch\n"));
    const std::string stats = dir.path() + "/stats.json";
    Harvest h =
        harvest(server, dir, {"--narrow", "--quiet", "--sources", file, "--suggest", "os", "--stats", stats}, "长尾词");
    EXPECT_EQ(h.child.exit_code, 0) << h.child.err;
    EXPECT_EQ(h.child.err, "");
    EXPECT_EQ(h.rows, (std::vector<std::string>{"长尾词", "长尾词挖掘", "长尾词工具"}));

    const nlohmann::json doc = nlohmann::json::parse(read_file(stats));
    ASSERT_EQ(doc["sources"].size(), 1u);
    const nlohmann::json& s = doc["sources"][0];
    EXPECT_EQ(s["chain"], "suggest");
    EXPECT_EQ(s["source"], "os");
    EXPECT_EQ(s["requests"], 4);
    EXPECT_EQ(s["answers"], 2);
    EXPECT_EQ(s["failed"], 2);
    EXPECT_EQ(s["failures"], (nlohmann::json{{"http-status", 1}, {"transport", 1}}));
    EXPECT_EQ(s["candidates"], 8);
    EXPECT_EQ(s["unrepresentable"], 4);
    EXPECT_EQ(s["admitted"], 2);
    EXPECT_GT(s["answers_per_minute"].get<double>(), 0);
}

TEST(HarvestSources, BadProfilesStopBeforeAnyRequestAndTheListShowsEveryProfile)
{
    FakeServer server(graph_of(kJsonGraph));
    ASSERT_TRUE(server.start());
    ScratchDir dir;
    const std::string file = write_profiles(dir, "[os]\nurl = http://127.0.0.1:9/os?q={phrase}\nformat = json\n");
    Harvest h = harvest(server, dir, {"--sources", file, "--suggest", "os"}, "长尾词");
    EXPECT_EQ(h.child.exit_code, 2);
    EXPECT_EQ(h.child.err,
        "longtail-harvest: " + file +
            ":3: format: unknown format \"json\" (escaped-list, related-page, opensearch or json-path)\n");
    EXPECT_TRUE(h.requests.empty());

    // The same choice through the window's variables.
    h = harvest(server, dir, {}, "长尾词", {{"LONGTAIL_SOURCES", file}});
    EXPECT_EQ(h.child.exit_code, 2);
    EXPECT_NE(h.child.err.find(file + ":3: format: "), std::string::npos);
    h = harvest(server, dir, {}, "长尾词", {{"LONGTAIL_SUGGEST_SOURCE", "nowhere"}});
    EXPECT_EQ(h.child.err,
        "longtail-harvest: LONGTAIL_SUGGEST_SOURCE: no profile named \"nowhere\" (no profile file "
        "is named: --sources or LONGTAIL_SOURCES)\n");

    const std::string good = write_profiles(dir, "[os]\nurl = https://h.test/os?q={phrase}\nformat = opensearch\n");
    ChildResult list = run_child(
        {LT_HARVEST_BIN, "--sources", good, "--list-sources"}, {{"LONGTAIL_SUGGEST_HOST", "127.0.0.1:9"}}, dir.path());
    EXPECT_EQ(list.exit_code, 0) << list.err;
    EXPECT_EQ(list.out,
        "soso-suggest\tescaped-list\thttp://127.0.0.1:9/include/keywords.php?k={phrase}\tbuilt in\n"
        "baidu-related\trelated-page\thttp://www.baidu.com/s?wd={phrase}\tbuilt in\n"
        "os\topensearch\thttps://h.test/os?q={phrase}\t" +
            good + ":1\n");
}

} // namespace
} // namespace lt::e2e
