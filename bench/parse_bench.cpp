// How long a parse takes: the note is parsed again on every keystroke.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "allocation_counter.h"
#include "note_corpus.h"
#include "sentex.h"
#include "short_note_corpus.h"

namespace {

// Heap allocations per call, as a benchmark counter.
void reportAllocations(benchmark::State& state, uint64_t before, int64_t calls) {
    state.counters["allocs_per_parse"] = benchmark::Counter(
        static_cast<double>(allocationCount() - before) / static_cast<double>(calls));
}

void BM_ParseLongNote(benchmark::State& state) {
    TParseResults result;
    Prs_Parse(kLongNote, reinterpret_cast<char*>(&result));  // warm the reused buffers
    const uint64_t before = allocationCount();
    for (auto _ : state) {
        Prs_Parse(kLongNote, reinterpret_cast<char*>(&result));
        benchmark::DoNotOptimize(result);
    }
    reportAllocations(state, before, state.iterations());
    state.SetLabel(std::to_string(std::string(kLongNote).size()) + " characters");
}
BENCHMARK(BM_ParseLongNote);

// Parses every note once per iteration, after one warming pass over them all; reports
// the time and the allocations per note.
void parseEachNote(benchmark::State& state, const std::vector<std::string>& notes) {
    TParseResults result;
    for (const std::string& note : notes)
        Prs_Parse(note.c_str(), reinterpret_cast<char*>(&result));
    const uint64_t before = allocationCount();
    for (auto _ : state) {
        for (const std::string& note : notes) {
            Prs_Parse(note.c_str(), reinterpret_cast<char*>(&result));
            benchmark::DoNotOptimize(result);
        }
    }
    const int64_t parses = state.iterations() * static_cast<int64_t>(notes.size());
    reportAllocations(state, before, parses);
    state.SetItemsProcessed(parses);
    state.counters["time_per_note"] = benchmark::Counter(
        static_cast<double>(parses), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ParseCorpus(benchmark::State& state) {
    const std::vector<std::string> notes = noteCorpus();
    parseEachNote(state, notes);
    state.SetLabel(std::to_string(notes.size()) + " notes per iteration");
}
BENCHMARK(BM_ParseCorpus);

// Short notes of the kind people type into the tray window, with a handful of keywords
// registered, so that keyword recognition runs on every note. Leaves the store empty.
void BM_ParseShortNotes(benchmark::State& state) {
    Prs_ResetParseDll();
    registerShortNoteKeywords();
    const std::vector<std::string> notes = shortNoteCorpus();
    parseEachNote(state, notes);
    state.SetLabel(std::to_string(notes.size()) + " notes, 18 keywords");
    Prs_ResetParseDll();
}
BENCHMARK(BM_ParseShortNotes);

// Typing: each prefix of the long note, as the note grows keystroke by keystroke.
void BM_ParseWhileTyping(benchmark::State& state) {
    const std::string note = kLongNote;
    TParseResults result;
    for (auto _ : state) {
        for (std::size_t n = 1; n <= note.size(); ++n) {
            const std::string prefix = note.substr(0, n);
            Prs_Parse(prefix.c_str(), reinterpret_cast<char*>(&result));
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(note.size()));
}
BENCHMARK(BM_ParseWhileTyping);

void BM_DateParseLongNote(benchmark::State& state) {
    TParseResults result;
    for (auto _ : state) {
        Prs_DateParse(kLongNote, reinterpret_cast<char*>(&result));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DateParseLongNote);

}  // namespace
