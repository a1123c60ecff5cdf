#include "profile/profile.h"

#include <cerrno>
#include <random>

#include <gtest/gtest.h>

#include "profile/atomic_file.h"
#include "profile/test_support.h"

namespace orvex::profile {
namespace {

using testing::slurp;
using testing::spit;
using testing::TempDir;
using text::Text;

class ProfileTest : public ::testing::Test {
  protected:
    void TearDown() override { setWriteFaultForTesting({}); }
    TempDir dir;
    std::filesystem::path file = dir / "data.ini";
};

// Tests that a 600-character value comes back cut to 511 characters, and a 511-character one
// whole.
TEST_F(ProfileTest, ReadCutsValuesTo511Units) {
    const std::string longValue(600, 'x');
    ASSERT_TRUE(spit(file, "[S]\nlong=" + longValue + "\nexact=" + std::string(511, 'y') + "\n"));
    EXPECT_EQ(read(file, u"S", u"long"), Text(511, u'x'));
    EXPECT_EQ(read(file, u"S", u"exact"), Text(511, u'y'));
}

// Tests that the cut counts UTF-16 units and never leaves half of a surrogate pair.
TEST_F(ProfileTest, ReadCutNeverSplitsSurrogatePair) {
    std::string value(510, 'a');
    value += "\xF0\x9F\x98\x80";  // U+1F600 takes units 511 and 512
    ASSERT_TRUE(spit(file, "[S]\nk=" + value + "\n"));
    EXPECT_EQ(read(file, u"S", u"k"), Text(510, u'a'));
}

// Tests that trailing blanks and NULs are removed and that a value left empty, like a missing
// one, gives the caller's default; a non-empty value does not.
TEST_F(ProfileTest, ReadTrimsAndFallsBackToDefault) {
    static constexpr char kRaw[] = "[S]\nthree=abc  \0\0 \0\nblank=   \nnuls=\0\0\nempty=\nzero=0\n";
    ASSERT_TRUE(spit(file, std::string_view(kRaw, sizeof kRaw - 1)));
    EXPECT_EQ(read(file, u"s", u"THREE", u"d"), u"abc");
    EXPECT_EQ(read(file, u"S", u"blank", u"d"), u"d");
    EXPECT_EQ(read(file, u"S", u"nuls", u"d"), u"d");
    EXPECT_EQ(read(file, u"S", u"empty", u"d"), u"d");
    EXPECT_EQ(read(file, u"S", u"missing", u"d"), u"d");
    EXPECT_EQ(read(file, u"S", u"zero", u"d"), u"0");
    EXPECT_EQ(read(dir / "absent.ini", u"S", u"k", u"d"), u"d");
}

// Tests that writes create the file, change keys in place and return true, and that a write
// keeps comments and the order of everything else.
TEST_F(ProfileTest, WriteRoundTripsAndKeepsTheRest) {
    ASSERT_TRUE(write(file, u"USER0", u"Name1", u"山田"));
    ASSERT_TRUE(write(file, u"user0", u"name2", u"花子, 様"));
    EXPECT_EQ(read(file, u"USER0", u"NAME1"), u"山田");
    EXPECT_EQ(read(file, u"USER0", u"NAME2"), u"花子, 様");
    ASSERT_TRUE(spit(file, "; kept\n[USER0]\nName1=old\n# also kept\nName2=x\n"));
    ASSERT_TRUE(write(file, u"USER0", u"Name1", u"new"));
    EXPECT_EQ(slurp(file), "; kept\n[USER0]\nName1=new\n# also kept\nName2=x\n");
}

// Tests that writeAll gives the same file as the same writes one by one, and refuses (file
// untouched) when one key is unusable.
TEST_F(ProfileTest, WriteAllEqualsWritesInOrder) {
    const auto other = dir / "other.ini";
    ASSERT_TRUE(spit(file, "[data]\nCount=1\n"));
    ASSERT_TRUE(spit(other, "[data]\nCount=1\n"));
    const std::vector<std::pair<Text, Text>> entries = {
        {u"data_2", u"b"}, {u"Count", u"2"}, {u"data_1", u"a"}};
    ASSERT_TRUE(writeAll(file, u"data", entries));
    for (const auto& [k, v] : entries) ASSERT_TRUE(write(other, u"data", k, v));
    EXPECT_EQ(slurp(file), slurp(other));
    const std::string before = slurp(file);
    EXPECT_FALSE(writeAll(file, u"data", {{u"Count", u"9"}, {u"bad=key", u"x"}}));
    EXPECT_EQ(slurp(file), before);
}

// Tests that section names come in file order, duplicates once, and that removing a section
// drops all its duplicates; removing a missing section succeeds without rewriting the file.
TEST_F(ProfileTest, ListsAndRemovesSections) {
    ASSERT_TRUE(spit(file, "[LINK3]\na=1\n[HDLN0000]\n[link3]\nb=2\n[LINK7]\n"));
    EXPECT_EQ(sectionNames(file), std::vector<Text>({u"LINK3", u"HDLN0000", u"LINK7"}));
    EXPECT_TRUE(removeSection(file, u"Link3"));
    EXPECT_EQ(slurp(file), "[HDLN0000]\n[LINK7]\n");
    EXPECT_TRUE(removeSection(file, u"LINK9"));
    EXPECT_TRUE(removeSection(dir / "absent.ini", u"LINK9"));
    EXPECT_FALSE(std::filesystem::exists(dir / "absent.ini"));
    EXPECT_TRUE(sectionNames(dir / "absent.ini").empty());
}

// Tests that a legacy CP932 file reads transparently and, on its first write, becomes UTF-8
// with the original bytes kept beside it; later writes leave the backup alone.
TEST_F(ProfileTest, ConvertsLegacyFileOnFirstWrite) {
    const std::string sjis = "[USER0]\r\nName1=\x8E\x52\x93\x63\r\nAddr=\x93\x8C\x8B\x9E\x81\x60\r\n";
    ASSERT_TRUE(spit(file, sjis));
    EXPECT_EQ(read(file, u"USER0", u"Name1"), u"山田");
    EXPECT_EQ(read(file, u"USER0", u"Addr"), u"東京\uFF5E");
    EXPECT_EQ(slurp(file), sjis);  // reading never converts
    ASSERT_TRUE(write(file, u"USER0", u"Name2", u"花子"));
    const auto bak = dir / "data.ini.sjis.bak";
    EXPECT_EQ(slurp(bak), sjis);
    EXPECT_EQ(slurp(file), "[USER0]\r\nName1=山田\r\nAddr=東京\uFF5E\r\nName2=花子\r\n");
    ASSERT_TRUE(spit(bak, "marker"));
    ASSERT_TRUE(write(file, u"USER0", u"Name2", u"次"));
    EXPECT_EQ(slurp(bak), "marker");
}

// Tests that a legacy file is not converted when its backup cannot be written.
TEST_F(ProfileTest, LegacyFileStaysWhenBackupFails) {
    const std::string sjis = "[S]\nk=\x8E\x52\n";
    ASSERT_TRUE(spit(file, sjis));
    int calls = 0;
    setWriteFaultForTesting(
        [&calls](WriteStep s) { return s == WriteStep::Write && calls++ == 0 ? ENOSPC : 0; });
    EXPECT_FALSE(write(file, u"S", u"k", u"x"));
    EXPECT_EQ(slurp(file), sjis);
    EXPECT_FALSE(std::filesystem::exists(dir / "data.ini.sjis.bak"));
}

// Tests that missing, empty, garbage and line-less files read as defaults, and that writing
// into garbage keeps the garbage's bytes in the backup.
TEST_F(ProfileTest, BadFilesReadAsDefaults) {
    EXPECT_EQ(read(file, u"S", u"k", u"d"), u"d");
    ASSERT_TRUE(spit(file, ""));
    EXPECT_EQ(read(file, u"S", u"k", u"d"), u"d");
    std::mt19937 rng(7);
    std::string garbage(4096, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    ASSERT_TRUE(spit(file, garbage));
    EXPECT_EQ(read(file, u"S", u"k", u"d"), u"d");
    EXPECT_TRUE(write(file, u"S", u"k", u"v"));
    EXPECT_EQ(read(file, u"S", u"k", u"d"), u"v");
    EXPECT_EQ(slurp(dir / "data.ini.sjis.bak"), garbage);
    ASSERT_TRUE(spit(file, "no equals here\n[S]\nstill none\n"));
    EXPECT_EQ(read(file, u"S", u"still none", u"d"), u"d");
}

// Tests that a 10 MB line neither stops reading nor is lost when another key is written.
TEST_F(ProfileTest, SurvivesTenMegabyteLine) {
    const std::string big(10u << 20, 'z');
    ASSERT_TRUE(spit(file, "[S]\nbig=" + big + "\nsmall=1\n" + big + "\n"));
    EXPECT_EQ(read(file, u"S", u"big"), Text(511, u'z'));
    EXPECT_EQ(read(file, u"S", u"small"), u"1");
    ASSERT_TRUE(write(file, u"S", u"small", u"2"));
    EXPECT_EQ(slurp(file), "[S]\nbig=" + big + "\nsmall=2\n" + big + "\n");
}

// Tests that a file that exists but cannot be read is never overwritten by a write that could
// not see its data: the write reports failure.
TEST_F(ProfileTest, UnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directory(file);  // exists, but is no file that can be read
    EXPECT_EQ(read(file, u"S", u"k", u"d"), u"d");
    EXPECT_FALSE(write(file, u"S", u"k", u"v"));
    EXPECT_FALSE(removeSection(file, u"S"));
    EXPECT_TRUE(std::filesystem::is_directory(file));

    const auto locked = dir / "locked.ini";
    ASSERT_TRUE(spit(locked, "[S]\nk=precious\n"));
    ::chmod(locked.c_str(), 0222);  // writable, not readable
    ::chmod(dir.path().c_str(), 0777);
    EXPECT_TRUE(testing::runUnprivileged(
        [&] { return read(locked, u"S", u"k", u"d") == u"d" && !write(locked, u"S", u"other", u"v"); }));
    EXPECT_EQ(slurp(locked), "[S]\nk=precious\n");
}

// Tests that writes into an unwritable directory or onto a full disk report false and keep the
// old data, and that the next write after the fault succeeds.
TEST_F(ProfileTest, FailedWritesReportFalse) {
    ASSERT_TRUE(write(file, u"S", u"k", u"old"));
    ::chmod(file.c_str(), 0666);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_TRUE(testing::runUnprivileged([&] {
        return !write(file, u"S", u"k", u"new") && !writeAll(file, u"S", {{u"k", u"n"}}) &&
               !removeSection(file, u"S") && read(file, u"S", u"k") == u"old";
    }));
    setWriteFaultForTesting([](WriteStep s) { return s == WriteStep::Write ? ENOSPC : 0; });
    EXPECT_FALSE(write(file, u"S", u"k", u"new"));
    EXPECT_EQ(read(file, u"S", u"k"), u"old");
    setWriteFaultForTesting({});
    EXPECT_TRUE(write(file, u"S", u"k", u"new"));
    EXPECT_EQ(read(file, u"S", u"k"), u"new");
}

// Tests that a snapshot answers like read on the file as it was loaded.
TEST_F(ProfileTest, SnapshotReadsLikeRead) {
    ASSERT_TRUE(spit(file, "[S]\nk=v  \n[T]\n"));
    const Snapshot snap = Snapshot::load(file);
    ASSERT_TRUE(write(file, u"S", u"k", u"changed"));
    EXPECT_EQ(snap.read(u"s", u"K", u"d"), u"v");
    EXPECT_EQ(snap.read(u"S", u"x", u"d"), u"d");
    EXPECT_EQ(snap.sectionNames(), std::vector<Text>({u"S", u"T"}));
    EXPECT_EQ(Snapshot::load(dir / "absent.ini").read(u"S", u"k", u"d"), u"d");
    EXPECT_EQ(Snapshot().read(u"S", u"k", u"d"), u"d");
}

}  // namespace
}  // namespace orvex::profile
