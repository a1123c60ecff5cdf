#pragma once
// The three keyword dictionaries that score a text (a block's label) or an input's page name
// per field kind, and the word searches they are built from.

#include <array>
#include <initializer_list>
#include <span>
#include <utility>

#include "engine/char_filter.h"
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

/// A text scored against the dictionaries kind after kind. The dictionaries lower-case it on
/// first use (full-width Latin included; a page name also loses its half-width and full-width
/// spaces) and may delete phrases from it, and every change passes on to the kinds scored after.
/// The characters it holds are gathered once, so that keywords it cannot hold cost no search.
class ScoringText {
  public:
    explicit ScoringText(Text text) : m_text(std::move(text)) {}

    /// The text as the scoring so far has left it.
    const Text& text() const { return m_text; }
    /// Hands the text over as the scoring so far has left it.
    Text take() && { return std::move(m_text); }

    /// Lower-cases the text unless done before.
    void lower();
    /// Lower-cases the text and removes its spaces unless done before.
    void lowerWithoutSpaces();
    /// Deletes every occurrence of `phrase`, leaving the character set as it was (a superset
    /// of the text's characters is still a sound filter).
    void deleteAll(TextView phrase);
    /// The characters of the text as first lower-cased (a superset of those it holds now);
    /// empty until lower() has run.
    const CharBits& chars() const { return m_chars; }

  private:
    Text m_text;
    CharBits m_chars;
    bool m_lowered = false;
    bool m_spaceless = false;
};

/// Keyword dictionary: scores the label text for `kind`, 0 to 3 (0 for a kind outside 1..18
/// and always for kinds 4 to 6). Lower-cases `text` in place (full-width Latin included) and
/// may delete phrases from it; callers scoring one text for several kinds pass it on.
int ScoreKeyword(int kind, ScoringText& text);
/// Same as above on a plain text, for a single score.
int ScoreKeyword(int kind, Text& text);

/// Anti-keyword dictionary: non-zero when the text holds a word that rules `kind` out
/// (every kind for a quiz answer); 0 otherwise and for a kind outside 1..18. Lower-cases
/// `text` in place and, for kind 1, deletes the half-width-kana phrases from it.
int ScoreAntiKeyword(int kind, ScoringText& text);
/// Same as above on a plain text, for a single score.
int ScoreAntiKeyword(int kind, Text& text);

/// Name dictionary: non-zero (1 or a word position) when the page name of an input points to
/// `kind`; 0 otherwise and for a kind outside 1..18. Lower-cases `name` in place and removes
/// its half-width and full-width spaces.
int ScoreName(int kind, ScoringText& name);
/// Same as above on a plain text, for a single score.
int ScoreName(int kind, Text& name);

}  // namespace orvex::engine
