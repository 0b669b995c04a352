#include "platform/ui/desktop_help_viewer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <system_error>

namespace platform {

DesktopHelpViewer::DesktopHelpViewer(std::filesystem::path folder, MessageBoxes& boxes,
                                     std::string caption)
    : folder_(std::move(folder)), boxes_(boxes), caption_(std::move(caption)) {}

void DesktopHelpViewer::showContents() {
    open("");
}

void DesktopHelpViewer::showTopic(int topic) {
    open("topic-" + std::to_string(topic));
}

void DesktopHelpViewer::open(const std::string& anchor) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file(), error)) {
        boxes_.show(caption_, "The help file was not found: " + file().string(),
                    MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(file().string()));
    if (!anchor.empty()) url.setFragment(QString::fromStdString(anchor));
    const QString opener = QStandardPaths::findExecutable(kOpener);
    if (opener.isEmpty()) {
        tellNoViewer();
        return;
    }

    // The opener is waited for without blocking: it may hold on until the browser it started
    // ends. Its exit code is the only sign that no browser took the page.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, &receiver_,
                     [this](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0) tellNoViewer();
                     });
    QObject::connect(process, &QProcess::errorOccurred, &receiver_,
                     [this](QProcess::ProcessError failure) {
                         if (failure == QProcess::FailedToStart) tellNoViewer();
                     });
    // The process object outlives the viewer when it must: a browser the opener waits for
    // is never ended by the program's end.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError failure) {
                         if (failure == QProcess::FailedToStart) process->deleteLater();
                     });
    process->start();
}

void DesktopHelpViewer::tellNoViewer() {
    boxes_.show(caption_, "No program to show the help file was found: " + file().string(),
                MessageIcon::Warning, MessageButtons::Ok);
}

}  // namespace platform
