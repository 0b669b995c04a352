#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "outlook/automation.h"

namespace outlook::local {

// A value as a window shows it: text, or a local date and time that the window writes in
// the desktop's format (a date alone when `dateOnly`).
struct DisplayValue {
    DisplayValue() = default;
    DisplayValue(std::string text) : text(std::move(text)) {}
    DisplayValue(std::optional<std::chrono::local_seconds> time, bool dateOnly)
        : time(time), dateOnly(dateOnly) {}

    std::string text;
    std::optional<std::chrono::local_seconds> time;
    bool dateOnly = false;
    friend bool operator==(const DisplayValue&, const DisplayValue&) = default;
};

struct DetailLine {
    std::string label;
    DisplayValue value;
};

struct RecipientLine {
    std::string type;  // "To", "Cc", "Bcc", "From"
    std::string name;
    std::string address;
    bool resolved = false;
};

struct AttachmentLine {
    std::string name;
    std::string kind;       // "File", "Link to a file", "Link to an item", "Copy of an item"
    std::string source;     // the file linked to, or nothing
    std::int64_t size = 0;  // bytes; 0 for links
};

// One item as the store's windows describe it: what it is, its title, the properties that
// are set (in an order that suits its kind), its text, recipients and attachments.
struct ItemDetails {
    std::string kind;  // "Appointment"
    std::string title;
    // Whether items of this kind go to people at all (contacts and notes do not).
    bool addressed = true;
    std::vector<DetailLine> properties;
    std::string body;
    std::vector<RecipientLine> recipients;
    std::vector<AttachmentLine> attachments;
};

// Reads `item` (an item of the object model) through its automation interface.
ItemDetails describeItem(Dispatch& item);
// "Appointment", "Meeting Request", ... for an item's Class.
std::string kindName(std::int32_t objectClass);
// "45 minutes", "1 hour 30 minutes", "2 days".
std::string describeMinutes(std::int32_t minutes);

// A task's Status as a person reads it ("Not started", "Completed", ...).
std::string taskStatusText(std::int32_t status);

// What opening an attachment came to.
struct AttachmentOpening {
    enum class Action {
        Displayed,  // the linked item was shown with Display
        OpenFile,   // `file` is to be opened by the desktop
        None,       // nothing to open: `message` says why
    };
    Action action = Action::None;
    std::filesystem::path file;
    std::string message;
};

// Opens attachment `index` (from 0) of `item`: a link to an item of the store shows that
// item (Display), a link to a file gives that file, and an attached file is first saved
// into `saveFolder` under its own name. `nameSpace` is the MAPI namespace of the store.
AttachmentOpening openAttachment(Dispatch& item, std::size_t index, Dispatch& nameSpace,
                                 const std::filesystem::path& saveFolder);

}  // namespace outlook::local
