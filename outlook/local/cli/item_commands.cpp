#include "outlook/local/cli/item_commands.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "outlook/local/item_trash.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/model/namespace_object.h"
#include "outlook/local/store/file_time.h"
#include "outlook/local/store/store.h"
#include "outlook/object_model.h"
#include "outlook/ole_date.h"

namespace outlook::local {

using namespace std::chrono;

namespace {

constexpr int kDone = 0, kFailed = 1;

enum class ValueType { Text, Time, Status };

struct Settable {
    std::string_view word;
    std::string_view property;
    ValueType type;
};

// In the order they are put: Start before End, since putting Start moves End with it.
constexpr std::array<Settable, 8> kSettable = {{
    {"subject", "Subject", ValueType::Text},
    {"location", "Location", ValueType::Text},
    {"start", "Start", ValueType::Time},
    {"end", "End", ValueType::Time},
    {"due", "DueDate", ValueType::Time},
    {"status", "Status", ValueType::Status},
    {"categories", "Categories", ValueType::Text},
    {"body", "Body", ValueType::Text},
}};

constexpr std::array<std::pair<std::string_view, std::int32_t>, 5> kStatuses = {{
    {"not-started", olTaskNotStarted},
    {"in-progress", olTaskInProgress},
    {"completed", olTaskComplete},
    {"waiting", olTaskWaiting},
    {"deferred", olTaskDeferred},
}};

std::size_t orderOf(std::string_view word) {
    for (std::size_t i = 0; i < kSettable.size(); ++i)
        if (kSettable[i].word == word) return i;
    return kSettable.size();
}

std::string statusName(std::int32_t status) {
    for (const auto& [name, value] : kStatuses)
        if (value == status) return std::string(name);
    return std::to_string(status);
}

std::string timeText(OleDate date) {
    if (date.serial >= kNoDateSerial) return "none";
    const local_seconds time = LocalFromOleDate(date);
    const auto day = floor<days>(time);
    const year_month_day ymd(day);
    const hh_mm_ss clock(time - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d", int(ymd.year()),
                  unsigned(ymd.month()), unsigned(ymd.day()), int(clock.hours().count()),
                  int(clock.minutes().count()));
    return text;
}

std::string shown(const Variant& value, ValueType type) {
    switch (type) {
        case ValueType::Time:
            return timeText(value.asDate());
        case ValueType::Status:
            return statusName(value.asInt());
        case ValueType::Text:
            break;
    }
    return "\u201C" + value.asString() + "\u201D";
}

std::string described(const TrashedItem& item) {
    return (item.title.empty() ? std::string("(untitled)") : "\u201C" + item.title + "\u201D") +
           " (" + item.kind + ")";
}

}  // namespace

std::optional<OleDate> parseLocalTime(std::string_view text) {
    int y = 0;
    unsigned mo = 0, d = 0;
    int h = 0, mi = 0, s = 0;
    int used = 0;
    const std::string copy(text);
    const char* c = copy.c_str();
    if (std::sscanf(c, "%4d-%2u-%2u%n", &y, &mo, &d, &used) != 3 || used != 10) return std::nullopt;
    if (copy.size() > 10) {
        int more = 0;
        const char* rest = c + 10;
        if (std::sscanf(rest, "T%2d:%2d%n", &h, &mi, &more) != 2 || more != 6) return std::nullopt;
        rest += more;
        if (*rest) {
            if (std::sscanf(rest, ":%2d%n", &s, &more) != 1 || more != 3 || rest[3])
                return std::nullopt;
        }
    }
    const year_month_day date{year(y) / mo / d};
    if (!date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    const local_seconds time = local_days(date) + hours(h) + minutes(mi) + seconds(s);
    return OleDateFromLocal(time_point_cast<milliseconds>(time));
}

std::optional<std::vector<PropertyAssignment>> parseAssignments(
    const std::vector<std::string>& words, std::string& error) {
    std::vector<PropertyAssignment> assignments;
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = "'" + word + "' is not PROPERTY=VALUE";
            return std::nullopt;
        }
        const std::string name = word.substr(0, equals);
        const std::string text = word.substr(equals + 1);
        const std::size_t index = orderOf(name);
        if (index == kSettable.size()) {
            error = "'" + name +
                    "' is not a property 'set' knows (subject, location, start, end, due, "
                    "status, categories, body)";
            return std::nullopt;
        }
        if (std::any_of(assignments.begin(), assignments.end(),
                        [&](const PropertyAssignment& a) { return a.word == name; })) {
            error = "'" + name + "' is given twice";
            return std::nullopt;
        }
        const Settable& settable = kSettable[index];
        PropertyAssignment assignment{name, std::string(settable.property), {}};
        switch (settable.type) {
            case ValueType::Text:
                assignment.value = text;
                break;
            case ValueType::Time: {
                const auto time = parseLocalTime(text);
                if (!time) {
                    error = name + ": '" + text +
                            "' is not a local time such as 2026-12-09T16:00 or 2026-12-09";
                    return std::nullopt;
                }
                assignment.value = *time;
                break;
            }
            case ValueType::Status: {
                const auto it = std::find_if(kStatuses.begin(), kStatuses.end(),
                                             [&](const auto& s) { return s.first == text; });
                if (it == kStatuses.end()) {
                    error = "status: '" + text +
                            "' is not one of not-started, in-progress, completed, waiting, "
                            "deferred";
                    return std::nullopt;
                }
                assignment.value = it->second;
                break;
            }
        }
        assignments.push_back(std::move(assignment));
    }
    std::stable_sort(assignments.begin(), assignments.end(), [](const auto& a, const auto& b) {
        return orderOf(a.word) < orderOf(b.word);
    });
    return assignments;
}

ItemCommands::ItemCommands(std::shared_ptr<Store> store, std::ostream& out, std::ostream& err)
    : store_(std::move(store)), out_(out), err_(err) {
    auto context = std::make_shared<ModelContext>();
    context->store = store_;
    context->windows = std::make_shared<WindowSet>();
    nameSpace_ = std::make_shared<NamespaceObject>(context);
}

int ItemCommands::remove(const std::vector<std::string>& entryIds, bool permanently) {
    ItemTrash trash(store_, nameSpace_);
    const TrashOutcome outcome =
        permanently ? trash.removePermanently(entryIds) : trash.moveToDeletedItems(entryIds);
    if (!outcome.done()) {
        err_ << "jotwise-store: " << outcome.error << "\n";
        return kFailed;
    }
    for (const TrashedItem& item : outcome.items) {
        if (permanently)
            out_ << "deleted for good: " << described(item) << ", from " << item.from << "\n";
        else
            out_ << "moved to " << item.to << ": " << described(item) << ", from " << item.from
                 << "\n";
    }
    return kDone;
}

int ItemCommands::restore(const std::vector<std::string>& entryIds) {
    ItemTrash trash(store_, nameSpace_);
    const TrashOutcome outcome = trash.restore(entryIds);
    if (!outcome.done()) {
        err_ << "jotwise-store: " << outcome.error << "\n";
        return kFailed;
    }
    for (const TrashedItem& item : outcome.items)
        out_ << "restored to " << item.to << ": " << described(item) << "\n";
    return kDone;
}

int ItemCommands::set(const std::string& entryId,
                      const std::vector<PropertyAssignment>& assignments) {
    ItemTrash trash(store_, nameSpace_);
    const TrashOutcome found = trash.describe({entryId});
    if (!found.done()) {
        err_ << "jotwise-store: " << found.error << "\n";
        return kFailed;
    }
    const DispatchPtr item = nameSpace_->call("GetItemFromID", {entryId}).asObject();
    const ItemKind kind = std::dynamic_pointer_cast<ItemObject>(item)->kind();
    for (const PropertyAssignment& a : assignments)
        if (!hasProperty(*findItemProperty(a.property), kind)) {
            err_ << "jotwise-store: " << a.word << " does not apply to " << describeKind(kind)
                 << ". Nothing was changed.\n";
            return kFailed;
        }
    std::string changes;
    try {
        // The values are put into the item in memory; nothing reaches the store unless every
        // one of them is accepted. What each was is read first: putting Start moves End.
        std::vector<std::string> before;
        for (const PropertyAssignment& a : assignments)
            before.push_back(shown(item->get(a.property), kSettable[orderOf(a.word)].type));
        for (const PropertyAssignment& a : assignments)
            item->put(a.property, a.value);
        for (std::size_t i = 0; i < assignments.size(); ++i) {
            const PropertyAssignment& a = assignments[i];
            const std::string after = shown(item->get(a.property), kSettable[orderOf(a.word)].type);
            changes +=
                (changes.empty() ? "" : ", ") + a.word + " " +
                (before[i] == after ? after + " (unchanged)" : before[i] + " \u2192 " + after);
        }
        item->call("Save");
    } catch (const AutomationError& e) {
        err_ << "jotwise-store: " << described(found.items.front()) << ": " << e.what()
             << ". Nothing was changed.\n";
        return kFailed;
    }
    out_ << "set " << described(found.items.front()) << ": " << changes << "\n";
    return kDone;
}

}  // namespace outlook::local
