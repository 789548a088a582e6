#include <iostream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "programs/kestrane-reg/RegTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    platform::Registry registry(platform::Registry::defaultFilePath());
    return regtool::run(registry, args, std::cout, std::cerr, std::cin);
}
