// jotwise: `jotwise add` and the commands to the running program, and the tray program for
// everything else (`jotwise --help` lists every command). This file and what it links load no
// window system: the tray program's file is loaded only when it runs.
#include <iostream>
#include <string>
#include <vector>

#include "shell/cli/command_line_platform.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    shell::cli::CommandLinePlatform platform(argc, argv);
    return shell::RunProgram(args, platform, std::cout, std::cerr);
}
