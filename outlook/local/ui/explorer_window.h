#pragma once

#include <QDate>
#include <QMainWindow>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

#include "outlook/local/explorer_model.h"
#include "outlook/local/explorer_window.h"
#include "outlook/local/window_sizes.h"
#include "platform/message_boxes.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QStackedWidget;
class QStandardItemModel;
class QTableView;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace outlook::local {

// The explorer's main window: the folders on the left, the shown folder's items in a
// sortable table (or, for the Calendar, an agenda by day or week; an empty folder says how to
// fill it instead), and the selected item's properties, recipients and attachments below.
// Everything it shows comes from the model; it follows the store because the model tells it when
// the folder changed. Delete (the key, the tool bar, the items' menu), Undo (Ctrl+Z), Restore
// and Empty Deleted Items (the folder's menu) are forwarded to TrashActions, whose questions
// `boxes` asks.
class ExplorerMainWindow : public QMainWindow {
public:
    ExplorerMainWindow(ExplorerModel& model, WindowSizes& sizes, platform::MessageBoxes& boxes);
    ~ExplorerMainWindow() override;

    // Shows `folder` in the list and its items; false (with the reason in the status bar)
    // when the store cannot be read.
    bool showFolder(FolderKind folder);
    bool showFolder(const std::string& entryId);
    // The entry id of the current item, or "".
    std::string selectedEntryId() const;
    // The entry ids of every selected item.
    std::vector<std::string> selectedEntryIds() const;
    bool selectItem(const std::string& entryId);

    enum class View { List, Day, Week };
    void setView(View view);
    // The first day the agenda shows (the week's first day in the week view).
    void showAgendaFrom(QDate day);

    // Opens files the way the desktop does; tests replace it.
    std::function<bool(const QUrl&)> openUrl;

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeContents();
    QWidget* makeEmptyHint(QWidget* parent);
    QWidget* makeDetails();
    void folderChosen();
    void showRows();
    void showListOrHint();
    void showAgenda();
    void showDetails();
    void clearDetails();
    void itemActivated();
    void attachmentActivated(QTreeWidgetItem* item);
    void moveAgenda(int direction);
    void showStatus();
    QToolBar* makeToolBar();
    void showItemsMenu(QWidget* view, const QPoint& at);
    void showFoldersMenu(const QPoint& at);
    void deleteSelected();
    void restoreSelected();
    void undoDelete();
    void emptyDeletedItems();
    // After a delete or restore: the rows as the store has them now, and what was done.
    void trashDone(const std::string& message);
    void enableTrashActions();

    ExplorerModel& model_;
    WindowSizes& sizes_;
    platform::MessageBoxes& boxes_;
    QAction* delete_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* restore_ = nullptr;
    QAction* empty_ = nullptr;
    QListWidget* folders_ = nullptr;
    QLabel* folderTitle_ = nullptr;
    QComboBox* view_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* today_ = nullptr;
    QToolButton* next_ = nullptr;
    QLabel* range_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTableView* table_ = nullptr;
    QStandardItemModel* items_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTreeWidget* agenda_ = nullptr;
    QLabel* emptyHint_ = nullptr;
    QLabel* itemTitle_ = nullptr;
    QLabel* itemKind_ = nullptr;
    QTreeWidget* properties_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    QTreeWidget* recipients_ = nullptr;
    QTreeWidget* attachments_ = nullptr;
    QLabel* recipientsTitle_ = nullptr;
    QLabel* attachmentsTitle_ = nullptr;
    QDate agendaFrom_;
    std::string detailsOf_;
    std::string message_;
};

// The store's explorer (Folder.Display, Application.ActiveExplorer) as a Qt window. The
// window is made when first shown and kept, hidden, when closed. Runs on the thread that
// owns the QApplication, which must be the thread of the store's event loop.
class QtExplorerWindow : public ExplorerWindow {
public:
    // `outlook`, `sizes` and `boxes` (when given) must outlive this object; without `boxes`
    // the window asks with Qt's message boxes.
    QtExplorerWindow(LocalOutlook& outlook, WindowSizes& sizes,
                     platform::MessageBoxes* boxes = nullptr);
    ~QtExplorerWindow() override;

    void showFolder(const DispatchPtr& folder) override;
    bool isOpen() const override;
    DispatchPtr currentFolder() const override;
    void activate() override;
    void close() override;

    // The window, made on first use.
    ExplorerMainWindow& window();
    ExplorerModel& model() { return model_; }

private:
    ExplorerModel model_;
    WindowSizes& sizes_;
    std::unique_ptr<platform::MessageBoxes> ownBoxes_;
    platform::MessageBoxes& boxes_;
    std::unique_ptr<ExplorerMainWindow> window_;
};

}  // namespace outlook::local
