#include "outlook/local/transport/outbox_properties.h"

#include "outlook/local/store/store.h"

namespace outlook::local::transport {

using namespace mapi;

namespace {

MAPINAMEID publicName(const char* text) {
    MAPINAMEID name;
    name.guid = PS_PUBLIC_STRINGS;
    name.ulKind = MNID_STRING;
    name.name = text;
    return name;
}

const char* const kHandedOver = "Jotwise.SendHandedOver";
const char* const kProblem = "Jotwise.SendProblem";
const char* const kCalendarUid = "Jotwise.CalendarUid";

}  // namespace

OutboxTags outboxTags(Store& store) {
    return {store.namedTag(publicName(kHandedOver), PT_SYSTIME),
            store.namedTag(publicName(kProblem), PT_STRING8),
            store.namedTag(publicName(kCalendarUid), PT_STRING8)};
}

std::optional<std::string> waitingReason(Store& store, const PropertyBag& props) {
    const auto tag = store.findNamedTag(publicName(kProblem), PT_STRING8);
    if (!tag || !props.has(*tag)) return std::nullopt;
    return props.string(*tag);
}

}  // namespace outlook::local::transport
