#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace jotwise::testing {

// What a child process reported: its exit code (-1 when it did not end normally) and what it
// wrote to the pipe it was given.
struct ChildReport {
    int exitCode = -1;
    std::string text;
};

// Runs `body` in a child process that file permissions bind: as root, the child becomes the
// user nobody first, so that a read-only file is read-only to it too. `body` returns the
// child's exit code and may write what the test should see to the descriptor it is given.
// Folders the child must reach have to be open to others (0755, or 0777 to write in them).
inline ChildReport runWithoutPrivileges(const std::function<int(int report)>& body) {
    constexpr uid_t kNobody = 65534;
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t child = ::fork();
    if (child < 0) return {};
    if (child == 0) {
        ::close(fds[0]);
        int code = 99;
        try {
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(98);
            code = body(fds[1]);
        } catch (...) {
            code = 97;
        }
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildReport report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        report.text.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    report.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return report;
}

// Writes `text` to a child's report descriptor.
inline void tell(int report, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t put = ::write(report, text.data() + done, text.size() - done);
        if (put <= 0) return;
        done += static_cast<std::size_t>(put);
    }
}

}  // namespace jotwise::testing
