#include "outlook/local/transport/outbox_properties.h"

#include "outlook/local/store/store.h"

namespace outlook::local::transport {

using namespace mapi;

namespace {

const char* const kHandedOver = "Jotwise.SendHandedOver";
const char* const kProblem = "Jotwise.SendProblem";
const char* const kCalendarUid = "Jotwise.CalendarUid";

}  // namespace

OutboxTags outboxTags(Store& store) {
    return {store.namedTag(publicStringName(kHandedOver), PT_SYSTIME),
            store.namedTag(publicStringName(kProblem), PT_STRING8),
            store.namedTag(publicStringName(kCalendarUid), PT_STRING8)};
}

std::optional<std::string> waitingReason(Store& store, const PropertyBag& props) {
    const auto tag = store.findNamedTag(publicStringName(kProblem), PT_STRING8);
    if (!tag || !props.has(*tag)) return std::nullopt;
    return props.string(*tag);
}

}  // namespace outlook::local::transport
