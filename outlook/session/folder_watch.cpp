#include "outlook/session/folder_watch.h"

namespace outlook {

class TFolderWatch::Sink : public mapi::IMAPIAdviseSink, private mapi::RefCounted {
public:
    explicit Sink(TFolderWatch* watch) : watch_(watch) {}

    mapi::HRESULT QueryInterface(const mapi::GUID& iid, void** object) override {
        if (!object) return mapi::MAPI_E_INVALID_PARAMETER;
        if (iid == mapi::IID_IMAPIAdviseSink || iid == mapi::IID_IUnknown) {
            AddRef();
            *object = static_cast<mapi::IMAPIAdviseSink*>(this);
            return mapi::S_OK;
        }
        *object = nullptr;
        return mapi::E_NOINTERFACE;
    }
    mapi::ULONG AddRef() override { return addRef(); }
    mapi::ULONG Release() override {
        const mapi::ULONG count = release();
        if (count == 0) delete this;
        return count;
    }
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
    sink_ = mapi::ComPtr<Sink>::adopt(new Sink(this));
    mapi::HRESULT result = mapi.HrThisThreadAdviseSink(sink_.get(), wrapped_);
    if (mapi::Failed(result)) return result;
    return table_->Advise(mapi::fnevTableModified, wrapped_.get(), connection_);
}

}  // namespace outlook
