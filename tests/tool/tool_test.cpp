// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <sstream>

#include "tests/support/printable_line.h"
#include "tools/progress.h"
#include "tests/tool/run_tool.h"
#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

int Tool(const std::vector<std::string>& args, std::string& out, std::string& err, int progressFd = -1) {
    const test::ToolRun run = test::RunToolCommand(args, progressFd);
    out = run.out, err = run.err;
    return run.status;
}

using test::OnePrintableLine;

TEST(Tool, PrintsTheMazeOrOneLineOfComplaint) {
    std::string out, err;
    const std::string worked = "0100000\n0111110\n0200010\n0222010\n0000010\npathLength 4\ncontacts 5\ndraws 14\nsteps 2 2 1\n";
    EXPECT_EQ(Tool({"carve", "--style", "square", "--cells", "3", "2", "--digits", "3,3,9,1,3,7,9,6"}, out, err), 0);
    EXPECT_EQ(out, worked);
    // " 5" mixes to the digits above; zero trials still make one.
    EXPECT_EQ(Tool({"generate", "--cells", "3", "2", "--seed-text", " 5", "--trials", "0", "--style", "square"}, out, err), 0);
    EXPECT_EQ(out, worked + "bestDigits 3,3,9,1,3,7,9,6\ntrial 0\ntrials 1\ncode S3x2-33913796-X\n");
    // More threads carve ahead, but the kept maze and the count are those of one.
    std::string one, three;
    for (auto [threads, text] : {std::pair{"1", &one}, std::pair{"3", &three}}) {
        EXPECT_EQ(Tool({"generate", "--style", "hex", "--cells", "9", "6", "--seed-text", " 7", "--trials", "40",
                        "--threads", threads}, *text, err), 0);
    }
    EXPECT_EQ(one, three);

    const std::pair<std::string, std::string> bad[] = {
        {"dance", "unknown command"},          {"carve --style round", "style"},
        {"carve --cells 1 5", "2..20000"},     {"carve --style hex --cells 4 5", "odd"},
        {"carve --style hex --cells 5 1", "2..20000"}, {"carve --style hex --cells 1 5", "3..20000"},
        {"carve --cells 10 99999999999999999999", "2..20000"},
        {"carve --digits 1,2,3,4,5,6,7", "eight"}, {"carve --digits 1,2,3,4,5,6,7,10", "eight"},
        {"carve --digits 1,2,3,4,5,6,7,8,", "eight"}, {"carve --cells 3", "needs 2"},
        {"carve --cells 3x 2", "whole number"}, {"carve --extra", "unknown option"},
        {"carve --cells 20000 20000", "too large"}, {"carve --cells 99999999999 3", "cells X"},
        {"carve --cells 3 99999999999999999999999", "cells Y must be in"},
        {"carve --style square --style square", "twice"}, {"generate --trials -1", "trial count"},
        {"generate --trials 100000001", "must be in 0..100000000"},
        {"generate --budget -0.5", "must be in"}, {"generate --budget nan", "not a number"},
        {"generate --budget 86400.01", "must be in 0..86400"}, {"generate --budget 1e300", "must be in"},
        {"generate --budget 1e999", "must be in"}, {"generate --budget inf", "must be in"},
        {"generate --trials 3 --budget 1", "exactly one"}, {"generate --seed-text", "needs 1"},
        {"generate --trials 3 --threads 0", "thread count must be in 1..1024"},
        {"generate --code S99999x99999-12345678-J", "larger than"},
        {"generate --code S46341x46341-12345678-R", "larger than"},
        {"generate --code H99999x99999-12345678-3", "larger than"},
        {"render --code S99999x99999-12345678-J --out x.png", "larger than"},
        {"render --code H99999x99999-12345678-3 --out x.png", "larger than"}};
    for (const auto& [line, problem] : bad) {
        // Valid values for the options the line leaves out; a code stands for them all.
        std::string full = line;
        for (std::string opt : {"--style square", "--cells 3 2", line[0] == 'c' ? "--digits 1,2,3,4,5,6,7,8" : "--seed-text x"})
            if (line.find(opt.substr(0, opt.find(' '))) == std::string::npos && line.find("--code") == std::string::npos)
                full += " " + opt;
        std::istringstream words(full);
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        EXPECT_EQ(Tool(args, out, err), 2) << full;
        EXPECT_EQ(out, "") << full;
        EXPECT_NE(err.find(problem), std::string::npos) << full << ": " << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << full;
    }
}

// COMMAND --help: status 0, nothing on standard error, the command's usage line naming each of its
// options, then one help row for each of them and no other.
TEST(Tool, EachCommandsHelpNamesItsOptions) {
    const std::pair<std::string, std::vector<std::string>> commands[] = {
        {"carve", {"--style square|hex", "--cells X Y", "--digits d1,...,d8"}},
        {"generate",
         {"--style square|hex", "--cells X Y", "--seed-text TEXT", "--trials N", "--budget SECONDS", "--threads N",
          "--code CODE"}},
        {"render",
         {"--style square|hex", "--size WxH", "--tilt DEGREES", "--time SECONDS", "--trials N", "--keys K1,K2,...",
          "--solution", "--clear", "--palette", "--dump", "--out FILE", "--view scene|plan|first-person", "--code CODE",
          "--page a5|a4|a3|letter|legal", "--count N", "--cells X Y", "--cell-size MM", "--per-page 1|2|4|6",
          "--solutions end|none|FILE.pdf", "--title TEXT", "--name-line", "--level 1..5", "--codes FILE", "--lang zh|en",
          "--quiet", "--zoom 0..6"}},
    };
    for (const auto& [command, options] : commands) {
        for (const char* help : {"--help", "-h", "help"}) {
            std::string out, err;
            EXPECT_EQ(Tool({command, help}, out, err), 0) << command << " " << help;
            EXPECT_EQ(err, "") << command << " " << help;
            const std::string usage = out.substr(0, out.find('\n'));
            EXPECT_EQ(usage.rfind("usage: quivra-tool " + command + " ", 0), 0u) << out;
            size_t rows = 0;
            for (size_t at = out.find("\n  --"); at != std::string::npos; at = out.find("\n  --", at + 1)) ++rows;
            EXPECT_EQ(rows, options.size()) << out;
            for (const std::string& option : options) {
                EXPECT_NE(usage.find(option), std::string::npos) << command << ": " << option;
                EXPECT_NE(out.find("\n  " + option + " "), std::string::npos) << command << ": " << option;
            }
        }
    }
}

TEST(Tool, EchoedValuesAreCutAndEveryUnprintableByteEscaped) {
    // C0, DEL, C1 (NEL), a stray byte, a surrogate, a line separator, format characters (a right-to-left
    // override, a zero-width space); then printable text, far too long.
    const std::string hostile = std::string("\x01\x7f\xc2\x85\xff\xed\xa0\x80\xe2\x80\xa8") + "\\中" +
                                "\u202e\u200b" + std::string(10'000'000, 'y');
    std::string out, err;
    EXPECT_EQ(Tool({"carve", "--style", hostile}, out, err), 2);
    EXPECT_TRUE(OnePrintableLine(err)) << err;
    EXPECT_LT(err.size(), 2 * kQuotedLength + 100);
    EXPECT_NE(err.find("'\\x01\\x7f\\xc2\\x85\\xff\\xed\\xa0\\x80\\xe2\\x80\\xa8\\\\中\\xe2\\x80\\xae\\xe2\\x80\\x8byyy"), std::string::npos) << err;
    EXPECT_NE(err.find("y'\xe2\x80\xa6"), std::string::npos) << err;   // an ellipsis after the cut
}

TEST(Tool, FailedStandardOutputIsAnError) {
    std::ostream broken(nullptr);   // every write fails, as on a full disk
    std::ostringstream e;
    EXPECT_EQ(RunTool({"carve", "--style", "square", "--cells", "3", "2", "--digits", "1,2,3,4,5,6,7,8"}, broken, e), 1);
    EXPECT_TRUE(OnePrintableLine(e.str())) << e.str();
}

// Everything written to a descriptor so far, waiting a little for a terminal's buffer to pass it on.
std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, 500) > 0 && (p.revents & POLLIN)) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

TEST(Tool, LongRunsShowProgressOnATerminalOnly) {
    const std::vector<std::string> run = {"generate", "--style", "square", "--cells", "9", "9", "--seed-text", "x",
                                          "--budget", "0.8"};
    std::string out, err;

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    EXPECT_EQ(Tool(run, out, err, terminal), 0);
    const std::string shown = Drain(master);
    EXPECT_NE(shown.find(" candidates, "), std::string::npos) << shown;
    EXPECT_NE(shown.find(" left"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K") << "the line is erased at the end";
    EXPECT_EQ(out.rfind("trials "), out.find("trials ")) << "the report is untouched";
    {
        // All ten planned candidates done (a search on threads may carve past them): none left to wait for.
        Progress progress(terminal, 10, 0, 0);
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(600)) progress.Reading();
    }
    EXPECT_NE(Drain(master).find(", 0:00:00 left"), std::string::npos);
    close(terminal);
    close(master);

    int pipeFds[2];
    ASSERT_EQ(pipe2(pipeFds, O_NONBLOCK), 0);
    EXPECT_EQ(Tool(run, out, err, pipeFds[1]), 0);
    close(pipeFds[1]);
    EXPECT_EQ(Drain(pipeFds[0]), "");
    close(pipeFds[0]);
}

}  // namespace
}  // namespace quivra::tool
