#include "kvsub/kvsub_library.h"

#include <dlfcn.h>

#include <system_error>

namespace orvex::kvsub {

KvsubLibrary::KvsubLibrary(std::filesystem::path directory) : m_directory(std::move(directory)) {}

KvsubLibrary::~KvsubLibrary() {
    if (m_handle) dlclose(m_handle);
}

KvsubLibrary& KvsubLibrary::forProgram() {
    static KvsubLibrary library(programDirectory());
    return library;
}

void* KvsubLibrary::symbol(const char* name) {
    if (!m_tried) {
        m_tried = true;
        const std::filesystem::path path = m_directory / kLibraryFileName;
        // RTLD_LOCAL: the library's names must not leak into the program's.
        m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

std::optional<std::int32_t> KvsubLibrary::GetDoc(KvObject* const* document, KvObject** firstSlot,
                                                 std::int32_t bound) {
    auto fn = reinterpret_cast<KvGetDocFn>(symbol("GetDoc"));
    if (!fn) return std::nullopt;
    return fn(document, firstSlot, bound);
}

std::optional<std::int32_t> KvsubLibrary::GetSubBrowsers(KvObject* const* document, KvObject** firstSlot) {
    auto fn = reinterpret_cast<KvGetSubBrowsersFn>(symbol("GetSubBrowsers"));
    if (!fn) return std::nullopt;
    return fn(document, firstSlot);
}

std::optional<std::int32_t> KvsubLibrary::RefreshDoc(KvObject* const* document) {
    auto fn = reinterpret_cast<KvRefreshDocFn>(symbol("RefreshDoc"));
    if (!fn) return std::nullopt;
    return fn(document);
}

std::optional<std::int32_t> KvsubLibrary::lngTest(std::int32_t n) {
    auto fn = reinterpret_cast<KvLngTestFn>(symbol("lngTest"));
    if (!fn) return std::nullopt;
    return fn(n);
}

std::filesystem::path programDirectory() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

}  // namespace orvex::kvsub
