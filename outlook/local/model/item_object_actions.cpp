#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/model/attachment_object.h"
#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/folder_object.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/model/recipient_object.h"
#include "outlook/local/model/recurrence_pattern_object.h"
#include "outlook/local/store/deleted_from_property.h"
#include "outlook/local/transport/outbox_properties.h"
#include "outlook/object_model.h"

namespace outlook::local {

using namespace mapi;

Variant ItemObject::callMethod(std::string_view method, const Arguments& arguments) {
    if (isMember(method, "Save")) {
        expectArguments(method, arguments, 0, 0);
        save();
        return {};
    }
    if (isMember(method, "Send")) {
        expectArguments(method, arguments, 0, 0);
        send();
        return {};
    }
    if (isMember(method, "Assign")) {
        expectArguments(method, arguments, 0, 0);
        assign();
        return DispatchPtr(shared_from_this());
    }
    if (isMember(method, "Display")) {
        display(arguments);
        return {};
    }
    if (isMember(method, "Close")) {
        close(arguments);
        return {};
    }
    if (isMember(method, "GetRecurrencePattern") || isMember(method, "ClearRecurrencePattern")) {
        expectArguments(method, arguments, 0, 0);
        if (!canRepeat())
            throw AutomationError(std::string(method) + " is not supported by " +
                                  describeKind(kind_));
        if (isMember(method, "ClearRecurrencePattern")) {
            clearRecurrence();
            return {};
        }
        // Asking for the pattern makes the item repeat, as the object model does.
        if (!recurrence()) setRecurrence(defaultRecurrence());
        return DispatchPtr(std::make_shared<RecurrencePatternObject>(shared_from_this()));
    }
    if (isMember(method, "Delete")) {
        expectArguments(method, arguments, 0, 0);
        remove();
        return {};
    }
    if (isMember(method, "Move")) {
        expectArguments(method, arguments, 1, 1);
        const auto folder = arguments[0].type() == Variant::Type::Object
                                ? std::dynamic_pointer_cast<FolderObject>(arguments[0].asObject())
                                : nullptr;
        if (!folder) throw AutomationError("Move: argument 1 must be a folder");
        moveTo(folder->id());
        return DispatchPtr(shared_from_this());
    }
    throw AutomationError("Unknown method '" + std::string(method) + "' of " + describeKind(kind_));
}

ItemRecord ItemObject::snapshotRecord() {
    ItemRecord record = record_;
    record.recipients.clear();
    for (const auto& r : recipients_)
        record.recipients.push_back(r->record());
    record.attachments.clear();
    for (const auto& a : attachments_)
        record.attachments.push_back(a->record());
    return record;
}

void ItemObject::adoptSaved(const ItemRecord& saved) {
    record_.id = saved.id;
    record_.folder = saved.folder;
    record_.props = saved.props;
    record_.recipientsChanged = false;
    record_.attachmentsChanged = false;
    for (std::size_t i = 0; i < attachments_.size() && i < saved.attachments.size(); ++i)
        attachments_[i]->record().id = saved.attachments[i].id;
}

void ItemObject::save() {
    fitToRecurrence();
    ItemRecord record = snapshotRecord();
    context_->store->saveItem(record);
    adoptSaved(record);
}

void ItemObject::resolveAllRecipients() {
    if (recipients_.empty())
        throw AutomationError("Cannot send " + describeKind(kind_) + ": it has no recipients");
    for (auto& recipient : recipients_) {
        if (recipient->record().resolved || recipient->resolve()) continue;
        throw AutomationError("Cannot send " + describeKind(kind_) + ": the recipient '" +
                              recipient->record().name + "' cannot be resolved");
    }
}

ItemRecord ItemObject::requestCopy(ItemKind requestKind) {
    ItemRecord copy = snapshotRecord();
    copy.id = 0;
    copy.folder = context_->store->folder(FolderKind::Outbox).id;
    copy.props.erase(PR_CREATION_TIME);
    copy.props.setString(PR_MESSAGE_CLASS, std::string(messageClassOf(requestKind)));
    copy.props.markAllChanged();
    for (std::size_t i = 0; i < copy.attachments.size(); ++i) {
        copy.attachments[i].data = attachments_[i]->data();
        copy.attachments[i].id = 0;
    }
    return copy;
}

void ItemObject::send() {
    if (sent_) throw AutomationError("The item has already been sent");
    fitToRecurrence();
    auto& store = *context_->store;
    const KnownTags& known = store.known();
    // Send puts the message in the Outbox; the transport delivers it from there and moves
    // it to Sent Items.
    std::int64_t queued = 0;
    switch (kind_) {
        case ItemKind::Mail:
        case ItemKind::MeetingRequest:
        case ItemKind::TaskRequest: {
            resolveAllRecipients();
            ItemRecord record = snapshotRecord();
            record.folder = store.folder(FolderKind::Outbox).id;
            store.saveItem(record);
            adoptSaved(record);
            queued = record.id;
            break;
        }
        case ItemKind::Appointment:
        case ItemKind::Task: {
            if (kind_ == ItemKind::Task && record_.props.longValue(known[Known::TaskAssigned]) != 1)
                throw AutomationError(
                    "Cannot send a task item that is not assigned: call Assign "
                    "first");
            resolveAllRecipients();
            if (kind_ == ItemKind::Appointment)
                record_.props.setLong(known[Known::MeetingStatus], olMeeting);
            ItemRecord record = snapshotRecord();
            ItemRecord request = requestCopy(
                kind_ == ItemKind::Appointment ? ItemKind::MeetingRequest : ItemKind::TaskRequest);
            store.transact([&] {
                store.saveItem(record);
                // The invitation names the appointment or task by the UID its calendar
                // file has, so that the recipient's answer and updates find it.
                request.props.setString(transport::outboxTags(store).calendarUid,
                                        mirror::uidOf(store.itemEntryId(record.id)));
                store.saveItem(request);
            });
            adoptSaved(record);
            queued = request.id;
            break;
        }
        default:
            throw AutomationError("Send is not supported by " + describeKind(kind_));
    }
    sent_ = true;
    if (context_->outbox) context_->outbox->queued(queued);
}

void ItemObject::assign() {
    if (kind_ != ItemKind::Task)
        throw AutomationError("Assign is not supported by " + describeKind(kind_));
    record_.props.setLong(context_->store->known()[Known::TaskAssigned], 1);
}

void ItemObject::display(const Arguments& arguments) {
    expectArguments("Display", arguments, 0, 1);
    bool modal = false;
    if (!arguments.empty() && !arguments[0].isEmpty()) {
        if (arguments[0].type() != Variant::Type::Bool)
            throw AutomationError(std::string("Type mismatch: argument 1 of 'Display' expects a "
                                              "boolean, got ") +
                                  typeName(arguments[0].type()));
        modal = arguments[0].asBool();
    }
    context_->windows->itemForm().showItem(shared_from_this(), modal);
}

void ItemObject::close(const Arguments& arguments) {
    expectArguments("Close", arguments, 1, 1);
    const std::int32_t mode = intArgument("Close", arguments, 0);
    if (mode == olSave) {
        save();
    } else if (mode == olDiscard) {
        if (record_.id != 0) {
            if (auto fresh = load(context_, record_.id)) {
                record_ = fresh->record_;
                recipients_.clear();
                for (const auto& r : record_.recipients)
                    recipients_.push_back(
                        std::make_shared<RecipientObject>(context_, r, weak_from_this()));
                attachments_.clear();
                for (const auto& a : record_.attachments)
                    attachments_.push_back(
                        std::make_shared<AttachmentObject>(context_, a, weak_from_this()));
            }
        }
    } else {
        throw AutomationError("Close: save mode " + std::to_string(mode) +
                              " is not supported (0 save, 1 discard)");
    }
    context_->windows->itemForm().closeItem(shared_from_this());
}

std::int64_t ItemObject::storedFolder() const {
    const auto folder = record_.id != 0 ? context_->store->folderOfItem(record_.id) : std::nullopt;
    if (!folder) throw AutomationError("The item is no longer in the store");
    return *folder;
}

void ItemObject::remove() {
    if (record_.id == 0) return;
    auto& store = *context_->store;
    const std::int64_t deletedItems = store.folder(FolderKind::DeletedItems).id;
    // Where the store has it, not where this object last saw it: an item restored meanwhile
    // is moved to Deleted Items again, not removed for good.
    if (storedFolder() != deletedItems) return moveTo(deletedItems);
    store.deleteItem(record_.id);
    record_.id = 0;
    record_.props.markAllChanged();
    record_.recipientsChanged = record_.attachmentsChanged = true;
    for (auto& a : attachments_) {
        a->data();
        a->record().id = 0;
    }
}

void ItemObject::moveTo(std::int64_t folder) {
    if (record_.id == 0) throw AutomationError("Move: the item has not been saved");
    auto& store = *context_->store;
    const FolderRecord* target = store.folderById(folder);
    if (!target) throw AutomationError("Move: the folder is not in this store");
    const std::int64_t current = storedFolder();
    if (current == folder) return;
    const std::int64_t deletedItems = store.folder(FolderKind::DeletedItems).id;
    // Only the origin is written beside the move: edits not yet saved stay unsaved.
    PropertyBag origin;
    if (folder == deletedItems) {
        const FolderRecord* from = store.folderById(current);
        origin.setLong(deletedFromTag(store), static_cast<std::int32_t>(from->kind));
        record_.props.set(origin.get(deletedFromTag(store)));
    } else if (const auto tag = findDeletedFromTag(store); tag && current == deletedItems) {
        origin.setLong(*tag, 0);
        origin.markSaved();
        origin.erase(*tag);
        record_.props.erase(*tag);
    }
    store.moveItem(record_.id, folder, &origin);
    record_.folder = folder;
}

}  // namespace outlook::local
