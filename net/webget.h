#pragma once
// TWebGet: fetches one URL over HTTP on a worker thread of its own and reports
// the outcome on the UI thread through events. Tmywebget adds the two fields
// the harvest run tags each request with.
//
// The public surface below is what the rest of the program uses; everything
// private is this layer's own business.

#include "platform/component.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lt {

class TWebGet;
class TWebGetThread;

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TOnDoneStringEvent = std::function<void(TComponent* Sender, const std::string& Result)>;
using TOnDoneFileEvent = std::function<void(TComponent* Sender, const std::string& FileName, int32_t FileSize)>;
// Sender is the worker, as the component's contract has it.
using TOnProgressEvent = std::function<void(TWebGetThread* Sender, int32_t TotalSize, int32_t Readed)>;

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
    bool UseCache = false;
    std::string FileName;
    std::string UserName;
    std::string Password;
    std::string PostQuery;
    std::string Referer;
    bool WaitThread = false;
    TOnProgressEvent OnProgress;
    TOnDoneFileEvent OnDoneFile;
    TOnDoneStringEvent OnDoneString;
    TNotifyEvent OnError;

    // Starts fetching URL into a text; returns at once. Ignored while fetching.
    virtual void FetchString();
    // Asks a running worker to stop; it then reports through OnError.
    void CancelFetch();
    bool Fetching() const;
};

class Tmywebget : public TWebGet {
public:
    using TWebGet::TWebGet;
    std::string Keyword;
    int32_t SourceKind = 0;
};

} // namespace lt
