#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "notes/jotpad.h"
#include "notes/jotpad_view.h"
#include "notes/note_context.h"
#include "notes/note_layout.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSizeGrip;
class QToolButton;

namespace notes::ui {

class FooterButton;
class KeyPreview;
class ShadowWindow;
class TitlePanel;

// The action note's window: a frameless, resizable window with a title bar, the memo the
// user types the sentence into, the recipients and the attached files, and a footer with
// the save button. It shows what its logic (TJotPad) tells it and passes on every user
// event; its shadow is a window of its own, made and ended with it.
//
// A note owns itself: create() hands it out hidden, for the program to place and show, and
// closeWindow() ends it (it is deleted once the current event is over). Deleting it
// directly, as when the program ends, also tells the logic that it closes.
class JotPadWindow : public QWidget, public JotPadView {
public:
    // The note and its shadow with their logic; null, with nothing shown, when the logic could
    // not make the shadow (the user was told why).
    static JotPadWindow* create(NoteContext& context);
    ~JotPadWindow() override;

    TJotPad& logic() { return *logic_; }
    ShadowWindow& shadowWindow() { return *shadow_; }

    // JotPadView
    void showType(ItemType type, const std::string& windowCaption) override;
    void setSaveButton(const std::string& caption, const std::string& hint) override;
    void setAttachEnabled(bool enabled) override;
    void setCcLineVisible(bool visible) override;
    void setMailingPanelVisible(bool visible) override;
    void setRecipientRoles(const std::string& toRole, const std::string& ccRole) override;
    void setRecipientNames(const std::string& toNames, const std::string& ccNames) override;
    void setAttachmentListVisible(bool visible) override;
    void showAttachments(const std::vector<std::string>& names, bool asLinks) override;
    void clearAttachmentSelection() override;
    void setShadowMenuCaption(const std::string& caption) override;
    void setTitleActive(bool active) override;
    void focusMemo() override;
    void setMemoText(const std::string& text) override;
    void popUpTypeMenu() override;
    void popUpLogoMenu(MenuPlace place) override;
    Rect frame() const override;
    void setFrame(const Rect& frame) override;
    Rect workArea() const override;
    Rect workAreaAt(int x, int y) const override;
    int mailingPanelHeight() const override;
    int attachmentListHeight() const override;
    void setBusy(bool busy) override;
    void showAndActivate() override;
    void lowerBehindShadow() override;
    void setEnabled(bool enabled) override;
    void closeWindow() override;
    mapi::ULONG_PTR ownerHandle() const override;

protected:
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit JotPadWindow(NoteContext& context);

    void buildTitle();
    void buildTypeMenu();
    void buildLogoMenu();
    void buildBody();
    void buildFooter();
    void buildAccelerators();
    void connectEvents();

    // Places every part for the current size, as the note's layout says.
    void layOut();
    void layOutTitle(const NoteLayout& layout);
    void layOutMailing();
    void layOutFooter(const NoteLayout& layout);
    NoteLayoutInput layoutInput() const;
    // Grows or shrinks the window by `delta` pixels of height, keeping the memo's size.
    void growBy(int delta);
    int recipientRows() const;
    int recipientRowHeight() const;
    int recipientPanelHeight() const;
    void showTitleColours();

    // Runs a user event through the logic, unless the note has closed, so that no exception
    // escapes into Qt.
    template <class Call>
    void forward(Call&& call);

    NoteContext& context_;
    std::unique_ptr<ShadowWindow> shadow_;
    std::unique_ptr<TJotPad> logic_;
    KeyPreview* keys_ = nullptr;
    bool closed_ = false;
    int busy_ = 0;

    ItemType shownType_ = ItemType::Task;
    bool mailingVisible_ = false;
    bool ccVisible_ = true;
    bool attachmentsVisible_ = false;
    QString toNames_, ccNames_;

    TitlePanel* title_ = nullptr;
    QLabel* typeName_ = nullptr;
    std::array<QLabel*, kItemTypeCount> typeIcons_{};
    QLabel* menuArrow_ = nullptr;
    QLabel* logo_ = nullptr;
    QToolButton* close_ = nullptr;
    QMenu* typeMenu_ = nullptr;
    std::array<QAction*, kItemTypeCount> typeItems_{};
    QMenu* logoMenu_ = nullptr;
    QAction* shadowItem_ = nullptr;

    QPlainTextEdit* memo_ = nullptr;
    QFrame* mailing_ = nullptr;
    QLabel* toRole_ = nullptr;
    QLabel* to_ = nullptr;
    QLabel* ccRole_ = nullptr;
    QLabel* cc_ = nullptr;
    QListWidget* attachments_ = nullptr;

    QWidget* footer_ = nullptr;
    QFrame* footerLine_ = nullptr;
    FooterButton* save_ = nullptr;
    FooterButton* mail_ = nullptr;
    FooterButton* attach_ = nullptr;
    FooterButton* contact_ = nullptr;
    QSizeGrip* grip_ = nullptr;
};

}  // namespace notes::ui
