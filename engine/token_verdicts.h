#pragma once
// What the three dictionaries say of one token and of one block text. Blocks are scored again
// each time they are cut, joined or adjusted, and forms repeat the same labels; the dictionaries
// depend on the text alone, so while a form is read each distinct text is scored once and the
// verdict remembered.

#include <array>
#include <cstdint>
#include <memory>

#include "engine/field_kind.h"
#include "engine/token.h"

namespace orvex::engine {

/// One score per kind, indexed by kind (slot 0 unused).
using KindScores = std::array<int, kKindCount + 1>;

/// The dictionaries' verdict on one token, as a block's Check scores it.
struct TokenVerdict {
    /// A text token: ScoreKeyword per kind, one working text passed on from kind 1 to 18 with
    /// the anti-keyword dictionary run after each hit. A tag token: ScoreName of its page name
    /// (`orgnm`) per kind.
    KindScores score{};
    /// Text token: bit k set when the anti-keyword dictionary ruled kind k out after its hit.
    std::uint32_t ruledOut = 0;
    /// Tag token: the tag is a select list, checkbox or radio button.
    bool choice = false;
};

/// Remembers verdicts while it lives: from its construction to its destruction the verdict
/// functions below, on the constructing thread, look each text up in it before scoring it.
/// Without one they score every time. Instances nest; the innermost is used.
class VerdictMemo {
  public:
    VerdictMemo();
    ~VerdictMemo();
    VerdictMemo(const VerdictMemo&) = delete;
    VerdictMemo& operator=(const VerdictMemo&) = delete;

    struct Tables;

  private:
    std::unique_ptr<Tables> m_tables;
    Tables* m_outer;
};

/// The verdict on `token` read as a text token (whatever its first character); never fails.
TokenVerdict textVerdictOf(TextView token);
/// The verdict on `token` read as a tag token (whatever its first character); never fails.
TokenVerdict tagVerdictOf(TextView token);
/// textVerdictOf or tagVerdictOf, as the token is text or a tag.
TokenVerdict verdictOf(TextView token);

/// ScoreAntiKeyword of a block's whole text per kind, one working text passed on from kind 1
/// to 18; never fails.
KindScores antiScoresOf(TextView allText);

}  // namespace orvex::engine
