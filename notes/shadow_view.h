#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "notes/note_geometry.h"

namespace notes {

// A contact as the shadow's list offers it: shown by its file-as name, known by its key.
struct ContactChoice {
    std::string fileAs;
    std::string key;
    bool operator==(const ContactChoice&) const = default;
};

// The shadow's window as its logic drives it. Nothing a view is told comes back as a user
// event.
class ShadowView {
public:
    virtual ~ShadowView() = default;

    // The date box holds a text in the short date format, or nothing.
    virtual void setDateText(const std::string& text) = 0;
    // The weekday beside the date box, in the locale's language; nothing shows no weekday.
    virtual void setWeekday(std::optional<std::chrono::weekday> day) = 0;
    virtual void setStartText(const std::string& text) = 0;
    virtual void setEndText(const std::string& text) = 0;
    // The line under the date box that tells how the item repeats, with its button to drop
    // the repeat; an empty text hides both and the shadow is as short as without them.
    virtual void setRepeatText(const std::string& words) = 0;
    // Whether the view offers the contacts to pick from; one that does not (a note without a
    // window) is spared sorting the address book.
    virtual bool listsContacts() const { return true; }
    // The contacts in the order to show them; the selection is cleared.
    virtual void setContacts(const std::vector<ContactChoice>& contacts) = 0;
    // Selects the contact with this key; an empty or unknown key selects nothing.
    virtual void selectContact(const std::string& key) = 0;
    // The categories in the order to show them; the category text stays.
    virtual void setCategories(const std::vector<std::string>& categories) = 0;
    virtual void setCategoryText(const std::string& text) = 0;

    // Each image pair shows "on" when its field holds a value.
    virtual void setDateTimeImage(bool on) = 0;
    virtual void setContactImage(bool on) = 0;
    virtual void setCategoryImage(bool on) = 0;
    // Behind the note the "beside" button shows, beside it the "behind" button.
    virtual void setPlacementButtons(bool behind) = 0;

    // The shadow's size, and how far from its left edge the date/time image column starts.
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual int imageColumnLeft() const = 0;
    // Moves the shadow, keeping its size, and puts it directly behind its note without
    // activating it.
    virtual void moveBehindNote(int left, int top) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;

    virtual void focusDate() = 0;
    virtual void focusStart() = 0;
    virtual void focusEnd() = 0;
    virtual void focusContact() = 0;
    virtual void focusCategory() = 0;
};

}  // namespace notes
