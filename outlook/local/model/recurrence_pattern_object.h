#pragma once

#include <memory>

#include "outlook/local/model/model_object.h"

namespace outlook::local {

class ItemObject;

// The RecurrencePattern of an appointment or task. It holds no values of its own: it reads
// and writes the item's repeat, which the item keeps until its Save writes it.
//
// Setting RecurrenceType resets the pattern to that type's defaults for the pattern's start
// (the start's weekday, day of the month, month), with an interval of 1. Setting Occurrences
// or PatternEndDate ends the repeat there; NoEndDate true drops both. Setting StartTime
// keeps the Duration; EndTime and Duration set each other. A value no repeat can have (an
// interval below 1, no weekday for a weekly repeat, a day of the month outside 1 to 31, an
// unknown type) is refused with AutomationError naming the property, and nothing changes.
class RecurrencePatternObject : public ModelObject {
public:
    explicit RecurrencePatternObject(std::shared_ptr<ItemObject> item);

protected:
    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    std::shared_ptr<ItemObject> item_;
};

}  // namespace outlook::local
