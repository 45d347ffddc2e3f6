// TWebGet and its worker over libcurl.
//
// One fetch: the worker sends a GET (or POST) for the URL, looks at the final
// response's headers, and either reads that response's body or, when its
// Last-Modified equals the date stored in the resume side file (both are
// usually empty), drops it unread and sends the request once more with a
// RANGE header, reading the second response instead. The outcome, and the
// reason when it failed, go back to the UI thread as one posted completion
// step.
//
// The head parser (response_head.h), the side file (side_file.h) and the
// threads (worker_pool.h) live in files of their own.
//
// Sections: process-wide state - SplitUrl - worker (settings, limits, one
// transfer, the fetch) - TWebGet.

#include "net/webget.h"

#include "net/response_head.h"
#include "net/side_file.h"
#include "net/worker_pool.h"
#include "platform/event_loop.h"
#include "text/ascii.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <set>
#include <stdexcept>

namespace lt {

// What the component and its worker share. The two flags are the only state
// both threads touch; `component` is read and written on the UI thread only
// and is null once the component is gone.
struct WebGetControl {
    std::atomic<bool> terminate{false};
    std::atomic<bool> success{false};
    TWebGet* component = nullptr;
};

// ---------------------------------------------------------------- process-wide state

void webget_global_init()
{
    static std::once_flag once;
    std::call_once(once, [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        // Workers ask libcurl not to touch signals, and the TLS layer of a
        // redirect to https may still write to a socket the server has
        // closed; that must end the write, not the program.
        struct sigaction current { };
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGPIPE, SIG_IGN);
    });
}

namespace {

// The running workers, so that program exit can stop them. It is never
// destroyed: a worker may still end while static objects are torn down.
struct WorkerRegistry {
    std::mutex mutex;
    std::condition_variable ended;
    std::set<std::shared_ptr<WebGetControl>> running;
};

WorkerRegistry& registry()
{
    static auto* r = new WorkerRegistry;
    return *r;
}

// Connections and DNS answers shared by every worker's handle, so that a
// fetch reuses the keep-alive connection an earlier fetch to the same host
// left open instead of connecting anew. It is never destroyed, for the same
// reason as the registry.
class SharedConnections {
public:
    SharedConnections()
    {
        share_ = curl_share_init();
        if (!share_)
            return;
        curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &SharedConnections::lock);
        curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &SharedConnections::unlock);
        curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    }
    CURLSH* handle() const { return share_; }

private:
    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self)
    {
        static_cast<SharedConnections*>(self)->mutexes_[slot(data)].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self)
    {
        static_cast<SharedConnections*>(self)->mutexes_[slot(data)].unlock();
    }
    static size_t slot(curl_lock_data data)
    {
        return static_cast<size_t>(data) < kSlots ? static_cast<size_t>(data) : 0;
    }

    static constexpr size_t kSlots = CURL_LOCK_DATA_LAST;
    CURLSH* share_ = nullptr;
    std::mutex mutexes_[kSlots];
};

CURLSH* shared_connections()
{
    static auto* shared = new SharedConnections;
    return shared->handle();
}

void register_worker(const std::shared_ptr<WebGetControl>& control)
{
    std::lock_guard lock(registry().mutex);
    registry().running.insert(control);
}

void unregister_worker(const std::shared_ptr<WebGetControl>& control)
{
    auto& r = registry();
    {
        std::lock_guard lock(r.mutex);
        r.running.erase(control);
    }
    r.ended.notify_all();
}

// "60 s", "1.5 s": a limit as the failure reasons name it.
std::string seconds_text(int ms)
{
    if (ms % 1000 == 0)
        return std::to_string(ms / 1000) + " s";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", ms / 1000.0);
    return text;
}

// A whole-text decimal number without sign; nothing else counts as one.
template <typename Int>
bool parse_decimal(std::string_view text, Int& out)
{
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

int webget_live_workers()
{
    std::lock_guard lock(registry().mutex);
    return static_cast<int>(registry().running.size());
}

bool webget_shutdown(int timeout_ms)
{
    auto& r = registry();
    std::unique_lock lock(r.mutex);
    for (const auto& control : r.running)
        control->terminate = true;
    return r.ended.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return r.running.empty(); });
}

// ---------------------------------------------------------------- SplitUrl

TUrlParts SplitUrl(const std::string& url)
{
    std::string_view text = url;
    if (text.size() >= 7 && ascii_iequals(text.substr(0, 7), "http://"))
        text.remove_prefix(7);

    TUrlParts parts;
    size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        parts.Host = text;
        parts.Path = "/";
    } else {
        parts.Host = text.substr(0, slash);
        parts.Path = text.substr(slash);
    }
    size_t colon = parts.Host.find(':');
    if (colon != std::string::npos) {
        int port = 0;
        if (parse_decimal(std::string_view(parts.Host).substr(colon + 1), port) && port >= 1 && port <= 65535)
            parts.Port = port;
        parts.Host.erase(colon);
    }
    return parts;
}

// ---------------------------------------------------------------- worker

namespace {

// The address a worker asks: SplitUrl's reading of an http address, with
// https understood as well (port 443 unless the address names one).
std::string fetch_address(const std::string& url)
{
    std::string_view text = url;
    if (text.size() < 8 || !ascii_iequals(text.substr(0, 8), "https://")) {
        const TUrlParts parts = SplitUrl(url);
        return "http://" + parts.Host + ":" + std::to_string(parts.Port) + parts.Path;
    }
    text.remove_prefix(8);
    TUrlParts parts = SplitUrl(std::string(text));
    const std::string_view authority = text.substr(0, text.find('/'));
    const size_t colon = authority.find(':');
    int port = 0;
    if (colon == std::string_view::npos || !parse_decimal(authority.substr(colon + 1), port) || port < 1 ||
        port > 65535)
        parts.Port = 443;
    return "https://" + parts.Host + ":" + std::to_string(parts.Port) + parts.Path;
}

} // namespace

// The settings a fetch runs with, copied from the component at the start so
// that later changes to its properties do not reach a running fetch.
struct WebGetSettings {
    std::string accept_types, agent, url, file_name, user_name, password, post_query, referer;
    // The CA certificates https trusts: SSL_CERT_FILE when set, else the system's.
    std::string ca_file;
    // Carried as the component's contract has it; neither changes what is
    // sent or delivered (there is no response cache to bypass).
    bool binary_data = false;
    bool use_cache = false;
    TOnProgressEvent on_progress;
    int connect_timeout_ms = 0;
    int receive_timeout_ms = 0;
    int deadline_ms = 0;
    int64_t max_body_size = 0;
    int max_redirects = 0;
};

class TWebGetThread {
public:
    TWebGetThread(WebGetSettings settings, std::shared_ptr<WebGetControl> control, std::shared_ptr<Mailbox> mailbox)
        : settings_(std::move(settings)), control_(std::move(control)), mailbox_(std::move(mailbox))
    { }

    // The worker body; the outcome goes to the control block's success flag,
    // and the reason of a failure to failure().
    void Execute();

    const std::string& body() const { return body_; }
    const FetchFailure& failure() const { return failure_; }

private:
    using Clock = std::chrono::steady_clock;

    // What became of one transfer.
    enum class Outcome {
        Read,    // the response's body was read to its end
        Dropped, // the response was left unread for the range re-request
        Failed,  // see failure_
    };

    Outcome transfer(CURL* curl, bool may_drop, const std::string& extra_header);
    // Called once the final response's head is complete; returns false to
    // stop the transfer there.
    bool on_final_head();
    bool is_redirect() const;
    // Resolves a Location value against the address it came from.
    static bool resolve_location(std::string& url, const std::string& location);
    // Body bytes of the response being read; returns false to stop.
    bool on_body(const char* data, size_t size);
    bool report_progress();
    // Checks the stop request and the time limits; false when one ends the fetch.
    bool keep_going();
    // Records why the fetch failed (the first reason wins) and returns false.
    bool fail(FetchFailureKind kind, int64_t code = 0, std::string detail = {});
    // The reason behind a transfer that libcurl ended with rc.
    void fail_from(CURL* curl, CURLcode rc);

    static size_t header_cb(char* data, size_t size, size_t count, void* self);
    static size_t write_cb(char* data, size_t size, size_t count, void* self);
    static int xferinfo_cb(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    const WebGetSettings settings_;
    const std::shared_ptr<WebGetControl> control_;
    const std::shared_ptr<Mailbox> mailbox_;

    std::string url_;            // the address as split and put together again
    std::string stored_;         // the date in the side file when the fetch started
    int64_t resume_offset_ = 0;  // size of FileName when a stored date exists
    int32_t content_length_ = 0; // the first response's Content-Length, 0 when absent
    int64_t bytes_read_ = 0;
    std::string body_;
    FetchFailure failure_;

    // The limits: the whole fetch must end by deadline_, and some byte must
    // arrive (or leave) within the receive limit of the one before.
    Clock::time_point deadline_;
    Clock::time_point last_progress_;
    curl_off_t uploaded_ = 0;
    char error_text_[CURL_ERROR_SIZE] = {};

    // State of the transfer in progress.
    ResponseHeadReader reader_;
    std::string redirect_to_; // set when the response was a redirect
    bool may_drop_ = false;
    bool head_done_ = false;
    bool dropped_ = false;
    bool complete_ = false;
    int64_t received_ = 0;
};

bool TWebGetThread::fail(FetchFailureKind kind, int64_t code, std::string detail)
{
    if (!failure_.Failed())
        failure_ = FetchFailure{kind, code, std::move(detail)};
    return false;
}

bool TWebGetThread::keep_going()
{
    if (control_->terminate)
        return fail(FetchFailureKind::Cancelled);
    const Clock::time_point now = Clock::now();
    if (now >= deadline_)
        return fail(FetchFailureKind::TimedOut, 0, "the fetch took longer than " + seconds_text(settings_.deadline_ms));
    if (now - last_progress_ >= std::chrono::milliseconds(settings_.receive_timeout_ms))
        return fail(FetchFailureKind::TimedOut, 0, "no byte for " + seconds_text(settings_.receive_timeout_ms));
    return true;
}

void TWebGetThread::fail_from(CURL* curl, CURLcode rc)
{
    std::string text = error_text_[0] ? std::string(error_text_) : std::string(curl_easy_strerror(rc));
    switch (rc) {
    case CURLE_OPERATION_TIMEDOUT: {
        curl_off_t connected = 0;
        curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connected);
        if (connected == 0 && Clock::now() < deadline_)
            fail(FetchFailureKind::TimedOut, 0, "no connection within " + seconds_text(settings_.connect_timeout_ms));
        else
            fail(FetchFailureKind::TimedOut, 0, "the fetch took longer than " + seconds_text(settings_.deadline_ms));
        return;
    }
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_USE_SSL_FAILED:
        fail(FetchFailureKind::Tls, rc, text);
        return;
    case CURLE_PARTIAL_FILE:
        fail(FetchFailureKind::Framing, 0, "the body stopped short: " + text);
        return;
    default:
        fail(FetchFailureKind::Transport, rc, text);
        return;
    }
}

size_t TWebGetThread::header_cb(char* data, size_t size, size_t count, void* self)
{
    auto& w = *static_cast<TWebGetThread*>(self);
    const size_t n = size * count;
    w.last_progress_ = Clock::now();
    // Lines after the final head are the trailers of a chunked body.
    if (w.head_done_)
        return n;
    if (w.reader_.Feed(std::string_view(data, n)) != ResponseHeadReader::Line::End)
        return n;
    const ResponseHead& head = w.reader_.Head();
    if (head.Interim())
        return n; // the real response follows
    if (w.is_redirect()) {
        // Left unread: its body may run to a close that a keep-alive
        // server never sends. The transfer goes to the new location.
        w.redirect_to_ = head.location;
        return 0;
    }
    w.head_done_ = true;
    return w.on_final_head() ? n : 0;
}

bool TWebGetThread::is_redirect() const
{
    // The statuses a browser follows when they name a new location.
    static const int kFollowed[] = {300, 301, 302, 303, 307, 308};
    const ResponseHead& head = reader_.Head();
    return !head.location.empty() &&
        std::find(std::begin(kFollowed), std::end(kFollowed), head.status) != std::end(kFollowed);
}

bool TWebGetThread::on_final_head()
{
    if (!keep_going())
        return false;
    const ResponseHead& head = reader_.Head();
    // HTTP leaves no way to read a response whose lengths disagree; taking
    // either of them could cut the answer or run into the next one.
    if (head.BodyFraming() == ResponseHead::Framing::Invalid)
        return fail(FetchFailureKind::Framing, 0, "two different Content-Length values");
    if (may_drop_) {
        // The first response's headers decide the rest of the fetch.
        // A length the 32-bit counter cannot hold is no usable length: cut
        // to 32 bits it would ask the repeat for a short range and take the
        // cut answer for the whole.
        content_length_ =
            head.content_length > 0 && head.content_length <= INT32_MAX ? static_cast<int32_t>(head.content_length) : 0;
        const std::string& modified = head.last_modified;
        if (!modified.empty())
            WriteSideFileLine(settings_.file_name + ".ini", modified);
        if (!keep_going())
            return false;
        if (modified == stored_) {
            dropped_ = true;
            return false;
        }
    }
    if (head.content_length == 0 && !head.chunked) {
        complete_ = true;
        return false;
    }
    return true;
}

size_t TWebGetThread::write_cb(char* data, size_t size, size_t count, void* self)
{
    auto& w = *static_cast<TWebGetThread*>(self);
    const size_t n = size * count;
    w.last_progress_ = Clock::now();
    if (!w.head_done_)
        return n; // the body of a response that is not the answer
    return w.on_body(data, n) ? n : 0;
}

bool TWebGetThread::on_body(const char* data, size_t size)
{
    // Reads are reported in steps of at most 1025 bytes, as the component's
    // progress contract has it; without a progress handler one step will do.
    const size_t step = settings_.on_progress ? 1025 : size;
    const ResponseHead& head = reader_.Head();
    const bool framed = head.BodyFraming() == ResponseHead::Framing::Length;
    while (size > 0) {
        if (!keep_going())
            return false;
        size_t piece = std::min(size, step);
        if (framed)
            piece =
                static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(piece), head.content_length - received_));
        if (static_cast<int64_t>(body_.size() + piece) > settings_.max_body_size)
            return fail(FetchFailureKind::TooLarge, settings_.max_body_size);
        body_.append(data, piece);
        data += piece;
        size -= piece;
        received_ += static_cast<int64_t>(piece);
        bytes_read_ += static_cast<int64_t>(piece);
        if (settings_.on_progress && !report_progress())
            return fail(FetchFailureKind::Cancelled, 0, "the progress handler failed");
        if (framed && received_ == head.content_length) {
            // The response is complete by its own framing; stopping here
            // keeps a keep-alive server from holding the transfer open.
            complete_ = true;
            return false;
        }
    }
    return true;
}

bool TWebGetThread::report_progress()
{
    // A worker asked to stop does not hand anything over: its component may
    // be gone, and the UI thread may be waiting for workers to end.
    if (control_->terminate)
        return true;
    const int32_t total = content_length_;
    const int32_t readed = static_cast<int32_t>(std::min<int64_t>(bytes_read_ + resume_offset_, INT32_MAX));
    bool handler_failed = false;
    auto control = control_;
    const TOnProgressEvent& handler = settings_.on_progress;
    mailbox_->send([&, control] {
        if (!control->component)
            return;
        try {
            handler(this, total, readed);
        } catch (...) {
            handler_failed = true;
        }
    });
    return !handler_failed;
}

int TWebGetThread::xferinfo_cb(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow)
{
    // libcurl calls this at least once a second, idle or not, so the stop
    // request and the limits are looked at that often.
    auto& w = *static_cast<TWebGetThread*>(self);
    if (ulnow > w.uploaded_) {
        w.uploaded_ = ulnow;
        w.last_progress_ = Clock::now();
    }
    return w.keep_going() ? 0 : 1;
}

TWebGetThread::Outcome TWebGetThread::transfer(CURL* curl, bool may_drop, const std::string& extra_header)
{
    std::string url = url_;
    bool post = !settings_.post_query.empty();
    for (int redirects = 0;; ++redirects) {
        reader_.Reset();
        redirect_to_.clear();
        may_drop_ = may_drop;
        head_done_ = dropped_ = complete_ = false;
        received_ = 0;
        uploaded_ = 0;
        error_text_[0] = '\0';
        last_progress_ = Clock::now();
        if (!keep_going())
            return Outcome::Failed;
        // libcurl ends the transfer itself when the deadline passes, to the
        // millisecond; the checks above run only about once a second.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(std::max<int64_t>(1, left)));

        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        // Exactly one Accept line, the accept types as its value; an empty
        // list removes libcurl's own.
        curl_slist* headers = curl_slist_append(nullptr, ("Accept: " + settings_.accept_types).c_str());
        if (post) {
            headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
            headers = curl_slist_append(headers, "Expect:");
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, settings_.post_query.c_str());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(settings_.post_query.size()));
        } else {
            curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        }
        if (!extra_header.empty())
            headers = curl_slist_append(headers, extra_header.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        CURLcode rc = curl_easy_perform(curl);
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
        curl_slist_free_all(headers);

        if (failure_.Failed())
            return Outcome::Failed;
        if (!redirect_to_.empty()) {
            if (redirects >= settings_.max_redirects) {
                fail(FetchFailureKind::Redirects, 0, "more than " + std::to_string(settings_.max_redirects));
                return Outcome::Failed;
            }
            if (!resolve_location(url, redirect_to_)) {
                fail(FetchFailureKind::Redirects, 0, "unusable Location " + redirect_to_);
                return Outcome::Failed;
            }
            // As browsers do, a form sent to a moved address is not sent again.
            const int status = reader_.Head().status;
            if (status == 301 || status == 302 || status == 303)
                post = false;
            continue;
        }
        if (dropped_)
            return Outcome::Dropped;
        if (!head_done_) {
            if (rc != CURLE_OK)
                fail_from(curl, rc);
            else
                fail(FetchFailureKind::Framing, 0, "no response");
            return Outcome::Failed;
        }
        if (complete_)
            return Outcome::Read;
        if (rc != CURLE_OK) {
            fail_from(curl, rc);
            return Outcome::Failed;
        }
        // A body that ended before the length its response announced was cut off.
        const ResponseHead& head = reader_.Head();
        if (head.BodyFraming() == ResponseHead::Framing::Length && received_ < head.content_length) {
            fail(FetchFailureKind::Framing, 0,
                "the body stopped after " + std::to_string(received_) + " of " + std::to_string(head.content_length) +
                    " bytes");
            return Outcome::Failed;
        }
        return Outcome::Read;
    }
}

bool TWebGetThread::resolve_location(std::string& url, const std::string& location)
{
    CURLU* u = curl_url();
    char* resolved = nullptr;
    bool ok = u && curl_url_set(u, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
        curl_url_set(u, CURLUPART_URL, location.c_str(), 0) == CURLUE_OK &&
        curl_url_get(u, CURLUPART_URL, &resolved, 0) == CURLUE_OK;
    if (ok)
        url = resolved;
    curl_free(resolved);
    curl_url_cleanup(u);
    return ok;
}

void TWebGetThread::Execute()
{
    // The success flag is written once, at the very end: a cancel that
    // arrives after the last check point is overridden, as it always was.
    bool success = false;
    CURL* curl = nullptr;
    deadline_ = Clock::now() + std::chrono::milliseconds(settings_.deadline_ms);
    try {
        const std::string side_file = settings_.file_name + ".ini";
        int64_t file_size = 0;
        if (SideFileTargetExists(settings_.file_name, &file_size) && SideFileTargetExists(side_file)) {
            stored_ = ReadSideFileLine(side_file);
            if (!stored_.empty())
                resume_offset_ = file_size;
        }

        url_ = fetch_address(settings_.url);
        if (control_->terminate)
            throw std::runtime_error("cancelled");

        curl = curl_easy_init();
        if (!curl)
            throw std::runtime_error("no HTTP handle");
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error_text_);
        if (CURLSH* share = shared_connections())
            curl_easy_setopt(curl, CURLOPT_SHARE, share);
        curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        // Certificates are always verified; there is no way to turn it off.
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!settings_.ca_file.empty())
            curl_easy_setopt(curl, CURLOPT_CAINFO, settings_.ca_file.c_str());
        if (!settings_.agent.empty())
            curl_easy_setopt(curl, CURLOPT_USERAGENT, settings_.agent.c_str());
        if (!settings_.referer.empty())
            curl_easy_setopt(curl, CURLOPT_REFERER, settings_.referer.c_str());
        if (!settings_.user_name.empty() || !settings_.password.empty()) {
            curl_easy_setopt(curl, CURLOPT_USERNAME, settings_.user_name.c_str());
            curl_easy_setopt(curl, CURLOPT_PASSWORD, settings_.password.c_str());
            curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
        }
        // The platform's proxy settings are the environment's (http_proxy,
        // no_proxy, ...), which libcurl reads itself when no proxy is set
        // here. There is no response cache, so every answer is fresh.
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::max(1, settings_.connect_timeout_ms)));
        // The body's framing is judged here, not by libcurl, so that a
        // malformed Content-Length reads as absent instead of failing.
        curl_easy_setopt(curl, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &TWebGetThread::header_cb);
        curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &TWebGetThread::write_cb);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &TWebGetThread::xferinfo_cb);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

        // A first request that got no answer ends the fetch there: sending
        // it again would only double the wait for an unreachable server.
        Outcome outcome = transfer(curl, true, {});
        if (outcome == Outcome::Dropped) {
            // The range runs from the resume offset to the first response's
            // length. Without a positive length and with nothing to resume the
            // whole answer is asked for again: "bytes=0-0" would be one byte.
            std::string range;
            if (content_length_ > 0 || resume_offset_ > 0)
                range = "RANGE: bytes=" + std::to_string(resume_offset_) + "-" + std::to_string(content_length_);
            outcome = transfer(curl, false, range);
        }
        if (outcome == Outcome::Read) {
            const int status = reader_.Head().status;
            if (status < 200 || status > 299)
                fail(FetchFailureKind::HttpStatus, status);
            else if (bytes_read_ == 0)
                fail(FetchFailureKind::EmptyBody);
            else
                success = true;
        }
    } catch (const std::exception& e) {
        success = false;
        if (control_->terminate)
            fail(FetchFailureKind::Cancelled);
        else
            fail(FetchFailureKind::Transport, 0, e.what());
    } catch (...) {
        success = false;
        fail(FetchFailureKind::Transport);
    }
    if (curl)
        curl_easy_cleanup(curl);
    control_->success = success;
}

// ---------------------------------------------------------------- TWebGet

TWebGet::TWebGet(TComponent* owner) : TComponent(owner)
{
    webget_global_init();
    if (EventLoop* loop = EventLoop::current())
        mailbox_ = loop->mailbox();
}

TWebGet::~TWebGet()
{
    if (control_) {
        CancelFetch();
        control_->component = nullptr;
    }
}

bool TWebGet::Fetching() const
{
    return control_ != nullptr;
}

void TWebGet::CancelFetch()
{
    if (!control_)
        return;
    control_->terminate = true;
    control_->success = false;
}

void TWebGet::FetchString()
{
    if (control_)
        return;
    if (!mailbox_)
        throw std::logic_error("TWebGet: no event loop on the thread that created the component");

    WebGetSettings s;
    s.accept_types = AcceptTypes;
    s.agent = Agent;
    s.url = URL;
    s.file_name = FileName;
    s.user_name = UserName;
    s.password = Password;
    s.post_query = PostQuery;
    s.referer = Referer;
    if (const char* ca = std::getenv("SSL_CERT_FILE"))
        s.ca_file = ca;
    s.binary_data = BinaryData;
    s.use_cache = UseCache;
    s.on_progress = OnProgress;
    s.connect_timeout_ms = ConnectTimeoutMs;
    s.receive_timeout_ms = std::max(1, ReceiveTimeoutMs);
    s.deadline_ms = std::max(1, DeadlineMs);
    s.max_body_size = MaxBodySize;
    s.max_redirects = MaxRedirects;

    auto control = std::make_shared<WebGetControl>();
    control->component = this;
    auto worker = std::make_shared<TWebGetThread>(std::move(s), control, mailbox_);
    register_worker(control);
    try {
        WorkerPool::Shared().Run([worker, control, mailbox = mailbox_]() mutable {
            worker->Execute();
            // The worker hands its completion over and ends; it never waits
            // for the UI thread. A step that arrives after the loop has gone
            // is dropped.
            mailbox->post([worker, control] {
                if (control->component)
                    control->component->FetchDone(worker);
            });
            // Nothing of the fetch is touched once it counts as ended.
            worker.reset();
            mailbox.reset();
            unregister_worker(control);
        });
    } catch (...) {
        unregister_worker(control);
        throw;
    }
    control_ = std::move(control);
    failure_ = FetchFailure{};

    if (WaitThread)
        if (EventLoop* loop = EventLoop::current())
            loop->process_pending();
}

void TWebGet::FetchDone(const std::shared_ptr<TWebGetThread>& worker)
{
    // A handler may destroy this component; after each one it is looked up
    // again through the control block before anything of it is touched.
    const std::shared_ptr<WebGetControl> control = control_;
    auto alive = [&] { return control->component == this; };
    struct Forget {
        TWebGet* self;
        const std::shared_ptr<WebGetControl>& control;
        ~Forget()
        {
            if (control->component == self)
                self->control_.reset();
        }
    } forget{this, control};

    success_ = control->success;
    if (success_)
        failure_ = FetchFailure{};
    else if (worker->failure().Failed())
        failure_ = worker->failure();
    else
        failure_ = FetchFailure{FetchFailureKind::Cancelled, 0, {}}; // cancelled after the worker's last check point
    bool handler_failed = false;
    std::string handler_message;
    try {
        if (success_) {
            if (TOnDoneStringEvent handler = OnDoneString)
                handler(this, worker->body());
        } else if (TNotifyEvent handler = OnError) {
            handler(this);
        }
    } catch (const std::exception& e) {
        handler_failed = true;
        handler_message = e.what();
    } catch (...) {
        handler_failed = true;
    }
    if (handler_failed && alive()) {
        // An answer its handler could not take is a failed fetch for the
        // owner; a failure keeps its own reason.
        if (success_)
            failure_ = FetchFailure{FetchFailureKind::AnswerRejected, 0, handler_message};
        if (TNotifyEvent handler = OnError)
            handler(this);
    }
}

void TWebGet::SetFailure(FetchFailure failure)
{
    failure_ = std::move(failure);
}

} // namespace lt
