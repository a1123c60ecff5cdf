#include "settings/paths.h"

#include <cstdlib>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace orvex::settings {
namespace {

// The application's folder name under the XDG base directories.
constexpr std::string_view kAppDir = "orvex";
// Installed resources, relative to the prefix above the program's "bin".
constexpr std::string_view kInstalledResources = "share/orvex";

#ifndef ORVEX_SOURCE_RESOURCES
#define ORVEX_SOURCE_RESOURCES "resources"
#endif

// An environment variable holding an absolute path, or an empty path.
std::filesystem::path envDir(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return {};
    std::filesystem::path p(v);
    return p.is_absolute() ? p : std::filesystem::path();
}

std::filesystem::path homeDir() {
    std::filesystem::path home = envDir("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

// Characters a URL path may hold unencoded.
bool isUrlPathChar(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::filesystem::path dataDir() {
    if (auto p = envDir("ORVEX_HOME"); !p.empty()) return p;
    if (auto p = envDir("XDG_DATA_HOME"); !p.empty()) return p / kAppDir;
    return homeDir() / ".local" / "share" / kAppDir;
}

bool ensureDataDir() {
    const std::filesystem::path dir = dataDir();
    std::error_code ec;
    if (std::filesystem::create_directories(dir, ec))
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
    return std::filesystem::is_directory(dir, ec);
}

std::filesystem::path dataFile(std::string_view name) {
    return dataDir() / name;
}

std::filesystem::path resolveDataPath(text::TextView stored) {
    if (stored.empty()) return {};
    text::Text t(stored);
    for (char16_t& c : t)
        if (c == u'\\') c = u'/';
    if (t.front() != u'.') return std::filesystem::path(text::toUtf8(t));
    // The rest keeps its own leading "/" (".\icons" → "/icons"), which must not make it absolute.
    std::string rest = text::toUtf8(text::TextView(t).substr(1));
    while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
    return dataDir() / rest;
}

std::filesystem::path resolveDataOrResourcePath(text::TextView stored,
                                                const std::filesystem::path& resources) {
    std::filesystem::path inData = resolveDataPath(stored);
    if (stored.empty() || stored.front() != u'.') return inData;
    std::error_code ec;
    if (std::filesystem::exists(inData, ec)) return inData;
    std::filesystem::path inResources = resources / inData.lexically_relative(dataDir());
    return std::filesystem::exists(inResources, ec) ? inResources : inData;
}

std::filesystem::path resolveDataOrResourcePath(text::TextView stored) {
    return resolveDataOrResourcePath(stored, resourceDir());
}

std::filesystem::path resourceDirFor(const std::filesystem::path& exeDir) {
    std::error_code ec;
    const std::filesystem::path installed = exeDir.parent_path() / kInstalledResources;
    if (!exeDir.empty() && std::filesystem::is_directory(installed, ec)) return installed;
    return ORVEX_SOURCE_RESOURCES;
}

std::filesystem::path resourceDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return resourceDirFor(ec ? std::filesystem::path() : exe.parent_path());
}

std::filesystem::path settingsFile() {
    std::filesystem::path base = envDir("XDG_CONFIG_HOME");
    if (base.empty()) base = homeDir() / ".config";
    return base / kAppDir / "settings.ini";
}

text::Text fileUrl(const std::filesystem::path& absolutePath) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char ch : absolutePath.string()) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUrlPathChar(c)) {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return text::fromUtf8(url);
}

}  // namespace orvex::settings
