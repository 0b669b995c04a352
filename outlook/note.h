#pragma once

#include "outlook/data_item.h"

namespace outlook {

// Wraps an Outlook note.
class TNote : public TDataItem {
public:
    using TDataItem::TDataItem;
};

}  // namespace outlook
