// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace quivra {
struct MazeShape;
}

namespace quivra::tool {

// A problem with the command line; RunTool prints it as one line and exits with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Output that could not be written (full disk, device error); one line and status 1.
struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// How an option shows in its command's usage line.
enum class InUsage {
    Required,   // --name VALUES
    Optional,   // [--name VALUES]
    Either,     // (--name VALUES      the first of two, one of which is given
    Or,         // | --name VALUES)    the second of those two
    Instead,    // | --name VALUES     instead of all the options before it
    OptionalEither,   // [--name VALUES   the first of two, at most one of which is given
    OptionalOr,       // | --name VALUES] the second of those two
};

// One option of a command, written once: what parsing, the usage line and the help rows are made of.
struct OptionSpec {
    std::string_view name;     // without the leading "--"
    int valueCount;            // values that follow the option
    std::string_view values;   // what they are, as the usage and help show them ("X Y"); empty for none
    std::string_view help;     // what it does, one line
    InUsage inUsage = InUsage::Required;
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

// A value for an error message, in single quotes and safe to print on one line: cut after
// kQuotedLength characters (an ellipsis follows the closing quote), every byte that is not part of
// printable UTF-8 written as \xNN, a backslash as \\.
constexpr size_t kQuotedLength = 64;
std::string Quoted(std::string_view s);

// A number with so many places after the point, written the same in every locale (the tool reads
// back what it advises).
std::string Decimal(double value, int places);

// Whole-string integer in lo..hi; `what` names the value in the error message.
int ParseInt(std::string_view text, std::string_view what, int lo, int hi);
// Decimal number in 0..max, or 0 up to but not including max.
double ParseSeconds(std::string_view text, std::string_view what, int max, bool maxIncluded = true);

struct Command {
    std::string_view name;
    std::string_view help;   // what it does, one line
    std::span<const OptionSpec> options;   // in the order of the usage line
    // progressFd: where progress of a long run may be shown (only if it is a terminal), or -1.
    void (*run)(const ParsedOptions& options, std::string& out, int progressFd);
};

std::span<const Command> Commands();

// --style and --cells as generate takes them; throws UsageError.
MazeShape CellsFromOptions(const ParsedOptions& options);

// The render command (render_command.cpp): a whole scene through the game's own build stages.
void RunRender(const ParsedOptions& options, std::string& out, int progressFd);

// Runs one command line (without the program name). Output goes to `out` only when the command
// succeeds; an error goes to `err` as one line and gives status 2 (usage) or 1 (a failed write,
// `out` included). Qt's own messages are held back while it runs, so that line stays the only one.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, int progressFd = -1);

}  // namespace quivra::tool
