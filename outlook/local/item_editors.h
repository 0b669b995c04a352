#pragma once

#include <memory>

#include "outlook/local/item_editor.h"

namespace outlook::local {

// The editor for an item whose form edits it: an appointment or meeting, a task, a note or
// a journal entry. Null for what is shown read-only: mail, requests, and anything in Sent
// Items or the Outbox, which has gone to people as it was.
std::unique_ptr<ItemEditor> makeItemEditor(const DispatchPtr& item, const DispatchPtr& nameSpace);

}  // namespace outlook::local
