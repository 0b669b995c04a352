#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "notes/note_context.h"
#include "notes/note_host.h"
#include "outlook/session/contact_listener.h"
#include "platform/event_loop.h"
#include "platform/global_hot_key.h"
#include "platform/help_viewer.h"
#include "shell/action_notifier.h"
#include "shell/filed_confirmation.h"
#include "shell/hidden_view.h"

namespace shell {

class TGettingStarted;
class TRegistry;
class TTraylessNotice;

// The running program behind its tray icon: the open notes, the one modal window at a
// time, the tray menu's commands, the hot key, and Exit. The notes reach it as their host,
// and the Outlook session tells it of every change to the contacts.
class THidden : public notes::NoteHost, public outlook::ContactListener {
public:
    struct Services {
        outlook::TDataStore& store;
        TRegistry& settings;
        platform::MessageBoxes& boxes;
        platform::FileDialogs& files;
        const platform::Clock& clock;
        platform::ShortDateFormat dateFormat;
        platform::EventLoop& loop;
        platform::GlobalHotKey& hotKey;
        platform::HelpViewer& help;
        HiddenView& view;
        NoteWindows& windows;
        ModalWindow& about;
        ModalWindow* keywords;  // null until the keywords window exists
        // Where the start says that the program is up, or why it cannot go on.
        std::ostream& console;
        TGettingStarted* gettingStarted = nullptr;  // null where the program has none
        TTraylessNotice* trayless = nullptr;        // null where the program has none
        // Where filings are confirmed, with Undo; null where the program shows nothing.
        ActionNotifier* notifier = nullptr;
    };

    explicit THidden(Services services);
    ~THidden() override;
    THidden(const THidden&) = delete;
    THidden& operator=(const THidden&) = delete;

    // After the connection: the tray icon (waiting for a tray host to appear), then the hot
    // key. Without a tray the program runs on without its icon, tells the user what to do
    // instead, and shows the icon once a tray host appears.
    void FormShow();

    // The tray icon: a double click opens a note, a right click shows the menu.
    void TrayDoubleClick();
    void TrayRightClick();

    // The tray menu.
    void miNewJotPadClick();
    void miNewContactClick();
    void miOpenOutlookClick();
    void miKeywordsClick();
    void miHelpClick();
    void miGettingStartedClick();
    void sClick();  // About...
    void miExitClick();

    // Opens a note now (the hot key and posted requests end here).
    void NewNote() { NewNote(std::string()); }
    // Opens a note with `text` typed into it and brings it to the front; false when a modal
    // window turned it away or it could not be made.
    bool NewNote(const std::string& text);
    // Opens a note again as the user left it when it was filed.
    bool NewNote(const notes::NoteSnapshot& snapshot);

    // NoteHost
    void PostNewNote() override;
    void RemoveNote(notes::TJotPad& note) override;
    void NoteFiled(notes::TJotPad& note, const notes::FilingResult& result) override;
    void CategoriesChanged() override;
    bool Exiting() const override { return exiting; }
    void NewContact(bool checkModal) override;
    void OpenOutlook() override;
    void ShowKeywords() override;
    void ShowHelp() override;
    void ShowAbout() override;
    void Exit() override;

    // ContactListener
    void ContactChanged(outlook::TContact* added, outlook::TContact* removed) override;

    const std::vector<notes::TJotPad*>& openNotes() const { return openNotes_; }
    std::uint16_t hotKeyAtom = 0;
    ModalWindow* modalWindow = nullptr;
    bool exiting = false;

private:
    // True when a modal window is open: it is brought to the front with a beep.
    bool ModalCheck();
    // Shows a window modally unless another one is open.
    void ModalGuard(ModalWindow& window);
    void WaitForTray(int attemptsLeft);
    void AddTrayIcon();
    // Keeps whether the icon is shown, and tells Getting Started, whose texts depend on it.
    void SetTrayIcon(bool shown);
    void RunWithoutTray();
    void WatchForTray();
    // False when the program runs without the hot key.
    bool RegisterHotKey();
    void StopTrayTimer();
    // Tells once why the program runs without the hot key, and what to do instead.
    void HotKeyUnavailable(const std::string& reason);

    Services services_;
    notes::NoteContext noteContext_;
    std::vector<notes::TJotPad*> openNotes_;
    std::unique_ptr<TFiledConfirmation> confirmation_;
    platform::EventLoop::TimerId trayTimer_ = 0;
    bool trayIcon_ = false;
};

}  // namespace shell
