// Stage "second-party": a form that repeats the person rows (name, reading, postal code,
// prefecture, address, telephone) in a second block asks for someone else or somewhere else
// there: a delivery address, a family member, a companion, a referrer. The person's data goes
// into the applicant's block only, and the others stay empty. A new block starts where a row of
// a kind already seen comes back after rows of other kinds; it counts as a block of its own when
// it repeats at least two kinds. The applicant's block is the first whose heading names the
// applicant, else the first whose heading names no other party, else the first. Entries the
// documented stages gave to another block move to the row of the same label in the applicant's.

#include <optional>
#include <set>

#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "second-party";
// Kinds of rows a second block must repeat to count as one.
constexpr std::size_t kRepeatedKinds = 2;
// How many rows ahead the row of the same label is looked for in the applicant's block.
constexpr int kAlignmentReach = 3;

// The families whose return opens a new block (a second telephone row alone opens none).
bool opensBlock(TagFamily f) {
    return f == TagFamily::Name || f == TagFamily::Reading || f == TagFamily::Zip || f == TagFamily::Pref ||
           f == TagFamily::Address;
}

// The person-row family a row's label names, tried from the most specific; None for another row.
TagFamily labelFamily(const RuleForm& form, int block) {
    const Text& label = form.coreRowLabel(block);
    if (label.empty()) return TagFamily::None;
    if (holdsAny(label, words::kZipWords)) return TagFamily::Zip;
    if (holdsAny(label, words::kPrefWords)) return TagFamily::Pref;
    for (TagFamily f : {TagFamily::Address, TagFamily::Fax, TagFamily::Tel, TagFamily::Reading, TagFamily::Name})
        if (form.rowNames(f, block)) return f;
    return TagFamily::None;
}

// The family of a row: what its label names, else what its entries write.
TagFamily rowFamily(const RuleForm& form, int block) {
    const TagFamily byLabel = labelFamily(form, block);
    if (byLabel != TagFamily::None) return byLabel;
    for (const RuleControl* c : form.controlsOf(block)) {
        const TagFamily f = familyOf(form.tagOf(*c));
        if (f != TagFamily::None) return f;
    }
    return TagFamily::None;
}

// The family of any row, person row or not: what its entries write, else what its label names.
TagFamily anyRowFamily(const RuleForm& form, int block) {
    for (const RuleControl* c : form.controlsOf(block)) {
        const TagFamily f = familyOf(form.tagOf(*c));
        if (f != TagFamily::None) return f;
    }
    const TagFamily person = labelFamily(form, block);
    if (person != TagFamily::None) return person;
    for (TagFamily f : {TagFamily::Email, TagFamily::Sex, TagFamily::Age, TagFamily::Job, TagFamily::Birth,
                        TagFamily::Marriage, TagFamily::Handle})
        if (form.rowNames(f, block)) return f;
    return TagFamily::None;
}

struct PersonBlock {
    int first = 0;          // first block
    int lastPersonRow = 0;  // last block holding a person row
    std::set<TagFamily> families;
    Text heading;
};

std::vector<PersonBlock> findBlocks(const RuleForm& form) {
    std::vector<PersonBlock> blocks;
    TagFamily last = TagFamily::None;
    for (int b = 1; b <= form.blockCount(); ++b) {
        if (form.controlsOf(b).empty()) continue;
        const TagFamily f = rowFamily(form, b);
        if (!isPersonRowFamily(f)) continue;
        if (blocks.empty() || (opensBlock(f) && f != last && blocks.back().families.count(f) > 0)) {
            PersonBlock next;
            next.first = b;
            next.heading = form.rowLabel(b);
            // The line before the block may be its heading (a caption row, a check box "お届け先を指定").
            if (b > 1 && (form.controlsOf(b - 1).empty() || !isPersonRowFamily(rowFamily(form, b - 1))))
                next.heading = form.blockText(b - 1) + next.heading;
            blocks.push_back(next);
        }
        blocks.back().families.insert(f);
        blocks.back().lastPersonRow = b;
        last = f;
    }
    // A block that repeats fewer than two kinds of the blocks before it belongs to the one before.
    std::vector<PersonBlock> merged;
    std::set<TagFamily> seen;
    for (const PersonBlock& block : blocks) {
        std::size_t repeated = 0;
        for (TagFamily f : block.families) repeated += seen.count(f);
        if (!merged.empty() && repeated < kRepeatedKinds) {
            merged.back().lastPersonRow = block.lastPersonRow;
            merged.back().families.insert(block.families.begin(), block.families.end());
        } else {
            merged.push_back(block);
        }
        seen.insert(block.families.begin(), block.families.end());
    }
    return merged;
}

std::size_t applicantBlock(const std::vector<PersonBlock>& blocks) {
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (holdsAny(blocks[i].heading, words::kApplicant)) return i;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (!holdsAny(blocks[i].heading, words::kSecondParty)) return i;
    return 0;
}

// The rows' labels without the texts that name a party (the heading of a block that the first
// row of the block carries with it), worked out once per row.
class RowLabels {
  public:
    explicit RowLabels(const RuleForm& form) : m_form(form), m_labels(static_cast<std::size_t>(form.blockCount()) + 1) {}

    const Text& of(int block) {
        std::optional<Text>& label = m_labels[static_cast<std::size_t>(block)];
        if (!label) {
            Text words;
            for (const Text& token : m_form.engine().blockAt(block)->colToken) {
                if (engine::isTagToken(token)) break;
                if (!holdsAny(token, words::kSecondParty) && !holdsAny(token, words::kApplicant)) words += token;
            }
            label = text::toLower(coreLabel(text::replaceAll(words, engine::kCrToken, u"")));
        }
        return *label;
    }

  private:
    const RuleForm& m_form;
    std::vector<std::optional<Text>> m_labels;
};

// The row of the applicant's block with the same label as `row`, from `from` on; nothing when
// none is near.
std::optional<int> alignedRow(const RuleForm& form, RowLabels& labels, const PersonBlock& applicant, int from,
                              int row) {
    const std::size_t count = form.controlsOf(row).size();
    for (int b = from; b <= applicant.lastPersonRow && b < from + kAlignmentReach; ++b)
        if (form.controlsOf(b).size() == count &&
            (form.coreRowLabel(b) == form.coreRowLabel(row) || labels.of(b) == labels.of(row)))
            return b;
    return std::nullopt;
}

}  // namespace

void secondPartyStage(RuleForm& form) {
    const std::vector<PersonBlock> blocks = findBlocks(form);
    if (blocks.size() < 2) return;
    const std::size_t applicant = applicantBlock(blocks);
    form.note(kStage, "the person rows repeat in " + std::to_string(blocks.size()) + " blocks; the applicant's starts at block " +
                          std::to_string(blocks[applicant].first));
    RowLabels labels(form);
    // What the applicant's block asks for, person rows or not (e-mail, sex, age ...).
    const int applicantEnd = applicant + 1 < blocks.size() ? blocks[applicant + 1].first - 1 : form.blockCount();
    std::set<TagFamily> asked;
    for (int b = blocks[applicant].first; b <= applicantEnd; ++b) asked.insert(anyRowFamily(form, b));
    asked.erase(TagFamily::None);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (i == applicant) continue;
        PersonBlock other = blocks[i];
        // The rows after the other block's person rows that ask again for what the applicant's
        // block asked for belong to it as well.
        const int end = i + 1 < blocks.size() ? blocks[i + 1].first - 1 : form.blockCount();
        for (int b = form.nextRow(other.lastPersonRow); b != 0 && b <= end; b = form.nextRow(b)) {
            if (asked.count(anyRowFamily(form, b)) == 0) break;
            other.lastPersonRow = b;
        }
        const TextView word = firstHeld(other.heading, words::kSecondParty);
        const std::string detail = word.empty() ? std::string("repeats the person rows") : text::toUtf8(word);
        form.note(kStage, "the rows of blocks " + std::to_string(other.first) + " to " +
                              std::to_string(other.lastPersonRow) + " are left empty: " + detail);
        int from = blocks[applicant].first;
        for (int b = other.first; b <= other.lastPersonRow; ++b) {
            const ControlRange controls = form.controlsOf(b);
            std::vector<Text> tags;
            for (const RuleControl* c : controls) tags.push_back(form.tagOf(*c));
            for (const RuleControl* c : controls) form.leaveEmpty(*c, engine::LeftEmptyReason::SecondBlock, detail, kStage);
            const std::optional<int> target = alignedRow(form, labels, blocks[applicant], from, b);
            if (!target) continue;
            from = *target + 1;
            const ControlRange mine = form.controlsOf(*target);
            // The same row in both blocks asks for the same thing: where the documented stages
            // gave the applicant's row nothing, or another kind of data, it takes the other's entry.
            for (std::size_t k = 0; k < controls.size(); ++k) {
                if (tags[k].empty() || mine[k]->tagName != controls[k]->tagName) continue;
                const Text& own = form.tagOf(*mine[k]);
                if (own.empty() || familyOf(own) != familyOf(tags[k]))
                    form.setTag(*mine[k], tags[k], kStage, "the same row of the applicant's block");
            }
        }
    }
}

}  // namespace orvex::rules
