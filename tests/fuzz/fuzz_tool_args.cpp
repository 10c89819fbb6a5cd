// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line companion's argument parsing: any argument list must end in output and status
// 0, or one short printable line on the error stream and status 2 (1 for a failed write); never a
// crash or an escaped exception.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/support/printable_line.h"
#include "tools/tool_cli.h"

namespace {

using namespace quivra::tool;

long long AsNumber(const std::string& text) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() ? v : 0;
}

bool RefusedBudget(const std::string& text) {
    try {
        ParseSeconds(text, "budget", 86400);
        return false;
    } catch (const UsageError&) {
        return true;
    }
}

// Mazes, scenes and candidate runs are other tests' business: here they only need to be small.
bool CheapToRun(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        // A budget that is kept reads the wall clock; one that is refused costs nothing.
        if (args[i] == "--budget" && (i + 1 == args.size() || !RefusedBudget(args[i + 1]))) return false;
        if (args[i] == "render") {
            // A whole scene: only a small window and few candidates.
            bool small = false, few = false;
            for (size_t k = i + 1; k + 1 < args.size(); ++k) {
                if (args[k] == "--size") small = args[k + 1].size() <= 5 && AsNumber(args[k + 1]) <= 99;
                if (args[k] == "--trials") few = AsNumber(args[k + 1]) <= 2 || AsNumber(args[k + 1]) > 1'000'000;
            }
            if (!small || !few) return false;
        }
        if (args[i] == "--cells") {
            for (size_t k = i + 1; k <= i + 2 && k < args.size(); ++k) {
                if (AsNumber(args[k]) > 40) return false;
            }
        }
        if (args[i] == "--trials" && i + 1 < args.size() && AsNumber(args[i + 1]) > 4 &&
            AsNumber(args[i + 1]) <= 100'000'000) {
            return false;
        }
    }
    return true;
}

// The scratch file with the extension the input asked for (when it looks like one), so that the
// choice of format and the refusals are exercised without writing anywhere else.
std::string ScratchPicture(const std::string& asked) {
    std::string path = "/tmp/quivra-fuzz-" + std::to_string(getpid());
    const size_t dot = asked.rfind('.');
    if (asked.empty()) return asked;
    if (dot != std::string::npos && asked.size() - dot <= 6 &&
        std::all_of(asked.begin() + static_cast<std::ptrdiff_t>(dot) + 1, asked.end(), isalnum)) {
        path += asked.substr(dot);
    }
    return path;
}

// One printable line, and short.
bool OneShortPrintableLine(const std::string& line) {
    return line.size() <= 600 && quivra::test::OnePrintableLine(line);
}

}  // namespace

// Arguments are separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size && args.size() < 32; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    if (size == 0) args.clear();

    // The pieces on their own, with every command's option table and the values as numbers.
    for (const Command& c : Commands()) {
        try {
            ParsedOptions parsed = ParseOptions(args, c.options);
            for (const auto& [name, values] : parsed.Raw()) {
                for (const std::string& v : values) {
                    try {
                        const int n = ParseInt(v, name, -5, 100);
                        if (n < -5 || n > 100) std::abort();
                    } catch (const UsageError&) {
                    }
                    try {
                        const double d = ParseSeconds(v, name, 86400);
                        if (!(d >= 0 && d <= 86400)) std::abort();
                    } catch (const UsageError& e) {
                        if (!OneShortPrintableLine(std::string(e.what()) + "\n")) std::abort();
                    }
                }
            }
        } catch (const UsageError&) {
        }
    }

    if (!CheapToRun(args)) return 0;
    // Pictures go to one scratch file, never where the input says.
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--out" && args[i + 1].rfind("--", 0) != 0) args[i + 1] = ScratchPicture(args[i + 1]);
    }
    std::ostringstream out, err;
    const int status = RunTool(args, out, err);
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--out" && args[i + 1].rfind("/tmp/quivra-fuzz-", 0) == 0) std::remove(args[i + 1].c_str());
    }
    const std::string e = err.str();
    if (status == 0) {
        if (!e.empty()) std::abort();
    } else if (status == 2 || status == 1) {
        if (!out.str().empty() || !OneShortPrintableLine(e)) std::abort();
    } else {
        std::abort();
    }
    return 0;
}
