#pragma once

#include <string>

namespace notes {
class TJotPad;
struct NoteContext;
}  // namespace notes

namespace shell {

// The program's tray icon and its window that never shows, as THidden drives them.
class HiddenView {
public:
    virtual ~HiddenView() = default;
    // Whether a tray host is there to show an icon now (one may start after the program).
    virtual bool trayAvailable() const = 0;
    // False when the icon could not be added.
    virtual bool addTrayIcon(const std::string& tip) = 0;
    virtual void removeTrayIcon() = 0;
    // The tray menu at the mouse.
    virtual void popUpTrayMenu() = 0;
    virtual void beep() = 0;
    // Ends the event loop: the program ends with the exit code.
    virtual void quit(int exitCode) = 0;
};

// A modal window of the shell, such as About or Keywords.
class ModalWindow {
public:
    virtual ~ModalWindow() = default;
    // Shows the window until the user closes it; its result.
    virtual int showModal() = 0;
    virtual void bringToFront() = 0;
};

// Opens note windows.
class NoteWindows {
public:
    virtual ~NoteWindows() = default;
    // A new note with its windows, not yet shown; its logic belongs to its window. Null
    // when it could not be made (the user was told why).
    virtual notes::TJotPad* OpenNote(notes::NoteContext& context) = 0;
};

}  // namespace shell
