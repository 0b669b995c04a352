// jotwise: the tray program, and `jotwise add` to file one note from the command line
// (`jotwise --help` lists every command).
#include <iostream>
#include <string>
#include <vector>

#include "shell/startup.h"
#include "shell/ui/tray_program.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    shell::ui::QtStartupPlatform platform(argc, argv);
    return shell::RunProgram(args, platform, std::cout, std::cerr);
}
