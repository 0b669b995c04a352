#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "notes/jotpad.h"
#include "notes/jotpad_view.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "notes/shadow_view.h"
#include "platform/file_dialogs.h"

namespace notes::testing {

// A note window that remembers what it was told to show.
class FakeJotPadView : public JotPadView {
public:
    void showType(ItemType t, const std::string& caption) override {
        type = t;
        windowCaption = caption;
        ++typeDrawn;
    }
    void setSaveButton(const std::string& c, const std::string& h) override {
        saveCaption = c;
        saveHint = h;
    }
    void setAttachEnabled(bool on) override { attachEnabled = on; }
    void setCcLineVisible(bool on) override { ccLineVisible = on; }
    void setMailingPanelVisible(bool on) override {
        mailingVisible = on;
        frameRect.height += on ? kMailingHeight : -kMailingHeight;
    }
    void setRecipientRoles(const std::string& to, const std::string& cc) override {
        toRole = to;
        ccRole = cc;
    }
    void setRecipientNames(const std::string& to, const std::string& cc) override {
        toNames = to;
        ccNames = cc;
    }
    void setAttachmentListVisible(bool on) override {
        attachmentsVisible = on;
        frameRect.height += on ? kAttachmentsHeight : -kAttachmentsHeight;
    }
    void showAttachments(const std::vector<std::string>& names, bool links) override {
        attachmentNames = names;
        attachmentsAsLinks = links;
    }
    void clearAttachmentSelection() override { ++selectionCleared; }
    void setShadowMenuCaption(const std::string& caption) override { shadowMenuCaption = caption; }
    void setTitleActive(bool on) override { titleActive = on; }
    void focusMemo() override { ++memoFocused; }
    void setMemoText(const std::string& text) override { memoText = text; }
    void popUpTypeMenu() override { ++typeMenuShown; }
    void popUpLogoMenu(MenuPlace place) override {
        ++logoMenuShown;
        logoMenuPlace = place;
    }
    Rect frame() const override { return frameRect; }
    void setFrame(const Rect& r) override { frameRect = r; }
    Rect workArea() const override { return work; }
    // The screen whose work area holds the point, else the nearest (as the crow flies along
    // the axes), else `work` when no screens are listed.
    Rect workAreaAt(int x, int y) const override {
        const Rect* nearest = nullptr;
        int best = 0;
        for (const Rect& screen : screens) {
            const int dx = std::max({screen.left - x, 0, x - (screen.right() - 1)});
            const int dy = std::max({screen.top - y, 0, y - (screen.bottom() - 1)});
            if (!nearest || dx + dy < best) {
                nearest = &screen;
                best = dx + dy;
            }
        }
        return nearest ? *nearest : work;
    }
    int mailingPanelHeight() const override { return kMailingHeight; }
    int attachmentListHeight() const override { return kAttachmentsHeight; }
    void setBusy(bool on) override { busy = on; }
    void showAndActivate() override { ++activated; }
    void lowerBehindShadow() override { ++lowered; }
    void setEnabled(bool on) override { enabled = on; }
    void closeWindow() override { closed = true; }
    mapi::ULONG_PTR ownerHandle() const override { return 0; }

    static constexpr int kMailingHeight = 34;
    static constexpr int kAttachmentsHeight = 51;

    ItemType type = ItemType::Task;
    int typeDrawn = 0;
    std::string windowCaption, saveCaption, saveHint, toRole, ccRole, toNames, ccNames;
    std::string shadowMenuCaption, memoText;
    bool attachEnabled = true, ccLineVisible = false, mailingVisible = false;
    bool attachmentsVisible = false, attachmentsAsLinks = true, titleActive = false;
    bool busy = false, enabled = true, closed = false;
    std::vector<std::string> attachmentNames;
    int selectionCleared = 0, memoFocused = 0, typeMenuShown = 0, logoMenuShown = 0;
    MenuPlace logoMenuPlace = MenuPlace::AtMouse;
    int activated = 0, lowered = 0;
    Rect frameRect{100, 100, 194, 182};
    Rect work{0, 0, 1280, 800};
    std::vector<Rect> screens;  // work areas side by side; none: `work` alone
};

// A shadow window that remembers what it was told to show.
class FakeShadowView : public ShadowView {
public:
    void setDateText(const std::string& t) override { date = t; }
    void setWeekday(std::optional<std::chrono::weekday> day) override { weekday = day; }
    void setStartText(const std::string& t) override { start = t; }
    void setEndText(const std::string& t) override { end = t; }
    void setRepeatText(const std::string& words) override { repeat = words; }
    void setContacts(const std::vector<ContactChoice>& c) override {
        contacts = c;
        selected.clear();
    }
    void selectContact(const std::string& key) override { selected = key; }
    void setCategories(const std::vector<std::string>& c) override { categories = c; }
    void setCategoryText(const std::string& t) override { category = t; }
    void setDateTimeImage(bool on) override { dateTimeOn = on; }
    void setContactImage(bool on) override { contactOn = on; }
    void setCategoryImage(bool on) override { categoryOn = on; }
    void setPlacementButtons(bool b) override { behindButtons = b; }
    int width() const override { return 190; }
    int height() const override { return 150; }
    int imageColumnLeft() const override { return 145; }
    void moveBehindNote(int l, int t) override { position = {l, t}; }
    void setVisible(bool v) override { visible = v; }
    void setEnabled(bool e) override { enabled = e; }
    void focusDate() override { focused = "date"; }
    void focusStart() override { focused = "start"; }
    void focusEnd() override { focused = "end"; }
    void focusContact() override { focused = "contact"; }
    void focusCategory() override { focused = "category"; }

    std::string date, start, end, repeat, selected, category, focused;
    std::optional<std::chrono::weekday> weekday;
    std::vector<ContactChoice> contacts;
    std::vector<std::string> categories;
    bool dateTimeOn = false, contactOn = false, categoryOn = false, behindButtons = false;
    bool visible = false, enabled = true;
    std::pair<int, int> position{-1, -1};
};

// The running program as far as notes use it.
class FakeHost : public NoteHost {
public:
    void PostNewNote() override { calls.push_back("new note"); }
    void RemoveNote(TJotPad& note) override {
        calls.push_back("remove");
        removed.push_back(&note);
    }
    void CategoriesChanged() override { calls.push_back("categories changed"); }
    bool Exiting() const override { return exiting; }
    void NewContact(bool checkModal) override {
        calls.push_back(checkModal ? "new contact, checked" : "new contact");
    }
    void OpenOutlook() override { calls.push_back("open outlook"); }
    void ShowKeywords() override { calls.push_back("keywords"); }
    void ShowHelp() override { calls.push_back("help"); }
    void ShowAbout() override { calls.push_back("about"); }
    void Exit() override { calls.push_back("exit"); }

    std::vector<std::string> calls;
    std::vector<TJotPad*> removed;
    bool exiting = false;
};

class MemorySettings : public NoteSettings {
public:
    bool ReadPosition(int& l, int& t) override { return read(position, l, t); }
    bool ReadSize(int& w, int& h) override { return read(size, w, h); }
    void WritePosition(int l, int t) override { position = {l, t}; }
    void WriteSize(int w, int h) override { size = {w, h}; }
    bool ReadBeside() override { return beside.value_or(true); }
    void WriteBeside(bool b) override { beside = b; }
    std::uint64_t AttachmentLimit() override { return attachmentLimit; }

    std::optional<std::pair<int, int>> position, size;
    std::optional<bool> beside;
    std::uint64_t attachmentLimit = kDefaultAttachmentLimit;

private:
    static bool read(const std::optional<std::pair<int, int>>& pair, int& a, int& b) {
        if (!pair) return false;
        a = pair->first;
        b = pair->second;
        return true;
    }
};

// Answers the file dialog with the paths queued, then with a cancel.
class ScriptedFileDialogs : public platform::FileDialogs {
public:
    std::optional<std::string> openExistingFile(const std::string& caption) override {
        captions.push_back(caption);
        if (answers.empty()) return std::nullopt;
        std::string path = answers.front();
        answers.pop_front();
        return path;
    }
    std::deque<std::string> answers;
    std::vector<std::string> captions;
};

}  // namespace notes::testing
