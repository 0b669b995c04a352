#pragma once

#include <cstddef>
#include <vector>

#include "outlook/local/store/change.h"

namespace outlook::local {

// The store keeps one observer in each slot: the vdir mirror and the desktop calendar follow
// their own settings and come and go independently of each other.
enum class ObserverSlot { Mirror, DesktopCalendar };
inline constexpr std::size_t kObserverSlots = 2;

// Hears of every change once it is committed: this process's transactions and, through the
// poll, other processes' changes. Calls come on the committing thread (or the poll's) with
// the store's lock held, so they must only take note and return; they must not throw.
class ChangeObserver {
public:
    virtual ~ChangeObserver() = default;
    virtual void committed(const std::vector<Change>& changes) noexcept = 0;
    // Another connection changed the store; what changed is not known.
    virtual void changedElsewhere() noexcept = 0;
    // The store lets go of the observer (it closes, or another takes its place): after this
    // returns the observer must no longer use the store.
    virtual void detach() noexcept = 0;
};

}  // namespace outlook::local
