#include "outlook/local/mapi/thread_advise_sink.h"

#include <vector>

namespace outlook::local {

using namespace mapi;

ULONG ThreadAdviseSink::OnNotify(ULONG count, const NOTIFICATION* notifications) {
    std::vector<NOTIFICATION> copy(notifications, notifications + count);
    loop_.post([sink = sink_, batch = std::move(copy)] {
        sink->OnNotify(static_cast<ULONG>(batch.size()), batch.data());
    });
    return 0;
}

}  // namespace outlook::local
