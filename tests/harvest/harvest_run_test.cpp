// The run on virtual time against scripted services: scheduling, admission,
// completion, Stop and the watcher, and lists changed under the run.

#include "harvest/harvest_run.h"
#include "tests/harvest/fake_web.h"
#include "text/cp936.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::FakeWeb;
using test::Reply;

const char kRunning[] = "正在查询中，不要重复点击！如果需要重新查询，请先停止！";
const char kNoKeyword[] = "不能查询，请输入关键词！";
const char kFinished[] = "查询完毕，这个词再也查不了了！";
const char kStopping[] = "正在手动停止查询....";
const char kStopped[] = "手动停止查询完毕";

std::string cp(const std::string& utf8)
{
    return utf8_to_cp936(utf8);
}

// The window as the run sees it; texts are kept in UTF-8 for the assertions.
class TestHost : public HarvestHost {
public:
    explicit TestHost(EventLoop& loop) : timer2(loop) { }
    std::string KeywordText() override { return cp(keyword); }
    bool BroadExpansion() override { return broad; }
    bool MustContain() override { return must_contain; }
    void SetStatus(const std::string& text) override { statuses.push_back(cp936_to_utf8(text)); }
    HarvestRows& Results() override { return rows_; }
    void SetResultsCounter(const std::string& text) override { counter = text; }
    Timer& Timer2() override { return timer2; }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> out;
        for (const std::string& row : results.texts())
            out.push_back(cp936_to_utf8(row));
        return out;
    }

    std::string keyword;
    bool broad = false;
    bool must_contain = true;
    std::vector<std::string> statuses;
    IndexedList results;
    std::string counter;
    Timer timer2;

private:
    IndexedListRows rows_{results};
};

class HarvestRunTest : public ::testing::Test {
protected:
    HarvestRunTest()
    {
        run.SetHosts({"s.test", "w.test"});
        run.SetRequestFactory(web.factory());
    }

    void query(const std::string& keyword)
    {
        host.keyword = keyword;
        run.skSkinXFormButton1Click(nullptr);
    }
    // Answers in UTF-8, which the run's fallback converts.
    void answer_by_keyword(
        std::function<std::string(const std::string& keyword, int32_t kind)> body, int delay_ms = 100)
    {
        web.responder = [body, delay_ms](const FakeWeb::Sent& s, size_t) {
            return Reply{true, body(s.keyword, s.kind), delay_ms};
        };
    }
    std::vector<std::string> keywords_sent(int32_t kind) const
    {
        std::vector<std::string> out;
        for (const auto& s : web.sent)
            if (s.kind == kind)
                out.push_back(s.keyword);
        return out;
    }
    const HarvestState& state() const { return run.State(); }

    VirtualClock clock;
    EventLoop loop{clock};
    TComponent owner{nullptr};
    TestHost host{loop};
    FakeWeb web{loop};
    HarvestRun run{host, &owner, loop};
};

TEST_F(HarvestRunTest, NarrowRunWithNothingNewMakesExactlyTwoRequests)
{
    query("Abc");
    EXPECT_EQ(host.rows(), std::vector<std::string>{"Abc"});
    EXPECT_EQ(host.counter, "(1)");
    EXPECT_EQ(state().Running, -1);
    EXPECT_EQ(state().NotStopped, -1);
    loop.advance(10000);

    ASSERT_EQ(web.sent.size(), 2u);
    EXPECT_EQ(web.sent[0].url, "http://s.test/include/keywords.php?k=abc");
    EXPECT_EQ(web.sent[1].url, "http://s.test/include/keywords.php?k=Abc");
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"正在查询：abc", "正在查询：Abc", kFinished}));
    EXPECT_EQ(state().Running, 0);
    EXPECT_EQ(state().NotStopped, -1);
    EXPECT_EQ(state().SuggestIssued, 1);
    EXPECT_EQ(state().SuggestDone, 2);
    // Every request has been freed once it reported.
    EXPECT_EQ(run.RequestsInFlight(), 0);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(HarvestRunTest, StatusTextsAreCodePage936Bytes)
{
    query("");
    query("a");
    query("a");
    // 正在查询：a and the refusal, byte for byte.
    EXPECT_EQ(cp(host.statuses[1]),
        "\xD5\xFD\xD4\xDA\xB2\xE9\xD1\xAF\xA3\xBA"
        "a");
    EXPECT_EQ(cp(host.statuses[0]),
        "\xB2\xBB\xC4\xDC\xB2\xE9\xD1\xAF\xA3\xAC\xC7\xEB\xCA\xE4\xC8\xEB\xB9\xD8\xBC\xFC\xB4\xCA\xA3\xA1");
    EXPECT_EQ(host.statuses[2], kRunning);
}

TEST_F(HarvestRunTest, QQSpaceSeedWithMustContain)
{
    answer_by_keyword([](const std::string& k, int32_t) {
        return k == "qq空间" ? "[\"QQ空间密码\",\"qq空间登录\",\"空间说说\",\"qq空间\",\"QQ空间\"]" : "[]";
    });
    query("QQ空间");
    EXPECT_EQ(state().SeedKeyword, cp("qq空间"));
    loop.advance(10000);

    EXPECT_EQ(
        keywords_sent(kSuggestSource), (std::vector<std::string>{"qq空间", "QQ空间", "QQ空间密码", "qq空间登录"}));
    EXPECT_EQ(web.sent[0].url, "http://s.test/include/keywords.php?k=qq%BF%D5%BC%E4");
    // The keyword as typed inside a phrase is admitted; a phrase without it
    // is not; qq空间 is row 0 ignoring case.
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"QQ空间", "QQ空间密码", "qq空间登录"}));
    EXPECT_EQ(host.statuses.back(), kFinished);
}

TEST_F(HarvestRunTest, MustContainReadAtEachAnswer)
{
    answer_by_keyword([](const std::string& k, int32_t) { return k == "abc" ? "x,abc1" : k == "Abc" ? "y,abc2" : ""; });
    query("Abc");
    loop.advance(100); // first answer with the filter on
    host.must_contain = false;
    loop.advance(10000);
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"Abc", "abc1", "y", "abc2"}));
}

TEST_F(HarvestRunTest, AdmissionDropsEmptyKnownAndLineBreakingCandidates)
{
    host.must_contain = false;
    answer_by_keyword([](const std::string& k, int32_t) {
        return k == "seed" ? "[\"a%0Ab\",\"a\\rb\",\"a%00b\",\"a b\",\"\",\" a b\",\"A B\",\"x\\\"]" : "";
    });
    query("seed");
    loop.advance(150);
    // Failed items (a trailing backslash) and empty ones are dropped; a
    // leading space makes another phrase.
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"seed", "a b", " a b"}));
}

TEST_F(HarvestRunTest, QueryRefusedWhileRunningOrStoppingAndWithoutKeyword)
{
    web.responder = [](const FakeWeb::Sent&, size_t) { return Reply{true, "[]", 2000}; };
    query("");
    EXPECT_EQ(host.statuses, std::vector<std::string>{kNoKeyword});
    EXPECT_TRUE(web.sent.empty());
    EXPECT_EQ(state().Running, 0);

    query("abc");
    loop.advance(100);
    query("other");
    EXPECT_EQ(host.statuses.back(), kRunning);
    EXPECT_EQ(host.rows(), std::vector<std::string>{"abc"});

    run.skSkinXFormButton2Click(nullptr); // Stopping until the watcher's tick
    query("other");
    EXPECT_EQ(host.statuses.back(), kRunning);
    loop.advance(500);
    EXPECT_EQ(host.statuses.back(), kStopped);
    query("other");
    EXPECT_EQ(host.rows(), std::vector<std::string>{"other"});
    EXPECT_EQ(state().Running, -1);
}

TEST_F(HarvestRunTest, StopDuringRunThenLateAnswer)
{
    answer_by_keyword([](const std::string&, int32_t) { return "abc late"; }, 1000);
    query("abc");
    loop.advance(200);
    run.skSkinXFormButton2Click(nullptr);
    EXPECT_TRUE(host.timer2.Enabled());
    loop.advance(499);
    EXPECT_EQ(host.statuses.back(), "正在查询：abc");
    loop.advance(1);
    // The watcher passes at its first tick although a request is in flight.
    EXPECT_EQ(host.statuses.back(), kStopped);
    EXPECT_FALSE(host.timer2.Enabled());
    EXPECT_EQ(state().Running, 0);
    EXPECT_EQ(run.RequestsInFlight(), 1);

    loop.advance(1000);
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"abc", "abc late"}));
    EXPECT_EQ(host.statuses.back(), kStopping);
    EXPECT_EQ(state().NotStopped, 0);
    EXPECT_EQ(web.sent.size(), 1u);
    EXPECT_EQ(run.RequestsInFlight(), 0);
}

TEST_F(HarvestRunTest, StopWhenIdleReportsAfterOneTick)
{
    run.skSkinXFormButton2Click(nullptr);
    EXPECT_EQ(state().NotStopped, 0);
    loop.advance(499);
    EXPECT_TRUE(host.statuses.empty());
    loop.advance(1);
    EXPECT_EQ(host.statuses, std::vector<std::string>{kStopped});
    loop.advance(2000);
    EXPECT_EQ(host.statuses.size(), 1u);
}

TEST_F(HarvestRunTest, ClearingTheListEndsANarrowRunAtTheNextAnswer)
{
    // Request 0 (seed) brings two phrases; request 1 (row 0) brings one.
    web.responder = [](const FakeWeb::Sent&, size_t i) { return Reply{true, i == 0 ? "a1,a2" : "a1", 100}; };
    query("a");
    loop.advance(100);
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"a", "a1", "a2"}));
    host.results.clear();
    loop.advance(100);
    // One new phrase in an empty list: the count (1) is not above the cursor (1).
    EXPECT_EQ(host.rows(), std::vector<std::string>{"a1"});
    EXPECT_EQ(host.statuses.back(), kFinished);
    EXPECT_EQ(web.sent.size(), 2u);
}

TEST_F(HarvestRunTest, DeletingRowsShiftsWhatTheCursorPointsAt)
{
    web.responder = [](const FakeWeb::Sent&, size_t i) { return Reply{true, i == 0 ? "a1,a2,a3" : "", 100}; };
    query("a");
    loop.advance(100); // rows a a1 a2 a3; row 0 asked next, cursor now 1
    host.results.remove(0);
    loop.advance(100);
    EXPECT_EQ(keywords_sent(kSuggestSource), (std::vector<std::string>{"a", "a", "a2"}));
}

TEST_F(HarvestRunTest, BroadRunExhaustedWhileSuggestionInFlight)
{
    host.broad = true;
    const std::string page_without_new =
        "<div style=\"background-color:#eff2fa\">相关搜索"
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr><td nowrap class=\"f14\">"
        "<a href=\"x\">seed</a></td></tr></table></td></tr><tr><td>";
    web.responder = [&](const FakeWeb::Sent& s, size_t) {
        return s.kind == kRelatedSource ? Reply{true, page_without_new, 10} : Reply{true, "seed more", 1000};
    };
    query("seed");
    EXPECT_EQ(web.sent[0].url, "http://w.test/s?wd=seed");
    EXPECT_EQ(web.sent[1].url, "http://s.test/include/keywords.php?k=seed");
    loop.advance(20);
    // The related chain asked about the seed and row 0: the run is over.
    EXPECT_EQ(keywords_sent(kRelatedSource), (std::vector<std::string>{"seed", "seed"}));
    EXPECT_EQ(host.statuses.back(), kFinished);
    EXPECT_EQ(state().Running, 0);
    EXPECT_EQ(state().NotStopped, -1);

    loop.advance(1000);
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"seed", "seed more"}));
    EXPECT_EQ(host.statuses.back(), kFinished);
    EXPECT_EQ(state().NotStopped, 0);
    EXPECT_EQ(web.sent.size(), 3u);
}

TEST_F(HarvestRunTest, RelatedPageWithoutTableIsCountedTwiceAndTheChainGoesOn)
{
    host.broad = true;
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        return s.kind == kRelatedSource ? Reply{true, "<html>seed error page</html>", 10} : Reply{true, "", 5000};
    };
    query("seed");
    loop.advance(10);
    EXPECT_EQ(state().RelatedDone, 2);
    EXPECT_EQ(state().RelatedIssued, 1);
    EXPECT_EQ(keywords_sent(kRelatedSource), (std::vector<std::string>{"seed", "seed"}));
    EXPECT_EQ(host.rows(), std::vector<std::string>{"seed"});
    loop.advance(10);
    EXPECT_EQ(host.statuses.back(), kFinished);
    EXPECT_EQ(run.RequestsInFlight(), 1); // the suggestion request
    loop.advance(5000);
    EXPECT_EQ(run.RequestsInFlight(), 0);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(HarvestRunTest, LateRelatedAnswerOfABroadRunInANarrowRunAsksNothing)
{
    host.broad = true;
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        return s.kind == kRelatedSource ? Reply{true, "<html>no table</html>", 3000} : Reply{true, "", 10};
    };
    query("seed");
    run.skSkinXFormButton2Click(nullptr);
    loop.advance(500); // the watcher ends the broad run; its related request is still out
    ASSERT_EQ(host.statuses.back(), kStopped);
    host.broad = false;
    web.responder = [](const FakeWeb::Sent&, size_t) { return Reply{true, "", 5000}; };
    query("next");
    int errors = 0;
    loop.set_exception_handler([&](std::exception_ptr) { ++errors; });
    loop.advance(3000);
    // The stale answer is counted against the new run but has no row -1 to ask.
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(keywords_sent(kRelatedSource), std::vector<std::string>{"seed"});
    EXPECT_EQ(state().RelatedDone, 2);
    EXPECT_EQ(state().Running, -1);
}

TEST_F(HarvestRunTest, RequestThatCannotStartIsReportedLaterAsAFailure)
{
    web.failing_starts = 1;
    query("abc");
    // Nothing is reported from inside Start.
    EXPECT_EQ(state().SuggestIssued, 0);
    EXPECT_EQ(state().SuggestDone, 0);
    EXPECT_EQ(state().Running, -1);
    EXPECT_EQ(run.RequestsInFlight(), 1);
    loop.advance(1000);
    // The failed phrase counted as asked; the chain went on with row 0.
    EXPECT_EQ(keywords_sent(kSuggestSource), std::vector<std::string>{"abc"});
    EXPECT_EQ(host.statuses.back(), kFinished);
    EXPECT_EQ(state().Running, 0);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(HarvestRunTest, FailedRequestsShowNoTextAndTheChainMovesOn)
{
    web.responder = [](const FakeWeb::Sent&, size_t i) {
        return i == 0 ? Reply{true, "abc1,abc2", 100} : Reply{false, "", 100};
    };
    query("abc");
    loop.advance(10000);
    EXPECT_EQ(keywords_sent(kSuggestSource), (std::vector<std::string>{"abc", "abc", "abc1", "abc2"}));
    EXPECT_EQ(host.statuses,
        (std::vector<std::string>{"正在查询：abc", "正在查询：abc", "正在查询：abc1", "正在查询：abc2", kFinished}));
}

TEST_F(HarvestRunTest, RequestsFreedByTheirOwnerAreForgotten)
{
    web.responder = [](const FakeWeb::Sent&, size_t) { return Reply{true, "abc1", 1000}; };
    host.keyword = "abc";
    // The owner goes first: the run forgets its request and lives on.
    auto window = std::make_unique<TComponent>(nullptr);
    auto other = std::make_unique<HarvestRun>(host, window.get(), loop);
    other->SetRequestFactory(web.factory());
    other->skSkinXFormButton1Click(nullptr);
    EXPECT_EQ(other->RequestsInFlight(), 1);
    window.reset();
    EXPECT_EQ(other->RequestsInFlight(), 0);
    loop.advance(5000);
    EXPECT_EQ(host.rows(), std::vector<std::string>{"abc"});

    // The run goes first: its request, still owned by the window, fires
    // into nothing.
    window = std::make_unique<TComponent>(nullptr);
    other = std::make_unique<HarvestRun>(host, window.get(), loop);
    other->SetRequestFactory(web.factory());
    other->skSkinXFormButton1Click(nullptr);
    other.reset();
    loop.advance(5000);
    EXPECT_EQ(host.rows(), std::vector<std::string>{"abc"});
    // The window, as its owner, frees it with itself.
    EXPECT_EQ(window->ComponentCount(), 1);
}

// What the status texts keep silent about reaches an observer, with the
// reason each request recorded.
class FailureLog : public HarvestObserver {
public:
    void RequestFailed(int32_t kind, const std::string& phrase, const FetchFailure& failure) override
    {
        lines.push_back(std::to_string(kind) + " " + cp936_to_utf8(phrase) + " " + FetchFailureName(failure.kind));
    }
    std::vector<std::string> lines;
};

TEST_F(HarvestRunTest, FailuresReachTheObserverWithTheirReason)
{
    FailureLog log;
    run.SetObserver(&log);
    host.broad = true;
    web.failing_starts = 1; // the related request for the seed
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        if (s.kind == kRelatedSource)
            return Reply{true, "<html>no table</html>", 50};
        if (s.keyword == "abc")
            return Reply{true, "abc1", 1};
        return Reply{false, "", 1, FetchFailure{FetchFailureKind::HttpStatus, 503, {}}};
    };
    query("abc");
    loop.advance(10000);
    EXPECT_EQ(log.lines,
        (std::vector<std::string>{
            "1 abc not-started", "0 abc1 http-status", "1 abc answer-rejected", "1 abc1 answer-rejected"}));
    // The status texts stay as they were: no text for a failure.
    for (const std::string& status : host.statuses)
        EXPECT_TRUE(status.rfind("正在查询：", 0) == 0 || status == kFinished) << status;
}

TEST_F(HarvestRunTest, CancelledRequestsAreCountedAsFailures)
{
    FailureLog log;
    run.SetObserver(&log);
    host.broad = true;
    web.responder = [](const FakeWeb::Sent&, size_t) { return Reply{true, "abc1", 60000}; };
    query("abc");
    run.skSkinXFormButton2Click(nullptr);
    loop.advance(2000);
    EXPECT_EQ(run.RequestsInFlight(), 2);
    run.CancelRequests();
    loop.advance(1);
    EXPECT_EQ(run.RequestsInFlight(), 0);
    EXPECT_EQ(state().SuggestDone, state().SuggestIssued + 1);
    EXPECT_EQ(state().RelatedDone, state().RelatedIssued + 1);
    EXPECT_EQ(log.lines.size(), 2u);
    for (const std::string& line : log.lines)
        EXPECT_NE(line.find(" abc cancelled"), std::string::npos) << line;
    EXPECT_EQ(host.rows(), std::vector<std::string>{"abc"});
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// ---- Sources from profiles: pace, pause and statistics ----

SourceProfile json_profile(int min_interval_ms = 0, int pause_after = 0, int pause_ms = 30000)
{
    SourceProfile p;
    p.name = "json";
    p.url = "https://j.test/s?q={phrase}";
    p.format = AnswerFormat::OpenSearch;
    p.phrase_charset = PhraseCharset::Utf8;
    p.min_interval_ms = min_interval_ms;
    p.pause_after_failures = pause_after;
    p.pause_ms = pause_ms;
    return p;
}

// The OpenSearch answer for a phrase: the phrase followed by 1, 2, ... n.
std::string opensearch(const std::string& phrase, int n)
{
    std::string items;
    for (int i = 1; i <= n; ++i)
        items += (i > 1 ? ",\"" : "\"") + phrase + std::to_string(i) + "\"";
    return "[\"" + phrase + "\", [" + items + "]]";
}

class PauseLog : public HarvestObserver {
public:
    void ChainPaused(int32_t kind, const SourceProfile& source, int failures, int pause_ms) override
    {
        lines.push_back(source.name + " " + std::to_string(failures) + " " + std::to_string(pause_ms));
    }
    std::vector<std::string> lines;
};

TEST_F(HarvestRunTest, ProfileSourceAsksItsUrlAndReadsItsFormat)
{
    run.SetSources(json_profile(), BuiltinRelatedProfile(run.Hosts()));
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        return Reply{true, s.keyword == "长尾" ? opensearch("长尾", 2) : "[\"x\", []]", 10};
    };
    query("长尾");
    loop.advance(10000);
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"长尾", "长尾1", "长尾2"}));
    ASSERT_FALSE(web.sent.empty());
    EXPECT_EQ(web.sent[0].url, "https://j.test/s?q=%E9%95%BF%E5%B0%BE");
    EXPECT_EQ(host.statuses.back(), kFinished);
}

TEST_F(HarvestRunTest, MinimumIntervalPacesOneChainOnTheLoopClock)
{
    auto times = [&](int32_t kind) {
        std::vector<int64_t> out;
        for (const auto& s : web.sent)
            if (s.kind == kind)
                out.push_back(s.at_ms);
        return out;
    };
    // Narrow: the seed as typed follows the lower-cased seed a second later,
    // and so on, although every answer comes in 10 ms.
    run.SetSources(json_profile(1000), BuiltinRelatedProfile(run.Hosts()));
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        return Reply{true, s.keyword == "abc" ? opensearch("abc", 3) : "[\"x\", []]", 10};
    };
    query("abc");
    loop.advance(60000);
    EXPECT_EQ(times(kSuggestSource), (std::vector<int64_t>{0, 1000, 2000, 3000, 4000}));
    EXPECT_EQ(host.statuses.back(), kFinished);

    // Broad, with the related chain paced: the suggestion chain keeps its own speed.
    web.sent.clear();
    host.broad = true;
    run.SetSources(BuiltinSuggestProfile(run.Hosts()), json_profile(1000));
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        if (s.kind == kRelatedSource)
            return Reply{true, s.keyword == "abc" ? opensearch("abc", 2) : "[\"x\", []]", 10};
        return Reply{true, "[]", 10};
    };
    query("abc");
    loop.advance(60000);
    EXPECT_EQ(times(kRelatedSource), (std::vector<int64_t>{60000, 61000, 62000, 63000}));
    EXPECT_EQ(times(kSuggestSource), (std::vector<int64_t>{60000, 60010, 60020, 60030}));

    // Stop while a request waits for its time: it is never sent.
    web.sent.clear();
    host.broad = false;
    run.SetSources(json_profile(1000), BuiltinRelatedProfile(run.Hosts()));
    web.responder = [](const FakeWeb::Sent&, size_t) { return Reply{true, "[\"x\", []]", 10}; };
    query("abc");
    loop.advance(500);
    run.skSkinXFormButton2Click(nullptr);
    loop.advance(5000);
    EXPECT_EQ(web.sent.size(), 1u);
    EXPECT_EQ(host.statuses.back(), kStopped);
    EXPECT_EQ(state().Running, 0);
}

TEST_F(HarvestRunTest, FailuresInARowPauseTheChainForGrowingIntervals)
{
    PauseLog log;
    run.SetObserver(&log);
    run.SetSources(json_profile(0, 2, 5000), BuiltinRelatedProfile(run.Hosts()));
    // The seed brings eight phrases; abc3 answers, everything else fails.
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        if (s.keyword == "abc")
            return Reply{true, opensearch("abc", 8), 10};
        if (s.keyword == "abc3")
            return Reply{true, "[\"abc3\", []]", 10};
        return Reply{false, "", 10};
    };
    query("abc");
    loop.advance(600000);
    std::vector<std::string> asked;
    std::vector<int64_t> at;
    for (const auto& s : web.sent) {
        asked.push_back(s.keyword);
        at.push_back(s.at_ms);
    }
    EXPECT_EQ(asked,
        (std::vector<std::string>{"abc", "abc", "abc1", "abc2", "abc3", "abc4", "abc5", "abc6", "abc7", "abc8"}));
    // abc answers at 10 and 20; abc1 fails at 30; abc2 fails at 40 (two in
    // a row: 5 s pause); abc3 answers; abc4 fails, abc5 fails (pause 5 s
    // again, since the answer ended the streak), abc6 fails (10 s), abc7
    // fails (20 s).
    EXPECT_EQ(at, (std::vector<int64_t>{0, 10, 20, 30, 5040, 5050, 5060, 10070, 20080, 40090}));
    EXPECT_EQ(log.lines,
        (std::vector<std::string>{"json 2 5000", "json 2 5000", "json 3 10000", "json 4 20000", "json 5 40000"}));
    EXPECT_EQ(run.Stats(kSuggestSource).pauses, 5);
    EXPECT_EQ(host.statuses.back(), kFinished);
}

TEST_F(HarvestRunTest, NoPauseLastsMoreThanAnHour)
{
    // The first pause the profile asks for, and the pauses of three failures in a row.
    const struct {
        int first_ms;
        std::vector<std::string> lines;
    } cases[] = {
        {86400 * 1000, {"json 1 3600000", "json 2 3600000", "json 3 3600000"}},
        {2700 * 1000, {"json 1 2700000", "json 2 3600000", "json 3 3600000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first_ms);
        PauseLog log;
        run.SetObserver(&log);
        run.SetSources(json_profile(0, 1, c.first_ms), BuiltinRelatedProfile(run.Hosts()));
        web.responder = [](const FakeWeb::Sent& s, size_t) {
            return s.keyword == "abc" ? Reply{true, opensearch("abc", 3), 10} : Reply{false, "", 10};
        };
        query("abc");
        loop.advance(4 * 3600 * 1000);
        EXPECT_EQ(log.lines, c.lines);
        EXPECT_EQ(host.statuses.back(), kFinished);
        run.SetObserver(nullptr);
    }
}

TEST_F(HarvestRunTest, StatisticsOfARunWithPlantedFailures)
{
    run.SetSources(json_profile(), BuiltinRelatedProfile(run.Hosts()));
    web.failing_starts = 0;
    web.responder = [](const FakeWeb::Sent& s, size_t) {
        if (s.keyword == "abc")
            return Reply{true, R"(["abc", ["abc1", "abc2", "abc3", "abc😀", "abc1"]])", 100};
        if (s.keyword == "abc1")
            return Reply{false, "", 100, FetchFailure{FetchFailureKind::HttpStatus, 503, {}}};
        if (s.keyword == "abc2")
            return Reply{true, "<html>blocked</html>", 100};
        return Reply{true, R"(["abc3", ["x", "abc3"]])", 100};
    };
    query("abc");
    loop.advance(10000);
    EXPECT_EQ(host.rows(), (std::vector<std::string>{"abc", "abc1", "abc2", "abc3"}));
    const SourceStats& s = run.Stats(kSuggestSource);
    EXPECT_EQ(s.chain, "suggest");
    EXPECT_EQ(s.source, "json");
    EXPECT_EQ(s.requests, 5);
    // Four answers came back (abc twice, abc2, abc3); abc2's was no JSON.
    EXPECT_EQ(s.answers, 4);
    EXPECT_EQ(s.failures,
        (std::map<FetchFailureKind, int>{{FetchFailureKind::HttpStatus, 1}, {FetchFailureKind::AnswerRejected, 1}}));
    EXPECT_EQ(s.Failed(), 2);
    EXPECT_EQ(s.candidates, 12);
    EXPECT_EQ(s.unrepresentable, 2);
    EXPECT_EQ(s.admitted, 3);
    // Five requests 100 ms apart, the last report at 500 ms: 4 answers in half a second.
    EXPECT_DOUBLE_EQ(s.AnswersPerMinute(), 480.0);
    EXPECT_EQ(StatsLine(s),
        "suggest source json: 5 requests, 4 answers, 2 failed (http-status 1, answer-rejected 1), "
        "12 candidates, 3 admitted, 2 unrepresentable, 480.0 answers/min");
    EXPECT_EQ(run.Stats(kRelatedSource).requests, 0);

    // A new run starts its statistics afresh.
    query("x");
    EXPECT_EQ(run.Stats(kSuggestSource).requests, 1);
    EXPECT_EQ(run.Stats(kSuggestSource).answers, 0);
}

} // namespace
} // namespace lt
