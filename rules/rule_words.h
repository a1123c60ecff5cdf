#pragma once
// Word lists of Orvex's rule stages: section words, the words of the parts of a name, an
// address and a reading, and the field names of the HTML standard's autocomplete attribute. The
// rules that use them live in the stage files.

#include <array>
#include <string_view>

namespace orvex::rules::words {

using W = std::u16string_view;

// ---- Sections -----------------------------------------------------------------------------

/// Words that make a block of person rows someone else's or somewhere else: a delivery address,
/// family members, a companion, a referrer, a guardian.
inline constexpr std::array kSecondParty = {
    W(u"お届け先"), W(u"届け先"), W(u"お届先"), W(u"配送先"), W(u"送付先"), W(u"送り先"), W(u"発送先"),
    W(u"配達先"),   W(u"宛先"),   W(u"家族"),   W(u"同伴"),   W(u"紹介者"), W(u"ご紹介"), W(u"代理人"),
    W(u"保護者"),   W(u"受取人"), W(u"異なる場合"), W(u"shipping")};
/// Words that make a block of person rows the applicant's own.
inline constexpr std::array kApplicant = {W(u"ご本人"), W(u"本人"),   W(u"応募者"), W(u"申込者"), W(u"お申込み者"),
                                          W(u"注文者"), W(u"ご依頼主"), W(u"依頼主"), W(u"購入者"), W(u"お客様情報"),
                                          W(u"billing")};
/// Words of a heading that opens a questionnaire or survey section (a bare 質問 is not one: a
/// password's reminder question is no survey).
inline constexpr std::array kSurvey = {W(u"アンケート"), W(u"設問"),   W(u"ご質問"), W(u"ご意見"),
                                       W(u"ご感想"),     W(u"調査"),   W(u"読者"),   W(u"survey"),
                                       W(u"questionnaire"), W(u"enquete")};
/// Words of a heading that opens the person's own section again after a survey.
inline constexpr std::array kPersonSection = {W(u"お客様情報"), W(u"会員情報"), W(u"基本情報"),
                                              W(u"応募者"),     W(u"ご本人"),   W(u"プロフィール")};
/// The longest heading text that can open a survey section; longer texts are explanations.
inline constexpr std::size_t kSurveyHeadingLength = 40;
/// Words that a date row must show to be a birth date (in its labels or its input names).
inline constexpr std::array kBirthEvidence = {W(u"生年"),  W(u"生まれ"), W(u"誕生"), W(u"birth"),
                                              W(u"bday"),  W(u"tanjo"),  W(u"seinen"), W(u"umare")};
/// Words of rows about an organisation rather than the person: their names are no person's name.
inline constexpr std::array kOrganisation = {W(u"会社"), W(u"法人"), W(u"勤務先"), W(u"団体"), W(u"学校"),
                                             W(u"部署"), W(u"所属"), W(u"店舗"), W(u"company")};
/// Words of a row's own help text: a line that begins with one of them is no label.
inline constexpr std::array kHelpMarks = {W(u"※"), W(u"＊"), W(u"*"), W(u"注"), W(u"（"), W(u"(")};

// ---- Names --------------------------------------------------------------------------------

/// Words of the family-name part of a name.
inline constexpr std::array kFamilyPart = {W(u"姓"), W(u"名字"), W(u"苗字"), W(u"せい"), W(u"セイ"), W(u"みょうじ"),
                                           W(u"family"), W(u"last")};
/// Words of the given-name part of a name.
inline constexpr std::array kGivenPart = {W(u"名"), W(u"めい"), W(u"メイ"), W(u"given"), W(u"first")};
/// Words of a whole name.
inline constexpr std::array kWholeName = {W(u"氏名"), W(u"お名前"), W(u"名前"), W(u"なまえ"), W(u"name")};
/// Words that make a name row another thing's name (a company, a building, a nickname).
inline constexpr std::array kOtherNames = {W(u"会社"), W(u"法人"), W(u"団体"), W(u"学校"), W(u"建物"),
                                           W(u"ビル"), W(u"マンション"), W(u"ニックネーム"), W(u"ハンドル"),
                                           W(u"ペンネーム"), W(u"件名"), W(u"題名"), W(u"商品"), W(u"ファイル")};

// ---- Readings -----------------------------------------------------------------------------

/// Words of a row that asks for the reading of a name.
inline constexpr std::array kReading = {W(u"フリガナ"), W(u"ふりがな"), W(u"よみがな"), W(u"カナ"), W(u"かな"),
                                        W(u"ｶﾅ"),       W(u"読み"),     W(u"よみ"),     W(u"セイ"), W(u"メイ"),
                                        W(u"ローマ字"), W(u"kana"),     W(u"furigana")};
/// Words that ask for the reading in katakana.
inline constexpr std::array kKatakanaWords = {W(u"フリガナ"), W(u"カタカナ"), W(u"カナ"), W(u"ｶﾅ"), W(u"ｶﾀｶﾅ")};
/// Words that ask for the reading in hiragana.
inline constexpr std::array kHiraganaWords = {W(u"ふりがな"), W(u"ひらがな"), W(u"よみがな"), W(u"かな")};
/// Words that ask for the name in Latin letters.
inline constexpr std::array kRomanWords = {W(u"ローマ字"), W(u"英字"), W(u"アルファベット"), W(u"roman")};

// ---- Addresses ----------------------------------------------------------------------------

/// Words of the city part of an address (the person's first address line).
inline constexpr std::array kCityPart = {W(u"市区町村"), W(u"市区郡町村"), W(u"市町村"), W(u"区市町村"),
                                         W(u"市区郡"),   W(u"市郡"),       W(u"市区"),   W(u"city")};
/// Words of the street part (the block and house number, the second address line).
inline constexpr std::array kStreetPart = {W(u"番地"), W(u"丁目"), W(u"町名"), W(u"町域"), W(u"street")};
/// Words of the building part (the third address line).
inline constexpr std::array kBuildingPart = {W(u"建物"), W(u"ビル"), W(u"マンション"), W(u"アパート"),
                                             W(u"号室"), W(u"部屋"), W(u"building")};
/// Words of a prefecture row.
inline constexpr std::array kPrefWords = {W(u"都道府県"), W(u"道府県"), W(u"県名"), W(u"州名")};
/// Words of a postal-code row.
inline constexpr std::array kZipWords = {W(u"郵便番号"), W(u"〒"), W(u"zip"), W(u"postal"), W(u"post")};
/// Words of an input name that stands for a postal code.
inline constexpr std::array kZipNames = {W(u"zip"), W(u"postal"), W(u"post"), W(u"yubin"), W(u"yuubin"), W(u"郵便"),
                                         W(u"〒")};
/// Marks of an example address line ("例：港区西麻布", "例）1丁目14番2号疋田ビル302号") that show
/// which line it is: a building, a block and house number, a city.
inline constexpr std::array kBuildingMarks = {W(u"ビル"), W(u"マンション"), W(u"アパート"), W(u"ハイツ"),
                                              W(u"コーポ"), W(u"号室"), W(u"レジデンス"), W(u"荘")};
inline constexpr std::array kStreetMarks = {W(u"丁目"), W(u"番地"), W(u"番"), W(u"号")};
inline constexpr std::array kCityMarks = {W(u"市"), W(u"区"), W(u"町"), W(u"村"), W(u"郡")};
/// Words of an address row.
inline constexpr std::array kAddressWords = {W(u"住所"), W(u"所在地"), W(u"address")};
/// Words of a row that wants the whole rest of the address in one box.
inline constexpr std::array kRestOfAddress = {W(u"以降"), W(u"以下")};

// ---- The autocomplete attribute -------------------------------------------------------------

/// A field name of the HTML standard's autocomplete attribute and the tag it stands for ("" for
/// a field that is no personal data of the person).
struct AutocompleteField {
    W field;
    W tag;
};
/// The field names Orvex follows.
inline constexpr std::array<AutocompleteField, 32> kAutocompleteFields = {{
    {u"name", u"NAME"},
    {u"family-name", u"NAME1"},
    {u"given-name", u"NAME2"},
    {u"nickname", u"HANDLENAME"},
    {u"postal-code", u"ZIP"},
    {u"address-level1", u"PREF"},
    {u"address-level2", u"ADDRESS1"},
    {u"address-line1", u"ADDRESS2"},
    {u"address-line2", u"ADDRESS3"},
    {u"street-address", u"ADDRESS2+ADDRESS3"},
    {u"tel", u"TEL"},
    {u"tel-national", u"TEL"},
    {u"tel-area-code", u"TEL1"},
    {u"tel-local-prefix", u"TEL2"},
    {u"tel-local-suffix", u"TEL3"},
    {u"tel-local", u"TEL2+SYM_-+TEL3"},
    {u"email", u"EMAIL"},
    {u"bday", u"BIRTHDATE"},
    {u"bday-year", u"BIRTHYEAR"},
    {u"bday-month", u"BIRTHMONTH"},
    {u"bday-day", u"BIRTHDAY"},
    {u"sex", u"SEX"},
    {u"organization", u""},
    {u"organization-title", u""},
    {u"username", u""},
    {u"new-password", u""},
    {u"current-password", u""},
    {u"one-time-code", u""},
    {u"url", u""},
    {u"country", u""},
    {u"country-name", u""},
    {u"transaction-amount", u""},
}};
/// The section tokens of the attribute that name a delivery and a billing address.
inline constexpr W kShippingSection = u"shipping";
inline constexpr W kBillingSection = u"billing";
/// The token that makes a telephone field a fax number.
inline constexpr W kFaxToken = u"fax";

}  // namespace orvex::rules::words
