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

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QStackedWidget;
class QStandardItemModel;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace outlook::local {

// The explorer's main window: the folders on the left, the shown folder's items in a
// sortable table (or, for the Calendar, an agenda by day or week; an empty folder says how to
// fill it instead), and the selected item's properties, recipients and attachments below.
// Everything it shows comes from the model; it follows the store because the model tells it when
// the folder changed.
class ExplorerMainWindow : public QMainWindow {
public:
    ExplorerMainWindow(ExplorerModel& model, WindowSizes& sizes);
    ~ExplorerMainWindow() override;

    // Shows `folder` in the list and its items; false (with the reason in the status bar)
    // when the store cannot be read.
    bool showFolder(FolderKind folder);
    bool showFolder(const std::string& entryId);
    // The entry id of the selected item, or "".
    std::string selectedEntryId() const;
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

    ExplorerModel& model_;
    WindowSizes& sizes_;
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
    // `outlook` and `sizes` must outlive this object.
    QtExplorerWindow(LocalOutlook& outlook, WindowSizes& sizes);
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
    std::unique_ptr<ExplorerMainWindow> window_;
};

}  // namespace outlook::local
