// CommandLineTest.cpp -- what each command line asks for, why a wrong one is refused, where replay
// files are looked for, and the help kept in step with the manual page.
#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

CCommandLine parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "vorlusk");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(&argument[0]);
    }
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

std::set<std::string> optionsIn(const std::string& text, const char* pattern) {
    std::set<std::string> options;
    const std::regex option(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        options.insert(std::regex_replace((*it)[1].str(), std::regex(R"(\\-)"), "-"));
    }
    return options;
}

} // namespace

TEST(CommandLineTest, ModesFilesAndWhereRelativeFilesAreLookedFor) {
    setenv("VORLUSK_START_DIR", "/home/pilot/", 1);
    EXPECT_EQ(parse({}).mode, PlayMode);
    EXPECT_EQ(parse({"-h"}).mode, HelpMode);
    EXPECT_EQ(parse({"--help"}).mode, HelpMode);
    EXPECT_EQ(parse({"--version"}).mode, VersionMode);
    const CCommandLine replay = parse({"--replay", "runs/a.vrp"});
    EXPECT_EQ(replay.mode, ReplayMode);
    EXPECT_EQ(replay.files, std::vector<std::string>{"/home/pilot/runs/a.vrp"});
    const CCommandLine verify = parse({"--verify", "last", "/tmp/b.vrp", "best"});
    EXPECT_EQ(verify.mode, VerifyMode);
    EXPECT_EQ(verify.files, (std::vector<std::string>{"last", "/tmp/b.vrp", "best"}));
    setenv("VORLUSK_START_DIR", "pilot", 1);
    EXPECT_EQ(resolveStartPath("a.vrp"), "a.vrp");
    unsetenv("VORLUSK_START_DIR");
    EXPECT_EQ(resolveStartPath("a.vrp"), "a.vrp");
}

TEST(CommandLineTest, AnythingElseIsRefusedWithItsReason) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--x"}, "unknown option '--x'"},
        {{"flight.vrp"}, "unexpected argument 'flight.vrp'"},
        {{"--replay"}, "--replay needs a file"},
        {{"--replay", "a", "b"}, "--replay takes one file"},
        {{"--verify"}, "--verify needs at least one file"},
        {{"--verify", "a", "-q"}, "unknown option '-q'"},
        {{"--replay", "a", "--verify", "b"}, "--replay and --verify cannot be used together"},
        {{"--version", "2"}, "--version takes no arguments, not '2'"},
    };
    for (const auto& [arguments, reason] : cases) {
        const CCommandLine line = parse(arguments);
        EXPECT_EQ(line.mode, UsageError) << reason;
        EXPECT_EQ(line.error, reason);
    }
}

TEST(CommandLineTest, HelpVersionAndManualPageAgree) {
    std::ifstream file(VORLUSK_DATA_DIR "/../packaging/vorlusk.6");
    std::stringstream page;
    page << file.rdbuf();
    ASSERT_FALSE(page.str().empty());
    // roff writes a hyphen meant as a minus "\-".
    EXPECT_EQ(optionsIn(usageText(), R"((?:^|[ \[|])(--?[a-z]+))"),
              optionsIn(page.str(), R"((\\-(?:\\-)?[a-z]+))"));
    EXPECT_TRUE(std::regex_match(versionText(), std::regex("vorlusk [0-9]+\\.[0-9]+\\.[0-9]+\n")));
}
