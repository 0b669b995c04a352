#pragma once

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "outlook/local/store/change.h"
#include "outlook/local/store/change_observer.h"
#include "outlook/local/store/table_source.h"
#include "outlook/mapi.h"
#include "platform/event_loop.h"

namespace outlook::local {

// Delivers committed changes to the advise sinks of tables, through the event loop.
//
// The sinks that receive a change are those advised when it commits; each gets one
// OnNotify per transaction with all its notifications. A batch posted to the loop but
// not yet run is dropped when its connection is unadvised meanwhile.
//
// Every committed change passes here, so the observers set with setObserver hear of them all
// as well, straight after the commit.
class Notifier {
public:
    // Without a loop nothing is delivered.
    explicit Notifier(platform::EventLoop* loop) : loop_(loop) {}

    // Never returns 0.
    mapi::ULONG_PTR advise(std::shared_ptr<TableState> table,
                           mapi::ComPtr<mapi::IMAPIAdviseSink> sink);
    bool unadvise(mapi::ULONG_PTR connection);
    bool hasConnections() const;

    // Builds each advised table's notifications for a committed transaction and posts them.
    void committed(const std::vector<Change>& changes);
    // Another process changed the store: every advised table gets TABLE_CHANGED.
    void changedElsewhere();

    // Replaces the slot's observer (nullptr: none); the one replaced is detached before this
    // returns.
    void setObserver(std::shared_ptr<ChangeObserver> observer,
                     ObserverSlot slot = ObserverSlot::Mirror);
    std::shared_ptr<ChangeObserver> observer(ObserverSlot slot = ObserverSlot::Mirror) const;
    // Detaches every observer.
    void clearObservers();

private:
    struct Connection {
        std::shared_ptr<TableState> table;
        mapi::ComPtr<mapi::IMAPIAdviseSink> sink;
        std::atomic<bool> active{true};
    };

    std::vector<std::shared_ptr<Connection>> snapshot() const;
    std::array<std::shared_ptr<ChangeObserver>, kObserverSlots> observers() const;
    void post(const std::shared_ptr<Connection>& connection,
              std::vector<mapi::NOTIFICATION> notifications);
    static std::vector<mapi::NOTIFICATION> build(TableState& table,
                                                 const std::vector<Change>& changes);

    platform::EventLoop* loop_;
    mutable std::mutex mutex_;
    std::map<mapi::ULONG_PTR, std::shared_ptr<Connection>> connections_;
    mapi::ULONG_PTR next_ = 1;
    std::array<std::shared_ptr<ChangeObserver>, kObserverSlots> observers_;
};

}  // namespace outlook::local
