#include "outlook/local/transport/invitation.h"

#include <libical/ical.h>

#include <ctime>
#include <memory>
#include <stdexcept>

#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/ical_component.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/transport/outgoing_item.h"
#include "platform/text.h"
#include "platform/utf8_text.h"

namespace outlook::local::transport {

namespace {

// Text as iCalendar can carry it.
std::string calendarText(std::string_view text) {
    return platform::withoutControlCharacters(platform::validUtf8(platform::trimmed(text)));
}

// "mailto:" and the address; "" when the address is empty or holds blanks or controls.
std::string mailtoOf(std::string_view address) {
    const std::string text(platform::trimmed(address));
    if (text.empty() || !platform::isValidUtf8(text)) return {};
    for (unsigned char c : text)
        if (c <= ' ' || c == 0x7F) return {};
    return "mailto:" + text;
}

// The request as the appointment or task it was sent from: the mirror writes the repeat of
// those kinds only, and the copy keeps the repeat's properties.
std::optional<ItemRecord> asSentItem(const ItemRecord& request) {
    ItemRecord item;
    item.id = request.id;
    item.folder = request.folder;
    item.props = request.props;
    item.recipients = request.recipients;
    // Links are written from their paths; the contents of attachments stay behind.
    for (const auto& attachment : request.attachments) {
        item.attachments.push_back(attachment);
        item.attachments.back().data.reset();
    }
    switch (itemKindFromMessageClass(request.props.string(mapi::PR_MESSAGE_CLASS))) {
        case ItemKind::Appointment:
        case ItemKind::MeetingRequest:
            item.props.setString(mapi::PR_MESSAGE_CLASS,
                                 std::string(messageClassOf(ItemKind::Appointment)));
            return item;
        case ItemKind::Task:
        case ItemKind::TaskRequest:
            item.props.setString(mapi::PR_MESSAGE_CLASS,
                                 std::string(messageClassOf(ItemKind::Task)));
            return item;
        default:
            return std::nullopt;
    }
}

void removeAll(icalcomponent* component, icalproperty_kind kind) {
    while (icalproperty* property = icalcomponent_get_first_property(component, kind)) {
        icalcomponent_remove_property(component, property);
        icalproperty_free(property);
    }
}

bool isStoreProperty(icalproperty* property) {
    const char* name = icalproperty_get_property_name(property);
    return name && std::string_view(name).starts_with("X-JOTWISE-");
}

bool isFileLink(icalproperty* property) {
    icalattach* attach = icalproperty_get_attach(property);
    if (!attach || !icalattach_get_is_url(attach)) return false;
    const char* url = icalattach_get_url(attach);
    return url && std::string_view(url).starts_with("file:");
}

// Removes what points into this store or this machine: related items (by their UIDs in the
// store), contacts (entries of the sender's address book, some with their store UID),
// attachments by file path, and the store's X- properties. The recipients' own attendees
// replace the mirror's.
void dropLocalProperties(icalcomponent* item) {
    for (icalproperty_kind kind :
         {ICAL_RELATEDTO_PROPERTY, ICAL_CONTACT_PROPERTY, ICAL_ATTENDEE_PROPERTY,
          ICAL_ORGANIZER_PROPERTY, ICAL_SEQUENCE_PROPERTY, ICAL_METHOD_PROPERTY})
        removeAll(item, kind);
    std::vector<icalproperty*> local;
    for (icalproperty* p = icalcomponent_get_first_property(item, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(item, ICAL_ANY_PROPERTY)) {
        const icalproperty_kind kind = icalproperty_isa(p);
        if ((kind == ICAL_X_PROPERTY && isStoreProperty(p)) ||
            (kind == ICAL_ATTACH_PROPERTY && isFileLink(p)))
            local.push_back(p);
    }
    for (icalproperty* p : local) {
        icalcomponent_remove_property(item, p);
        icalproperty_free(p);
    }
}

icalproperty* withName(icalproperty* property, const std::string& name) {
    if (!name.empty()) icalproperty_add_parameter(property, icalparameter_new_cn(name.c_str()));
    return property;
}

void addAttendees(icalcomponent* item, const std::vector<RecipientRecord>& recipients) {
    for (const auto& recipient : recipients) {
        const bool to = recipient.type == static_cast<std::int32_t>(mapi::MAPI_TO);
        const bool cc = recipient.type == static_cast<std::int32_t>(mapi::MAPI_CC);
        const std::string mailto = recipient.resolved ? mailtoOf(recipient.address) : "";
        if ((!to && !cc) || mailto.empty()) continue;
        icalproperty* attendee = withName(icalproperty_new_attendee(mailto.c_str()),
                                          calendarText(personalName(recipient)));
        icalproperty_add_parameter(attendee, icalparameter_new_role(to ? ICAL_ROLE_REQPARTICIPANT
                                                                       : ICAL_ROLE_OPTPARTICIPANT));
        icalproperty_add_parameter(attendee, icalparameter_new_partstat(ICAL_PARTSTAT_NEEDSACTION));
        icalproperty_add_parameter(attendee, icalparameter_new_rsvp(ICAL_RSVP_TRUE));
        icalcomponent_add_property(item, attendee);
    }
}

// The start date a to-do sent as a request must have, which the store's tasks do not keep:
// the moment it is sent (on the local calendar when the due date is a day), or the due date
// when that is earlier.
void addToDoStart(icalcomponent* todo) {
    if (icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY)) return;
    icaltimetype start = icalcomponent_get_dtstamp(todo);
    icalproperty* dueProperty = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY);
    if (dueProperty) {
        const icaltimetype due = icalproperty_get_due(dueProperty);
        if (due.is_date) {
            const std::time_t seconds = icaltime_as_timet(start);
            std::tm local{};
            localtime_r(&seconds, &local);
            start = icaltime_null_date();
            start.year = local.tm_year + 1900;
            start.month = local.tm_mon + 1;
            start.day = local.tm_mday;
        }
        if (icaltime_compare(start, due) > 0) start = due;
    }
    icalcomponent_add_property(todo, icalproperty_new_dtstart(start));
}

// A to-do's priority from the item's importance; 0 (undefined) when it has none.
void addToDoPriority(icalcomponent* todo, const ItemRecord& request) {
    if (icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY)) return;
    int priority = 0;
    // The item's importance is 0 (low), 1 (normal) or 2 (high).
    switch (request.props.longValue(tags::PR_IMPORTANCE).value_or(-1)) {
        case 2:
            priority = 1;
            break;
        case 1:
            priority = 5;
            break;
        case 0:
            priority = 9;
            break;
    }
    icalcomponent_add_property(todo, icalproperty_new_priority(priority));
}

icalcomponent* firstItem(icalcomponent* calendar) {
    for (icalcomponent_kind kind : {ICAL_VEVENT_COMPONENT, ICAL_VTODO_COMPONENT})
        if (icalcomponent* item = icalcomponent_get_first_component(calendar, kind)) return item;
    return nullptr;
}

}  // namespace

std::string requestCalendar(Store& store, const ItemRecord& request, std::string_view uid,
                            const MailAddress& organizer) {
    const std::optional<ItemRecord> item = asSentItem(request);
    if (!item) return {};
    const std::string organizerUri = mailtoOf(organizer.address);
    if (organizerUri.empty())
        throw std::invalid_argument("The organizer of a request needs an e-mail address");
    const std::string itemUid = calendarText(uid);
    if (itemUid.empty()) throw std::invalid_argument("A request needs the UID of its item");

    const std::string text = mirror::calendarOf(store, *item);
    if (text.empty()) return {};
    mirror::Component calendar(icalparser_parse_string(text.c_str()));
    icalcomponent* component = calendar ? firstItem(calendar.get()) : nullptr;
    if (!component) throw std::runtime_error("The item's calendar cannot be read back");

    removeAll(calendar.get(), ICAL_METHOD_PROPERTY);
    icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_REQUEST));

    dropLocalProperties(component);
    icalproperty* uidProperty = icalcomponent_get_first_property(component, ICAL_UID_PROPERTY);
    if (uidProperty)
        icalproperty_set_uid(uidProperty, itemUid.c_str());
    else
        icalcomponent_add_property(component, icalproperty_new_uid(itemUid.c_str()));
    icalcomponent_add_property(component, icalproperty_new_sequence(0));
    icalcomponent_add_property(component, withName(icalproperty_new_organizer(organizerUri.c_str()),
                                                   calendarText(organizer.name)));
    addAttendees(component, request.recipients);
    if (icalcomponent_isa(component) == ICAL_VTODO_COMPONENT) {
        addToDoStart(component);
        addToDoPriority(component, request);
    }
    return mirror::componentText(calendar.get());
}

}  // namespace outlook::local::transport
