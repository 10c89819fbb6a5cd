#include <gtest/gtest.h>

#include <sstream>

#include "tools/tool_cli.h"

namespace quivra::tool {
namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun Tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunTool(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(Tool, CarveAndGeneratePrintTheMaze) {
    const std::string workedExample =
        "0100000\n0111110\n0200010\n0222010\n0000010\n"
        "pathLength 4\ncontacts 5\ndraws 14\nsteps 2 2 1\n";
    ToolRun r = Tool({"carve", "--style", "square", "--cells", "3", "2", "--digits", "3,3,9,1,3,7,9,6"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, workedExample);
    EXPECT_EQ(r.err, "");

    // Seed text " 5" mixes to the digits above; zero trials still make one.
    r = Tool({"generate", "--cells", "3", "2", "--seed-text", " 5", "--trials", "0", "--style", "square"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, workedExample + "bestDigits 3,3,9,1,3,7,9,6\ntrial 0\ntrials 1\n");

    r = Tool({"carve", "--style", "hex", "--cells", "5", "3", "--digits", "3,3,7,8,2,7,1,9"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\npathLength 8\ncontacts 15\ndraws 15\n"), std::string::npos);

    r = Tool({"generate", "--style", "hex", "--cells", "7", "5", "--seed-text", " 5", "--trials", "25"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\ntrials 25\n"), std::string::npos);

    EXPECT_EQ(Tool({}).status, 0);
    EXPECT_NE(Tool({"--help"}).out.find("generate --style"), std::string::npos);
}

TEST(Tool, BadArgumentsGiveOneLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"dance"},
        {"carve", "--style", "round", "--cells", "3", "2", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "square", "--cells", "1", "5", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "hex", "--cells", "4", "5", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "hex", "--cells", "1", "5", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "hex", "--cells", "5", "1", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "square", "--cells", "3", "2", "--digits", "1,2,3,4,5,6,7"},
        {"carve", "--style", "square", "--cells", "3", "2", "--digits", "1,2,3,4,5,6,7,10"},
        {"carve", "--style", "square", "--cells", "3", "2", "--digits", "1,2,3,4,5,6,7,8,"},
        {"carve", "--style", "square", "--cells", "3", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "square", "--cells", "3", "2"},
        {"carve", "--style", "square", "--cells", "3x", "2", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "square", "--cells", "3", "2", "--digits", "1,2,3,4,5,6,7,8", "--extra"},
        {"carve", "--style", "square", "--cells", "20000", "20000", "--digits", "1,2,3,4,5,6,7,8"},
        {"carve", "--style", "hex", "--cells", "99999999999", "3", "--digits", "1,2,3,4,5,6,7,8"},
        {"generate", "--style", "square", "--cells", "3", "2", "--seed-text", "x", "--trials", "-1"},
        {"generate", "--style", "square", "--cells", "3", "2", "--seed-text", "x", "--budget", "-0.5"},
        {"generate", "--style", "square", "--cells", "3", "2", "--seed-text", "x", "--budget", "nan"},
        {"generate", "--style", "square", "--cells", "3", "2", "--seed-text", "x"},
        {"generate", "--style", "square", "--cells", "3", "2", "--trials", "3", "--budget", "1", "--seed-text", "x"},
        {"generate", "--style", "square", "--style", "square", "--cells", "3", "2", "--seed-text", "x", "--trials", "1"},
    };
    for (const auto& args : bad) {
        std::string line;
        for (const auto& a : args) line += a + " ";
        const ToolRun r = Tool(args);
        EXPECT_EQ(r.status, 2) << line;
        EXPECT_EQ(r.out, "") << line;
        ASSERT_FALSE(r.err.empty()) << line;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << line << ": " << r.err;
    }
}

}  // namespace
}  // namespace quivra::tool
