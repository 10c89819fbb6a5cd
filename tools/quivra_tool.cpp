// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool: drives the game's maze code without a window. See tools/tool_cli.h.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/tool_cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quivra::tool::RunTool(args, std::cout, std::cerr, STDERR_FILENO);
}
