#pragma once

#include "outlook/item.h"

namespace outlook {

// An Outlook item the program creates and files: appointment, task, note, mail message,
// journal entry or contact.
class TDataItem : public TItem {
public:
    using TItem::TItem;
};

}  // namespace outlook
