// Connecting the Outlook session to a local store with 5,000 contacts and 200 categories:
// logging on, opening and watching the Contacts table, reading the categories, loading
// and registering every contact and the default keywords.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "bench/bench_profile.h"
#include "outlook/items/task.h"
#include "outlook/ole_date.h"
#include "outlook/recipients/mailing_info.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"

namespace {

constexpr int kContacts = 5000;
constexpr int kCategories = 200;

using jotwise::bench::Profile;

Profile& seededProfile() {
    static Profile* profile = [] {
        auto* p = new Profile;
        jotwise::bench::seedContactsAndCategories(*p, kContacts, kCategories);
        return p;
    }();
    return *profile;
}

void BM_ConnectWith5000ContactsAnd200Categories(benchmark::State& state) {
    Profile& profile = seededProfile();
    outlook::TNoProgress progress;
    for (auto _ : state) {
        state.PauseTiming();
        Prs_ResetParseDll();
        auto session = std::make_unique<outlook::TDataStore>(outlook::TDataStore::Platform{
            profile.outlook->automation(), profile.outlook->mapi(), profile.registry});
        state.ResumeTiming();
        if (session->Connect(0, progress) != 0) state.SkipWithError(session->LastError().c_str());
        benchmark::DoNotOptimize(session->Contacts().size());
        state.PauseTiming();  // leaving the session is not part of connecting
        session.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConnectWith5000ContactsAnd200Categories)->Unit(benchmark::kMillisecond);

// Filing a task the way a note does: subject, body, due date, two recipients found in the
// address book, three attachments (two files and a contact link), assigned and sent.
void BM_FileTaskWithTwoRecipientsAndThreeAttachments(benchmark::State& state) {
    static Profile profile;
    const auto app = profile.outlook->automation().createObject("Outlook.Application");
    for (const char* first : {"Ann", "Bob"}) {
        const auto contact = app->call("CreateItem", {outlook::olContactItem}).asObject();
        contact->put("FirstName", first);
        contact->put("LastName", "Lee");
        contact->put("Email1Address", std::string(first) + "@example.com");
        contact->call("Save");
    }
    const auto file = profile.folder.path() / "budget.ods";
    std::ofstream(file) << std::string(20'000, 'b');

    Prs_ResetParseDll();
    outlook::TNoProgress progress;
    outlook::TDataStore session(
        {profile.outlook->automation(), profile.outlook->mapi(), profile.registry});
    outlook::InstallDataStore(&session);
    if (session.Connect(0, progress) != 0) state.SkipWithError(session.LastError().c_str());
    outlook::TMailingInfo recipients;
    for (const auto& [key, contact] : session.Contacts())
        recipients.SetContactRecipient(key, false);
    outlook::TContact* link = session.Contacts().begin()->second.get();

    for (auto _ : state) {
        auto task = session.CreateTask();
        const bool filed =
            task && task->SetSubject("send the budget") == 0 &&
            task->SetBody("send the budget\r\nbefore friday") == 0 &&
            task->SetDueDate(outlook::OleDateNow()) == 0 &&
            task->AddFileAttachment(file.string(), false) == 0 &&
            task->AddFileAttachment(file.string(), true) == 0 && task->AddContactLink(*link) == 0 &&
            task->AddRecipients(recipients, outlook::kToRecipients) == 0 && task->Commit() == 0;
        if (!filed) state.SkipWithError(session.LastError().c_str());
    }
    outlook::InstallDataStore(nullptr);
}
BENCHMARK(BM_FileTaskWithTwoRecipientsAndThreeAttachments)->Unit(benchmark::kMillisecond);

}  // namespace
