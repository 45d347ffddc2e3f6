#include "harvest/harvest_run.h"

#include "harvest/answer_formats.h"

#include "text/cp936.h"
#include "text/text_utils.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace lt {

// Sections: status texts - request bookkeeping (Reaper, release_later) -
// Start and Stop - issuing a request - answers and failures - admission -
// completion test and scheduling - pace - stop watcher.

namespace {

// The status texts, held in code page 936 like every text the window shows.
const std::string kAlreadyRunning = utf8_to_cp936("正在查询中，不要重复点击！如果需要重新查询，请先停止！");
const std::string kNoKeyword = utf8_to_cp936("不能查询，请输入关键词！");
const std::string kQuerying = utf8_to_cp936("正在查询：");
const std::string kFinished = utf8_to_cp936("查询完毕，这个词再也查不了了！");
const std::string kStopping = utf8_to_cp936("正在手动停止查询....");
const std::string kStopped = utf8_to_cp936("手动停止查询完毕");

// The user agent every request sends; servers may choose their markup by it.
const char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)";

bool has_line_break_or_nul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A positive number of seconds from the environment, in milliseconds.
void limit_from_env(const char* name, int& ms)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return;
    char* end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (*end == '\0' && seconds > 0 && seconds <= 24 * 3600)
        ms = std::max(1, static_cast<int>(seconds * 1000));
}

} // namespace

FetchLimits FetchLimits::FromEnvironment()
{
    FetchLimits limits;
    limit_from_env("LONGTAIL_NO_PROGRESS_SECONDS", limits.ReceiveTimeoutMs);
    limit_from_env("LONGTAIL_FETCH_DEADLINE_SECONDS", limits.DeadlineMs);
    return limits;
}

// ---------------------------------------------------------------- request bookkeeping

// Told when any request the run created is destroyed, by the run or by its
// owner, so the run never holds a pointer to a freed request.
class HarvestRun::Reaper : public TComponent {
public:
    explicit Reaper(HarvestRun& run) : TComponent(nullptr), run_(run) { }
    std::unordered_set<TComponent*> releasing; // reported, waiting to be freed

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation != TOperation::opRemove)
            return;
        run_.in_flight_.erase(component);
        releasing.erase(component);
    }

private:
    HarvestRun& run_;
};

HarvestRun::HarvestRun(HarvestHost& host, TComponent* owner, EventLoop& loop)
    : host_(host),
      owner_(owner),
      loop_(loop),
      hosts_(ServiceHosts::FromEnvironment()),
      limits_(FetchLimits::FromEnvironment()),
      reaper_(std::make_unique<Reaper>(*this))
{
    Timer& timer = host_.Timer2();
    timer.SetEnabled(false);
    timer.SetInterval(500);
    timer.SetOnTimer([this] { Timer2Timer(nullptr); });
    SetSources(BuiltinSuggestProfile(hosts_), BuiltinRelatedProfile(hosts_));
}

void HarvestRun::SetHosts(ServiceHosts hosts)
{
    hosts_ = std::move(hosts);
    if (suggest_.profile.name == kBuiltinSuggestName)
        suggest_.profile = BuiltinSuggestProfile(hosts_);
    if (related_.profile.name == kBuiltinRelatedName)
        related_.profile = BuiltinRelatedProfile(hosts_);
}

void HarvestRun::SetSources(const SourceProfile& suggest, const SourceProfile& related)
{
    suggest_.profile = suggest;
    related_.profile = related;
}

HarvestRun::~HarvestRun()
{
    host_.Timer2().SetOnTimer(nullptr);
    drop_pending(suggest_);
    drop_pending(related_);
    // Requests still fetching belong to the owner; they must not call back
    // into a run that is gone.
    for (auto& [component, request] : in_flight_) {
        request->OnDoneString = nullptr;
        request->OnError = nullptr;
    }
}

void HarvestRun::release_later(Tmywebget* request)
{
    TComponent* component = request;
    if (in_flight_.erase(component) == 0)
        return; // already released: the second report of a doubly reported answer
    reaper_->releasing.insert(component);
    // The request is still inside its completion step; it is freed after it.
    std::weak_ptr<bool> alive = alive_;
    loop_.post([this, alive, component] {
        if (alive.expired() || reaper_->releasing.erase(component) == 0)
            return;
        delete component;
    });
}

// ---------------------------------------------------------------- Start and Stop

void HarvestRun::skSkinXFormButton1Click(TComponent*)
{
    if (state_.Running) {
        host_.SetStatus(kAlreadyRunning);
        return;
    }
    const std::string keyword = host_.KeywordText();
    if (keyword.empty()) {
        host_.SetStatus(kNoKeyword);
        return;
    }
    state_.SeedKeyword = LowerAscii(keyword);
    host_.SetStatus(kQuerying + state_.SeedKeyword);
    state_.RelatedDone = 0;
    state_.RelatedIssued = -1;
    state_.SuggestDone = 0;
    state_.SuggestIssued = -1;
    // A new run starts its statistics and its failure count afresh; the pace
    // still counts from each chain's last request.
    for (int32_t kind : {kSuggestSource, kRelatedSource}) {
        Chain& c = chain(kind);
        drop_pending(c);
        c.stats = SourceStats{};
        c.stats.chain = kind == kSuggestSource ? "suggest" : "related";
        c.stats.source = c.profile.name;
        c.failures_in_a_row = 0;
        c.next_pause_ms = 0;
        c.paused_until_ms = 0;
    }
    // These requests answer only after this handler has returned, so their
    // answers meet the new list and the flags set below.
    if (host_.BroadExpansion())
        ask(kRelatedSource, state_.SeedKeyword);
    ask(kSuggestSource, state_.SeedKeyword);
    HarvestRows& results = host_.Results();
    results.clear();
    results.append(keyword);
    host_.SetResultsCounter("(" + std::to_string(results.count()) + ")");
    state_.NotStopped = -1;
    state_.Running = -1;
}

void HarvestRun::skSkinXFormButton2Click(TComponent*)
{
    state_.NotStopped = 0;
    host_.Timer2().SetEnabled(true);
}

// ---------------------------------------------------------------- issuing a request

void HarvestRun::gotourl(const std::string& url, const std::string& phrase, int32_t kind)
{
    // No response cache exists to bypass here: every fetch goes to the server.
    int32_t& issued = kind == kSuggestSource ? state_.SuggestIssued : state_.RelatedIssued;
    Chain& c = chain(kind);
    c.last_issued_ms = loop_.now_ms();
    ++c.stats.requests;
    if (c.stats.first_request_ms < 0)
        c.stats.first_request_ms = *c.last_issued_ms;
    Tmywebget* request = nullptr;
    bool counted = false;
    try {
        request = factory_ ? factory_(owner_) : new Tmywebget(owner_);
        reaper_->FreeNotification(request);
        request->BinaryData = false;
        request->UseCache = false;
        request->Agent = kAgent;
        request->URL = url;
        request->ReceiveTimeoutMs = limits_.ReceiveTimeoutMs;
        request->DeadlineMs = limits_.DeadlineMs;
        request->Keyword = phrase;
        ++issued;
        counted = true;
        request->OnDoneString = [this](TComponent* sender, const std::string& body) { getstr(sender, body); };
        request->OnError = [this](TComponent* sender) { geterror(sender); };
        request->SourceKind = kind;
        in_flight_.emplace(request, request);
        request->FetchString();
    } catch (const std::exception& e) {
        start_failed(request, phrase, kind, counted, e.what());
    } catch (...) {
        start_failed(request, phrase, kind, counted, {});
    }
}

void HarvestRun::start_failed(
    Tmywebget* request, const std::string& phrase, int32_t kind, bool counted, std::string why)
{
    // A request that cannot be started counts as a failed one: its phrase
    // counts as asked, and its failure is reported through the loop like any
    // other, never from inside this call (Start relies on answers arriving
    // after it has returned).
    if (!counted)
        ++(kind == kSuggestSource ? state_.SuggestIssued : state_.RelatedIssued);
    if (request) {
        request->OnDoneString = nullptr;
        request->OnError = nullptr;
        in_flight_.emplace(request, request);
        release_later(request);
    }
    ++failures_pending_;
    std::weak_ptr<bool> alive = alive_;
    loop_.post([this, alive, kind, phrase, why = std::move(why)] {
        if (alive.expired())
            return;
        --failures_pending_;
        count_done(kind);
        const FetchFailure failure{FetchFailureKind::NotStarted, 0, why};
        if (observer_)
            observer_->RequestFailed(kind, phrase, failure);
        chain_failed(kind, failure);
        IsOver(kind);
    });
}

void HarvestRun::CancelRequests()
{
    drop_pending(suggest_);
    drop_pending(related_);
    // Cancelling reports nothing at once, but collect first all the same: a
    // stand-in may report (and be released) from inside CancelFetch.
    std::vector<Tmywebget*> requests;
    for (auto& [component, request] : in_flight_)
        requests.push_back(request);
    for (Tmywebget* request : requests)
        if (in_flight_.count(request))
            request->CancelFetch();
}

// ---------------------------------------------------------------- answers and failures

void HarvestRun::count_done(int32_t kind)
{
    if (kind == kSuggestSource)
        ++state_.SuggestDone;
    else
        ++state_.RelatedDone;
}

void HarvestRun::getstr(TComponent* Sender, const std::string& body)
{
    auto* request = dynamic_cast<Tmywebget*>(Sender);
    if (!request)
        return;
    const int32_t kind = request->SourceKind;
    release_later(request);
    count_done(kind);
    if (kind != kSuggestSource && kind != kRelatedSource) {
        IsOver(kind);
        return;
    }

    Chain& c = chain(kind);
    ++c.stats.answers;
    c.stats.last_report_ms = loop_.now_ms();
    c.failures_in_a_row = 0;
    c.next_pause_ms = 0;
    AdmitFn admit_one = [this, &c](const std::string& candidate) {
        if (admit(candidate))
            ++c.stats.admitted;
    };
    // An answer not in its source's format (a related-search page without
    // its table, a JSON answer that does not parse) throws here; the request
    // then reports the failure too, and geterror schedules the next row.
    const AnswerCounts counts = ParseAnswer(c.profile, body, admit_one);
    c.stats.candidates += counts.candidates;
    c.stats.unrepresentable += counts.unrepresentable;
    IsOver(kind);
}

void HarvestRun::geterror(TComponent* Sender)
{
    auto* request = dynamic_cast<Tmywebget*>(Sender);
    if (!request)
        return;
    const int32_t kind = request->SourceKind;
    release_later(request);
    count_done(kind);
    if (observer_)
        observer_->RequestFailed(kind, request->Keyword, request->Failure());
    if (kind == kSuggestSource || kind == kRelatedSource)
        chain_failed(kind, request->Failure());
    IsOver(kind);
}

void HarvestRun::chain_failed(int32_t kind, const FetchFailure& failure)
{
    Chain& c = chain(kind);
    ++c.stats.failures[failure.kind];
    c.stats.last_report_ms = loop_.now_ms();
    ++c.failures_in_a_row;
    const int limit = c.profile.pause_after_failures;
    if (limit <= 0 || c.failures_in_a_row < limit)
        return;
    // Each failure past the limit pauses again, twice as long as the last
    // time (up to an hour), until an answer comes through. The hour holds for
    // the first pause too, or a longer one would be followed by shorter ones.
    constexpr int kLongestPauseMs = 3600 * 1000;
    const int pause = std::min(kLongestPauseMs, c.next_pause_ms > 0 ? c.next_pause_ms : c.profile.pause_ms);
    c.next_pause_ms = std::min(kLongestPauseMs / 2, pause) * 2;
    c.paused_until_ms = loop_.now_ms() + pause;
    ++c.stats.pauses;
    if (observer_)
        observer_->ChainPaused(kind, c.profile, c.failures_in_a_row, pause);
}

// ---------------------------------------------------------------- admission

bool HarvestRun::admit(const std::string& candidate)
{
    // A line break or NUL would split the phrase across lines of an export.
    if (candidate.empty() || has_line_break_or_nul(candidate))
        return false;
    HarvestRows& results = host_.Results();
    if (results.lookup(candidate) >= 0)
        return false;
    // The seed is held lower-cased; the candidate is compared lower-cased too,
    // so a phrase holding the keyword as typed (QQ空间密码) is admitted.
    if (host_.MustContain() && LowerAscii(candidate).find(state_.SeedKeyword) == std::string::npos)
        return false;
    results.append(candidate);
    return true;
}

// ---------------------------------------------------------------- completion test and scheduling

void HarvestRun::IsOver(int32_t kind)
{
    HarvestRows& results = host_.Results();
    const int32_t rows = results.count();
    const bool exhausted = host_.BroadExpansion()
        ? state_.SuggestDone >= state_.SuggestIssued && rows <= state_.RelatedIssued
        : rows <= state_.SuggestIssued;

    if (!state_.Running || !state_.NotStopped) {
        host_.SetStatus(state_.NotStopped ? kFinished : kStopping);
        state_.Running = 0;
        state_.NotStopped = 0;
        return;
    }
    if (exhausted) {
        host_.SetStatus(kFinished);
        state_.Running = 0;
        return;
    }
    // The scheduler does not consult the broad-expansion box: a chain that
    // exists keeps going until it catches up with the list. A cursor of -1
    // means the chain was never started in this run (a late answer of an
    // earlier broad run reaching a narrow one): there is no row -1 to ask.
    if (kind == kSuggestSource && state_.SuggestIssued >= 0 && rows - 1 >= state_.SuggestIssued)
        ask(kSuggestSource, std::nullopt);
    else if (kind == kRelatedSource && state_.RelatedIssued >= 0 && rows - 1 >= state_.RelatedIssued)
        ask(kRelatedSource, std::nullopt);
}

// ---------------------------------------------------------------- pace

void HarvestRun::ask(int32_t kind, std::optional<std::string> phrase)
{
    Chain& c = chain(kind);
    const int64_t now = loop_.now_ms();
    int64_t due = c.paused_until_ms;
    if (c.last_issued_ms && c.profile.min_interval_ms > 0)
        due = std::max(due, *c.last_issued_ms + c.profile.min_interval_ms);
    if (due <= now) {
        ask_now(kind, phrase);
        return;
    }
    // Waits on the loop's clock; a chain has one request at a time, so one
    // waiting request replaces nothing but a stale one.
    drop_pending(c);
    c.pending_phrase = std::move(phrase);
    c.pending = loop_.start_timer(static_cast<int>(std::min<int64_t>(due - now, INT32_MAX)), [this, kind] {
        Chain& waiting = chain(kind);
        std::optional<std::string> asked = std::move(waiting.pending_phrase);
        drop_pending(waiting);
        // Stopped, ended or emptied meanwhile: the chain asks nothing more.
        if (!state_.Running || !state_.NotStopped)
            return;
        const int32_t issued = kind == kSuggestSource ? state_.SuggestIssued : state_.RelatedIssued;
        if (!asked && (issued < 0 || host_.Results().count() - 1 < issued))
            return;
        ask_now(kind, asked);
    });
}

void HarvestRun::ask_now(int32_t kind, const std::optional<std::string>& phrase)
{
    if (phrase) {
        gotourl(ProfileUrl(chain(kind).profile, *phrase), *phrase, kind);
        return;
    }
    const int32_t row = kind == kSuggestSource ? state_.SuggestIssued : state_.RelatedIssued;
    const std::string text = host_.Results().text(row);
    host_.SetStatus(kQuerying + text);
    gotourl(ProfileUrl(chain(kind).profile, text), text, kind);
}

void HarvestRun::drop_pending(Chain& c)
{
    if (c.pending)
        loop_.stop_timer(c.pending);
    c.pending = 0;
    c.pending_phrase.reset();
}

// ---------------------------------------------------------------- stop watcher

void HarvestRun::Timer2Timer(TComponent*)
{
    if (state_.SuggestDone < state_.SuggestIssued)
        return;
    if (state_.RelatedDone < state_.RelatedIssued)
        return;
    state_.Running = 0;
    host_.SetStatus(kStopped);
    host_.Timer2().SetEnabled(false);
}

} // namespace lt
