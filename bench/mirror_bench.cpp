// The vdir mirror's costs: writing a large store's mirror from nothing, bringing one change
// to its file, comparing an unchanged store with its files (what another process's change
// costs), and a save while the mirror runs.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "outlook/local/local_outlook.h"
#include "outlook/local/mirror/mirror.h"
#include "outlook/local/mirror/mirror_setting.h"
#include "outlook/local/store/store.h"
#include "outlook/object_model.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/null_registry.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace outlook;
using namespace outlook::local;

constexpr int kContacts = 5000;
constexpr int kItems = 10000;

// One store on disk with 5,000 contacts and 10,000 appointments, tasks, journal entries and
// notes, made once and shared by the benchmarks.
class LargeProfile {
public:
    static LargeProfile& get() {
        static LargeProfile profile;
        return profile;
    }
    Store& store() { return *store_; }
    DispatchPtr application() { return application_; }
    // A new, empty mirror folder. Folders are removed only at the end (see BM_MirrorWholeStore).
    fs::path freshMirror() { return folder_.path() / ("mirror" + std::to_string(++mirrors_)); }

private:
    LargeProfile() : folder_("jotwise-bench") {
        std::string error;
        outlook_ = LocalOutlook::open(folder_.path() / "outlook.db", registry_, loop_, &error);
        store_ = outlook_->store();
        application_ = outlook_->automation().createObject("Outlook.Application");
        const auto create = [&](std::int32_t type) {
            return application_->call("CreateItem", {type}).asObject();
        };
        store_->transact([&] {
            for (int i = 0; i < kContacts; ++i) {
                auto contact = create(olContactItem);
                contact->put("FirstName", "First" + std::to_string(i));
                contact->put("LastName", "Last" + std::to_string(i % 731));
                contact->put("CompanyName", "Company " + std::to_string(i % 97));
                contact->put("Email1Address", "person" + std::to_string(i) + "@example.com");
                contact->put("BusinessAddressCity", "City " + std::to_string(i % 13));
                contact->put("Body", "Met at the fair in year " + std::to_string(2000 + i % 25));
                contact->call("Save");
            }
            for (int i = 0; i < kItems; ++i) {
                const std::string subject = "Item " + std::to_string(i) + " of the benchmark";
                const double day = 46000.0 + i % 400;
                switch (i % 4) {
                    case 0:
                    case 1: {
                        auto item = create(olAppointmentItem);
                        item->put("Subject", subject);
                        item->put("Start", OleDate{day + 0.375});
                        item->put("End", OleDate{day + 0.4375});
                        item->put("Categories", "Business; Phone Calls");
                        item->put("ReminderSet", true);
                        item->put("Body", "Agenda: budget, plans, and the rest");
                        item->call("Save");
                        break;
                    }
                    case 2: {
                        auto item = create(olTaskItem);
                        item->put("Subject", subject);
                        item->put("DueDate", OleDate{day});
                        item->put("TotalWork", 60);
                        item->call("Save");
                        break;
                    }
                    default: {
                        auto item = create(i % 8 == 3 ? olJournalItem : olNoteItem);
                        if (i % 8 == 3) {
                            item->put("Subject", subject);
                            item->put("Start", OleDate{day + 0.5});
                        } else {
                            item->put("Body", subject + "\nwith a second line");
                        }
                        item->call("Save");
                        break;
                    }
                }
            }
        });
    }

    jotwise::testing::TempFolder folder_;
    jotwise::testing::NullRegistry registry_;
    jotwise::testing::ManualEventLoop loop_;
    std::unique_ptr<LocalOutlook> outlook_;
    std::shared_ptr<Store> store_;
    DispatchPtr application_;
    int mirrors_ = 0;
};

std::shared_ptr<mirror::Mirror> startMirror(Store& store, const fs::path& root) {
    mirror::Mirror::Options options;
    options.root = root;
    return mirror::attachMirror(store, std::move(options));
}

// The whole store mirrored into an empty folder: every item read, built and written.
void BM_MirrorWholeStore(benchmark::State& state) {
    auto& profile = LargeProfile::get();
    std::size_t written = 0;
    for (auto _ : state) {
        const fs::path root = profile.freshMirror();
        auto active = startMirror(profile.store(), root);
        active->flush();
        written = active->totals().written;
        // The folder stays until the end: removing 15,000 files just before creating as many
        // again makes ext4 slow to find free inodes, which is not the mirror's cost.
        state.PauseTiming();
        profile.store().setChangeObserver(nullptr);
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(written);
}
BENCHMARK(BM_MirrorWholeStore)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

// One appointment changes: its save and its file, and nothing else written.
void BM_MirrorOneChange(benchmark::State& state) {
    auto& profile = LargeProfile::get();
    const fs::path root = profile.freshMirror();
    auto active = startMirror(profile.store(), root);
    active->flush();
    const auto before = active->totals().written;
    auto ns = profile.application()->call("GetNamespace", {"MAPI"}).asObject();
    auto items =
        ns->call("GetDefaultFolder", {olFolderCalendar}).asObject()->get("Items").asObject();
    auto item = items->call("Item", {1}).asObject();
    int n = 0;
    for (auto _ : state) {
        item->put("Subject", "Changed " + std::to_string(++n));
        item->call("Save");
        active->flush();
    }
    state.counters["files written per change"] =
        static_cast<double>(active->totals().written - before) / static_cast<double>(n);
    profile.store().setChangeObserver(nullptr);
}
BENCHMARK(BM_MirrorOneChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// Another process changed the store: the whole store is compared with the files, and with
// nothing changed nothing is written.
void BM_MirrorCompareUnchangedStore(benchmark::State& state) {
    auto& profile = LargeProfile::get();
    const fs::path root = profile.freshMirror();
    auto active = startMirror(profile.store(), root);
    active->flush();
    const auto before = active->totals().written;
    for (auto _ : state) {
        active->changedElsewhere();
        active->flush();
    }
    state.counters["files written"] = static_cast<double>(active->totals().written - before);
    profile.store().setChangeObserver(nullptr);
}
BENCHMARK(BM_MirrorCompareUnchangedStore)->Unit(benchmark::kMillisecond)->UseRealTime();

// A save while the mirror runs: the save alone is timed; the mirror writes behind it.
void BM_SaveWhileMirroring(benchmark::State& state) {
    auto& profile = LargeProfile::get();
    const fs::path root = profile.freshMirror();
    auto active = startMirror(profile.store(), root);
    active->flush();
    auto task = profile.application()->call("CreateItem", {olTaskItem}).asObject();
    int n = 0;
    for (auto _ : state) {
        task->put("Subject", "Task " + std::to_string(++n));
        task->call("Save");
        state.PauseTiming();
        active->flush();
        state.ResumeTiming();
    }
    profile.store().setChangeObserver(nullptr);
}
BENCHMARK(BM_SaveWhileMirroring)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
