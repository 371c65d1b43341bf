#include "files/atomic_file.h"
#include "files/capped_read.h"
#include "files/file_errors.h"
#include "files/file_stamp.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "project/recovery.h"
#include "tests/file_size_limit.h"

namespace rq {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("renoquote-file-io-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path(const char* name) const { return (m_folder / name).string(); }
    std::string contents(const std::string& file) const
    {
        const Outcome<std::string> read = ReadWholeFile(file, 1 << 20);
        return read.value.value_or("<" + read.problem + ">");
    }
    // Only the files the test made: a failed save leaves no temporary file behind.
    int fileCount() const
    {
        return static_cast<int>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    fs::path m_folder;
};

TEST_F(FileIo, SaveReplacesTheFileThroughItsLinkAndKeepsItsPermissions)
{
    const std::string file = path("家.renoquote");
    ASSERT_FALSE(WriteFileAtomically(file, "旧"));
    ::chmod(file.c_str(), 0640);
    fs::create_symlink(file, path("link.renoquote"));
    ASSERT_FALSE(WriteFileAtomically(path("link.renoquote"), "新"));
    EXPECT_EQ(contents(file), "新");
    EXPECT_TRUE(fs::is_symlink(path("link.renoquote")));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(fileCount(), 2);
}

TEST_F(FileIo, FailedSaveKeepsTheOldFile)
{
    const std::string file = path("p.renoquote");
    ASSERT_FALSE(WriteFileAtomically(file, "old"));
    // A file size limit fails the write part way, as a full disk does.
    const std::optional<Text> problem
        = testing::WithFileSizeLimit(16, [&] { return WriteFileAtomically(file, std::string(4096, 'x')); });
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "磁盘空间不足");
    EXPECT_EQ(contents(file), "old");
    EXPECT_EQ(fileCount(), 1);

    EXPECT_EQ(WriteFileAtomically(path("没有的文件夹/p.renoquote"), "x"), "文件夹不存在");
    EXPECT_EQ(WriteFileAtomically(m_folder.string(), "x"), "这是一个文件夹，不是文件");
    ::mkfifo(path("pipe").c_str(), 0600);
    EXPECT_EQ(WriteFileAtomically(path("pipe"), "x"), "这不是一个普通文件");
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
    // Legal as a name, but not with the temporary name's marks around it.
    const std::string longName = path((std::string(245, 'a') + ".renoquote").c_str());
    EXPECT_EQ(WriteFileAtomically(longName, "x"), std::nullopt);
    EXPECT_EQ(contents(longName), "x");
    EXPECT_EQ(WriteFileAtomically(longName + "a", "x"), "文件名太长");
}

TEST_F(FileIo, ReadRefusesWhatIsNoProjectFile)
{
    ASSERT_FALSE(WriteFileAtomically(path("big"), std::string(2048, 'x')));
    EXPECT_EQ(contents(path("none")), "<文件不存在>");
    EXPECT_EQ(contents(m_folder.string()), "<这是一个文件夹，不是文件>");
    EXPECT_FALSE(ReadWholeFile(path("big"), 1024).value);
    EXPECT_EQ(ReadWholeFile("/dev/zero", 1024).problem, "这不是一个普通文件");
    // No writer: opened as a file would be, it would wait for one for ever.
    ::mkfifo(path("pipe").c_str(), 0600);
    EXPECT_EQ(contents(path("pipe")), "<这不是一个普通文件>");
}

TEST_F(FileIo, ReadOnlyTargetsAreRefusedAndLeftoversOfEndedRunsRemoved)
{
    // Exports and projects alike: the bits decide, for root too.
    const std::string locked = path("只读.renoquote");
    ASSERT_FALSE(WriteFileAtomically(locked, "mine"));
    ::chmod(locked.c_str(), 0444);
    EXPECT_EQ(WriteFileAtomically(locked, "theirs"), Text(kReadOnlyFile));
    EXPECT_EQ(ReplaceFileWith(locked, [](const std::string&) { return true; }), Text(kReadOnlyFile));
    EXPECT_EQ(contents(locked), "mine");

    // Temporary files of a run that was killed: one whose process has ended goes at the
    // next write into the folder; one of a running process, and a user's file, stay.
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    struct Leftover {
        std::string name;
        bool kept;
    };
    const Leftover leftovers[] = {
        {".家.renoquote~rq-" + std::to_string(ended) + "-a1B2c3", false},
        {".out.pdf~rq-" + std::to_string(ended) + "-zzzzzz", false},
        {".家.renoquote~rq-" + std::to_string(::getppid()) + "-a1B2c3", true},
        {".家.renoquote~rq-" + std::to_string(ended) + "-a1B2", true},  // not our pattern
        {"家.renoquote~rq-" + std::to_string(ended) + "-a1B2c3", true},
    };
    for (const Leftover& leftover : leftovers)
        std::ofstream(path(leftover.name.c_str())) << "x";
    ASSERT_FALSE(WriteFileAtomically(path("新.renoquote"), "new"));
    for (const Leftover& leftover : leftovers)
        EXPECT_EQ(fs::exists(path(leftover.name.c_str())), leftover.kept) << leftover.name;
    EXPECT_EQ(TemporaryFileProcess(leftovers[0].name), ended);
}

// What another window or program may do to a project between our read and our save.
TEST_F(FileIo, ASaveSeesWhatOthersChangedSinceTheRead)
{
    const std::string file = path("家.renoquote");
    struct Case {
        const char* what;
        std::function<void()> meanwhile;
        bool changed;
    };
    const Case cases[] = {
        {"nothing", [] {}, false},
        {"touched only", [&] { ::utimensat(AT_FDCWD, file.c_str(), nullptr, 0); }, false},
        {"same length, other bytes", [&] { ASSERT_FALSE(WriteFileAtomically(file, "{rooms:2}")); }, true},
        {"rewritten longer", [&] { ASSERT_FALSE(WriteFileAtomically(file, "{rooms:1, floor:1}")); }, true},
        {"deleted: nobody's work is lost", [&] { fs::remove(file); }, false},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(WriteFileAtomically(file, "{rooms:1}"));
        FileStamp read;
        ASSERT_TRUE(ReadWholeFile(file, 1 << 20, &read).value);
        // Coarse file times: the change must not hide in the same tick as the read.
        ::usleep(20000);
        c.meanwhile();
        EXPECT_EQ(ChangedSince(file, read), c.changed) << c.what;
        EXPECT_FALSE(ChangedSince(file, StampWritten(file, fs::exists(file) ? contents(file) : ""))) << c.what;
    }
}

TEST(RecoveryFile, FollowsTheStateFolderConventionAndNamesItsProgram)
{
    struct Case {
        const char* stateHome;
        const char* home;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"/s", "/h", "/s/renoquote"},
        {nullptr, "/h", "/h/.local/state/renoquote"},
        {"", "/h", "/h/.local/state/renoquote"},
        {"relative", "/h", "/h/.local/state/renoquote"},
        {nullptr, nullptr, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecoveryFolder(c.stateHome, c.home), c.folder) << (c.stateHome ? c.stateHome : "(unset)");

    EXPECT_EQ(RecoveryFileProcess(RecoveryFileName(4242)), 4242);
    for (const char* other : {"recovery-.renoquote", "recovery-12x.renoquote", "recovery-0.renoquote",
             "recovery-99999999999999999999.renoquote", "recovery-12.renoquote.XXXXXX", "家.renoquote"})
        EXPECT_FALSE(RecoveryFileProcess(other)) << other;
}

} // namespace
} // namespace rq
