#include "outlook/local/mirror/calendar_writer.h"

#include <libical/ical.h>

#include <cstdlib>
#include <ctime>
#include <set>

#include "outlook/local/mirror/ical_component.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/mirror/system_time_zone.h"
#include "outlook/local/reminder_setting.h"
#include "outlook/local/store/recurrence_property.h"
#include "outlook/local/store/store.h"
#include "outlook/object_model.h"
#include "outlook/recurrence/recurrence_rule.h"
#include "platform/text.h"
#include "platform/utf8_text.h"

namespace outlook::local::mirror {

using namespace mapi;

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;
// A task without a reminder time of its own, due on a day, reminds at eight in the morning of
// that day (as the task form proposes).
constexpr int kTaskReminderHourOnDueDay = 8;
// An appointment with neither an end nor a duration lasts half an hour.
constexpr int kDefaultDurationMinutes = 30;

std::time_t unixTime(FileTime time) {
    const std::int64_t ticks = time.ticks - kUnixEpochTicks;
    std::int64_t seconds = ticks / kTicksPerSecond;
    if (ticks % kTicksPerSecond < 0) --seconds;
    return static_cast<std::time_t>(seconds);
}

icaltimetype utcTime(FileTime time) {
    return icaltime_from_timet_with_zone(unixTime(time), 0, icaltimezone_get_utc_timezone());
}

std::tm localFields(FileTime time) {
    const std::time_t seconds = unixTime(time);
    std::tm fields{};
    localtime_r(&seconds, &fields);
    return fields;
}

bool isLocalMidnight(FileTime time) {
    const std::tm fields = localFields(time);
    return fields.tm_hour == 0 && fields.tm_min == 0 && fields.tm_sec == 0;
}

// The local wall-clock time, without a zone; as a date, only the local calendar day.
icaltimetype localTime(FileTime time, bool asDate) {
    const std::tm fields = localFields(time);
    icaltimetype t = asDate ? icaltime_null_date() : icaltime_null_time();
    t.year = fields.tm_year + 1900;
    t.month = fields.tm_mon + 1;
    t.day = fields.tm_mday;
    if (asDate) return t;
    t.hour = fields.tm_hour;
    t.minute = fields.tm_min;
    t.second = fields.tm_sec;
    return t;
}

icaltimetype localDate(FileTime time) {
    return localTime(time, true);
}

icaltimetype localDateTime(FileTime time) {
    return localTime(time, false);
}

icaltimetype nextDay(icaltimetype date) {
    icaltime_adjust(&date, 1, 0, 0, 0);
    return date;
}

// Text as iCalendar can carry it: what is not well-formed UTF-8 becomes U+FFFD, and control
// characters other than tab and line breaks go.
std::string calendarText(std::string_view text) {
    return platform::withoutControlCharacters(platform::validUtf8(text));
}

// Text as the store keeps it, with line breaks as single LF (libical writes them as "\n").
std::string plainText(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string firstLine(const std::string& text) {
    const std::string_view body = platform::trimmed(text);
    return std::string(platform::trimmed(body.substr(0, body.find_first_of("\r\n"))));
}

// The names of a "A; B" list (categories, contact names), trimmed, without empty ones.
std::vector<std::string> listNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(";,", start);
        if (end == std::string::npos) end = text.size();
        const std::string name(
            platform::trimmed(std::string_view(text).substr(start, end - start)));
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

// A file path as a file: URI, each byte outside the unreserved characters and "/" escaped.
std::string fileUri(const std::string& path) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kDigits[c >> 4];
            uri += kDigits[c & 0xF];
        }
    }
    return uri;
}

// The name to show for a recipient: the address book's, without the " (E-mail)" that marks
// a contact's address there; else the name as given.
std::string attendeeName(const RecipientRecord& recipient) {
    constexpr std::string_view kContactMark = " (E-mail)";
    std::string name = recipient.displayName;
    if (name.ends_with(kContactMark)) name.resize(name.size() - kContactMark.size());
    return name.empty() ? recipient.name : name;
}

void add(icalcomponent* component, icalproperty* property) {
    icalcomponent_add_property(component, property);
}

void addText(icalcomponent* component, icalproperty* (*make)(const char*),
             const std::string& text) {
    if (!text.empty()) add(component, make(text.c_str()));
}

icalproperty* withParameter(icalproperty* property, icalparameter* parameter) {
    icalproperty_add_parameter(property, parameter);
    return property;
}

icalproperty* xProperty(const char* name, const std::string& value) {
    icalproperty* property = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(property, name);
    return property;
}

icalparameter* xParameter(const char* name, const std::string& value) {
    icalparameter* parameter = icalparameter_new_x(value.c_str());
    icalparameter_set_xname(parameter, name);
    return parameter;
}

// The system's time zone as the times of repeating items are written in, so that an
// occurrence keeps its time of day across a daylight-saving change: each such time is local
// with the zone's TZID, and the calendar carries the zone's VTIMEZONE from the earliest of
// those times on. A zone libical does not know leaves the times floating (local wherever
// they are read); a system on UTC writes them in UTC, as single items are.
struct LocalZone {
    std::string name;
    icaltimezone* zone = nullptr;
    bool looked = false;
    std::optional<FileTime> earliest;  // of the times written with the TZID

    void look() {
        if (looked) return;
        looked = true;
        name = systemTimeZoneName();
        if (!name.empty()) zone = icaltimezone_get_builtin_timezone(name.c_str());
        if (!zone) name.clear();
    }
    bool utc() const { return zone == icaltimezone_get_utc_timezone(); }
    bool tagged() const { return zone && !utc(); }
    void used(FileTime time) {
        if (!earliest || time.ticks < earliest->ticks) earliest = time;
    }
    // The zone's VTIMEZONE under its plain name, from the earliest time on.
    Component definition() const {
        Component copy(icalcomponent_new_clone(icaltimezone_get_component(zone)));
        icalproperty* tzid = icalcomponent_get_first_property(copy.get(), ICAL_TZID_PROPERTY);
        if (tzid) icalproperty_set_tzid(tzid, name.c_str());
        icaltimezone_truncate_vtimezone(copy.get(), utcTime(*earliest), icaltime_null_time(), 0);
        return copy;
    }
};

// Builds the component of one item.
class ComponentBuilder {
public:
    ComponentBuilder(Store& store, const ItemRecord& record, ItemKind kind, LocalZone& zone)
        : store_(store),
          record_(record),
          props_(record.props),
          known_(store.known()),
          kind_(kind),
          zone_(zone) {
        if (kind == ItemKind::Appointment || kind == ItemKind::Task)
            recurrence_ = storedRecurrence(store, props_);
    }

    Component build() {
        switch (kind_) {
            case ItemKind::Appointment:
            case ItemKind::MeetingRequest:
                component_.reset(icalcomponent_new_vevent());
                addCommon(text(PR_SUBJECT));
                addEventTimes();
                addEventStatus();
                addAttendees();
                if (props_.boolValue(known_[Known::ReminderSet]).value_or(false))
                    addAlarm(eventReminder());
                break;
            case ItemKind::Task:
            case ItemKind::TaskRequest:
                component_.reset(icalcomponent_new_vtodo());
                addCommon(text(PR_SUBJECT));
                addTaskFields();
                addAttendees();
                break;
            case ItemKind::Journal:
                component_.reset(icalcomponent_new_vjournal());
                addCommon(text(PR_SUBJECT));
                addJournalFields();
                addAttendees();
                break;
            case ItemKind::Note:
                component_.reset(icalcomponent_new_vjournal());
                addCommon(firstLine(text(PR_BODY)));
                if (auto created = props_.time(PR_CREATION_TIME))
                    add(component_.get(), icalproperty_new_dtstart(utcTime(*created)));
                break;
            default:
                return nullptr;
        }
        addLinks();
        return std::move(component_);
    }

private:
    icalcomponent* c() { return component_.get(); }
    std::string text(PropTag tag) const { return calendarText(props_.string(tag)); }

    void addCommon(const std::string& summary) {
        add(c(), icalproperty_new_uid(uidOf(store_.itemEntryId(record_.id)).c_str()));
        // The stamp is the item's own time, so that an unchanged item gives the same text.
        const auto modified = props_.time(PR_LAST_MODIFICATION_TIME);
        const auto created = props_.time(PR_CREATION_TIME);
        const FileTime stamp = modified  ? *modified
                               : created ? *created
                                         : FileTime{kUnixEpochTicks};
        add(c(), icalproperty_new_dtstamp(utcTime(stamp)));
        if (created) add(c(), icalproperty_new_created(utcTime(*created)));
        if (modified) add(c(), icalproperty_new_lastmodified(utcTime(*modified)));
        addText(c(), icalproperty_new_summary, summary);
        addText(c(), icalproperty_new_description, plainText(text(PR_BODY)));
        // One CATEGORIES line with every name: the names themselves never hold commas, as
        // the store splits its category lists at them.
        std::string categories;
        for (const auto& name : listNames(text(known_[Known::Categories])))
            categories += (categories.empty() ? "" : ",") + name;
        addText(c(), icalproperty_new_categories, categories);
    }

    void addEventTimes() {
        const auto start = props_.time(known_[Known::Start]);
        if (!start) return;
        auto end = props_.time(known_[Known::End]);
        if (!end) {
            const auto minutes =
                props_.longValue(known_[Known::Duration]).value_or(kDefaultDurationMinutes);
            end = FileTime{start->ticks + std::int64_t{minutes} * 60 * kTicksPerSecond};
        }
        if (props_.boolValue(known_[Known::AllDayEvent]).value_or(false)) {
            const icaltimetype first = localDate(*start);
            // The end is exclusive: an end at midnight is that day, any later time the next.
            icaltimetype last = localDate(*end);
            if (!isLocalMidnight(*end)) last = nextDay(last);
            if (icaltime_compare(last, first) <= 0) last = nextDay(first);
            add(c(), icalproperty_new_dtstart(first));
            add(c(), icalproperty_new_dtend(last));
            if (recurrence_) add(c(), rule(false));
            return;
        }
        if (recurrence_) {
            add(c(), wallClock(icalproperty_new_dtstart, *start));
            if (end->ticks >= start->ticks) add(c(), wallClock(icalproperty_new_dtend, *end));
            add(c(), rule(true));
            return;
        }
        add(c(), icalproperty_new_dtstart(utcTime(*start)));
        if (end->ticks >= start->ticks) add(c(), icalproperty_new_dtend(utcTime(*end)));
    }

    // A time of a repeating item, on the local wall clock (see LocalZone).
    icalproperty* wallClock(icalproperty* (*make)(icaltimetype), FileTime time) {
        zone_.look();
        if (!zone_.zone || zone_.utc())
            return make(zone_.zone ? utcTime(time) : localDateTime(time));
        zone_.used(time);
        icalproperty* property = make(localDateTime(time));
        icalproperty_add_parameter(property, icalparameter_new_tzid(zone_.name.c_str()));
        return property;
    }

    // The item's RRULE. A rule on local times with a TZID ends at the last second of its end
    // day in that zone, given in UTC as such a rule must be.
    icalproperty* rule(bool timed) {
        icalrecurrencetype value =
            icalrecurrencetype_from_string(RecurrenceRule(*recurrence_, timed).c_str());
        zone_.look();
        if (timed && zone_.zone && !icaltime_is_null_time(value.until)) {
            icaltimetype until = value.until;
            icaltime_set_timezone(&until, zone_.zone);
            value.until = icaltime_convert_to_zone(until, icaltimezone_get_utc_timezone());
        }
        return icalproperty_new_rrule(value);
    }

    void addEventStatus() {
        addText(c(), icalproperty_new_location, text(known_[Known::Location]));
        const auto busy = props_.longValue(known_[Known::BusyStatus]);
        add(c(),
            icalproperty_new_transp(busy == olFree ? ICAL_TRANSP_TRANSPARENT : ICAL_TRANSP_OPAQUE));
        if (props_.longValue(known_[Known::MeetingStatus]) == olMeetingCanceled)
            add(c(), icalproperty_new_status(ICAL_STATUS_CANCELLED));
        else if (busy == olTentative)
            add(c(), icalproperty_new_status(ICAL_STATUS_TENTATIVE));
    }

    void addTaskFields() {
        const auto due = props_.time(known_[Known::DueDate]);
        bool dueIsDate = false;
        if (due && recurrence_) {
            // A repeating to-do repeats from its DTSTART: both are the due day or time.
            dueIsDate = isLocalMidnight(*due);
            if (dueIsDate) {
                add(c(), icalproperty_new_dtstart(localDate(*due)));
                add(c(), icalproperty_new_due(localDate(*due)));
            } else {
                add(c(), wallClock(icalproperty_new_dtstart, *due));
                add(c(), wallClock(icalproperty_new_due, *due));
            }
            add(c(), rule(!dueIsDate));
        } else if (due) {
            dueIsDate = isLocalMidnight(*due);
            add(c(), icalproperty_new_due(dueIsDate ? localDate(*due) : utcTime(*due)));
        }
        // A task without a status has not been started, which is what a to-do without STATUS
        // means to calendar programs too.
        if (const auto status = props_.longValue(known_[Known::TaskStatus])) {
            if (*status == olTaskComplete) {
                add(c(), icalproperty_new_status(ICAL_STATUS_COMPLETED));
                add(c(), icalproperty_new_percentcomplete(100));
            } else if (*status == olTaskInProgress) {
                add(c(), icalproperty_new_status(ICAL_STATUS_INPROCESS));
            } else {
                add(c(), icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
            }
        }
        if (const auto minutes = props_.longValue(known_[Known::TotalWork]); minutes > 0) {
            const icaldurationtype work = icaldurationtype_from_int(*minutes * 60);
            char* text = icaldurationtype_as_ical_string_r(work);
            add(c(), xProperty("ESTIMATED-DURATION", text));
            icalmemory_free_buffer(text);
        }
        if (!props_.boolValue(known_[Known::ReminderSet]).value_or(false)) return;
        if (const auto at = props_.time(known_[Known::ReminderTime])) {
            icaltriggertype trigger{};
            trigger.time = utcTime(*at);
            trigger.duration = icaldurationtype_null_duration();
            addAlarm(icalproperty_new_trigger(trigger));
        } else if (due) {
            // Without a time of its own, the reminder is anchored to the due date.
            icaltriggertype trigger{};
            trigger.time = icaltime_null_time();
            trigger.duration =
                icaldurationtype_from_int(dueIsDate ? kTaskReminderHourOnDueDay * 3600 : 0);
            icalproperty* property = icalproperty_new_trigger(trigger);
            icalproperty_add_parameter(property, icalparameter_new_related(ICAL_RELATED_END));
            addAlarm(property);
        }
    }

    void addJournalFields() {
        const auto start = props_.time(known_[Known::Start]);
        const auto created = props_.time(PR_CREATION_TIME);
        if (start || created)
            add(c(), icalproperty_new_dtstart(utcTime(start ? *start : *created)));
        addText(
            c(), [](const char* text) { return xProperty("X-JOTWISE-JOURNAL-TYPE", text); },
            text(known_[Known::JournalType]));
    }

    icalproperty* eventReminder() {
        icaltriggertype trigger{};
        trigger.time = icaltime_null_time();
        // Appointments saved before the store kept their lead get the usual one.
        const std::int32_t minutes = props_.longValue(known_[Known::ReminderMinutesBeforeStart])
                                         .value_or(kDefaultReminderMinutes);
        trigger.duration = icaldurationtype_from_int(-minutes * 60);
        return icalproperty_new_trigger(trigger);
    }

    void addAlarm(icalproperty* trigger) {
        icalcomponent* alarm = icalcomponent_new_valarm();
        add(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        add(alarm, trigger);
        const std::string summary = text(PR_SUBJECT);
        add(alarm, icalproperty_new_description(summary.empty() ? "Reminder" : summary.c_str()));
        icalcomponent_add_component(c(), alarm);
    }

    void addAttendees() {
        for (const auto& recipient : record_.recipients) {
            const std::string address = calendarText(platform::trimmed(recipient.address));
            // An attendee is an address; one that never resolved has none to give.
            icalproperty* attendee = icalproperty_new_attendee(
                recipient.resolved && !address.empty() ? ("mailto:" + address).c_str()
                                                       : "invalid:nomail");
            const std::string name = calendarText(attendeeName(recipient));
            if (!name.empty())
                icalproperty_add_parameter(attendee, icalparameter_new_cn(name.c_str()));
            icalparameter_role role = ICAL_ROLE_REQPARTICIPANT;
            if (recipient.type == static_cast<std::int32_t>(MAPI_CC))
                role = ICAL_ROLE_OPTPARTICIPANT;
            if (recipient.type == static_cast<std::int32_t>(MAPI_BCC)) {
                role = ICAL_ROLE_NONPARTICIPANT;
                icalproperty_add_parameter(attendee,
                                           icalparameter_new_cutype(ICAL_CUTYPE_RESOURCE));
            }
            icalproperty_add_parameter(attendee, icalparameter_new_role(role));
            add(c(), attendee);
        }
    }

    // The kind of the item a link points at, when it is an item of this store.
    std::optional<ItemKind> linkedKind(const EntryRef& ref) {
        const std::vector<ULONG> ids = {PROP_ID(PR_MESSAGE_CLASS)};
        const auto props = store_.loadProps({ref.row}, &ids);
        const auto it = props.find(ref.row);
        if (it == props.end()) return std::nullopt;
        return itemKindFromMessageClass(it->second.string(PR_MESSAGE_CLASS));
    }

    // Links by reference: contacts as CONTACT (with the contact's UID, the name of its
    // vCard), other items as RELATED-TO, files as file: URIs. Contact names the item keeps
    // as text become CONTACT lines too. Attachments by value stay in the store.
    void addLinks() {
        std::set<std::string> contactNames;
        for (const auto& attachment : record_.attachments) {
            if (attachment.method != olByReference) continue;
            const auto entryId = FBinFromHex(attachment.path);
            const auto ref =
                entryId && !attachment.path.empty() ? store_.parse(*entryId) : std::nullopt;
            if (ref && ref->kind == EntryKind::Message) {
                const std::string uid = uidOf(*entryId);
                if (linkedKind(*ref) == ItemKind::Contact) {
                    const std::string name =
                        attachment.displayName.empty() ? uid : calendarText(attachment.displayName);
                    contactNames.insert(name);
                    add(c(), withParameter(icalproperty_new_contact(name.c_str()),
                                           xParameter("X-JOTWISE-UID", uid)));
                } else {
                    add(c(), withParameter(icalproperty_new_relatedto(uid.c_str()),
                                           icalparameter_new_reltype(ICAL_RELTYPE_SIBLING)));
                }
                continue;
            }
            if (attachment.path.empty()) continue;
            icalattach* link = icalattach_new_from_url(fileUri(attachment.path).c_str());
            icalproperty* property = icalproperty_new_attach(link);
            icalattach_unref(link);
            add(c(), property);
        }
        for (const Known names : {Known::ContactNames, Known::Contacts})
            for (const auto& name : listNames(text(known_[names])))
                if (contactNames.insert(name).second)
                    add(c(), icalproperty_new_contact(name.c_str()));
    }

    Store& store_;
    const ItemRecord& record_;
    const PropertyBag& props_;
    const KnownTags& known_;
    ItemKind kind_;
    LocalZone& zone_;
    std::optional<RecurrenceFields> recurrence_;
    Component component_;
};

Component newCalendar() {
    Component calendar(icalcomponent_new_vcalendar());
    add(calendar.get(), icalproperty_new_version("2.0"));
    add(calendar.get(), icalproperty_new_prodid("-//Jotwise//Jotwise vdir mirror//EN"));
    return calendar;
}

// The X-LIC-ERROR texts libical left in a component and its sub-components.
void collectErrors(icalcomponent* component, std::vector<std::string>& problems) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY))
        problems.emplace_back(icalproperty_get_xlicerror(p));
    for (icalcomponent* sub = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); sub;
         sub = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        collectErrors(sub, problems);
}

}  // namespace

bool hasCalendarForm(ItemKind kind) {
    return kind != ItemKind::Mail && kind != ItemKind::Contact;
}

struct CalendarDocument::Calendar {
    Component component = newCalendar();
    LocalZone zone;
};

CalendarDocument::CalendarDocument(Store& store)
    : store_(store), calendar_(std::make_unique<Calendar>()) {}

CalendarDocument::~CalendarDocument() = default;

bool CalendarDocument::add(const ItemRecord& record) {
    const ItemKind kind = itemKindFromMessageClass(record.props.string(PR_MESSAGE_CLASS));
    if (!hasCalendarForm(kind)) return false;
    Component component = ComponentBuilder(store_, record, kind, calendar_->zone).build();
    if (!component) return false;
    icalcomponent_add_component(calendar_->component.get(), component.release());
    ++count_;
    return true;
}

std::string CalendarDocument::text() const {
    const LocalZone& zone = calendar_->zone;
    if (!zone.tagged() || !zone.earliest) return componentText(calendar_->component.get());
    // The time zone goes before the components that refer to it.
    Component calendar = newCalendar();
    icalcomponent_add_component(calendar.get(), zone.definition().release());
    icalcomponent* items = calendar_->component.get();
    for (icalcomponent* item = icalcomponent_get_first_component(items, ICAL_ANY_COMPONENT); item;
         item = icalcomponent_get_next_component(items, ICAL_ANY_COMPONENT))
        icalcomponent_add_component(calendar.get(), icalcomponent_new_clone(item));
    return componentText(calendar.get());
}

std::string calendarOf(Store& store, const ItemRecord& record) {
    CalendarDocument document(store);
    return document.add(record) ? document.text() : std::string();
}

std::vector<std::string> calendarProblems(std::string_view text) {
    std::vector<std::string> problems;
    const std::string copy(text);
    Component parsed(icalparser_parse_string(copy.c_str()));
    if (!parsed) return {"libical cannot parse the text"};
    if (icalcomponent_isa(parsed.get()) != ICAL_VCALENDAR_COMPONENT)
        return {"the text is not one VCALENDAR"};
    collectErrors(parsed.get(), problems);
    if (problems.empty() && !icalrestriction_check(parsed.get())) {
        collectErrors(parsed.get(), problems);
        if (problems.empty()) problems.emplace_back("libical's restriction check fails");
    }
    return problems;
}

}  // namespace outlook::local::mirror
