#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "outlook/local/item_details.h"
#include "outlook/local/store/folder_kind.h"
#include "outlook/local/store/item_record.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook::local {

class Store;

// The folders the explorer lists, in its order: the ones a user files into first.
std::span<const FolderKind> explorerFolders();

struct ListColumn {
    std::string title;
    bool time = false;  // cells hold dates: sorted by time, not by text
    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

// The columns that suit a folder, and the sort it opens with.
struct FolderLayout {
    std::vector<ListColumn> columns;
    std::size_t sortColumn = 0;
    bool descending = false;
};
FolderLayout folderLayout(FolderKind folder);

// What an empty folder's list says instead: what would be there, and how it gets there.
std::string emptyFolderHint(FolderKind folder);

// One item as a row of its folder's list.
struct ListRow {
    std::int64_t id = 0;
    std::string entryId;
    std::vector<DisplayValue> cells;  // one per column of folderLayout()
};

// The row of an item in `folder`: its properties, and its recipients for the mail folders
// (which show whom a message is for).
ListRow listRow(FolderKind folder, Store& store, std::int64_t id, const PropertyBag& props,
                const std::vector<RecipientRecord>& recipients);
// Whether the rows of `folder` need the items' recipients.
bool folderShowsRecipients(FolderKind folder);

// An appointment as the calendar's agenda shows it.
struct AgendaEntry {
    std::string entryId;
    std::string subject;
    std::chrono::local_seconds start{};
    std::chrono::local_seconds end{};
    bool allDay = false;
    std::string categories;
    // The appointment's repeat (its start and end are then the first occurrence's), and the
    // repeat in words; nothing and "" for a single appointment.
    std::optional<RecurrenceFields> recurrence;
    std::string repeats;
    // On a day of the agenda: whether it began on an earlier day or goes on after this one.
    bool fromEarlierDay = false;
    bool intoLaterDay = false;
};

struct AgendaDay {
    std::chrono::local_days day{};
    std::vector<AgendaEntry> entries;  // by start, then subject
};

// The calendar item behind a row of the Calendar folder, or nothing for an item without a
// start.
std::optional<AgendaEntry> agendaEntry(Store& store, std::int64_t id, const PropertyBag& props);
// The appointments that take up some of the days `first` to `last`: a single one as it is,
// a repeating one once for each of its occurrences there (at the first occurrence's time of
// day and length), expanded over those days only.
std::vector<AgendaEntry> occurrencesIn(const std::vector<AgendaEntry>& appointments,
                                       std::chrono::local_days first, std::chrono::local_days last);
// `dayCount` days from `first`, each with the appointments, or occurrences of repeating
// ones, that take up some of it (an appointment ending at midnight does not reach into the
// next day).
std::vector<AgendaDay> buildAgenda(const std::vector<AgendaEntry>& appointments,
                                   std::chrono::local_days first, int dayCount);

}  // namespace outlook::local
