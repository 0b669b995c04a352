#include <iostream>
#include <string>
#include <vector>

#include "outlook/local/cli/store_tool.h"
#include "platform/file_registry.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // A store this tool creates gets the profile's default categories too.
    auto registry = platform::openUserRegistry();
    outlook::local::StoreTool tool(std::cout, std::cerr, registry.get());
    return tool.run(args);
}
