#pragma once

#include "outlook/data_item.h"

namespace outlook {

// An item that can go to recipients: saved without them, sent with them.
class TSendableItem : public TDataItem {
public:
    using TDataItem::TDataItem;

    bool hasRecipients = false;
};

class TMailMessage : public TSendableItem {
public:
    using TSendableItem::TSendableItem;
};

class TTask : public TSendableItem {
public:
    using TSendableItem::TSendableItem;
};

class TAppointment : public TSendableItem {
public:
    using TSendableItem::TSendableItem;
};

}  // namespace outlook
