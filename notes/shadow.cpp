#include "notes/shadow.h"

#include <algorithm>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "notes/window_placement.h"
#include "outlook/automation.h"
#include "outlook/items/contact.h"
#include "outlook/recipients/address_import.h"
#include "outlook/recurrence/recurrence_words.h"
#include "outlook/session/data_store.h"
#include "outlook/session/item_list.h"
#include "platform/text.h"

namespace notes {
namespace {

constexpr messages::MessageId kShadowUnavailable = 36;

bool sortsBefore(const ContactChoice& a, const ContactChoice& b) {
    return platform::lessIgnoringCase(a.fileAs, b.fileAs) ||
           (a.fileAs == b.fileAs && a.key < b.key);
}

}  // namespace

TShadow::TShadow(NoteContext& context, TJotPad& note, ShadowView& view)
    : context_(context), note_(note), view_(view) {}

TShadow::~TShadow() {
    context_.settings.WriteBeside(!behind_);
}

messages::MessageId TShadow::Create() {
    FillContacts();
    if (const messages::MessageId id = context_.store.RefreshCategories()) {
        messages::ShowError(kShadowUnavailable, id);
        return kShadowUnavailable;
    }
    context_.host.CategoriesChanged();
    FillCategories();
    SetBehind(!context_.settings.ReadBeside());

    dateEdited = startEdited = endEdited = contactChosen = categoryChosen = repeatDropped = false;
    rememberedContact_.clear();
    SetStartTime("");
    SetEndTime("");
    SetContact("");
    SetCategory("");
    SetDate("");
    return messages::kNoError;
}

void TShadow::FillContacts() {
    contacts_.clear();
    if (!view_.listsContacts()) return;
    outlook::CollectingItemList list([this](const std::string& fileAs, outlook::TItem* item) {
        contacts_.push_back({fileAs, static_cast<outlook::TContact*>(item)->Key()});
    });
    context_.store.FillContactList(list);
    std::sort(contacts_.begin(), contacts_.end(), sortsBefore);
    view_.setContacts(contacts_);
    view_.selectContact(selectedContact_);
}

void TShadow::FillCategories() {
    categories_.clear();
    outlook::CollectingItemList list(
        [this](const std::string& name, outlook::TItem*) { categories_.push_back(name); });
    context_.store.FillCategoryList(list);
    std::sort(categories_.begin(), categories_.end(), platform::lessIgnoringCase);
    view_.setCategories(categories_);
}

bool TShadow::Knows(const std::string& key) const {
    return !key.empty() && context_.store.FindContact(key) != nullptr;
}

// ---- Setters ----

void TShadow::SetCategory(const std::string& text) {
    categoryText_ = text;
    view_.setCategoryText(text);
    view_.setCategoryImage(!text.empty());
}

void TShadow::SetContact(const std::string& key) {
    selectedContact_ = Knows(key) ? key : std::string();
    view_.selectContact(selectedContact_);
    view_.setContactImage(!selectedContact_.empty());
}

// "On" while any of the three fields holds a text.
void TShadow::UpdateDateTimeImage() {
    view_.setDateTimeImage(!startText_.empty() || !endText_.empty() || !dateText_.empty());
}

void TShadow::UpdateWeekday() {
    const auto date = Date();
    view_.setWeekday(date ? std::optional(std::chrono::weekday{std::chrono::sys_days{*date}})
                          : std::nullopt);
}

void TShadow::SetDateTimeImage(bool on) {
    view_.setDateTimeImage(on);
}

void TShadow::SetStartTime(const std::string& text) {
    startText_ = text;
    view_.setStartText(text);
    UpdateDateTimeImage();
}

void TShadow::SetEndTime(const std::string& text) {
    endText_ = text;
    view_.setEndText(text);
    UpdateDateTimeImage();
}

void TShadow::SetDate(const std::string& text) {
    settingDate_ = true;
    const auto date = platform::parseShortDate(context_.dateFormat, text);
    // A text that denotes no date is the user's own, handed back: it stays as it is.
    dateText_ = date ? platform::formatShortDate(context_.dateFormat, *date) : text;
    view_.setDateText(dateText_);
    UpdateDateTimeImage();
    UpdateWeekday();
    settingDate_ = false;
}

void TShadow::SetRepeat(const std::optional<outlook::RecurrenceFields>& repeat) {
    if (repeat == repeat_) return;
    const bool lineChanges = repeat.has_value() != repeat_.has_value();
    repeat_ = repeat;
    view_.setRepeatText(repeat ? outlook::DescribeRecurrence(*repeat) : std::string());
    // The line makes the shadow taller or shorter: behind the note its bottom must stay put.
    if (lineChanges) Place();
}

// ---- Getters ----

std::optional<std::chrono::year_month_day> TShadow::Date() const {
    return platform::parseShortDate(context_.dateFormat, dateText_);
}

std::optional<double> TShadow::StartTime() const {
    return platform::parseTimeOfDay(startText_);
}

std::optional<double> TShadow::EndTime() const {
    return platform::parseTimeOfDay(endText_);
}

// ---- Placement ----

void TShadow::Place() {
    const JotPadView& noteView = note_.View();
    const Rect note = noteView.frame();
    const Rect placed = PlaceShadow(note, {view_.width(), view_.height(), view_.imageColumnLeft()},
                                    behind_, noteView.workAreaAt(note.centreX(), note.centreY()));
    view_.moveBehindNote(placed.left, placed.top);
}

void TShadow::SetBehind(bool behind) {
    behind_ = behind;
    view_.setPlacementButtons(behind);
    note_.View().setShadowMenuCaption(behind ? "Move Shadow To Side" : "Move Shadow Behind");
}

void TShadow::MoveBehind() {
    if (behind_) return;
    SetBehind(true);
    note_.View().showAndActivate();
    Place();
}

void TShadow::MoveBeside() {
    if (!behind_) return;
    SetBehind(false);
    note_.View().showAndActivate();
    Place();
}

void TShadow::Toggle() {
    if (behind_)
        MoveBeside();
    else
        MoveBehind();
}

void TShadow::SetVisible(bool visible) {
    view_.setVisible(visible);
}

void TShadow::SetEnabled(bool enabled) {
    view_.setEnabled(enabled);
}

void TShadow::FocusDate() {
    view_.focusDate();
}
void TShadow::FocusStart() {
    view_.focusStart();
}
void TShadow::FocusEnd() {
    view_.focusEnd();
}
void TShadow::FocusContact() {
    view_.focusContact();
}
void TShadow::FocusCategory() {
    view_.focusCategory();
}

// ---- Changes from the session ----

void TShadow::SelectRememberedContact() {
    if (rememberedContact_.empty()) return;
    if (Knows(rememberedContact_)) {
        SetContact(rememberedContact_);
    } else {
        contactChosen = false;
        SetContact("");
    }
}

void TShadow::ContactChanged(const std::optional<ContactChoice>& added,
                             const std::optional<std::string>& removedKey) {
    if (removedKey) {
        const auto it = std::find_if(contacts_.begin(), contacts_.end(),
                                     [&](const ContactChoice& c) { return c.key == *removedKey; });
        if (it != contacts_.end()) {
            if (selectedContact_ == *removedKey) {
                contactChosen = false;
                SetContact("");
            }
            contacts_.erase(it);
        }
    }
    if (added) {
        contacts_.insert(std::upper_bound(contacts_.begin(), contacts_.end(), *added, sortsBefore),
                         *added);
        view_.setContacts(contacts_);
        if (added->key == rememberedContact_) {
            SetContact(added->key);
            contactChosen = true;
        } else {
            view_.selectContact(selectedContact_);
        }
    } else {
        FillContacts();
        SelectRememberedContact();
    }
}

void TShadow::CategoriesChanged() {
    FillCategories();
}

// ---- User events ----

void TShadow::csDateChange(const std::string& text) {
    dateText_ = text;
    UpdateDateTimeImage();
    UpdateWeekday();
    if (!settingDate_) dateEdited = true;
    note_.recomputeState();
}

void TShadow::NormaliseDate() {
    if (const auto date = Date()) {
        dateText_ = platform::formatShortDate(context_.dateFormat, *date);
        view_.setDateText(dateText_);
    }
}

void TShadow::csDateExit() {
    NormaliseDate();
    note_.recomputeState();
}

void TShadow::NormaliseTime(std::string& text, void (ShadowView::*show)(const std::string&)) {
    if (const auto time = platform::parseTimeOfDay(text)) {
        text = platform::formatTimeOfDay(*time);
        (view_.*show)(text);
    }
}

void TShadow::comboStartChange(const std::string& text) {
    startText_ = text;
    UpdateDateTimeImage();
    startEdited = true;
    note_.recomputeState();
}

void TShadow::comboStartExit() {
    NormaliseTime(startText_, &ShadowView::setStartText);
    note_.recomputeState();
}

void TShadow::comboEndChange(const std::string& text) {
    endText_ = text;
    UpdateDateTimeImage();
    endEdited = !text.empty();
    note_.recomputeState();
}

void TShadow::comboEndExit() {
    NormaliseTime(endText_, &ShadowView::setEndText);
    note_.recomputeState();
}

void TShadow::ContactPicked(const std::string& key) {
    rememberedContact_.clear();
    selectedContact_ = Knows(key) ? key : std::string();
    view_.setContactImage(!selectedContact_.empty());
    rememberedContact_ = selectedContact_;
    contactChosen = true;
}

void TShadow::comboContactChange(const std::string& key) {
    ContactPicked(key);
}

void TShadow::comboContactDelete() {
    ContactPicked("");
    view_.selectContact("");
}

void TShadow::comboCategoryChange(const std::string& text) {
    categoryText_ = text;
    view_.setCategoryImage(!text.empty());
    categoryChosen = true;
}

void TShadow::btnAddressClick() {
    JotPadView& noteView = note_.View();
    noteView.setEnabled(false);
    std::string importedKey;
    try {
        mapi::ULONG_PTR owner = noteView.ownerHandle();
        outlook::TContact* imported = nullptr;
        outlook::ImportAddress(context_.store, &owner, imported, context_.boxes);
        if (imported) importedKey = imported->Key();
    } catch (const outlook::AutomationError& error) {
        context_.store.LastError() = error.what();
        messages::ShowError(messages::kContactsCommFailure);
    }
    noteView.setEnabled(true);
    if (importedKey.empty() || !Knows(importedKey)) return;
    // The session has told every note of the new contact; a note that missed it learns now.
    if (std::none_of(contacts_.begin(), contacts_.end(),
                     [&](const ContactChoice& c) { return c.key == importedKey; }))
        ContactChanged(
            ContactChoice{context_.store.FindContact(importedKey)->FileAs(), importedKey},
            std::nullopt);
    ContactPicked(importedKey);
    view_.selectContact(importedKey);
}

void TShadow::btnDropRepeatClick() {
    repeatDropped = true;
    note_.recomputeState();
}

void TShadow::btnBesideClick() {
    MoveBeside();
}

void TShadow::btnBehindClick() {
    MoveBehind();
}

void TShadow::FormActivate() {
    note_.View().lowerBehindShadow();
    view_.focusDate();
}

void TShadow::FormDeactivate() {
    NormaliseDate();
    NormaliseTime(startText_, &ShadowView::setStartText);
    NormaliseTime(endText_, &ShadowView::setEndText);
}

bool TShadow::FormKeyDown(Key key, unsigned modifiers) {
    return note_.FormKeyDown(key, modifiers);
}

bool TShadow::FormKeyPress(char character) {
    return note_.FormKeyPress(character);
}

void TShadow::edBackToMemoEnter() {
    note_.View().focusMemo();
}

void TShadow::btnSaveClick() {
    note_.btnSaveClick();
}

}  // namespace notes
