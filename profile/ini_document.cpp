#include "profile/ini_document.h"

#include <unordered_set>

#include "profile/encoding.h"

namespace orvex::profile {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Blanks that surround names and values in a line: space and tab (a full-width space is text).
constexpr bool isLineBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

text::TextView trimBlanks(text::TextView s) {
    size_t b = 0, e = s.size();
    while (b < e && isLineBlank(s[b])) ++b;
    while (e > b && isLineBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// True when `s` holds a character that would end or cut a line.
bool breaksLine(text::TextView s) {
    return s.find_first_of(u"\r\n\0"sv) != text::TextView::npos;
}

text::Text fold(text::TextView name) {
    return text::toLower(trimBlanks(name));
}

// Calls `emit(line, eol)` for every line of `s`; lines end at "\r\n", "\n" or a lone "\r".
template <typename View, typename Emit>
void forEachLine(View s, Emit emit) {
    using Char = typename View::value_type;
    size_t start = 0;
    while (start < s.size()) {
        size_t i = start;
        while (i < s.size() && s[i] != Char('\n') && s[i] != Char('\r')) ++i;
        if (i == s.size()) {
            emit(s.substr(start), std::string_view{});
            return;
        }
        std::string_view eol = "\n";
        size_t next = i + 1;
        if (s[i] == Char('\r')) {
            if (next < s.size() && s[next] == Char('\n')) {
                eol = "\r\n";
                ++next;
            } else {
                eol = "\r";
            }
        }
        emit(s.substr(start, i - start), eol);
        start = next;
    }
}

// A value that cannot break its line: cut at the first NUL, line breaks become blanks.
text::Text oneLineValue(text::TextView value) {
    text::Text v(value.substr(0, value.find(u'\0')));
    for (char16_t& c : v)
        if (c == u'\r' || c == u'\n') c = u' ';
    return v;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, kBom.size()) == kBom) {
        doc.m_bom = true;
        bytes.remove_prefix(kBom.size());
    }
    // A byte-order mark is taken as proof of UTF-8 even when some bytes are broken.
    doc.m_legacy = !doc.m_bom && !isValidUtf8(bytes);
    auto keep = [&doc](std::string raw, std::string_view eol, text::Text decoded) {
        if (doc.m_lines.empty() && !eol.empty()) doc.m_newline = std::string(eol);
        doc.m_lines.push_back(parseLine(std::move(raw), std::string(eol), std::move(decoded)));
    };
    if (doc.m_legacy) {
        const text::Text decoded = decodeCp932(bytes);
        forEachLine(text::TextView(decoded), [&](text::TextView line, std::string_view eol) {
            keep(text::toUtf8(line), eol, text::Text(line));
        });
    } else {
        forEachLine(bytes, [&](std::string_view line, std::string_view eol) {
            keep(std::string(line), eol, text::fromUtf8(line));
        });
    }
    doc.buildIndex();
    return doc;
}

IniDocument::Line IniDocument::parseLine(std::string raw, std::string eol, text::Text decoded) {
    Line line;
    line.raw = std::move(raw);
    line.eol = std::move(eol);
    const text::TextView s(decoded);
    size_t p = 0;
    while (p < s.size() && isLineBlank(s[p])) ++p;
    if (p == s.size() || s[p] == u';') return line;
    if (s[p] == u'[') {
        // The name runs to the last "]", so a name may itself hold "]".
        const size_t close = s.rfind(u']');
        if (close == text::TextView::npos || close <= p) return line;
        line.kind = Kind::Section;
        line.name = text::Text(trimBlanks(s.substr(p + 1, close - p - 1)));
        line.folded = text::toLower(line.name);
        return line;
    }
    const size_t eq = s.find(u'=', p);
    if (eq == text::TextView::npos) return line;
    const text::TextView key = trimBlanks(s.substr(p, eq - p));
    if (key.empty()) return line;
    line.kind = Kind::Key;
    line.name = text::Text(key);
    line.folded = text::toLower(key);
    line.value = text::Text(trimBlanks(s.substr(eq + 1)));
    return line;
}

IniDocument::Line IniDocument::keyLine(text::TextView name, text::TextView value, std::string eol) {
    Line line;
    line.kind = Kind::Key;
    line.raw = text::toUtf8(name);
    line.raw += '=';
    line.raw += text::toUtf8(value);
    line.eol = std::move(eol);
    line.name = text::Text(name);
    line.folded = text::toLower(name);
    line.value = text::Text(trimBlanks(value));
    return line;
}

text::Text IniDocument::keyOf(size_t header, text::TextView foldedKey) {
    text::Text k;
    k.reserve(4 + foldedKey.size());
    for (int shift = 48; shift >= 0; shift -= 16)
        k.push_back(static_cast<char16_t>((header >> shift) & 0xFFFF));
    k += foldedKey;
    return k;
}

void IniDocument::buildIndex() {
    Index index;
    size_t header = std::string::npos;
    bool firstOfName = false;  // keys of a later duplicate section are never looked up
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section) {
            header = i;
            firstOfName = index.sections.try_emplace(line.folded, i).second;
            index.lastKey[i] = i;
        } else if (line.kind == Kind::Key && header != std::string::npos && firstOfName) {
            index.keys.try_emplace(keyOf(header, line.folded), i);
            index.lastKey[header] = i;
        }
    }
    m_index = std::move(index);
}

size_t IniDocument::findSection(text::TextView folded) const {
    if (m_index) {
        const auto it = m_index->sections.find(text::Text(folded));
        return it == m_index->sections.end() ? std::string::npos : it->second;
    }
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && m_lines[i].folded == folded) return i;
    return std::string::npos;
}

size_t IniDocument::findKey(size_t header, text::TextView folded) const {
    if (m_index) {
        const auto it = m_index->keys.find(keyOf(header, folded));
        return it == m_index->keys.end() ? std::string::npos : it->second;
    }
    const size_t end = sectionEnd(header);
    for (size_t i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key && m_lines[i].folded == folded) return i;
    return std::string::npos;
}

size_t IniDocument::sectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
    return i;
}

const text::Text* IniDocument::find(text::TextView section, text::TextView key) const {
    const text::Text fk = fold(key);
    if (fk.empty()) return nullptr;
    const size_t header = findSection(fold(section));
    if (header == std::string::npos) return nullptr;
    const size_t line = findKey(header, fk);
    return line == std::string::npos ? nullptr : &m_lines[line].value;
}

std::vector<text::Text> IniDocument::sectionNames() const {
    std::vector<text::Text> names;
    std::unordered_set<text::TextView> seen;
    for (const Line& line : m_lines) {
        if (line.kind != Kind::Section || line.name.empty()) continue;
        if (seen.insert(line.folded).second) names.push_back(line.name);
    }
    return names;
}

bool IniDocument::set(text::TextView section, text::TextView key, text::TextView value) {
    const text::Text fs = fold(section);
    const text::Text fk = fold(key);
    const text::Text v = oneLineValue(value);
    if (breaksLine(section) || breaksLine(key)) return false;

    // The key and section must read back as written: no "=" in the key, no comment or header
    // look, nothing blank.
    const text::TextView keyName = trimBlanks(key);
    const text::Text keyProbe = text::Text(keyName) + u"=";
    const Line probe = parseLine(text::toUtf8(keyProbe), {}, keyProbe);
    if (probe.kind != Kind::Key || probe.folded != fk) return false;
    const text::Text headerText = u"[" + text::Text(trimBlanks(section)) + u"]";
    Line headerLine = parseLine(text::toUtf8(headerText), m_newline, headerText);
    if (fs.empty() || headerLine.kind != Kind::Section || headerLine.folded != fs) return false;

    auto endLastLine = [this] {
        if (!m_lines.empty() && m_lines.back().eol.empty()) m_lines.back().eol = m_newline;
    };
    if (!m_index) buildIndex();
    const size_t header = findSection(fs);
    if (header == std::string::npos) {
        endLastLine();
        if (!m_lines.empty() && !trimBlanks(text::fromUtf8(m_lines.back().raw)).empty())
            m_lines.push_back(parseLine({}, m_newline, {}));
        // Lines added at the end move nothing: the index only gains them.
        const size_t newHeader = m_lines.size();
        m_lines.push_back(std::move(headerLine));
        m_lines.push_back(keyLine(keyName, v, m_newline));
        m_index->sections.try_emplace(fs, newHeader);
        m_index->keys.try_emplace(keyOf(newHeader, fk), newHeader + 1);
        m_index->lastKey[newHeader] = newHeader + 1;
        return true;
    }
    if (const size_t line = findKey(header, fk); line != std::string::npos) {
        // Keep the key's own spelling and the line's end; nothing moves, the index stays valid.
        Line& old = m_lines[line];
        old = keyLine(old.name, v, std::move(old.eol));
        return true;
    }
    const size_t insertAt = m_index->lastKey.at(header) + 1;
    if (insertAt == m_lines.size()) {
        endLastLine();
        m_lines.push_back(keyLine(keyName, v, m_newline));
        m_index->keys.try_emplace(keyOf(header, fk), insertAt);
        m_index->lastKey[header] = insertAt;
        return true;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine(keyName, v, m_newline));
    m_index.reset();  // every later line moved
    return true;
}

bool IniDocument::removeSection(text::TextView section) {
    const text::Text fs = fold(section);
    bool removed = false;
    for (size_t header = findSection(fs); header != std::string::npos; header = findSection(fs)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
        removed = true;
        m_index.reset();
    }
    return removed;
}

std::string IniDocument::serialize() const {
    size_t size = m_bom ? kBom.size() : 0;
    for (const Line& line : m_lines) size += line.raw.size() + line.eol.size();
    std::string out;
    out.reserve(size);
    if (m_bom) out += kBom;
    for (const Line& line : m_lines) {
        out += line.raw;
        out += line.eol;
    }
    return out;
}

}  // namespace orvex::profile
