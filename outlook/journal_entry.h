#pragma once

#include "outlook/data_item.h"

namespace outlook {

// Wraps an Outlook journal entry.
class TOLjournalEntry : public TDataItem {
public:
    using TDataItem::TDataItem;
};

}  // namespace outlook
