#include <gtest/gtest.h>

#include <sstream>

#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

int Tool(std::vector<std::string> args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int status = RunTool(args, o, e);
    out = o.str(), err = e.str();
    return status;
}

TEST(Tool, PrintsTheMazeOrOneLineOfComplaint) {
    std::string out, err;
    const std::string worked = "0100000\n0111110\n0200010\n0222010\n0000010\npathLength 4\ncontacts 5\ndraws 14\nsteps 2 2 1\n";
    EXPECT_EQ(Tool({"carve", "--style", "square", "--cells", "3", "2", "--digits", "3,3,9,1,3,7,9,6"}, out, err), 0);
    EXPECT_EQ(out, worked);
    // " 5" mixes to the digits above; zero trials still make one.
    EXPECT_EQ(Tool({"generate", "--cells", "3", "2", "--seed-text", " 5", "--trials", "0", "--style", "square"}, out, err), 0);
    EXPECT_EQ(out, worked + "bestDigits 3,3,9,1,3,7,9,6\ntrial 0\ntrials 1\n");

    const std::pair<std::string, std::string> bad[] = {
        {"dance", "unknown command"},          {"carve --style round", "style"},
        {"carve --cells 1 5", "2 x 2"},        {"carve --style hex --cells 4 5", "odd"},
        {"carve --style hex --cells 5 1", "at least 2"},
        {"carve --digits 1,2,3,4,5,6,7", "eight"}, {"carve --digits 1,2,3,4,5,6,7,10", "eight"},
        {"carve --digits 1,2,3,4,5,6,7,8,", "eight"}, {"carve --cells 3", "needs 2"},
        {"carve --cells 3x 2", "whole number"}, {"carve --extra", "unknown option"},
        {"carve --cells 20000 20000", "too large"}, {"carve --cells 99999999999 3", "cells X"},
        {"carve --style square --style square", "twice"}, {"generate --trials -1", "trial count"},
        {"generate --budget -0.5", "negative"}, {"generate --budget nan", "not a number"},
        {"generate --trials 3 --budget 1", "exactly one"}, {"generate --seed-text", "needs 1"}};
    for (const auto& [line, problem] : bad) {
        // Valid values for the options the line leaves out.
        std::string full = line;
        for (std::string opt : {"--style square", "--cells 3 2", line[0] == 'c' ? "--digits 1,2,3,4,5,6,7,8" : "--seed-text x"})
            if (line.find(opt.substr(0, opt.find(' '))) == std::string::npos) full += " " + opt;
        std::istringstream words(full);
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        EXPECT_EQ(Tool(args, out, err), 2) << full;
        EXPECT_EQ(out, "") << full;
        EXPECT_NE(err.find(problem), std::string::npos) << full << ": " << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << full;
    }
}

}  // namespace
}  // namespace quivra::tool
