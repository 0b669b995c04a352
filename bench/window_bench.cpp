// What the real windows cost with a large address book (5,000 contacts, 200 categories): one
// keystroke in a note's memo, filling the shadow's contact list, and the hot key to a note
// that is on the screen, drawn, and takes keys (from THidden hearing the key; the X server's
// own delivery is measured by startup_bench.sh). Runs on the display it is given (make bench
// gives it an Xvfb one), else offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <memory>
#include <sstream>

#include "bench/bench_profile.h"
#include "notes/jotpad.h"
#include "notes/ui/jotpad_window.h"
#include "notes/ui/shadow_window.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"
#include "shell/hidden.h"
#include "shell/settings.h"
#include "shell/ui/note_windows.h"
#include "shell/ui/tray_window.h"
#include "tests/support/fake_note_views.h"
#include "tests/support/null_message_boxes.h"

namespace {

using jotwise::bench::Profile;
using Clock = std::chrono::steady_clock;

class Modal : public shell::ModalWindow {
public:
    int showModal() override { return 1; }
    void bringToFront() override {}
};

class NoHotKey : public platform::GlobalHotKey {
public:
    bool registerCtrlAlt(std::uint16_t, char, std::function<void()>, std::string&) override {
        return true;
    }
    void unregister(std::uint16_t) override {}
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

void HotKeyToATypeableNote(benchmark::State& state) {
    Session& session = Session::get();
    shell::TRegistry settings{session.profile.registry};
    jotwise::testing::NullMessageBoxes boxes;
    notes::testing::ScriptedFileDialogs files;
    platform::SystemClock clock;
    NoHotKey hotKey;
    NoHelp help;
    shell::ui::TrayWindow tray;
    shell::ui::QtNoteWindows windows;
    Modal about;
    std::ostringstream console;
    shell::THidden hidden(shell::THidden::Services{
        *session.store, settings, boxes, files, clock, platform::systemShortDateFormat(),
        session.profile.loop, hotKey, help, tray, windows, about, nullptr, console});
    tray.setLogic(&hidden);
    for (auto _ : state) {
        const auto start = Clock::now();
        hidden.NewNote();  // what the hot key's press runs once it reaches the event loop
        auto* note = dynamic_cast<notes::ui::JotPadWindow*>(&hidden.openNotes().at(0)->View());
        auto* memo = note->findChild<QPlainTextEdit*>("memoBody");
        while (!(note->windowHandle() && note->windowHandle()->isExposed() &&
                 QApplication::focusWidget() == memo) &&
               Clock::now() - start < std::chrono::seconds(5))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        state.PauseTiming();
        note->closeWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(50);
        state.ResumeTiming();
    }
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
