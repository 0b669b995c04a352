// What the real windows cost with a large address book (5,000 contacts, 200 categories): one
// keystroke in a note's memo, filling the shadow's contact list, and the hot key to a note
// that is on the screen and takes keys: from the X server's press of Ctrl+Alt+N until a key
// typed straight after it is in the note's memo, through the program's own hot key and the
// capture that keeps those keys for the note (on X11 only). Runs on the display it is given
// (make bench gives it an Xvfb one), else offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <memory>
#include <sstream>
#include <vector>

#include "bench/bench_profile.h"
#include "notes/jotpad.h"
#include "notes/ui/jotpad_window.h"
#include "notes/ui/shadow_window.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "platform/ui/x11_global_hot_key.h"
#include "sentex.h"
#include "shell/hidden.h"
#include "shell/settings.h"
#include "shell/ui/note_windows.h"
#include "shell/ui/tray_window.h"
#include "tests/support/fake_note_views.h"
#include "tests/support/null_message_boxes.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using jotwise::bench::Profile;
using Clock = std::chrono::steady_clock;

class Modal : public shell::ModalWindow {
public:
    int showModal() override { return 1; }
    void bringToFront() override {}
};

class NoHelp : public platform::HelpViewer {
public:
    void showContents() override {}
    void showTopic(int) override {}
};

// One connected session over a seeded profile, made once for all the benchmarks.
struct Session {
    Profile profile;
    std::unique_ptr<outlook::TDataStore> store;

    Session() {
        jotwise::bench::seedContactsAndCategories(profile, 5000, 200);
        Prs_ResetParseDll();
        store = std::make_unique<outlook::TDataStore>(outlook::TDataStore::Platform{
            profile.outlook->automation(), profile.outlook->mapi(), profile.registry});
        outlook::InstallDataStore(store.get());
        outlook::TNoProgress progress;
        store->Connect(0, progress);
    }
    static Session& get() {
        static Session session;
        return session;
    }
};

// A note window with its shadow, through the real windows.
struct NoteWindow {
    notes::testing::FakeHost host;
    notes::testing::MemorySettings settings;
    jotwise::testing::NullMessageBoxes boxes;
    notes::testing::ScriptedFileDialogs files;
    platform::SystemClock clock;
    notes::NoteContext context{*Session::get().store,
                               host,
                               settings,
                               boxes,
                               files,
                               clock,
                               platform::systemShortDateFormat()};
    QPointer<notes::ui::JotPadWindow> window = notes::ui::JotPadWindow::create(context);

    NoteWindow() {
        window->logic().PlaceNew(std::nullopt);
        window->showAndActivate();
        if (!QTest::qWaitForWindowActive(window))
            throw std::runtime_error("the note never became active");
    }
    ~NoteWindow() { delete window.data(); }
};

void NoteKeystroke(benchmark::State& state) {
    NoteWindow note;
    auto* memo = note.window->findChild<QPlainTextEdit*>("memoBody");
    memo->setFocus();
    std::string text = "lunch with Given12 Surname12 tomorrow at noon about the plans ";
    while (text.size() < 300)
        text += text;
    text.resize(300);
    memo->setPlainText(QString::fromStdString(text));
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(memo, type ? Qt::Key_X : Qt::Key_Backspace);
        type = !type;
    }
}
BENCHMARK(NoteKeystroke)->Unit(benchmark::kMillisecond);

void ShadowContactListFill(benchmark::State& state) {
    NoteWindow note;
    const std::vector<notes::ContactChoice> choices = note.window->logic().Shadow().Contacts();
    for (auto _ : state)
        note.window->shadowWindow().setContacts(choices);
    state.counters["contacts"] = static_cast<double>(choices.size());
}
BENCHMARK(ShadowContactListFill)->Unit(benchmark::kMillisecond);

// Presses and lets go of each key in turn through the X server's test extension, as a
// keyboard would: the modifiers first, then the key.
void pressKeys(Display* display, std::initializer_list<KeySym> chord) {
    for (const KeySym key : chord)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
    for (auto key = std::rbegin(chord); key != std::rend(chord); ++key)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
}

void HotKeyToATypeableNote(benchmark::State& state) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        state.SkipWithError("the hot key needs an X display (run it with scripts/with-xvfb.sh)");
        return;
    }
    Session& session = Session::get();
    shell::TRegistry settings{session.profile.registry};
    jotwise::testing::NullMessageBoxes boxes;
    notes::testing::ScriptedFileDialogs files;
    platform::SystemClock clock;
    platform::X11GlobalHotKey hotKey;
    NoHelp help;
    shell::ui::TrayWindow tray;
    shell::ui::QtNoteWindows windows;
    Modal about;
    std::ostringstream console;
    shell::THidden hidden(shell::THidden::Services{
        *session.store, settings, boxes, files, clock, platform::systemShortDateFormat(),
        session.profile.loop, hotKey, help, tray, windows, about, nullptr, console});
    tray.setLogic(&hidden);
    std::string reason;
    if (!hotKey.registerCtrlAlt(
            1, 'N', [&] { hidden.NewNote(); }, reason)) {
        state.SkipWithError(reason.c_str());
        return;
    }
    std::vector<double> milliseconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        pressKeys(display, {XK_Control_L, XK_Alt_L, XK_n});
        pressKeys(display, {XK_x});
        XFlush(display);
        QPlainTextEdit* memo = nullptr;
        while (!(memo && memo->toPlainText() == "x") &&
               Clock::now() - start < std::chrono::seconds(5)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            if (!memo && !hidden.openNotes().empty())
                memo = dynamic_cast<notes::ui::JotPadWindow&>(hidden.openNotes().at(0)->View())
                           .findChild<QPlainTextEdit*>("memoBody");
        }
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        state.PauseTiming();
        if (!memo || memo->toPlainText() != "x") {
            state.SkipWithError("the key typed after the hot key did not reach the note");
            break;
        }
        dynamic_cast<notes::ui::JotPadWindow&>(hidden.openNotes().at(0)->View()).closeWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(50);
        state.ResumeTiming();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    if (!milliseconds.empty()) state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
}
BENCHMARK(HotKeyToATypeableNote)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    outlook::InstallDataStore(nullptr);
    return 0;
}
