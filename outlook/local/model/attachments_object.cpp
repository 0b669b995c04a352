#include "outlook/local/model/attachments_object.h"

#include <filesystem>

#include "outlook/local/model/attachment_object.h"
#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/store/property_codec.h"
#include "outlook/local/store/store.h"
#include "platform/whole_file.h"

namespace outlook::local {

namespace fs = std::filesystem;

Variant AttachmentsObject::getMember(std::string_view property) {
    if (isMember(property, "Count")) return static_cast<std::int32_t>(item_->attachments().size());
    throwUnknownProperty("Attachments", property);
}

void AttachmentsObject::putMember(std::string_view property, const Variant&) {
    if (isMember(property, "Count")) throwReadOnly(property);
    throwUnknownProperty("Attachments", property);
}

std::size_t AttachmentsObject::index(std::string_view method, const Arguments& arguments) const {
    return collectionIndex("Attachments", method, arguments, item_->attachments().size());
}

AttachmentRecord AttachmentsObject::fromFile(const std::string& given, std::int32_t type) {
    // The path is kept absolute: a link must work from wherever it is opened.
    std::error_code ec;
    const fs::path path = fs::absolute(given, ec);
    const auto refuse = [&](const std::string& why) {
        return AutomationError("Cannot attach '" + given + "': " + why);
    };
    if (ec || !fs::is_regular_file(path, ec)) throw refuse("the file does not exist");
    AttachmentRecord record;
    record.method = type;
    record.path = path.string();
    record.fileName = path.filename().string();
    record.displayName = record.fileName;
    if (type == olByReference) {
        record.size = static_cast<std::int64_t>(fs::file_size(path, ec));
        return record;
    }
    platform::WholeFile file = platform::readWholeFile(path);
    if (file.status == platform::WholeFile::Status::Missing)
        throw refuse("the file does not exist");
    if (file.status == platform::WholeFile::Status::Unreadable)
        throw refuse("the file cannot be read (" + file.error + ")");
    record.data = mapi::Binary(file.content.begin(), file.content.end());
    record.size = static_cast<std::int64_t>(record.data->size());
    return record;
}

AttachmentRecord AttachmentsObject::fromItem(const ItemObject& item, std::int32_t type) {
    AttachmentRecord record;
    record.displayName = item.title();
    if (type == olByReference) {
        if (item.id() == 0)
            throw AutomationError("Cannot attach an unsaved item by reference: save it first");
        record.method = olByReference;
        record.path = mapi::HexFromBin(item.context()->store->itemEntryId(item.id()));
        return record;
    }
    record.method = olEmbeddedItem;
    record.data = encodePropertyBag(item.props());
    record.size = static_cast<std::int64_t>(record.data->size());
    return record;
}

Variant AttachmentsObject::callMethod(std::string_view method, const Arguments& arguments) {
    auto& attachments = item_->attachments();
    if (isMember(method, "Add")) {
        expectArguments(method, arguments, 1, 4);
        const std::int32_t type = arguments.size() > 1 && !arguments[1].isEmpty()
                                      ? intArgument(method, arguments, 1)
                                      : olByValue;
        if (type != olByValue && type != olByReference && type != olEmbeddedItem)
            throw AutomationError("Attachments.Add: attachment type " + std::to_string(type) +
                                  " is not supported (1 by value, 4 by reference, 5 item)");
        if (arguments.size() > 2 && !arguments[2].isEmpty()) intArgument(method, arguments, 2);
        const Variant& source = arguments[0];
        AttachmentRecord record;
        if (source.type() == Variant::Type::Object) {
            auto item = std::dynamic_pointer_cast<ItemObject>(source.asObject());
            if (!item) throw AutomationError("Attachments.Add: the object is not an item");
            record = fromItem(*item, type);
        } else if (source.type() == Variant::Type::String) {
            const std::string& text = source.asString();
            const auto entryId = mapi::FBinFromHex(text);
            const auto ref = entryId ? item_->context()->store->parse(*entryId) : std::nullopt;
            if (ref && ref->kind == EntryKind::Message) {
                auto item = ItemObject::load(item_->context(), ref->row);
                if (!item) throw AutomationError("Cannot attach '" + text + "': no such item");
                record = fromItem(*item, type);
            } else {
                if (type == olEmbeddedItem)
                    throw AutomationError("Attachments.Add: type 5 needs an item");
                record = fromFile(text, type);
            }
        } else {
            throw AutomationError(std::string("Type mismatch: Attachments.Add expects a path or an "
                                              "item, got ") +
                                  typeName(source.type()));
        }
        if (arguments.size() > 3 && !arguments[3].isEmpty())
            record.displayName = stringArgument(method, arguments, 3);
        auto added = std::make_shared<AttachmentObject>(item_->context(), std::move(record),
                                                        std::weak_ptr<ItemObject>(item_));
        attachments.push_back(added);
        item_->attachmentsChanged();
        return DispatchPtr(added);
    }
    if (isMember(method, "Item")) return DispatchPtr(attachments[index(method, arguments)]);
    if (isMember(method, "Remove")) {
        attachments.erase(attachments.begin() +
                          static_cast<std::ptrdiff_t>(index(method, arguments)));
        item_->attachmentsChanged();
        return {};
    }
    throwUnknownMethod("Attachments", method);
}

}  // namespace outlook::local
