#pragma once
// Word lists of the three dictionaries. Each list is searched in its order (the first listed
// word that occurs wins, not the leftmost one), so the order of every list matters. The rules
// that combine the lists live in dictionaries.cpp. Entries written with capital full-width
// letters can never match a lower-cased text; they are kept all the same.

#include <array>
#include <cstddef>
#include <string_view>

namespace orvex::engine::tables {

using W = std::u16string_view;

/// Longest list a word search takes.
inline constexpr std::size_t kMaxWords = 21;

// ---- Keyword dictionary (label text) -------------------------------------------------------

/// Full name: label words.
inline constexpr std::array kFullNameWords = {W(u"名前"), W(u"氏名"), W(u"なまえ"), W(u"名字"),
                                              W(u"姓"),   W(u"漢字"), W(u"name"),   W(u"名：")};
/// Full name: phrases about half-width kana input, deleted before the kana exclusion is tested.
inline constexpr std::array kFullNameDeletions = {W(u"半角カナ"), W(u"半角カタカナ"), W(u"カタカナは全角")};
/// Full name: words that make a name label a reading label instead.
inline constexpr std::array kFullNameExclusions = {W(u"ひらがな"), W(u"カタカナ"), W(u"かな"),
                                                   W(u"カナ"),     W(u"ローマ字"), W(u"英字"),
                                                   W(u"読み"),     W(u"よみ"),     W(u"アルファベット")};
/// Name reading: strong label words.
inline constexpr std::array kNameKanaStrong = {W(u"ふりがな"), W(u"フリガナ"), W(u"よみがな")};
/// Name reading: other label words.
inline constexpr std::array kNameKanaWords = {
    W(u"名前"), W(u"氏名"), W(u"なまえ"), W(u"名字"),     W(u"姓"),   W(u"ひらがな"),      W(u"ローマ字"),
    W(u"英字"), W(u"読み"), W(u"name"),   W(u"カナ表記"), W(u"よみ"), W(u"アルファベット")};
/// Name reading: exclusion.
inline constexpr std::array kNameKanaExclusions = {W(u"漢字")};
/// Birth date: strong label words (no exclusion applies to them).
inline constexpr std::array kBirthStrong = {W(u"年月日"), W(u"生年"), W(u"誕生日")};
/// Birth date: era words, tried when no month/day word stands in the label.
inline constexpr std::array kBirthEraWords = {W(u"西暦"), W(u"昭和")};
/// Birth date: words with 月 or 日 that are not about a date of birth.
inline constexpr std::array kBirthExclusions = {W(u"毎日"), W(u"ヶ月"), W(u"ケ月"), W(u"先月"), W(u"今月"),
                                                W(u"来月"), W(u"平日"), W(u"祝日"), W(u"曜日"), W(u"何日"),
                                                W(u"正月"), W(u"松月"), W(u"満月"), W(u"半月")};
/// Age: label words (an age-like text such as "20代" counts too).
inline constexpr std::array kAgeWords = {W(u"年令"), W(u"年齢")};
/// Sex: strong label word.
inline constexpr std::array kSexStrong = {W(u"性別")};
/// Sex: other label words.
inline constexpr std::array kSexWords = {W(u"男"), W(u"女")};
/// Zip code: strong label words.
inline constexpr std::array kZipStrong = {W(u"〒"), W(u"郵便番号")};
/// Prefecture: label words.
inline constexpr std::array kPrefWords = {W(u"府県"), W(u"県名")};
/// City: label words tried first.
inline constexpr std::array kCityWords = {W(u"住所"), W(u"市郡区")};
/// City: label words tried when the first ones are absent.
inline constexpr std::array kCityMoreWords = {W(u"市"),   W(u"区"),   W(u"町"),    W(u"住まい"),
                                              W(u"番地"), W(u"届先"), W(u"届け先")};
/// City: words with 市 or 区 that are not about an address.
inline constexpr std::array kCityExclusions = {W(u"市外局"), W(u"区別")};
/// Building: label words.
inline constexpr std::array kApartWords = {W(u"マンション"), W(u"アパート"), W(u"建物"),  W(u"建造物"),
                                           W(u"ビル名"),     W(u"ｱﾊﾟｰﾄ"),    W(u"ﾏﾝｼｮﾝ"), W(u"ﾋﾞﾙ名")};
/// Telephone: strong label words.
inline constexpr std::array kTelStrong = {W(u"電話"), W(u"ｔｅｌ"), W(u"tel")};
/// Telephone: other label words.
inline constexpr std::array kTelWords = {W(u"連絡先")};
/// Telephone: mail words that make a label a mail label.
inline constexpr std::array kTelExclusions = {W(u"メイル"), W(u"メール"),   W(u"メ－ル"),
                                              W(u"ﾒｰﾙ"),    W(u"ｍａｉｌ"), W(u"mail")};
/// Fax: label words.
inline constexpr std::array kFaxWords = {W(u"fax"), W(u"ｆａｘ")};
/// E-mail: mail words.
inline constexpr std::array kMailWords = {W(u"メール"), W(u"メ－ル"), W(u"ﾒｰﾙ"), W(u"ｍａｉｌ"), W(u"mail")};
/// E-mail: address words (with a mail word the strongest label).
inline constexpr std::array kMailAddressWords = {W(u"アドレス"), W(u"ｱﾄﾞﾚｽ"), W(u"addr")};
/// E-mail: weak label words without a mail word (contact, confirmation of an address).
inline constexpr std::array kMailWeakWords = {W(u"連絡先"), W(u"もう一度"), W(u"確認"), W(u"再度"),
                                              W(u"再び")};
/// E-mail: telephone words that make a label a telephone label.
inline constexpr std::array kMailExclusions = {W(u"電話"), W(u"ｔｅｌ"), W(u"tel")};
/// Handle name: label words.
inline constexpr std::array kHandleWords = {W(u"ハンドル"), W(u"ニックネーム"), W(u"ﾊﾝﾄﾞﾙ"),
                                            W(u"ﾆｯｸﾈｰﾑ"),   W(u"ペンネーム"),   W(u"ﾍﾟﾝﾈｰﾑ")};
/// Marriage: label words.
inline constexpr std::array kMarriageWords = {W(u"結婚"), W(u"既婚"), W(u"未婚")};
/// Job: label words.
inline constexpr std::array kJobWords = {W(u"職"), W(u"仕事"), W(u"会社員"), W(u"主婦")};

// ---- Anti-keyword dictionary (label text) --------------------------------------------------

/// Both words together mark a quiz answer, which rules out every kind.
inline constexpr W kQuizWord = u"クイズ";
inline constexpr W kAnswerWord = u"答";
/// Full name: phrases about half-width kana input, deleted first.
inline constexpr std::array kAntiFullNameDeletions = {
    W(u"半角カナ"), W(u"半角カタカナ"), W(u"カタカナは全角"), W(u"ひらがな・カタカナは「全角」")};
/// Full name: anti-keywords.
inline constexpr std::array kAntiFullName = {
    W(u"ふりがな"), W(u"フリガナ"), W(u"ひらがな"),      W(u"カタカナ"),   W(u"ローマ字"),
    W(u"英字"),     W(u"ハンドル"), W(u"ニックネーム"),  W(u"ペンネーム"), W(u"車"),
    W(u"法人"),     W(u"部署"),     W(u"アルファベット")};
/// Name reading: anti-keywords.
inline constexpr std::array kAntiNameKana = {W(u"漢字"),     W(u"住所ふりがな"), W(u"住所フリガナ"),
                                             W(u"ハンドル"), W(u"ニックネーム"), W(u"ペンネーム"),
                                             W(u"車"),       W(u"法人"),         W(u"部署")};
/// Birth kinds: words of an age or blood-type label...
inline constexpr std::array kAntiBirthAgeWords = {W(u"年令"), W(u"年齢"), W(u"血液")};
/// ...which do not count when the label also holds this word.
inline constexpr W kAntiBirthUnless = u"生年";
/// Birth kinds: anti-keywords otherwise.
inline constexpr std::array kAntiBirth = {W(u"年代"), W(u"未婚")};
/// Age: anti-keywords.
inline constexpr std::array kAntiAge = {W(u"年月日"), W(u"生年"), W(u"西暦"), W(u"昭和"),
                                        W(u"子"),     W(u"車"),   W(u"月")};
/// Sex: anti-keywords (name and reading labels).
inline constexpr std::array kAntiSex = {
    W(u"名前"),     W(u"氏名"),          W(u"なまえ"),   W(u"名字"),     W(u"姓"),
    W(u"漢字"),     W(u"name"),          W(u"ふりがな"), W(u"フリガナ"), W(u"よみがな"),
    W(u"ひらがな"), W(u"ローマ字"),      W(u"英字"),     W(u"読み"),     W(u"カナ表記"),
    W(u"よみ"),     W(u"アルファベット")};
/// Zip, city, building: anti-keywords ("勤務" is listed twice; the second never decides).
inline constexpr std::array kAntiAddress = {
    W(u"住所ふりがな"), W(u"住所フリガナ"), W(u"電話"),     W(u"メイル"), W(u"メール"),
    W(u"ﾒｰﾙ"),          W(u"ｍａｉｌ"),     W(u"ＭＡＩＬ"), W(u"mail"),   W(u"勤め"),
    W(u"勤務"),         W(u"市外局"),       W(u"ページ"),   W(u"ﾍﾟｰｼﾞ"),  W(u"旅行"),
    W(u"行きたい"),     W(u"住みたい"),     W(u"サイト"),   W(u"勤務")};
/// Prefecture: anti-keywords (address-line words).
inline constexpr std::array kAntiPref = {W(u"住所ふりがな"), W(u"住所フリガナ"), W(u"住所"),
                                         W(u"市郡区"),       W(u"市"),           W(u"区"),
                                         W(u"町"),           W(u"住まい"),       W(u"番地")};
/// Telephone: anti-keywords.
inline constexpr std::array kAntiTel = {W(u"メール"),   W(u"ﾒｰﾙ"),  W(u"ｍａｉｌ"),
                                        W(u"ＭＡＩＬ"), W(u"mail"), W(u"勤務")};
/// E-mail: a telephone word rules e-mail out...
inline constexpr W kAntiMailPhone = u"電話";
/// ...unless the label is about a mobile phone's mail.
inline constexpr W kAntiMailPhoneUnless = u"携帯電話のメール";
/// E-mail: anti-keywords otherwise.
inline constexpr std::array kAntiMail = {W(u"Ｔｅｌ"), W(u"tel"), W(u"勤務"), W(u"暗証番号")};

// ---- Name dictionary (page names of inputs) ------------------------------------------------

/// Full name: name words.
inline constexpr std::array kNameFullName = {
    W(u"firstname"), W(u"mei"),   W(u"lastname"), W(u"familyname"), W(u"sei"),   W(u"氏名"), W(u"名前"),
    W(u"name"),      W(u"namae"), W(u"kanji"),    W(u"fname"),      W(u"lname"), W(u"姓名")};
/// Full name: reading and nickname words that rule it out.
inline constexpr std::array kNameFullNameUnless = {W(u"ふりがな"), W(u"フリガナ"), W(u"かな"), W(u"カナ"),
                                                   W(u"kana"),     W(u"yomi"),     W(u"furi"), W(u"huri"),
                                                   W(u"handle"),   W(u"nick"),     W(u"読み")};
/// Name reading: name words.
inline constexpr std::array kNameNameKana = {W(u"ふりがな"), W(u"フリガナ"), W(u"カナ"), W(u"kana"),
                                             W(u"yomi"),     W(u"furi"),     W(u"huri"), W(u"name"),
                                             W(u"読み"),     W(u"よみ")};
/// Name reading: words that rule it out.
inline constexpr std::array kNameNameKanaUnless = {W(u"漢字"), W(u"kanji"), W(u"住所"), W(u"handle"),
                                                   W(u"nick")};
/// Birth date: the four lists whose positions are added up.
inline constexpr std::array kNameBirthWhole = {W(u"birth"), W(u"tanjo")};
inline constexpr std::array kNameBirthDayPart = {W(u"日"), W(u"day"), W(u"birth_d"), W(u"birthdd"),
                                                 W(u"b_dd")};
inline constexpr std::array kNameBirthMonthPart = {W(u"月"), W(u"month"), W(u"birth_m"), W(u"birthm"),
                                                   W(u"b_mm")};
inline constexpr std::array kNameBirthYearPart = {W(u"年"),      W(u"year"),   W(u"yy"),
                                                  W(u"birth_y"), W(u"birthy"), W(u"nen")};
/// Birth kinds: age words that rule them out.
inline constexpr std::array kNameBirthUnless = {W(u"年令"), W(u"年齢"), W(u"年代")};
/// Birth year: name words.
inline constexpr std::array kNameBirthYear = {W(u"年"), W(u"year"), W(u"yy"), W(u"birth_y"), W(u"birthy")};
/// Birth month: name words.
inline constexpr std::array kNameBirthMonth = {W(u"月"), W(u"month"), W(u"birth_m"), W(u"birthm")};
/// Birth day: name words.
inline constexpr std::array kNameBirthDay = {W(u"日"), W(u"day"), W(u"birth_d"), W(u"birthdd")};
/// Age: name words.
inline constexpr std::array kNameAge = {W(u"年令"), W(u"年齢"),   W(u"年代"),
                                        W(u"age"),  W(u"nenrei"), W(u"old")};
/// Age: longer words that merely contain "age" or are dates.
inline constexpr std::array kNameAgeUnless = {W(u"marriage"), W(u"message"), W(u"homepage"),
                                              W(u"year"),     W(u"month"),   W(u"day")};
/// Sex: name words.
inline constexpr std::array kNameSex = {W(u"性"), W(u"sex"), W(u"sei")};
/// Zip: name words.
inline constexpr std::array kNameZip = {W(u"〒"),  W(u"郵便"), W(u"yubin"), W(u"yuubin"),
                                        W(u"zip"), W(u"jip"),  W(u"post")};
/// Zip: address-like names that count when no zip word is present...
inline constexpr std::array kNameZipAddress = {W(u"address"),  W(u"add"),   W(u"adr"),    W(u"マンション"),
                                               W(u"アパート"), W(u"apart"), W(u"mansion")};
/// ...unless they are mail addresses.
inline constexpr W kNameZipUnless = u"mail";
/// Prefecture: name words.
inline constexpr std::array kNamePref = {W(u"県"), W(u"pref"), W(u"todofuken")};
/// City: address name words.
inline constexpr std::array kNameCity = {W(u"住所"),   W(u"市郡区"), W(u"市区"),    W(u"住まい"),
                                         W(u"juusho"), W(u"juusyo"), W(u"jusho"),   W(u"jusyo"),
                                         W(u"city"),   W(u"where"),  W(u"jyuusyo"), W(u"jyuusho")};
/// City: reading words that rule the address names out.
inline constexpr std::array kNameCityUnless = {W(u"ふりがな"), W(u"フリガナ"), W(u"カナ"), W(u"kana"),
                                               W(u"yomi"),     W(u"furi"),     W(u"huri")};
/// City: generic address names, tried when no address word is present...
inline constexpr std::array kNameCityAddress = {W(u"address"), W(u"add"), W(u"adr")};
/// ...unless they are mail or page addresses.
inline constexpr std::array kNameCityAddressUnless = {W(u"mail"), W(u"page")};
/// Building: name words, tried when the city rule gives nothing.
inline constexpr std::array kNameApart = {W(u"マンション"), W(u"アパート"), W(u"apart"), W(u"mansion")};
/// Telephone: name words.
inline constexpr std::array kNameTel = {W(u"電話"), W(u"連絡先"), W(u"tel"), W(u"phone"), W(u"ｔｅｌ")};
/// Fax: name words.
inline constexpr std::array kNameFax = {W(u"fax"), W(u"ｆａｘ")};
/// E-mail: name words.
inline constexpr std::array kNameMail = {W(u"メール"), W(u"ﾒｰﾙ"), W(u"ｍａｉｌ"), W(u"mail")};
/// Handle name: name words.
inline constexpr std::array kNameHandle = {W(u"handle"), W(u"nick"), W(u"ハンドル"), W(u"ニックネーム"),
                                           W(u"ペンネーム")};
/// Marriage: name words.
inline constexpr std::array kNameMarriage = {W(u"marriage")};
/// Job: name words.
inline constexpr std::array kNameJob = {W(u"職"),   W(u"occup"), W(u"job"),
                                        W(u"work"), W(u"shoku"), W(u"syoku")};

// A word search takes at most kMaxWords words; a longer list would need a rule change.
static_assert(kAntiAddress.size() <= kMaxWords && kAntiSex.size() <= kMaxWords &&
              kNameCity.size() <= kMaxWords);
static_assert(kFullNameExclusions.size() == 9 && kAntiAddress.size() == 19 && kAntiSex.size() == 17);

}  // namespace orvex::engine::tables
