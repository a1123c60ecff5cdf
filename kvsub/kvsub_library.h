#pragma once
// The program's side of the document access library: libkvsub.so is loaded from the
// program's own directory at the first call, and each function is found by name. A missing
// library or function makes that call fail (nothing), so callers handle only the top document.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "kvsub/kvsub_abi.h"

namespace orvex::kvsub {

/// File name of the library in the program's directory.
inline constexpr const char* kLibraryFileName = "libkvsub.so";

class KvsubLibrary {
  public:
    /// A library looked for in `directory` (loaded at the first call, never before).
    explicit KvsubLibrary(std::filesystem::path directory);
    ~KvsubLibrary();
    KvsubLibrary(const KvsubLibrary&) = delete;
    KvsubLibrary& operator=(const KvsubLibrary&) = delete;

    /// The library of the running program, in the directory of its executable.
    static KvsubLibrary& forProgram();

    /// GetDoc of the library; nothing when the library or the function is missing.
    std::optional<std::int32_t> GetDoc(KvObject* const* document, KvObject** firstSlot, std::int32_t bound);
    /// GetSubBrowsers of the library; nothing when missing.
    std::optional<std::int32_t> GetSubBrowsers(KvObject* const* document, KvObject** firstSlot);
    /// RefreshDoc of the library; nothing when missing.
    std::optional<std::int32_t> RefreshDoc(KvObject* const* document);
    /// lngTest of the library; nothing when missing.
    std::optional<std::int32_t> lngTest(std::int32_t n);

    /// True once a load was tried and the library is open.
    bool loaded() const { return m_handle != nullptr; }

  private:
    void* symbol(const char* name);

    std::filesystem::path m_directory;
    bool m_tried = false;
    void* m_handle = nullptr;
};

/// The directory of the running executable; the current directory when it cannot be read.
std::filesystem::path programDirectory();

}  // namespace orvex::kvsub
