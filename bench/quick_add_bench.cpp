// `jotwise add` end to end, as a script or launcher uses it: the process starts, connects to
// a store of 1,000 contacts, parses the note, files it and ends.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "bench/bench_profile.h"

extern char** environ;

namespace {

using jotwise::bench::Profile;

// Runs the program with the profile's folders as its own; its exit code, or -1.
int runQuickAdd(const Profile& profile, const std::vector<std::string>& args) {
    std::vector<std::string> env = {"XDG_CONFIG_HOME=" + profile.folder.path().string(),
                                    "XDG_DATA_HOME=" + profile.folder.path().string(),
                                    "PATH=/usr/bin:/bin"};
    std::vector<char*> argv = {const_cast<char*>(JOTWISE_PROGRAM_PATH), const_cast<char*>("add")};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, JOTWISE_PROGRAM_PATH, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_QuickAddWith1000Contacts(benchmark::State& state) {
    static Profile* profile = [] {
        auto* p = new Profile;
        jotwise::bench::seedContactsAndCategories(*p, 1000, 50);
        return p;
    }();
    for (auto _ : state)
        if (runQuickAdd(*profile, {"lunch with given42 surname42 tomorrow at noon category 7"}) !=
            0)
            state.SkipWithError("jotwise add failed");
}
BENCHMARK(BM_QuickAddWith1000Contacts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
