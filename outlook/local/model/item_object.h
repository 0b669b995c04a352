#pragma once

#include <memory>
#include <vector>

#include "outlook/automation.h"
#include "outlook/local/model/item_schema.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/item_record.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook::local {

class AttachmentObject;
class RecipientObject;

// An item of the object model (mail, appointment, contact, task, journal entry, note,
// meeting or task request): its properties in memory until Save writes them.
//
// EntryID is the empty string until the item is first saved. Writing Empty to a property
// clears it. Reading an unset date gives 1 January 4501 ("none"), and writing that date
// clears it. Close takes 0 (save) or 1 (discard). Delete moves a saved item to Deleted
// Items, or removes it for good when it is there already. Move(folder) moves a saved item
// as it is stored (changes not yet saved stay with the object); an item moved to Deleted
// Items keeps the folder it came from (deleted_from_property.h) until it is moved out.
class ItemObject : public ModelObject, public std::enable_shared_from_this<ItemObject> {
public:
    // A new, unsaved item of `kind` that will be saved into `folder`.
    static std::shared_ptr<ItemObject> createNew(ContextPtr context, ItemKind kind,
                                                 std::int64_t folder);
    // A saved item; nullptr when the store has no such item.
    static std::shared_ptr<ItemObject> load(ContextPtr context, std::int64_t id);

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

    ItemKind kind() const { return kind_; }
    std::int64_t id() const { return record_.id; }
    const PropertyBag& props() const { return record_.props; }
    // The name an attachment or a listing shows for the item.
    std::string title() const;
    const ContextPtr& context() const { return context_; }

    // Used by the recipient and attachment collections.
    std::vector<std::shared_ptr<RecipientObject>>& recipients() { return recipients_; }
    std::vector<std::shared_ptr<AttachmentObject>>& attachments() { return attachments_; }
    void recipientsChanged() { record_.recipientsChanged = true; }
    void attachmentsChanged() { record_.attachmentsChanged = true; }

    // Used by the RecurrencePattern (item_object_recurrence.cpp). The item's repeat as it
    // stands (changes are kept with the item until Save), or nothing when it has none.
    std::optional<RecurrenceFields> recurrence() const;
    // What a repeat starts as on an item that has none: weekly on the day of the item's
    // start (a task's due date, else today), from that day on, with no end, at the item's
    // times.
    RecurrenceFields defaultRecurrence() const;
    // Makes the item repeat so; AutomationError naming the property when the pattern is
    // unusable.
    void setRecurrence(const RecurrenceFields& pattern);

    ItemObject(ContextPtr context, ItemKind kind, ItemRecord record);

private:
    Variant getStored(const ItemProperty& definition) const;
    void putStored(const ItemProperty& definition, const Variant& value);
    mapi::PropTag tagOf(const ItemProperty& definition) const;
    // The property of this name that items of this kind have, or AutomationError.
    const ItemProperty& propertyOfThisKind(std::string_view property) const;
    void checkValue(const ItemProperty& definition, const Variant& value) const;
    void putDate(const ItemProperty& definition, const Variant& value);
    void putDuration(const Variant& value);
    std::int32_t durationMinutes() const;
    Variant noteSubject() const;

    // Repeats (item_object_recurrence.cpp).
    bool canRepeat() const;
    void clearRecurrence();
    // The repeat's times after the appointment's Start, End or Duration changed.
    void followRecurrenceTimes();
    // Before a save: an appointment starts and ends as its first occurrence, a task is due
    // on it.
    void fitToRecurrence();

    // Actions (item_object_actions.cpp).
    void save();
    void send();
    void assign();
    void display(const Arguments& arguments);
    void close(const Arguments& arguments);
    void remove();
    void moveTo(std::int64_t folder);
    // The folder the store has the item in; AutomationError when it is gone.
    std::int64_t storedFolder() const;
    void resolveAllRecipients();
    ItemRecord snapshotRecord();
    ItemRecord requestCopy(ItemKind requestKind);
    void adoptSaved(const ItemRecord& saved);

    ContextPtr context_;
    ItemKind kind_;
    ItemRecord record_;
    std::vector<std::shared_ptr<RecipientObject>> recipients_;
    std::vector<std::shared_ptr<AttachmentObject>> attachments_;
    bool sent_ = false;
};

}  // namespace outlook::local
