#pragma once
// Word lists of Orvex's choice writers: the wordings of one occupation that lists and radio
// buttons offer, and the words of the sex and marriage choices. The matching rules live in
// orvex_writers.cpp.

#include <array>
#include <string_view>

namespace orvex::fill::choice_words {

using W = std::u16string_view;

/// One occupation in the wordings choices give it; a person whose occupation reads as any of them
/// picks a choice that reads as any of them.
using JobWordings = std::array<W, 6>;
/// The occupations whose choices word them in several ways ("" ends a row).
inline constexpr std::array<JobWordings, 8> kJobWordings = {{
    {u"会社員", u"会社勤務", u"会社勤め", u"サラリーマン", u"勤め人", u""},
    {u"公務員", u"", u"", u"", u"", u""},
    {u"自営業", u"自営", u"個人事業主", u"自由業", u"", u""},
    {u"学生", u"大学生", u"大学院生", u"短大生", u"専門学校生", u"高校生"},
    {u"主婦", u"専業主婦", u"主夫", u"専業主夫", u"", u""},
    {u"パート", u"アルバイト", u"フリーター", u"", u"", u""},
    {u"無職", u"", u"", u"", u"", u""},
    {u"会社役員", u"役員", u"会社経営", u"経営者", u"", u""},
}};
/// Marks that join several occupations into one choice ("会社員・公務員", "学生／フリーター").
inline constexpr std::array<W, 7> kChoiceJoins = {u"・", u"／", u"/", u"、", u"（", u"）", u"　"};
/// The suffix of a kind of work ("事務職") that choices leave out ("総務・人事・事務").
inline constexpr W kWorkSuffix = u"職";

/// The words of a woman's and a man's choice.
inline constexpr std::array<W, 3> kFemaleWords = {u"女", u"female", u"woman"};
inline constexpr std::array<W, 3> kMaleWords = {u"男", u"male", u"man"};
/// The words of a married and an unmarried choice (the unmarried ones are looked for first, as
/// "未婚" holds "婚").
inline constexpr std::array<W, 4> kUnmarriedWords = {u"未婚", u"独身", u"結婚していない", u"single"};
inline constexpr std::array<W, 4> kMarriedWords = {u"既婚", u"結婚している", u"配偶者あり", u"married"};

}  // namespace orvex::fill::choice_words
