#pragma once
// For widget tests: one QApplication for the test executable, on the offscreen platform unless
// the environment chose another. Header-only; used by test executables only.

#include <cstdlib>

#include <QApplication>
#include <gtest/gtest.h>

namespace orvex::gui::testing {

/// The test executable's application, created at the first call.
inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "orvex-test";
    static char* argv[] = {name, nullptr};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

/// A fixture base whose application exists before the fixture's own members are built.
class QtFixture : public ::testing::Test {
  protected:
    QtFixture() { testApp(); }
};

}  // namespace orvex::gui::testing
