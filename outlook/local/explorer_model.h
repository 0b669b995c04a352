#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outlook/automation.h"
#include "outlook/local/explorer_contents.h"
#include "outlook/local/item_details.h"
#include "outlook/local/item_trash.h"
#include "outlook/mapi.h"

namespace outlook::local {

class LocalOutlook;
class Store;

// What the explorer window shows, without the window: the folders, the rows of the folder
// shown, an item's details, and opening items and attachments.
//
// The folder shown is watched through the messaging interface: its contents table is
// advised, and every notification (a row added, changed or removed here, or TABLE_CHANGED
// for another process's change) reads the rows again and tells the listener. Notifications
// arrive through the store's event loop, on the thread that showed the folder.
class ExplorerModel {
public:
    struct Folder {
        FolderKind kind;
        std::string name;
    };

    // `outlook` must outlive the model.
    explicit ExplorerModel(LocalOutlook& outlook);
    ~ExplorerModel();
    ExplorerModel(const ExplorerModel&) = delete;
    ExplorerModel& operator=(const ExplorerModel&) = delete;

    // Opens the store and logs on, once; false, with the reason in error(), when it cannot.
    bool open();
    const std::string& error() const { return error_; }

    // The folders the explorer lists, with their names in this store.
    std::vector<Folder> folders() const;
    // Shows a folder and watches it; false when the store cannot be read.
    bool showFolder(FolderKind kind);
    // Shows the folder with this entry id (hex), as Folder.Display passes it.
    bool showFolder(const std::string& entryId);
    std::optional<FolderKind> currentFolder() const { return current_; }
    // The shown folder as an object-model Folder; null when none is shown.
    DispatchPtr folderObject() const;

    const FolderLayout& layout() const { return layout_; }
    const std::vector<ListRow>& rows() const { return rows_; }
    // The Calendar's appointments, for the agenda; empty for other folders.
    const std::vector<AgendaEntry>& appointments() const { return appointments_; }
    // Called whenever the rows were read again because the folder changed.
    void setRowsChanged(std::function<void()> listener) { rowsChanged_ = std::move(listener); }
    // Reads the rows again now.
    void refresh();

    // The item with this entry id, or null when the store no longer has it.
    DispatchPtr item(const std::string& entryId);
    std::optional<ItemDetails> details(const std::string& entryId);
    // Shows the item in its form (Item.Display); false when it is gone.
    bool display(const std::string& entryId);
    // Opens attachment `index` (from 0) of the item; attached files are saved into a folder
    // of this model's own under the system's temporary folder, removed with the model.
    AttachmentOpening openAttachment(const std::string& entryId, std::size_t index);

    // Deleting and restoring items, with the undo of the last delete; null until the store
    // is open. The rows follow through the folder's notifications.
    ItemTrash* trash() { return trash_.get(); }

private:
    class Sink;

    void watch(std::int64_t folderId);
    void unwatch();
    void readRows();
    const std::filesystem::path& saveFolder();

    LocalOutlook& outlook_;
    std::shared_ptr<Store> store_;
    std::string error_;
    bool initialized_ = false;
    mapi::ComPtr<mapi::IMAPISession> session_;
    mapi::ComPtr<mapi::IMsgStore> msgStore_;
    mapi::ComPtr<mapi::IMAPITable> table_;
    mapi::ComPtr<Sink> sink_;
    mapi::ULONG_PTR connection_ = 0;
    DispatchPtr nameSpace_;
    std::unique_ptr<ItemTrash> trash_;

    std::optional<FolderKind> current_;
    FolderLayout layout_;
    std::vector<ListRow> rows_;
    std::vector<AgendaEntry> appointments_;
    std::function<void()> rowsChanged_;
    std::filesystem::path saveFolder_;
};

}  // namespace outlook::local
