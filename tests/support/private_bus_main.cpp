#include <gtest/gtest.h>
#include <signal.h>
#include <stdio.h>

#include <QApplication>
#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

// Tests that talk D-Bus run on a session bus of their own, started here before anything
// connects to one, so that they never reach the user's desktop. The bus has no service files:
// nothing runs on it that a test did not start. Window tests run here too (offscreen).
//
// With JOTWISE_TESTS_WITHOUT_BUS set they run where no session bus answers at all.
int runTests(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The name the program gives itself, as its start does.
    QApplication::setDesktopFileName("jotwise");
    return RUN_ALL_TESTS();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsEmpty("JOTWISE_TESTS_WITHOUT_BUS")) {
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/jotwise-no-bus", 1);
        return runTests(argc, argv);
    }
    jotwise::testing::TempFolder folder("jotwise-bus");
    const std::filesystem::path config = folder.path() / "session.conf";
    std::ofstream(config) << "<busconfig>\n"
                             "  <type>session</type>\n"
                             "  <listen>unix:dir="
                          << folder.path().string()
                          << "</listen>\n"
                             "  <policy context=\"default\">\n"
                             "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                             "    <allow eavesdrop=\"true\"/>\n"
                             "    <allow own=\"*\"/>\n"
                             "  </policy>\n"
                             "</busconfig>\n";
    const std::string command =
        "dbus-daemon --fork --print-address=1 --print-pid=1 --config-file='" + config.string() +
        "'";
    FILE* daemon = popen(command.c_str(), "r");
    char address[512] = {};
    long pid = 0;
    const bool started =
        daemon && fgets(address, sizeof address, daemon) && fscanf(daemon, "%ld", &pid) == 1;
    if (daemon) pclose(daemon);
    if (!started || pid <= 0) {
        fprintf(stderr, "could not start a private session bus (dbus-daemon)\n");
        return 1;
    }
    std::string bus = address;
    bus.erase(bus.find_last_not_of("\n") + 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
    const int result = runTests(argc, argv);
    kill(static_cast<pid_t>(pid), SIGTERM);
    return result;
}
