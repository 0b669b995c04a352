#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <QObject>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace shell {
class CommandReceiver;
}

namespace shell::ui {

// The running program's command socket, which `jotwise note|quit|explorer|keywords` talks
// to: a local (Unix-domain) socket in a folder of the user's runtime folder that only the
// user may enter. A local socket and not the session bus: it works where no session bus
// runs (a plain X11 session, a CI machine), and who may use it is settled by the
// filesystem's permissions and by the check of each peer's uid (SO_PEERCRED), with nothing
// to set up. Each connection carries one request; what it means, and what is answered, is
// the receiver's.
class CommandServer : public QObject {
public:
    // Connections from processes of any user but `user` are closed unread.
    explicit CommandServer(CommandReceiver& receiver, uid_t user = ::getuid());
    ~CommandServer() override;

    // Listens at `path`; a socket left there by a program that ended is replaced (the caller
    // holds the single-instance lock). False with the reason when it cannot.
    bool listen(const std::filesystem::path& path, std::string& reason);

private:
    // What one connection has sent.
    struct Request {
        std::string received;
        bool answered = false;
    };

    void accept();
    void read(QLocalSocket& socket, Request& request);

    CommandReceiver& receiver_;
    uid_t user_;
    QLocalServer* server_;
};

// The server on the user's command socket; when it cannot listen, `console` is told why and
// the program runs on without it.
std::unique_ptr<CommandServer> startCommandServer(CommandReceiver& receiver, std::ostream& console);

}  // namespace shell::ui
