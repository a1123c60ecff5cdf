// Stage "address-rows": the boxes of the person's address and the share each takes. The address
// rows are those the documented stages gave address entries, with the rows of address words
// around them and the unlabelled lines between them. The postal code split over two boxes (a
// hyphen between them, or widths or examples of three and four digits) takes its two halves; a
// prefecture written in a text box takes the prefecture. Each other box takes the share its
// words name (市区町村 the first line, 番地 the second, 建物名 the third, several for 番地・ビル名),
// read from its own label, its placeholder and the text before it (after it, on a form that
// writes its labels after the boxes); a box without such words takes the share after the box
// before it. A share no box names goes to the box that holds the share before it, so nothing is
// lost and nothing is written twice. Without a prefecture control the first box takes the
// prefecture too (its example then usually shows one).

#include <algorithm>
#include <optional>

#include "rules/page_controls.h"
#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "address-rows";
// The three address lines as bits of a share.
constexpr int kLine1 = 1;
constexpr int kLine2 = 2;
constexpr int kLine3 = 4;
constexpr std::array<int, 3> kLines = {kLine1, kLine2, kLine3};
constexpr std::array<TextView, 3> kLineTags = {u"ADDRESS1", u"ADDRESS2", u"ADDRESS3"};
// Digits of the two halves of a postal code.
constexpr int kZipHead = 3;
constexpr int kZipTail = 4;
// Hyphens that stand between the two halves of a postal code.
constexpr std::array<TextView, 5> kHyphens = {u"-", u"－", u"ー", u"―", u"‐"};

bool isAddressFamily(TagFamily f) {
    return f == TagFamily::Zip || f == TagFamily::Pref || f == TagFamily::Address;
}

bool holdsPartWords(TextView text) {
    return holdsAny(text, words::kCityPart) || holdsAny(text, words::kStreetPart) ||
           holdsAny(text, words::kBuildingPart);
}

bool isAddressLabel(TextView text) {
    return holdsPartWords(text) || holdsAny(text, words::kAddressWords) || holdsAny(text, words::kZipWords) ||
           holdsAny(text, words::kPrefWords);
}

// The lines a box's words name, as bits; 0 when they name none.
int linesNamed(TextView words) {
    int lines = 0;
    if (holdsAny(words, words::kCityPart)) lines |= kLine1;
    if (holdsAny(words, words::kStreetPart)) lines |= kLine2;
    if (holdsAny(words, words::kBuildingPart)) lines |= kLine3;
    return lines;
}

bool isDigit(char16_t ch) {
    return (ch >= u'0' && ch <= u'9') || (ch >= u'０' && ch <= u'９');
}

int digitsShown(TextView text) {
    int digits = 0;
    for (char16_t ch : text) digits += isDigit(ch) ? 1 : 0;
    return digits;
}

// The lines an example shows ("港区西麻布" the first, "10-11" the second, "ゼリアマンション101"
// the third); 0 when it shows none. A building's room number is no house number.
int linesShown(TextView example) {
    int lines = 0;
    const bool building = holdsAny(example, words::kBuildingMarks);
    if (building) lines |= kLine3;
    const bool digits = digitsShown(example) > 0;
    if (holdsAny(example, words::kStreetMarks) || (digits && !building)) lines |= kLine2;
    if (holdsAny(example, words::kCityMarks)) lines |= kLine1;
    return lines;
}

// What follows "例" in a text; "" when it holds none.
Text exampleIn(TextView text) {
    const std::size_t at = text.find(u'例');
    return at == TextView::npos ? Text() : Text(text.substr(at + 1));
}

// The example of a box: its placeholder, else the example written after it (under the box),
// else the one before it.
Text exampleOf(const RuleControl& c) {
    if (!c.placeholder.empty()) return c.placeholder;
    for (const Text& side : {textAfterControl(c.element), c.after, c.before}) {
        const Text example = exampleIn(side);
        if (!example.empty()) return example;
    }
    return {};
}

int highestLine(int lines) {
    for (int i = static_cast<int>(kLines.size()) - 1; i >= 0; --i)
        if (lines & kLines[static_cast<std::size_t>(i)]) return i + 1;
    return 0;
}

// True when two zip boxes take the two halves of the code.
bool isSplitZip(const RuleControl& first, const RuleControl& second) {
    for (TextView hyphen : kHyphens)
        if (text::contains(first.after, hyphen)) return true;
    const auto width = [](const RuleControl& c) { return c.maxLength > 0 ? c.maxLength : c.size; };
    if (width(first) == kZipHead && width(second) == kZipTail) return true;
    return digitsShown(first.placeholder) == kZipHead && digitsShown(second.placeholder) == kZipTail;
}

struct AddressArea {
    std::vector<const RuleControl*> zips;
    const RuleControl* pref = nullptr;
    std::vector<const RuleControl*> streets;
};

// The blocks from the first to the last address entry, widened by the neighbouring rows whose
// labels name a part of an address.
std::optional<std::pair<int, int>> areaBlocks(const RuleForm& form) {
    int lo = 0;
    int hi = 0;
    for (const RuleControl& c : form.controls()) {
        if (form.isLeftEmpty(c) || !isAddressFamily(familyOf(form.tagOf(c)))) continue;
        lo = lo == 0 ? c.block : std::min(lo, c.block);
        hi = std::max(hi, c.block);
    }
    if (lo == 0) return std::nullopt;
    const auto widens = [&form](int block) {
        const ControlRange controls = form.controlsOf(block);
        if (controls.empty() || !isAddressLabel(form.rowLabel(block))) return false;
        for (const RuleControl* c : controls)
            if (form.isLeftEmpty(*c) || !form.tagOf(*c).empty()) return false;
        return true;
    };
    for (int b = form.previousRow(lo); b != 0 && widens(b); b = form.previousRow(b)) lo = b;
    for (int b = form.nextRow(hi); b != 0 && widens(b); b = form.nextRow(b)) hi = b;
    return std::make_pair(lo, hi);
}

AddressArea readArea(const RuleForm& form, int lo, int hi) {
    AddressArea area;
    for (int block = lo; block <= hi; ++block) {
        const Text row = form.rowLabel(block);
        for (const RuleControl* c : form.controlsOf(block)) {
            if (form.isLeftEmpty(*c)) continue;
            const TagFamily family = familyOf(form.tagOf(*c));
            if (family != TagFamily::None && !isAddressFamily(family)) continue;
            const Text label = c->ownLabel + c->before;
            if (c->special == u"pref" || family == TagFamily::Pref ||
                (c->isTextBox() && holdsAny(label.empty() ? row : label, words::kPrefWords))) {
                if (area.pref == nullptr) area.pref = c;
                continue;
            }
            if (!c->isTextBox() && c->tagName != u"TEXTAREA") continue;
            if (family == TagFamily::None && !isAddressLabel(row) && !isAddressLabel(label) && !coreLabel(row).empty())
                continue;
            // A zip box: its own words say so, or it follows a zip box after a hyphen.
            const Text own = coreLabel(label);
            const bool afterHyphen = !area.zips.empty() && area.zips.back() + 1 == c &&
                                     std::any_of(kHyphens.begin(), kHyphens.end(),
                                                 [&own](TextView h) { return own == h; });
            const bool namedZip = holdsAny(c->pageName, words::kZipNames) && !holdsPartWords(own);
            const bool zipWords = holdsAny(own, words::kZipWords) || afterHyphen || namedZip ||
                                  (family == TagFamily::Zip && holdsAny(row, words::kZipWords) && !holdsPartWords(own));
            if (zipWords && !holdsPartWords(coreLabel(c->ownLabel + c->placeholder))) {
                area.zips.push_back(c);
            } else {
                area.streets.push_back(c);
            }
        }
    }
    return area;
}

// The text between a box and the next control of the form.
Text textAfter(const RuleForm& form, const RuleControl& c) {
    if (!coreLabel(c.after).empty()) return c.after;
    const std::ptrdiff_t at = &c - form.controls().data();
    if (at + 1 < static_cast<std::ptrdiff_t>(form.controls().size()))
        return form.controls()[static_cast<std::size_t>(at + 1)].before;
    return {};
}

// The shares of the street boxes: named ones as named, the others after the box before them,
// and every share no box names with the box holding the share before it.
std::vector<int> streetShares(const RuleForm& form, const std::vector<const RuleControl*>& streets) {
    const bool labelsAfter = !streets.empty() && linesNamed(coreLabel(streets.front()->before)) == 0 &&
                             linesNamed(coreLabel(streets.front()->ownLabel + streets.front()->placeholder)) == 0 &&
                             linesNamed(coreLabel(textAfter(form, *streets.back()))) != 0;
    std::vector<int> shares;
    int last = 0;  // the highest line taken so far
    for (const RuleControl* c : streets) {
        const Text words =
            coreLabel(c->ownLabel) + coreLabel(c->placeholder) + coreLabel(labelsAfter ? textAfter(form, *c) : c->before);
        int lines = linesNamed(words);
        if (lines == 0) lines = linesShown(exampleOf(*c));
        if (lines == 0) lines = kLines[static_cast<std::size_t>(std::min(last, 2))];
        last = std::max(last, highestLine(lines));
        shares.push_back(lines);
    }
    for (std::size_t k = 0; k < kLines.size(); ++k) {
        const int line = kLines[k];
        bool taken = false;
        for (int s : shares) taken = taken || (s & line);
        if (taken || shares.empty()) continue;
        // The box with the highest line below this one, else the box with the lowest line.
        std::size_t best = 0;
        int bestLine = -1;
        for (std::size_t i = 0; i < shares.size(); ++i) {
            const int h = highestLine(shares[i]);
            if (h < static_cast<int>(k) + 1 && h > bestLine) {
                bestLine = h;
                best = i;
            }
        }
        shares[best] |= line;
    }
    return shares;
}

Text streetTag(int lines, bool withPref, TextView zipPrefix) {
    Text tag(zipPrefix);
    if (withPref) tag += Text(tag.empty() ? u"" : u"+") + u"PREF";
    for (std::size_t k = 0; k < kLines.size(); ++k)
        if (lines & kLines[k]) tag += Text(tag.empty() ? u"" : u"+") + Text(kLineTags[k]);
    return tag;
}

// The tag for `c` unless its entry already says the same.
void give(RuleForm& form, const RuleControl& c, const Text& tag, std::string_view why) {
    const Text old = form.tagOf(c);
    const Text plain = !old.empty() && old.front() == u'+' ? old.substr(1) : old;
    if (plain != tag) form.setTag(c, tag, kStage, why);
}

}  // namespace

void addressRowsStage(RuleForm& form) {
    const std::optional<std::pair<int, int>> blocks = areaBlocks(form);
    if (!blocks) return;
    const AddressArea area = readArea(form, blocks->first, blocks->second);

    if (area.zips.size() == 1) {
        give(form, *area.zips[0], u"ZIP", "the postal code box");
    } else if (area.zips.size() == 2 && isSplitZip(*area.zips[0], *area.zips[1])) {
        give(form, *area.zips[0], u"ZIP1", "the first half of the postal code");
        give(form, *area.zips[1], u"ZIP2", "the second half of the postal code");
    }
    // A prefecture box with no other box for the address takes the whole address: nothing is lost.
    if (area.pref != nullptr && area.pref->isTextBox())
        give(form, *area.pref, area.streets.empty() ? u"PREF+ADDRESS1+ADDRESS2+ADDRESS3" : u"PREF",
             area.streets.empty() ? "the only address box" : "a prefecture box");
    if (area.pref != nullptr && !area.pref->isTextBox() && form.tagOf(*area.pref).empty())
        form.setTag(*area.pref, u"PREFSEL", kStage, "the prefecture list");

    if (area.streets.empty()) return;
    // An address in one box with the postal code in front keeps it there when no box takes the code.
    Text zipPrefix;
    const Text firstTag = form.tagOf(*area.streets.front());
    if (area.zips.empty() && (text::startsWith(firstTag, u"ZIP") || text::startsWith(firstTag, u"+ZIP")))
        zipPrefix = text::startsWith(firstTag, u"+ZIPT") || text::startsWith(firstTag, u"ZIPT") ? u"ZIPT" : u"ZIP";
    const std::vector<int> shares = streetShares(form, area.streets);
    for (std::size_t i = 0; i < area.streets.size(); ++i) {
        const RuleControl& c = *area.streets[i];
        const bool withPref = area.pref == nullptr && i == 0;
        give(form, c, streetTag(shares[i], withPref, i == 0 ? TextView(zipPrefix) : TextView()),
             "its share of the address");
    }
}

}  // namespace orvex::rules
