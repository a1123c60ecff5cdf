#include "palette/data_buttons.h"

#include <string_view>

#include "text/strings.h"

namespace orvex::palette {
namespace {

using fill::clsUserInfo;
using text::Text;

// The parts joined by single blanks; empty parts are left out, so no blank doubles or trails.
Text joinWithBlanks(std::initializer_list<const Text*> parts) {
    Text joined;
    for (const Text* part : parts) {
        if (part->empty()) continue;
        if (!joined.empty()) joined += u' ';
        joined += *part;
    }
    return joined;
}

bool onlyBlanks(text::TextView s) {
    for (char16_t c : s)
        if (!text::isBlank(c)) return false;
    return true;
}

}  // namespace

// The texts of the data buttons, by index: names, readings as stored (hiragana) and in katakana,
// romaji, handle name, jobs, postal code, addresses, telephone and e-mail.
// std::to_array counts the rows, so a missing or extra row does not compile.
constexpr std::array<DataButton, kDataButtonCount> kDataButtons = std::to_array<DataButton>({
    {"FullName", u"氏名", [](const clsUserInfo& p) { return p.FullName(); }},
    {"Name1", u"姓", [](const clsUserInfo& p) { return p.Name1; }},
    {"Name2", u"名", [](const clsUserInfo& p) { return p.Name2; }},
    {"FullNameKana", u"ふりがな", [](const clsUserInfo& p) { return p.FullNameKana(); }},
    {"NameKana1", u"ふりがな（姓）", [](const clsUserInfo& p) { return p.NameKana1; }},
    {"NameKana2", u"ふりがな（名）", [](const clsUserInfo& p) { return p.NameKana2; }},
    {"FullNameKana", u"フリガナ", [](const clsUserInfo& p) { return text::toKatakana(p.FullNameKana()); }},
    {"NameKana1", u"フリガナ（姓）", [](const clsUserInfo& p) { return text::toKatakana(p.NameKana1); }},
    {"NameKana2", u"フリガナ（名）", [](const clsUserInfo& p) { return text::toKatakana(p.NameKana2); }},
    {"FullNameRome", u"ローマ字", [](const clsUserInfo& p) { return p.FullNameRome(); }},
    {"NameRome1", u"ローマ字（姓）", [](const clsUserInfo& p) { return p.NameRome1; }},
    {"NameRome2", u"ローマ字（名）", [](const clsUserInfo& p) { return p.NameRome2; }},
    {"HandleName", u"ハンドル名", [](const clsUserInfo& p) { return p.HandleName; }},
    {"Job1", u"職業", [](const clsUserInfo& p) { return p.Job1; }},
    {"Job2", u"職業２", [](const clsUserInfo& p) { return p.Job2; }},
    {"Zip", u"郵便番号", [](const clsUserInfo& p) { return p.Zip(); }},
    {"Zip1Zip2", u"郵便番号（ハイフンなし）", [](const clsUserInfo& p) { return p.Zip1 + p.Zip2; }},
    {"PrefectureAddress", u"住所（都道府県から）",
     [](const clsUserInfo& p) {
         return joinWithBlanks({&p.Prefecture, &p.Address1, &p.Address2, &p.Address3});
     }},
    {"Address", u"住所",
     [](const clsUserInfo& p) { return joinWithBlanks({&p.Address1, &p.Address2, &p.Address3}); }},
    {"Prefecture", u"都道府県", [](const clsUserInfo& p) { return p.Prefecture; }},
    {"Address1", u"住所１", [](const clsUserInfo& p) { return p.Address1; }},
    {"Address2", u"住所２", [](const clsUserInfo& p) { return p.Address2; }},
    {"Address3", u"住所３", [](const clsUserInfo& p) { return p.Address3; }},
    {"Tel", u"電話番号", [](const clsUserInfo& p) { return p.Tel(); }},
    {"Tel1", u"電話番号１", [](const clsUserInfo& p) { return p.Tel1; }},
    {"Tel2", u"電話番号２", [](const clsUserInfo& p) { return p.Tel2; }},
    {"Tel3", u"電話番号３", [](const clsUserInfo& p) { return p.Tel3; }},
    {"Email", u"メールアドレス", [](const clsUserInfo& p) { return p.Email(); }},
    {"Email1", u"メールアドレス（＠の前）", [](const clsUserInfo& p) { return p.Email1; }},
    {"Email2", u"メールアドレス（＠の後）", [](const clsUserInfo& p) { return p.Email2; }},
});

std::array<text::Text, kDataButtonCount> dataButtonTexts(const fill::clsUserInfo& person) {
    std::array<text::Text, kDataButtonCount> texts;
    for (int i = 0; i < kDataButtonCount; ++i) {
        texts[i] = kDataButtons[i].text(person);
        if (onlyBlanks(texts[i])) texts[i].clear();
    }
    return texts;
}

text::Text buttonLabel(int index) {
    if (index >= 0 && index < kDataButtonCount) return text::Text(kDataButtons[index].label);
    if (isPhraseButton(index)) return u"自由欄" + text::number(index - kFirstPhraseButton + 1);
    return {};
}

}  // namespace orvex::palette
