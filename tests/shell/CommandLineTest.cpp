// CommandLineTest.cpp -- what each command line asks for, the reason a wrong one is refused, where
// replay files are looked for, and the help kept in step with the manual page.
#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
    argv.push_back(nullptr);
    return parseCommandLine(static_cast<int>(arguments.size()), argv.data());
}

std::set<std::string> optionsIn(const std::string& text, const std::string& pattern) {
    std::set<std::string> options;
    const std::regex option(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        std::string found = (*it)[1];
        options.insert(found);
    }
    return options;
}

class StartDir {
  public:
    explicit StartDir(const char* value) {
        if (value == nullptr) {
            unsetenv("VORLUSK_START_DIR");
        } else {
            setenv("VORLUSK_START_DIR", value, 1);
        }
    }
    ~StartDir() { unsetenv("VORLUSK_START_DIR"); }
};

} // namespace

TEST(CommandLineTest, EachOptionItsModeAndFiles) {
    StartDir start(nullptr);
    EXPECT_EQ(parse({}).mode, PlayMode);
    EXPECT_EQ(parse({"--help"}).mode, HelpMode);
    EXPECT_EQ(parse({"-h"}).mode, HelpMode);
    EXPECT_EQ(parse({"--version"}).mode, VersionMode);
    const CCommandLine replay = parse({"--replay", "a.vrp"});
    EXPECT_EQ(replay.mode, ReplayMode);
    EXPECT_EQ(replay.files, std::vector<std::string>{"a.vrp"});
    const CCommandLine verify = parse({"--verify", "a.vrp", "b.vrp", "last"});
    EXPECT_EQ(verify.mode, VerifyMode);
    EXPECT_EQ(verify.files, (std::vector<std::string>{"a.vrp", "b.vrp", "last"}));
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
        EXPECT_TRUE(line.files.empty()) << reason;
    }
}

TEST(CommandLineTest, ReplayFilesAreFoundWhereThePlayerStarted) {
    {
        StartDir start("/home/pilot/");
        EXPECT_EQ(parse({"--replay", "runs/a.vrp"}).files[0], "/home/pilot/runs/a.vrp");
        EXPECT_EQ(parse({"--verify", "best", "/tmp/b.vrp"}).files,
                  (std::vector<std::string>{"best", "/tmp/b.vrp"}));
        EXPECT_EQ(parse({"--replay", "last"}).files[0], "last");
    }
    StartDir start("/home/pilot");
    EXPECT_EQ(resolveStartPath("a.vrp"), "/home/pilot/a.vrp");
    StartDir relative("pilot");
    EXPECT_EQ(resolveStartPath("a.vrp"), "a.vrp");
    StartDir unset(nullptr);
    EXPECT_EQ(resolveStartPath("a.vrp"), "a.vrp");
}

TEST(CommandLineTest, VersionIsTheProjects) {
    EXPECT_TRUE(std::regex_match(versionText(), std::regex("vorlusk [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << versionText();
}

TEST(CommandLineTest, HelpAndManualPageListTheSameOptions) {
    std::ifstream file(VORLUSK_DATA_DIR "/../packaging/vorlusk.6");
    ASSERT_TRUE(file.good());
    std::stringstream page;
    page << file.rdbuf();
    // roff writes a hyphen that is a minus as "\-".
    const std::set<std::string> inPage = optionsIn(page.str(), R"((\\-(?:\\-)?[a-z]+))");
    std::set<std::string> pageOptions;
    for (std::string option : inPage) {
        pageOptions.insert(std::regex_replace(option, std::regex(R"(\\-)"), "-"));
    }
    const std::string usage = usageText();
    EXPECT_EQ(optionsIn(usage, R"((?:^|[ \[|])(--?[a-z]+))"), pageOptions);
    EXPECT_EQ(usage.back(), '\n');
}
