#pragma once
// The entries of the person setup dialog's lists, in the order the dialog shows them.

#include <array>

#include "text/text.h"

namespace orvex::fill::setup {

// Occupations offered for Job1; the entry's text is what is stored.
inline constexpr std::array<text::TextView, 19> kJob1Entries = {
    u"会社員", u"会社役員", u"団体職員", u"団体役員", u"公務員", u"医師", u"弁護士",
    u"教師",   u"会社経営", u"自営",     u"農業",     u"林業",   u"魚業", u"自由業",
    u"主婦",   u"学生",     u"アルバイト", u"パート", u"無職",
};

// Second wordings of the occupation for Job2; the first entry stands for none.
inline constexpr std::array<text::TextView, 8> kJob2Entries = {
    u"-", u"管理職", u"研究職", u"技術職", u"営業職", u"事務職", u"生産職", u"販売職",
};

// Prefectures, with an entry for none first and one for anything else last.
inline constexpr std::array<text::TextView, 49> kPrefectureEntries = {
    u" - ",
    u"北海道", u"青森県", u"秋田県", u"岩手県", u"山形県", u"宮城県", u"栃木県", u"福島県",
    u"山梨県", u"群馬県", u"茨城県", u"千葉県", u"埼玉県", u"東京都", u"神奈川県", u"静岡県",
    u"長野県", u"愛知県", u"岐阜県", u"新潟県", u"富山県", u"石川県", u"福井県", u"滋賀県",
    u"京都府", u"三重県", u"和歌山県", u"奈良県", u"大阪府", u"兵庫県", u"鳥取県", u"島根県",
    u"岡山県", u"広島県", u"山口県", u"高知県", u"徳島県", u"香川県", u"愛媛県", u"福岡県",
    u"佐賀県", u"長崎県", u"熊本県", u"宮崎県", u"大分県", u"鹿児島県", u"沖縄県",
    u"その他",
};

// The entries that stand for "none": choosing one stores an empty field, and an empty field shows
// the entry, so a person without a prefecture or second job wording never gets the dash filled
// into a form.
inline constexpr text::TextView kNoJob2Entry = kJob2Entries[0];
inline constexpr text::TextView kNoPrefectureEntry = kPrefectureEntries[0];

// cmbSex: the entry index is Female (0 man, 1 woman).
inline constexpr std::array<text::TextView, 2> kSexEntries = {u"男性", u"女性"};
// cmbMarriage: entry 1 is married; 0 and "その他" are stored as not married.
inline constexpr std::array<text::TextView, 3> kMarriageEntries = {u"未婚", u"既婚", u"その他"};
inline constexpr int kMarriedEntry = 1;

}  // namespace orvex::fill::setup
