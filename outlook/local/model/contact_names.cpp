#include "outlook/local/model/contact_names.h"

#include "platform/text.h"

namespace outlook::local {

using platform::trimmed;

using namespace mapi;

std::string autoFullName(const std::string& first, const std::string& last) {
    if (first.empty()) return last;
    if (last.empty()) return first;
    return first + " " + last;
}

std::string autoFileAs(const std::string& first, const std::string& last,
                       const std::string& company, const std::string& full) {
    if (!first.empty() && !last.empty()) return last + ", " + first;
    if (!last.empty()) return last;
    if (!first.empty()) return first;
    return company.empty() ? full : company;
}

namespace {

void setOrErase(PropertyBag& props, PropTag tag, const std::string& value) {
    if (value.empty())
        props.erase(tag);
    else
        props.setString(tag, value);
}

}  // namespace

void setContactName(PropertyBag& props, PropTag fileAsTag, PropTag field,
                    const std::string& rawValue) {
    const std::string value(trimmed(rawValue));
    const std::string first = props.string(PR_GIVEN_NAME), last = props.string(PR_SURNAME),
                      company = props.string(PR_COMPANY_NAME), full = props.string(PR_DISPLAY_NAME),
                      fileAs = props.string(fileAsTag);
    const std::string oldAutoFull = autoFullName(first, last);
    const std::string oldAutoFileAs = autoFileAs(first, last, company, full);
    const bool fileAsFollows = fileAs.empty() || fileAs == oldAutoFileAs;

    setOrErase(props, field, value);
    if (PROP_ID(field) == PROP_ID(PR_DISPLAY_NAME)) {
        if (first.empty() && last.empty() && !value.empty()) {
            const auto space = value.rfind(' ');
            if (space == std::string::npos) {
                props.setString(PR_GIVEN_NAME, value);
            } else {
                props.setString(PR_GIVEN_NAME, std::string(trimmed(value.substr(0, space))));
                props.setString(PR_SURNAME, value.substr(space + 1));
            }
        }
    } else if (full.empty() || full == oldAutoFull) {
        setOrErase(props, PR_DISPLAY_NAME,
                   autoFullName(props.string(PR_GIVEN_NAME), props.string(PR_SURNAME)));
    }
    if (fileAsFollows) {
        setOrErase(props, fileAsTag,
                   autoFileAs(props.string(PR_GIVEN_NAME), props.string(PR_SURNAME),
                              props.string(PR_COMPANY_NAME), props.string(PR_DISPLAY_NAME)));
    }
}

}  // namespace outlook::local
