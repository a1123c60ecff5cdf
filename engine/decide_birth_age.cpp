// The age and birth-date deciders and the era-list entry.

#include "engine/decider_support.h"
#include "engine/decider_tags.h"
#include "engine/html_items.h"
#include "engine/run_error.h"
#include "engine/tag_reader.h"

namespace orvex::engine {

using decider::blockOf;
using decider::entry;
using decider::hasPositions;
using decider::rawEntry;

namespace {

/// An era list names each era once; a select with more era marks than this lists years
/// written with the era ("昭和30年", ...) and is the year input itself.
constexpr int kMaxEraOptions = 10;
/// The mark the page reader leaves on an era list, once per option that names "昭和".
constexpr TextView kYearTypeMark = u"special=yeartype";
constexpr TextView kYearTypeValue = u"yeartype";
constexpr TextView kAgeValue = u"age";

int countOccurrences(TextView text, TextView word) {
    int count = 0;
    for (std::size_t p = text.find(word); p != TextView::npos; p = text.find(word, p + word.size())) ++count;
    return count;
}

// The year tag of a block whose first input is the year: the two-digit year after a printed
// "19", else the whole year.
TextView yearTag(const clsHTMLItemBlock& block) {
    return block.Check19() ? tags::kBirthYear34 : tags::kBirthYear;
}

}  // namespace

bool clsHTMLItems::DecideAgeTags() {
    // A local list stands in for an absent one, so KindBlocks[kAge] stays absent; an existing
    // empty list is filled in place.
    std::vector<int> localList;
    std::vector<int>* ageList = KindBlocks[kAge].has_value() ? &*KindBlocks[kAge] : &localList;
    if (ageList->empty() && HasAgeSelect) {
        for (int p = 1; p <= static_cast<int>(Blocks.size()); ++p)
            if (Blocks[static_cast<std::size_t>(p - 1)].HasSpecial(kAgeValue)) ageList->push_back(p);
    }

    const std::vector<Text> names = CollectInputNames(*ageList, true);
    if (names.empty()) return false;
    if (names.size() == 2 && ageList->size() == 1 && blockOf(*this, ageList->front()).Is2Age()) {
        FillingTags.push_back(entry(names[0], tags::kAge1));
        FillingTags.push_back(entry(names[1], tags::kAge2));
        return true;
    }
    // One input, or an age range that is not one block of two like inputs: the first only.
    FillingTags.push_back(entry(names[0], tags::kAge));
    return true;
}

void clsHTMLItems::DecideYearTypeTags(const std::vector<int>& positions, std::vector<Text>& names) {
    for (const int p : positions) {
        const Text tag = blockOf(*this, p).GetSpecial(kYearTypeValue);
        if (tag.empty()) continue;
        if (countOccurrences(tag, kYearTypeMark) > kMaxEraOptions) return;
        const Text name = GetAttribute(tag, u"name");
        FillingTags.push_back(entry(name, tags::kBirthYearType));
        std::erase(names, name);
        return;
    }
}

bool clsHTMLItems::DecideBirthDateTags() {
    std::vector<int> positions;
    for (const int kind : {kBirthDate, kBirthYear, kBirthMonth, kBirthDay})
        if (KindBlocks[static_cast<std::size_t>(kind)].has_value())
            positions.insert(positions.end(), KindBlocks[static_cast<std::size_t>(kind)]->begin(),
                             KindBlocks[static_cast<std::size_t>(kind)]->end());
    SortPositions(positions);
    if (positions.empty()) return false;

    std::vector<Text> names = CollectInputNames(positions, true);
    DecideYearTypeTags(positions, names);
    const std::size_t n = names.size();
    if (n == 0) return false;  // an era-list entry made above stays
    const clsHTMLItemBlock& first = blockOf(*this, positions.front());

    if (n == 1) {
        FillingTags.push_back(entry(names[0], first.CheckOneBirthTag()));
    } else if (n == 2) {
        if (first.SearchString(labels::kYearWords[0], labels::kYearWords[1], labels::kYearWords[2],
                               labels::kYearWords[3])) {
            FillingTags.push_back(entry(names[0], yearTag(first)));
            FillingTags.push_back(entry(names[1], tags::kBirthMonth));
        } else {
            FillingTags.push_back(entry(names[0], tags::kBirthMonth));
            FillingTags.push_back(entry(names[1], tags::kBirthDay));
        }
    } else {
        std::optional<std::vector<Text>> layout;
        if (positions.size() == 1) layout = first.DecideBirthDate(names);
        if (layout.has_value()) {
            for (std::size_t i = 0; i < layout->size(); ++i) {
                if ((*layout)[i] == u"-") continue;
                // The layout has one tag per matched input, so it is never longer than names.
                if (i >= n) throw RunError("DecideBirthDateTags: more layout tags than inputs");
                FillingTags.push_back(rawEntry(names[i], (*layout)[i]));
            }
        } else if (n == 3) {
            FillingTags.push_back(entry(names[0], yearTag(first)));
            FillingTags.push_back(entry(names[1], tags::kBirthMonth));
            FillingTags.push_back(entry(names[2], tags::kBirthDay));
        } else {
            // A year split over two inputs: the last four inputs; those before them get nothing.
            FillingTags.push_back(entry(names[n - 4], tags::kBirthYearCnt21));
            FillingTags.push_back(entry(names[n - 3], tags::kBirthYearCnt22));
            FillingTags.push_back(entry(names[n - 2], tags::kBirthMonth));
            FillingTags.push_back(entry(names[n - 1], tags::kBirthDay));
        }
    }
    KindDecided[kBirthYear] = true;
    KindDecided[kBirthMonth] = true;
    KindDecided[kBirthDay] = true;
    return true;
}

}  // namespace orvex::engine
