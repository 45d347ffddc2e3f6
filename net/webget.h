#pragma once
// TWebGet: fetches one URL over HTTP on a worker thread of its own and reports
// the outcome on the UI thread through events. Tmywebget adds the two fields
// the harvest run tags each request with.
//
// The public surface below is what the rest of the program uses; everything
// private is this layer's own business.
//
// Sections: process-wide set-up and shutdown - SplitUrl - TWebGet - Tmywebget.

#include "net/fetch_failure.h"
#include "platform/component.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lt {

class TWebGet;
class TWebGetThread;
class Mailbox;
struct WebGetControl;

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TOnDoneStringEvent = std::function<void(TComponent* Sender, const std::string& Result)>;
using TOnDoneFileEvent = std::function<void(TComponent* Sender, const std::string& FileName, int32_t FileSize)>;
// Sender is the worker, as the component's contract has it.
using TOnProgressEvent = std::function<void(TWebGetThread* Sender, int32_t TotalSize, int32_t Readed)>;

// Initialises the HTTP client library once per process and, unless the
// program has chosen otherwise, ignores SIGPIPE (a peer closing a socket must
// not end the program). Safe to call from any thread, any number of times.
// The component calls it itself; main may call it first so that it happens
// before any other thread starts.
void webget_global_init();

// Number of fetch workers whose thread has not ended yet.
int webget_live_workers();

// Asks every running worker to stop and waits, at most timeout_ms of real
// time, until all of them have ended; returns whether they have. Meant for
// program exit, after the UI loop has stopped dispatching: a worker never
// outlives the process half-way through a transfer. Workers that ignore the
// request (a name lookup cannot be interrupted) are left behind, and so is
// one waiting for its progress step on the calling thread's loop until that
// loop is destroyed.
bool webget_shutdown(int timeout_ms);

// The parts of a request address. Only addresses that begin with "http://"
// (any letter case) or with the host are understood; the host keeps its
// letter case and user information is not recognised. (A fetch also takes
// "https://" addresses: it splits what follows the scheme the same way, with
// port 443 unless one is given.)
struct TUrlParts {
    std::string Host;
    std::string Path; // from the first "/" on, query string included; "/" when absent
    int Port = 80;    // 80 when the port text is absent, not decimal or outside 1-65535
};
TUrlParts SplitUrl(const std::string& url);

class TWebGet : public TComponent {
public:
    // The component hands its events back to the event loop of the thread that
    // constructs it (EventLoop::current()).
    explicit TWebGet(TComponent* owner);
    ~TWebGet() override;

    // Published properties; each is a plain field with no side effects.
    std::string AcceptTypes = "*/*";
    std::string Agent = "Brevoxa WebGet";
    bool BinaryData = false;
    std::string URL;
    // There is no response cache on this platform, so no cached answer is
    // ever used whatever this says; the flag is kept for the callers.
    bool UseCache = false;
    std::string FileName;
    std::string UserName;
    std::string Password;
    std::string PostQuery;
    std::string Referer;
    bool WaitThread = false;
    TOnProgressEvent OnProgress;
    // Never raised: no start operation fetches into a file.
    TOnDoneFileEvent OnDoneFile;
    TOnDoneStringEvent OnDoneString;
    TNotifyEvent OnError;

    // Limits of one fetch, copied into the worker at the start; each ends the
    // fetch with OnError. The receive limit is the longest stretch in which
    // nothing arrives (a body byte or a whole header line) and nothing of the
    // request leaves; it is looked at about once a second, so it may run up
    // to a second longer. The deadline bounds the whole fetch, both requests
    // and every redirect included, to the millisecond: a server that drips a
    // byte now and then cannot keep a fetch alive for ever.
    int ConnectTimeoutMs = 60000;
    int ReceiveTimeoutMs = 60000;
    int DeadlineMs = 120000;
    int64_t MaxBodySize = 16 * 1024 * 1024;
    // Redirects followed before the fetch gives up with OnError.
    int MaxRedirects = 10;

    // Starts fetching URL into a text; returns at once. Ignored while fetching.
    // An https URL is fetched with the server's certificate verified against
    // the CA certificates named by SSL_CERT_FILE, or the system's when that
    // is not set; a certificate that does not verify fails the fetch.
    // Throws when no event loop was running on the constructing thread or no
    // worker thread could be started; the component then stays idle.
    virtual void FetchString();
    // Asks a running worker to stop; it then reports through OnError.
    virtual void CancelFetch();
    bool Fetching() const;

    // Why the last fetch failed, once it has reported: kind None after a
    // success. An answer whose OnDoneString handler failed reads as
    // AnswerRejected when OnError follows it.
    const FetchFailure& Failure() const { return failure_; }

protected:
    // For stand-ins that report without fetching.
    void SetFailure(FetchFailure failure);

private:
    // The completion step, on the UI thread: raises the outcome's event.
    void FetchDone(const std::shared_ptr<TWebGetThread>& worker);

    std::shared_ptr<Mailbox> mailbox_;
    // Shared with the running worker (null between fetches). The worker
    // reaches this component only through it, so a destroyed component is
    // never touched.
    std::shared_ptr<WebGetControl> control_;
    // The worker's success flag as it was when the worker ended.
    bool success_ = false;
    FetchFailure failure_;
};

class Tmywebget : public TWebGet {
public:
    using TWebGet::TWebGet;
    std::string Keyword;
    int32_t SourceKind = 0;
};

} // namespace lt
