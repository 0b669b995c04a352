#include "shell/ui/command_client.h"

#include <signal.h>

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QProcess>
#include <cerrno>

namespace shell::ui {
namespace {

constexpr int kConnectMs = 2000;

}  // namespace

CommandDelivery sendCommand(const std::filesystem::path& path, const std::string& request,
                            std::optional<std::chrono::milliseconds> limit, std::string& answer,
                            std::string& reason) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(path.string()));
    if (!socket.waitForConnected(kConnectMs)) {
        const QLocalSocket::LocalSocketError error = socket.error();
        if (error == QLocalSocket::ServerNotFoundError ||
            error == QLocalSocket::ConnectionRefusedError)
            return CommandDelivery::NotListening;
        reason = "the command socket " + path.string() +
                 " cannot be reached: " + socket.errorString().toStdString();
        return CommandDelivery::Failed;
    }
    socket.write(request.data(), static_cast<qint64>(request.size()));
    socket.flush();
    const QDeadlineTimer deadline = limit ? QDeadlineTimer(*limit) : QDeadlineTimer::Forever;
    while (socket.state() == QLocalSocket::ConnectedState || socket.bytesAvailable() > 0) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            if (socket.state() != QLocalSocket::ConnectedState) break;
            if (deadline.hasExpired()) return CommandDelivery::NoAnswer;
            continue;
        }
        answer += socket.readAll().toStdString();
    }
    return CommandDelivery::Answered;
}

std::optional<pid_t> launchDetached(const std::filesystem::path& program, std::string& reason) {
    QProcess process;
    process.setProgram(QString::fromStdString(program.string()));
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
        reason = program.string() + ": " + process.errorString().toStdString();
        return std::nullopt;
    }
    return static_cast<pid_t>(pid);
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace shell::ui
