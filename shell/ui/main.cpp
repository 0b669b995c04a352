// jotwise: the tray program, and `jotwise add` to file one note from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "shell/ui/local_quick_add.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front() == "add")
        return shell::ui::RunQuickAddOnLocalStore({args.begin() + 1, args.end()});
    std::cerr << "jotwise: the tray program is not built yet; 'jotwise add TEXT' files a note.\n";
    return 1;
}
