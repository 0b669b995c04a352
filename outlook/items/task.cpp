#include "outlook/items/task.h"

#include <cmath>

namespace outlook {

std::int32_t TotalWorkMinutes(double duration) {
    constexpr double kMillisecondsPerDay = 86'400'000.0;
    const auto ms = static_cast<std::int64_t>(
        std::llround(std::abs(duration - std::trunc(duration)) * kMillisecondsPerDay));
    const std::int64_t hours = ms / 3'600'000, minutes = ms / 60'000 % 60;
    return static_cast<std::int32_t>(hours * 60 + minutes);
}

MessageId TTask::AddRecipients(const RecipientSource& recipients, int kinds) {
    if (const MessageId id = TSendableItem::AddRecipients(recipients, kinds)) return id;
    return Guarded(43, [&] { Call("Assign"); });
}

MessageId TTask::SetDueDate(OleDate date) {
    return Guarded(18, [&] { Put("DueDate", date); });
}

MessageId TTask::SetTotalWork(double duration) {
    return Guarded(17, [&] { Put("TotalWork", TotalWorkMinutes(duration)); });
}

MessageId TTask::SetContacts(const std::string& names) {
    return Guarded(16, [&] { Put("Contacts", names); });
}

MessageId TTask::SetCompanies(const std::string& names) {
    return Guarded(15, [&] { Put("Companies", names); });
}

MessageId TTask::SetRecurrence(const RecurrenceFields& fields) {
    return PutRecurrence(fields);
}

}  // namespace outlook
