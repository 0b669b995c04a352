#include "outlook/local/explorer_model.h"

#include <stdlib.h>

#include <system_error>

#include "outlook/local/local_outlook.h"
#include "outlook/local/mapi/com_object.h"
#include "outlook/local/store/store.h"

namespace outlook::local {

namespace fs = std::filesystem;
using namespace mapi;

// Passes the folder table's notifications on to the model while it is attached.
class ExplorerModel::Sink : public ComObject<IMAPIAdviseSink> {
public:
    explicit Sink(std::function<void()> changed) : changed_(std::move(changed)) {}
    ULONG OnNotify(ULONG, const NOTIFICATION*) override {
        // A copy: the call may detach this sink (the window shows another folder).
        const auto changed = changed_;
        if (changed) changed();
        return 0;
    }
    void detach() { changed_ = nullptr; }

private:
    std::function<void()> changed_;
};

ExplorerModel::ExplorerModel(LocalOutlook& outlook) : outlook_(outlook) {}

ExplorerModel::~ExplorerModel() {
    unwatch();
    trash_.reset();
    nameSpace_.reset();
    msgStore_.reset();
    if (session_) session_->Logoff(0, 0, 0);
    session_.reset();
    if (initialized_) outlook_.mapi().MAPIUninitialize();
    if (!saveFolder_.empty()) {
        std::error_code ignored;
        fs::remove_all(saveFolder_, ignored);
    }
}

bool ExplorerModel::open() {
    if (session_ && nameSpace_) return true;
    store_ = outlook_.store();
    if (!store_) {
        error_ = outlook_.lastError();
        return false;
    }
    if (!initialized_) {
        if (Failed(outlook_.mapi().MAPIInitialize())) {
            error_ = "The messaging interface cannot be started.";
            return false;
        }
        initialized_ = true;
    }
    if (Failed(outlook_.mapi().MAPILogonEx(0, nullptr, nullptr, 0, session_)) ||
        Failed(session_->OpenMsgStore(0, store_->storeEntryId(), nullptr, 0, msgStore_))) {
        session_.reset();
        error_ = "The store cannot be opened: " + outlook_.lastError();
        return false;
    }
    try {
        const DispatchPtr application = outlook_.automation().createObject("Outlook.Application");
        nameSpace_ = application->call("GetNamespace", {"MAPI"}).asObject();
        trash_ = std::make_unique<ItemTrash>(store_, nameSpace_);
    } catch (const AutomationError& e) {
        error_ = e.what();
        return false;
    }
    error_.clear();
    return true;
}

std::vector<ExplorerModel::Folder> ExplorerModel::folders() const {
    std::vector<Folder> list;
    for (FolderKind kind : explorerFolders()) {
        std::string name(folderKindInfo(kind).name);
        if (store_) name = store_->folder(kind).name;
        list.push_back({kind, std::move(name)});
    }
    return list;
}

bool ExplorerModel::showFolder(FolderKind kind) {
    if (!open()) return false;
    current_ = kind;
    layout_ = folderLayout(kind);
    watch(store_->folder(kind).id);
    readRows();
    return error_.empty();
}

bool ExplorerModel::showFolder(const std::string& entryId) {
    if (!open()) return false;
    const auto id = FBinFromHex(entryId);
    const auto ref = id ? store_->parse(*id) : std::nullopt;
    const FolderRecord* folder =
        ref && ref->kind == EntryKind::Folder ? store_->folderById(ref->row) : nullptr;
    if (!folder) {
        error_ = "The store has no folder with the entry id " + entryId + ".";
        return false;
    }
    return showFolder(folder->kind);
}

DispatchPtr ExplorerModel::folderObject() const {
    if (!current_ || !nameSpace_) return nullptr;
    const std::string entryId = HexFromBin(store_->folderEntryId(store_->folder(*current_).id));
    return nameSpace_->call("GetFolderFromID", {entryId}).asObject();
}

void ExplorerModel::watch(std::int64_t folderId) {
    unwatch();
    ULONG type = 0;
    ComPtr<IUnknown> object;
    if (Failed(msgStore_->OpenEntry(store_->folderEntryId(folderId), nullptr, 0, type, object)))
        return;
    const auto folder = ComCast<IMAPIFolder>(object);
    if (!folder || Failed(folder->GetContentsTable(0, table_))) return;
    sink_ = makeCom<Sink>([this] {
        refresh();
        if (rowsChanged_) rowsChanged_();
    });
    if (Failed(table_->Advise(fnevTableModified, sink_.get(), connection_))) connection_ = 0;
}

void ExplorerModel::unwatch() {
    if (table_ && connection_) table_->Unadvise(connection_);
    connection_ = 0;
    if (sink_) sink_->detach();
    sink_.reset();
    table_.reset();
}

void ExplorerModel::refresh() {
    if (current_ && store_) readRows();
}

void ExplorerModel::readRows() {
    rows_.clear();
    appointments_.clear();
    const FolderKind kind = *current_;
    try {
        const std::int64_t folder = store_->folder(kind).id;
        std::int64_t after = 0;
        for (;;) {
            const auto ids = store_->itemIdsAfter(folder, after, 256);
            if (ids.empty()) break;
            after = ids.back();
            if (folderShowsRecipients(kind)) {
                for (std::int64_t id : ids)
                    if (const auto record = store_->loadItem(id))
                        rows_.push_back(
                            listRow(kind, *store_, id, record->props, record->recipients));
                continue;
            }
            for (const auto& [id, props] : store_->loadProps(ids)) {
                rows_.push_back(listRow(kind, *store_, id, props, {}));
                if (kind == FolderKind::Calendar)
                    if (auto entry = agendaEntry(*store_, id, props))
                        appointments_.push_back(std::move(*entry));
            }
        }
        error_.clear();
    } catch (const std::exception& e) {
        rows_.clear();
        appointments_.clear();
        error_ = std::string("The folder cannot be read: ") + e.what();
    }
}

DispatchPtr ExplorerModel::item(const std::string& entryId) {
    if (!open()) return nullptr;
    try {
        return nameSpace_->call("GetItemFromID", {entryId}).asObject();
    } catch (const AutomationError&) {
        return nullptr;
    }
}

std::optional<ItemDetails> ExplorerModel::details(const std::string& entryId) {
    const DispatchPtr found = item(entryId);
    if (!found) return std::nullopt;
    try {
        return describeItem(*found);
    } catch (const AutomationError&) {
        return std::nullopt;
    }
}

bool ExplorerModel::display(const std::string& entryId) {
    const DispatchPtr found = item(entryId);
    if (!found) return false;
    found->call("Display");
    return true;
}

AttachmentOpening ExplorerModel::openAttachment(const std::string& entryId, std::size_t index) {
    const DispatchPtr found = item(entryId);
    if (!found) {
        AttachmentOpening gone;
        gone.message = "The item is no longer in the store.";
        return gone;
    }
    if (saveFolder().empty()) {
        AttachmentOpening failed;
        failed.message = "No temporary folder can be made to save the attachment in.";
        return failed;
    }
    try {
        return outlook::local::openAttachment(*found, index, *nameSpace_, saveFolder());
    } catch (const AutomationError& e) {
        AttachmentOpening failed;
        failed.message = e.what();
        return failed;
    }
}

const fs::path& ExplorerModel::saveFolder() {
    if (saveFolder_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "jotwise-attachments-XXXXXX").string();
        if (::mkdtemp(pattern.data())) saveFolder_ = pattern;
    }
    return saveFolder_;
}

}  // namespace outlook::local
