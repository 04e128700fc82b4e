// The launcher: a program name found on PATH is started, anything else goes to the desktop's
// opener. Both are stand-in scripts on a PATH of the test's own that record how they were started.
#include "Cp1251.h"
#include "LoadedPlugin.h"
#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Writes its arguments, each ended by a zero byte, to "<its own path>.started"; the rename makes
// the record appear complete or not at all. The tests' PATH holds only the stand-ins, hence its own.
constexpr char kRecorderScript[] = "#!/bin/sh\n"
                                   "PATH=/usr/bin:/bin\n"
                                   "for a do printf '%s\\0' \"$a\"; done > \"$0.part\"\n"
                                   "mv \"$0.part\" \"$0.started\"\n";

void installRecorder(const fs::path &file)
{
    std::ofstream(file) << kRecorderScript;
    fs::permissions(file, fs::perms::owner_all);
}

// The arguments the program at `program` was started with, once it has run; nothing if it has
// not run within a generous deadline.
std::optional<std::vector<std::string>> startedWith(const fs::path &program)
{
    const fs::path record = program.string() + ".started";
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!fs::exists(record)) {
        if (std::chrono::steady_clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(5ms);
    }
    std::ifstream in(record, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::string> arguments;
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t end = content.find('\0', start);
        arguments.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

class LaunchTest : public testing::Test {
protected:
    LaunchTest()
    {
        fs::create_directory(bin());
        installRecorder(bin() / "recorder");
        installRecorder(bin() / "xdg-open");
    }

    fs::path bin() const { return folder.path() / "bin"; }

    HandleDataOutcome launch(const std::string &selection)
    {
        const LoadedPlugin plugin(deliveredPluginPath("launch"));
        EXPECT_TRUE(plugin.loaded()) << plugin.loadError();
        return plugin.handle(selection, "document");
    }

    void expectSelectionKept(const HandleDataOutcome &outcome)
    {
        EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
        EXPECT_TRUE(outcome.selectionUntouched);
        EXPECT_FALSE(outcome.error);
    }

    TemporaryFolder folder;
    ScopedVariable path{"PATH", bin().string()};
};

TEST_F(LaunchTest, StartsAProgramFoundOnPath)
{
    expectSelectionKept(launch("recorder"));
    EXPECT_EQ(startedWith(bin() / "recorder"), std::vector<std::string>{});
}

struct OpenerCase {
    const char *name;
    std::string selection;
    std::string handedToOpener; // UTF-8
};

std::ostream &operator<<(std::ostream &out, const OpenerCase &c)
{
    return out << c.name;
}

class LaunchOpenerTest : public LaunchTest, public testing::WithParamInterface<OpenerCase> {};

TEST_P(LaunchOpenerTest, HandsAnythingElseToTheDesktopsOpenerExactlyAsSelected)
{
    expectSelectionKept(launch(GetParam().selection));
    EXPECT_EQ(startedWith(bin() / "xdg-open"), std::vector<std::string>{GetParam().handedToOpener});
    EXPECT_FALSE(fs::exists(bin() / "recorder.started"));
}

INSTANTIATE_TEST_SUITE_P(Plugins, LaunchOpenerTest, testing::Values(
    OpenerCase{"WebAddress", "https://example.org/", "https://example.org/"},
    OpenerCase{"RussianFileName", cp1251::encode(u"/home/user/Отчёт.odt"), "/home/user/Отчёт.odt"},
    // Taken exactly as selected: with a trailing space or line break it is no program's name.
    OpenerCase{"TrailingSpace", "recorder ", "recorder "},
    OpenerCase{"TrailingLineBreak", "recorder\r\n", "recorder\r\n"},
    // A path is never looked up on PATH.
    OpenerCase{"RelativePath", "bin/recorder", "bin/recorder"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LaunchTest, NeverRunsAProgramFromTheCurrentDirectory)
{
    // Empty and relative PATH entries both mean "here"; a selected word must not run a file that
    // merely happens to lie in the current directory.
    const fs::path here = folder.path() / "here";
    fs::create_directories(here / "relative");
    installRecorder(here / "local-tool");
    installRecorder(here / "relative" / "local-tool");
    const ScopedWorkingDirectory cwd(here);
    const ScopedVariable unsafePath("PATH", "relative::" + bin().string());

    expectSelectionKept(launch("local-tool"));
    EXPECT_EQ(startedWith(bin() / "xdg-open"), std::vector<std::string>{"local-tool"});
    EXPECT_FALSE(fs::exists(here / "local-tool.started"));
    EXPECT_FALSE(fs::exists(here / "relative" / "local-tool.started"));
}

TEST_F(LaunchTest, KeepsTheSelectionWhenNothingCanOpenIt)
{
    const ScopedVariable emptyPath("PATH", (folder.path() / "nothing-here").string());
    expectSelectionKept(launch("unknown thing"));
}

} // namespace
