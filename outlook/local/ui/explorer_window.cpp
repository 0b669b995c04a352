#include "outlook/local/ui/explorer_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <limits>

#include "outlook/local/local_outlook.h"
#include "outlook/local/trash_actions.h"
#include "outlook/local/ui/store_presentation.h"
#include "platform/ui/qt_message_boxes.h"

namespace outlook::local {

using namespace std::chrono;

namespace {

constexpr const char* kExplorerSize = "Explorer";
constexpr int kSortRole = Qt::UserRole;
constexpr int kEntryIdRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole;
// The pages of the item area.
constexpr int kListPage = 0;
constexpr int kAgendaPage = 1;
constexpr int kHintPage = 2;

local_days toLocalDays(QDate date) {
    return local_days(year{date.year()} / static_cast<unsigned>(date.month()) /
                      static_cast<unsigned>(date.day()));
}

QDate toDate(local_days day) {
    return toDateTime(local_seconds(day)).date();
}

QFont scaled(QFont font, double factor, bool bold) {
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

// Rows with a little air above and below their text, so that lists read easily.
class RoomyRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }
};

QTreeWidget* makeList(const QStringList& headers, const char* name, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setItemDelegate(new RoomyRows(list));
    list->setObjectName(name);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

QLabel* sectionTitle(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(scaled(label->font(), 1.0, true));
    return label;
}

// A width that holds about `characters` characters of the widget's font.
int textWidth(const QWidget& widget, int characters) {
    return widget.fontMetrics().averageCharWidth() * characters;
}

QString sizeText(std::int64_t bytes) {
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

}  // namespace

ExplorerMainWindow::ExplorerMainWindow(ExplorerModel& model, WindowSizes& sizes,
                                       platform::MessageBoxes& boxes)
    : model_(model), sizes_(sizes), boxes_(boxes) {
    setObjectName("Explorer");
    setWindowTitle(tr("Jotwise Store"));
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    folders_ = new QListWidget(this);
    folders_->setObjectName("lstFolders");
    folders_->setIconSize(QSize(20, 20));
    folders_->setSpacing(1);
    for (const auto& folder : model_.folders()) {
        auto* entry = new QListWidgetItem(folderIcon(folder.kind), qt(folder.name), folders_);
        entry->setData(kFolderRole, static_cast<int>(folder.kind));
    }
    int widestName = 0;
    for (int row = 0; row < folders_->count(); ++row)
        widestName = std::max(
            widestName, folders_->fontMetrics().horizontalAdvance(folders_->item(row)->text()));
    // The icon, the gap beside it, the frame and a scroll bar's room.
    folders_->setMinimumWidth(widestName + folders_->iconSize().width() + 40);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(folders_);
    split->addWidget(makeContents());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({folders_->minimumWidth() + 20, textWidth(*this, 130)});
    split->setChildrenCollapsible(false);
    setCentralWidget(split);
    statusBar()->setObjectName("statusBar");

    connect(folders_, &QListWidget::currentRowChanged, this, [this] { folderChosen(); });
    folders_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(folders_, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showFoldersMenu(at); });
    addToolBar(makeToolBar());
    model_.setRowsChanged([this] { showRows(); });
    // The window has no menu bar; Ctrl+W closes it as it closes other desktop windows.
    auto* closeWindow = new QAction(tr("Close"), this);
    closeWindow->setShortcut(QKeySequence::Close);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    setView(View::List);
    restoreSize(*this, sizes_, kExplorerSize, QSize(1000, 660));
}

ExplorerMainWindow::~ExplorerMainWindow() {
    model_.setRowsChanged(nullptr);
}

QWidget* ExplorerMainWindow::makeContents() {
    auto* contents = new QWidget(this);
    folderTitle_ = new QLabel(contents);
    folderTitle_->setObjectName("lblFolder");
    folderTitle_->setFont(scaled(folderTitle_->font(), 1.35, true));

    range_ = new QLabel(contents);
    range_->setObjectName("lblRange");
    const auto tool = [contents](const QString& text, const char* name, const QString& tip) {
        auto* button = new QToolButton(contents);
        button->setText(text);
        button->setObjectName(name);
        button->setToolTip(tip);
        button->setAutoRaise(true);
        return button;
    };
    previous_ = tool(QStringLiteral("\u25C0"), "btnPrevious", tr("Earlier"));
    today_ = tool(tr("Today"), "btnToday", tr("Back to today"));
    next_ = tool(QStringLiteral("\u25B6"), "btnNext", tr("Later"));
    view_ = new QComboBox(contents);
    view_->setObjectName("cbView");
    view_->addItems({tr("List"), tr("Day"), tr("Week")});
    view_->setToolTip(tr("Show the calendar as a list, or as the appointments of a day or week"));
    // The heading keeps its height when the switch is hidden for other folders.
    QSizePolicy keepPlace = view_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    view_->setSizePolicy(keepPlace);

    auto* header = new QHBoxLayout;
    header->addWidget(folderTitle_);
    header->addStretch(1);
    header->addWidget(range_);
    header->addSpacing(8);
    header->addWidget(previous_);
    header->addWidget(today_);
    header->addWidget(next_);
    header->addSpacing(8);
    header->addWidget(view_);

    items_ = new QStandardItemModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(items_);
    sorted_->setSortRole(kSortRole);
    sorted_->setSortCaseSensitivity(Qt::CaseInsensitive);
    sorted_->setSortLocaleAware(true);
    sorted_->setDynamicSortFilter(true);

    table_ = new QTableView(contents);
    table_->setObjectName("tblItems");
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(table_, &QTableView::doubleClicked, this, [this] { itemActivated(); });
    connect(table_, &QTableView::activated, this, [this] { itemActivated(); });
    // The list has the keyboard when the window opens: Enter opens the selected item.
    table_->setFocus();
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showDetails(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { enableTrashActions(); });

    agenda_ = makeList({tr("Time"), tr("Subject"), tr("Categories")}, "treeAgenda", contents);
    agenda_->setRootIsDecorated(true);
    agenda_->setAlternatingRowColors(false);
    agenda_->header()->setSectionResizeMode(QHeaderView::Interactive);
    agenda_->setColumnWidth(0, textWidth(*agenda_, 32));
    agenda_->setColumnWidth(1, textWidth(*agenda_, 55));
    connect(agenda_, &QTreeWidget::itemActivated, this, [this] { itemActivated(); });
    connect(agenda_, &QTreeWidget::currentItemChanged, this, [this] { showDetails(); });
    agenda_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(agenda_, &QTreeWidget::itemSelectionChanged, this, [this] { enableTrashActions(); });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(table_), static_cast<QAbstractItemView*>(agenda_)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { showItemsMenu(view->viewport(), at); });
    }

    pages_ = new QStackedWidget(contents);
    pages_->insertWidget(kListPage, table_);
    pages_->insertWidget(kAgendaPage, agenda_);
    pages_->insertWidget(kHintPage, makeEmptyHint(contents));

    auto* top = new QWidget(contents);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addLayout(header);
    topLayout->addWidget(pages_, 1);

    auto* split = new QSplitter(Qt::Vertical, contents);
    split->addWidget(top);
    split->addWidget(makeDetails());
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({370, 280});
    split->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(split);

    connect(view_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setView(static_cast<View>(index)); });
    connect(previous_, &QToolButton::clicked, this, [this] { moveAgenda(-1); });
    connect(next_, &QToolButton::clicked, this, [this] { moveAgenda(1); });
    connect(today_, &QToolButton::clicked, this, [this] { moveAgenda(0); });
    return contents;
}

// Where an empty folder's list would be: a framed, list-coloured area with the folder's hint
// in the middle, wrapped to a width that reads easily.
QWidget* ExplorerMainWindow::makeEmptyHint(QWidget* parent) {
    auto* area = new QFrame(parent);
    area->setObjectName("frmEmptyFolder");
    area->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    area->setBackgroundRole(QPalette::Base);
    area->setAutoFillBackground(true);
    emptyHint_ = new QLabel(area);
    emptyHint_->setObjectName("lblEmptyFolder");
    emptyHint_->setWordWrap(true);
    emptyHint_->setAlignment(Qt::AlignCenter);
    emptyHint_->setForegroundRole(QPalette::Text);
    emptyHint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    emptyHint_->setFont(scaled(emptyHint_->font(), 1.1, false));
    emptyHint_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // The middle three fifths of the width: lines short enough to read, and a layout that
    // gives the wrapped text the height it needs.
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    line->addWidget(emptyHint_, 3);
    line->addStretch(1);
    auto* layout = new QVBoxLayout(area);
    layout->addStretch(1);
    layout->addLayout(line);
    layout->addStretch(2);
    return area;
}

QWidget* ExplorerMainWindow::makeDetails() {
    auto* details = new QWidget(this);
    itemTitle_ = new QLabel(details);
    itemTitle_->setObjectName("lblItemTitle");
    itemTitle_->setFont(scaled(itemTitle_->font(), 1.15, true));
    itemTitle_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    itemKind_ = new QLabel(details);
    itemKind_->setObjectName("lblItemKind");
    itemKind_->setEnabled(false);

    properties_ = makeList({tr("Property"), tr("Value")}, "treeProperties", details);
    properties_->setAlternatingRowColors(false);
    properties_->setSelectionMode(QAbstractItemView::NoSelection);
    properties_->setFocusPolicy(Qt::NoFocus);
    body_ = new QPlainTextEdit(details);
    body_->setObjectName("memoBody");
    body_->setReadOnly(true);
    body_->setPlaceholderText(tr("No text"));

    recipientsTitle_ = sectionTitle(tr("Recipients"), details);
    recipients_ = makeList({tr("Type"), tr("Name"), tr("Address")}, "treeRecipients", details);
    attachmentsTitle_ = sectionTitle(tr("Attachments"), details);
    attachments_ = makeList({tr("Name"), tr("Kind"), tr("Size")}, "treeAttachments", details);
    attachments_->setToolTip(tr("Double-click an attachment to open it"));
    connect(attachments_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { attachmentActivated(item); });

    // The properties down the left; the text, recipients and attachments beside them.
    auto* right = new QWidget(details);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(body_, 1);
    rightLayout->addWidget(recipientsTitle_);
    rightLayout->addWidget(recipients_, 1);
    rightLayout->addWidget(attachmentsTitle_);
    rightLayout->addWidget(attachments_, 1);

    auto* split = new QSplitter(Qt::Horizontal, details);
    split->addWidget(properties_);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);

    auto* heading = new QHBoxLayout;
    heading->addWidget(itemTitle_);
    heading->addSpacing(8);
    heading->addWidget(itemKind_);
    heading->addStretch(1);
    auto* layout = new QVBoxLayout(details);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addLayout(heading);
    layout->addWidget(split, 1);
    clearDetails();
    return details;
}

bool ExplorerMainWindow::showFolder(FolderKind folder) {
    for (int row = 0; row < folders_->count(); ++row) {
        if (folders_->item(row)->data(kFolderRole).toInt() != static_cast<int>(folder)) continue;
        if (folders_->currentRow() == row && model_.currentFolder() == folder) {
            model_.refresh();
            showRows();
        } else {
            folders_->setCurrentRow(row);
        }
        return model_.error().empty();
    }
    return false;
}

bool ExplorerMainWindow::showFolder(const std::string& entryId) {
    if (!model_.showFolder(entryId)) {
        showStatus();
        return false;
    }
    return showFolder(*model_.currentFolder());
}

void ExplorerMainWindow::folderChosen() {
    QListWidgetItem* chosen = folders_->currentItem();
    if (!chosen) return;
    const auto kind = static_cast<FolderKind>(chosen->data(kFolderRole).toInt());
    model_.showFolder(kind);
    folderTitle_->setText(chosen->text());
    setWindowTitle(chosen->text() + " - " + tr("Jotwise Store"));
    const bool calendar = kind == FolderKind::Calendar;
    view_->setVisible(calendar);
    if (!calendar) setView(View::List);
    items_->setRowCount(0);
    items_->setColumnCount(0);
    showRows();
    const FolderLayout& layout = model_.layout();
    table_->sortByColumn(static_cast<int>(layout.sortColumn),
                         layout.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (sorted_->rowCount() > 0)
        table_->selectionModel()->setCurrentIndex(
            sorted_->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (calendar && view_->currentIndex() != 0) showAgenda();
}

void ExplorerMainWindow::showRows() {
    const std::string selected = selectedEntryId();
    const FolderLayout& layout = model_.layout();
    QStringList headers;
    for (const auto& column : layout.columns)
        headers << qt(column.title);
    // Keeping the columns keeps the user's sort while the rows are read again.
    items_->setRowCount(0);
    items_->setColumnCount(static_cast<int>(headers.size()));
    items_->setHorizontalHeaderLabels(headers);
    for (const ListRow& row : model_.rows()) {
        QList<QStandardItem*> cells;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const DisplayValue& value = row.cells[i];
            auto* cell = new QStandardItem(displayText(value));
            cell->setEditable(false);
            // A text cut short by its column (an Outbox item's reason) reads whole on hover.
            if (!value.time) cell->setToolTip(cell->text());
            if (i < layout.columns.size() && layout.columns[i].time)
                cell->setData(value.time ? qlonglong(value.time->time_since_epoch().count())
                                         : std::numeric_limits<qlonglong>::min(),
                              kSortRole);
            else
                cell->setData(cell->text(), kSortRole);
            if (i == 0) {
                cell->setData(qt(row.entryId), kEntryIdRole);
                cell->setToolTip(cell->text());
            }
            cells << cell;
        }
        items_->appendRow(cells);
    }
    for (int column = 0; column + 1 < items_->columnCount(); ++column) {
        table_->resizeColumnToContents(column);
        const int width = table_->horizontalHeader()->sectionSize(column) + 24;
        table_->horizontalHeader()->resizeSection(
            column, std::clamp(width, textWidth(*table_, 16), textWidth(*table_, 48)));
    }
    // Reading the rows again cleared the selection; the same item is selected again.
    if (!selected.empty() && !selectItem(selected)) clearDetails();
    showListOrHint();
    showAgenda();
    showStatus();
}

void ExplorerMainWindow::showListOrHint() {
    if (pages_->currentIndex() == kAgendaPage) return;
    const auto folder = model_.currentFolder();
    // A folder that could not be read is not empty: the status bar says why.
    const bool empty = folder && model_.rows().empty() && model_.error().empty();
    if (empty) emptyHint_->setText(qt(emptyFolderHint(*folder)));
    pages_->setCurrentIndex(empty ? kHintPage : kListPage);
}

std::string ExplorerMainWindow::selectedEntryId() const {
    if (pages_->currentIndex() == kAgendaPage) {
        const QTreeWidgetItem* current = agenda_->currentItem();
        return current ? current->data(0, kEntryIdRole).toString().toStdString() : std::string();
    }
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return {};
    return sorted_->index(current.row(), 0).data(kEntryIdRole).toString().toStdString();
}

std::vector<std::string> ExplorerMainWindow::selectedEntryIds() const {
    std::vector<std::string> ids;
    if (pages_->currentIndex() == kAgendaPage) {
        for (const QTreeWidgetItem* item : agenda_->selectedItems()) {
            const QString id = item->data(0, kEntryIdRole).toString();
            if (!id.isEmpty()) ids.push_back(id.toStdString());
        }
        return ids;
    }
    if (pages_->currentIndex() != kListPage) return ids;
    for (const QModelIndex& row : table_->selectionModel()->selectedRows(0))
        ids.push_back(row.data(kEntryIdRole).toString().toStdString());
    return ids;
}

bool ExplorerMainWindow::selectItem(const std::string& entryId) {
    if (pages_->currentIndex() == kAgendaPage) {
        for (QTreeWidgetItemIterator it(agenda_); *it; ++it) {
            if ((*it)->data(0, kEntryIdRole).toString().toStdString() != entryId) continue;
            agenda_->setCurrentItem(*it);
            return true;
        }
        return false;
    }
    for (int row = 0; row < sorted_->rowCount(); ++row) {
        if (sorted_->index(row, 0).data(kEntryIdRole).toString().toStdString() != entryId) continue;
        // Not selectRow: with several rows selectable, that follows the modifier keys held.
        table_->selectionModel()->setCurrentIndex(
            sorted_->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        table_->scrollTo(sorted_->index(row, 0));
        return true;
    }
    return false;
}

void ExplorerMainWindow::setView(View view) {
    if (view_->currentIndex() != static_cast<int>(view)) {
        view_->setCurrentIndex(static_cast<int>(view));
        return;  // the combo box's signal comes back here
    }
    const bool agenda = view != View::List;
    for (QWidget* widget : {static_cast<QWidget*>(previous_), static_cast<QWidget*>(today_),
                            static_cast<QWidget*>(next_), static_cast<QWidget*>(range_)})
        widget->setVisible(agenda);
    pages_->setCurrentIndex(agenda ? kAgendaPage : kListPage);
    showListOrHint();
    if (agenda) {
        if (!agendaFrom_.isValid())
            moveAgenda(0);
        else
            showAgendaFrom(agendaFrom_);
    } else {
        showDetails();
    }
}

void ExplorerMainWindow::moveAgenda(int direction) {
    const bool week = view_->currentIndex() == static_cast<int>(View::Week);
    if (direction == 0) {
        QDate day = QDate::currentDate();
        if (week) {
            const int first = static_cast<int>(QLocale().firstDayOfWeek());
            day = day.addDays(-((day.dayOfWeek() - first + 7) % 7));
        }
        showAgendaFrom(day);
        return;
    }
    showAgendaFrom(agendaFrom_.addDays(direction * (week ? 7 : 1)));
}

void ExplorerMainWindow::showAgendaFrom(QDate day) {
    agendaFrom_ = day;
    showAgenda();
}

void ExplorerMainWindow::showAgenda() {
    if (pages_->currentIndex() != kAgendaPage || !agendaFrom_.isValid()) return;
    const std::string selected = selectedEntryId();
    const bool week = view_->currentIndex() == static_cast<int>(View::Week);
    const int count = week ? 7 : 1;
    const QLocale locale;
    range_->setText(week ? locale.toString(agendaFrom_, QLocale::ShortFormat) + " \u2013 " +
                               locale.toString(agendaFrom_.addDays(6), QLocale::ShortFormat)
                         : locale.toString(agendaFrom_, QLocale::LongFormat));

    agenda_->clear();
    const QDate today = QDate::currentDate();
    for (const AgendaDay& day :
         buildAgenda(model_.appointments(), toLocalDays(agendaFrom_), count)) {
        const QDate date = toDate(day.day);
        auto* heading = new QTreeWidgetItem(agenda_, {locale.toString(date, QLocale::LongFormat)});
        heading->setFirstColumnSpanned(true);
        heading->setFlags(Qt::ItemIsEnabled);
        QFont font = heading->font(0);
        font.setBold(true);
        heading->setFont(0, font);
        if (date == today) heading->setText(0, heading->text(0) + "  \u2022  " + tr("Today"));
        for (const AgendaEntry& entry : day.entries) {
            const QString from = timeText(toDateTime(entry.start).time());
            const QString to = timeText(toDateTime(entry.end).time());
            QString when;
            if (entry.allDay || (entry.fromEarlierDay && entry.intoLaterDay))
                when = tr("All day");
            else if (entry.fromEarlierDay)
                when = tr("until %1").arg(to);
            else if (entry.intoLaterDay)
                when = tr("from %1").arg(from);
            else if (entry.start == entry.end)
                when = from;
            else
                when = from + " \u2013 " + to;
            auto* line =
                new QTreeWidgetItem(heading, {when, qt(entry.subject), qt(entry.categories)});
            line->setData(0, kEntryIdRole, qt(entry.entryId));
            if (!entry.repeats.empty()) {
                line->setIcon(1, repeatIcon());
                line->setToolTip(1, tr("Repeats %1").arg(qt(entry.repeats)));
            }
        }
        if (day.entries.empty()) {
            auto* none = new QTreeWidgetItem(heading, {tr("No appointments")});
            none->setFirstColumnSpanned(true);
            none->setFlags(Qt::NoItemFlags);
        }
    }
    agenda_->expandAll();
    if (selected.empty() || !selectItem(selected)) clearDetails();
}

void ExplorerMainWindow::clearDetails() {
    detailsOf_.clear();
    itemTitle_->setText(tr("No item selected"));
    itemKind_->clear();
    properties_->clear();
    body_->clear();
    recipients_->clear();
    attachments_->clear();
    recipientsTitle_->setText(tr("Recipients"));
    attachmentsTitle_->setText(tr("Attachments"));
}

void ExplorerMainWindow::showDetails() {
    enableTrashActions();
    const std::string entryId = selectedEntryId();
    const auto details = entryId.empty() ? std::nullopt : model_.details(entryId);
    if (!details) return clearDetails();
    detailsOf_ = entryId;
    itemTitle_->setText(details->title.empty() ? tr("Untitled") : qt(details->title));
    itemKind_->setText(qt(details->kind));
    properties_->clear();
    for (const auto& line : details->properties)
        new QTreeWidgetItem(properties_, {qt(line.label), displayText(line.value)});
    body_->setPlainText(qt(details->body));
    recipients_->clear();
    for (const auto& r : details->recipients) {
        auto* line = new QTreeWidgetItem(recipients_, {qt(r.type), qt(r.name), qt(r.address)});
        if (!r.resolved) line->setToolTip(1, tr("Not found in the address book"));
    }
    attachments_->clear();
    for (const auto& a : details->attachments) {
        auto* line = new QTreeWidgetItem(
            attachments_, {qt(a.name), qt(a.kind), a.size > 0 ? sizeText(a.size) : QString()});
        if (!a.source.empty()) line->setToolTip(0, qt(a.source));
    }
    recipientsTitle_->setVisible(details->addressed);
    recipients_->setVisible(details->addressed);
    recipientsTitle_->setText(tr("Recipients (%1)").arg(details->recipients.size()));
    attachmentsTitle_->setText(tr("Attachments (%1)").arg(details->attachments.size()));
}

void ExplorerMainWindow::itemActivated() {
    const std::string entryId = selectedEntryId();
    if (entryId.empty()) return;
    try {
        if (!model_.display(entryId)) message_ = "The item is no longer in the store.";
    } catch (const AutomationError& e) {
        message_ = e.what();
    }
    showStatus();
}

void ExplorerMainWindow::attachmentActivated(QTreeWidgetItem* item) {
    const int index = attachments_->indexOfTopLevelItem(item);
    if (index < 0 || detailsOf_.empty()) return;
    const AttachmentOpening opening =
        model_.openAttachment(detailsOf_, static_cast<std::size_t>(index));
    message_ = opening.message;
    if (opening.action == AttachmentOpening::Action::OpenFile &&
        !openUrl(QUrl::fromLocalFile(QString::fromStdString(opening.file.string()))))
        message_ = "No program is set up to open " + opening.file.filename().string() + ".";
    showStatus();
}

QToolBar* ExplorerMainWindow::makeToolBar() {
    auto* bar = new QToolBar(tr("Items"), this);
    bar->setObjectName("tbrItems");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto action = [this](const QString& text, const char* name, QStyle::StandardPixmap icon,
                               const QString& tip) {
        auto* made = new QAction(style()->standardIcon(icon), text, this);
        made->setObjectName(name);
        made->setToolTip(tip);
        return made;
    };
    delete_ = action(tr("Delete"), "actDelete", QStyle::SP_TrashIcon,
                     tr("Move the selected items to Deleted Items (Delete)"));
    delete_->setShortcut(QKeySequence::Delete);
    undo_ = action(tr("Undo"), "actUndo", QStyle::SP_ArrowBack,
                   tr("Bring back what was deleted last (Ctrl+Z)"));
    undo_->setShortcut(QKeySequence::Undo);
    restore_ = action(tr("Restore"), "actRestore", QStyle::SP_BrowserReload,
                      tr("Move the selected items back to the folders they were deleted from"));
    empty_ =
        action(tr("Empty Deleted Items"), "actEmptyDeletedItems", QStyle::SP_DialogDiscardButton,
               tr("Delete everything in Deleted Items for good"));
    // Delete acts on the items: in the folder list or the item's text it is not theirs.
    delete_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    pages_->addAction(delete_);
    undo_->setShortcutContext(Qt::WindowShortcut);
    connect(delete_, &QAction::triggered, this, [this] { deleteSelected(); });
    connect(undo_, &QAction::triggered, this, [this] { undoDelete(); });
    connect(restore_, &QAction::triggered, this, [this] { restoreSelected(); });
    connect(empty_, &QAction::triggered, this, [this] { emptyDeletedItems(); });
    bar->addAction(delete_);
    bar->addAction(undo_);
    bar->addAction(restore_);
    bar->addAction(empty_);
    return bar;
}

void ExplorerMainWindow::enableTrashActions() {
    if (!delete_) return;
    const auto folder = model_.currentFolder();
    const bool inDeletedItems = folder && TrashActions::canRestore(*folder);
    const bool any = !selectedEntryIds().empty() && model_.trash();
    delete_->setEnabled(any);
    delete_->setToolTip(inDeletedItems ? tr("Delete the selected items for good (Delete)")
                                       : tr("Move the selected items to Deleted Items (Delete)"));
    restore_->setVisible(inDeletedItems);
    restore_->setEnabled(inDeletedItems && any);
    empty_->setVisible(inDeletedItems);
    empty_->setEnabled(inDeletedItems && !model_.rows().empty());
    undo_->setEnabled(model_.trash() && model_.trash()->canUndo());
}

void ExplorerMainWindow::showItemsMenu(QWidget* view, const QPoint& at) {
    if (selectedEntryIds().empty()) return;
    enableTrashActions();
    QMenu menu(this);
    menu.setObjectName("mnuItems");
    QAction* open = menu.addAction(tr("Open"));
    connect(open, &QAction::triggered, this, [this] { itemActivated(); });
    menu.addSeparator();
    if (restore_->isVisible()) menu.addAction(restore_);
    menu.addAction(delete_);
    menu.exec(view->mapToGlobal(at));
}

void ExplorerMainWindow::showFoldersMenu(const QPoint& at) {
    const QListWidgetItem* entry = folders_->itemAt(at);
    if (!entry || entry->data(kFolderRole).toInt() != static_cast<int>(FolderKind::DeletedItems) ||
        !model_.trash())
        return;
    QMenu menu(this);
    menu.setObjectName("mnuFolders");
    QAction* empty = menu.addAction(empty_->icon(), empty_->text());
    empty->setObjectName("actEmptyFromFolders");
    connect(empty, &QAction::triggered, this, [this] { emptyDeletedItems(); });
    menu.exec(folders_->viewport()->mapToGlobal(at));
}

void ExplorerMainWindow::deleteSelected() {
    const auto folder = model_.currentFolder();
    if (!folder || !model_.trash()) return;
    TrashActions actions(*model_.trash(), boxes_);
    trashDone(actions.remove(*folder, selectedEntryIds()));
}

void ExplorerMainWindow::restoreSelected() {
    if (!model_.trash()) return;
    TrashActions actions(*model_.trash(), boxes_);
    trashDone(actions.restore(selectedEntryIds()));
}

void ExplorerMainWindow::undoDelete() {
    if (!model_.trash()) return;
    TrashActions actions(*model_.trash(), boxes_);
    trashDone(actions.undo());
}

void ExplorerMainWindow::emptyDeletedItems() {
    if (!model_.trash() || !model_.open()) return;
    std::size_t count = model_.rows().size();
    if (model_.currentFolder() != FolderKind::DeletedItems) {
        // Asked from the folder list while another folder is shown: count what is there.
        showFolder(FolderKind::DeletedItems);
        count = model_.rows().size();
    }
    TrashActions actions(*model_.trash(), boxes_);
    trashDone(actions.emptyDeletedItems(count));
}

void ExplorerMainWindow::trashDone(const std::string& message) {
    if (message.empty()) return;  // the user said No
    const int row = table_->currentIndex().row();
    model_.refresh();
    message_ = message;
    showRows();
    // The row that took the place of the ones gone is selected, so Delete can go on.
    if (pages_->currentIndex() == kListPage && selectedEntryIds().empty() && row >= 0 &&
        sorted_->rowCount() > 0)
        table_->selectionModel()->setCurrentIndex(
            sorted_->index(std::min(row, sorted_->rowCount() - 1), 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ExplorerMainWindow::showStatus() {
    const std::size_t count = model_.rows().size();
    QString text = count == 1 ? tr("1 item") : tr("%1 items").arg(count);
    if (!model_.error().empty())
        text = qt(model_.error());
    else if (!message_.empty())
        text += "  \u2014  " + qt(message_);
    message_.clear();
    statusBar()->showMessage(text);
    enableTrashActions();
}

void ExplorerMainWindow::closeEvent(QCloseEvent* event) {
    keepSize(*this, sizes_, kExplorerSize);
    QMainWindow::closeEvent(event);
}

void ExplorerMainWindow::hideEvent(QHideEvent* event) {
    keepSize(*this, sizes_, kExplorerSize);
    QMainWindow::hideEvent(event);
}

QtExplorerWindow::QtExplorerWindow(LocalOutlook& outlook, WindowSizes& sizes,
                                   platform::MessageBoxes* boxes)
    : model_(outlook),
      sizes_(sizes),
      ownBoxes_(boxes ? nullptr : std::make_unique<platform::QtMessageBoxes>()),
      boxes_(boxes ? *boxes : *ownBoxes_) {}

QtExplorerWindow::~QtExplorerWindow() {
    window_.reset();  // before the model it listens to
}

ExplorerMainWindow& QtExplorerWindow::window() {
    if (!window_) {
        model_.open();
        window_ = std::make_unique<ExplorerMainWindow>(model_, sizes_, boxes_);
    }
    return *window_;
}

void QtExplorerWindow::showFolder(const DispatchPtr& folder) {
    ExplorerMainWindow& shown = window();
    if (folder) shown.showFolder(folder->get("EntryID").asString());
    shown.show();
    activate();
}

bool QtExplorerWindow::isOpen() const {
    return window_ && window_->isVisible();
}

DispatchPtr QtExplorerWindow::currentFolder() const {
    return isOpen() ? model_.folderObject() : nullptr;
}

void QtExplorerWindow::activate() {
    if (!window_) return;
    if (window_->isMinimized()) window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

void QtExplorerWindow::close() {
    if (window_) window_->close();
}

}  // namespace outlook::local
