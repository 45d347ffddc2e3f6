#pragma once
// Scripted stand-ins for the two services: requests made by the run are
// answered on virtual time through the event loop, the way the HTTP component
// reports (OnDoneString, and OnError after it when that handler throws).

#include "harvest/harvest_run.h"
#include "platform/event_loop.h"
#include "text/cp936.h"

#include <functional>
#include <string>
#include <vector>

namespace lt::test {

struct Reply {
    bool ok = true;
    std::string body;
    int delay_ms = 100;
    // The reason a failed request records (ok false).
    FetchFailure failure{FetchFailureKind::Transport, 7, "refused"};
};

class FakeWeb;

class FakeRequest : public Tmywebget {
public:
    FakeRequest(TComponent* owner, FakeWeb& web) : Tmywebget(owner), web_(web) { }
    ~FakeRequest() override;
    void FetchString() override;
    // Reports a cancelled failure through the loop, as the real one does.
    void CancelFetch() override;

private:
    void deliver(const Reply& reply);

    FakeWeb& web_;
    EventLoop::TimerId timer_ = 0;
};

class FakeWeb {
public:
    struct Sent {
        std::string url, keyword; // keyword in UTF-8 for readable assertions
        int32_t kind;
        int64_t at_ms = 0; // on the loop's clock
    };

    explicit FakeWeb(EventLoop& loop) : loop_(loop) { }

    HarvestRun::RequestFactory factory()
    {
        return [this](TComponent* owner) { return new FakeRequest(owner, *this); };
    }

    // Decides the answer of every request, given its index among all sent.
    std::function<Reply(const Sent& sent, size_t index)> responder = [](const Sent&, size_t) {
        return Reply{true, "[]", 100};
    };
    // The next this many FetchString calls fail to start.
    int failing_starts = 0;
    std::vector<Sent> sent;
    EventLoop& loop() { return loop_; }

private:
    EventLoop& loop_;
};

inline FakeRequest::~FakeRequest()
{
    if (timer_)
        web_.loop().stop_timer(timer_);
}

inline void FakeRequest::FetchString()
{
    if (web_.failing_starts > 0) {
        --web_.failing_starts;
        throw std::runtime_error("no thread");
    }
    web_.sent.push_back({URL, cp936_to_utf8(Keyword), SourceKind, web_.loop().now_ms()});
    Reply reply = web_.responder(web_.sent.back(), web_.sent.size() - 1);
    timer_ = web_.loop().start_timer(reply.delay_ms, [this, reply] {
        web_.loop().stop_timer(timer_);
        timer_ = 0;
        deliver(reply);
    });
}

inline void FakeRequest::CancelFetch()
{
    if (!timer_)
        return;
    web_.loop().stop_timer(timer_);
    Reply cancelled{false, "", 0, FetchFailure{FetchFailureKind::Cancelled, 0, {}}};
    timer_ = web_.loop().start_timer(0, [this, cancelled] {
        web_.loop().stop_timer(timer_);
        timer_ = 0;
        deliver(cancelled);
    });
}

inline void FakeRequest::deliver(const Reply& reply)
{
    bool failed = !reply.ok;
    SetFailure(reply.ok ? FetchFailure{} : reply.failure);
    if (reply.ok) {
        try {
            if (OnDoneString)
                OnDoneString(this, reply.body);
        } catch (const std::exception& e) {
            failed = true;
            SetFailure(FetchFailure{FetchFailureKind::AnswerRejected, 0, e.what()});
        }
    }
    if (failed && OnError)
        OnError(this);
}

} // namespace lt::test
