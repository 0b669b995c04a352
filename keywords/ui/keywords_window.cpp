#include "keywords/ui/keywords_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "messages/ui/logic_guard.h"

#include "keywords/keyword_kind.h"
#include "keywords/ui/keyword_edit_window.h"
#include "platform/ui/qt_text.h"

namespace keywords::ui {
namespace {

using messages::ui::guarded;

using platform::qt;

}  // namespace

KeywordsWindow::KeywordsWindow(outlook::TDataStore& store, platform::MessageBoxes& boxes,
                               platform::HelpViewer& help, QWidget* parent)
    : QDialog(parent), editWindow_(std::make_unique<KeywordEditWindow>(this)) {
    setWindowTitle(tr("Keywords"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    editLogic_ = std::make_unique<TKeywordEditDlgForm>(*editWindow_, boxes);
    editWindow_->setLogic(*editLogic_);
    logic_ = std::make_unique<TKeywordsDlgForm>(store, *this, *editLogic_, boxes, help);

    auto* filterLabel = new QLabel(tr("&Show Keywords for:"), this);
    filterLabel->setObjectName("Label1");
    filter_ = new QComboBox(this);
    filter_->setObjectName("FilterCombo");
    for (const KeywordKind kind :
         {KeywordKind::Folders, KeywordKind::Categories, KeywordKind::Contacts})
        filter_->addItem(qt(std::string(FilterText(kind))));
    filterLabel->setBuddy(filter_);

    list_ = new QTreeWidget(this);
    list_->setObjectName("KeywordsList");
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Keyword"), tr("Assigned To")});
    list_->setRootIsDecorated(false);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnWidth(0, 125);
    list_->setColumnWidth(1, 215);
    list_->header()->setSectionsClickable(true);
    // "Assigned To" takes the width left, so the list never scrolls sideways.
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* add = new QPushButton(tr("&Add..."), this);
    add->setObjectName("AddButton");
    modify_ = new QPushButton(tr("&Modify..."), this);
    modify_->setObjectName("ModifyButton");
    modify_->setEnabled(false);
    remove_ = new QPushButton(tr("&Remove"), this);
    remove_->setObjectName("RemoveButton");
    remove_->setEnabled(false);
    auto* helpButton = new QPushButton(tr("&Help"), this);
    helpButton->setObjectName("btnHelp");

    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filter_, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, add, modify_, remove_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(helpButton);
    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    setMinimumSize(432, 237);
    setTabOrder(filter_, list_);
    setTabOrder(list_, ok);
    setTabOrder(ok, add);
    setTabOrder(add, modify_);
    setTabOrder(modify_, remove_);
    setTabOrder(remove_, helpButton);

    connect(filter_, &QComboBox::activated, this,
            [this](int index) { guarded(this, [&] { logic_->FilterComboChange(index); }); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = list_->selectedItems();
        const int row = selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
        guarded(this, [&] { logic_->KeywordsListClick(row); });
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this] { guarded(this, [&] { logic_->KeywordsListDblClick(); }); });
    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        guarded(this, [&] { logic_->KeywordsListColumnClick(column); });
    });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(add, &QPushButton::clicked, this,
            [this] { guarded(this, [&] { logic_->AddButtonClick(); }); });
    connect(modify_, &QPushButton::clicked, this,
            [this] { guarded(this, [&] { logic_->ModifyButtonClick(); }); });
    connect(remove_, &QPushButton::clicked, this,
            [this] { guarded(this, [&] { logic_->RemoveButtonClick(); }); });
    connect(helpButton, &QPushButton::clicked, this,
            [this] { guarded(this, [&] { logic_->btnHelpClick(); }); });

    logic_->FormCreate();
}

KeywordsWindow::~KeywordsWindow() = default;

void KeywordsWindow::setFilterIndex(int index) {
    const QSignalBlocker quiet(filter_);
    filter_->setCurrentIndex(index);
}

void KeywordsWindow::showRows(const std::vector<KeywordRow>& rows) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const KeywordRow& row : rows)
        list_->addTopLevelItem(new QTreeWidgetItem({qt(row.keyword), qt(row.item.display)}));
}

void KeywordsWindow::selectRow(int row) {
    const QSignalBlocker quiet(list_);
    QTreeWidgetItem* item = list_->topLevelItem(row);
    list_->setCurrentItem(item);
    if (item) list_->scrollToItem(item);
}

void KeywordsWindow::setModifyRemoveEnabled(bool enabled) {
    modify_->setEnabled(enabled);
    remove_->setEnabled(enabled);
}

void KeywordsWindow::focusFilter() {
    filter_->setFocus();
}

void KeywordsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    guarded(this, [&] { logic_->FormShow(); });
}

// OK and the close box both close the window; either way the keywords are saved.
void KeywordsWindow::done(int result) {
    guarded(this, [&] { logic_->FormClose(); });
    QDialog::done(result);
}

}  // namespace keywords::ui
