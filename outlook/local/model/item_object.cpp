#include "outlook/local/model/item_object.h"

#include "outlook/local/model/attachment_object.h"
#include "outlook/local/model/attachments_object.h"
#include "outlook/local/model/contact_names.h"
#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/folder_object.h"
#include "outlook/local/model/recipient_object.h"
#include "outlook/local/model/recipients_object.h"
#include "outlook/local/reminder_setting.h"
#include "outlook/local/store/file_time.h"
#include "outlook/object_model.h"
#include "platform/text.h"

namespace outlook::local {

using platform::equalsIgnoreCase;
using platform::trimmed;

using namespace mapi;

namespace {

constexpr std::int64_t kTicksPerMinute = 600'000'000;

// "A; B" from "A;B;" or "a, B; a": trimmed, without empty or repeated names.
std::string normalizeCategories(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(";,", start);
        if (end == std::string::npos) end = text.size();
        const std::string name(trimmed(std::string_view(text).substr(start, end - start)));
        bool seen = name.empty();
        for (const auto& n : names)
            seen = seen || equalsIgnoreCase(n, name);
        if (!seen) names.push_back(name);
        start = end + 1;
    }
    std::string out;
    for (const auto& name : names)
        out += (out.empty() ? "" : "; ") + name;
    return out;
}

std::string firstLine(const std::string& text) {
    const std::string_view body = trimmed(text);
    return std::string(trimmed(body.substr(0, body.find_first_of("\r\n"))));
}

bool isContactNameField(PropTag tag) {
    return tag == PR_GIVEN_NAME || tag == PR_SURNAME || tag == PR_COMPANY_NAME ||
           tag == PR_DISPLAY_NAME;
}

}  // namespace

ItemObject::ItemObject(ContextPtr context, ItemKind kind, ItemRecord record)
    : context_(std::move(context)), kind_(kind), record_(std::move(record)) {}

std::shared_ptr<ItemObject> ItemObject::createNew(ContextPtr context, ItemKind kind,
                                                  std::int64_t folder) {
    ItemRecord record;
    record.folder = folder;
    record.props.setString(PR_MESSAGE_CLASS, std::string(messageClassOf(kind)));
    auto item = std::make_shared<ItemObject>(std::move(context), kind, std::move(record));
    const KnownTags& known = item->context_->store->known();
    if (kind == ItemKind::Appointment) {
        item->record_.props.setLong(known[Known::BusyStatus], olBusy);
        item->record_.props.setLong(known[Known::MeetingStatus], olNonMeeting);
        // As in Outlook, a new appointment reminds; a task only when asked to.
        item->record_.props.setBool(known[Known::ReminderSet], true);
        item->record_.props.setLong(known[Known::ReminderMinutesBeforeStart],
                                    defaultReminderMinutes(item->context_->registry));
    }
    return item;
}

std::shared_ptr<ItemObject> ItemObject::load(ContextPtr context, std::int64_t id) {
    auto record = context->store->loadItem(id);
    if (!record) return nullptr;
    const ItemKind kind = itemKindFromMessageClass(record->props.string(PR_MESSAGE_CLASS));
    auto item = std::make_shared<ItemObject>(context, kind, std::move(*record));
    for (const auto& r : item->record_.recipients)
        item->recipients_.push_back(std::make_shared<RecipientObject>(context, r, item));
    for (const auto& a : item->record_.attachments)
        item->attachments_.push_back(std::make_shared<AttachmentObject>(context, a, item));
    item->sent_ = item->record_.folder == context->store->folder(FolderKind::SentItems).id ||
                  item->record_.folder == context->store->folder(FolderKind::Outbox).id;
    return item;
}

std::string ItemObject::title() const {
    if (kind_ == ItemKind::Contact) {
        std::string name = record_.props.string(PR_DISPLAY_NAME);
        return name.empty() ? record_.props.string(context_->store->known()[Known::FileAs]) : name;
    }
    if (kind_ == ItemKind::Note) return firstLine(record_.props.string(PR_BODY));
    return record_.props.string(PR_SUBJECT);
}

PropTag ItemObject::tagOf(const ItemProperty& definition) const {
    return definition.named ? context_->store->known()[*definition.named] : definition.fixed;
}

Variant ItemObject::getStored(const ItemProperty& definition) const {
    const PropTag tag = tagOf(definition);
    switch (definition.value) {
        case ValueKind::String:
            return record_.props.string(tag);
        case ValueKind::Int:
            // An appointment that reminds without a lead of its own (saved so before new
            // appointments got one) reminds as Outlook's default does.
            if (definition.named == Known::ReminderMinutesBeforeStart)
                return record_.props.longValue(tag).value_or(kDefaultReminderMinutes);
            return record_.props.longValue(tag).value_or(0);
        case ValueKind::Bool:
            return record_.props.boolValue(tag).value_or(false);
        case ValueKind::Date: {
            const auto time = record_.props.time(tag);
            return time ? oleDateFromFileTime(*time) : OleDate{kNoDateSerial};
        }
    }
    return {};
}

std::int32_t ItemObject::durationMinutes() const {
    const KnownTags& known = context_->store->known();
    const auto start = record_.props.time(known[Known::Start]);
    const auto end = record_.props.time(known[Known::End]);
    if (start && end)
        return static_cast<std::int32_t>((end->ticks - start->ticks) / kTicksPerMinute);
    if (auto stored = record_.props.longValue(known[Known::Duration])) return *stored;
    return kind_ == ItemKind::Journal ? 0 : 30;
}

Variant ItemObject::noteSubject() const {
    return firstLine(record_.props.string(PR_BODY));
}

Variant ItemObject::getMember(std::string_view property) {
    const auto& store = *context_->store;
    if (isMember(property, "EntryID"))
        return record_.id ? HexFromBin(store.itemEntryId(record_.id)) : std::string();
    if (isMember(property, "Class")) return objectClassOf(kind_);
    if (isMember(property, "MessageClass")) return record_.props.string(PR_MESSAGE_CLASS);
    if (isMember(property, "Attachments"))
        return DispatchPtr(std::make_shared<AttachmentsObject>(shared_from_this()));
    if (isMember(property, "Recipients"))
        return DispatchPtr(std::make_shared<RecipientsObject>(shared_from_this()));
    if (isMember(property, "Saved"))
        return record_.id != 0 && !record_.props.modified() && !record_.recipientsChanged &&
               !record_.attachmentsChanged;
    if (isMember(property, "Sent")) return sent_;
    if (isMember(property, "Parent"))
        return DispatchPtr(std::make_shared<FolderObject>(context_, record_.folder));
    if (isMember(property, "CreationTime") || isMember(property, "LastModificationTime")) {
        const auto time = record_.props.time(
            isMember(property, "CreationTime") ? PR_CREATION_TIME : PR_LAST_MODIFICATION_TIME);
        return time ? oleDateFromFileTime(*time) : OleDate{kNoDateSerial};
    }
    if (isMember(property, "IsRecurring") && canRepeat()) return recurrence().has_value();
    const ItemProperty* definition = &propertyOfThisKind(property);
    if (kind_ == ItemKind::Note && definition->fixed == PR_SUBJECT) return noteSubject();
    if (definition->named == Known::Duration) return durationMinutes();
    return getStored(*definition);
}

const ItemProperty& ItemObject::propertyOfThisKind(std::string_view property) const {
    const ItemProperty* definition = findItemProperty(property);
    if (!definition)
        throw AutomationError("Unknown property '" + std::string(property) + "' of " +
                              describeKind(kind_));
    if (!hasProperty(*definition, kind_))
        throw AutomationError("Property '" + std::string(definition->name) +
                              "' is not supported by " + describeKind(kind_));
    return *definition;
}

void ItemObject::checkValue(const ItemProperty& definition, const Variant& value) const {
    if (value.isEmpty()) return;
    Variant::Type expected = Variant::Type::String;
    switch (definition.value) {
        case ValueKind::String:
            expected = Variant::Type::String;
            break;
        case ValueKind::Int:
            expected = Variant::Type::Int32;
            break;
        case ValueKind::Bool:
            expected = Variant::Type::Bool;
            break;
        case ValueKind::Date:
            expected = Variant::Type::Date;
            break;
    }
    if (value.type() != expected)
        throw AutomationError("Type mismatch: '" + std::string(definition.name) + "' expects " +
                              describeValueKind(definition.value) + ", got " +
                              typeName(value.type()));
}

void ItemObject::putStored(const ItemProperty& definition, const Variant& value) {
    const PropTag tag = tagOf(definition);
    if (value.isEmpty()) {
        record_.props.erase(tag);
        return;
    }
    switch (definition.value) {
        case ValueKind::String:
            record_.props.setString(tag, value.asString());
            break;
        case ValueKind::Int:
            record_.props.setLong(tag, value.asInt());
            break;
        case ValueKind::Bool:
            record_.props.setBool(tag, value.asBool());
            break;
        case ValueKind::Date:
            if (value.asDate().serial >= kNoDateSerial)
                record_.props.erase(tag);
            else
                record_.props.set({tag, fileTimeFromOleDate(value.asDate())});
            break;
    }
}

void ItemObject::putDate(const ItemProperty& definition, const Variant& value) {
    const KnownTags& known = context_->store->known();
    const bool isStart = definition.named == Known::Start, isEnd = definition.named == Known::End;
    if (!isStart && !isEnd) return putStored(definition, value);
    if (value.isEmpty() || value.asDate().serial >= kNoDateSerial) {
        record_.props.erase(tagOf(definition));
        return;
    }
    const FileTime time = fileTimeFromOleDate(value.asDate());
    if (isStart) {
        // The item keeps its length: the end moves with the start.
        const std::int32_t minutes = durationMinutes();
        record_.props.set({known[Known::Start], time});
        record_.props.set({known[Known::End], FileTime{time.ticks + minutes * kTicksPerMinute}});
        record_.props.setLong(known[Known::Duration], minutes);
        return;
    }
    const auto start = record_.props.time(known[Known::Start]);
    if (start && time.ticks < start->ticks)
        throw AutomationError("'End' cannot be earlier than 'Start'");
    record_.props.set({known[Known::End], time});
    if (start)
        record_.props.setLong(
            known[Known::Duration],
            static_cast<std::int32_t>((time.ticks - start->ticks) / kTicksPerMinute));
}

void ItemObject::putDuration(const Variant& value) {
    const KnownTags& known = context_->store->known();
    if (value.isEmpty()) {
        record_.props.erase(known[Known::Duration]);
        return;
    }
    const std::int32_t minutes = value.asInt();
    if (minutes < 0) throw AutomationError("'Duration' cannot be negative");
    record_.props.setLong(known[Known::Duration], minutes);
    if (const auto start = record_.props.time(known[Known::Start]))
        record_.props.set({known[Known::End], FileTime{start->ticks + minutes * kTicksPerMinute}});
}

void ItemObject::putMember(std::string_view property, const Variant& value) {
    for (const char* readOnly : {"EntryID", "Class", "MessageClass", "Attachments", "Recipients",
                                 "Saved", "Sent", "Parent", "CreationTime", "LastModificationTime"})
        if (isMember(property, readOnly)) throwReadOnly(readOnly);
    if (isMember(property, "IsRecurring") && canRepeat()) throwReadOnly("IsRecurring");
    const ItemProperty* definition = &propertyOfThisKind(property);
    checkValue(*definition, value);
    const KnownTags& known = context_->store->known();

    if (kind_ == ItemKind::Note && definition->fixed == PR_SUBJECT)
        throw AutomationError(
            "Property 'Subject' is read-only for a note item: it is the first "
            "line of the body");
    if (definition->named == Known::Start || definition->named == Known::End ||
        definition->named == Known::Duration) {
        if (definition->named == Known::Duration)
            putDuration(value);
        else
            putDate(*definition, value);
        followRecurrenceTimes();
        return;
    }
    if (definition->value == ValueKind::Date) return putDate(*definition, value);
    if (isContactNameField(definition->fixed)) {
        setContactName(record_.props, known[Known::FileAs], definition->fixed,
                       value.isEmpty() ? std::string() : value.asString());
        return;
    }
    if (definition->named == Known::Categories && !value.isEmpty()) {
        const std::string text = normalizeCategories(value.asString());
        if (text.empty())
            record_.props.erase(tagOf(*definition));
        else
            record_.props.setString(tagOf(*definition), text);
        return;
    }
    putStored(*definition, value);
    if (definition->named == Known::Email1Address) {
        const std::string address(value.isEmpty() ? std::string_view() : trimmed(value.asString()));
        if (address.empty()) {
            record_.props.erase(known[Known::Email1Address]);
            record_.props.erase(known[Known::Email1AddressType]);
            record_.props.erase(known[Known::Email1DisplayName]);
        } else {
            record_.props.setString(known[Known::Email1Address], address);
            record_.props.setString(known[Known::Email1AddressType], "SMTP");
            const std::string name = record_.props.string(PR_DISPLAY_NAME);
            record_.props.setString(known[Known::Email1DisplayName],
                                    name.empty() ? address : name + " (" + address + ")");
        }
    }
    if (kind_ == ItemKind::Note && definition->fixed == PR_BODY) {
        const std::string subject = firstLine(record_.props.string(PR_BODY));
        if (subject.empty())
            record_.props.erase(PR_SUBJECT);
        else
            record_.props.setString(PR_SUBJECT, subject);
    }
}

}  // namespace outlook::local
