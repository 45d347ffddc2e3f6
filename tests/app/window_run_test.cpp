// Runs driven through the window against the in-process fake services: the
// seed typed through the input method, 查询 clicked, the rows and the status
// read off the window; Stop through Timer2; a bad source profile; and the
// window closed while requests are in flight.

#include "tests/app/app_fixture.h"

#include "net/webget.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "skinned/skin_edit.h"
#include "skinned/static_controls.h"
#include "tools/fake-services/fake_server.h"

#include <map>
#include <set>

namespace lt::test {
namespace {

using fake::FakeServer;
using fake::PhraseGraph;
using fake::Service;

const char kFinished[] = "查询完毕，这个词再也查不了了！";

// Seed QQ空间: the run's keyword is qq空间, row 0 stays QQ空间.
const char kGraph[] = "qq空间\tsuggest\tQQ空间\tqq空间登录\tQQ空间密码\t空间说说\tqq空间登录\n"
                      "qq空间\trelated\tqq空间官网\tQQ空间说说\n"
                      "QQ空间\tsuggest\tQq空间登录\tqq空间相册\n"
                      "QQ空间\trelated\tqq空间克隆\n"
                      "qq空间登录\tsuggest\tqq空间登录入口\tQQ空间登录\n"
                      "qq空间相册\tsuggest\tqq空间相册恢复软件下载\t相册\n"
                      "qq空间官网\trelated\tqq空间官网首页\n"
                      "空间说说\tsuggest\t说说大全\n";

PhraseGraph Graph(const std::string& text)
{
    std::string error;
    auto g = PhraseGraph::parse(text, &error);
    EXPECT_TRUE(g) << error;
    return g ? *g : PhraseGraph();
}

// ASCII letters folded, double-byte characters left whole (code page 936).
std::string Fold(const std::string& text)
{
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = out[i];
        if (c >= 0x81 && c <= 0xFE)
            ++i;
        else if (c >= 'A' && c <= 'Z')
            out[i] = static_cast<char>(c + 32);
    }
    return out;
}

struct WindowRun : MainWindow {
    std::map<std::string, std::string> env;

    // Points the window's Query at a server, as LONGTAIL_SUGGEST_HOST and
    // LONGTAIL_SEARCH_HOST do.
    void UseServer(const FakeServer& server)
    {
        const std::string host = "127.0.0.1:" + std::to_string(server.port());
        env["LONGTAIL_SUGGEST_HOST"] = host;
        env["LONGTAIL_SEARCH_HOST"] = host;
        w().Getenv = [this](const char* name) -> const char* {
            auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        };
    }

    void TypeSeed(const std::string& seed)
    {
        Click(w().edit1);
        TypeThroughInputMethod(seed);
        ASSERT_EQ(utf8(w().edit1->Text()), seed);
    }

    // Waits in real time for the answers until the run has ended and no
    // request is fetching.
    bool WaitForTheEnd(int timeout_ms = 20000)
    {
        const HarvestRun& run = w().Run();
        const bool ended =
            loop.wait_until([&] { return !run.State().Running && run.RequestsInFlight() == 0; }, timeout_ms);
        pump();
        return ended;
    }

    // The phrases one service was asked about, in order; a fetch repeated
    // as a range request counts once.
    static std::vector<std::string> Asked(const std::vector<fake::RequestRecord>& requests, Service service)
    {
        std::vector<std::string> out;
        size_t n = 0;
        for (const auto& r : requests)
            if (r.service == service && n++ % 2 == 0)
                out.push_back(fake::cp936_to_utf8(r.phrase).value_or("?"));
        return out;
    }
};

TEST_F(WindowRun, NarrowRunFromTheKeyboxToTheLastRow)
{
    // The first answer waits, so the window can be looked at before it.
    FakeServer server(Graph(std::string(kGraph) + "qq空间\tsuggest-fault\tdelay=300\n"));
    ASSERT_TRUE(server.start());
    server.record_requests(true);
    UseServer(server);

    TypeSeed("QQ空间");
    Click(w().skSkinCheckRadioBox1); // broad expansion off
    ASSERT_FALSE(w().skSkinCheckRadioBox1->Checked());
    Click(w().skSkinXFormButton1); // 查询
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), "正在查询：qq空间");
    EXPECT_EQ(w().skSkinStdLabel1->Caption(), "(1)") << "the counter is set at once";
    EXPECT_EQ(RowsOf(w().skSkinListBox1), (std::vector<std::string>{"QQ空间"}));

    ASSERT_TRUE(WaitForTheEnd());
    // The filter drops 空间说说 and 相册; QQ空间 (the seed's row), Qq空间登录
    // and QQ空间登录 are duplicates by letter case.
    const std::vector<std::string> rows = {
        "QQ空间", "qq空间登录", "QQ空间密码", "qq空间相册", "qq空间登录入口", "qq空间相册恢复软件下载"};
    EXPECT_EQ(RowsOf(w().skSkinListBox1), rows);
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), kFinished);
    std::vector<std::string> asked = {"qq空间"};
    asked.insert(asked.end(), rows.begin(), rows.end());
    EXPECT_EQ(Asked(server.requests(), Service::Suggest), asked);
    EXPECT_TRUE(Asked(server.requests(), Service::Related).empty());
    loop.advance(500);
    EXPECT_EQ(w().skSkinStdLabel1->Caption(), "(6)");

    // The rows shown are the list's: the first row's text is on screen.
    const TskListBox& inner = w().skSkinListBox1->ListBox();
    EXPECT_EQ(inner.Model().count(), 6);
    EXPECT_EQ(w().skSkinListBox1->TopIndex(), 0);
}

TEST_F(WindowRun, BroadRunWalksBothSources)
{
    FakeServer server(Graph(kGraph));
    ASSERT_TRUE(server.start());
    server.record_requests(true);
    UseServer(server);

    TypeSeed("QQ空间");
    ASSERT_TRUE(w().skSkinCheckRadioBox1->Checked());
    Click(w().skSkinXFormButton1);
    ASSERT_TRUE(WaitForTheEnd());

    const std::vector<std::string> rows = RowsOf(w().skSkinListBox1);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), "QQ空间");
    std::set<std::string> folded;
    for (const std::string& r : rows) {
        EXPECT_TRUE(folded.insert(Fold(cp(r))).second) << r << " twice";
        EXPECT_NE(Fold(cp(r)).find(cp("qq空间")), std::string::npos) << r << " passed the filter";
    }
    for (const char* phrase : {"qq空间官网", "QQ空间说说", "qq空间克隆", "qq空间官网首页", "qq空间相册"})
        EXPECT_TRUE(std::count(rows.begin(), rows.end(), phrase)) << phrase;
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), kFinished);
    const auto related = Asked(server.requests(), Service::Related);
    ASSERT_GE(related.size(), 2u);
    EXPECT_EQ(related[0], "qq空间");
    EXPECT_EQ(related[1], "QQ空间");
}

TEST_F(WindowRun, StopEndsTheRunAtTheWatchersTick)
{
    fake::ReplySwitches slow;
    ASSERT_TRUE(fake::parse_switch("delay=200", slow, nullptr));
    FakeServer server(Graph(kGraph), slow);
    ASSERT_TRUE(server.start());
    UseServer(server);

    TypeSeed("QQ空间");
    Click(w().skSkinXFormButton1);
    EXPECT_TRUE(w().Run().State().Running);
    Click(w().skSkinXFormButton1);
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), "正在查询中，不要重复点击！如果需要重新查询，请先停止！");
    Click(w().skSkinXFormButton2); // 停止
    EXPECT_TRUE(w().Timer2->Enabled());
    loop.advance(500);
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), "手动停止查询完毕");
    EXPECT_FALSE(w().Timer2->Enabled());
    ASSERT_TRUE(WaitForTheEnd());
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), "正在手动停止查询....") << "the answers in flight came later";
}

TEST_F(WindowRun, ABadSourceProfileIsReportedAndNoRunStarts)
{
    CatchErrors();
    FakeServer server(Graph(kGraph));
    ASSERT_TRUE(server.start());
    server.record_requests(true);
    UseServer(server);
    env["LONGTAIL_SOURCES"] = "/nonexistent/sources.ini";

    TypeSeed("QQ空间");
    Click(w().skSkinXFormButton1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("/nonexistent/sources.ini"), std::string::npos) << errors[0];
    EXPECT_FALSE(w().Run().State().Running);
    EXPECT_EQ(w().skSkinListBox1->Count(), 0);
    EXPECT_EQ(w().skSkinStdLabel4->Caption(), "");

    // Once the profile is put right the next Query runs.
    env.erase("LONGTAIL_SOURCES");
    Click(w().skSkinCheckRadioBox1);
    Click(w().skSkinXFormButton1);
    ASSERT_TRUE(WaitForTheEnd());
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), kFinished);
    EXPECT_EQ(errors.size(), 1u);

    // An empty keyword box is told about before any profile is read.
    env["LONGTAIL_SOURCES"] = "/nonexistent/sources.ini";
    w().edit1->SetText("");
    Click(w().skSkinXFormButton1);
    EXPECT_EQ(utf8(w().skSkinStdLabel4->Caption()), "不能查询，请输入关键词！");
    EXPECT_EQ(errors.size(), 1u);
}

// Closing the window while both sources have a request in flight: the
// window and the run go, the answers arrive afterwards and are dropped, and
// every worker ends. Run under the sanitizers to catch a write after free.
TEST_F(WindowRun, ClosingTheWindowDuringARunEndsCleanly)
{
    fake::ReplySwitches slow;
    ASSERT_TRUE(fake::parse_switch("delay=300", slow, nullptr));
    FakeServer server(Graph(kGraph), slow);
    ASSERT_TRUE(server.start());
    UseServer(server);

    TypeSeed("QQ空间");
    Click(w().skSkinXFormButton1);
    ASSERT_TRUE(w().Run().State().Running);
    ASSERT_TRUE(loop.wait_until([&] { return server.arrivals() >= 2; }, 5000)) << "both requests went out";
    ASSERT_EQ(w().Run().RequestsInFlight(), 2);

    // The close button of the frame ends the application, which frees the
    // window with its components, the requests among them.
    w().Close();
    EXPECT_TRUE(app.Terminated());
    delete Form1;
    EXPECT_EQ(Form1, nullptr);

    // The answers come and find nothing to report to.
    EXPECT_FALSE(loop.wait_until([] { return false; }, 800));
    EXPECT_TRUE(webget_shutdown(5000)) << "every worker ended";
    EXPECT_EQ(webget_live_workers(), 0);
}

} // namespace
} // namespace lt::test
