#pragma once
// The program's start-up, in its documented order, up to the bar on the screen.

namespace orvex::app {

// Exit codes of the program.
inline constexpr int kExitOk = 0;
// Another instance runs: this one ends at once, which is not an error.
inline constexpr int kExitAlreadyRunning = 0;

/// Runs the program: answers --help and --version without a display, else single instance,
/// settings, history store, "icons" folder and splash, the bar; returns the exit code when the
/// bar ends the program.
int runProgram(int argc, char** argv);

}  // namespace orvex::app
