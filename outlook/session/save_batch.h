#pragma once

#include "messages/messages.h"
#include "outlook/automation.h"

namespace outlook {

class TDataStore;

// The saves of one filing (an item and its journal entry), kept or lost together where the
// automation server can do that: the local store can; Outlook cannot, and there each save
// stands alone. Nothing waits or fails when the batch begins; a batch not committed is
// abandoned, and the saves made in it with it.
class SaveBatch {
public:
    explicit SaveBatch(TDataStore& session);
    ~SaveBatch();
    SaveBatch(const SaveBatch&) = delete;
    SaveBatch& operator=(const SaveBatch&) = delete;

    // 0; or the save's message id with the reason as the session's last error, and then
    // none of the batch's saves was kept.
    messages::MessageId Commit();

private:
    TDataStore& session_;
    DispatchPtr application_;
    bool open_ = false;
};

}  // namespace outlook
