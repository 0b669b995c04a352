// Loading a keywords file of 10,000 lines into a session with 5,000 contacts and 200
// categories: reading and splitting the lines, finding their items and registering the
// keywords. The session is connected once; before every load the keyword store is taken
// back to where connecting leaves it before the file is read.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_profile.h"
#include "keywords/keywords_line.h"
#include "outlook/items/contact.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"

namespace {

constexpr int kContacts = 5000;
constexpr int kCategories = 200;
constexpr int kLines = 10'000;

using jotwise::bench::Profile;

void seed(Profile& profile) {
    std::string categories;
    for (int i = 0; i < kCategories; ++i)
        categories += "Category " + std::to_string(i) + ";";
    profile.registry
        .createKey(platform::RegistryRoot::CurrentUser,
                   "Software\\Microsoft\\Office\\8.0\\Outlook\\Categories")
        ->setValue("", platform::RegistryValue::ofString(categories));
    const auto app = profile.outlook->automation().createObject("Outlook.Application");
    for (int i = 0; i < kContacts; ++i) {
        const auto contact = app->call("CreateItem", {outlook::olContactItem}).asObject();
        contact->put("FirstName", "Given" + std::to_string(i));
        contact->put("LastName", "Surname" + std::to_string(i % 977));
        contact->call("Save");
    }
}

// Mostly contacts' nicknames, some with commas and so quoted; every 50th line a keyword
// for a category and every 50th a contact without keywords.
std::string keywordsFile(const outlook::TDataStore& session) {
    std::vector<std::string> keys;
    for (const auto& [key, contact] : session.Contacts())
        keys.push_back(key);
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        const std::string& key = keys[static_cast<std::size_t>(i) % keys.size()];
        keywords::KeywordsLine line{"", "", "", key};
        if (i % 50 == 0) {
            line = {"group " + std::to_string(i), "", "Category " + std::to_string(i % kCategories),
                    ""};
        } else if (i % 50 != 1) {
            line.keyword =
                i % 7 == 0 ? "smith, j " + std::to_string(i) : "nick" + std::to_string(i);
        }
        text += keywords::writeLine(line);
    }
    return text;
}

// The keyword store and the items as connecting leaves them before reading the file.
void resetKeywords(const outlook::TDataStore& session) {
    Prs_ResetParseDll();
    const auto reset = [](outlook::TItem& item) {
        item.keywordsCustomized = false;
        item.keywordCount = 0;
    };
    for (const auto& [kind, folder] : session.Folders()) {
        Prs_AddProject(kind.c_str());
        reset(*folder);
    }
    for (const auto& [name, category] : session.Categories()) {
        Prs_AddList(name.c_str());
        reset(*category);
    }
    for (const auto& [key, contact] : session.Contacts()) {
        Prs_AddContact(key.c_str());
        reset(*contact);
    }
}

void BM_LoadKeywordsFileOf10000LinesWith5000Contacts(benchmark::State& state) {
    Profile profile;
    seed(profile);
    Prs_ResetParseDll();
    outlook::TNoProgress progress;
    outlook::TDataStore session(
        {profile.outlook->automation(), profile.outlook->mapi(), profile.registry});
    const auto file = profile.folder.path() / "keywords.jwk";
    session.SetKeywordsFile(file);  // missing while connecting
    if (session.Connect(0, progress) != 0) state.SkipWithError(session.LastError().c_str());
    std::ofstream(file, std::ios::binary) << keywordsFile(session);

    std::int64_t registered = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetKeywords(session);
        state.ResumeTiming();
        if (session.LoadKeywords() != 0) state.SkipWithError("loading failed");
    }
    for (const auto& [key, contact] : session.Contacts())
        registered += contact->keywordCount;
    for (const auto& [name, category] : session.Categories())
        registered += category->keywordCount;
    state.counters["keywords"] = static_cast<double>(registered);
    Prs_ResetParseDll();
}
BENCHMARK(BM_LoadKeywordsFileOf10000LinesWith5000Contacts)->Unit(benchmark::kMillisecond);

}  // namespace
