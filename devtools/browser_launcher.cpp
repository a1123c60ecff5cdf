#include "devtools/browser_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvex::devtools {

namespace {

// Switches of every browser the program starts: no first-run UI in the program's own profile, and
// the address bar's suggestion list drawn by the browser itself rather than as web pages (which keep
// a renderer of their own busy at every page load, taking a share of a small machine's cores just
// when a loaded form is read and filled).
constexpr const char* kCommonArguments[] = {
    "--no-first-run",
    "--disable-features=WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup",
};

// Switches that keep a browser for tests and tools quiet: no background fetches, updates, sync or
// default apps, no GPU. A user's daily browser keeps all of them.
constexpr const char* kQuietArguments[] = {
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-default-apps",
    "--disable-gpu",
};

// Descriptors the browser expects the debugging pipe on.
constexpr int kBrowserReadFd = 3;
constexpr int kBrowserWriteFd = 4;
// Lowest descriptor used to park fds in the child before they are moved to 0..4.
constexpr int kParkFd = 10;

bool isExecutable(const std::string& path) {
    return !path.empty() && access(path.c_str(), X_OK) == 0;
}

std::string envValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

void closeQuietly(int fd) {
    if (fd >= 0) close(fd);
}

// Closes [from, to] without touching `keep`.
void closeRangeExcept(int from, int keep) {
    if (keep >= from) {
        if (keep > from) close_range(static_cast<unsigned>(from), static_cast<unsigned>(keep - 1), 0);
        close_range(static_cast<unsigned>(keep + 1), ~0U, 0);
    } else {
        close_range(static_cast<unsigned>(from), ~0U, 0);
    }
}

// Only async-signal-safe calls from here to exec: the parent may run other threads.
[[noreturn]] void runChild(const std::vector<char*>& argv, int browserIn, int browserOut, int nullFd,
                           int logFd, int errorFd, pid_t parent) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    // Park every source above the target range first, so no dup2 below clobbers another source.
    const int errorPipe = fcntl(errorFd, F_DUPFD_CLOEXEC, kParkFd);
    const int in = fcntl(browserIn, F_DUPFD, kParkFd);
    const int out = fcntl(browserOut, F_DUPFD, kParkFd);
    const int nul = fcntl(nullFd, F_DUPFD, kParkFd);
    const int log = fcntl(logFd, F_DUPFD, kParkFd);
    int code = 0;
    if (errorPipe < 0 || in < 0 || out < 0 || nul < 0 || log < 0 || dup2(nul, 0) < 0 || dup2(log, 1) < 0 ||
        dup2(log, 2) < 0 || dup2(in, kBrowserReadFd) < 0 || dup2(out, kBrowserWriteFd) < 0) {
        code = errno;
    } else {
        // The browser gets 0..4 only; the error pipe closes itself at exec.
        closeRangeExcept(kBrowserWriteFd + 1, errorPipe);
        execv(argv[0], argv.data());
        code = errno;
    }
    (void)!write(errorPipe >= 0 ? errorPipe : errorFd, &code, sizeof code);
    _exit(127);
}

}  // namespace

std::string resolveBrowserPath(const std::string& setting) {
    if (!setting.empty()) return setting;
    const std::string fromEnv = envValue(kBrowserEnvVar);
    if (!fromEnv.empty()) return fromEnv;
    for (const char* path : kDefaultBrowserPaths) {
        if (isExecutable(path)) return path;
    }
    return std::end(kDefaultBrowserPaths)[-1];
}

std::vector<std::string> browserArguments(const LaunchOptions& options, const std::string& browserPath,
                                          bool asRoot, bool hasDisplay) {
    std::vector<std::string> args{browserPath, "--remote-debugging-pipe",
                                  "--user-data-dir=" + options.profileDir};
    if (options.headless || !hasDisplay) args.emplace_back("--headless");
    if (asRoot) args.emplace_back("--no-sandbox");
    for (const char* common : kCommonArguments) args.emplace_back(common);
    if (options.quiet) {
        for (const char* quiet : kQuietArguments) args.emplace_back(quiet);
    }
    for (const auto& extra : options.extraArguments) args.push_back(extra);
    if (!options.startUrl.empty()) args.push_back(options.startUrl);
    return args;
}

bool ensurePrivateDirectory(const std::string& dir, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error != nullptr) *error = what + ": " + dir + " (" + std::strerror(errno) + ")";
        return false;
    };
    if (dir.empty()) {
        errno = EINVAL;
        return fail("no profile directory");
    }
    // Create missing parents one level at a time.
    for (std::size_t slash = dir.find('/', 1); slash != std::string::npos; slash = dir.find('/', slash + 1)) {
        const std::string parent = dir.substr(0, slash);
        if (mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return fail("cannot create directory");
    }
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return fail("cannot create directory");
    struct stat info {};
    if (lstat(dir.c_str(), &info) != 0) return fail("cannot examine directory");
    if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        return fail("profile path is not a directory");
    }
    if ((info.st_mode & 0777) != 0700 && chmod(dir.c_str(), 0700) != 0)
        return fail("cannot make directory private");
    return true;
}

LaunchResult launchBrowser(const LaunchOptions& options) {
    LaunchResult result;
    if (!ensurePrivateDirectory(options.profileDir, &result.error)) return result;
    const std::string path = resolveBrowserPath(options.browserSetting);
    if (!isExecutable(path)) {
        // One line that says where the path came from and how to get a browser.
        const char* source = !options.browserSetting.empty()     ? "the browser setting"
                             : !envValue(kBrowserEnvVar).empty() ? kBrowserEnvVar
                                                                 : "the default path";
        result.error = "browser not found or not executable: " + path + " (from " + source +
                       "); install the Debian package chromium, or set the browser setting or " +
                       kBrowserEnvVar + " to a Chromium-family browser";
        return result;
    }
    const bool hasDisplay = !envValue("DISPLAY").empty();
    const std::vector<std::string> args = browserArguments(options, path, geteuid() == 0, hasDisplay);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int toBrowser[2] = {-1, -1};
    int fromBrowser[2] = {-1, -1};
    int errorPipe[2] = {-1, -1};
    const int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
    const int logFd = options.logPath.empty()
                          ? -1
                          : open(options.logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    auto cleanup = [&] {
        for (int fd : {toBrowser[0], toBrowser[1], fromBrowser[0], fromBrowser[1], errorPipe[0], errorPipe[1],
                       nullFd, logFd}) {
            closeQuietly(fd);
        }
    };
    if (nullFd < 0 || pipe2(toBrowser, O_CLOEXEC) != 0 || pipe2(fromBrowser, O_CLOEXEC) != 0 ||
        pipe2(errorPipe, O_CLOEXEC) != 0) {
        result.error = std::string("cannot create pipes: ") + std::strerror(errno);
        cleanup();
        return result;
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        result.error = std::string("cannot start browser: ") + std::strerror(errno);
        cleanup();
        return result;
    }
    if (pid == 0) {
        runChild(argv, toBrowser[0], fromBrowser[1], nullFd, logFd >= 0 ? logFd : nullFd, errorPipe[1],
                 parent);
    }
    // Also set here, so the group exists before we might signal it.
    setpgid(pid, pid);
    closeQuietly(toBrowser[0]);
    closeQuietly(fromBrowser[1]);
    closeQuietly(errorPipe[1]);
    closeQuietly(nullFd);
    closeQuietly(logFd);
    int childError = 0;
    ssize_t got = -1;
    do {
        got = read(errorPipe[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    closeQuietly(errorPipe[0]);
    result.transport = std::make_unique<PipeTransport>(fromBrowser[0], toBrowser[1], pid);
    if (got > 0) {
        result.error = "cannot run browser " + path + ": " + std::strerror(childError);
        result.transport.reset();  // reaps the failed child
    }
    return result;
}

}  // namespace orvex::devtools
