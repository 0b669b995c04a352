// The keyword store at the scale of a large address book: 10,000 contacts, 200
// categories and 10,000 keywords.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "note_corpus.h"
#include "sentex.h"

namespace {

constexpr int kContacts = 10000;
constexpr int kCategories = 200;

const char* const kFirstNames[] = {"Ann",   "Bob",  "Carla", "Dieter", "Eva",
                                   "Frank", "Gina", "Hugo",  "Ines",   "Jon"};
const char* const kLastNames[] = {"Lee",    "Smith", "Meyer", "Nguyen", "Okafor",
                                  "Petrov", "Quinn", "Rossi", "Sato",   "Tanaka"};

// Entry identifiers as the program registers contacts: 48 upper-case hex digits.
std::string contactKey(int i) {
    char key[49];
    std::snprintf(key, sizeof key, "00000000A1B2C3D4E5F60718293A4B5C6D7E8F90%08X", i);
    return key;
}

// A unique full name per contact: "Ann Lee 41" style, its keyword the same text.
std::string fullName(int i) {
    return std::string(kFirstNames[i % 10]) + " " + kLastNames[i / 10 % 10] + " " +
           std::to_string(i / 100);
}

std::string categoryName(int i) {
    return "Category " + std::to_string(i);
}

// The names, built once so that the benchmarks time the store alone.
struct Names {
    std::vector<std::string> contactKeys, fullNames, categories;

    Names() {
        for (int i = 0; i < kContacts; ++i) {
            contactKeys.push_back(contactKey(i));
            fullNames.push_back(fullName(i));
        }
        for (int i = 0; i < kCategories; ++i)
            categories.push_back(categoryName(i));
    }
};
const Names& names() {
    static const Names built;
    return built;
}

// The program's start-up registration into an empty store: every name, then a default
// keyword for each.
void registerEverything() {
    const Names& n = names();
    for (const char* kind : {"task", "appointment", "note"}) {
        Prs_AddProject(kind);
        Prs_AddAlias(kind, "", kind, "");
    }
    for (const std::string& name : n.categories)
        Prs_AddList(name.c_str());
    for (const std::string& key : n.contactKeys)
        Prs_AddContact(key.c_str());
    for (const std::string& name : n.categories)
        Prs_AddAlias(name.c_str(), name.c_str(), "", "");
    for (int i = 0; i < kContacts; ++i)
        Prs_AddAlias(n.fullNames[i].c_str(), "", "", n.contactKeys[i].c_str());
}

void BM_RegisterAll(benchmark::State& state) {
    names();
    for (auto _ : state) {
        Prs_ResetParseDll();
        const auto start = std::chrono::steady_clock::now();
        registerEverything();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetLabel("3 projects, 200 lists, 10000 contacts, 10203 keywords");
}
BENCHMARK(BM_RegisterAll)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ParseWithFullStore(benchmark::State& state) {
    Prs_ResetParseDll();
    registerEverything();
    TParseResults result;
    for (auto _ : state) {
        Prs_Parse(kLongNote, reinterpret_cast<char*>(&result));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ParseWithFullStore);

void BM_ParseCorpusWithFullStore(benchmark::State& state) {
    Prs_ResetParseDll();
    registerEverything();
    const std::vector<std::string> notes = noteCorpus();
    TParseResults result;
    for (auto _ : state)
        for (const std::string& note : notes)
            Prs_Parse(note.c_str(), reinterpret_cast<char*>(&result));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(notes.size()));
}
BENCHMARK(BM_ParseCorpusWithFullStore);

// Times one call per iteration; restoring the store afterwards is not counted.
template <class Call, class Restore>
void timeEach(benchmark::State& state, Call call, Restore restore) {
    Prs_ResetParseDll();
    registerEverything();
    int i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        call(i);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        restore(i);
        i = (i + 1) % kContacts;
    }
}

void BM_DeleteContact(benchmark::State& state) {
    timeEach(
        state, [](int i) { Prs_DeleteContact(names().contactKeys[i].c_str()); },
        [](int i) {
            Prs_AddContact(names().contactKeys[i].c_str());
            Prs_AddAlias(names().fullNames[i].c_str(), "", "", names().contactKeys[i].c_str());
        });
}
BENCHMARK(BM_DeleteContact)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_RenameContact(benchmark::State& state) {
    timeEach(
        state, [](int i) { Prs_RenameContact(names().contactKeys[i].c_str(), "RENAMED"); },
        [](int i) { Prs_RenameContact("RENAMED", names().contactKeys[i].c_str()); });
}
BENCHMARK(BM_RenameContact)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_DeleteList(benchmark::State& state) {
    timeEach(
        state, [](int i) { Prs_DeleteList(names().categories[i % kCategories].c_str()); },
        [](int i) {
            const char* name = names().categories[i % kCategories].c_str();
            Prs_AddList(name);
            Prs_AddAlias(name, name, "", "");
        });
}
BENCHMARK(BM_DeleteList)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_AutoFillContact(benchmark::State& state) {
    Prs_ResetParseDll();
    registerEverything();
    char name[SENTEX_TEXT_SLOT];
    const char* const beginnings[] = {"00000000a1b2c3d4e5f60718293a4b5c6d7e8f9000001", "0000",
                                      "zz"};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Prs_AutoFillContact(beginnings[i++ % 3], name));
    }
}
BENCHMARK(BM_AutoFillContact);

}  // namespace
