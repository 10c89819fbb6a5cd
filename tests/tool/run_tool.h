// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quivra-tool's command run in this process: its status and what it printed on each stream.
#include <sstream>
#include <string>
#include <vector>

#include "tools/tool_cli.h"

namespace quivra::test {

struct ToolRun {
    int status;
    std::string out, err;
};

inline ToolRun RunToolCommand(const std::vector<std::string>& args, int progressFd = -1) {
    std::ostringstream out, err;
    const int status = tool::RunTool(args, out, err, progressFd);
    return {status, out.str(), err.str()};
}

}  // namespace quivra::test
