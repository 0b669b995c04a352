#pragma once

#include <string>
#include <vector>

#include "notes/item_type.h"
#include "notes/note_geometry.h"
#include "outlook/mapi.h"

namespace notes {

enum class MenuPlace { AtMouse, AtLogo };

// The action note's window as its logic drives it: what it shows, and the few facts of
// the screen the logic needs. Nothing a view is told comes back as a user event.
class JotPadView {
public:
    virtual ~JotPadView() = default;

    // The type's name in the title label, the window caption, the one visible type icon
    // and the one checked item of the type menu.
    virtual void showType(ItemType type, const std::string& windowCaption) = 0;
    virtual void setSaveButton(const std::string& caption, const std::string& hint) = 0;
    virtual void setAttachEnabled(bool enabled) = 0;
    // The second role of the recipients panel: its label and its names.
    virtual void setCcLineVisible(bool visible) = 0;
    // Showing or hiding the recipients panel grows or shrinks the window by the panel's
    // height, so the memo keeps its size.
    virtual void setMailingPanelVisible(bool visible) = 0;
    virtual void setRecipientRoles(const std::string& toRole, const std::string& ccRole) = 0;
    virtual void setRecipientNames(const std::string& toNames, const std::string& ccNames) = 0;
    // Showing or hiding the attachment list grows or shrinks the window by the list's height.
    virtual void setAttachmentListVisible(bool visible) = 0;
    // The attached files' names in order, each with the icon of a link (the note is filed
    // into a folder) or of a file sent along (the note goes to recipients).
    virtual void showAttachments(const std::vector<std::string>& names, bool asLinks) = 0;
    virtual void clearAttachmentSelection() = 0;
    // The logo menu's item that moves the shadow ("Move Shadow Behind" or "Move Shadow To Side").
    virtual void setShadowMenuCaption(const std::string& caption) = 0;
    // The title panel in the system's colours of an active or an inactive caption.
    virtual void setTitleActive(bool active) = 0;

    virtual void focusMemo() = 0;
    // The memo holds `text`, with the caret at its end, as if the user had typed it.
    virtual void setMemoText(const std::string& text) = 0;
    // The type menu below the left end of the task icon; the logo menu at the mouse, or
    // below the logo when the keyboard opens it.
    virtual void popUpTypeMenu() = 0;
    virtual void popUpLogoMenu(MenuPlace place) = 0;

    // The window's frame on the screen, and the work area of the screen it is on.
    virtual Rect frame() const = 0;
    virtual void setFrame(const Rect& frame) = 0;
    virtual Rect workArea() const = 0;
    // The work area of the screen that holds the point, or of the screen nearest to it.
    virtual Rect workAreaAt(int x, int y) const = 0;
    // The heights the recipients panel and the attachment list add to the window.
    virtual int mailingPanelHeight() const = 0;
    virtual int attachmentListHeight() const = 0;

    // The hourglass over the note while it is being filed.
    virtual void setBusy(bool busy) = 0;
    virtual void showAndActivate() = 0;
    // Puts the note directly behind its shadow without activating it.
    virtual void lowerBehindShadow() = 0;
    // Disabled while a dialog of its shadow is open.
    virtual void setEnabled(bool enabled) = 0;
    // Ends the window; the logic's FormClose runs as it goes.
    virtual void closeWindow() = 0;
    // The window that owns the dialogs the note opens (0 for none).
    virtual mapi::ULONG_PTR ownerHandle() const = 0;
};

}  // namespace notes
