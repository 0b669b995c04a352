#pragma once

#include <memory>
#include <mutex>

#include "outlook/local/store/store_connection.h"
#include "outlook/local/window_set.h"
#include "outlook/mapi.h"
#include "platform/event_loop.h"

namespace outlook::local {

// The messaging subsystem on the local store. MAPIInitialize and MAPIUninitialize
// count; logging on needs at least one initialisation (MAPI_E_NOT_INITIALIZED) and an
// openable store (MAPI_E_LOGON_FAILED, with the reason in lastError()).
class LocalSubsystem : public mapi::Subsystem {
public:
    LocalSubsystem(std::shared_ptr<StoreConnection> connection, std::shared_ptr<WindowSet> windows,
                   platform::EventLoop& loop)
        : connection_(std::move(connection)), windows_(std::move(windows)), loop_(loop) {}

    mapi::HRESULT MAPIInitialize() override;
    void MAPIUninitialize() override;
    mapi::HRESULT MAPILogonEx(mapi::ULONG_PTR uiParam, const char* profileName,
                              const char* password, mapi::ULONG flags,
                              mapi::ComPtr<mapi::IMAPISession>& session) override;
    mapi::HRESULT HrThisThreadAdviseSink(mapi::IMAPIAdviseSink* sink,
                                         mapi::ComPtr<mapi::IMAPIAdviseSink>& wrapped) override;

    std::string lastError() const { return connection_->lastError(); }
    int initializeCount() const;

private:
    std::shared_ptr<StoreConnection> connection_;
    std::shared_ptr<WindowSet> windows_;
    platform::EventLoop& loop_;
    mutable std::mutex mutex_;
    int initialized_ = 0;
};

}  // namespace outlook::local
