// The four plug-ins that insert a folder's path.
#include "Cp1251.h"
#include "LoadedPlugin.h"
#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string bytes(std::u16string_view text)
{
    return cp1251::encode(text);
}

HandleDataOutcome run(const char *library, const std::string &selection = {})
{
    const LoadedPlugin plugin(deliveredPluginPath(library));
    EXPECT_TRUE(plugin.loaded()) << plugin.loadError();
    return plugin.handle(selection, "document");
}

const std::string kHereTooLong = bytes(u"Адрес текущей папки слишком длинный!");
const std::string kHereUnavailable = bytes(u"Не удалось узнать адрес текущей папки!");

TEST(HerePathTest, PutsTheCurrentDirectoryAtTheCaretOrInPlaceOfTheSelection)
{
    const TemporaryFolder folder;
    const ScopedWorkingDirectory cwd(folder.path());
    for (const std::string selection : {"", "replace me"}) {
        const HandleDataOutcome outcome = run("herepath", selection);
        EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
        EXPECT_EQ(outcome.selection, fs::current_path().string());
        EXPECT_FALSE(outcome.error);
    }
}

TEST(HerePathTest, HandsOverACyrillicFolderInTheEditorsCodePage)
{
    const TemporaryFolder folder;
    const fs::path russian = folder.path() / fs::path(u8"Документы");
    fs::create_directory(russian);
    const ScopedWorkingDirectory cwd(russian);
    EXPECT_EQ(run("herepath").selection, fs::current_path().parent_path().string() + bytes(u"/Документы"));
}

TEST(HerePathTest, RefusesAFolderTheCodePageCannotName)
{
    const TemporaryFolder folder;
    const fs::path japanese = folder.path() / fs::path(u8"日本");
    fs::create_directory(japanese);
    const ScopedWorkingDirectory cwd(japanese);
    const HandleDataOutcome outcome = run("herepath", "kept");
    EXPECT_EQ(outcome.result, TAVLEN_FAILED);
    EXPECT_EQ(outcome.error, kHereUnavailable);
    EXPECT_TRUE(outcome.selectionUntouched);
}

TEST(HerePathTest, ReportsARemovedCurrentDirectory)
{
    const TemporaryFolder folder;
    const fs::path gone = folder.path() / "gone";
    fs::create_directory(gone);
    const ScopedWorkingDirectory cwd(gone);
    fs::remove(gone);
    const HandleDataOutcome outcome = run("herepath");
    EXPECT_EQ(outcome.result, TAVLEN_FAILED);
    EXPECT_EQ(outcome.error, kHereUnavailable);
}

TEST(HerePathTest, HandsOverAPathUpToItsBufferAndRefusesALongerOne)
{
    // The buffer holds 256 bytes: a path of 255 and its terminating zero fit, 256 do not.
    const TemporaryFolder folder;
    const std::string base = fs::canonical(folder.path()).string() + "/";
    ASSERT_LT(base.size(), 250u) << "the temporary folder's path is too long for this test";
    const fs::path fits = base + std::string(255 - base.size(), 'f');
    const fs::path tooLong = base + std::string(256 - base.size(), 'l');
    fs::create_directory(fits);
    fs::create_directory(tooLong);
    {
        const ScopedWorkingDirectory cwd(fits);
        const HandleDataOutcome outcome = run("herepath");
        EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
        EXPECT_EQ(outcome.selection, fits.string());
    }
    {
        const ScopedWorkingDirectory cwd(tooLong);
        const HandleDataOutcome outcome = run("herepath", "kept");
        EXPECT_EQ(outcome.result, TAVLEN_FAILED);
        EXPECT_EQ(outcome.error, kHereTooLong);
        EXPECT_TRUE(outcome.selectionUntouched);
    }
}

TEST(OsPathTest, HandsOverTheSystemsOwnFolder)
{
    const HandleDataOutcome outcome = run("ospath", "replace me");
    EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
    EXPECT_EQ(outcome.selection, "/usr");
}

TEST(CorePathTest, HandsOverTheFolderOfTheSystemLibraries)
{
    const HandleDataOutcome outcome = run("corepath");
    ASSERT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
    const fs::path folder = outcome.selection;
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_NE(outcome.selection.back(), '/');
    EXPECT_TRUE(fs::exists(folder / "libc.so.6")) << outcome.selection;
    EXPECT_EQ(fs::canonical(folder), folder) << "no links left to resolve";
}

struct TemporaryCase {
    std::optional<std::string> tmpdir;
    std::optional<std::string> expected; // nothing: refused as too long
};

std::ostream &operator<<(std::ostream &out, const TemporaryCase &c)
{
    return out << "TMPDIR=" << (c.tmpdir ? *c.tmpdir : "(unset)");
}

// "/xx…x" of `length` bytes, optionally followed by a separator.
std::string folderOfLength(std::size_t length, bool withSeparator = false)
{
    std::string folder(length, 'x');
    folder.front() = '/';
    if (withSeparator)
        folder.push_back('/');
    return folder;
}

class ScratchPathTest : public testing::TestWithParam<TemporaryCase> {};

TEST_P(ScratchPathTest, HandsOverTheTemporaryFolderWithATrailingSeparator)
{
    const TemporaryCase &c = GetParam();
    const ScopedVariable tmpdir("TMPDIR", c.tmpdir);
    const HandleDataOutcome outcome = run("scratchpath", "kept");
    if (c.expected) {
        EXPECT_EQ(outcome.result, TAVLEN_SELECTION_RESULT);
        EXPECT_EQ(outcome.selection, *c.expected);
    } else {
        EXPECT_EQ(outcome.result, TAVLEN_FAILED);
        EXPECT_EQ(outcome.error, bytes(u"Адрес временной папки слишком длинный!"));
        EXPECT_TRUE(outcome.selectionUntouched);
    }
}

// The buffer holds 261 bytes: 260 of path, separator included, and the terminating zero.
INSTANTIATE_TEST_SUITE_P(Plugins, ScratchPathTest, testing::Values(
    TemporaryCase{std::nullopt, "/tmp/"},
    TemporaryCase{"", "/tmp/"},
    TemporaryCase{"/var/tmp", "/var/tmp/"},
    TemporaryCase{"/var/tmp/", "/var/tmp/"},
    TemporaryCase{folderOfLength(259), folderOfLength(259, true)},
    TemporaryCase{folderOfLength(260), std::nullopt}));

} // namespace
