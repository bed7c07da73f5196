// tavolex-cli: plans a panel job file without the window.

#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tvx::panel::cli::RunTavolexCli(args, std::cout, std::cerr);
}
