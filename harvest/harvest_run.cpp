#include "harvest/harvest_run.h"

#include "text/cp936.h"
#include "text/text_utils.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace lt {

// Sections: status texts - request bookkeeping (Reaper, release_later) -
// Start and Stop - issuing a request - answers and failures - admission -
// completion test and scheduling - stop watcher.

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
}

HarvestRun::~HarvestRun()
{
    host_.Timer2().SetOnTimer(nullptr);
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
    // These requests answer only after this handler has returned, so their
    // answers meet the new list and the flags set below.
    if (host_.BroadExpansion())
        gotourl(RelatedUrl(hosts_.search, state_.SeedKeyword), state_.SeedKeyword, kRelatedSource);
    gotourl(SuggestUrl(hosts_.suggest, state_.SeedKeyword), state_.SeedKeyword, kSuggestSource);
    IndexedList& results = host_.Results();
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
        if (observer_)
            observer_->RequestFailed(kind, phrase, FetchFailure{FetchFailureKind::NotStarted, 0, why});
        IsOver(kind);
    });
}

void HarvestRun::CancelRequests()
{
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

    std::string text = AnsiFromUtf8(body);
    if (text.empty())
        text = body;
    AdmitFn admit_one = [this](const std::string& candidate) { admit(candidate); };
    // A related-search page without its table throws here; the request then
    // reports the failure too, and geterror schedules the next row.
    if (kind == kSuggestSource)
        ParseSuggestions(text, admit_one);
    else if (kind == kRelatedSource)
        ParseRelated(text, admit_one);
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
    IsOver(kind);
}

// ---------------------------------------------------------------- admission

void HarvestRun::admit(const std::string& candidate)
{
    // A line break or NUL would split the phrase across lines of an export.
    if (candidate.empty() || has_line_break_or_nul(candidate))
        return;
    IndexedList& results = host_.Results();
    if (results.lookup(candidate) >= 0)
        return;
    // The seed is held lower-cased; the candidate is compared lower-cased too,
    // so a phrase holding the keyword as typed (QQ空间密码) is admitted.
    if (host_.MustContain() && LowerAscii(candidate).find(state_.SeedKeyword) == std::string::npos)
        return;
    results.append(candidate);
}

// ---------------------------------------------------------------- completion test and scheduling

void HarvestRun::IsOver(int32_t kind)
{
    IndexedList& results = host_.Results();
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
    if (kind == kSuggestSource && state_.SuggestIssued >= 0 && rows - 1 >= state_.SuggestIssued) {
        const std::string phrase = results.text(state_.SuggestIssued);
        host_.SetStatus(kQuerying + phrase);
        gotourl(SuggestUrl(hosts_.suggest, phrase), phrase, kSuggestSource);
    } else if (kind == kRelatedSource && state_.RelatedIssued >= 0 && rows - 1 >= state_.RelatedIssued) {
        const std::string phrase = results.text(state_.RelatedIssued);
        host_.SetStatus(kQuerying + phrase);
        gotourl(RelatedUrl(hosts_.search, phrase), phrase, kRelatedSource);
    }
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
