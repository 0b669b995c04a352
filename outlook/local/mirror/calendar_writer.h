#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/item_record.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::mirror {

// Whether items of this kind have an iCalendar form: appointments and meeting requests
// (VEVENT), tasks and task requests (VTODO), journal entries and notes (VJOURNAL).
bool hasCalendarForm(ItemKind kind);

// One VCALENDAR built with libical from items of the store: one component per item.
//
// Times of day are written in UTC ("...Z"), so that no time zone definition is needed and
// every reader places them on the same instant; all-day appointments and due dates at
// midnight are written as dates (VALUE=DATE), in the local calendar. A repeating item has
// an RRULE, and its times are local with the TZID of the system's time zone, whose VTIMEZONE
// the calendar then holds: a repeat at 9:00 stays at 9:00 across daylight-saving changes.
// The store is used to tell what a linked item is (a contact, or another item).
class CalendarDocument {
public:
    explicit CalendarDocument(Store& store);
    ~CalendarDocument();
    CalendarDocument(const CalendarDocument&) = delete;
    CalendarDocument& operator=(const CalendarDocument&) = delete;

    // Adds the item's component; false (nothing added) when its kind has no iCalendar form.
    bool add(const ItemRecord& record);
    std::size_t size() const { return count_; }
    // The text, lines ending in CRLF and folded as the format wants.
    std::string text() const;

private:
    struct Calendar;
    Store& store_;
    std::unique_ptr<Calendar> calendar_;
    std::size_t count_ = 0;
};

// The VCALENDAR of one item; "" when its kind has no iCalendar form.
std::string calendarOf(Store& store, const ItemRecord& record);

// What libical finds wrong in an iCalendar text: what it cannot parse, and the component
// restrictions it checks. Empty when the text is a valid calendar.
std::vector<std::string> calendarProblems(std::string_view text);

}  // namespace outlook::local::mirror
