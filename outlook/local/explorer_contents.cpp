#include "outlook/local/explorer_contents.h"

#include <algorithm>
#include <array>

#include "outlook/local/store/deleted_from_property.h"
#include "outlook/local/store/file_time.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/recurrence_property.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/transport/outbox_properties.h"
#include "outlook/object_model.h"
#include "outlook/ole_date.h"
#include "outlook/recurrence/occurrences.h"
#include "outlook/recurrence/recurrence_words.h"
#include "platform/text.h"

namespace outlook::local {

using namespace mapi;
using namespace std::chrono;

namespace {

constexpr std::array kExplorerFolders = {
    FolderKind::Calendar, FolderKind::Tasks,        FolderKind::Notes, FolderKind::Contacts,
    FolderKind::Journal,  FolderKind::SentItems,    FolderKind::Inbox, FolderKind::Outbox,
    FolderKind::Drafts,   FolderKind::DeletedItems,
};

ListColumn textColumn(const char* title) {
    return {title, false};
}
ListColumn timeColumn(const char* title) {
    return {title, true};
}

std::optional<local_seconds> localTime(const PropertyBag& props, PropTag tag) {
    const auto stored = props.time(tag);
    if (!stored) return std::nullopt;
    return LocalFromOleDate(oleDateFromFileTime(*stored));
}

DisplayValue timeCell(const PropertyBag& props, PropTag tag, bool dateOnly = false) {
    return DisplayValue(localTime(props, tag), dateOnly);
}

// A note's title is its first line.
std::string firstLine(const std::string& text) {
    const std::string_view body = platform::trimmed(text);
    return std::string(platform::trimmed(body.substr(0, body.find_first_of("\r\n"))));
}

std::string titleOf(ItemKind kind, const Store& store, const PropertyBag& props) {
    if (kind == ItemKind::Contact) {
        std::string name = props.string(PR_DISPLAY_NAME);
        return name.empty() ? props.string(store.known()[Known::FileAs]) : name;
    }
    if (kind == ItemKind::Note) return firstLine(props.string(PR_BODY));
    return props.string(PR_SUBJECT);
}

std::string toLine(const std::vector<RecipientRecord>& recipients) {
    std::string line;
    for (const auto& r : recipients) {
        if (r.type != MAPI_TO) continue;
        const std::string& name = r.resolved && !r.displayName.empty() ? r.displayName : r.name;
        line += (line.empty() ? "" : "; ") + name;
    }
    return line;
}

bool isMailFolder(FolderKind folder) {
    return folder == FolderKind::SentItems || folder == FolderKind::Inbox ||
           folder == FolderKind::Outbox || folder == FolderKind::Drafts;
}

// The folder a restore returns a deleted item to; for an item that does not say where it came
// from, its kind's folder in brackets.
std::string deletedFromText(Store& store, ItemKind kind, const PropertyBag& props) {
    const std::string name = store.folder(restoreFolder(store, kind, props)).name;
    return deletedFrom(store, props) ? name : "(" + name + ")";
}

}  // namespace

std::span<const FolderKind> explorerFolders() {
    return kExplorerFolders;
}

FolderLayout folderLayout(FolderKind folder) {
    switch (folder) {
        case FolderKind::Calendar:
            return {{textColumn("Subject"), timeColumn("Start"), timeColumn("End"),
                     textColumn("Location"), textColumn("Categories")},
                    1,
                    false};
        case FolderKind::Tasks:
            return {{textColumn("Subject"), timeColumn("Due date"), textColumn("Status"),
                     textColumn("Categories")},
                    1,
                    false};
        case FolderKind::Contacts:
            return {{textColumn("File as"), textColumn("Company"), textColumn("E-mail")}, 0, false};
        case FolderKind::Notes:
            return {{textColumn("Note"), timeColumn("Modified")}, 1, true};
        case FolderKind::Journal:
            return {{textColumn("Subject"), textColumn("Entry type"), timeColumn("Start"),
                     textColumn("Contact")},
                    2,
                    true};
        case FolderKind::SentItems:
            return {{textColumn("Subject"), textColumn("To"), timeColumn("Sent")}, 2, true};
        case FolderKind::Outbox:
            return {{textColumn("Subject"), textColumn("To"), textColumn("Not sent because"),
                     timeColumn("Modified")},
                    3,
                    true};
        case FolderKind::DeletedItems:
            return {{textColumn("Subject"), textColumn("Kind"), textColumn("Deleted from"),
                     timeColumn("Modified")},
                    3,
                    true};
        default:
            return {{textColumn("Subject"), textColumn("To"), timeColumn("Modified")}, 2, true};
    }
}

std::string emptyFolderHint(FolderKind folder) {
    switch (folder) {
        case FolderKind::Calendar:
            return "No appointments yet. Press Ctrl+Alt+N and type a sentence with a date and "
                   "time, such as \u201Clunch with Ann tomorrow at noon\u201D.";
        case FolderKind::Tasks:
            return "No tasks yet. Press Ctrl+Alt+N and type what is to be done, such as "
                   "\u201Csend the budget figures friday\u201D; a sentence without a time "
                   "becomes a task.";
        case FolderKind::Notes:
            return "No notes yet. Press Ctrl+Alt+N and begin the sentence with \u201Cnote\u201D, "
                   "such as \u201Cnote the door code is 4711\u201D, or press F3 in the note.";
        case FolderKind::Contacts:
            return "No contacts yet. Choose New Contact in the tray menu, or bring in a vCard "
                   "file with \u201Cjotwise-store import-vcard FILE\u201D.";
        case FolderKind::Journal:
            return "No journal entries yet. An appointment or task that names a contact adds "
                   "an entry here when it is saved.";
        case FolderKind::SentItems:
            return "Nothing sent yet. A note addressed to someone, such as \u201Cfyi ann lee "
                   "the meeting moved\u201D, or given recipients with Ctrl+R, is kept here once "
                   "sent.";
        case FolderKind::Inbox:
            return "The Inbox is empty. Messages that arrive in this store are listed here.";
        case FolderKind::Outbox:
            return "Nothing waiting to be sent. A message that cannot go out yet waits here with "
                   "the reason, and is tried again every 5 minutes.";
        case FolderKind::Drafts:
            return "No drafts. A message saved without being sent is kept here.";
        case FolderKind::DeletedItems:
            return "Nothing deleted. Items deleted from the other folders wait here.";
    }
    return "This folder is empty.";
}

bool folderShowsRecipients(FolderKind folder) {
    return isMailFolder(folder);
}

ListRow listRow(FolderKind folder, Store& store, std::int64_t id, const PropertyBag& props,
                const std::vector<RecipientRecord>& recipients) {
    const KnownTags& known = store.known();
    const ItemKind kind = itemKindFromMessageClass(props.string(PR_MESSAGE_CLASS));
    ListRow row;
    row.id = id;
    row.entryId = HexFromBin(store.itemEntryId(id));
    auto& cells = row.cells;
    const auto string = [&](PropTag tag) { return DisplayValue{props.string(tag)}; };
    switch (folder) {
        case FolderKind::Calendar: {
            const bool allDay = props.boolValue(known[Known::AllDayEvent]).value_or(false);
            cells = {{titleOf(kind, store, props)},
                     timeCell(props, known[Known::Start], allDay),
                     timeCell(props, known[Known::End], allDay),
                     string(known[Known::Location]),
                     string(known[Known::Categories])};
            break;
        }
        case FolderKind::Tasks:
            cells = {{titleOf(kind, store, props)},
                     timeCell(props, known[Known::DueDate], true),
                     {taskStatusText(
                         props.longValue(known[Known::TaskStatus]).value_or(olTaskNotStarted))},
                     string(known[Known::Categories])};
            break;
        case FolderKind::Contacts:
            cells = {string(known[Known::FileAs]), string(PR_COMPANY_NAME),
                     string(known[Known::Email1Address])};
            if (cells[0].text.empty()) cells[0].text = titleOf(kind, store, props);
            break;
        case FolderKind::Notes:
            cells = {{titleOf(kind, store, props)}, timeCell(props, PR_LAST_MODIFICATION_TIME)};
            break;
        case FolderKind::Journal:
            cells = {{titleOf(kind, store, props)},
                     string(known[Known::JournalType]),
                     timeCell(props, known[Known::Start]),
                     string(known[Known::ContactNames])};
            break;
        case FolderKind::DeletedItems:
            cells = {{titleOf(kind, store, props)},
                     {kindName(objectClassOf(kind))},
                     {deletedFromText(store, kind, props)},
                     timeCell(props, PR_LAST_MODIFICATION_TIME)};
            break;
        case FolderKind::Outbox:
            cells = {{titleOf(kind, store, props)},
                     {toLine(recipients)},
                     {transport::waitingReason(store, props).value_or("not tried yet")},
                     timeCell(props, PR_LAST_MODIFICATION_TIME)};
            break;
        case FolderKind::SentItems:
            cells = {{titleOf(kind, store, props)},
                     {toLine(recipients)},
                     timeCell(props, props.has(tags::PR_CLIENT_SUBMIT_TIME)
                                         ? tags::PR_CLIENT_SUBMIT_TIME
                                         : PR_LAST_MODIFICATION_TIME)};
            break;
        default:
            cells = {{titleOf(kind, store, props)},
                     {toLine(recipients)},
                     timeCell(props, PR_LAST_MODIFICATION_TIME)};
            break;
    }
    return row;
}

std::optional<AgendaEntry> agendaEntry(Store& store, std::int64_t id, const PropertyBag& props) {
    const KnownTags& known = store.known();
    const auto start = localTime(props, known[Known::Start]);
    if (!start) return std::nullopt;
    AgendaEntry entry;
    entry.entryId = HexFromBin(store.itemEntryId(id));
    entry.subject = props.string(PR_SUBJECT);
    entry.start = *start;
    entry.end = std::max(*start, localTime(props, known[Known::End]).value_or(*start));
    entry.allDay = props.boolValue(known[Known::AllDayEvent]).value_or(false);
    entry.categories = props.string(known[Known::Categories]);
    entry.recurrence = storedRecurrence(store, props);
    if (entry.recurrence) entry.repeats = DescribeRecurrence(*entry.recurrence);
    return entry;
}

std::vector<AgendaEntry> occurrencesIn(const std::vector<AgendaEntry>& appointments,
                                       local_days first, local_days last) {
    std::vector<AgendaEntry> shown;
    for (const auto& appointment : appointments) {
        if (!appointment.recurrence) {
            shown.push_back(appointment);
            continue;
        }
        const seconds length = appointment.end - appointment.start;
        const seconds timeOfDay = appointment.start - floor<days>(appointment.start);
        // An occurrence that began on an earlier day may still reach into the first one.
        const local_days from = first - floor<days>(length + timeOfDay);
        for (const local_days day : OccurrenceDays(*appointment.recurrence, from, last)) {
            AgendaEntry occurrence = appointment;
            occurrence.start = day + timeOfDay;
            occurrence.end = occurrence.start + length;
            shown.push_back(std::move(occurrence));
        }
    }
    return shown;
}

std::vector<AgendaDay> buildAgenda(const std::vector<AgendaEntry>& appointments, local_days first,
                                   int dayCount) {
    std::vector<AgendaDay> agenda;
    if (dayCount <= 0) return agenda;
    const std::vector<AgendaEntry> shown =
        occurrencesIn(appointments, first, first + days(dayCount - 1));
    for (int i = 0; i < dayCount; ++i) {
        AgendaDay day;
        day.day = first + days(i);
        const local_seconds begins = day.day, ends = day.day + days(1);
        for (const auto& appointment : shown) {
            // A moment (start == end) belongs to the day it falls on.
            const bool overlaps = appointment.start == appointment.end
                                      ? appointment.start >= begins && appointment.start < ends
                                      : appointment.start < ends && appointment.end > begins;
            if (!overlaps) continue;
            AgendaEntry entry = appointment;
            entry.fromEarlierDay = appointment.start < begins;
            entry.intoLaterDay = appointment.end > ends;
            day.entries.push_back(std::move(entry));
        }
        std::stable_sort(day.entries.begin(), day.entries.end(),
                         [](const AgendaEntry& a, const AgendaEntry& b) {
                             if (a.start != b.start) return a.start < b.start;
                             return platform::lessIgnoringCase(a.subject, b.subject);
                         });
        agenda.push_back(std::move(day));
    }
    return agenda;
}

}  // namespace outlook::local
