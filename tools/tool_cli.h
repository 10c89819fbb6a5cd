#pragma once
// The command-line companion: a table of subcommands sharing one small option parser.
// Kept in a library so the tests can drive it without spawning processes.
#include <map>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::tool {

// A problem with the command line; RunTool prints it as one line and exits with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct OptionSpec {
    std::string_view name;   // without the leading "--"
    int valueCount;          // values that follow the option
};

// Options of one command, each given at most once, with their values.
class ParsedOptions {
public:
    bool Has(std::string_view name) const { return values_.count(std::string(name)) != 0; }
    // The values of a required option; throws if it is missing.
    const std::vector<std::string>& Required(std::string_view name) const;
    std::map<std::string, std::vector<std::string>>& Raw() { return values_; }

private:
    std::map<std::string, std::vector<std::string>> values_;
};

ParsedOptions ParseOptions(std::span<const std::string> args, std::span<const OptionSpec> known);

// The text in single quotes for an error message, control characters written as \xNN.
std::string Quoted(std::string_view s);

// Whole-string integer in lo..hi; `what` names the value in the error message.
int ParseInt(std::string_view text, std::string_view what, int lo, int hi);
// Finite, non-negative decimal number.
double ParseSeconds(std::string_view text, std::string_view what);

struct Command {
    std::string_view name;
    std::string_view usage;   // the arguments after the command name
    std::span<const OptionSpec> options;
    void (*run)(const ParsedOptions& options, std::string& out);
};

std::span<const Command> Commands();

// The render command (render_command.cpp): a whole scene through the game's own build stages.
void RunRender(const ParsedOptions& options, std::string& out);

// Runs one command line (without the program name). Output goes to `out` only when the command
// succeeds; a usage error goes to `err` as one line and gives status 2.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quivra::tool
