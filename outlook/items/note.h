#pragma once

#include "outlook/items/data_item.h"

namespace outlook {

// An Outlook note: it has no subject, only its text and its place on the screen.
class TNote : public TDataItem {
public:
    using TDataItem::TDataItem;

    MessageId SetSubject(const std::string& text) override;
    MessageId SetBody(const std::string& text) override;
    MessageId SetCoordinates(std::int32_t left, std::int32_t top, std::int32_t width,
                             std::int32_t height);
};

}  // namespace outlook
