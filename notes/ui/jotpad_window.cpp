#include "notes/ui/jotpad_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSizeGrip>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "messages/ui/logic_guard.h"
#include "notes/ui/attachment_delegate.h"
#include "notes/ui/event_hook.h"
#include "notes/ui/footer_button.h"
#include "notes/ui/key_preview.h"
#include "notes/ui/note_icons.h"
#include "notes/ui/qt_rect.h"
#include "notes/ui/shadow_window.h"
#include "notes/ui/title_panel.h"
#include "platform/ui/qt_text.h"

namespace notes::ui {

using messages::ui::guarded;
namespace {

constexpr int kBorder = 1;
constexpr int kSpacing = 4;
constexpr int kCloseWidth = 15;
constexpr int kLogoWidth = 15;
constexpr int kIconSize = 16;
constexpr int kMenuArrowWidth = 8;
constexpr int kFooterButtonWidth = 20;
constexpr int kGripWidth = 12;
constexpr int kMailingInset = 2;
constexpr int kMailingGap = 2;
constexpr int kRecipientRowHeight = 15;  // at the default font
constexpr int kAttachmentRows = 3;
// Off the visible area: controls that are there only for their accelerators.
constexpr QPoint kOffScreen(-400, -400);

using platform::qt;

// The width a label gives a line of text, a little more than its advance.
int textWidth(const QFontMetrics& metrics, const QString& text) {
    return metrics.boundingRect(0, 0, 2000, 2000, Qt::AlignLeft, text).width();
}

Rect workAreaOf(const QScreen* screen) {
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return {area.x(), area.y(), area.width(), area.height()};
}

// A picture in the colour of the text around it, for the title bar's marks.
QPixmap tinted(const QIcon& icon, QSize size, const QColor& colour) {
    QPixmap pixmap = icon.pixmap(size);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), colour);
    return pixmap;
}

}  // namespace

JotPadWindow* JotPadWindow::create(NoteContext& context) {
    std::unique_ptr<JotPadWindow> window(new JotPadWindow(context));
    window->logic_ = TJotPad::Create(context, *window, *window->shadow_);
    if (!window->logic_) {
        window->closed_ = true;  // there is no logic to tell
        return nullptr;
    }
    window->shadow_->setEvents(&window->logic_->Shadow());
    return window.release();
}

JotPadWindow::JotPadWindow(NoteContext& context)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      context_(context),
      shadow_(std::make_unique<ShadowWindow>(context.dateFormat)) {
    setObjectName("JotPad");
    setAttribute(Qt::WA_DeleteOnClose, false);  // closeWindow() ends the note, not close()
    shadow_->setNoteWindow(this);

    buildTitle();
    buildTypeMenu();
    buildLogoMenu();
    buildBody();
    buildFooter();
    buildAccelerators();

    keys_ = new KeyPreview(
        this,
        [this](Key key, unsigned modifiers) {
            return !closed_ && logic_ &&
                   guarded(this, [&] { return logic_->FormKeyDown(key, modifiers); });
        },
        [this](char character) {
            return !closed_ && logic_ &&
                   guarded(this, [&] { return logic_->FormKeyPress(character); });
        });
    keys_->watch(this);
    connectEvents();

    const NoteLayout minimum = LayOutNote(layoutInput());
    resize(minimum.minimumWidth + 2 * kBorder, minimum.minimumHeight + 2 * kBorder);
    layOut();
    memo_->setFocus();
}

JotPadWindow::~JotPadWindow() {
    if (!closed_) {
        closed_ = true;
        guarded(this, [this] { logic_->FormClose(); });
    }
    closed_ = true;
    shadow_->setEvents(nullptr);
    logic_.reset();
    shadow_.reset();
    while (busy_ > 0)
        setBusy(false);
}

template <class Call>
void JotPadWindow::forward(Call&& call) {
    if (!closed_ && logic_) guarded(this, [&] { call(*logic_); });
}

// ---- Building ----

void JotPadWindow::buildTitle() {
    title_ = new TitlePanel(this);
    title_->setObjectName("pnlTitle");

    typeName_ = new QLabel(title_);
    typeName_->setObjectName("lblType");
    QFont bold = typeName_->font();
    bold.setBold(true);
    typeName_->setFont(bold);

    static constexpr std::array<const char*, kItemTypeCount> kIconNames = {
        "imgAppt", "imgNote", "imgTask", "imgMail", "imgTaskReq", "imgMeetReq"};
    for (int i = 0; i < kItemTypeCount; ++i) {
        auto* icon = new QLabel(title_);
        icon->setObjectName(kIconNames[static_cast<std::size_t>(i)]);
        icon->setPixmap(typeIcon(static_cast<ItemType>(i)).pixmap(kIconSize, kIconSize));
        icon->setToolTip(tr("Change the type"));
        icon->setVisible(static_cast<ItemType>(i) == shownType_);
        typeIcons_[static_cast<std::size_t>(i)] = icon;
    }
    menuArrow_ = new QLabel(title_);
    menuArrow_->setObjectName("imgMenu");
    menuArrow_->setToolTip(tr("Change the type"));

    logo_ = new QLabel(title_);
    logo_->setObjectName("imgLogo");
    logo_->setPixmap(noteIcon(NoteIcon::Logo).pixmap(kLogoWidth, kLogoWidth));
    logo_->setToolTip(tr("Jotwise menu"));

    close_ = new QToolButton(title_);
    close_->setObjectName("btnClose");
    close_->setAutoRaise(true);
    close_->setFocusPolicy(Qt::NoFocus);
    close_->setToolTip(tr("Close"));
    close_->setIconSize(QSize(kCloseWidth - 2, kCloseWidth - 2));
    showTitleColours();
}

void JotPadWindow::buildTypeMenu() {
    typeMenu_ = new QMenu(this);
    typeMenu_->setObjectName("mnuType");
    auto* group = new QActionGroup(typeMenu_);
    struct Item {
        const char* name;
        QString text;
        const char* key;
    };
    const std::array<Item, kItemTypeCount> items = {{
        {"miAppointment", tr("&Appointment"), "F2"},
        {"miNote", tr("&Note"), "F3"},
        {"miTask", tr("&Task"), "F4"},
        {"miMail", tr("&Mail Message"), ""},
        {"TaskRequest1", tr("Task &Request"), ""},
        {"MeetingRequest1", tr("Meeting Re&quest"), ""},
    }};
    for (int tag = 0; tag < kItemTypeCount; ++tag) {
        const Item& item = items[static_cast<std::size_t>(tag)];
        // The key is only shown: it reaches the note through its key handler, like every key.
        QString text = item.text;
        if (*item.key) text += '\t' + QLatin1String(item.key);
        QAction* action = typeMenu_->addAction(typeIcon(static_cast<ItemType>(tag)), text);
        action->setObjectName(item.name);
        action->setCheckable(true);
        action->setData(tag);
        group->addAction(action);
        typeItems_[static_cast<std::size_t>(tag)] = action;
        if (tag == 2) typeMenu_->addSeparator();
    }
    typeItems_[static_cast<std::size_t>(shownType_)]->setChecked(true);
}

void JotPadWindow::buildLogoMenu() {
    logoMenu_ = new QMenu(this);
    logoMenu_->setObjectName("mnuLogo");
    using Handler = void (JotPadEvents::*)();
    const auto item = [this](const char* name, const QString& text, const char* key,
                             Handler handler) {
        QString shown = text;
        if (*key) shown += '\t' + QLatin1String(key);
        QAction* action = logoMenu_->addAction(shown);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this,
                [this, handler] { forward([&](JotPadEvents& e) { (e.*handler)(); }); });
        return action;
    };
    item("miSave", tr("Save and Close"), "Ctrl+S", &JotPadEvents::btnSaveClick);
    item("miCancel", tr("Cancel"), "Esc", &JotPadEvents::miCancelClick);
    logoMenu_->addSeparator();
    shadowItem_ =
        item("miShadow", tr("Move Shadow Behind"), "Ctrl+W", &JotPadEvents::miShadowClick);
    item("miNewJotPad", tr("New Action Note"), "Ctrl+N", &JotPadEvents::miNewJotPadClick);
    item("miNewContact", tr("New Contact"), "", &JotPadEvents::miNewContactClick);
    item("miOpenOutlook", tr("Open Outlook"), "", &JotPadEvents::miOpenOutlookClick);
    item("miKeywords", tr("Keywords..."), "", &JotPadEvents::miKeywordsClick);
    logoMenu_->addSeparator();
    item("miHelp", tr("Help"), "F1", &JotPadEvents::miHelpClick);
    item("miAbout", tr("About..."), "", &JotPadEvents::miAboutClick);
    logoMenu_->addSeparator();
    item("miExit", tr("Exit"), "", &JotPadEvents::miExitClick);
}

void JotPadWindow::buildBody() {
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("memoBody");
    memo_->setFrameShape(QFrame::NoFrame);
    memo_->setTabChangesFocus(true);
    // An example sentence until the first keystroke, in the palette's placeholder colour.
    memo_->setPlaceholderText(tr("lunch with Ann tomorrow at noon"));

    mailing_ = new QFrame(this);
    mailing_->setObjectName("pnlMailingLabel");
    mailing_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    mailing_->setAutoFillBackground(true);
    mailing_->setBackgroundRole(QPalette::Base);
    const auto label = [this](const char* name) {
        auto* l = new QLabel(mailing_);
        l->setObjectName(name);
        return l;
    };
    toRole_ = label("lblToRole");
    to_ = label("lblTo");
    ccRole_ = label("lCc");
    cc_ = label("lblCC");
    for (QLabel* role : {toRole_, ccRole_})
        role->setForegroundRole(QPalette::PlaceholderText);
    mailing_->hide();

    attachments_ = new QListWidget(this);
    attachments_->setObjectName("lstAttachments");
    attachments_->setItemDelegate(new AttachmentDelegate(attachments_));
    attachments_->setUniformItemSizes(true);
    attachments_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    attachments_->setTextElideMode(Qt::ElideMiddle);
    attachments_->hide();
}

void JotPadWindow::buildFooter() {
    footer_ = new QWidget(this);
    footer_->setObjectName("pnlFooter");
    footerLine_ = new QFrame(footer_);
    footerLine_->setFrameStyle(QFrame::HLine | QFrame::Plain);
    footerLine_->setForegroundRole(QPalette::Mid);

    const auto button = [this](const char* name, NoteIcon icon, const QString& hint) {
        auto* b = new FooterButton(footer_);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setToolTip(hint);
        if (icon != NoteIcon::Logo) {
            b->setIcon(noteIcon(icon));
            b->setIconSize(QSize(kIconSize, kIconSize));
        }
        return b;
    };
    mail_ = button("btnMail", NoteIcon::MailRecipients, tr("Select Mail Recipients... (Ctrl+R)"));
    attach_ = button("btnAttach", NoteIcon::Attach, tr("Attach File... (Ctrl+F)"));
    contact_ = button("btnContact", NoteIcon::Contact, tr("New Contact (Ctrl+K)"));
    save_ = button("btnSave", NoteIcon::Logo, QString());
    save_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    save_->setAutoRaise(false);
    QFont bold = save_->font();
    bold.setBold(true);
    save_->setFont(bold);

    grip_ = new QSizeGrip(footer_);
    grip_->setObjectName("grip");
}

void JotPadWindow::buildAccelerators() {
    auto* goToDate = new QLineEdit(this);
    goToDate->setObjectName("edGoToDate");
    goToDate->setFocusPolicy(Qt::ClickFocus);  // reached by its accelerator, never by Tab
    goToDate->setGeometry(QRect(kOffScreen, QSize(20, 20)));
    auto* goToDateLabel = new QLabel(tr("&Date"), this);
    goToDateLabel->setObjectName("lblGoToDate");
    goToDateLabel->setBuddy(goToDate);
    // Sized to their text like any control, though nobody sees them.
    goToDateLabel->setGeometry(QRect(kOffScreen + QPoint(0, 30), goToDateLabel->sizeHint()));
    onEvent(goToDate, QEvent::FocusIn, [this](QEvent*) {
        forward([](JotPadEvents& e) { e.edGoToDateEnter(); });
        return false;
    });

    const auto goTo = [this](const char* name, const QString& text, void (JotPadEvents::*handler)(),
                             int offset) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(QRect(kOffScreen + QPoint(0, offset), b->sizeHint()));
        connect(b, &QPushButton::clicked, this,
                [this, handler] { forward([&](JotPadEvents& e) { (e.*handler)(); }); });
    };
    goTo("btnGoToContact", tr("Go To &Contact"), &JotPadEvents::btnGoToContactClick, 60);
    goTo("btnGoToCategory", tr("Go To Cate&gory"), &JotPadEvents::btnGoToCategoryClick, 90);
}

void JotPadWindow::connectEvents() {
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        const std::string text = memo_->toPlainText().toStdString();
        forward([&](JotPadEvents& e) { e.memoBodyChange(text); });
    });

    const auto pressed = [this](QWidget* widget, void (JotPadEvents::*handler)()) {
        onEvent(widget, QEvent::MouseButtonPress, [this, handler](QEvent*) {
            forward([&](JotPadEvents& e) { (e.*handler)(); });
            return true;  // no drag of the title bar from here
        });
    };
    for (QLabel* icon : typeIcons_)
        pressed(icon, &JotPadEvents::imgApptMouseDown);
    pressed(menuArrow_, &JotPadEvents::imgApptMouseDown);
    pressed(logo_, &JotPadEvents::imgLogoMouseDown);
    connect(close_, &QToolButton::clicked, this,
            [this] { forward([](JotPadEvents& e) { e.btnCloseClick(); }); });

    for (QAction* item : typeItems_) {
        connect(item, &QAction::triggered, this, [this, item] {
            // The menu shows the note's type until the note says otherwise.
            typeItems_[static_cast<std::size_t>(shownType_)]->setChecked(true);
            const int tag = item->data().toInt();
            forward([&](JotPadEvents& e) { e.miTypeClick(tag); });
        });
    }

    using Handler = void (JotPadEvents::*)();
    const auto footerButton = [this](FooterButton* b, Handler click, Handler mouseUp) {
        connect(b, &FooterButton::clicked, this,
                [this, click] { forward([&](JotPadEvents& e) { (e.*click)(); }); });
        b->setMouseUpHandler(
            [this, mouseUp] { forward([&](JotPadEvents& e) { (e.*mouseUp)(); }); });
    };
    footerButton(save_, &JotPadEvents::btnSaveClick, &JotPadEvents::btnSaveMouseUp);
    footerButton(mail_, &JotPadEvents::imgMailClick, &JotPadEvents::btnMailMouseUp);
    footerButton(attach_, &JotPadEvents::imgAttachClick, &JotPadEvents::btnAttachMouseUp);
    footerButton(contact_, &JotPadEvents::imgContactClick, &JotPadEvents::btnContactMouseUp);

    onEvent(attachments_, QEvent::KeyRelease, [this](QEvent* event) {
        const Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
        const QListWidgetItem* current = attachments_->currentItem();
        const int row = current && current->isSelected() ? attachments_->row(current) : -1;
        forward([&](JotPadEvents& e) { e.lstAttachmentsKeyUp(key, row); });
        return false;
    });
    onEvent(attachments_, QEvent::FocusOut, [this](QEvent* event) {
        if (movedToAnotherControl(event)) forward([](JotPadEvents& e) { e.lstAttachmentsExit(); });
        return false;
    });
}

// ---- Layout ----

NoteLayoutInput JotPadWindow::layoutInput() const {
    NoteLayoutInput input;
    input.width = QWidget::width() - 2 * kBorder;
    input.height = QWidget::height() - 2 * kBorder;
    input.mailingVisible = mailingVisible_;
    input.mailingHeight = recipientPanelHeight();
    input.mailingBorder = kMailingInset;
    input.attachmentsVisible = attachmentsVisible_;
    input.attachmentsHeight = attachmentListHeight();
    input.closeButtonWidth = kCloseWidth;
    input.logoWidth = kLogoWidth;
    const QFontMetrics metrics(save_->font());
    input.saveButtonWidth =
        std::max(40, metrics.horizontalAdvance(QString(save_->text()).remove('&')) + 2 * 8);
    input.gripWidth = kGripWidth;
    input.footerHeight = metrics.height() + 5;

    // The title bar fits the longest type name, so the note keeps its width as the type changes.
    const QFontMetrics title = typeName_->fontMetrics();
    input.titleHeight = title.height() + 3;
    int longestName = 0;
    for (int i = 0; i < kItemTypeCount; ++i)
        longestName = std::max(
            longestName, textWidth(title, qt(std::string(LookOf(static_cast<ItemType>(i)).name))));
    // A gap after the arrow keeps it off the logo.
    input.typeLabelWidth =
        kIconSize + kSpacing + longestName + kSpacing / 2 + kMenuArrowWidth + kSpacing;
    return input;
}

void JotPadWindow::layOut() {
    const NoteLayout layout = LayOutNote(layoutInput());
    setMinimumSize(layout.minimumWidth + 2 * kBorder, layout.minimumHeight + 2 * kBorder);
    const QPoint client(kBorder, kBorder);

    title_->setGeometry(qt(layout.title).translated(client));
    layOutTitle(layout);

    mailing_->setVisible(mailingVisible_);
    if (mailingVisible_) {
        mailing_->setGeometry(qt(layout.mailing).translated(client));
        layOutMailing();
    }
    memo_->setGeometry(qt(layout.memo).translated(client));
    attachments_->setVisible(attachmentsVisible_);
    if (attachmentsVisible_) attachments_->setGeometry(qt(layout.attachments).translated(client));

    footer_->setGeometry(qt(layout.footer).translated(client));
    layOutFooter(layout);
}

void JotPadWindow::layOutTitle(const NoteLayout& layout) {
    const QRect area = qt(layout.typeLabel);
    const int iconTop = (area.height() - kIconSize) / 2;
    for (QLabel* icon : typeIcons_)
        icon->setGeometry(area.left(), iconTop, kIconSize, kIconSize);

    const int nameLeft = area.left() + kIconSize + kSpacing;
    const int room = std::max(0, area.right() + 1 - nameLeft - kSpacing / 2 - kMenuArrowWidth);
    const int nameWidth = std::min(room, textWidth(typeName_->fontMetrics(), typeName_->text()));
    typeName_->setGeometry(nameLeft, 0, nameWidth, area.height());
    menuArrow_->setGeometry(nameLeft + nameWidth + kSpacing / 2, 0, kMenuArrowWidth, area.height());

    logo_->setGeometry(qt(layout.logo));
    close_->setGeometry(qt(layout.closeButton));
}

void JotPadWindow::layOutMailing() {
    const QFontMetrics metrics(to_->font());
    const int frame = mailing_->frameWidth();
    const int roleWidth = std::max(metrics.horizontalAdvance(toRole_->text()),
                                   metrics.horizontalAdvance(ccRole_->text()));
    const int nameLeft = frame + kSpacing + roleWidth + kSpacing;
    const int nameWidth = std::max(0, mailing_->width() - frame - kSpacing - nameLeft);
    const int rowHeight = recipientRowHeight();
    const auto row = [&](QLabel* role, QLabel* names, const QString& text, int index) {
        const int top = frame + 2 + index * (rowHeight + 1);
        role->setGeometry(frame + kSpacing, top, roleWidth, rowHeight);
        names->setGeometry(nameLeft, top, nameWidth, rowHeight);
        names->setText(metrics.elidedText(text, Qt::ElideRight, nameWidth));
        names->setToolTip(metrics.horizontalAdvance(text) > nameWidth ? text : QString());
    };
    row(toRole_, to_, toNames_, 0);
    row(ccRole_, cc_, ccNames_, 1);
    ccRole_->setVisible(ccVisible_);
    cc_->setVisible(ccVisible_);
}

void JotPadWindow::layOutFooter(const NoteLayout& layout) {
    const int width = layout.footer.width;
    footerLine_->setGeometry(0, 0, width, 1);
    const int top = 1, height = layout.footer.height - 1;
    int left = kSpacing / 2;
    for (FooterButton* b : {mail_, attach_, contact_}) {
        b->setGeometry(left, top, kFooterButtonWidth, height);
        left += kFooterButtonWidth + 1;
    }
    save_->setGeometry(qt(layout.saveButton).adjusted(0, 1, 0, 0));
    grip_->setGeometry(qt(layout.grip));
}

void JotPadWindow::growBy(int delta) {
    // The height is taken before the new minimum, which would already grow a smaller window.
    const int height = QWidget::height() + delta;
    const NoteLayout layout = LayOutNote(layoutInput());
    setMinimumSize(layout.minimumWidth + 2 * kBorder, layout.minimumHeight + 2 * kBorder);
    resize(QWidget::width(), height);
    layOut();
}

int JotPadWindow::recipientRows() const {
    return ccVisible_ ? 2 : 1;
}

// ---- What the logic shows ----

void JotPadWindow::showType(ItemType type, const std::string& windowCaption) {
    shownType_ = type;
    for (int i = 0; i < kItemTypeCount; ++i)
        typeIcons_[static_cast<std::size_t>(i)]->setVisible(static_cast<ItemType>(i) == type);
    typeItems_[static_cast<std::size_t>(type)]->setChecked(true);
    typeName_->setText(qt(std::string(LookOf(type).name)));
    setWindowTitle(qt(windowCaption));
    layOut();
}

void JotPadWindow::setSaveButton(const std::string& caption, const std::string& hint) {
    save_->setText(qt(caption));
    save_->setToolTip(qt(hint));
    layOut();
}

void JotPadWindow::setAttachEnabled(bool enabled) {
    attach_->setEnabled(enabled);
}

void JotPadWindow::setCcLineVisible(bool visible) {
    if (visible == ccVisible_) return;
    const int before = mailingPanelHeight();
    ccVisible_ = visible;
    // While the panel shows, the window keeps the memo's size as the panel changes height.
    if (mailingVisible_)
        growBy(mailingPanelHeight() - before);
    else
        layOut();
}

void JotPadWindow::setMailingPanelVisible(bool visible) {
    if (visible == mailingVisible_) return;
    mailingVisible_ = visible;
    growBy(visible ? mailingPanelHeight() : -mailingPanelHeight());
}

void JotPadWindow::setRecipientRoles(const std::string& toRole, const std::string& ccRole) {
    toRole_->setText(qt(toRole));
    ccRole_->setText(qt(ccRole));
    if (mailingVisible_) layOutMailing();
}

void JotPadWindow::setRecipientNames(const std::string& toNames, const std::string& ccNames) {
    toNames_ = qt(toNames).trimmed();
    ccNames_ = qt(ccNames).trimmed();
    if (mailingVisible_) layOutMailing();
}

void JotPadWindow::setAttachmentListVisible(bool visible) {
    if (visible == attachmentsVisible_) return;
    attachmentsVisible_ = visible;
    growBy(visible ? attachmentListHeight() : -attachmentListHeight());
}

void JotPadWindow::showAttachments(const std::vector<std::string>& names, bool asLinks) {
    const QIcon icon = noteIcon(asLinks ? NoteIcon::Link : NoteIcon::Attach);
    attachments_->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(icon, qt(name), attachments_);
        item->setToolTip(asLinks ? tr("Linked to the item") : tr("Sent along with the item"));
    }
}

void JotPadWindow::clearAttachmentSelection() {
    attachments_->clearSelection();
}

void JotPadWindow::setShadowMenuCaption(const std::string& caption) {
    shadowItem_->setText(qt(caption) + "\tCtrl+W");
}

void JotPadWindow::setTitleActive(bool active) {
    title_->setActive(active);
    showTitleColours();
}

void JotPadWindow::showTitleColours() {
    // The title bar's marks take the colour of its text.
    const QColor ink = title_->palette().color(QPalette::WindowText);
    menuArrow_->setPixmap(tinted(noteIcon(NoteIcon::MenuArrow), QSize(kMenuArrowWidth, 16), ink));
    close_->setIcon(tinted(noteIcon(NoteIcon::Close), QSize(16, 16), ink));
}

void JotPadWindow::focusMemo() {
    if (!isActiveWindow()) activateWindow();
    memo_->setFocus(Qt::OtherFocusReason);
}

void JotPadWindow::setMemoText(const std::string& text) {
    const QSignalBlocker quiet(memo_);
    memo_->setPlainText(platform::qt(text));
    memo_->moveCursor(QTextCursor::End);
}

void JotPadWindow::popUpTypeMenu() {
    const QLabel* slot = typeIcons_[static_cast<std::size_t>(ItemType::Task)];
    typeMenu_->popup(title_->mapToGlobal(QPoint(slot->x(), title_->height())));
    // The arrow keys start from the type the note has.
    typeMenu_->setActiveAction(typeItems_[static_cast<std::size_t>(shownType_)]);
}

void JotPadWindow::popUpLogoMenu(MenuPlace place) {
    logoMenu_->popup(place == MenuPlace::AtMouse
                         ? QCursor::pos()
                         : title_->mapToGlobal(QPoint(logo_->x(), title_->height())));
}

Rect JotPadWindow::frame() const {
    const QRect f = frameGeometry();
    return {f.x(), f.y(), f.width(), f.height()};
}

void JotPadWindow::setFrame(const Rect& frame) {
    const QSize decoration = frameGeometry().size() - geometry().size();
    resize(frame.width - decoration.width(), frame.height - decoration.height());
    move(frame.left, frame.top);
}

Rect JotPadWindow::workArea() const {
    const QScreen* here = screen() ? screen() : QGuiApplication::primaryScreen();
    return workAreaOf(here);
}

Rect JotPadWindow::workAreaAt(int x, int y) const {
    const QPoint point(x, y);
    const QScreen* chosen = QGuiApplication::screenAt(point);
    if (!chosen) {
        // Off every screen: the screen nearest to the point.
        int best = std::numeric_limits<int>::max();
        for (const QScreen* screen : QGuiApplication::screens()) {
            const QRect area = screen->geometry();
            const QPoint inside(std::clamp(x, area.left(), area.right()),
                                std::clamp(y, area.top(), area.bottom()));
            if (const int way = (inside - point).manhattanLength(); way < best) {
                best = way;
                chosen = screen;
            }
        }
    }
    return workAreaOf(chosen ? chosen : QGuiApplication::primaryScreen());
}

int JotPadWindow::recipientRowHeight() const {
    return std::max(kRecipientRowHeight, to_->fontMetrics().height() + 1);
}

int JotPadWindow::recipientPanelHeight() const {
    const int frame = mailing_->frameWidth();
    return 2 * frame + 4 + recipientRows() * recipientRowHeight() + (recipientRows() - 1);
}

int JotPadWindow::mailingPanelHeight() const {
    // The panel and the gap between it and the memo below it.
    return recipientPanelHeight() + kMailingGap;
}

int JotPadWindow::attachmentListHeight() const {
    return kAttachmentRows * AttachmentDelegate::rowHeight(attachments_->fontMetrics()) +
           2 * attachments_->frameWidth();
}

void JotPadWindow::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busy_;
    } else if (busy_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_;
    }
}

void JotPadWindow::showAndActivate() {
    // The shadow first: a window shown after the note could take the activation from it.
    shadow_->show();
    show();
    raise();
    activateWindow();
}

void JotPadWindow::lowerBehindShadow() {
    // Raising the note and then its shadow leaves the note directly behind the shadow.
    raise();
    shadow_->raise();
}

void JotPadWindow::setEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
}

void JotPadWindow::closeWindow() {
    if (closed_) return;
    closed_ = true;  // from here on no event reaches the logic, and the close runs once
    guarded(this, [this] { logic_->FormClose(); });
    shadow_->hide();
    hide();
    deleteLater();
}

mapi::ULONG_PTR JotPadWindow::ownerHandle() const {
    return 0;
}

// ---- Window events ----

void JotPadWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            forward([](JotPadEvents& e) { e.FormActivate(); });
        else
            forward([](JotPadEvents& e) { e.FormDeactivate(); });
    } else if (event->type() == QEvent::PaletteChange) {
        showTitleColours();
    } else if (event->type() == QEvent::FontChange) {
        layOut();
    }
}

void JotPadWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    forward([](JotPadEvents& e) { e.FormMoved(); });
}

void JotPadWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
    forward([](JotPadEvents& e) { e.FormResize(); });
}

void JotPadWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!closed_) shadow_->show();
}

void JotPadWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    shadow_->hide();
}

void JotPadWindow::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    // The window system asks the note to close: that is the close button, which may ask
    // whether to save; it runs once this event is over.
    event->ignore();
    QTimer::singleShot(0, this, [this] { forward([](JotPadEvents& e) { e.btnCloseClick(); }); });
}

void JotPadWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace notes::ui
