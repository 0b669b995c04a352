#include "outlook/session/save_batch.h"

#include "outlook/session/data_store.h"

namespace outlook {

SaveBatch::SaveBatch(TDataStore& session) : session_(session), application_(session.Application()) {
    if (!application_) return;
    try {
        application_->call("BeginBatch");
        open_ = true;
    } catch (const AutomationError&) {
        // Not offered: each save stands alone.
    }
}

SaveBatch::~SaveBatch() {
    if (!open_) return;
    try {
        application_->call("AbortBatch");
    } catch (const AutomationError&) {
    }
}

messages::MessageId SaveBatch::Commit() {
    if (!open_) return messages::kNoError;
    open_ = false;
    try {
        application_->call("CommitBatch");
        return messages::kNoError;
    } catch (const AutomationError& error) {
        session_.LastError() = error.what();
        return messages::kSaveFailed;
    }
}

}  // namespace outlook
