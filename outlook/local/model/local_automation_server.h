#pragma once

#include <memory>

#include "outlook/automation.h"
#include "outlook/local/store/store_connection.h"
#include "outlook/local/transport/outbox_queue.h"
#include "outlook/local/window_set.h"
#include "platform/registry.h"

namespace outlook::local {

// Creates "Outlook.Application" on the local store, opening it on first use; when it
// cannot be opened, createObject throws AutomationError with the reason.
class LocalAutomationServer : public AutomationServer {
public:
    LocalAutomationServer(std::shared_ptr<StoreConnection> connection,
                          std::shared_ptr<WindowSet> windows,
                          std::shared_ptr<transport::OutboxQueue> outbox,
                          platform::Registry* registry)
        : connection_(std::move(connection)),
          windows_(std::move(windows)),
          outbox_(std::move(outbox)),
          registry_(registry) {}

    DispatchPtr createObject(std::string_view progId) override;

private:
    std::shared_ptr<StoreConnection> connection_;
    std::shared_ptr<WindowSet> windows_;
    std::shared_ptr<transport::OutboxQueue> outbox_;
    platform::Registry* registry_;
};

}  // namespace outlook::local
