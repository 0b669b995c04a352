// What a note costs the user: one keystroke (parse, recompute, apply to the note and its
// shadow) with 5,000 contacts and 200 categories registered, filling the shadow's contact
// list, and saving an appointment that names a contact. The windows are fakes, so these
// are the logic's own costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_profile.h"
#include "notes/jotpad.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"
#include "tests/support/fake_note_views.h"
#include "tests/support/null_message_boxes.h"

namespace {

using namespace notes;
using namespace notes::testing;
using jotwise::bench::Profile;

// A 300-character note naming one of the seeded contacts and a category.
const std::string kNote =
    "lunch with given1234 surname257 next tuesday at 12:30pm to talk about the budget for "
    "category 17, then call the bank about the loan, pick up the dry cleaning on the way "
    "back, remember the slides for the quarterly review and send the minutes of last "
    "week's meeting to everyone who was there before friday";

// One connected session over a seeded profile, and one note through fake windows.
struct NoteBench {
    Profile profile;
    std::unique_ptr<outlook::TDataStore> session;
    FakeJotPadView view;
    FakeShadowView shadowView;
    FakeHost host;
    MemorySettings settings;
    jotwise::testing::NullMessageBoxes boxes;
    ScriptedFileDialogs files;
    platform::SystemClock clock;
    std::unique_ptr<NoteContext> context;
    std::unique_ptr<TJotPad> note;

    NoteBench() {
        jotwise::bench::seedContactsAndCategories(profile, 5000, 200);
        Prs_ResetParseDll();
        session = std::make_unique<outlook::TDataStore>(outlook::TDataStore::Platform{
            profile.outlook->automation(), profile.outlook->mapi(), profile.registry});
        outlook::InstallDataStore(session.get());
        outlook::TNoProgress progress;
        session->Connect(0, progress);
        context = std::make_unique<NoteContext>(NoteContext{
            *session, host, settings, boxes, files, clock, platform::systemShortDateFormat()});
        note = TJotPad::Create(*context, view, shadowView);
    }
    ~NoteBench() { outlook::InstallDataStore(nullptr); }
};

NoteBench& bench() {
    static NoteBench* shared = new NoteBench;
    return *shared;
}

double percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1))];
}

// Each keystroke adds or removes the last character, as typing and correcting does.
void BM_MemoKeystroke300Characters(benchmark::State& state) {
    NoteBench& b = bench();
    if (!b.note) return state.SkipWithError("the note could not be made");
    std::vector<double> micros;
    std::size_t n = 0;
    for (auto _ : state) {
        const std::string text = n++ % 2 ? kNote : kNote + "s";
        const auto start = std::chrono::steady_clock::now();
        b.note->memoBodyChange(text);
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (b.shadowView.selected.empty()) state.SkipWithError("the contact was not recognised");
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p99_us"] = percentile(micros, 0.99);
}
BENCHMARK(BM_MemoKeystroke300Characters)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_FillShadowContactList5000(benchmark::State& state) {
    NoteBench& b = bench();
    if (!b.note) return state.SkipWithError("the note could not be made");
    for (auto _ : state) {
        b.note->Shadow().ContactChanged(std::nullopt, std::nullopt);
        benchmark::DoNotOptimize(b.shadowView.contacts.size());
    }
}
BENCHMARK(BM_FillShadowContactList5000)->Unit(benchmark::kMillisecond);

// An appointment with its contact link, and the journal entry that records it.
void BM_SaveAppointmentWithContact(benchmark::State& state) {
    NoteBench& b = bench();
    if (!b.note) return state.SkipWithError("the note could not be made");
    b.note->memoBodyChange("lunch with given42 surname42 tomorrow at noon");
    for (auto _ : state) {
        b.view.closed = false;
        b.note->btnSaveClick();
        if (!b.view.closed) state.SkipWithError("the appointment was not filed");
    }
}
BENCHMARK(BM_SaveAppointmentWithContact)->Unit(benchmark::kMillisecond);

}  // namespace
