#include "outlook/local/model/attachment_object.h"

#include <fstream>

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/item_object.h"

namespace outlook::local {

const mapi::Binary& AttachmentObject::data() {
    if (!record_.data)
        record_.data = record_.id ? context_->store->attachmentData(record_.id) : mapi::Binary();
    return *record_.data;
}

Variant AttachmentObject::getMember(std::string_view property) {
    if (isMember(property, "DisplayName")) return record_.displayName;
    if (isMember(property, "FileName")) return record_.fileName;
    if (isMember(property, "PathName")) return record_.path;
    if (isMember(property, "Type")) return record_.method;
    if (isMember(property, "Size")) return static_cast<std::int32_t>(record_.size);
    if (isMember(property, "Index")) {
        if (auto owner = owner_.lock()) {
            const auto& all = owner->attachments();
            for (std::size_t i = 0; i < all.size(); ++i)
                if (all[i].get() == this) return static_cast<std::int32_t>(i + 1);
        }
        return std::int32_t(0);
    }
    throwUnknownProperty("Attachment", property);
}

void AttachmentObject::putMember(std::string_view property, const Variant& value) {
    if (isMember(property, "DisplayName")) {
        if (value.type() != Variant::Type::String)
            throw AutomationError(
                std::string("Type mismatch: 'DisplayName' expects a string, got ") +
                typeName(value.type()));
        record_.displayName = value.asString();
        if (auto owner = owner_.lock()) owner->attachmentsChanged();
        return;
    }
    throwReadOnly(property);
}

Variant AttachmentObject::callMethod(std::string_view method, const Arguments& arguments) {
    if (isMember(method, "SaveAsFile")) {
        expectArguments(method, arguments, 1, 1);
        const std::string& path = stringArgument(method, arguments, 0);
        if (record_.method == olByReference)
            throw AutomationError("SaveAsFile: an attachment by reference has no content");
        const auto& bytes = data();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw AutomationError("SaveAsFile: cannot write '" + path + "'");
        return {};
    }
    throwUnknownMethod("Attachment", method);
}

}  // namespace outlook::local
