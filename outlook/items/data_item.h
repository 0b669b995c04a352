#pragma once

#include <string>
#include <vector>

#include "messages/messages.h"
#include "outlook/items/item.h"

namespace outlook {

class TCategory;
using messages::MessageId;

// An Outlook item the program creates and files. Each setter returns 0 or its own message
// id; an automation failure's text becomes the session's last error. Nothing set before a
// failure is undone.
class TDataItem : public TItem {
public:
    using TItem::TItem;

    // "Name;" for every category, in order; the empty text for none.
    virtual MessageId SetCategories(const std::vector<TCategory*>& categories);
    // Attaches the target item by reference.
    virtual MessageId AddContactLink(TItem& target);
    // Attaches a copy of the target item.
    virtual MessageId AddItemCopy(TItem& target);
    virtual MessageId AddFileAttachment(const std::string& path, bool link);
    // The text's first line, without surrounding blanks and control characters.
    virtual MessageId SetSubject(const std::string& text);
    virtual MessageId SetBody(const std::string& text);
    virtual MessageId Commit();

protected:
    // Runs `step`; an automation failure becomes the last error and `failureId`.
    template <class Step>
    MessageId Guarded(MessageId failureId, Step&& step) {
        try {
            step();
            return 0;
        } catch (const AutomationError& error) {
            RememberFailure(error);
            return failureId;
        }
    }
    static void RememberFailure(const AutomationError& error);

    void Put(std::string_view property, const Variant& value) { Object().put(property, value); }
    Variant Call(std::string_view method, const Arguments& arguments = {}) {
        return Object().call(method, arguments);
    }

private:
    void Attach(const Variant& source, std::int32_t how);
};

// The subject line a note's text gives.
std::string SubjectLine(const std::string& text);

}  // namespace outlook
