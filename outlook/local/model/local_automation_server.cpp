#include "outlook/local/model/local_automation_server.h"

#include "outlook/local/model/application_object.h"
#include "outlook/local/model/dispatch_support.h"

namespace outlook::local {

DispatchPtr LocalAutomationServer::createObject(std::string_view progId) {
    if (!isMember(progId, "Outlook.Application"))
        throw AutomationError("Cannot create object '" + std::string(progId) + "'");
    auto store = connection_->get();
    if (!store)
        throw AutomationError("Cannot create object '" + std::string(progId) +
                              "': " + connection_->lastError());
    auto context = std::make_shared<ModelContext>();
    context->store = std::move(store);
    context->windows = windows_;
    context->outbox = outbox_;
    context->registry = registry_;
    return std::make_shared<ApplicationObject>(std::move(context));
}

}  // namespace outlook::local
