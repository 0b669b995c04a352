#include "shell/hidden.h"

#include <algorithm>
#include <new>
#include <utility>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "outlook/automation.h"
#include "outlook/items/contact.h"
#include "outlook/session/data_store.h"
#include "platform/atom_table.h"
#include "shell/getting_started.h"
#include "shell/settings.h"
#include "shell/trayless_notice.h"

namespace shell {
namespace {

constexpr const char* kTitle = "Jotwise for Microsoft Outlook";
constexpr const char* kHotKeyName = "ssHotKey";
constexpr int kCascade = 2 * 17;  // twice the note's title panel
// A tray host starting after the program gets ten seconds, looked for four times a second.
constexpr int kTrayAttempts = 40;
constexpr std::chrono::milliseconds kTrayInterval{250};
// After that the program runs without its icon and looks for a tray host now and then.
constexpr std::chrono::seconds kTrayWatchInterval{2};
constexpr messages::MessageId kTrayIconFailed = 28;
// The exit code of a start that could not go on.
constexpr int kStartFailed = 1;

// Told on the console once the program is up, for whoever started it from a terminal.
constexpr const char* kRunning =
    "Jotwise is running: press Ctrl+Alt+N for a note; its icon is in the system tray";
constexpr const char* kRunningWithoutHotKey =
    "Jotwise is running without Ctrl+Alt+N: its icon is in the system tray";
constexpr const char* kRunningWithoutTray =
    "Jotwise is running: press Ctrl+Alt+N for a note; no system tray: the icon shows when one "
    "starts (on GNOME, the AppIndicator extension), and `jotwise quit` ends the program";
constexpr const char* kRunningWithoutTrayOrHotKey =
    "Jotwise is running without Ctrl+Alt+N; no system tray: bind `jotwise note` to a key in "
    "the desktop's settings, the icon shows when a tray starts (on GNOME, the AppIndicator "
    "extension), and `jotwise quit` ends the program";
// The box's first sentence; the hot key's reason, which names what to do instead, follows.
constexpr const char* kHotKeyUnavailable =
    "Unable to register a system-wide hot-key (CTRL+ALT+N) for Jotwise for Microsoft Outlook.";
constexpr const char* kHotKeyTaken =
    "You may already be running a program which uses the CTRL+ALT+N hot key.";

}  // namespace

THidden::THidden(Services services)
    : services_(services), noteContext_{services.store,     *this,          services.settings,
                                        services.boxes,     services.files, services.clock,
                                        services.dateFormat} {
    services_.store.SetContactListener(this);
    if (services_.notifier)
        confirmation_ = std::make_unique<TFiledConfirmation>(
            TFiledConfirmation::Services{services_.store, *services_.notifier, services_.settings,
                                         services_.boxes, services_.clock},
            [this](const notes::NoteSnapshot& snapshot) { NewNote(snapshot); });
}

THidden::~THidden() {
    services_.store.SetContactListener(nullptr);
    services_.hotKey.onRefused(nullptr);
    StopTrayTimer();
}

// ---- Start ----

void THidden::FormShow() {
    if (services_.view.trayAvailable()) {
        AddTrayIcon();
        return;
    }
    // While the program waits for a tray host, Getting Started speaks of what works without
    // the icon; that holds with a tray too, and its texts change when the icon comes.
    SetTrayIcon(false);
    WaitForTray(kTrayAttempts);
}

void THidden::WaitForTray(int attemptsLeft) {
    trayTimer_ = services_.loop.startTimer(
        kTrayInterval,
        [this, attemptsLeft] {
            trayTimer_ = 0;
            if (services_.view.trayAvailable())
                AddTrayIcon();
            else if (attemptsLeft > 1)
                WaitForTray(attemptsLeft - 1);
            else
                RunWithoutTray();
        },
        false);
}

void THidden::AddTrayIcon() {
    if (!services_.view.addTrayIcon(kTitle)) {
        messages::ShowError(messages::kInitializationFailed, kTrayIconFailed);
        services_.view.quit(kStartFailed);
        return;
    }
    SetTrayIcon(true);
    RegisterHotKey();
}

void THidden::SetTrayIcon(bool shown) {
    trayIcon_ = shown;
    if (services_.gettingStarted) services_.gettingStarted->TrayIconShown(shown);
}

// Most desktops without a tray still let the user bind a key to `jotwise note`, so the
// program stays; a tray host started later (or a desktop extension enabled later) gets the icon.
void THidden::RunWithoutTray() {
    const bool hotKey = RegisterHotKey();
    if (services_.trayless) services_.trayless->NoTray(hotKey);
    WatchForTray();
}

void THidden::WatchForTray() {
    trayTimer_ = services_.loop.startTimer(
        kTrayWatchInterval,
        [this] {
            // The program is already running: a tray host that refuses the icon is tried again
            // at the next look rather than ending the program with its notes.
            if (!services_.view.trayAvailable() || !services_.view.addTrayIcon(kTitle)) return;
            SetTrayIcon(true);
            StopTrayTimer();
            services_.console << "Jotwise's icon is in the system tray now\n";
        },
        true);
}

void THidden::StopTrayTimer() {
    if (trayTimer_) services_.loop.stopTimer(std::exchange(trayTimer_, 0));
}

bool THidden::RegisterHotKey() {
    hotKeyAtom = platform::globalAtomTable().add(kHotKeyName);
    // A desktop that answers later may still refuse the key.
    services_.hotKey.onRefused(
        [this](std::uint16_t, const std::string& reason) { HotKeyUnavailable(reason); });
    std::string reason;
    if (hotKeyAtom == 0 || !services_.hotKey.registerCtrlAlt(
                               hotKeyAtom, 'N', [this] { NewNote(); }, reason)) {
        HotKeyUnavailable(reason);
        return false;
    }
    services_.console << (trayIcon_ ? kRunning : kRunningWithoutTray) << "\n";
    return true;
}

void THidden::HotKeyUnavailable(const std::string& reason) {
    services_.console << (trayIcon_ ? kRunningWithoutHotKey : kRunningWithoutTrayOrHotKey) << "\n";
    std::string text = kHotKeyUnavailable;
    text.append(" ").append(reason.empty() ? kHotKeyTaken : reason);
    services_.boxes.show(kTitle, text, platform::MessageIcon::Information,
                         platform::MessageButtons::Ok);
}

// ---- The tray ----

void THidden::TrayDoubleClick() {
    PostNewNote();
}

void THidden::TrayRightClick() {
    services_.view.popUpTrayMenu();
}

void THidden::miNewJotPadClick() {
    PostNewNote();
}

void THidden::miNewContactClick() {
    NewContact(true);
}

void THidden::miOpenOutlookClick() {
    OpenOutlook();
}

void THidden::miKeywordsClick() {
    ShowKeywords();
}

void THidden::miHelpClick() {
    ShowHelp();
}

void THidden::miGettingStartedClick() {
    if (ModalCheck()) return;
    if (services_.gettingStarted) services_.gettingStarted->Show();
}

void THidden::sClick() {
    ShowAbout();
}

// ---- Modal windows ----

bool THidden::ModalCheck() {
    if (!modalWindow) return false;
    services_.view.beep();
    modalWindow->bringToFront();
    return true;
}

void THidden::ModalGuard(ModalWindow& window) {
    if (ModalCheck()) return;
    modalWindow = &window;
    window.showModal();
    modalWindow = nullptr;
}

// ---- Notes ----

void THidden::PostNewNote() {
    services_.loop.post([this] { NewNote(); });
}

bool THidden::NewNote(const std::string& text) {
    if (ModalCheck()) return false;
    notes::TJotPad* note = nullptr;
    try {
        note = services_.windows.OpenNote(noteContext_);
    } catch (const std::bad_alloc&) {
        messages::ShowError(messages::kOutOfMemory);
        return false;
    }
    if (!note) return false;
    std::optional<std::pair<int, int>> at;
    if (!openNotes_.empty()) {
        const notes::Rect last = openNotes_.back()->View().frame();
        at = std::make_pair(last.left + kCascade, last.top + kCascade);
    }
    openNotes_.push_back(note);
    note->PlaceNew(at);
    note->View().showAndActivate();
    if (!text.empty()) {
        // As if typed: the memo shows the text and the note parses it.
        note->View().setMemoText(text);
        note->memoBodyChange(text);
    }
    return true;
}

bool THidden::NewNote(const notes::NoteSnapshot& snapshot) {
    if (!NewNote(std::string())) return false;
    notes::RestoreSnapshot(*openNotes_.back(), snapshot);
    return true;
}

void THidden::NoteFiled(notes::TJotPad& note, const notes::FilingResult& result) {
    // Only a program that confirms filings spends the reads on describing one.
    if (confirmation_) confirmation_->Filed(notes::DescribeFiling(note, result));
}

void THidden::RemoveNote(notes::TJotPad& note) {
    openNotes_.erase(std::remove(openNotes_.begin(), openNotes_.end(), &note), openNotes_.end());
}

void THidden::CategoriesChanged() {
    for (notes::TJotPad* note : std::vector(openNotes_))
        note->CategoriesChanged();
}

void THidden::ContactChanged(outlook::TContact* added, outlook::TContact* removed) {
    std::optional<notes::ContactChoice> addedChoice;
    if (added) addedChoice = notes::ContactChoice{added->FileAs(), added->Key()};
    std::optional<std::string> removedKey;
    if (removed) removedKey = removed->Key();
    for (notes::TJotPad* note : std::vector(openNotes_))
        note->ContactChanged(addedChoice, removedKey);
}

// ---- Commands ----

void THidden::NewContact(bool checkModal) {
    if (checkModal && ModalCheck()) return;
    const std::unique_ptr<outlook::TContact> contact = services_.store.CreateContact();
    try {
        if (!contact) throw outlook::AutomationError(services_.store.LastError());
        contact->Display();
    } catch (const outlook::AutomationError& error) {
        services_.store.LastError() = error.what();
        messages::ShowError(messages::kCannotShowNewContact);
    }
}

void THidden::OpenOutlook() {
    if (const messages::MessageId id = services_.store.ShowOutlook()) messages::ShowError(id);
}

void THidden::ShowKeywords() {
    if (services_.keywords) ModalGuard(*services_.keywords);
}

void THidden::ShowHelp() {
    services_.help.showContents();
}

void THidden::ShowAbout() {
    ModalGuard(services_.about);
}

void THidden::Exit() {
    miExitClick();
}

// ---- Exit ----

void THidden::miExitClick() {
    // What a modal window shows must not go away under it.
    if (ModalCheck()) return;
    exiting = true;
    for (notes::TJotPad* note : std::vector(openNotes_)) {
        note->View().showAndActivate();
        note->CloseWithPrompt();
        // A note whose save failed stays open with its text: the user corrects it and exits
        // again.
        if (std::find(openNotes_.begin(), openNotes_.end(), note) != openNotes_.end()) {
            exiting = false;
            return;
        }
    }
    StopTrayTimer();
    services_.view.removeTrayIcon();
    if (hotKeyAtom) {
        services_.hotKey.unregister(hotKeyAtom);
        platform::globalAtomTable().remove(hotKeyAtom);
        hotKeyAtom = 0;
    }
    if (const messages::MessageId id = services_.store.SaveKeywords()) messages::ShowError(id);
    services_.view.quit(0);
}

}  // namespace shell
