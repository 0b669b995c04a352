#include "outlook/local/store/notifier.h"

#include <utility>

#include "outlook/local/store/entry_id.h"

namespace outlook::local {

using namespace mapi;

ULONG_PTR Notifier::advise(std::shared_ptr<TableState> table, ComPtr<IMAPIAdviseSink> sink) {
    auto connection = std::make_shared<Connection>();
    connection->table = std::move(table);
    connection->sink = std::move(sink);
    std::lock_guard lock(mutex_);
    const ULONG_PTR id = next_++;
    connections_[id] = std::move(connection);
    return id;
}

bool Notifier::unadvise(ULONG_PTR id) {
    std::shared_ptr<Connection> connection;
    {
        std::lock_guard lock(mutex_);
        const auto it = connections_.find(id);
        if (it == connections_.end()) return false;
        connection = std::move(it->second);
        connections_.erase(it);
    }
    connection->active = false;
    return true;
}

bool Notifier::hasConnections() const {
    std::lock_guard lock(mutex_);
    return !connections_.empty();
}

std::vector<std::shared_ptr<Notifier::Connection>> Notifier::snapshot() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<Connection>> out;
    out.reserve(connections_.size());
    for (const auto& [id, connection] : connections_)
        out.push_back(connection);
    return out;
}

std::vector<NOTIFICATION> Notifier::build(TableState& table, const std::vector<Change>& changes) {
    TableSource& source = table.source();
    std::vector<NOTIFICATION> out;
    bool tableChanged = false;
    PropTagArray columns;
    for (const auto& change : changes) {
        const auto event = source.eventFor(change);
        if (!event) continue;
        const auto [kind, key] = *event;
        NOTIFICATION n;
        n.ulEventType = fnevTableModified;
        n.tab.ulTableEvent = kind;
        if (kind == TABLE_CHANGED) {
            if (tableChanged) continue;
            tableChanged = true;
            out.push_back(std::move(n));
            continue;
        }
        n.tab.propIndex = SPropValue::binary(PR_INSTANCE_KEY, instanceKey(key));
        if (kind == TABLE_ROW_ADDED || kind == TABLE_ROW_MODIFIED) {
            if (columns.empty()) columns = table.columns();
            RowSet rows = source.rows({key}, columns);
            if (rows.empty()) continue;  // gone again before the transaction ended
            n.tab.row = std::move(rows.front());
            const auto prior = source.keyBefore(key);
            n.tab.propPrior = prior ? SPropValue::binary(PR_INSTANCE_KEY, instanceKey(*prior))
                                    : SPropValue{PROP_TAG(PT_NULL, 0), {}};
        }
        out.push_back(std::move(n));
    }
    return out;
}

void Notifier::post(const std::shared_ptr<Connection>& connection,
                    std::vector<NOTIFICATION> notifications) {
    if (!loop_ || notifications.empty()) return;
    // The batch does not keep its connection (nor, through it, the store) alive: once the
    // connection is gone the batch is dropped.
    loop_->post([weak = std::weak_ptr<Connection>(connection), batch = std::move(notifications)] {
        const auto connection = weak.lock();
        if (!connection || !connection->active) return;
        connection->sink->OnNotify(static_cast<ULONG>(batch.size()), batch.data());
    });
}

void Notifier::committed(const std::vector<Change>& changes) {
    if (changes.empty()) return;
    for (const auto& watcher : observers())
        if (watcher) watcher->committed(changes);
    for (const auto& connection : snapshot())
        post(connection, build(*connection->table, changes));
}

void Notifier::changedElsewhere() {
    for (const auto& watcher : observers())
        if (watcher) watcher->changedElsewhere();
    for (const auto& connection : snapshot()) {
        NOTIFICATION n;
        n.ulEventType = fnevTableModified;
        n.tab.ulTableEvent = TABLE_CHANGED;
        post(connection, {n});
    }
}

void Notifier::setObserver(std::shared_ptr<ChangeObserver> observer, ObserverSlot slot) {
    std::shared_ptr<ChangeObserver> replaced;
    {
        std::lock_guard lock(mutex_);
        replaced = std::exchange(observers_[static_cast<std::size_t>(slot)], std::move(observer));
    }
    if (replaced) replaced->detach();
}

std::shared_ptr<ChangeObserver> Notifier::observer(ObserverSlot slot) const {
    std::lock_guard lock(mutex_);
    return observers_[static_cast<std::size_t>(slot)];
}

std::array<std::shared_ptr<ChangeObserver>, kObserverSlots> Notifier::observers() const {
    std::lock_guard lock(mutex_);
    return observers_;
}

void Notifier::clearObservers() {
    std::array<std::shared_ptr<ChangeObserver>, kObserverSlots> replaced;
    {
        std::lock_guard lock(mutex_);
        replaced.swap(observers_);
    }
    for (const auto& observer : replaced)
        if (observer) observer->detach();
}

}  // namespace outlook::local
