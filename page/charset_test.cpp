#include "page/charset.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include "page/html_loader.h"

namespace orvex::page {
namespace {

// `utf8` encoded in `charset` with ICU; empty when the conversion fails.
std::string encode(std::string_view utf8, const char* charset) {
    UErrorCode status = U_ZERO_ERROR;
    std::vector<UChar> utf16(utf8.size() + 1);
    int32_t units = 0;
    u_strFromUTF8(utf16.data(), static_cast<int32_t>(utf16.size()), &units, utf8.data(),
                  static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status)) return {};
    UConverter* converter = ucnv_open(charset, &status);
    if (U_FAILURE(status)) return {};
    std::string out(utf8.size() * 4 + 16, '\0');
    int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()), utf16.data(),
                                     units, &status);
    ucnv_close(converter);
    if (U_FAILURE(status)) return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

constexpr std::string_view kJapanese =
    "<p>お名前（漢字）：<input name=name1> フリガナ <input name=kana> 東京都千代田区 ﾃｽﾄ 髙橋 ①</p>";

// Tests that undeclared Shift_JIS and EUC-JP pages are told apart and decoded.
TEST(CharsetTest, GuessesShiftJisAndEucJp) {
    std::string sjis = encode(kJapanese, "windows-31j");
    std::string euc = encode(kJapanese, "EUC-JP");
    ASSERT_FALSE(sjis.empty());
    ASSERT_FALSE(euc.empty());
    EXPECT_EQ(detectCharset(sjis), "windows-31j");
    EXPECT_EQ(detectCharset(euc), "EUC-JP");
    EXPECT_EQ(detectCharset(std::string(kJapanese)), "UTF-8");
    EXPECT_EQ(decodeToUtf8(sjis, "windows-31j").value_or(""), kJapanese);
    EXPECT_EQ(decodeToUtf8(euc, "EUC-JP").value_or(""), kJapanese);
    // Hiragana alone: EUC-JP bytes also read as valid half-width katakana in Shift_JIS.
    std::string hiragana = encode("あいうえおかきくけこ", "EUC-JP");
    EXPECT_EQ(detectCharset(hiragana), "EUC-JP");
    EXPECT_EQ(detectCharset(encode("あいうえおかきくけこ", "windows-31j")), "windows-31j");
}

// Tests that a META declaration decides, in both of its forms, and only near the top.
TEST(CharsetTest, HonoursMetaDeclarations) {
    std::string body = encode("<p>ﾃｽﾄです</p>", "EUC-JP");
    std::string charsetMeta = "<html><head><META CHARSET=\"x-euc-jp\"></head>" + body;
    EXPECT_EQ(detectCharset(charsetMeta), "EUC-JP");
    std::string httpEquiv = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">" +
                            encode("テスト", "windows-31j");
    EXPECT_EQ(declaredCharset(httpEquiv), "windows-31j");
    EXPECT_EQ(detectCharset(httpEquiv), "windows-31j");
    std::string late = std::string(kCharsetScanBytes, ' ') + "<meta charset=euc-jp>";
    EXPECT_EQ(declaredCharset(late), "");
    EXPECT_EQ(declaredCharset("<meta name=description content=charset>"), "");
    // An unknown label falls back to the guess.
    EXPECT_EQ(detectCharset("<meta charset=no-such-charset>" + encode("漢字かな", "windows-31j")),
              "windows-31j");
    EXPECT_EQ(canonicalCharset(" UTF-16 "), "UTF-8");
    EXPECT_EQ(canonicalCharset(""), "");
}

// Tests byte-order marks and the decoding of a BOM page.
TEST(CharsetTest, ReadsByteOrderMarks) {
    EXPECT_EQ(detectCharset("\xEF\xBB\xBF<meta charset=shift_jis>"), "UTF-8");
    EXPECT_EQ(decodeToUtf8("\xEF\xBB\xBF"
                           "abc",
                           "UTF-8")
                  .value_or(""),
              "abc");
    std::string utf16 = std::string("\xFF\xFE", 2) + std::string("a\0b\0", 4);
    EXPECT_EQ(detectCharset(utf16), "UTF-16LE");
    EXPECT_EQ(decodeToUtf8(utf16, "UTF-16LE").value_or(""), "ab");
    EXPECT_FALSE(decodeToUtf8("abc", "no-such-charset").has_value());
    EXPECT_EQ(decodeToUtf8("a\xFF"
                           "b",
                           "UTF-8")
                  .value_or(""),
              "a\xEF\xBF\xBD"
              "b");
}

// Tests that a Shift_JIS page loads into UTF-8 elements and text.
TEST(CharsetTest, LoaderDecodesPages) {
    std::string page = encode(
        "<html><head><meta http-equiv=Content-Type "
        "content=\"text/html;charset=shift_jis\"><title>応募</title>"
        "</head><body><form><input name=\"氏名\" value=\"山田\">ご住所</form></body></html>",
        "windows-31j");
    auto d = loadHtml(page);
    EXPECT_EQ(d->charset(), "windows-31j");
    EXPECT_EQ(d->title(), "応募");
    EXPECT_EQ(d->all().item("氏名").element().value(), "山田");
    EXPECT_EQ(d->all().tags("FORM").item(0).innerHTML(), "<INPUT name=\"氏名\" value=\"山田\">ご住所");
}

}  // namespace
}  // namespace orvex::page
