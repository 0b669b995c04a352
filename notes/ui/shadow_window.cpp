#include "notes/ui/shadow_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <algorithm>

#include "messages/ui/logic_guard.h"
#include "notes/ui/compact_combo_style.h"
#include "notes/ui/contact_list_model.h"
#include "notes/ui/date_box.h"
#include "notes/ui/event_hook.h"
#include "notes/ui/key_preview.h"
#include "notes/ui/note_icons.h"
#include "notes/ui/qt_rect.h"
#include "platform/ui/qt_text.h"

namespace notes::ui {

using messages::ui::guarded;
namespace {

// Off the visible area: controls that are there only for their accelerators.
constexpr QPoint kOffScreen(-400, -400);
// A line edit's own margins around its text, two pixels on either side.
constexpr int kEditMargins = 4;

using platform::qt;

// The 48 half hours of a day, as the time fields write them.
QStringList halfHours() {
    QStringList times;
    for (int i = 0; i < 48; ++i) {
        const int hour = i / 2 % 12 == 0 ? 12 : i / 2 % 12;
        times << QStringLiteral("%1:%2%3")
                     .arg(hour)
                     .arg(QLatin1String(i % 2 == 0 ? "00" : "30"))
                     .arg(QLatin1String(i < 24 ? "am" : "pm"));
    }
    return times;
}

// Shows a text in an editable field without disturbing the user's cursor when it is
// already there, and without any signal the user's edits are heard through.
void showEditText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text) return;
    const QSignalBlocker quiet(combo);
    combo->setEditText(text);
}

QLabel* imageLabel(QWidget* parent, const char* name, NoteIcon icon) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(noteIcon(icon).pixmap(QSize(kShadowImageSize, kShadowImageSize)));
    return label;
}

// The width a combo box needs beyond its text, as its style draws it.
int comboChrome(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.rect = QRect(0, 0, 200, combo->height());
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    return option.rect.width() - field.width();
}

}  // namespace

ShadowWindow::ShadowWindow(platform::ShortDateFormat dateFormat)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("Shadow");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);

    buildDateTime(dateFormat);
    buildContact();
    buildCategory();
    buildImages();
    buildHiddenControls();

    keys_ = new KeyPreview(
        this,
        [this](Key key, unsigned modifiers) {
            return events_ && guarded(this, [&] { return events_->FormKeyDown(key, modifiers); });
        },
        [this](char character) {
            return events_ && guarded(this, [&] { return events_->FormKeyPress(character); });
        });
    keys_->watch(this);
    connectEvents();
    setPlacementButtons(false);
    layOut();
}

ShadowWindow::~ShadowWindow() = default;

ShadowLayoutInput ShadowWindow::layoutInput() const {
    const QFontMetrics metrics = fontMetrics();
    ShadowLayoutInput input;
    input.labelHeight = metrics.height();
    // A field's frame and margins take seven pixels around its line of text.
    input.fieldHeight = metrics.height() + 7;
    for (const QLabel* label : {dateTimeLabel_, contactLabel_, categoryLabel_})
        input.labelWidth = std::max(input.labelWidth, label->sizeHint().width());

    int widestTime = 0;
    for (const QString& time : halfHours())
        widestTime = std::max(widestTime, metrics.horizontalAdvance(time));
    input.timeFieldWidth = widestTime + kEditMargins + comboChrome(start_);

    // The date box: its frame on both sides, its margins, and the calendar button in it.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, date_);
    const int button = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, date_) + 10;
    input.dateFieldWidth =
        metrics.horizontalAdvance(date_->widestText()) + 2 * frame + kEditMargins + button;

    const QLocale locale = QLocale::system();
    for (int day = 1; day <= 7; ++day)
        input.weekdayWidth =
            std::max(input.weekdayWidth,
                     metrics.horizontalAdvance(locale.dayName(day, QLocale::ShortFormat)));
    input.weekdayWidth += 2;
    if (!repeat_->text().isEmpty())
        input.repeatWidth = metrics.horizontalAdvance(repeat_->text()) + 2;
    return input;
}

void ShadowWindow::layOut() {
    layout_ = LayOutShadow(layoutInput());
    const ShadowLayout& layout = layout_;
    setFixedSize(layout.width, layout.height);
    dateTimeLabel_->setGeometry(qt(layout.dateTimeLabel));
    date_->setGeometry(qt(layout.date));
    weekday_->setGeometry(qt(layout.weekday));
    repeat_->setGeometry(qt(layout.repeat));
    dropRepeat_->setGeometry(qt(layout.dropRepeat));
    start_->setGeometry(qt(layout.start));
    hyphen_->setGeometry(qt(layout.hyphen));
    end_->setGeometry(qt(layout.end));
    contactLabel_->setGeometry(qt(layout.contactLabel));
    contact_->setGeometry(qt(layout.contact));
    address_->setGeometry(qt(layout.address));
    categoryLabel_->setGeometry(qt(layout.categoryLabel));
    category_->setGeometry(qt(layout.category));
    for (QLabel* image : {dateTimeOn_, dateTimeOff_})
        image->setGeometry(qt(layout.dateTimeImage));
    for (QLabel* image : {contactOn_, contactOff_})
        image->setGeometry(qt(layout.contactImage));
    for (QLabel* image : {categoryOn_, categoryOff_})
        image->setGeometry(qt(layout.categoryImage));
    for (QToolButton* button : {beside_, behind_})
        button->setGeometry(qt(layout.placementButton));
}

void ShadowWindow::buildDateTime(const platform::ShortDateFormat& dateFormat) {
    date_ = new DateBox(dateFormat, this);
    date_->setObjectName("csDate");

    dateTimeLabel_ = new QLabel(tr("&Date/Time:"), this);
    dateTimeLabel_->setObjectName("lblDateTime");
    dateTimeLabel_->setBuddy(date_);

    weekday_ = new QLabel(this);
    weekday_->setObjectName("lblWeekday");
    weekday_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    repeat_ = new QLabel(this);
    repeat_->setObjectName("lblRepeat");
    repeat_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    repeat_->hide();
    dropRepeat_ = new QToolButton(this);
    dropRepeat_->setObjectName("btnDropRepeat");
    dropRepeat_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    dropRepeat_->setIconSize(QSize(10, 10));
    dropRepeat_->setAutoRaise(true);
    dropRepeat_->setToolTip(tr("Do not repeat: file it once, on this date"));
    dropRepeat_->setFocusPolicy(Qt::NoFocus);
    dropRepeat_->hide();

    const auto timeField = [this](const char* name) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setStyle(compactComboStyle());
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);  // the field shows what was typed, no more
        combo->addItems(halfHours());
        combo->setMaxVisibleItems(12);
        combo->setEditText(QString());
        return combo;
    };
    start_ = timeField("comboStart");
    hyphen_ = new QLabel("-", this);
    hyphen_->setObjectName("lblHyphen");
    hyphen_->setAlignment(Qt::AlignCenter);
    end_ = timeField("comboEnd");
}

void ShadowWindow::buildContact() {
    contact_ = new QComboBox(this);
    contact_->setObjectName("comboContact");
    contact_->setStyle(compactComboStyle());
    contacts_ = new ContactListModel(contact_);
    contact_->setModel(contacts_);
    // Thousands of contacts: no measuring of every name, rows all of one height.
    contact_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    contact_->setMinimumContentsLength(8);
    if (auto* list = qobject_cast<QListView*>(contact_->view())) list->setUniformItemSizes(true);
    contact_->setMaxVisibleItems(16);

    address_ = new QToolButton(this);
    address_->setObjectName("btnAddress");
    address_->setIcon(noteIcon(NoteIcon::AddressCard));
    address_->setIconSize(QSize(16, 16));
    address_->setAutoRaise(true);
    address_->setToolTip(tr("Import an Address into the Contacts folder"));

    contactLabel_ = new QLabel(tr("&Contact:"), this);
    contactLabel_->setObjectName("lblContact");
    contactLabel_->setBuddy(contact_);
}

void ShadowWindow::buildCategory() {
    category_ = new QComboBox(this);
    category_->setObjectName("comboCategory");
    category_->setStyle(compactComboStyle());
    category_->setEditable(true);
    category_->setInsertPolicy(QComboBox::NoInsert);
    category_->setCompleter(nullptr);
    category_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    category_->setMinimumContentsLength(8);
    category_->setMaxVisibleItems(16);

    categoryLabel_ = new QLabel(tr("Cate&gory:"), this);
    categoryLabel_->setObjectName("lblCategory");
    categoryLabel_->setBuddy(category_);
}

void ShadowWindow::buildImages() {
    dateTimeOn_ = imageLabel(this, "imgDateTimeOn", NoteIcon::DateTimeOn);
    dateTimeOff_ = imageLabel(this, "imgDateTimeOff", NoteIcon::DateTimeOff);
    contactOn_ = imageLabel(this, "imgContactOn", NoteIcon::ContactOn);
    contactOff_ = imageLabel(this, "imgContactOff", NoteIcon::ContactOff);
    categoryOn_ = imageLabel(this, "imgCategoryOn", NoteIcon::CategoryOn);
    categoryOff_ = imageLabel(this, "imgCategoryOff", NoteIcon::CategoryOff);

    const auto placementButton = [this](const char* name, NoteIcon icon, const QString& hint) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setIcon(noteIcon(icon));
        button->setIconSize(QSize(12, 12));
        button->setAutoRaise(true);
        button->setToolTip(hint);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    beside_ = placementButton("btnBeside", NoteIcon::Beside, tr("Move Shadow To Side"));
    behind_ = placementButton("btnBehind", NoteIcon::Behind, tr("Move Shadow Behind"));
    setDateTimeImage(false);
    setContactImage(false);
    setCategoryImage(false);
}

void ShadowWindow::buildHiddenControls() {
    backToMemo_ = new QLineEdit(this);
    backToMemo_->setObjectName("edBackToMemo");
    backToMemo_->setGeometry(QRect(kOffScreen, QSize(20, 20)));
    auto* backLabel = new QLabel(tr("Goto &Text"), this);
    backLabel->setObjectName("Label1");
    backLabel->setBuddy(backToMemo_);
    // Sized to their text like any control, though nobody sees them.
    backLabel->setGeometry(QRect(kOffScreen + QPoint(0, 30), backLabel->sizeHint()));
    save_ = new QPushButton(tr("&Save"), this);
    save_->setObjectName("btnSave");
    save_->setFocusPolicy(Qt::NoFocus);
    save_->setGeometry(QRect(kOffScreen + QPoint(0, 60), save_->sizeHint()));
}

template <class Call>
void ShadowWindow::forward(Call&& call) {
    if (events_) guarded(this, [&] { call(*events_); });
}

void ShadowWindow::connectEvents() {
    connect(date_, &DateBox::dateEdited, this, [this](const QString& text) {
        forward([&](ShadowEvents& e) { e.csDateChange(text.toStdString()); });
    });
    connect(date_, &DateBox::left, this,
            [this] { forward([](ShadowEvents& e) { e.csDateExit(); }); });

    using Change = void (ShadowEvents::*)(const std::string&);
    using Exit = void (ShadowEvents::*)();
    const auto timeEvents = [this](QComboBox* combo, Change change, Exit exit) {
        const auto changed = [this, combo, change] {
            const std::string text = combo->currentText().toStdString();
            forward([&](ShadowEvents& e) { (e.*change)(text); });
        };
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, changed);
        connect(combo, &QComboBox::activated, this, changed);
        onEvent(combo, QEvent::FocusOut, [this, exit](QEvent* event) {
            if (movedToAnotherControl(event)) forward([&](ShadowEvents& e) { (e.*exit)(); });
            return false;
        });
    };
    timeEvents(start_, &ShadowEvents::comboStartChange, &ShadowEvents::comboStartExit);
    timeEvents(end_, &ShadowEvents::comboEndChange, &ShadowEvents::comboEndExit);

    connect(contact_, &QComboBox::activated, this, [this](int row) {
        const std::string key = contacts_->keyAt(row);
        forward([&](ShadowEvents& e) { e.comboContactChange(key); });
    });
    onEvent(contact_, QEvent::KeyPress, [this](QEvent* event) {
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Delete) return false;
        forward([](ShadowEvents& e) { e.comboContactDelete(); });
        return true;
    });

    const auto categoryChanged = [this] {
        const std::string text = category_->currentText().toStdString();
        forward([&](ShadowEvents& e) { e.comboCategoryChange(text); });
    };
    connect(category_->lineEdit(), &QLineEdit::textEdited, this, categoryChanged);
    connect(category_, &QComboBox::activated, this, categoryChanged);

    connect(dropRepeat_, &QToolButton::clicked, this,
            [this] { forward([](ShadowEvents& e) { e.btnDropRepeatClick(); }); });
    connect(address_, &QToolButton::clicked, this,
            [this] { forward([](ShadowEvents& e) { e.btnAddressClick(); }); });
    connect(beside_, &QToolButton::clicked, this,
            [this] { forward([](ShadowEvents& e) { e.btnBesideClick(); }); });
    connect(behind_, &QToolButton::clicked, this,
            [this] { forward([](ShadowEvents& e) { e.btnBehindClick(); }); });
    connect(save_, &QPushButton::clicked, this,
            [this] { forward([](ShadowEvents& e) { e.btnSaveClick(); }); });
    onEvent(backToMemo_, QEvent::FocusIn, [this](QEvent*) {
        forward([](ShadowEvents& e) { e.edBackToMemoEnter(); });
        return false;
    });
}

// ---- What the logic shows ----

void ShadowWindow::setDateText(const std::string& text) {
    date_->showText(qt(text));
}

void ShadowWindow::setWeekday(std::optional<std::chrono::weekday> day) {
    weekday_->setText(
        day ? QLocale::system().dayName(static_cast<int>(day->iso_encoding()), QLocale::ShortFormat)
            : QString());
}

void ShadowWindow::setStartText(const std::string& text) {
    showEditText(start_, qt(text));
}

void ShadowWindow::setEndText(const std::string& text) {
    showEditText(end_, qt(text));
}

void ShadowWindow::setRepeatText(const std::string& words) {
    const QString text = qt(words);
    repeat_->setText(text);
    repeat_->setToolTip(text.isEmpty() ? QString() : tr("Repeats %1").arg(text));
    repeat_->setVisible(!text.isEmpty());
    dropRepeat_->setVisible(!text.isEmpty());
    layOut();
}

void ShadowWindow::setContacts(const std::vector<ContactChoice>& contacts) {
    const QSignalBlocker quiet(contact_);
    contacts_->setContacts(contacts);
    contact_->setCurrentIndex(0);
}

void ShadowWindow::selectContact(const std::string& key) {
    const QSignalBlocker quiet(contact_);
    contact_->setCurrentIndex(contacts_->rowOf(key));
}

void ShadowWindow::setCategories(const std::vector<std::string>& categories) {
    const QSignalBlocker quiet(category_);
    const QString text = category_->currentText();
    QStringList names;
    names.reserve(static_cast<qsizetype>(categories.size()));
    for (const std::string& name : categories)
        names << qt(name);
    category_->clear();
    category_->addItems(names);
    category_->setEditText(text);
}

void ShadowWindow::setCategoryText(const std::string& text) {
    showEditText(category_, qt(text));
}

void ShadowWindow::setDateTimeImage(bool on) {
    dateTimeOn_->setVisible(on);
    dateTimeOff_->setVisible(!on);
}

void ShadowWindow::setContactImage(bool on) {
    contactOn_->setVisible(on);
    contactOff_->setVisible(!on);
}

void ShadowWindow::setCategoryImage(bool on) {
    categoryOn_->setVisible(on);
    categoryOff_->setVisible(!on);
}

void ShadowWindow::setPlacementButtons(bool behind) {
    beside_->setVisible(behind);
    behind_->setVisible(!behind);
}

int ShadowWindow::width() const {
    return frameGeometry().width();
}

int ShadowWindow::height() const {
    return frameGeometry().height();
}

int ShadowWindow::imageColumnLeft() const {
    return layout_.imageColumnLeft;
}

void ShadowWindow::moveBehindNote(int left, int top) {
    move(left, top);
    // Raising both, the shadow first, leaves the note directly above it; neither is activated.
    raise();
    if (note_ && note_->isVisible()) note_->raise();
}

void ShadowWindow::setVisible(bool visible) {
    QWidget::setVisible(visible);
}

void ShadowWindow::setEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
}

void ShadowWindow::focusField(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    if (isActiveWindow()) return;
    // The activation comes later; the field gets the focus after the logic has heard of it,
    // as it would had the activation come first.
    pendingFocus_ = field;
    activateWindow();
}

void ShadowWindow::focusDate() {
    focusField(date_);
}

void ShadowWindow::focusStart() {
    focusField(start_);
}

void ShadowWindow::focusEnd() {
    focusField(end_);
}

void ShadowWindow::focusContact() {
    focusField(contact_);
}

void ShadowWindow::focusCategory() {
    focusField(category_);
}

// ---- Window events ----

void ShadowWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && behind_) layOut();
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        forward([](ShadowEvents& e) { e.FormActivate(); });
        if (pendingFocus_) pendingFocus_->setFocus(Qt::OtherFocusReason);
    } else {
        forward([](ShadowEvents& e) { e.FormDeactivate(); });
    }
    pendingFocus_ = nullptr;
}

void ShadowWindow::closeEvent(QCloseEvent* event) {
    // The shadow goes with its note, never by itself.
    event->ignore();
}

void ShadowWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace notes::ui
