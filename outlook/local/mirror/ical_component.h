#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>

namespace outlook::local::mirror {

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
// A libical component that frees itself and what it holds.
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// The component as iCalendar text, lines ending in CRLF and folded.
inline std::string componentText(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

}  // namespace outlook::local::mirror
