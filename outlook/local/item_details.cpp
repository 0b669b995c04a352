#include "outlook/local/item_details.h"

#include <array>
#include <span>
#include <system_error>

#include "outlook/local/store/file_time.h"
#include "outlook/object_model.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/pattern_properties.h"
#include "outlook/recurrence/recurrence_words.h"

namespace outlook::local {

namespace fs = std::filesystem;

namespace {

enum class Shown { Text, Time, Date, Bool, Minutes, Busy, Meeting, TaskStatus };

struct Property {
    const char* name;
    const char* label;
    Shown shown;
};

constexpr Property kSubject{"Subject", "Subject", Shown::Text};
constexpr Property kCategories{"Categories", "Categories", Shown::Text};
constexpr Property kContactNames{"ContactNames", "Contacts", Shown::Text};
constexpr Property kCompanies{"Companies", "Companies", Shown::Text};
constexpr Property kCreated{"CreationTime", "Created", Shown::Time};
constexpr Property kModified{"LastModificationTime", "Modified", Shown::Time};

constexpr std::array kSchedule = {
    kSubject,
    Property{"Start", "Start", Shown::Time},
    Property{"End", "End", Shown::Time},
    Property{"Location", "Location", Shown::Text},
    Property{"Duration", "Duration", Shown::Minutes},
    Property{"AllDayEvent", "All day", Shown::Bool},
    Property{"BusyStatus", "Show time as", Shown::Busy},
    Property{"MeetingStatus", "Meeting", Shown::Meeting},
    Property{"ReminderSet", "Reminder", Shown::Bool},
    kCategories,
    kContactNames,
    kCompanies,
    kCreated,
    kModified,
};
constexpr std::array kTask = {
    kSubject,
    Property{"DueDate", "Due", Shown::Date},
    Property{"Status", "Status", Shown::TaskStatus},
    Property{"TotalWork", "Total work", Shown::Minutes},
    Property{"ReminderSet", "Reminder", Shown::Bool},
    kCategories,
    kContactNames,
    kCompanies,
    kCreated,
    kModified,
};
constexpr std::array kContact = {
    Property{"FullName", "Full name", Shown::Text},
    Property{"FileAs", "File as", Shown::Text},
    Property{"CompanyName", "Company", Shown::Text},
    Property{"JobTitle", "Job title", Shown::Text},
    Property{"Email1Address", "E-mail", Shown::Text},
    Property{"BusinessTelephoneNumber", "Business phone", Shown::Text},
    kCategories,
    kCreated,
    kModified,
};
constexpr std::array kJournal = {
    kSubject,
    Property{"Type", "Entry type", Shown::Text},
    Property{"Start", "Start", Shown::Time},
    Property{"Duration", "Duration", Shown::Minutes},
    kCategories,
    kContactNames,
    kCompanies,
    kCreated,
    kModified,
};
constexpr std::array kNote = {kCategories, kCreated, kModified};
constexpr std::array kMail = {
    kSubject,    Property{"ResponseRequested", "Reply requested", Shown::Bool},
    kCategories, kContactNames,
    kCompanies,  kCreated,
    kModified,
};

std::span<const Property> propertiesOf(std::int32_t objectClass) {
    switch (objectClass) {
        case olAppointment:
        case olMeetingRequest:
            return kSchedule;
        case olTask:
        case olTaskRequest:
            return kTask;
        case olContact:
            return kContact;
        case olJournal:
            return kJournal;
        case olNote:
            return kNote;
        default:
            return kMail;
    }
}

std::string busyText(std::int32_t status) {
    switch (status) {
        case olFree:
            return "Free";
        case olTentative:
            return "Tentative";
        case olBusy:
            return "Busy";
        case olOutOfOffice:
            return "Out of office";
        default:
            return std::to_string(status);
    }
}

std::string meetingText(std::int32_t status) {
    switch (status) {
        case olNonMeeting:
            return "";
        case olMeeting:
            return "Meeting";
        case olMeetingReceived:
            return "Meeting received";
        case olMeetingCanceled:
            return "Meeting canceled";
        default:
            return std::to_string(status);
    }
}

// The value as the details show it; nothing when there is nothing to show.
std::optional<DisplayValue> shownValue(const Variant& value, Shown shown) {
    switch (shown) {
        case Shown::Text:
            if (value.asString().empty()) return std::nullopt;
            return DisplayValue{value.asString()};
        case Shown::Time:
        case Shown::Date: {
            const OleDate date = value.asDate();
            if (date.serial >= kNoDateSerial) return std::nullopt;
            return DisplayValue(LocalFromOleDate(date), shown == Shown::Date);
        }
        case Shown::Bool:
            return DisplayValue{value.asBool() ? "Yes" : "No"};
        case Shown::Minutes:
            if (value.asInt() <= 0) return std::nullopt;
            return DisplayValue{describeMinutes(value.asInt())};
        case Shown::Busy:
            return DisplayValue{busyText(value.asInt())};
        case Shown::TaskStatus:
            return DisplayValue{taskStatusText(value.asInt())};
        case Shown::Meeting: {
            std::string text = meetingText(value.asInt());
            if (text.empty()) return std::nullopt;
            return DisplayValue{std::move(text)};
        }
    }
    return std::nullopt;
}

std::string recipientType(std::int32_t type) {
    switch (type) {
        case olOriginator:
            return "From";
        case olTo:
            return "To";
        case olCC:
            return "Cc";
        case olBCC:
            return "Bcc";
        default:
            return "?";
    }
}

// Whether a by-reference attachment names an item (by its entry id) rather than a file.
bool namesAnItem(const std::string& path) {
    return !path.empty() && path.find('/') == std::string::npos &&
           mapi::FBinFromHex(path).has_value();
}

std::string plural(std::int32_t n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

// A file name that stays inside the folder it is saved in.
std::string safeFileName(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    if (name.empty() || name == "." || name == "..") name = "attachment";
    return name;
}

}  // namespace

std::string taskStatusText(std::int32_t status) {
    switch (status) {
        case olTaskNotStarted:
            return "Not started";
        case olTaskInProgress:
            return "In progress";
        case olTaskComplete:
            return "Completed";
        case olTaskWaiting:
            return "Waiting on someone else";
        case olTaskDeferred:
            return "Deferred";
        default:
            return std::to_string(status);
    }
}

std::string kindName(std::int32_t objectClass) {
    switch (objectClass) {
        case olAppointment:
            return "Appointment";
        case olContact:
            return "Contact";
        case olJournal:
            return "Journal Entry";
        case olMail:
            return "Mail Message";
        case olNote:
            return "Note";
        case olTask:
            return "Task";
        case olTaskRequest:
            return "Task Request";
        case olMeetingRequest:
            return "Meeting Request";
        default:
            return "Item";
    }
}

std::string describeMinutes(std::int32_t minutes) {
    constexpr std::int32_t kDay = 24 * 60;
    if (minutes >= kDay && minutes % kDay == 0) return plural(minutes / kDay, "day");
    const std::int32_t hours = minutes / 60, rest = minutes % 60;
    if (hours == 0) return plural(rest, "minute");
    if (rest == 0) return plural(hours, "hour");
    return plural(hours, "hour") + " " + plural(rest, "minute");
}

ItemDetails describeItem(Dispatch& item) {
    ItemDetails details;
    const std::int32_t objectClass = item.get("Class").asInt();
    details.kind = kindName(objectClass);
    details.addressed = objectClass != olContact && objectClass != olNote;
    if (objectClass == olContact) {
        details.title = item.get("FullName").asString();
        if (details.title.empty()) details.title = item.get("FileAs").asString();
    } else {
        details.title = item.get("Subject").asString();
    }
    for (const Property& property : propertiesOf(objectClass)) {
        if (objectClass != olContact && property.name == kSubject.name) continue;
        // The start and end of an all-day appointment are days.
        Shown shown = property.shown;
        if (shown == Shown::Time &&
            (objectClass == olAppointment || objectClass == olMeetingRequest) &&
            std::string_view(property.name) != "CreationTime" &&
            std::string_view(property.name) != "LastModificationTime" &&
            item.get("AllDayEvent").asBool())
            shown = Shown::Date;
        if (auto value = shownValue(item.get(property.name), shown))
            details.properties.push_back({property.label, std::move(*value)});
    }
    if (objectClass == olContact) {
        std::string address;
        for (const char* part :
             {"BusinessAddressStreet", "BusinessAddressCity", "BusinessAddressState",
              "BusinessAddressPostalCode", "BusinessAddressCountry"}) {
            const std::string text = item.get(part).asString();
            if (!text.empty()) address += (address.empty() ? "" : ", ") + text;
        }
        // The address belongs with the other ways to reach the contact, before the dates.
        if (!address.empty()) {
            auto at = details.properties.begin();
            while (at != details.properties.end() && at->label != "Categories" &&
                   at->label != "Created")
                ++at;
            details.properties.insert(at, {"Business address", {address}});
        }
    }
    if ((objectClass == olAppointment || objectClass == olTask) &&
        item.get("IsRecurring").asBool()) {
        const DispatchPtr pattern = item.call("GetRecurrencePattern").asObject();
        // The repeat goes with the times it repeats.
        auto at = details.properties.begin();
        while (at != details.properties.end() && at->label != "Location" &&
               at->label != "Duration" && at->label != "Status")
            ++at;
        details.properties.insert(
            at, {"Repeats", {DescribeRecurrence(GetRecurrencePattern(*pattern))}});
    }
    details.body = item.get("Body").asString();

    const DispatchPtr recipients = item.get("Recipients").asObject();
    const std::int32_t recipientCount = recipients->get("Count").asInt();
    for (std::int32_t i = 1; i <= recipientCount; ++i) {
        const DispatchPtr r = recipients->call("Item", {i}).asObject();
        details.recipients.push_back({recipientType(r->get("Type").asInt()),
                                      r->get("Name").asString(), r->get("Address").asString(),
                                      r->get("Resolved").asBool()});
    }
    const DispatchPtr attachments = item.get("Attachments").asObject();
    const std::int32_t attachmentCount = attachments->get("Count").asInt();
    for (std::int32_t i = 1; i <= attachmentCount; ++i) {
        const DispatchPtr a = attachments->call("Item", {i}).asObject();
        AttachmentLine line;
        line.name = a->get("DisplayName").asString();
        const std::int32_t type = a->get("Type").asInt();
        const std::string path = a->get("PathName").asString();
        if (type == olByReference) {
            line.kind = namesAnItem(path) ? "Link to an item" : "Link to a file";
            if (!namesAnItem(path)) line.source = path;
        } else {
            line.kind = type == olEmbeddedItem ? "Copy of an item" : "File";
            line.size = a->get("Size").asInt();
        }
        details.attachments.push_back(std::move(line));
    }
    return details;
}

AttachmentOpening openAttachment(Dispatch& item, std::size_t index, Dispatch& nameSpace,
                                 const fs::path& saveFolder) {
    AttachmentOpening opening;
    const DispatchPtr attachments = item.get("Attachments").asObject();
    const auto count = static_cast<std::size_t>(attachments->get("Count").asInt());
    if (index >= count) {
        opening.message = "The attachment is no longer there.";
        return opening;
    }
    const DispatchPtr attachment =
        attachments->call("Item", {static_cast<std::int32_t>(index + 1)}).asObject();
    const std::int32_t type = attachment->get("Type").asInt();
    const std::string name = attachment->get("DisplayName").asString();
    const std::string path = attachment->get("PathName").asString();

    if (type == olByReference && namesAnItem(path)) {
        DispatchPtr linked;
        try {
            linked = nameSpace.call("GetItemFromID", {path}).asObject();
        } catch (const AutomationError&) {
            opening.message = "\"" + name + "\" links to an item that is no longer in the store.";
            return opening;
        }
        linked->call("Display");
        opening.action = AttachmentOpening::Action::Displayed;
        return opening;
    }
    if (type == olByReference) {
        std::error_code error;
        if (!fs::exists(path, error)) {
            opening.message = "\"" + name + "\" links to " + path + ", which is no longer there.";
            return opening;
        }
        opening.action = AttachmentOpening::Action::OpenFile;
        opening.file = path;
        return opening;
    }
    if (type == olEmbeddedItem) {
        opening.message = "\"" + name +
                          "\" is a copy of an item kept inside this one; it cannot be opened "
                          "on its own.";
        return opening;
    }
    std::error_code error;
    fs::create_directories(saveFolder, error);
    std::string fileName = attachment->get("FileName").asString();
    if (fileName.empty()) fileName = name;
    const fs::path target = saveFolder / safeFileName(fileName);
    try {
        attachment->call("SaveAsFile", {target.string()});
    } catch (const AutomationError& e) {
        opening.message = e.what();
        return opening;
    }
    opening.action = AttachmentOpening::Action::OpenFile;
    opening.file = target;
    return opening;
}

}  // namespace outlook::local
