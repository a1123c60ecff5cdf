#include "browser/frame.h"

namespace orvex::browser {

bool clsFrame::AddNames(text::TextView value, text::TextView key) {
    if (!key.empty()) {
        for (const text::Text& k : m_keys)
            if (k == key) return false;
    }
    m_names.emplace_back(value);
    m_keys.emplace_back(key);
    return true;
}

std::optional<text::Text> clsFrame::Item(int index) const {
    if (index < 1 || index > Count()) return std::nullopt;
    return m_names[static_cast<std::size_t>(index - 1)];
}

std::optional<text::Text> clsFrame::Item(text::TextView key) const {
    if (key.empty()) return std::nullopt;
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == key) return m_names[i];
    return std::nullopt;
}

bool clsFrame::Remove(int index) {
    if (index < 1 || index > Count()) return false;
    m_names.erase(m_names.begin() + (index - 1));
    m_keys.erase(m_keys.begin() + (index - 1));
    return true;
}

bool clsFrame::Remove(text::TextView key) {
    if (key.empty()) return false;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == key) {
            m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(i));
            m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

}  // namespace orvex::browser
