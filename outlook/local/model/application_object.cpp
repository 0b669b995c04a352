#include "outlook/local/model/application_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/explorer_object.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/model/namespace_object.h"

namespace outlook::local {

Variant ApplicationObject::activeExplorer() {
    if (!context_->windows->explorer().isOpen()) return DispatchPtr();
    return DispatchPtr(std::make_shared<ExplorerObject>(context_));
}

Variant ApplicationObject::getMember(std::string_view property) {
    if (isMember(property, "ActiveExplorer")) return activeExplorer();
    if (isMember(property, "Name")) return std::string("Jotwise Local Store");
    if (isMember(property, "Version")) return std::string("8.0");
    throwUnknownProperty("Application", property);
}

void ApplicationObject::putMember(std::string_view property, const Variant&) {
    for (const char* name : {"ActiveExplorer", "Name", "Version"})
        if (isMember(property, name)) throwReadOnly(name);
    throwUnknownProperty("Application", property);
}

Variant ApplicationObject::callMethod(std::string_view method, const Arguments& arguments) {
    if (isMember(method, "GetNamespace")) {
        expectArguments(method, arguments, 1, 1);
        const std::string& type = stringArgument(method, arguments, 0);
        if (!isMember(type, "MAPI"))
            throw AutomationError("GetNamespace: unknown namespace '" + type + "' (only MAPI)");
        return DispatchPtr(std::make_shared<NamespaceObject>(context_));
    }
    if (isMember(method, "CreateItem")) {
        expectArguments(method, arguments, 1, 1);
        const std::int32_t type = intArgument(method, arguments, 0);
        const auto kind = itemKindFromCreateNumber(type);
        if (!kind)
            throw AutomationError("CreateItem: unknown item type " + std::to_string(type) +
                                  " (0 mail, 1 appointment, 2 contact, 3 task, 4 journal, 5 note)");
        const auto& store = *context_->store;
        return DispatchPtr(
            ItemObject::createNew(context_, *kind, store.folder(defaultFolderOf(*kind)).id));
    }
    if (isMember(method, "ActiveExplorer")) {
        expectArguments(method, arguments, 0, 0);
        return activeExplorer();
    }
    if (isMember(method, "Quit")) return {};
    // Not Outlook's: a program that can do without them files item by item.
    if (isMember(method, "BeginBatch") || isMember(method, "CommitBatch") ||
        isMember(method, "AbortBatch")) {
        expectArguments(method, arguments, 0, 0);
        Store& store = *context_->store;
        if (isMember(method, "BeginBatch"))
            store.beginBatch();
        else if (isMember(method, "CommitBatch"))
            store.commitBatch();
        else
            store.abortBatch();
        return {};
    }
    throwUnknownMethod("Application", method);
}

}  // namespace outlook::local
