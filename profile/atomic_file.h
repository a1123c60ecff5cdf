#pragma once
// Whole-file reads and crash-safe replacement of a file.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace orvex::profile {

enum class ReadStatus { Ok, Missing, Failed };

struct FileBytes {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;  // the whole file when status is Ok
};

/// Reads the whole file; Missing when it does not exist, Failed when it exists but cannot be
/// read, is not a regular file, or is larger than `maxBytes`.
FileBytes readFileBytes(const std::filesystem::path& file, size_t maxBytes);

/// Replaces `file` with `bytes` so that a crash at any moment leaves either the old or the new
/// file: the bytes go to a temporary file beside it, which is flushed to disk and renamed over
/// the file; then the directory is flushed. A symbolic link is followed, an existing file keeps
/// its permissions, a new one gets 0600. False when anything fails, the file is read-only, or
/// the directory is not writable; the old file is then untouched.
bool replaceFile(const std::filesystem::path& file, std::string_view bytes);

/// Steps of replaceFile at which a test can inject a failure.
enum class WriteStep { CreateTemp, Write, SyncFile, Rename };

/// Installs a hook asked before each step of replaceFile; a non-zero result makes the step fail
/// with that errno value (ENOSPC simulates a full disk). An empty hook removes it.
void setWriteFaultForTesting(std::function<int(WriteStep)> hook);

}  // namespace orvex::profile
