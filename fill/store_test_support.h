#pragma once
// Test helpers: a private temporary data directory and looks at the files in it.

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fill/calendar.h"

namespace orvex::fill::testing {

/// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
  public:
    TempDir() {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("orvex_fill_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file() const { return m_path / "userdata.ini"; }

  private:
    std::filesystem::path m_path;
};

/// The bytes of `file`, empty when it cannot be read.
inline std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

/// The inode of `file`: an atomic replacement gives the file a new one. 0 when missing.
inline ino_t inodeOf(const std::filesystem::path& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

/// Copies the store test fixture into `dir` as userdata.ini.
inline void copyFixture(const TempDir& dir) {
    std::filesystem::copy_file(std::filesystem::path(ORVEX_SOURCE_DIR) / "fill/testdata/userdata.ini",
                               dir.file(), std::filesystem::copy_options::overwrite_existing);
}

/// A clock that always answers `date`.
inline TodayFunction fixedToday(CalendarDate date) {
    return [date] { return date; };
}

}  // namespace orvex::fill::testing
