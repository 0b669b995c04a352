#pragma once

#include "outlook/local/mapi/com_object.h"
#include "platform/event_loop.h"

namespace outlook::local {

// Passes every OnNotify on to the wrapped sink from the event loop's thread: the
// notifications are copied and the call is posted.
class ThreadAdviseSink : public ComObject<mapi::IMAPIAdviseSink> {
public:
    ThreadAdviseSink(mapi::IMAPIAdviseSink* sink, platform::EventLoop& loop)
        : sink_(mapi::ComPtr<mapi::IMAPIAdviseSink>::share(sink)), loop_(loop) {}

    mapi::ULONG OnNotify(mapi::ULONG count, const mapi::NOTIFICATION* notifications) override;

private:
    mapi::ComPtr<mapi::IMAPIAdviseSink> sink_;
    platform::EventLoop& loop_;
};

}  // namespace outlook::local
