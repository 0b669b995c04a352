#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "notes/note_context.h"
#include "notes/note_events.h"
#include "notes/shadow_view.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace notes {

class TJotPad;

// The companion of a note: it shows what the parse made of the note (date, start and end
// time, contact, category) and lets the user correct it. What the user sets is flagged
// and wins over later parses. It keeps contacts by their keys, never by pointers: the
// session may replace its contacts whenever a notification arrives.
class TShadow : public ShadowEvents {
public:
    TShadow(NoteContext& context, TJotPad& note, ShadowView& view);
    ~TShadow() override;
    TShadow(const TShadow&) = delete;
    TShadow& operator=(const TShadow&) = delete;

    // Fills the lists and takes the stored placement. A failure to load the categories is
    // 36, shown with its cause; the note must then not open.
    messages::MessageId Create();

    // The setters the note's recompute uses; they never mark a field as the user's.
    void SetCategory(const std::string& text);
    void SetContact(const std::string& key);
    void SetStartTime(const std::string& text);
    void SetEndTime(const std::string& text);
    void SetDate(const std::string& text);
    // The repeat the note would file, shown in words under the date; none hides the line.
    void SetRepeat(const std::optional<outlook::RecurrenceFields>& repeat);
    // The note's type may show the date/time image "off" whatever the fields hold.
    void SetDateTimeImage(bool on);

    // The date box's date, or nothing when it is empty or holds no valid date.
    std::optional<std::chrono::year_month_day> Date() const;
    const std::string& DateText() const { return dateText_; }
    const std::string& StartText() const { return startText_; }
    const std::string& EndText() const { return endText_; }
    // The texts as times of day; nothing for an empty or unreadable text.
    std::optional<double> StartTime() const;
    std::optional<double> EndTime() const;
    // The selected contact's key, or empty.
    const std::string& SelectedContact() const { return selectedContact_; }
    const std::string& CategoryText() const { return categoryText_; }
    // The repeat shown, which is the one filed.
    const std::optional<outlook::RecurrenceFields>& Repeat() const { return repeat_; }
    const std::vector<ContactChoice>& Contacts() const { return contacts_; }
    const std::vector<std::string>& Categories() const { return categories_; }

    bool dateEdited = false;
    bool startEdited = false;
    bool endEdited = false;
    bool contactChosen = false;
    bool categoryChosen = false;
    // The user dropped the sentence's repeat: the item is filed once.
    bool repeatDropped = false;

    bool Behind() const { return behind_; }
    const ShadowView& View() const { return view_; }
    // Beside or behind the note, after the note moved, changed size or was activated.
    void Place();
    void MoveBehind();
    void MoveBeside();
    void Toggle();
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    // A contact was added, removed, or (both empty) the list changed as a whole.
    void ContactChanged(const std::optional<ContactChoice>& added,
                        const std::optional<std::string>& removedKey);
    void CategoriesChanged();

    void FocusDate();
    void FocusStart();
    void FocusEnd();
    void FocusContact();
    void FocusCategory();

    // ShadowEvents
    void csDateChange(const std::string& text) override;
    void csDateExit() override;
    void comboStartChange(const std::string& text) override;
    void comboStartExit() override;
    void comboEndChange(const std::string& text) override;
    void comboEndExit() override;
    void comboContactChange(const std::string& key) override;
    void comboContactDelete() override;
    void comboCategoryChange(const std::string& text) override;
    void btnAddressClick() override;
    void btnDropRepeatClick() override;
    void btnBesideClick() override;
    void btnBehindClick() override;
    void FormActivate() override;
    void FormDeactivate() override;
    bool FormKeyDown(Key key, unsigned modifiers) override;
    bool FormKeyPress(char character) override;
    void edBackToMemoEnter() override;
    void btnSaveClick() override;

private:
    void UpdateDateTimeImage();
    // The weekday of the date box's date, shown beside it whenever the date changes.
    void UpdateWeekday();
    void FillContacts();
    void FillCategories();
    void SelectRememberedContact();
    // The user chose this contact (or none).
    void ContactPicked(const std::string& key);
    bool Knows(const std::string& key) const;
    // Rewrites a readable time text as "h:nnam" / "h:nnpm".
    void NormaliseTime(std::string& text, void (ShadowView::*show)(const std::string&));
    void NormaliseDate();
    void SetBehind(bool behind);

    NoteContext& context_;
    TJotPad& note_;
    ShadowView& view_;

    bool behind_ = false;
    bool settingDate_ = false;
    std::string rememberedContact_;
    std::string dateText_, startText_, endText_, categoryText_, selectedContact_;
    std::vector<ContactChoice> contacts_;
    std::vector<std::string> categories_;
    std::optional<outlook::RecurrenceFields> repeat_;
};

}  // namespace notes
