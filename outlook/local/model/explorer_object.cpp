#include "outlook/local/model/explorer_object.h"

#include "outlook/local/model/dispatch_support.h"

namespace outlook::local {

Variant ExplorerObject::getMember(std::string_view property) {
    auto& window = context_->windows->explorer();
    if (isMember(property, "CurrentFolder")) return window.currentFolder();
    if (isMember(property, "Caption")) {
        const DispatchPtr folder = window.currentFolder();
        return folder ? folder->get("Name").asString() + " - Jotwise" : std::string("Jotwise");
    }
    throwUnknownProperty("Explorer", property);
}

void ExplorerObject::putMember(std::string_view property, const Variant&) {
    if (isMember(property, "CurrentFolder") || isMember(property, "Caption"))
        throwReadOnly(property);
    throwUnknownProperty("Explorer", property);
}

Variant ExplorerObject::callMethod(std::string_view method, const Arguments& arguments) {
    auto& window = context_->windows->explorer();
    if (isMember(method, "Display") || isMember(method, "Activate")) {
        expectArguments(method, arguments, 0, 0);
        if (!window.isOpen()) throw AutomationError("The explorer window is closed");
        window.activate();
        return {};
    }
    if (isMember(method, "Close")) {
        expectArguments(method, arguments, 0, 0);
        window.close();
        return {};
    }
    throwUnknownMethod("Explorer", method);
}

}  // namespace outlook::local
