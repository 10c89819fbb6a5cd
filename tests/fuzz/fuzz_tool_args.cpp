// The command-line companion's argument parsing: any argument list must end in output and status
// 0, or one line on the error stream and status 2; never a crash or an escaped exception.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tools/tool_cli.h"

namespace {

using namespace quivra::tool;

long long AsNumber(const std::string& text) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() ? v : 0;
}

// Mazes, scenes and candidate runs are other tests' business: here they only need to be small.
bool CheapToRun(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--budget") return false;   // reads the wall clock
        if (args[i] == "render") {
            // A whole scene: only a small window and few candidates.
            bool small = false, few = false;
            for (size_t k = i + 1; k + 1 < args.size(); ++k) {
                if (args[k] == "--size") small = args[k + 1].size() <= 5 && AsNumber(args[k + 1]) <= 99;
                if (args[k] == "--trials") few = AsNumber(args[k + 1]) <= 2;
            }
            if (!small || !few) return false;
        }
        if (args[i] == "--cells") {
            for (size_t k = i + 1; k <= i + 2 && k < args.size(); ++k) {
                if (AsNumber(args[k]) > 40) return false;
            }
        }
        if (args[i] == "--trials" && i + 1 < args.size() && AsNumber(args[i + 1]) > 4) return false;
    }
    return true;
}

const std::string& ScratchPicture() {
    static const std::string path = "/tmp/quivra-fuzz-" + std::to_string(getpid()) + ".png";
    return path;
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
                        const double d = ParseSeconds(v, name);
                        if (!(d >= 0)) std::abort();
                    } catch (const UsageError&) {
                    }
                }
            }
        } catch (const UsageError&) {
        }
    }

    if (!CheapToRun(args)) return 0;
    // Pictures go to one scratch file, never where the input says.
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--out" && args[i + 1].rfind("--", 0) != 0) args[i + 1] = ScratchPicture();
    }
    std::ostringstream out, err;
    const int status = RunTool(args, out, err);
    const std::string e = err.str();
    if (status == 0) {
        if (!e.empty()) std::abort();
    } else if (status == 2) {
        if (!out.str().empty() || e.empty() || e.find('\n') != e.size() - 1) std::abort();
    } else {
        std::abort();
    }
    return 0;
}
