#pragma once
// The filling-tag words and compositions that the per-field deciders write after "name=", and
// the label words their block tests look for.

#include <array>
#include <span>

#include "engine/token.h"

namespace orvex::engine::tags {

// ---- Address ---------------------------------------------------------------------------------
inline constexpr TextView kZip = u"ZIP";
inline constexpr TextView kZip1 = u"ZIP1";
inline constexpr TextView kZip2 = u"ZIP2";
/// Placeholder for a further zip or prefecture input; the city decider takes it back.
inline constexpr TextView kZipOpt = u"ZIPOPT";
/// What TakeFillingTags looks for to take the placeholders back.
inline constexpr TextView kZipOptEntry = u"=ZIPOPT";
/// One long input that takes postal code and whole address.
inline constexpr TextView kZipAndAddress = u"ZIP+PREF+ADDRESS1+ADDRESS2+ADDRESS3";
inline constexpr TextView kPref = u"PREF";
inline constexpr TextView kPrefSel = u"PREFSEL";
inline constexpr TextView kAddress3 = u"ADDRESS3";

// Pieces of the address compositions; each piece is appended to a buffer that begins with "=".
inline constexpr TextView kZiptPref = u"ZIPT+PREF";
inline constexpr TextView kPlusZipt = u"+ZIPT";
inline constexpr TextView kPlusPref = u"+PREF";
inline constexpr TextView kPlusAddress1 = u"+ADDRESS1";
inline constexpr TextView kPlusAddress3 = u"+ADDRESS3";
inline constexpr TextView kPlusAddress12 = u"+ADDRESS1+ADDRESS2";
inline constexpr TextView kPlusAddress123 = u"+ADDRESS1+ADDRESS2+ADDRESS3";
inline constexpr TextView kEqPref = u"=PREF";
inline constexpr TextView kEqAddress1 = u"=ADDRESS1";
inline constexpr TextView kEqAddress2 = u"=ADDRESS2";
inline constexpr TextView kEqAddress3 = u"=ADDRESS3";
inline constexpr TextView kEqAddress12 = u"=ADDRESS1+ADDRESS2";
inline constexpr TextView kEqAddress23 = u"=ADDRESS2+ADDRESS3";

// ---- Names -----------------------------------------------------------------------------------
inline constexpr TextView kName = u"NAME";
inline constexpr TextView kName1 = u"NAME1";
inline constexpr TextView kName2 = u"NAME2";
inline constexpr TextView kHandleName = u"HANDLENAME";
inline constexpr TextView kScriptRome = u"ROME";
inline constexpr TextView kScriptHiragana = u"HIRAGANA";
inline constexpr TextView kScriptKatakana = u"KATAKANA";

// ---- Phone, fax, e-mail ----------------------------------------------------------------------
inline constexpr TextView kTel = u"TEL";
inline constexpr TextView kTel1 = u"TEL1";
inline constexpr TextView kTel2 = u"TEL2";
inline constexpr TextView kTel3 = u"TEL3";
inline constexpr TextView kTel2Hyphen3 = u"TEL2+SYM_-+TEL3";
inline constexpr TextView kFax = u"FAX";
inline constexpr TextView kFax1 = u"FAX1";
inline constexpr TextView kFax2 = u"FAX2";
inline constexpr TextView kFax3 = u"FAX3";
inline constexpr TextView kFax2Hyphen3 = u"FAX2+SYM_-+FAX3";
inline constexpr TextView kEmail = u"EMAIL";
inline constexpr TextView kEmail1 = u"EMAIL1";
inline constexpr TextView kEmail2 = u"EMAIL2";

// ---- Age and birth date ----------------------------------------------------------------------
inline constexpr TextView kAge = u"AGE";
inline constexpr TextView kAge1 = u"AGE1";
inline constexpr TextView kAge2 = u"AGE2";
inline constexpr TextView kBirthDate = u"BIRTHDATE";
inline constexpr TextView kBirthYear = u"BIRTHYEAR";
inline constexpr TextView kBirthYear34 = u"BIRTHYEAR34";
/// Prefix of the split-year tags: followed by the number of year inputs and the place.
inline constexpr TextView kBirthYearCnt = u"BIRTHYEARCNT";
inline constexpr TextView kBirthYearCnt21 = u"BIRTHYEARCNT21";
inline constexpr TextView kBirthYearCnt22 = u"BIRTHYEARCNT22";
inline constexpr TextView kBirthMonth = u"BIRTHMONTH";
inline constexpr TextView kBirthMonth1 = u"BIRTHMONTH1";
inline constexpr TextView kBirthMonth2 = u"BIRTHMONTH2";
inline constexpr TextView kBirthDay = u"BIRTHDAY";
inline constexpr TextView kBirthDay1 = u"BIRTHDAY1";
inline constexpr TextView kBirthDay2 = u"BIRTHDAY2";
inline constexpr TextView kBirthYearType = u"BIRTHYEARTYPE";

// ---- Sex, marriage, job ----------------------------------------------------------------------
inline constexpr TextView kSex = u"SEX";
inline constexpr TextView kMarriage = u"MARRIAGE";
inline constexpr TextView kJob = u"JOB";

}  // namespace orvex::engine::tags

namespace orvex::engine::labels {

// ---- Words of the name labels (substring tests) ----------------------------------------------

/// Labels asking for the reading in roman letters.
inline constexpr std::array<TextView, 5> kRomanWords = {u"アルファベット", u"ｱﾙﾌｧﾍﾞｯﾄ", u"英字", u"ﾛｰﾏ",
                                                        u"ローマ"};
/// Labels asking for the reading in hiragana.
inline constexpr std::array<TextView, 3> kHiraganaWords = {u"かな", u"ふりがな", u"ひらがな"};
/// Labels asking for half-width katakana: such a block says nothing about the script.
inline constexpr std::array<TextView, 4> kHalfWidthWords = {u"半角ｶﾅ", u"半角カナ", u"半角ｶﾀｶﾅ",
                                                            u"半角カタカナ"};
/// Labels asking for the reading in katakana.
inline constexpr std::array<TextView, 4> kKatakanaWords = {u"ｶﾀｶﾅ", u"カナ", u"フリガナ", u"カタカナ"};
/// Labels that mark the inputs after them as the reading.
inline constexpr std::array<TextView, 9> kReadingLabelWords = {
    u"ひらがな", u"ふりがな", u"かな", u"フリガナ", u"カナ", u"ｶﾀｶﾅ", u"ローマ", u"ﾛｰﾏ", u"英字"};
/// Label that marks the inputs after it as the kanji name.
inline constexpr TextView kKanjiLabel = u"漢字";
/// Phrases about the width of katakana, removed before the reading-label test so that their
/// "カナ" does not count as a reading label.
inline constexpr std::array<TextView, 4> kKanaWidthPhrases = {u"半角カタカナ", u"半角ｶﾀｶﾅ", u"半角カナ",
                                                              u"カタカナは全角"};

// ---- Block tests -----------------------------------------------------------------------------

/// Hyphens that join the two inputs of a zip code.
inline constexpr std::array<TextView, 3> kZipHyphens = {u"-", u"－", u"―"};
/// Hyphens and closing brackets that join the first two inputs of a phone number.
inline constexpr std::array<TextView, 4> kTelSeparators = {u"-", u"－", u")", u"）"};
/// Words asking to type the e-mail address again.
inline constexpr std::array<TextView, 5> kEmailConfirmWords = {u"もう", u"確認", u"再度", u"再び", u"再入力"};
/// Age counter words.
inline constexpr std::array<TextView, 2> kAgeWords = {u"才", u"歳"};
/// The printed century in front of a two-digit year box.
inline constexpr std::array<TextView, 2> kNineteen = {u"19", u"１９"};
inline constexpr TextView kYearLabel = u"年";
inline constexpr TextView kMonthLabel = u"月";
inline constexpr TextView kDayLabel = u"日";
/// Words that show a two-input birth block starts with the year.
inline constexpr std::array<TextView, 4> kYearWords = {u"年", u"西暦", u"昭和", u"平成"};

/// True when `text` holds at least one of `words` as a substring; false for an empty list.
inline bool containsAny(TextView text, std::span<const TextView> words) {
    for (TextView w : words)
        if (text.find(w) != TextView::npos) return true;
    return false;
}

}  // namespace orvex::engine::labels
