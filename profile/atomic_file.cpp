#include "profile/atomic_file.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvex::profile {
namespace {

// Permissions of a newly created file: the data is personal.
constexpr mode_t kNewFileMode = 0600;
// Read and write chunk size.
constexpr size_t kChunk = 1 << 16;

std::function<int(WriteStep)>& faultHook() {
    static std::function<int(WriteStep)> hook;
    return hook;
}

// True when a test asked `step` to fail (errno is then set to the injected value).
bool injectedFault(WriteStep step) {
    const auto& hook = faultHook();
    if (!hook) return false;
    const int err = hook(step);
    if (err == 0) return false;
    errno = err;
    return true;
}

// Closes a descriptor on scope exit unless released.
class Fd {
  public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now; false when close reports an error (a delayed write error on some filesystems).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int m_fd;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t n = bytes.size() < kChunk ? bytes.size() : kChunk;
        const ssize_t w = ::write(fd, bytes.data(), n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(w));
    }
    return true;
}

bool syncDirectory(const std::filesystem::path& dir) {
    Fd fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    return ::fsync(fd.get()) == 0;
}

// The file a write really replaces: the target of a symbolic link, else the path itself.
std::filesystem::path writeTarget(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(file, ec)) return file;
    std::filesystem::path target = std::filesystem::read_symlink(file, ec);
    if (ec) return file;
    return target.is_absolute() ? target : file.parent_path() / target;
}

}  // namespace

FileBytes readFileBytes(const std::filesystem::path& file, size_t maxBytes) {
    FileBytes result;
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > maxBytes)
        return result;
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[kChunk];
    for (;;) {
        const ssize_t r = ::read(fd.get(), buffer, sizeof buffer);
        if (r < 0) {
            if (errno == EINTR) continue;
            return result;
        }
        if (r == 0) break;
        if (bytes.size() + static_cast<size_t>(r) > maxBytes) return result;  // grew while read
        bytes.append(buffer, static_cast<size_t>(r));
    }
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

bool replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    try {
        const std::filesystem::path target = writeTarget(file);
        const std::filesystem::path dir = target.parent_path();
        mode_t mode = kNewFileMode;
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0) {
            // A file its owner made read-only is not replaced behind their back.
            if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
                return false;
            mode = st.st_mode & 07777;
        } else if (errno != ENOENT) {
            return false;
        }
        // One fixed temporary name per file: a leftover of a crash is reused by the next write.
        // Only one program instance writes to the data directory.
        const std::filesystem::path temp = dir / ("." + target.filename().string() + ".orvex-tmp");
        if (injectedFault(WriteStep::CreateTemp)) return false;
        Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, kNewFileMode));
        if (fd.get() < 0) return false;
        auto fail = [&] {
            fd.close();
            ::unlink(temp.c_str());
            return false;
        };
        if (injectedFault(WriteStep::Write) || !writeAll(fd.get(), bytes)) return fail();
        ::fchmod(fd.get(), mode);  // best effort: a failure leaves the safe 0600
        if (injectedFault(WriteStep::SyncFile) || ::fsync(fd.get()) != 0) return fail();
        if (!fd.close()) {
            ::unlink(temp.c_str());
            return false;
        }
        if (injectedFault(WriteStep::Rename) || ::rename(temp.c_str(), target.c_str()) != 0) {
            ::unlink(temp.c_str());
            return false;
        }
        // The new file is in place; a failed directory flush only weakens durability across a
        // power loss, which the caller cannot act on, so it does not turn the result into false.
        syncDirectory(dir);
        return true;
    } catch (...) {
        return false;  // path conversions may throw (allocation)
    }
}

void setWriteFaultForTesting(std::function<int(WriteStep)> hook) {
    faultHook() = std::move(hook);
}

}  // namespace orvex::profile
