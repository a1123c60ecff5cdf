// Stage "reading-rows": the boxes of the reading of the person's name and the script they ask
// for. A reading row is one whose label asks for a reading (フリガナ, ふりがな, セイ/メイ ...)
// and that is no organisation's or address's reading; the script is the one its words name
// (カタカナ, ひらがな, ローマ字), else the one its example or placeholder is written in
// (（例：ヤマダ）), else the one its reading word is written in. One box takes the whole reading,
// two take the family and the given part.

#include "rules/name_parts.h"
#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "reading-rows";

// Input names that stand for a reading.
constexpr std::array<TextView, 5> kReadingNames = {u"kana", u"furi", u"huri", u"yomi", u"kn"};

bool isReadingBox(const RuleForm& form, const RuleControl& c) {
    if (!c.isTextBox()) return false;
    const TagFamily family = familyOf(form.tagOf(c));
    if (family != TagFamily::None && family != TagFamily::Reading) return false;
    const Text& row = form.rowLabel(c.block);
    const Text label = boxLabel(form, c);
    const bool asksReading = holdsAny(row, words::kReading) || holdsAny(label, words::kReading);
    // A reading entry on a row that asks for no reading is the documented stages' guess.
    if (family == TagFamily::Reading) return asksReading || holdsAny(c.pageName, kReadingNames);
    if (!asksReading) return false;
    return !holdsAny(row, words::kAddressWords) && !holdsAny(row, words::kOrganisation) &&
           !holdsAny(label, words::kOtherNames) && !holdsAny(row, words::kSecondParty);
}

// The script the characters of an example are written in; "" when it shows none.
TextView scriptOfExample(TextView example) {
    for (char16_t ch : example) {
        if (ch >= u'ァ' && ch <= u'ヶ') return u"KATAKANA";
        if (ch >= u'ぁ' && ch <= u'ゖ') return u"HIRAGANA";
        if ((ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z')) return u"ROME";
    }
    return {};
}

// The example part of a label: what follows "例".
Text exampleOf(TextView label) {
    const std::size_t at = label.find(u'例');
    return at == TextView::npos ? Text() : Text(label.substr(at + 1));
}

TextView scriptOf(const RuleForm& form, const std::vector<const RuleControl*>& boxes) {
    Text words;
    Text examples;
    for (const RuleControl* c : boxes) {
        const Text row = form.rowLabel(c->block);
        words += row + c->before + c->ownLabel + c->title;
        examples += exampleOf(row) + exampleOf(c->before) + c->placeholder;
    }
    if (holdsAny(words, words::kRomanWords)) return u"ROME";
    if (text::contains(words, u"カタカナ") || text::contains(words, u"ｶﾀｶﾅ")) return u"KATAKANA";
    if (text::contains(words, u"ひらがな")) return u"HIRAGANA";
    const TextView shown = scriptOfExample(examples);
    if (!shown.empty()) return shown;
    if (holdsAny(words, words::kKatakanaWords) || text::contains(words, u"セイ")) return u"KATAKANA";
    if (holdsAny(words, words::kHiraganaWords) || text::contains(words, u"せい")) return u"HIRAGANA";
    for (const RuleControl* c : boxes) {
        const Text tag = form.tagOf(*c);
        for (TextView script : {TextView(u"KATAKANA"), TextView(u"HIRAGANA"), TextView(u"ROME")})
            if (text::contains(tag, script)) return script;
    }
    return form.engine().boolKatakanaFurigana ? u"KATAKANA" : u"HIRAGANA";
}

}  // namespace

void readingRowsStage(RuleForm& form) {
    std::vector<const RuleControl*> boxes;
    for (const RuleControl& c : form.controls())
        if (!form.isLeftEmpty(c) && isReadingBox(form, c)) boxes.push_back(&c);
    if (boxes.empty() || boxes.size() > 2) return;
    if (boxes.size() == 2 && !form.adjacent(*boxes[0], *boxes[1])) return;
    std::vector<NamePart> parts;
    for (const RuleControl* c : boxes) parts.push_back(partOfBox(form, *c));
    const TextView script = scriptOf(form, boxes);
    const std::vector<Text> tags = nameTags(parts, Text(u"NAME") + Text(script));
    for (std::size_t i = 0; i < tags.size(); ++i)
        form.setTag(*boxes[i], tags[i], kStage, "a reading box in " + text::toUtf8(script));
}

}  // namespace orvex::rules
