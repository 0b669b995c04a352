#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "outlook/local/mapi/com_object.h"
#include "outlook/local/store/table_source.h"

namespace outlook::local {

class Store;

// A contents table over a table source. Rows are read from the store as they are asked
// for, so the table always shows the store's current rows; the position is the last row
// returned. Advise connections end when the table is released.
class LocalTable : public ComObject<mapi::IMAPITable> {
public:
    LocalTable(std::shared_ptr<Store> store, std::shared_ptr<TableSource> source);

    mapi::HRESULT Advise(mapi::ULONG eventMask, mapi::IMAPIAdviseSink* sink,
                         mapi::ULONG_PTR& connection) override;
    mapi::HRESULT Unadvise(mapi::ULONG_PTR connection) override;
    mapi::HRESULT SetColumns(const mapi::PropTagArray& columns, mapi::ULONG flags) override;
    mapi::HRESULT GetRowCount(mapi::ULONG flags, mapi::ULONG& count) override;
    mapi::HRESULT SeekRowBeginning() override;
    mapi::HRESULT QueryRows(std::int32_t rowCount, mapi::ULONG flags, mapi::RowSet& rows) override;

private:
    ~LocalTable() override;

    std::shared_ptr<Store> store_;
    std::shared_ptr<TableState> state_;
    std::optional<RowKey> position_;
    std::vector<mapi::ULONG_PTR> connections_;
};

}  // namespace outlook::local
