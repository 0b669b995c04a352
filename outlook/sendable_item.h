#pragma once

#include "outlook/data_item.h"

namespace outlook {

// An item that can go to recipients: saved while it has none, sent once it has some.
class TSendableItem : public TDataItem {
public:
    using TDataItem::TDataItem;

    MessageId Commit() override;

    bool hasRecipients = false;
};

class TMailMessage : public TSendableItem {
public:
    using TSendableItem::TSendableItem;
};

}  // namespace outlook
