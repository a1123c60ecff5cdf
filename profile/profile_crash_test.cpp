// A writer process is killed at random moments while it saves; the file must always be
// wholly the old or wholly the new content.

#include <chrono>
#include <csignal>
#include <iostream>
#include <random>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "profile/profile.h"
#include "profile/test_support.h"
#include "text/strings.h"

namespace orvex::profile {
namespace {

using testing::slurp;
using text::Text;

// Number of kills; each lands at a random moment of the writer's endless saves.
constexpr int kKills = 200;
// Keys per version and value length: about 250 KB per file, so that a save takes many write calls.
constexpr int kKeys = 250;
constexpr size_t kValueLength = 1000;
// Kills land uniformly within this many save durations after the writer starts.
constexpr int kSpanInSaves = 3;

std::vector<std::pair<Text, Text>> version(char16_t mark) {
    std::vector<std::pair<Text, Text>> entries;
    for (int i = 0; i < kKeys; ++i)
        entries.emplace_back(u"data_" + text::number(i),
                             Text(kValueLength, mark) + u"，山田花子," + text::number(i));
    return entries;
}

// Tests that SIGKILL in the middle of saves never leaves a torn file: after each kill the file
// parses and equals one of the two versions the writer alternates between.
TEST(ProfileCrashTest, KillDuringSaveLeavesOldOrNew) {
    testing::TempDir dir;
    const auto file = dir / "record.ini";
    const auto a = version(u'A');
    const auto b = version(u'B');
    ASSERT_TRUE(writeAll(file, u"data", b));
    const std::string bytesB = slurp(file);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(writeAll(file, u"data", a));
    const auto saveUs =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started)
            .count();
    const std::string bytesA = slurp(file);
    ASSERT_NE(bytesA, bytesB);
    const auto maxDelayUs = static_cast<unsigned>(saveUs * kSpanInSaves) + 1;

    std::mt19937 rng(12345);
    int corrupt = 0, midSave = 0, reachedB = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::alarm(30);  // never outlive a broken parent
            for (bool useB = true;; useB = !useB) writeAll(file, u"data", useB ? b : a);
        }
        ::usleep(static_cast<useconds_t>(rng() % maxDelayUs));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        if (std::filesystem::exists(dir / ".record.ini.orvex-tmp")) ++midSave;
        const std::string now = slurp(file);
        if (now == bytesB) ++reachedB;
        if (now != bytesA && now != bytesB) {
            ++corrupt;
            continue;
        }
        const Text first = read(file, u"DATA", u"DATA_0");
        if (first != a[0].second.substr(0, kMaxValueLength) &&
            first != b[0].second.substr(0, kMaxValueLength))
            ++corrupt;
    }
    std::cout << "[ crash    ] kills=" << kKills << " corrupt=" << corrupt
              << " killed-with-temp-file=" << midSave << " file-at-second-version=" << reachedB
              << " save-us=" << saveUs << "\n";
    RecordProperty("kills", kKills);
    RecordProperty("corrupt", corrupt);
    EXPECT_EQ(corrupt, 0);
    EXPECT_GT(midSave, 0);  // the kills did land inside saves
    // A new save after all those crashes still works and cleans up the temporary file.
    ASSERT_TRUE(writeAll(file, u"data", a));
    EXPECT_EQ(slurp(file), bytesA);
    EXPECT_FALSE(std::filesystem::exists(dir / ".record.ini.orvex-tmp"));
}

}  // namespace
}  // namespace orvex::profile
