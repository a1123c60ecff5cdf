#pragma once
// Starting a Chromium-family browser with the debugging pipe on descriptors 3 and 4.

#include <memory>
#include <string>
#include <vector>

#include "devtools/pipe_transport.h"

namespace orvex::devtools {

/// Environment variable naming the browser binary when no setting does.
inline constexpr const char* kBrowserEnvVar = "ORVEX_BROWSER";
/// Browser binaries tried, in order, when neither setting nor environment names one.
inline constexpr const char* kDefaultBrowserPaths[] = {"/usr/lib/chromium/chromium", "/usr/bin/chromium"};

/// How to start the browser.
struct LaunchOptions {
    std::string browserSetting;  ///< the browser path setting; empty to fall back to the environment
    std::string profileDir;      ///< the browser's own profile directory (created mode 0700)
    bool headless = false;       ///< headless also when there is no DISPLAY
    /// No background fetches, updates, sync or GPU: for tests and tools; a user's daily browser
    /// turns it off.
    bool quiet = true;
    std::string logPath;         ///< file for the browser's output; empty sends it to /dev/null
    std::vector<std::string> extraArguments;
    std::string startUrl = "about:blank";
};

/// The browser to run: the setting when not empty, else $ORVEX_BROWSER when not empty, else the
/// first executable default path, else the last default path.
std::string resolveBrowserPath(const std::string& setting);

/// The full argument vector (binary first) for the given options; `asRoot` adds --no-sandbox and
/// `hasDisplay` false forces --headless. Never a TCP debugging port.
std::vector<std::string> browserArguments(const LaunchOptions& options, const std::string& browserPath,
                                          bool asRoot, bool hasDisplay);

/// Creates dir (and missing parents) with mode 0700 and narrows an existing one to 0700; returns
/// false with a message in *error when the path is not a directory or cannot be made private.
bool ensurePrivateDirectory(const std::string& dir, std::string* error);

/// A started browser, or the reason it could not be started.
struct LaunchResult {
    std::unique_ptr<PipeTransport> transport;  ///< null on failure
    std::string error;
};

/// Starts the browser with fork/exec: fd 3 is what it reads, fd 4 what it writes, its stdin is
/// /dev/null, and it leads its own process group. Fails (with a message) when the profile
/// directory cannot be prepared, the binary is missing, or exec fails.
LaunchResult launchBrowser(const LaunchOptions& options);

}  // namespace orvex::devtools
