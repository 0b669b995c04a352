#include "outlook/local/mapi/local_table.h"

#include <algorithm>

#include "outlook/local/store/store.h"

namespace outlook::local {

using namespace mapi;

LocalTable::LocalTable(std::shared_ptr<Store> store, std::shared_ptr<TableSource> source)
    : store_(std::move(store)), state_(std::make_shared<TableState>(std::move(source))) {}

LocalTable::~LocalTable() {
    for (ULONG_PTR connection : connections_)
        store_->notifier().unadvise(connection);
}

HRESULT LocalTable::Advise(ULONG eventMask, IMAPIAdviseSink* sink, ULONG_PTR& connection) {
    if (!sink || (eventMask & fnevTableModified) == 0) return MAPI_E_INVALID_PARAMETER;
    return guardedCall([&] {
        connection = store_->notifier().advise(state_, ComPtr<IMAPIAdviseSink>::share(sink));
        connections_.push_back(connection);
        return S_OK;
    });
}

HRESULT LocalTable::Unadvise(ULONG_PTR connection) {
    const auto it = std::find(connections_.begin(), connections_.end(), connection);
    if (it == connections_.end()) return MAPI_E_NOT_FOUND;
    connections_.erase(it);
    store_->notifier().unadvise(connection);
    return S_OK;
}

HRESULT LocalTable::SetColumns(const PropTagArray& columns, ULONG) {
    return guardedCall([&] {
        state_->setColumns(columns);
        return S_OK;
    });
}

HRESULT LocalTable::GetRowCount(ULONG, ULONG& count) {
    return guardedCall([&] {
        count = state_->source().rowCount();
        return S_OK;
    });
}

HRESULT LocalTable::SeekRowBeginning() {
    position_.reset();
    return S_OK;
}

HRESULT LocalTable::QueryRows(std::int32_t rowCount, ULONG, RowSet& rows) {
    rows.clear();
    if (rowCount < 0) return MAPI_E_INVALID_PARAMETER;
    if (rowCount == 0) return S_OK;
    return guardedCall([&] {
        std::lock_guard lock(store_->mutex());
        const auto keys = state_->source().keysAfter(position_, static_cast<std::size_t>(rowCount));
        rows = state_->source().rows(keys, state_->columns());
        if (!keys.empty()) position_ = keys.back();
        return S_OK;
    });
}

}  // namespace outlook::local
