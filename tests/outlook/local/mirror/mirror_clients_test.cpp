// Calendar and contact programs read the mirror as their own: khal the calendar, todoman the
// tasks, and vdirsyncer copies it all to a Radicale server started for the test. Each test
// keeps every file, setting and cache of those programs in its temporary folder.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <thread>

#include "outlook/local/mirror/calendar_writer.h"
#include "tests/outlook/local/mirror/mirror_fixture.h"
#include "tests/parser/process.h"

extern char** environ;

namespace outlook::local::testing {
namespace {

using mirror::MirrorFolder;
using sentex::testing::runCommand;
using sentex::testing::shellQuote;

bool installed(const std::string& program) {
    return runCommand("command -v " + program + " >/dev/null 2>&1").exitCode == 0;
}

// What every client is run with: its own settings, data and cache folders, and no proxy
// between it and the local server.
std::vector<std::pair<std::string, std::string>> clientEnvironment(const fs::path& base) {
    return {{"HOME", (base / "home").string()},
            {"XDG_CONFIG_HOME", (base / "config").string()},
            {"XDG_DATA_HOME", (base / "data").string()},
            {"XDG_CACHE_HOME", (base / "cache").string()},
            {"NO_PROXY", "127.0.0.1,localhost"},
            {"no_proxy", "127.0.0.1,localhost"},
            {"LC_ALL", "C.UTF-8"}};
}

const char* const kProxyVariables[] = {"http_proxy",  "https_proxy", "HTTP_PROXY",
                                       "HTTPS_PROXY", "all_proxy",   "ALL_PROXY"};

sentex::testing::ProcessOutput runClient(const fs::path& base, const std::string& command) {
    std::string line = "env";
    for (const char* variable : kProxyVariables)
        line += std::string(" -u ") + variable;
    for (const auto& [name, value] : clientEnvironment(base))
        line += " " + name + "=" + shellQuote(value);
    return runCommand(line + " " + command + " 2>&1");
}

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class MirrorClients : public MirrorFixture {
protected:
    fs::path clientBase() const { return temp.path() / "clients"; }

    DispatchPtr filedAppointment() {
        auto item = appointment("Lunch with Ann", localDate(2026, 7, 18, 12),
                                localDate(2026, 7, 18, 13, 30));
        item->put("Categories", "Business; Hot Contacts");
        item->put("Body", "At the corner café");
        item->put("ReminderSet", true);
        item->get("Recipients").asObject()->call("Add", {"Ann Lee"});
        item->call("Save");
        return item;
    }
};

TEST_F(MirrorClients, KhalListsTheAppointmentAtItsTime) {
    if (!installed("khal")) GTEST_SKIP() << "khal is not installed (scripts/install-deps.sh)";
    startMirror();
    auto lunch = filedAppointment();
    auto fair = appointment("Trade fair", localDate(2026, 12, 8), localDate(2026, 12, 10));
    fair->put("AllDayEvent", true);
    fair->call("Save");
    flush();

    // The mirror's calendar folder as one of khal's own calendars, read only.
    writeFile(clientBase() / "config" / "khal" / "config",
              "[calendars]\n"
              "[[jotwise]]\n"
              "path = " +
                  (root() / "calendar").string() +
                  "\n"
                  "type = calendar\n"
                  "readonly = True\n"
                  "[locale]\n"
                  "local_timezone = America/New_York\n"
                  "default_timezone = America/New_York\n"
                  "timeformat = %H:%M\n"
                  "dateformat = %Y-%m-%d\n"
                  "longdateformat = %Y-%m-%d\n"
                  "datetimeformat = %Y-%m-%d %H:%M\n"
                  "longdatetimeformat = %Y-%m-%d %H:%M\n");
    const std::string format = shellQuote("{start} {end} {title} [{categories}]");
    const auto july = runClient(clientBase(), "khal list --format " + format + " 2026-07-18 1d");
    ASSERT_EQ(july.exitCode, 0) << july.out;
    EXPECT_NE(july.out.find("2026-07-18 12:00 2026-07-18 13:30 Lunch with Ann "
                            "[Business,Hot Contacts]"),
              std::string::npos)
        << july.out;

    const auto december =
        runClient(clientBase(),
                  "khal list --format " + shellQuote("{start} {end} {title}") + " 2026-12-08 3d");
    ASSERT_EQ(december.exitCode, 0) << december.out;
    EXPECT_NE(december.out.find("2026-12-08 2026-12-09 Trade fair"), std::string::npos)
        << december.out;
    // Not on the day after it ends.
    const auto after = runClient(clientBase(), "khal list 2026-12-10 1d");
    EXPECT_EQ(after.out.find("Trade fair"), std::string::npos) << after.out;
    EXPECT_TRUE(fs::exists(fileOf(MirrorFolder::Calendar, lunch)));
}

TEST_F(MirrorClients, TodomanListsTheTaskWithItsDueDate) {
    if (!installed("todoman")) GTEST_SKIP() << "todoman is not installed (scripts/install-deps.sh)";
    startMirror();
    auto task = createItem(olTaskItem);
    task->put("Subject", "Send the budget");
    task->put("DueDate", localDate(2026, 12, 8));
    task->put("TotalWork", 60);
    task->call("Save");
    flush();

    writeFile(clientBase() / "config" / "todoman" / "config.py",
              "path = \"" + (root() / "tasks").string() +
                  "\"\n"
                  "cache_path = \"" +
                  (clientBase() / "cache" / "todoman.sqlite3").string() +
                  "\"\n"
                  "date_format = \"%Y-%m-%d\"\n"
                  "time_format = \"%H:%M\"\n");
    const auto listed = runClient(clientBase(), "todoman list");
    ASSERT_EQ(listed.exitCode, 0) << listed.out;
    EXPECT_TRUE(std::regex_search(listed.out, std::regex(R"(2026-12-08\s+Send the budget)")))
        << listed.out;
    // The collection is named after the mirror's folder.
    const auto porcelain = runClient(clientBase(), "todoman --porcelain list");
    EXPECT_NE(porcelain.out.find("\"list\": \"tasks\""), std::string::npos) << porcelain.out;
}

// A Radicale server on 127.0.0.1 with its own storage and no authentication, stopped when
// the object goes, whatever happened.
class RadicaleServer {
public:
    explicit RadicaleServer(const fs::path& base)
        : storage_(base / "server"), log_(base / "radicale.log") {
        fs::create_directories(base);
        port_ = freePort();
        const std::vector<std::string> args = {"radicale",
                                               "--config",
                                               "",
                                               "--server-hosts",
                                               "127.0.0.1:" + std::to_string(port_),
                                               "--auth-type",
                                               "none",
                                               "--rights-type",
                                               "owner_only",
                                               "--storage-filesystem-folder",
                                               storage_.string(),
                                               "--logging-level",
                                               "warning"};
        std::vector<char*> argv;
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            bool proxy = false;
            for (const char* variable : kProxyVariables)
                proxy = proxy || text.rfind(std::string(variable) + "=", 0) == 0;
            if (!proxy) environment.push_back(text);
        }
        for (const auto& [name, value] : clientEnvironment(base))
            environment.push_back(name + "=" + value);
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        if (posix_spawnp(&pid_, "radicale", &actions, nullptr, argv.data(), envp.data()) != 0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~RadicaleServer() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    // Waits until it accepts connections; false when it ended or never did.
    bool ready() {
        for (int i = 0; pid_ > 0 && i < 600; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = 0;
                return false;
            }
            if (accepts()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    fs::path collection(const std::string& user, const std::string& name) const {
        return storage_ / "collection-root" / user / name;
    }
    std::string log() const { return readText(log_); }

private:
    static int freePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        int port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port = ntohs(address.sin_port);
        ::close(fd);
        return port;
    }
    bool accepts() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool connected =
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return connected;
    }

    fs::path storage_, log_;
    int port_ = 0;
    pid_t pid_ = 0;
};

// The shipped example configuration, pointed at the test's mirror, server and folders.
std::string exampleConfigFor(const fs::path& mirrorRoot, const fs::path& status,
                             const std::string& url) {
    std::string text =
        readText(fs::path(JOTWISE_SOURCE_DIR) / "packaging" / "vdirsyncer.config.example");
    const auto replaceAll = [&](const std::regex& what, const std::string& with) {
        text = std::regex_replace(text, what, with);
    };
    replaceAll(std::regex(R"(~/\.local/share/jotwise/mirror/)"), mirrorRoot.string() + "/");
    replaceAll(std::regex(R"(~/\.local/share/vdirsyncer/status/)"), status.string() + "/");
    replaceAll(std::regex(R"(https://dav\.example\.com/)"), url);
    replaceAll(std::regex(R"(password\.fetch = .*)"), "password = \"unused\"");
    return text;
}

TEST_F(MirrorClients, VdirsyncerCopiesTheMirrorToACalDavServerUnchanged) {
    for (const char* program : {"vdirsyncer", "radicale"})
        if (!installed(program))
            GTEST_SKIP() << program << " is not installed (scripts/install-deps.sh)";
    startMirror();
    auto lunch = filedAppointment();
    auto task = createItem(olTaskItem);
    task->put("Subject", "Send the budget");
    task->put("DueDate", localDate(2026, 12, 8));
    task->call("Save");
    auto note = createItem(olNoteItem);
    note->put("Body", "Ideas for the fair");
    note->call("Save");
    auto ann = createItem(olContactItem);
    ann->put("FirstName", "Ann");
    ann->put("LastName", "Lee");
    ann->put("Email1Address", "ann@example.com");
    ann->call("Save");
    flush();

    RadicaleServer server(clientBase());
    ASSERT_TRUE(server.ready()) << server.log();
    const fs::path config = clientBase() / "vdirsyncer.config";
    writeFile(config, exampleConfigFor(root(), clientBase() / "status", server.url()));
    // The collections do not exist on the new server: discover is asked to create them.
    const std::string vdirsyncer = "vdirsyncer -c " + shellQuote(config.string());
    const auto discovered = runClient(clientBase(), "yes | " + vdirsyncer + " discover");
    ASSERT_EQ(discovered.exitCode, 0) << discovered.out << server.log();
    const auto synced = runClient(clientBase(), vdirsyncer + " sync");
    ASSERT_EQ(synced.exitCode, 0) << synced.out << server.log();

    // The server keeps each item as a file named by its UID, as sent.
    const std::string uid = uidOf(lunch);
    const fs::path event = server.collection("me", "calendar") / (uid + ".ics");
    ASSERT_TRUE(fs::exists(event)) << synced.out;
    const std::string sent = textOf(MirrorFolder::Calendar, lunch);
    const std::string received = readText(event);
    EXPECT_EQ(mirror::calendarProblems(received), std::vector<std::string>{});
    for (const char* property : {"UID", "SUMMARY", "DTSTART", "DTEND", "CATEGORIES"})
        EXPECT_EQ(lineOf(received, property), lineOf(sent, property)) << property;
    EXPECT_EQ(lineOf(received, "SUMMARY"), "SUMMARY:Lunch with Ann");
    EXPECT_EQ(lineOf(received, "DTSTART"), "DTSTART:20260718T160000Z");
    EXPECT_TRUE(fs::exists(server.collection("me", "tasks") / (uidOf(task) + ".ics")));
    EXPECT_TRUE(fs::exists(server.collection("me", "journal") / (uidOf(note) + ".ics")));
    const fs::path card = server.collection("me", "contacts") / (uidOf(ann) + ".vcf");
    ASSERT_TRUE(fs::exists(card)) << synced.out;
    EXPECT_EQ(lineOf(readText(card), "EMAIL"), "EMAIL:ann@example.com");

    // A change in the store reaches the server with the next sync.
    lunch->put("Subject", "Lunch with Ann and Bob");
    lunch->call("Save");
    flush();
    const auto again = runClient(clientBase(), vdirsyncer + " sync");
    ASSERT_EQ(again.exitCode, 0) << again.out;
    EXPECT_EQ(lineOf(readText(event), "SUMMARY"), "SUMMARY:Lunch with Ann and Bob");
}

}  // namespace
}  // namespace outlook::local::testing
