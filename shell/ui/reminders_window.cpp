#include "shell/ui/reminders_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <chrono>

#include "shell/ui/product_picture.h"

namespace shell::ui {
namespace {

using namespace std::chrono_literals;

constexpr int kEntryIdRole = Qt::UserRole;

}  // namespace

RemindersWindow::RemindersWindow(TReminderPresenter& logic) : QDialog(nullptr), logic_(logic) {
    setObjectName("TReminders");
    setWindowTitle(tr("Reminders - Jotwise"));
    setWindowIcon(productIcon());
    setModal(false);

    lstReminders_ = new QTreeWidget(this);
    lstReminders_->setObjectName("lstReminders");
    lstReminders_->setHeaderLabels({tr("Subject"), tr("When"), tr("Location")});
    lstReminders_->setRootIsDecorated(false);
    lstReminders_->setUniformRowHeights(true);
    lstReminders_->setAllColumnsShowFocus(true);
    // The time is read whole; a long subject or place gives way (its tooltip has it all).
    QHeaderView* header = lstReminders_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Interactive);
    lstReminders_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    btnOpen_ = new QPushButton(tr("&Open Item"), this);
    btnOpen_->setObjectName("btnOpen");
    btnDismiss_ = new QPushButton(tr("&Dismiss"), this);
    btnDismiss_->setObjectName("btnDismiss");
    auto* snoozeLabel = new QLabel(tr("Remind me again in:"), this);
    cboSnooze_ = new QComboBox(this);
    cboSnooze_->setObjectName("cboSnooze");
    for (const auto& [text, minutes] :
         {std::pair{tr("5 minutes"), 5}, std::pair{tr("10 minutes"), 10},
          std::pair{tr("15 minutes"), 15}, std::pair{tr("1 hour"), 60}})
        cboSnooze_->addItem(text, minutes);
    snoozeLabel->setBuddy(cboSnooze_);
    btnSnooze_ = new QPushButton(tr("&Snooze"), this);
    btnSnooze_->setObjectName("btnSnooze");
    btnSnooze_->setDefault(true);

    auto* itemButtons = new QHBoxLayout;
    itemButtons->addWidget(btnOpen_);
    itemButtons->addStretch();
    itemButtons->addWidget(btnDismiss_);
    auto* snoozeRow = new QHBoxLayout;
    snoozeRow->addWidget(snoozeLabel);
    snoozeRow->addWidget(cboSnooze_, 1);
    snoozeRow->addWidget(btnSnooze_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstReminders_, 1);
    layout->addLayout(itemButtons);
    layout->addLayout(snoozeRow);

    const int em = fontMetrics().averageCharWidth();
    resize(em * 84, fontMetrics().height() * 16);
    lstReminders_->setColumnWidth(2, em * 20);

    connect(btnOpen_, &QPushButton::clicked, this, [this] {
        if (const std::string id = selected(); !id.empty()) logic_.btnOpenClick(id);
    });
    connect(lstReminders_, &QTreeWidget::itemActivated, this, [this] {
        if (const std::string id = selected(); !id.empty()) logic_.btnOpenClick(id);
    });
    connect(btnDismiss_, &QPushButton::clicked, this, [this] {
        if (const std::string id = selected(); !id.empty()) logic_.btnDismissClick(id);
    });
    connect(btnSnooze_, &QPushButton::clicked, this, [this] {
        if (const std::string id = selected(); !id.empty())
            logic_.btnSnoozeClick(id, std::chrono::minutes(cboSnooze_->currentData().toInt()));
    });
    connect(lstReminders_, &QTreeWidget::itemSelectionChanged, this,
            &RemindersWindow::updateButtons);
    updateButtons();
    logic_.SetView(this);
}

RemindersWindow::~RemindersWindow() {
    logic_.SetView(nullptr);
}

void RemindersWindow::showReminders(const std::vector<Row>& rows, bool raise) {
    if (rows.empty()) {
        lstReminders_->clear();
        hide();
        return;
    }
    // The row picked stays picked while others come and go; else the first is.
    const std::string keep = selected();
    lstReminders_->clear();
    QTreeWidgetItem* pick = nullptr;
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem(
            lstReminders_, {QString::fromStdString(row.subject), QString::fromStdString(row.when),
                            QString::fromStdString(row.location)});
        item->setData(0, kEntryIdRole, QString::fromStdString(row.entryId));
        for (int column = 0; column < 3; ++column)
            item->setToolTip(column, item->text(column));
        if (row.entryId == keep) pick = item;
    }
    lstReminders_->setCurrentItem(pick ? pick : lstReminders_->topLevelItem(0));
    updateButtons();
    if (!raise) return;
    show();
    this->raise();
    activateWindow();
}

std::string RemindersWindow::selected() const {
    const QTreeWidgetItem* item = lstReminders_->currentItem();
    if (!item || !item->isSelected()) return {};
    return item->data(0, kEntryIdRole).toString().toStdString();
}

void RemindersWindow::updateButtons() {
    const bool any = !selected().empty();
    for (QWidget* button : {static_cast<QWidget*>(btnOpen_), static_cast<QWidget*>(btnDismiss_),
                            static_cast<QWidget*>(btnSnooze_), static_cast<QWidget*>(cboSnooze_)})
        button->setEnabled(any);
}

}  // namespace shell::ui
