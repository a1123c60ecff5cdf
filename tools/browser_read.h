#pragma once
// orvex-read --browser: opens an address in a browser window for automatic input, lets the
// watcher read and fill every frame, and reports each form with the frame it is in.

#include <ostream>

#include "tools/read_options.h"

namespace orvex::tools {

// How long the browser may take to start, and to take a picture of its window.
inline constexpr int kBrowserStartMs = 30000;
inline constexpr int kScreenshotMs = 30000;

/// Runs the browser mode: starts a browser of its own, opens options.input (an address, or a file
/// path turned into a file address) with the person of options.personFile, waits until the page
/// has loaded and been filled, prints the saved-page report of every form with its frame (text or
/// JSON), optionally saves a screenshot, and ends the browser. Returns kExitOk, kExitUnreadable
/// when the person, the browser or the page cannot be had. Never throws.
int runBrowserRead(const ReadOptions& options, std::ostream& out, std::ostream& err);

}  // namespace orvex::tools
