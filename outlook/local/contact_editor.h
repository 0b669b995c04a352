#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/automation.h"
#include "outlook/local/closing_question.h"
#include "platform/message_boxes.h"

namespace outlook::local {

// The fields of the contact form, in the order Save writes them: the name parts before
// the names made from them, the full name before the e-mail address (whose display name
// it gives).
enum class ContactField {
    FirstName,
    LastName,
    Company,
    FullName,
    FileAs,
    JobTitle,
    Email,
    BusinessPhone,
    Street,
    City,
    State,
    PostalCode,
    Country,
    Notes,
};
inline constexpr std::size_t kContactFieldCount = 14;

struct ContactFieldInfo {
    ContactField field;
    std::string_view property;    // the object model's name: "FirstName"
    std::string_view objectName;  // the form's widget: "edFirstName"
    std::string_view label;       // "&First name:"
};

std::span<const ContactFieldInfo> contactFields();
const ContactFieldInfo& contactFieldInfo(ContactField field);

// What the contact form edits, without the form: the values read from a contact, the full
// name and file-as name that follow the name parts as the store makes them follow, the
// checks before saving, and writing through the object model.
class ContactEditor {
public:
    struct Problem {
        std::string message;
        // The field to correct; nothing when the store refused the contact.
        std::optional<ContactField> field;
    };

    // Reads every field of `contact` (a contact item).
    explicit ContactEditor(DispatchPtr contact);

    const DispatchPtr& contact() const { return contact_; }
    const std::string& value(ContactField field) const { return values_[index(field)]; }
    // Takes a field as the user typed it. Returns the other fields that changed with it:
    // the full name and the file-as name while they still hold what the parts gave them.
    std::vector<ContactField> setValue(ContactField field, std::string value);

    // Whether anything differs from what was read.
    bool modified() const;
    // A contact never saved has no entry id yet.
    bool isNew() const { return isNew_; }
    // The full name, else the file-as name, else the company; "" when it has none.
    std::string name() const;
    // "Ann Lee - Contact", "Untitled - Contact".
    std::string caption() const;
    // What the contact does where and how to reach it, for under its name: "Buyer, Acme ·
    // ann@example.com · 555 0100"; "New contact" for a new one that has none of them yet.
    std::string summary() const;

    // What keeps the fields from being saved, or nothing.
    std::optional<Problem> check() const;
    // Checks, then writes each changed field and saves the contact. On a problem nothing is
    // saved and the fields keep their values.
    std::optional<Problem> save();
    // Drops what the contact was given since it was last saved (Close with discard).
    void discard();

    // What closing the form without Save (Cancel, Escape, the close box) comes to.
    using Closing = outlook::local::Closing;
    // A contact without changes is discarded at once; for a changed one the user is asked
    // whether to save it first (Yes saves, No discards, Cancel keeps the form open).
    Closing askBeforeClosing(platform::MessageBoxes& boxes) const;

private:
    static std::size_t index(ContactField field) { return static_cast<std::size_t>(field); }

    DispatchPtr contact_;
    bool isNew_ = true;
    std::array<std::string, kContactFieldCount> loaded_;
    std::array<std::string, kContactFieldCount> values_;
};

}  // namespace outlook::local
