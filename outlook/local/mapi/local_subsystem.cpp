#include "outlook/local/mapi/local_subsystem.h"

#include "outlook/local/mapi/local_session.h"
#include "outlook/local/mapi/thread_advise_sink.h"

namespace outlook::local {

using namespace mapi;

HRESULT LocalSubsystem::MAPIInitialize() {
    std::lock_guard lock(mutex_);
    ++initialized_;
    return S_OK;
}

void LocalSubsystem::MAPIUninitialize() {
    std::lock_guard lock(mutex_);
    if (initialized_ > 0) --initialized_;
}

int LocalSubsystem::initializeCount() const {
    std::lock_guard lock(mutex_);
    return initialized_;
}

HRESULT LocalSubsystem::MAPILogonEx(ULONG_PTR, const char*, const char*, ULONG,
                                    ComPtr<IMAPISession>& session) {
    if (initializeCount() == 0) return MAPI_E_NOT_INITIALIZED;
    auto store = connection_->get();
    if (!store) return MAPI_E_LOGON_FAILED;
    session = ComPtr<IMAPISession>::adopt(makeCom<LocalSession>(store, windows_).detach());
    return S_OK;
}

HRESULT LocalSubsystem::HrThisThreadAdviseSink(IMAPIAdviseSink* sink,
                                               ComPtr<IMAPIAdviseSink>& wrapped) {
    if (!sink) return MAPI_E_INVALID_PARAMETER;
    wrapped = ComPtr<IMAPIAdviseSink>::adopt(makeCom<ThreadAdviseSink>(sink, loop_).detach());
    return S_OK;
}

}  // namespace outlook::local
