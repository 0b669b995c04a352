#pragma once

#include <string>
#include <vector>

#include "notes/jotpad_view.h"
#include "notes/shadow_view.h"

namespace notes {

// A note without a window, for filing from the command line: it keeps what it is told to
// show, so that what was understood can be printed.
class HeadlessJotPadView : public JotPadView {
public:
    void showType(ItemType type, const std::string&) override { shownType = type; }
    void setSaveButton(const std::string&, const std::string&) override {}
    void setAttachEnabled(bool) override {}
    void setCcLineVisible(bool) override {}
    void setMailingPanelVisible(bool) override {}
    void setRecipientRoles(const std::string& to, const std::string& cc) override {
        toRole = to;
        ccRole = cc;
    }
    void setRecipientNames(const std::string&, const std::string&) override {}
    void setAttachmentListVisible(bool) override {}
    void showAttachments(const std::vector<std::string>&, bool) override {}
    void clearAttachmentSelection() override {}
    void setShadowMenuCaption(const std::string&) override {}
    void setTitleActive(bool) override {}
    void focusMemo() override {}
    void setMemoText(const std::string&) override {}
    void popUpTypeMenu() override {}
    void popUpLogoMenu(MenuPlace) override {}
    Rect frame() const override { return {}; }
    void setFrame(const Rect&) override {}
    Rect workArea() const override { return {}; }
    Rect workAreaAt(int, int) const override { return {}; }
    int mailingPanelHeight() const override { return 0; }
    int attachmentListHeight() const override { return 0; }
    void setBusy(bool) override {}
    void showAndActivate() override {}
    void lowerBehindShadow() override {}
    void setEnabled(bool) override {}
    void closeWindow() override { closed = true; }
    mapi::ULONG_PTR ownerHandle() const override { return 0; }

    ItemType shownType = ItemType::Task;
    std::string toRole, ccRole;
    bool closed = false;
};

// The shadow of a note without a window: the note's logic keeps its texts itself.
class HeadlessShadowView : public ShadowView {
public:
    void setDateText(const std::string&) override {}
    void setWeekday(std::optional<std::chrono::weekday>) override {}
    void setStartText(const std::string&) override {}
    void setEndText(const std::string&) override {}
    void setRepeatText(const std::string&) override {}
    bool listsContacts() const override { return false; }
    void setContacts(const std::vector<ContactChoice>&) override {}
    void selectContact(const std::string&) override {}
    void setCategories(const std::vector<std::string>&) override {}
    void setCategoryText(const std::string&) override {}
    void setDateTimeImage(bool) override {}
    void setContactImage(bool) override {}
    void setCategoryImage(bool) override {}
    void setPlacementButtons(bool) override {}
    int width() const override { return 0; }
    int height() const override { return 0; }
    int imageColumnLeft() const override { return 0; }
    void moveBehindNote(int, int) override {}
    void setVisible(bool) override {}
    void setEnabled(bool) override {}
    void focusDate() override {}
    void focusStart() override {}
    void focusEnd() override {}
    void focusContact() override {}
    void focusCategory() override {}
};

}  // namespace notes
