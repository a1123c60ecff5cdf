#pragma once
// For tests: points the data directory and the settings file at a private temporary
// directory for the life of the object. Header-only; used by test executables only.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "profile/test_support.h"

namespace orvex::settings::testing {

/// Sets environment variables for its lifetime and restores the old values afterwards.
class ScopedEnv {
  public:
    ScopedEnv& set(const char* name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
        return *this;
    }
    ~ScopedEnv() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) apply(it->first.c_str(), it->second);
    }

  private:
    static void apply(const char* name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

/// A temporary home: the data directory is <tmp>/data, the settings file
/// <tmp>/config/orvex/settings.ini; neither exists until used.
class TempHome {
  public:
    TempHome() {
        m_env.set("ORVEX_HOME", (m_dir.path() / "data").string());
        m_env.set("XDG_CONFIG_HOME", (m_dir.path() / "config").string());
    }
    std::filesystem::path root() const { return m_dir.path(); }
    std::filesystem::path data() const { return m_dir.path() / "data"; }

  private:
    profile::testing::TempDir m_dir;
    ScopedEnv m_env;
};

}  // namespace orvex::settings::testing
