#include "shell/ui/command_server.h"

#include <sys/socket.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include "shell/command_dispatcher.h"
#include "shell/command_request.h"

namespace shell::ui {
namespace {

// The uid of the process at the other end of a local socket; nothing when it cannot be read.
std::optional<uid_t> peerUid(const QLocalSocket& socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED,
                   &credentials, &size) != 0 ||
        size != sizeof credentials)
        return std::nullopt;
    return credentials.uid;
}

}  // namespace

CommandServer::CommandServer(CommandReceiver& receiver, uid_t user)
    : receiver_(receiver), user_(user), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &CommandServer::accept);
}

CommandServer::~CommandServer() = default;

bool CommandServer::listen(const std::filesystem::path& path, std::string& reason) {
    const QString name = QString::fromStdString(path.string());
    QLocalServer::removeServer(name);
    if (server_->listen(name)) return true;
    reason = "the command socket " + path.string() +
             " cannot be opened: " + server_->errorString().toStdString();
    return false;
}

void CommandServer::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (peerUid(*socket) != user_) {
            socket->abort();
            continue;
        }
        auto request = std::make_shared<Request>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, request] { read(*socket, *request); });
    }
}

void CommandServer::read(QLocalSocket& socket, Request& request) {
    const QByteArray bytes = socket.readAll();
    // One request per connection: what follows it is not read.
    if (request.answered) return;
    request.received.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QPointer<QLocalSocket> guard(&socket);
    const std::optional<CommandAnswer> answer = receiver_.Received(request.received);
    if (!answer) return;
    request.answered = true;
    // Exit may have asked about notes in an event loop of its own, in which the caller may
    // have gone.
    if (!guard) return;
    socket.write(answer->text.data(), static_cast<qint64>(answer->text.size()));
    if (answer->close)
        socket.disconnectFromServer();
    else
        socket.flush();
}

std::unique_ptr<CommandServer> startCommandServer(CommandReceiver& receiver,
                                                  std::ostream& console) {
    auto server = std::make_unique<CommandServer>(receiver);
    std::string reason;
    const std::optional<std::filesystem::path> path = CommandSocketPath(&reason);
    if (!path || !server->listen(*path, reason))
        console << "jotwise: no commands from 'jotwise note' and the like: " << reason << "\n";
    return server;
}

}  // namespace shell::ui
