#pragma once
// The three keyword dictionaries that score a text (a block's label) or an input's page name
// per field kind, and the word searches they are built from.

#include <array>
#include <initializer_list>
#include <span>

#include "engine/field_kind.h"
#include "engine/token.h"

namespace orvex::engine {

/// Which kinds a choice input (select list, checkbox, radio button) may score through its
/// name, indexed by kind (slot 0 unused): birth kinds, age, sex, prefecture and job.
inline constexpr std::array<bool, kKindCount + 1> ChoiceKinds = {
    false,                       // 0: unused
    false, false,                // 1 FullName, 2 NameKana
    true,  true,  true,  true,   // 3 BirthDate, 4 BirthYear, 5 BirthMonth, 6 BirthDay
    true,  true,                 // 7 Age, 8 Sex
    false, true,  false, false,  // 9 Zip, 10 Pref, 11 City, 12 Apart
    false, false, false, false,  // 13 Tel, 14 Fax, 15 Email, 16 HandleName
    false, true,                 // 17 Marriage, 18 Job
};

/// 1-based position in `text` of the first keyword of the list that occurs in it (keywords
/// are tried in list order, not by leftmost occurrence); 0 when none occurs. An empty first
/// keyword is skipped; any later empty keyword ends the list.
int FindAnyWord(TextView text, std::span<const TextView> keywords);
/// Same as above for an inline list.
int FindAnyWord(TextView text, std::initializer_list<TextView> keywords);

/// Position of the first "月" of the text, or when there is none of the first "日"; 0 when
/// neither occurs, when that character stands first, or when the character before it is a
/// digit (half-width or full-width).
int FindMonthDayWord(TextView text);

/// Keyword dictionary: scores the label text for `kind`, 0 to 3 (0 for a kind outside 1..18
/// and always for kinds 4 to 6). Lower-cases `text` in place (full-width Latin included) and
/// may delete phrases from it; callers scoring one text for several kinds pass it on.
int ScoreKeyword(int kind, Text& text);

/// Anti-keyword dictionary: non-zero when the text holds a word that rules `kind` out
/// (every kind for a quiz answer); 0 otherwise and for a kind outside 1..18. Lower-cases
/// `text` in place and, for kind 1, deletes the half-width-kana phrases from it.
int ScoreAntiKeyword(int kind, Text& text);

/// Name dictionary: non-zero (1 or a word position) when the page name of an input points to
/// `kind`; 0 otherwise and for a kind outside 1..18. Lower-cases `name` in place and removes
/// its half-width and full-width spaces.
int ScoreName(int kind, Text& name);

}  // namespace orvex::engine
