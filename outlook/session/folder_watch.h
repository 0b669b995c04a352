#pragma once

#include <functional>

#include "outlook/mapi.h"

namespace outlook {

// Hears of every committed change to one folder's contents, this program's or another
// process's (which the store reports as TABLE_CHANGED): each batch of table notifications
// calls `changed` once, on the thread that started the watch. Destroying the watch stops it;
// a notification still on its way is then dropped.
class TFolderWatch {
public:
    TFolderWatch(mapi::ComPtr<mapi::IMAPITable> table, std::function<void()> changed);
    ~TFolderWatch();
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;

    // Advises the table through `mapi` so that notifications arrive on this thread.
    mapi::HRESULT Start(mapi::Subsystem& mapi);

private:
    class Sink;

    mapi::ComPtr<mapi::IMAPITable> table_;
    std::function<void()> changed_;
    mapi::ComPtr<Sink> sink_;
    mapi::ComPtr<mapi::IMAPIAdviseSink> wrapped_;
    mapi::ULONG_PTR connection_ = 0;
};

}  // namespace outlook
