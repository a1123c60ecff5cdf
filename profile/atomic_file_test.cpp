#include "profile/atomic_file.h"

#include <cerrno>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "profile/test_support.h"

namespace orvex::profile {
namespace {

using testing::slurp;
using testing::spit;
using testing::TempDir;

class AtomicFileTest : public ::testing::Test {
  protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    // True when the directory holds nothing but `name`.
    bool onlyFile(const char* name) const {
        int count = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            if (e.path().filename() != name) return false;
            ++count;
        }
        return count == 1;
    }
    TempDir dir;
};

// Tests that a replacement writes the new bytes, keeps an existing file's permissions, gives a
// new file 0600 and leaves no temporary file behind.
TEST_F(AtomicFileTest, ReplacesAndKeepsPermissions) {
    const auto file = dir / "a.ini";
    ASSERT_TRUE(replaceFile(file, "new file"));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(replaceFile(file, "second"));
    EXPECT_EQ(slurp(file), "second");
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(onlyFile("a.ini"));
}

// Tests that a symbolic link stays a link and its target gets the new bytes.
TEST_F(AtomicFileTest, FollowsSymbolicLinks) {
    std::filesystem::create_directory(dir / "real");
    ASSERT_TRUE(spit(dir / "real" / "t.ini", "old"));
    std::filesystem::create_symlink("real/t.ini", dir / "link.ini");
    ASSERT_TRUE(replaceFile(dir / "link.ini", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(slurp(dir / "real" / "t.ini"), "new");
}

// Tests that a file without any write permission is left alone, even for root.
TEST_F(AtomicFileTest, RefusesReadOnlyFile) {
    const auto file = dir / "ro.ini";
    ASSERT_TRUE(spit(file, "keep"));
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(replaceFile(file, "lost"));
    EXPECT_EQ(slurp(file), "keep");
    ::chmod(file.c_str(), 0644);
    EXPECT_TRUE(replaceFile(file, "now"));
}

// Tests that a directory the user cannot write makes the replacement fail and keeps the file.
TEST_F(AtomicFileTest, FailsInUnwritableDirectory) {
    ::chmod(dir.path().c_str(), 0755);
    const auto file = dir / "d.ini";
    ASSERT_TRUE(spit(file, "keep"));
    ::chmod(file.c_str(), 0666);
    EXPECT_TRUE(testing::runUnprivileged([&] { return !replaceFile(file, "lost"); }));
    EXPECT_EQ(slurp(file), "keep");
    EXPECT_TRUE(testing::runUnprivileged([&] { return !replaceFile(dir / "new.ini", "x"); }));
    EXPECT_FALSE(std::filesystem::exists(dir / "new.ini"));
}

// Tests that a failure at any step (a full disk while writing, a failed flush or rename)
// reports false, keeps the old file and removes the temporary file.
TEST_F(AtomicFileTest, InjectedFailuresKeepOldFile) {
    const auto file = dir / "f.ini";
    ASSERT_TRUE(spit(file, "old"));
    for (WriteStep failing :
         {WriteStep::CreateTemp, WriteStep::Write, WriteStep::SyncFile, WriteStep::Rename}) {
        setWriteFaultForTesting([failing](WriteStep s) { return s == failing ? ENOSPC : 0; });
        EXPECT_FALSE(replaceFile(file, "new")) << static_cast<int>(failing);
        EXPECT_EQ(slurp(file), "old");
        EXPECT_TRUE(onlyFile("f.ini"));
    }
    setWriteFaultForTesting({});
    EXPECT_TRUE(replaceFile(file, "new"));
    EXPECT_EQ(slurp(file), "new");
}

// Tests that reads tell a missing file from one that exists but cannot be read, and refuse
// directories and files above the size limit.
TEST_F(AtomicFileTest, ReadTellsMissingFromFailed) {
    EXPECT_EQ(readFileBytes(dir / "none.ini", 100).status, ReadStatus::Missing);
    EXPECT_EQ(readFileBytes(dir / "none" / "deeper.ini", 100).status, ReadStatus::Missing);
    EXPECT_EQ(readFileBytes(dir.path(), 100).status, ReadStatus::Failed);
    ASSERT_TRUE(spit(dir / "big.ini", std::string(101, 'x')));
    EXPECT_EQ(readFileBytes(dir / "big.ini", 100).status, ReadStatus::Failed);
    const FileBytes ok = readFileBytes(dir / "big.ini", 101);
    EXPECT_EQ(ok.status, ReadStatus::Ok);
    EXPECT_EQ(ok.bytes.size(), 101u);
}

}  // namespace
}  // namespace orvex::profile
