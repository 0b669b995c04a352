#include "outlook/sendable_item.h"

namespace outlook {

MessageId TSendableItem::Commit() {
    if (!hasRecipients) return TDataItem::Commit();
    return Guarded(42, [&] { Call("Send"); });
}

}  // namespace outlook
