#include "shell/ui/tray_program.h"

#include <fcntl.h>
#include <unistd.h>
#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include <utility>

#include "keywords/ui/keywords_window.h"
#include "messages/error_box.h"
#include "notes/ui/jotpad_window.h"
#include "outlook/local/desktop/desktop_contacts.h"
#include "outlook/local/desktop/desktop_setting.h"
#include "outlook/local/local_outlook.h"
#include "outlook/local/transport/background_sender.h"
#include "outlook/local/ui/store_windows.h"
#include "outlook/local/window_sizes.h"
#include "outlook/session/contact_cache.h"
#include "outlook/session/data_store.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/file_registry.h"
#include "platform/locale.h"
#include "platform/own_file_name.h"
#include "platform/ui/desktop_help_viewer.h"
#include "platform/ui/global_hot_key_choice.h"
#include "platform/ui/qt_event_loop.h"
#include "platform/ui/qt_file_dialogs.h"
#include "shell/command_dispatcher.h"
#include "shell/hidden.h"
#include "shell/settings.h"
#include "shell/splash.h"
#include "shell/ui/about_window.h"
#include "shell/ui/command_server.h"
#include "shell/ui/dbus_notifier.h"
#include "shell/ui/desktop_calendar_choice.h"
#include "shell/ui/getting_started_window.h"
#include "shell/ui/keywords_modal.h"
#include "shell/ui/note_windows.h"
#include "shell/ui/product_picture.h"
#include "shell/ui/program_reminders.h"
#include "shell/ui/splash_window.h"
#include "shell/ui/tray_window.h"
#include "shell/ui/trayless_window.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>

namespace shell::ui {
namespace {

// How often what waits in the Outbox is tried again while the program runs.
constexpr std::chrono::minutes kOutboxRetry{5};

// ---- The running program ----

// Everything the program runs with, made in the order it needs: the platform's services,
// then the windows (the splash, which shows itself, the tray window, About). The session
// comes with the splash's connection, THidden with the hand-over. Ending it ends the open
// notes and the windows first, then the session.
class TrayProgram : public Held, public SplashHost {
public:
    TrayProgram()
        : registry_(platform::openUserRegistry()),
          settings_(*registry_),
          help_(programFile_.parent_path(), boxes_, kProgramTitle),
          // Before the splash connects: the store's first connection writes settings too.
          gettingStarted_(std::make_unique<GettingStartedWindow>(
              settings_, boxes_, platform::autostartFolder(), programFile_, &desktopCalendar_)),
          splash_(std::make_unique<SplashWindow>(*this, loop_, programFile_, std::cerr)),
          tray_(std::make_unique<TrayWindow>()),
          about_(std::make_unique<AboutWindow>(programFile_)),
          trayless_(std::make_unique<TraylessWindow>(settings_, notifier_)) {
        messages::InstallErrorBox(&errorBox_);
        splash_->show();
    }

    ~TrayProgram() override {
        // Notes still open when the loop ended another way than Exit (a signal) go without
        // a question, while THidden is there to hear of them.
        // A note takes its shadow with it, so the list is of guarded pointers.
        std::vector<QPointer<QWidget>> windows;
        for (QWidget* window : QApplication::topLevelWidgets())
            windows.emplace_back(window);
        for (const QPointer<QWidget>& window : windows)
            if (auto* note = dynamic_cast<notes::ui::JotPadWindow*>(window.data())) delete note;
        commandServer_.reset();
        commands_.reset();
        tray_->setLogic(nullptr);
        hidden_.reset();
        keywordsModal_.reset();
        keywordsWindow_.reset();
        about_.reset();
        trayless_.reset();
        gettingStarted_.reset();
        tray_.reset();
        splash_.reset();
        DestroySession();
        messages::InstallErrorBox(nullptr);
    }

    // SplashHost
    outlook::TDataStore& CreateSession() override {
        outlook_ = outlook::local::LocalOutlook::openLazily(
            outlook::local::LocalOutlook::defaultDatabasePath(), *registry_, loop_);
        // The store's own windows: the contact form, the explorer, the address book.
        storeWindows_ = outlook::local::installStoreWindows(*outlook_, nullptr, &windowSizes_);
        // What a note sends goes out in the background; what did not go is said in a box.
        sender_ = std::make_unique<outlook::local::transport::BackgroundSender>(
            [outlook = outlook_.get()] { return outlook->store(); }, *registry_, loop_,
            [this](const outlook::local::transport::Delivery& delivery) {
                boxes_.show(kProgramTitle, outlook::local::transport::notSentText(delivery),
                            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
            });
        outlook_->outbox().setListener(
            [sender = sender_.get()](std::int64_t item) { sender->sendQueued(item); });
        session_ = std::make_unique<outlook::TDataStore>(
            outlook::TDataStore::Platform{outlook_->automation(), outlook_->mapi(), *registry_});
        session_->SetContactCacheFile(outlook::DefaultContactCacheFile());
        outlook::InstallDataStore(session_.get());
        errorBox_.setSession(session_.get());
        return *session_;
    }

    void DestroySession() override {
        desktopContacts_.reset();
        reminders_.reset();
        errorBox_.setSession(nullptr);
        outlook::InstallDataStore(nullptr);
        session_.reset();
        if (outlook_) outlook_->outbox().setListener(nullptr);
        sender_.reset();
        storeWindows_.reset();
        outlook_.reset();
    }

    void ShowHidden() override {
        keywordsWindow_ = std::make_unique<keywords::ui::KeywordsWindow>(*session_, boxes_, help_);
        keywordsModal_ = std::make_unique<KeywordsModal>(*keywordsWindow_);
        hidden_ = std::make_unique<THidden>(THidden::Services{
            *session_, settings_, boxes_, files_, clock_, platform::systemShortDateFormat(), loop_,
            *hotKey_, help_, *tray_, noteWindows_, *about_, keywordsModal_.get(), std::cerr,
            &gettingStarted_->logic(), &trayless_->logic(), &notifier_});
        tray_->setLogic(hidden_.get());
        hidden_->FormShow();
        gettingStarted_->logic().ProgramStarted();
        commands_ = std::make_unique<CommandDispatcher>(*hidden_, loop_);
        commandServer_ = startCommandServer(*commands_, std::cerr);
        // What waits in the Outbox goes out now and is tried again every few minutes.
        sender_->retryEvery(kOutboxRetry);
        reminders_ =
            std::make_unique<ProgramReminders>(*session_, notifier_, wallClock_, loop_, *registry_);
        followDesktopContacts();
    }

    // exit, not quit: quit asks every window to close first, and a note may refuse.
    void Quit(int exitCode) override { QCoreApplication::exit(exitCode); }

private:
    // With the desktop calendar switched on, the desktop's address book is kept in Contacts
    // while the program runs; its copies reach the session's contacts and keywords as any
    // change of the store does. The desktop module loads only then.
    void followDesktopContacts() {
        const auto setting = outlook::local::desktop::readDesktopSetting(*registry_);
        const auto store = setting.enabled && outlook_ ? outlook_->store() : nullptr;
        if (!store) return;
        outlook::local::desktop::DesktopContacts::Options options;
        options.sourceUid = setting.addressBook;
        options.problem = [](const std::string& problem) {
            std::cerr << "jotwise: the desktop's address book cannot be followed: " << problem
                      << "\n";
        };
        desktopContacts_ =
            std::make_unique<outlook::local::desktop::DesktopContacts>(store, std::move(options));
    }

    const std::filesystem::path programFile_ = platform::ownFileName();
    std::unique_ptr<platform::Registry> registry_;
    platform::QtEventLoop loop_;
    platform::QtMessageBoxes boxes_;
    messages::ErrorBox errorBox_{boxes_};
    platform::QtFileDialogs files_;
    platform::SystemClock clock_;
    // Ctrl+Alt+N; on Wayland the desktop lists the action under this description.
    std::unique_ptr<platform::GlobalHotKey> hotKey_ =
        platform::chooseGlobalHotKey({"new-note", "New action note"});
    TRegistry settings_;
    LocalDesktopCalendarSwitch desktopCalendar_{*registry_};
    platform::DesktopHelpViewer help_;
    QtNoteWindows noteWindows_;
    DBusNotifier notifier_;
    outlook::local::RegistryWindowSizes windowSizes_{*registry_};

    std::unique_ptr<outlook::local::LocalOutlook> outlook_;
    std::unique_ptr<outlook::local::StoreWindows> storeWindows_;
    std::unique_ptr<outlook::local::transport::BackgroundSender> sender_;
    std::unique_ptr<outlook::TDataStore> session_;
    platform::SystemWallClock wallClock_;
    std::unique_ptr<ProgramReminders> reminders_;
    std::unique_ptr<outlook::local::desktop::DesktopContacts> desktopContacts_;

    std::unique_ptr<GettingStartedWindow> gettingStarted_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<TrayWindow> tray_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<TraylessWindow> trayless_;
    std::unique_ptr<keywords::ui::KeywordsWindow> keywordsWindow_;
    std::unique_ptr<KeywordsModal> keywordsModal_;
    std::unique_ptr<THidden> hidden_;
    std::unique_ptr<CommandDispatcher> commands_;
    std::unique_ptr<CommandServer> commandServer_;
};

// ---- Starting Qt ----

// Qt ends the process when its windowing system cannot start; what it said until then is kept
// and shown only when the start succeeds, so that a failed start says one clear line.
std::vector<std::pair<QtMsgType, QString>>* gStartMessages = nullptr;
QtMessageHandler gPreviousHandler = nullptr;

void onStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::cerr << NoDesktopMessage("the windowing system could not be started") << "\n";
        std::_Exit(kProgramNoDesktop);
    }
    if (gStartMessages)
        gStartMessages->emplace_back(type, text);
    else if (gPreviousHandler)
        gPreviousHandler(type, context, text);
}

// Whether an X server answers at $DISPLAY.
bool x11DisplayAnswers() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

// ---- Termination signals ----

// A termination signal ends the event loop, so that the session and the lock end properly.
int gSignalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(gSignalPipe[1], &byte, 1);
}

}  // namespace

QtDesktopPlatform::QtDesktopPlatform(int& argc, char** argv) : argc_(argc), argv_(argv) {}

QtDesktopPlatform::~QtDesktopPlatform() = default;

bool QtDesktopPlatform::StartDesktop(const std::string& title, std::string& reason) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty() && display.isEmpty() && !wayland) {
        reason = "no X11 or Wayland display: DISPLAY and WAYLAND_DISPLAY are not set";
        return false;
    }
    const bool x11 = platform.startsWith("xcb") || (platform.isEmpty() && !wayland);
    if (x11 && !x11DisplayAnswers()) {
        reason = "the X11 display '" + display.toStdString() + "' does not answer";
        return false;
    }

    std::vector<std::pair<QtMsgType, QString>> messages;
    gStartMessages = &messages;
    gPreviousHandler = qInstallMessageHandler(onStartMessage);
    app_ = std::make_unique<QApplication>(argc_, argv_);
    gStartMessages = nullptr;
    qInstallMessageHandler(gPreviousHandler);
    for (const auto& [type, text] : messages)
        qt_message_output(type, QMessageLogContext(), text);

    // The title names the program to the desktop (its task switcher and tray); as a display
    // name Qt would also append it to every window's caption, so the notes' own captions
    // ("Task - Jotwise") would not stand as they are.
    QApplication::setApplicationName(QString::fromStdString(title));
    QApplication::setDesktopFileName("jotwise");
    QApplication::setWindowIcon(productIcon());
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    return true;
}

std::unique_ptr<Held> QtDesktopPlatform::Lock(std::string_view name,
                                              platform::SingleInstanceLock::Outcome& outcome,
                                              std::string& reason) {
    return TakeInstanceLock(name, outcome, reason);
}

std::unique_ptr<Held> QtDesktopPlatform::StartProgram() {
    return std::make_unique<TrayProgram>();
}

int QtDesktopPlatform::RunEventLoop() {
    std::unique_ptr<QSocketNotifier> notifier;
    if (pipe2(gSignalPipe, O_CLOEXEC) == 0) {
        notifier = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [] {
            char byte = 0;
            [[maybe_unused]] const auto got = read(gSignalPipe[0], &byte, 1);
            // Notes still open are dropped: the signal asks for an end, not for questions.
            QCoreApplication::exit(0);
        });
        struct sigaction action {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            sigaction(signal, &action, nullptr);
    }
    const int exitCode = QApplication::exec();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    notifier.reset();
    for (int& end : gSignalPipe)
        if (end >= 0) close(std::exchange(end, -1));
    return exitCode;
}

}  // namespace shell::ui
