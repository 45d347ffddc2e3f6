#pragma once
// The harvest run: one seed keyword, two chains of requests (suggestion
// source, and in broad mode the related-search source) walking the results
// list, which is both the output and the work queue.
//
// The run reaches its window only through HarvestHost. Its handlers keep the
// names of the window events they are bound to: Query is
// skSkinXFormButton1Click, Stop is skSkinXFormButton2Click, and the stop
// watcher is Timer2Timer on the host's Timer2.
//
// Everything here runs on the UI thread, one handler at a time.

#include "harvest/source_profile.h"
#include "harvest/source_stats.h"
#include "harvest/sources.h"
#include "net/webget.h"
#include "platform/component.h"
#include "platform/event_loop.h"
#include "platform/timer.h"
#include "text/indexed_list.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace lt {

// The results list as the run uses it: ordered code page 936 phrases with
// zero-based rows and the lists' lookup rule (the first row equal to the
// phrase with ASCII letters that stand alone folded, or -1). The window keeps
// the rows in its list box; the command-line tool in an IndexedList.
class HarvestRows {
public:
    virtual ~HarvestRows() = default;
    virtual int count() const = 0;
    virtual std::string text(int index) const = 0;
    virtual int lookup(std::string_view phrase) const = 0;
    // Appends at the end.
    virtual void append(const std::string& phrase) = 0;
    virtual void clear() = 0;
};

// HarvestRows over an IndexedList the caller keeps.
class IndexedListRows final : public HarvestRows {
public:
    explicit IndexedListRows(IndexedList& list) : list_(list) { }
    int count() const override { return list_.count(); }
    std::string text(int index) const override { return list_.text(index); }
    int lookup(std::string_view phrase) const override { return list_.lookup(phrase); }
    void append(const std::string& phrase) override { list_.append(phrase); }
    void clear() override { list_.clear(); }

private:
    IndexedList& list_;
};

// What the run reads and writes of its window.
class HarvestHost {
public:
    virtual ~HarvestHost() = default;
    // The keyword box text (code page 936), read when Query is pressed.
    virtual std::string KeywordText() = 0;
    // The two options, read at the moment each decision needs them.
    virtual bool BroadExpansion() = 0;
    virtual bool MustContain() = 0;
    // The status panel; every text replaces the previous one.
    virtual void SetStatus(const std::string& text) = 0;
    virtual HarvestRows& Results() = 0;
    // The results counter label, e.g. "(1)".
    virtual void SetResultsCounter(const std::string& text) = 0;
    // The stop watcher timer; the run sets it to 500 ms, disabled, and binds
    // its tick to Timer2Timer.
    virtual Timer& Timer2() = 0;
};

// Told what the run's status texts keep silent about (a failure shows no
// text of its own): the command-line tool reports it on request.
class HarvestObserver {
public:
    virtual ~HarvestObserver() = default;
    // A request of source kind ended in failure (reported through OnError),
    // with the reason its component recorded.
    virtual void RequestFailed(int32_t kind, const std::string& phrase, const FetchFailure& failure) { }
    // The chain of source kind failed failures_in_a_row times in a row and
    // waits pause_ms before its next request (the profile asked for it).
    virtual void ChainPaused(int32_t kind, const SourceProfile& source, int failures_in_a_row, int pause_ms) { }
};

// The time limits every request of a run gets (see TWebGet). The defaults
// are the component's; LONGTAIL_NO_PROGRESS_SECONDS and
// LONGTAIL_FETCH_DEADLINE_SECONDS override the receive limit and the
// deadline (positive numbers; anything else is ignored).
struct FetchLimits {
    int ReceiveTimeoutMs = 60000;
    int DeadlineMs = 120000;

    static FetchLimits FromEnvironment();
};

// The run's state. Flags hold 0 for false and -1 for true; counters are
// signed 32-bit as the scheduler compares them.
struct HarvestState {
    std::string SeedKeyword;
    int32_t Running = 0;
    int32_t NotStopped = 0;
    int32_t SuggestIssued = 0;
    int32_t SuggestDone = 0;
    int32_t RelatedIssued = 0;
    int32_t RelatedDone = 0;
};

class HarvestRun {
public:
    // Creates the request object for one fetch, owned by owner. The default
    // makes a real Tmywebget; tests substitute fakes.
    using RequestFactory = std::function<Tmywebget*(TComponent* owner)>;

    // Requests are owned by owner (the window); the loop is the UI thread's.
    HarvestRun(HarvestHost& host, TComponent* owner, EventLoop& loop);
    ~HarvestRun();
    HarvestRun(const HarvestRun&) = delete;
    HarvestRun& operator=(const HarvestRun&) = delete;

    // The hosts of the built-in sources; a chain that uses a built-in source
    // follows them.
    void SetHosts(ServiceHosts hosts);
    const ServiceHosts& Hosts() const { return hosts_; }
    // The sources of the two chains: the built-in ones unless set here.
    void SetSources(const SourceProfile& suggest, const SourceProfile& related);
    const SourceProfile& Source(int32_t kind) const { return chain(kind).profile; }
    // What each chain's source did since the last Start.
    const SourceStats& Stats(int32_t kind) const { return chain(kind).stats; }
    void SetRequestFactory(RequestFactory factory) { factory_ = std::move(factory); }
    void SetFetchLimits(FetchLimits limits) { limits_ = limits; }
    // Not owned; null for none.
    void SetObserver(HarvestObserver* observer) { observer_ = observer; }

    // Window events.
    void skSkinXFormButton1Click(TComponent* Sender); // Query: start a run
    void skSkinXFormButton2Click(TComponent* Sender); // Stop
    void Timer2Timer(TComponent* Sender);             // stop watcher

    // Issues one request; a request that cannot be started is reported as a
    // failed one, later, through the loop.
    void gotourl(const std::string& url, const std::string& phrase, int32_t kind);
    // Request events.
    void getstr(TComponent* Sender, const std::string& body);
    void geterror(TComponent* Sender);
    // Completion test, and the next request of source kind.
    void IsOver(int32_t kind);

    const HarvestState& State() const { return state_; }
    // Requests issued and not yet reported.
    int RequestsInFlight() const { return static_cast<int>(in_flight_.size()) + failures_pending_; }
    // Asks every request in flight to stop; each then reports as a failure,
    // later, through the loop, and is counted like any other.
    void CancelRequests();

private:
    class Reaper;

    // One request chain: its source, its statistics, and its pace.
    struct Chain {
        SourceProfile profile;
        SourceStats stats;
        std::optional<int64_t> last_issued_ms; // on the loop's clock
        int failures_in_a_row = 0;
        int next_pause_ms = 0;
        int64_t paused_until_ms = 0;
        // A request waiting for its time; it asks pending_phrase when set (the
        // seed at Start), else the row at the chain's cursor when it goes out.
        EventLoop::TimerId pending = 0;
        std::optional<std::string> pending_phrase;
    };
    Chain& chain(int32_t kind) { return kind == kSuggestSource ? suggest_ : related_; }
    const Chain& chain(int32_t kind) const { return kind == kSuggestSource ? suggest_ : related_; }

    // Issues the chain's next request now, or once its pace allows: phrase
    // is the seed at Start; without one the row at the cursor is asked.
    void ask(int32_t kind, std::optional<std::string> phrase);
    // Issues it now; false when the run no longer wants it.
    void ask_now(int32_t kind, const std::optional<std::string>& phrase);
    void drop_pending(Chain& chain);
    // Counts a failure of the chain and pauses it when its profile says so.
    void chain_failed(int32_t kind, const FetchFailure& failure);

    // Reports a request that could not be started as a failed one.
    void start_failed(Tmywebget* request, const std::string& phrase, int32_t kind, bool counted, std::string why);
    // Returns whether the candidate was appended.
    bool admit(const std::string& candidate);
    void count_done(int32_t kind);
    // Frees a request once its event handlers have returned.
    void release_later(Tmywebget* request);

    HarvestHost& host_;
    TComponent* owner_;
    EventLoop& loop_;
    ServiceHosts hosts_;
    RequestFactory factory_;
    FetchLimits limits_;
    HarvestObserver* observer_ = nullptr;
    Chain suggest_;
    Chain related_;
    HarvestState state_;
    // Keyed by the component base, which is all a destroyed request leaves.
    std::unordered_map<TComponent*, Tmywebget*> in_flight_;
    int failures_pending_ = 0; // start failures whose report is still queued
    std::unique_ptr<Reaper> reaper_;
    // Steps posted to the loop check this before touching the run.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace lt
