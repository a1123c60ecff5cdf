#include "rules/rule_stages.h"

#include <exception>

#include "rules/stages.h"

namespace orvex::rules {
namespace {

// Orvex's stages, in the order they run. Text stages change what the documented engine reads;
// reading stages correct the entries the documented stages decided, later ones building on
// earlier ones (the person-row stages work on the rows the section stages leave to them).
const std::vector<RuleStage> kOrvexStages = {
    // Controls that belong to the form from outside it (form attribute, tree repair) are read with it.
    {"owned-controls", StagePhase::Text, &ownedControlsStage, nullptr},
    // An image's alt text is read as the label it shows.
    {"image-labels", StagePhase::Text, &imageLabelsStage, nullptr},
    // Entries of controls the engine could not name take the page's own name for them.
    {"unnamed-controls", StagePhase::Reading, nullptr, &unnamedControlsStage},
    // The page's own hints (autocomplete field names and sections, input types) override the rows.
    {"page-hints", StagePhase::Reading, nullptr, &pageHintsStage},
    // A control is what its own label says, not what the rest of its line says.
    {"own-labels", StagePhase::Reading, nullptr, &ownLabelsStage},
    // Surveys, free text, other dates and organisations are no personal data.
    {"not-personal", StagePhase::Reading, nullptr, &notPersonalStage},
    // Repeated person rows of someone else stay empty; the applicant's rows get the entries.
    {"second-party", StagePhase::Reading, nullptr, &secondPartyStage},
    // One-box rows that clearly name a field and that no stage took get its tag.
    {"unclaimed-rows", StagePhase::Reading, nullptr, &unclaimedRowsStage},
    // The person's name over one or two boxes.
    {"name-rows", StagePhase::Reading, nullptr, &nameRowsStage},
    // The reading of the name over one or two boxes, in the script asked for.
    {"reading-rows", StagePhase::Reading, nullptr, &readingRowsStage},
    // Each address box takes its share of the postal code, prefecture and address lines.
    {"address-rows", StagePhase::Reading, nullptr, &addressRowsStage},
    // A birth date asked for part by part in rows of their own.
    {"birth-rows", StagePhase::Reading, nullptr, &birthRowsStage},
};

// The beginning of the page names of a form's convention names ("kv0name1").
constexpr TextView kConventionPrefix = u"kv0";

}  // namespace

const std::vector<RuleStage>& orvexStages() {
    return kOrvexStages;
}

std::unique_ptr<engine::clsHTMLItems> readWithOrvexRules(TextView html, const page::Element& form, Text& textRead) {
    FormText text{Text(html), form, {}};
    for (const RuleStage& stage : kOrvexStages) {
        if (stage.phase != StagePhase::Text) continue;
        const Text before = text.html;
        try {
            stage.onText(text);
        } catch (const std::exception& e) {
            text.html = before;
            text.notes.push_back({std::string(stage.name), std::string("stopped: ") + e.what()});
        }
    }
    textRead = text.html;

    auto engine = std::make_unique<engine::clsHTMLItems>();
    engine->InterpretHTMLMain(textRead);
    engine->RuleStages.rules = engine::RuleSet::Orvex;
    engine->RuleStages.notes = std::move(text.notes);
    // A form that names its inputs by the convention says what each one takes: nothing to correct.
    for (const Text& entry : engine->FillingTags) {
        if (entry.compare(0, kConventionPrefix.size(), kConventionPrefix) == 0) {
            engine->RuleStages.notes.push_back({"rules", "the form uses convention names: the reading stages do not run"});
            return engine;
        }
    }
    // A reading that failed or found nothing is corrected all the same: the stages may find
    // the rows the documented stages missed.
    try {
        RuleForm ruleForm(*engine, form);
        for (const RuleStage& stage : kOrvexStages) {
            if (stage.phase != StagePhase::Reading) continue;
            try {
                stage.onReading(ruleForm);
            } catch (const std::exception& e) {
                ruleForm.note(stage.name, std::string("stopped: ") + e.what());
            }
        }
        ruleForm.finish();
    } catch (const std::exception& e) {
        engine->RuleStages.notes.push_back({"rules", std::string("stopped: ") + e.what()});
    }
    return engine;
}

}  // namespace orvex::rules
