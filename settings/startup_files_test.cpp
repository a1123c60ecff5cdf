#include "settings/startup_files.h"

#include <gtest/gtest.h>

#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::settings {
namespace {

// Tests that a first start creates the data directory and "icons" and reports it missing (no
// splash even when "OEM.INI" names one), and that the next start finds it.
TEST(StartupFilesTest, FirstStartCreatesIcons) {
    testing::TempHome home;
    EXPECT_FALSE(iconsFolderExisted());
    EXPECT_TRUE(std::filesystem::is_directory(dataFile("icons")));
    EXPECT_TRUE(iconsFolderExisted());
}

// Tests that only a ".bmp" name (any case) is a splash picture, resolved like other stored paths.
TEST(StartupFilesTest, SplashPictureOnlyForBitmaps) {
    testing::TempHome home;
    EXPECT_EQ(splashPicture(), "");
    ASSERT_TRUE(ensureDataDir());
    ASSERT_TRUE(profile::testing::spit(dataFile("OEM.INI"), "[TITLE]\nFileName=.\\pics\\Splash.BMP\n"));
    EXPECT_EQ(splashPicture(), home.data() / "pics" / "Splash.BMP");
    ASSERT_TRUE(profile::testing::spit(dataFile("OEM.INI"), "[TITLE]\nFileName=splash.png\n"));
    EXPECT_EQ(splashPicture(), "");
    ASSERT_TRUE(profile::testing::spit(dataFile("OEM.INI"), "[TITLE]\nFileName=\n"));
    EXPECT_EQ(splashPicture(), "");
}

}  // namespace
}  // namespace orvex::settings
