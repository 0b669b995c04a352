#include "outlook/session/folder_watch.h"

namespace outlook {

class TFolderWatch::Sink : public mapi::ComObject<mapi::IMAPIAdviseSink> {
public:
    explicit Sink(TFolderWatch* watch) : watch_(watch) {}

    mapi::ULONG OnNotify(mapi::ULONG count, const mapi::NOTIFICATION*) override {
        // The watcher may drop the watch while it hears of the change.
        if (watch_ && count > 0) {
            const std::function<void()> changed = watch_->changed_;
            changed();
        }
        return 0;
    }
    void Detach() { watch_ = nullptr; }

private:
    TFolderWatch* watch_;
};

TFolderWatch::TFolderWatch(mapi::ComPtr<mapi::IMAPITable> table, std::function<void()> changed)
    : table_(std::move(table)), changed_(std::move(changed)) {}

TFolderWatch::~TFolderWatch() {
    if (sink_) sink_->Detach();
    if (connection_ != 0 && table_) table_->Unadvise(connection_);
}

mapi::HRESULT TFolderWatch::Start(mapi::Subsystem& mapi) {
    sink_ = mapi::makeCom<Sink>(this);
    mapi::HRESULT result = mapi.HrThisThreadAdviseSink(sink_.get(), wrapped_);
    if (mapi::Failed(result)) return result;
    return table_->Advise(mapi::fnevTableModified, wrapped_.get(), connection_);
}

}  // namespace outlook
