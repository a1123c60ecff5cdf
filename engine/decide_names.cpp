// The name deciders: full name in kanji, its reading (hiragana, katakana or roman letters) and
// the pen name.

#include <span>

#include "engine/decider_support.h"
#include "engine/decider_tags.h"
#include "engine/html_items.h"
#include "engine/run_error.h"
#include "text/strings.h"

namespace orvex::engine {

using decider::blockOf;
using decider::entry;
using decider::hasPositions;
using decider::rawEntry;
using labels::containsAny;

namespace {

Text concat(TextView a, TextView b) {
    Text out(a);
    out += b;
    return out;
}

// The script of a name decider: its own list first, then the other name kind's list, then
// hiragana.
Text nameScript(const clsHTMLItems& engine, const std::vector<int>& own,
                const std::optional<std::vector<int>>& other) {
    Text script = engine.GetKanaScript(own);
    if (script.empty() && other.has_value()) script = engine.GetKanaScript(*other);
    if (script.empty()) script = Text(tags::kScriptHiragana);
    return script;
}

}  // namespace

Text clsHTMLItems::GetKanaScript(const std::vector<int>& positions) const {
    for (const int p : positions) {
        const Text all = blockOf(*this, p).GetAllText();
        if (containsAny(all, labels::kRomanWords)) return Text(tags::kScriptRome);
        if (containsAny(all, labels::kHiraganaWords)) return Text(tags::kScriptHiragana);
        if (containsAny(all, labels::kHalfWidthWords)) continue;  // says nothing about the script
        if (containsAny(all, labels::kKatakanaWords)) return Text(tags::kScriptKatakana);
    }
    return boolKatakanaFurigana ? Text(tags::kScriptKatakana) : Text();
}

bool clsHTMLItems::DecideHandleNameTags() {
    if (!hasPositions(KindBlocks[kHandleName])) return false;
    const std::vector<Text> names = CollectInputNames(*KindBlocks[kHandleName], false);
    if (names.empty()) return false;
    FillingTags.push_back(entry(names[0], tags::kHandleName));
    return true;
}

bool clsHTMLItems::DecideNameKanaTags() {
    if (!hasPositions(KindBlocks[kNameKana])) return false;
    const std::vector<int> kanaList = *KindBlocks[kNameKana];
    // An empty full-name list counts as absent.
    const std::optional<std::vector<int>> nameList =
        hasPositions(KindBlocks[kFullName]) ? KindBlocks[kFullName] : std::nullopt;

    const Text kanaWord = concat(tags::kName, nameScript(*this, kanaList, nameList));
    const std::vector<Text> names = CollectInputNames(kanaList, false);
    const std::size_t n = names.size();

    if (!nameList.has_value() && kanaList.size() == 1 && (n == 2 || n == 4)) {
        // A lone reading block may hold the kanji inputs as well.
        std::int32_t type1 = 0;
        std::int32_t count1 = 0;
        std::int32_t type2 = 0;
        std::int32_t count2 = 0;
        blockOf(*this, kanaList.front()).CheckNameKanaStruct(type1, count1, type2, count2);
        const bool kanjiFirst = type1 == 0 && type2 == 1;
        const bool readingFirst = type1 == 1 && type2 == 0;
        if (n == 2 && count1 == 1 && count2 == 1 && (kanjiFirst || readingFirst)) {
            FillingTags.push_back(entry(names[0], kanjiFirst ? tags::kName : TextView(kanaWord)));
            FillingTags.push_back(entry(names[1], kanjiFirst ? TextView(kanaWord) : tags::kName));
            return true;
        }
        if (n == 4 && count1 == 2 && count2 == 2 && (kanjiFirst || readingFirst)) {
            const Text kana1 = concat(kanaWord, u"1");
            const Text kana2 = concat(kanaWord, u"2");
            if (kanjiFirst) {
                FillingTags.push_back(entry(names[0], tags::kName1));
                FillingTags.push_back(entry(names[1], tags::kName2));
                FillingTags.push_back(entry(names[2], kana1));
                FillingTags.push_back(entry(names[3], kana2));
            } else {
                FillingTags.push_back(entry(names[0], kana1));
                FillingTags.push_back(entry(names[1], kana2));
                FillingTags.push_back(entry(names[2], tags::kName1));
                FillingTags.push_back(entry(names[3], tags::kName2));
            }
            return true;
        }
    }

    switch (n) {
        case 1:
            FillingTags.push_back(entry(names[0], kanaWord));
            return true;
        case 2:
            FillingTags.push_back(entry(names[0], concat(kanaWord, u"1")));
            FillingTags.push_back(entry(names[1], concat(kanaWord, u"2")));
            return true;
        case 4:
            FillingTags.push_back(entry(names[0], tags::kName1));
            FillingTags.push_back(entry(names[1], tags::kName2));
            FillingTags.push_back(entry(names[2], concat(kanaWord, u"1")));
            FillingTags.push_back(entry(names[3], concat(kanaWord, u"2")));
            return true;
        default:
            return false;
    }
}

bool clsHTMLItems::DecideFullNameTags() {
    if (!hasPositions(KindBlocks[kFullName])) return false;
    const std::vector<int> nameList = *KindBlocks[kFullName];
    const Text kanaWord = concat(tags::kName, nameScript(*this, nameList, KindBlocks[kNameKana]));
    const std::vector<Text> names = CollectInputNames(nameList, false);
    const std::size_t n = names.size();

    if (n != 1 && n != 2 && n != 4) return false;
    if (n == 1) {
        FillingTags.push_back(entry(names[0], tags::kName));
        return true;
    }

    std::optional<std::vector<Text>> blockTags;
    if (nameList.size() == 1) {
        const clsHTMLItemBlock& block = blockOf(*this, nameList.front());
        blockTags = n == 2 ? block.DecideNameKana2(names, kanaWord) : block.DecideNameKana4(names, kanaWord);
    }
    if (blockTags.has_value()) {
        // A list that came back is used place by place; one shorter than the inputs (a choice
        // input of the block sharing a text input's name) cannot be read and ends the run.
        if (blockTags->size() < n) throw RunError("DecideFullNameTags: fewer block tags than inputs");
        for (std::size_t i = 0; i < n; ++i) FillingTags.push_back(rawEntry(names[i], (*blockTags)[i]));
        return true;
    }
    FillingTags.push_back(entry(names[0], tags::kName1));
    FillingTags.push_back(entry(names[1], tags::kName2));
    if (n == 4) {
        FillingTags.push_back(entry(names[2], concat(kanaWord, u"1")));
        FillingTags.push_back(entry(names[3], concat(kanaWord, u"2")));
    }
    return true;
}

}  // namespace orvex::engine
