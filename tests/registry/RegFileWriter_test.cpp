// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "LockHolder.h"
#include "RegErrors.h"
#include "RegFileWriter.h"
#include "TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tintaro {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

enum class Step { None, Write, SyncFile, Rename };

// Fails one step with the given errno, after letting the real work before it happen.
class FailingWriter : public RegFileWriter {
public:
    FailingWriter(Step step, int error)
        : m_step(step)
        , m_error(error) {}

protected:
    bool writeAll(int fd, std::string_view data) override {
        if (m_step == Step::Write) {
            RegFileWriter::writeAll(fd, data.substr(0, data.size() / 2));
            return fail();
        }
        return RegFileWriter::writeAll(fd, data);
    }
    bool syncFile(int fd) override {
        return m_step == Step::SyncFile ? fail() : RegFileWriter::syncFile(fd);
    }
    bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return m_step == Step::Rename ? fail() : RegFileWriter::renameFile(from, to);
    }

private:
    bool fail() {
        errno = m_error;
        return false;
    }
    Step m_step;
    int m_error;
};

struct FailureCase {
    Step step;
    int error;
    long code;
};

class WriterFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(WriterFailureTest, OldFileStaysWholeAndNoTempFileRemains) {
    TempDir dir;
    const auto file = dir.path() / "user.reg";
    writeFile(file, "old contents\n");
    FailingWriter writer(GetParam().step, GetParam().error);
    EXPECT_EQ(writer.replace(file, std::string(100000, 'n')), GetParam().code);
    EXPECT_EQ(readFile(file), "old contents\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Steps, WriterFailureTest,
                         testing::Values(FailureCase{Step::Write, ENOSPC, RegErrors::kDiskFull},
                                         FailureCase{Step::SyncFile, EIO, RegErrors::kWriteFault},
                                         FailureCase{Step::Rename, EACCES,
                                                     RegErrors::kAccessDenied}));

TEST(RegFileWriterTest, ReplacesKeepingPermissions) {
    TempDir dir;
    const auto file = dir.path() / "user.reg";
    writeFile(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    RegFileWriter writer;
    EXPECT_EQ(writer.replace(file, "new text"), 0);
    EXPECT_EQ(readFile(file), "new text");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(RegFileWriterTest, CreatesMissingFileAndFailsInMissingFolder) {
    TempDir dir;
    RegFileWriter writer;
    EXPECT_EQ(writer.replace(dir.path() / "new.reg", "x"), 0);
    EXPECT_EQ(readFile(dir.path() / "new.reg"), "x");
    EXPECT_EQ(writer.replace(dir.path() / "no" / "new.reg", "x"), RegErrors::kPathNotFound);
}

TEST(RegFileWriterTest, NewFileModeIsReadableByAllLessTheUmask) {
    TempDir dir;
    RegFileWriter writer;
    const mode_t saved = ::umask(0);
    for (const auto& [mask, mode] :
         {std::pair<mode_t, mode_t>{022, 0644}, {027, 0640}, {077, 0600}, {0, 0644}}) {
        ::umask(mask);
        const auto file = dir.path() / ("new" + std::to_string(mask) + ".reg");
        EXPECT_EQ(writer.replace(file, "x"), 0);
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << "umask " << std::oct << mask;
    }
    ::umask(saved);
}

// Records the steps of a replace in the order they run.
class RecordingWriter : public RegFileWriter {
public:
    std::vector<std::string> steps;
    std::filesystem::path syncedDir;

protected:
    bool writeAll(int fd, std::string_view data) override {
        steps.emplace_back("write");
        return RegFileWriter::writeAll(fd, data);
    }
    bool syncFile(int fd) override {
        steps.emplace_back("syncFile");
        return RegFileWriter::syncFile(fd);
    }
    bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        steps.emplace_back("rename");
        return RegFileWriter::renameFile(from, to);
    }
    bool syncDirectory(const std::filesystem::path& dir) override {
        steps.emplace_back("syncDirectory");
        syncedDir = dir;
        return RegFileWriter::syncDirectory(dir);
    }
};

TEST(RegFileWriterTest, FlushesTheFileBeforeTheRenameAndTheFolderAfterIt) {
    TempDir dir;
    const auto file = dir.path() / "user.reg";
    writeFile(file, "old");
    RecordingWriter writer;
    EXPECT_EQ(writer.replace(file, "new"), 0);
    EXPECT_EQ(writer.steps,
              (std::vector<std::string>{"write", "syncFile", "rename", "syncDirectory"}));
    EXPECT_EQ(writer.syncedDir, dir.path());
    EXPECT_EQ(readFile(file), "new");
}

TEST(RegFileWriterTest, ReadOnlyFolderRefusedWithOldFileIntact) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    const auto file = dir.path() / "user.reg";
    writeFile(file, "old");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    RegFileWriter writer;
    EXPECT_EQ(writer.replace(file, "new"), RegErrors::kAccessDenied);
    EXPECT_EQ(readFile(file), "old");
}

TEST(RegFileLockTest, SecondProcessWaitsThenGivesUp) {
    TempDir dir;
    const auto lockFile = dir.path() / "lock";
    RegFileLock held(lockFile);
    ASSERT_EQ(held.error(), 0);
    // fcntl locks do not conflict within one process, so the contender is a child.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RegFileLock contender(lockFile, std::chrono::milliseconds(50));
        ::_exit(contender.error() == RegErrors::kLockViolation ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(RegFileLockTest, WaitsForAHolderThatLetsGo) {
    TempDir dir;
    const auto lockFile = dir.path() / "lock";
    auto holder = std::make_unique<test::LockHolder>(lockFile);
    ASSERT_TRUE(holder->locked());
    std::thread release([&holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        holder.reset();
    });
    RegFileLock contender(lockFile, std::chrono::seconds(10));
    release.join();
    EXPECT_EQ(contender.error(), 0);
}

// Whatever a link in place of the lock file points to is never created nor locked through it.
TEST(RegFileLockTest, SymbolicLinkInPlaceOfTheLockFileRefused) {
    TempDir dir;
    const auto lockFile = dir.path() / "lock";
    const auto missing = dir.path() / "missing";
    std::filesystem::create_symlink(missing, lockFile);
    EXPECT_NE(RegFileLock(lockFile, std::chrono::milliseconds(0)).error(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(missing)));

    const auto existing = dir.path() / "existing";
    writeFile(existing, "keep");
    std::filesystem::remove(lockFile);
    std::filesystem::create_symlink(existing, lockFile);
    EXPECT_NE(RegFileLock(lockFile, std::chrono::milliseconds(0)).error(), 0);
    EXPECT_EQ(readFile(existing), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(lockFile));
}

} // namespace
} // namespace tintaro
