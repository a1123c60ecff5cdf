#include "page/charset.h"

#include <array>
#include <memory>
#include <vector>

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include "page/ascii_case.h"

namespace orvex::page {
namespace {

// Charset labels of Japanese pages and the converter each one stands for. Shift_JIS labels
// map to the Windows code page, as browsers read them (NEC and IBM extensions included).
struct CharsetAlias {
    std::string_view label;
    std::string_view converter;
};
constexpr std::array<CharsetAlias, 16> kCharsetAliases = {{
    {"shift_jis", "windows-31j"},
    {"shift-jis", "windows-31j"},
    {"sjis", "windows-31j"},
    {"x-sjis", "windows-31j"},
    {"ms_kanji", "windows-31j"},
    {"windows-31j", "windows-31j"},
    {"cp932", "windows-31j"},
    {"csshiftjis", "windows-31j"},
    {"euc-jp", "EUC-JP"},
    {"x-euc-jp", "EUC-JP"},
    {"cseucpkdfmtjapanese", "EUC-JP"},
    {"iso-2022-jp", "ISO-2022-JP"},
    {"utf-8", "UTF-8"},
    {"utf8", "UTF-8"},
    {"utf-16", "UTF-8"},
    {"utf-16le", "UTF-8"},
}};

bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// Reads the value after "charset" at `pos` in a lower-cased META tag: blanks, "=", blanks, then
// a quoted or bare value.
std::string charsetValueAt(std::string_view tag, std::size_t pos) {
    while (pos < tag.size() && isAsciiBlank(tag[pos])) ++pos;
    if (pos >= tag.size() || tag[pos] != '=') return {};
    ++pos;
    while (pos < tag.size() && isAsciiBlank(tag[pos])) ++pos;
    if (pos < tag.size() && (tag[pos] == '"' || tag[pos] == '\'')) ++pos;
    std::size_t start = pos;
    while (pos < tag.size() && !isAsciiBlank(tag[pos]) && tag[pos] != '"' && tag[pos] != '\'' &&
           tag[pos] != ';' && tag[pos] != '>' && tag[pos] != '/')
        ++pos;
    return std::string(tag.substr(start, pos - start));
}

bool isValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    int32_t length = static_cast<int32_t>(std::min<std::size_t>(bytes.size(), INT32_MAX));
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

// How a byte sequence reads in one of the two Japanese multi-byte charsets.
struct Reading {
    int invalid = 0;
    int doubleByte = 0;
    int halfWidthKana = 0;
};

Reading readAsShiftJis(std::string_view bytes) {
    Reading r;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<uint8_t>(bytes[i]);
        if (b < 0x80) continue;
        if (b >= 0xA1 && b <= 0xDF) {
            ++r.halfWidthKana;
        } else if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            auto t = i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[i + 1]) : 0;
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) {
                ++r.doubleByte;
                ++i;
            } else {
                ++r.invalid;
            }
        } else {
            ++r.invalid;
        }
    }
    return r;
}

Reading readAsEucJp(std::string_view bytes) {
    Reading r;
    auto at = [&](std::size_t i) { return i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0; };
    auto isEucByte = [](uint8_t b) { return b >= 0xA1 && b <= 0xFE; };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        uint8_t b = at(i);
        if (b < 0x80) continue;
        if (b == 0x8E && at(i + 1) >= 0xA1 && at(i + 1) <= 0xDF) {
            ++r.halfWidthKana;
            ++i;
        } else if (b == 0x8F && isEucByte(at(i + 1)) && isEucByte(at(i + 2))) {
            ++r.doubleByte;
            i += 2;
        } else if (isEucByte(b) && isEucByte(at(i + 1))) {
            ++r.doubleByte;
            ++i;
        } else {
            ++r.invalid;
        }
    }
    return r;
}

std::string guessCharset(std::string_view bytes) {
    if (isValidUtf8(bytes)) return "UTF-8";
    Reading sjis = readAsShiftJis(bytes);
    Reading euc = readAsEucJp(bytes);
    if (sjis.invalid != euc.invalid) return sjis.invalid < euc.invalid ? "windows-31j" : "EUC-JP";
    // EUC-JP text read as Shift_JIS falls apart into half-width katakana, which real pages
    // hardly use; the reading with more double-byte characters per stray kana wins.
    long long sjisScore = static_cast<long long>(sjis.doubleByte) - sjis.halfWidthKana;
    long long eucScore = static_cast<long long>(euc.doubleByte) - euc.halfWidthKana;
    return eucScore > sjisScore ? "EUC-JP" : "windows-31j";
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

}  // namespace

std::string canonicalCharset(std::string_view label) {
    std::string lower = asciiLower(label);
    while (!lower.empty() && isAsciiBlank(lower.back())) lower.pop_back();
    std::size_t start = 0;
    while (start < lower.size() && isAsciiBlank(lower[start])) ++start;
    lower.erase(0, start);
    if (lower.empty()) return {};
    for (const CharsetAlias& alias : kCharsetAliases)
        if (alias.label == lower) return std::string(alias.converter);
    if (lower == "utf-16be") return "UTF-8";
    return lower;
}

std::string declaredCharset(std::string_view bytes) {
    std::string head = asciiLower(bytes.substr(0, std::min(bytes.size(), kCharsetScanBytes)));
    for (std::size_t pos = head.find("<meta"); pos != std::string::npos; pos = head.find("<meta", pos + 5)) {
        std::size_t close = head.find('>', pos);
        std::string_view tag =
            std::string_view(head).substr(pos, close == std::string::npos ? std::string::npos : close - pos);
        for (std::size_t c = tag.find("charset"); c != std::string_view::npos;
             c = tag.find("charset", c + 7)) {
            std::string value = charsetValueAt(tag, c + 7);
            if (!value.empty()) return canonicalCharset(value);
        }
    }
    return {};
}

std::string detectCharset(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return "UTF-8";
    if (bytes.substr(0, 2) == "\xFF\xFE") return "UTF-16LE";
    if (bytes.substr(0, 2) == "\xFE\xFF") return "UTF-16BE";
    std::string declared = declaredCharset(bytes);
    if (!declared.empty()) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UConverter, ConverterCloser> probe(ucnv_open(declared.c_str(), &status));
        if (U_SUCCESS(status) && probe) return declared;
    }
    return guessCharset(bytes);
}

std::optional<std::string> decodeToUtf8(std::string_view bytes, std::string_view charset) {
    std::string name(charset);
    if (name.empty()) return std::nullopt;
    if (name == "UTF-8") {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        if (isValidUtf8(bytes)) return std::string(bytes);
    }
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX / 4)) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(name.c_str(), &status));
    if (U_FAILURE(status) || !converter) return std::nullopt;
    // Most converters give at most one UTF-16 unit per byte; a converter that gives more
    // reports the size it needs and the conversion runs once more.
    std::vector<UChar> utf16(bytes.size() + 16);
    status = U_ZERO_ERROR;
    int32_t units = ucnv_toUChars(converter.get(), utf16.data(), static_cast<int32_t>(utf16.size()),
                                  bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR && units > 0) {
        utf16.assign(static_cast<std::size_t>(units) + 16, 0);
        ucnv_resetToUnicode(converter.get());
        status = U_ZERO_ERROR;
        units = ucnv_toUChars(converter.get(), utf16.data(), static_cast<int32_t>(utf16.size()), bytes.data(),
                              static_cast<int32_t>(bytes.size()), &status);
    }
    if (U_FAILURE(status)) return std::nullopt;
    const UChar* text = utf16.data();
    if (units > 0 && text[0] == 0xFEFF) {
        ++text;
        --units;
    }
    std::string utf8(static_cast<std::size_t>(units) * 3 + 1, '\0');
    int32_t written = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &written, text, units, 0xFFFD, nullptr,
                       &status);
    if (U_FAILURE(status)) return std::nullopt;
    utf8.resize(static_cast<std::size_t>(written));
    return utf8;
}

}  // namespace orvex::page
