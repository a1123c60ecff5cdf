#include "profile/profile.h"

#include <optional>

#include "profile/atomic_file.h"
#include "profile/ini_document.h"

namespace orvex::profile {
namespace {

// Larger files are not profile files; they read as empty and are never rewritten.
constexpr size_t kMaxFileBytes = size_t{64} << 20;

// The backup of a legacy CP932 file, kept beside it when it is first rewritten as UTF-8.
std::filesystem::path legacyBackupPath(const std::filesystem::path& file) {
    std::filesystem::path bak = file;
    bak += ".sjis.bak";
    return bak;
}

// What a read makes of the stored value: at most kMaxValueLength units, trailing blanks and
// NULs removed, the default when nothing is left.
text::Text finishValue(const text::Text* stored, text::TextView def) {
    if (!stored) return text::Text(def);
    text::TextView v(*stored);
    if (v.size() > kMaxValueLength) {
        v = v.substr(0, kMaxValueLength);
        // A pair cut in half would leave a lone surrogate that no encoding can store.
        if (!v.empty() && v.back() >= 0xD800 && v.back() <= 0xDBFF) v.remove_suffix(1);
    }
    while (!v.empty() && (v.back() == u' ' || v.back() == u'\0')) v.remove_suffix(1);
    if (v.empty()) return text::Text(def);
    return text::Text(v);
}

// The document for a read: empty when the file is missing or unreadable.
IniDocument loadForRead(const std::filesystem::path& file) {
    FileBytes fb = readFileBytes(file, kMaxFileBytes);
    if (fb.status != ReadStatus::Ok) return IniDocument::parse({});
    return IniDocument::parse(fb.bytes);
}

struct Loaded {
    IniDocument doc;
    std::string original;  // the bytes read, kept for the legacy backup
};

// The document for a change; nothing when the file exists but cannot be read, so that a
// write never replaces data it could not see.
std::optional<Loaded> loadForWrite(const std::filesystem::path& file) {
    FileBytes fb = readFileBytes(file, kMaxFileBytes);
    if (fb.status == ReadStatus::Failed) return std::nullopt;
    Loaded loaded{IniDocument::parse(fb.bytes), std::move(fb.bytes)};
    return loaded;
}

// Writes the changed document; a legacy file first gets its backup, and is not converted
// when the backup cannot be written.
bool commit(const std::filesystem::path& file, const Loaded& loaded) {
    if (loaded.doc.isLegacyEncoding() && !replaceFile(legacyBackupPath(file), loaded.original)) return false;
    return replaceFile(file, loaded.doc.serialize());
}

}  // namespace

text::Text read(const std::filesystem::path& file, text::TextView section, text::TextView key,
                text::TextView def) {
    try {
        const IniDocument doc = loadForRead(file);
        return finishValue(doc.find(section, key), def);
    } catch (...) {
        return text::Text(def);
    }
}

bool write(const std::filesystem::path& file, text::TextView section, text::TextView key,
           text::TextView value) {
    try {
        std::optional<Loaded> loaded = loadForWrite(file);
        if (!loaded || !loaded->doc.set(section, key, value)) return false;
        return commit(file, *loaded);
    } catch (...) {
        return false;
    }
}

bool writeAll(const std::filesystem::path& file, text::TextView section,
              const std::vector<std::pair<text::Text, text::Text>>& entries) {
    try {
        std::optional<Loaded> loaded = loadForWrite(file);
        if (!loaded) return false;
        for (const auto& [key, value] : entries)
            if (!loaded->doc.set(section, key, value)) return false;
        return commit(file, *loaded);
    } catch (...) {
        return false;
    }
}

std::vector<text::Text> sectionNames(const std::filesystem::path& file) {
    try {
        return loadForRead(file).sectionNames();
    } catch (...) {
        return {};
    }
}

bool removeSection(const std::filesystem::path& file, text::TextView section) {
    try {
        std::optional<Loaded> loaded = loadForWrite(file);
        if (!loaded) return false;
        if (!loaded->doc.removeSection(section)) return true;  // nothing to remove, nothing rewritten
        return commit(file, *loaded);
    } catch (...) {
        return false;
    }
}

Snapshot Snapshot::load(const std::filesystem::path& file) {
    Snapshot s;
    try {
        s.m_doc = std::make_shared<const IniDocument>(loadForRead(file));
    } catch (...) {
        s.m_doc.reset();
    }
    return s;
}

text::Text Snapshot::read(text::TextView section, text::TextView key, text::TextView def) const {
    try {
        return finishValue(m_doc ? m_doc->find(section, key) : nullptr, def);
    } catch (...) {
        return text::Text(def);
    }
}

std::vector<text::Text> Snapshot::sectionNames() const {
    try {
        return m_doc ? m_doc->sectionNames() : std::vector<text::Text>{};
    } catch (...) {
        return {};
    }
}

}  // namespace orvex::profile
