#include "fill/user_data_file.h"

#include <fstream>
#include <system_error>

#include "text/strings.h"

namespace orvex::fill {

text::Text GetPersonTag(int index) {
    return u"USER" + text::number(index);
}

text::Text GetAddressTag(int index) {
    return index == 0 ? text::Text(u"ADDRESS") : u"ADDRESS" + text::number(index);
}

FileState probeFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) return FileState::Missing;
    if (error || !std::filesystem::is_regular_file(status)) return FileState::Unreadable;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in) return FileState::Unreadable;
        in.peek();
        return in.bad() ? FileState::Unreadable : FileState::Readable;
    } catch (...) {
        return FileState::Unreadable;
    }
}

text::Text ReadKey(const profile::Snapshot& file, text::TextView section, text::TextView key,
                   text::TextView def) {
    return file.read(section, key, def);
}

SectionWriter::SectionWriter(std::filesystem::path file, text::TextView section)
    : m_file(std::move(file)), m_section(section) {}

void SectionWriter::WriteKeyIfChanged(text::TextView key, text::TextView newText, text::TextView oldText) {
    if (newText != oldText) m_changed.emplace_back(text::Text(key), text::Text(newText));
}

bool SectionWriter::commit() const {
    if (m_changed.empty()) return true;
    return profile::writeAll(m_file, m_section, m_changed);
}

text::Text booleanText(bool value) {
    return value ? u"True" : u"False";
}

bool parseBoolean(text::TextView stored, bool& out) {
    const text::Text lower = text::toLower(text::trim(stored));
    if (lower == u"true") {
        out = true;
        return true;
    }
    if (lower == u"false") {
        out = false;
        return true;
    }
    return false;
}

}  // namespace orvex::fill
