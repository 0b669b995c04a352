#pragma once

#include "outlook/automation.h"

namespace outlook::local {

// The form that shows one item (Item.Display): the contact form for contacts, the matching
// form for other kinds. The form reads and writes the item through its automation object.
class ItemForm {
public:
    virtual ~ItemForm() = default;
    // Shows the item; a modal form returns once the user closed it.
    virtual void showItem(const DispatchPtr& item, bool modal) = 0;
    // Closes the item's form if it is shown (Item.Close).
    virtual void closeItem(const DispatchPtr& item) = 0;
};

}  // namespace outlook::local
