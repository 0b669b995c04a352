#pragma once

#include "outlook/items/data_item.h"

namespace outlook {

class TContact;

// An Outlook journal entry: it records now as its start, with no duration.
class TOLjournalEntry : public TDataItem {
public:
    using TDataItem::TDataItem;

    MessageId Commit() override;
    MessageId SetContact(TContact& contact);
    MessageId SetType(const std::string& type);
};

}  // namespace outlook
