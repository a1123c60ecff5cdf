#pragma once
// Which rules read a form, and what Orvex's own rule stages changed in a reading: a note per
// change for the debug view, and the controls a stage left empty, for the fill report.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/token.h"

namespace orvex::engine {

/// The rules a form is read and filled by: the documented engine and filling alone, or those
/// with Orvex's own stages around them.
enum class RuleSet { Documented, Orvex };

/// The stored name of a rule set ("documented", "orvex").
constexpr std::string_view ruleSetName(RuleSet rules) {
    return rules == RuleSet::Documented ? "documented" : "orvex";
}

/// The rule set a stored name stands for; nullopt for any other text.
constexpr std::optional<RuleSet> parseRuleSet(std::u16string_view name) {
    if (name == u"documented") return RuleSet::Documented;
    if (name == u"orvex") return RuleSet::Orvex;
    return std::nullopt;
}

/// Why a stage took a control's entry back and left the control empty.
enum class LeftEmptyReason {
    SecondBlock,  ///< the control repeats the person's rows for someone or somewhere else
    NotPersonal,  ///< the control asks for something that is not the person's data
};

/// A control a stage left empty: the entry it took back and why.
struct LeftEmptyEntry {
    /// The entry as the documented stages wrote it ("kvnt12=ZIP1").
    Text entry;
    /// Its token name ("kvnt12").
    Text tokenName;
    LeftEmptyReason reason = LeftEmptyReason::NotPersonal;
    /// What showed it (the section word, the control's own label), UTF-8.
    std::string detail;
    /// The stage that left it empty.
    std::string stage;
};

/// One change a stage made, for the debug view.
struct StageNote {
    std::string stage;
    std::string text;
};

/// What the rule stages did in one reading; empty for the documented rules.
struct RuleOutcome {
    RuleSet rules = RuleSet::Documented;
    std::vector<StageNote> notes;
    std::vector<LeftEmptyEntry> leftEmpty;
};

}  // namespace orvex::engine
