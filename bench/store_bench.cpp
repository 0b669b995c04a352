// The local store's costs that the program feels: saving one item, a change reaching a
// table's sink, and opening a large store to read its contacts.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "outlook/local/local_outlook.h"
#include "outlook/local/mapi/com_object.h"
#include "outlook/local/store/store.h"
#include "outlook/object_model.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/null_registry.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace outlook;
using namespace outlook::local;

// A folder on disk (not in memory), removed at the end.
class DiskFolder : public jotwise::testing::TempFolder {
public:
    DiskFolder() : TempFolder("jotwise-bench") {}
    fs::path db() const { return path() / "outlook.db"; }
};

class CountingSink : public ComObject<mapi::IMAPIAdviseSink> {
public:
    mapi::ULONG OnNotify(mapi::ULONG count, const mapi::NOTIFICATION*) override {
        received += count;
        return 0;
    }
    std::size_t received = 0;
};

void BM_SaveAppointment(benchmark::State& state) {
    DiskFolder folder;
    // Without keys the store skips writing its categories.
    jotwise::testing::NullRegistry registry;
    jotwise::testing::ManualEventLoop loop;
    std::string error;
    auto outlook = LocalOutlook::open(folder.db(), registry, loop, &error);
    auto app = outlook->automation().createObject("Outlook.Application");
    int n = 0;
    for (auto _ : state) {
        auto item = app->call("CreateItem", {olAppointmentItem}).asObject();
        item->put("Subject", "Meeting " + std::to_string(++n));
        item->put("Start", OleDate{45500.5});
        item->put("End", OleDate{45500.5 + 1.0 / 24});
        item->put("BusyStatus", 2);
        item->put("Categories", "Business;");
        item->call("Save");
    }
}
BENCHMARK(BM_SaveAppointment)->Unit(benchmark::kMillisecond);

void BM_ContactChangeReachesSink(benchmark::State& state) {
    DiskFolder folder;
    jotwise::testing::NullRegistry registry;
    jotwise::testing::ManualEventLoop loop;
    std::string error;
    auto outlook = LocalOutlook::open(folder.db(), registry, loop, &error);
    auto app = outlook->automation().createObject("Outlook.Application");
    auto contact = app->call("CreateItem", {olContactItem}).asObject();
    contact->put("FirstName", "Ann");
    contact->put("LastName", "Lee");
    contact->call("Save");

    auto& subsystem = outlook->mapi();
    subsystem.MAPIInitialize();
    mapi::ComPtr<mapi::IMAPISession> session;
    subsystem.MAPILogonEx(0, nullptr, nullptr, 0, session);
    mapi::ComPtr<mapi::IMsgStore> msgStore;
    session->OpenMsgStore(0, {}, nullptr, 0, msgStore);
    mapi::ULONG type = 0;
    mapi::ComPtr<mapi::IUnknown> object;
    auto store = outlook->store();
    msgStore->OpenEntry(store->folderEntryId(store->folder(FolderKind::Contacts).id), nullptr, 0,
                        type, object);
    mapi::ComPtr<mapi::IMAPITable> table;
    mapi::ComCast<mapi::IMAPIFolder>(object)->GetContentsTable(0, table);
    table->SetColumns({mapi::PR_ENTRYID, mapi::PR_GIVEN_NAME, mapi::PR_SURNAME,
                       mapi::PR_COMPANY_NAME, mapi::PR_ORIGINAL_ENTRYID},
                      0);
    auto sink = makeCom<CountingSink>();
    mapi::ComPtr<mapi::IMAPIAdviseSink> wrapped;
    subsystem.HrThisThreadAdviseSink(sink.get(), wrapped);
    mapi::ULONG_PTR connection = 0;
    table->Advise(mapi::fnevTableModified, wrapped.get(), connection);

    int n = 0;
    for (auto _ : state) {
        contact->put("LastName", "Lee " + std::to_string(++n));
        contact->call("Save");
        while (sink->received < static_cast<std::size_t>(n))
            loop.runPending();
    }
    table->Unadvise(connection);
    session->Logoff(0, 0, 0);
    subsystem.MAPIUninitialize();
}
BENCHMARK(BM_ContactChangeReachesSink)->Unit(benchmark::kMillisecond);

// Opens a store holding 5,000 contacts and reads the Contacts table as the program does.
void BM_OpenStoreAndReadContacts(benchmark::State& state) {
    DiskFolder folder;
    jotwise::testing::NullRegistry registry;
    jotwise::testing::ManualEventLoop loop;
    {
        std::string error;
        auto outlook = LocalOutlook::open(folder.db(), registry, loop, &error);
        auto store = outlook->store();
        auto app = outlook->automation().createObject("Outlook.Application");
        store->transact([&] {
            for (int i = 0; i < 5000; ++i) {
                auto contact = app->call("CreateItem", {olContactItem}).asObject();
                contact->put("FirstName", "First" + std::to_string(i));
                contact->put("LastName", "Last" + std::to_string(i % 731));
                contact->put("CompanyName", "Company " + std::to_string(i % 97));
                if (i % 2)
                    contact->put("Email1Address", "person" + std::to_string(i) + "@example.com");
                contact->call("Save");
            }
        });
    }
    const mapi::PropTagArray columns = {mapi::PR_ENTRYID, mapi::PR_GIVEN_NAME, mapi::PR_SURNAME,
                                        mapi::PR_COMPANY_NAME, mapi::PR_ORIGINAL_ENTRYID};
    std::size_t rows = 0;
    for (auto _ : state) {
        std::string error;
        auto outlook = LocalOutlook::open(folder.db(), registry, loop, &error);
        auto& subsystem = outlook->mapi();
        subsystem.MAPIInitialize();
        mapi::ComPtr<mapi::IMAPISession> session;
        subsystem.MAPILogonEx(0, nullptr, nullptr, 0, session);
        mapi::ComPtr<mapi::IMsgStore> msgStore;
        session->OpenMsgStore(0, {}, nullptr, 0, msgStore);
        auto store = outlook->store();
        mapi::ULONG type = 0;
        mapi::ComPtr<mapi::IUnknown> object;
        msgStore->OpenEntry(store->folderEntryId(store->folder(FolderKind::Contacts).id), nullptr,
                            0, type, object);
        mapi::ComPtr<mapi::IMAPITable> table;
        mapi::ComCast<mapi::IMAPIFolder>(object)->GetContentsTable(0, table);
        mapi::RowSet all;
        mapi::HrQueryAllRows(table.get(), &columns, 0, all);
        rows = all.size();
        benchmark::DoNotOptimize(all);
        session->Logoff(0, 0, 0);
        subsystem.MAPIUninitialize();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenStoreAndReadContacts)->Unit(benchmark::kMillisecond);

}  // namespace
