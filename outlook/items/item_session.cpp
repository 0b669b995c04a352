#include "outlook/items/item_session.h"

namespace outlook {
namespace {

ItemSession* currentSession = nullptr;

}  // namespace

ItemSession* CurrentItemSession() {
    return currentSession;
}

void SetCurrentItemSession(ItemSession* session) {
    currentSession = session;
}

}  // namespace outlook
