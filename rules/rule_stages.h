#pragma once
// Orvex's own rule stages and the reading of a form with them: the text stages prepare what the
// documented engine reads, the engine reads and decides as documented, and the reading stages
// correct its entries, each in a fixed order and each noting what it changed and why.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html_items.h"
#include "page/element.h"
#include "rules/rule_form.h"

namespace orvex::rules {

/// A form's text on its way to the engine, with the stages' notes.
struct FormText {
    Text html;
    /// The FORM element; null when the text came without a page.
    page::Element form;
    std::vector<engine::StageNote> notes;
};

/// When a stage runs: on the text before the documented reading, or on what the reading gave.
enum class StagePhase { Text, Reading };

/// One named stage. A text stage has `onText`, a reading stage `onReading`.
struct RuleStage {
    std::string_view name;
    StagePhase phase;
    void (*onText)(FormText& text);
    void (*onReading)(RuleForm& form);
};

/// The stages in the order they run.
const std::vector<RuleStage>& orvexStages();

/// Reads one form's text (`html`, the innerHTML of `form`, a null element without a page) with
/// Orvex's rules: the text stages, the documented reading, then the reading stages. `textRead`
/// receives the text the engine read. The engine's RuleStages tell what the stages did. A form
/// that uses convention names keeps the documented entries; a stage that fails stops where it
/// failed and the next one goes on. Never throws.
std::unique_ptr<engine::clsHTMLItems> readWithOrvexRules(TextView html, const page::Element& form, Text& textRead);

}  // namespace orvex::rules
