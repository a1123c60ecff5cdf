// The address deciders: postal code, prefecture, city and building inputs, and the address
// compositions that spread the address over one to four inputs.

#include <algorithm>

#include "engine/decider_support.h"
#include "engine/decider_tags.h"
#include "engine/html_items.h"

namespace orvex::engine {

using decider::blockOf;
using decider::entry;
using decider::hasPositions;
using decider::rawEntry;

bool clsHTMLItems::DecideZipTags() {
    if (!hasPositions(KindBlocks[kZip])) return false;
    const std::vector<int> zipList = *KindBlocks[kZip];
    const std::vector<Text> names = CollectInputNames(zipList, false);
    if (names.empty()) return false;
    const clsHTMLItemBlock& firstBlock = blockOf(*this, zipList.front());

    if (names.size() == 1) {
        // The building list stands in only for an absent city list, not for an empty one.
        const std::optional<std::vector<int>>& cityList =
            KindBlocks[kCity].has_value() ? KindBlocks[kCity] : KindBlocks[kApart];
        const bool combined = !hasPositions(cityList) && firstBlock.IsZipAndCity();
        FillingTags.push_back(entry(names[0], combined ? tags::kZipAndAddress : tags::kZip));
        return true;
    }
    if (names.size() == 2) {
        const bool pair = zipList.size() == 1 && firstBlock.Is2Zip();
        FillingTags.push_back(entry(names[0], pair ? tags::kZip1 : tags::kZip));
        FillingTags.push_back(entry(names[1], pair ? tags::kZip2 : tags::kZipOpt));
        return true;
    }
    // Three or more inputs: the pair test looks at the first zip block however many there are.
    const bool pair = firstBlock.Is2Zip();
    std::size_t next = 1;
    if (pair) {
        FillingTags.push_back(entry(names[0], tags::kZip1));
        FillingTags.push_back(entry(names[1], tags::kZip2));
        next = 2;
    } else {
        FillingTags.push_back(entry(names[0], tags::kZip));
    }
    for (std::size_t i = next; i < names.size(); ++i) FillingTags.push_back(entry(names[i], tags::kZipOpt));
    return true;
}

bool clsHTMLItems::DecidePrefTags() {
    if (!hasPositions(KindBlocks[kPref])) return false;
    const std::vector<Text> names = CollectInputNames(*KindBlocks[kPref], true);
    if (names.empty()) return false;
    if (names.size() == 1) {
        FillingTags.push_back(entry(names[0], tags::kPref));
        return true;
    }
    if (HasPrefSelect) {
        for (const Text& name : names) FillingTags.push_back(entry(name, tags::kPrefSel));
        return true;
    }
    FillingTags.push_back(entry(names[0], tags::kPref));
    for (std::size_t i = 1; i < names.size(); ++i) FillingTags.push_back(entry(names[i], tags::kZipOpt));
    return true;
}

bool clsHTMLItems::DecideCityTags() {
    bool apartInCity = false;
    std::optional<std::vector<int>> cityList = KindBlocks[kCity];

    if (!hasPositions(cityList) || CollectInputNames(*cityList, false).empty()) {
        // The building blocks stand in for a missing city field.
        cityList = KindBlocks[kApart];
    } else if (hasPositions(KindBlocks[kApart])) {
        SubtractPositions(*KindBlocks[kApart], *cityList);
        if (KindBlocks[kApart]->empty())
            apartInCity = true;  // the building input lies in the city blocks
        else
            KindDecided[kApart] = DecideApartTags();
    }

    std::vector<Text> names;
    if (hasPositions(cityList)) names = CollectInputNames(*cityList, false);
    // Without city inputs the leftover zip and prefecture inputs take the address.
    if (names.empty()) names = TakeFillingTags(tags::kZipOptEntry);
    const bool appended = DecideAddressTags(cityList, names, apartInCity);

    // Leftover zip and prefecture inputs that remain are always made address inputs.
    const std::vector<Text> leftovers = TakeFillingTags(tags::kZipOptEntry);
    bool appendedLeftovers = false;
    if (!leftovers.empty()) appendedLeftovers = DecideAddressTags(cityList, leftovers, apartInCity);
    return appended || appendedLeftovers;
}

bool clsHTMLItems::DecideApartTags() {
    if (!hasPositions(KindBlocks[kApart])) return false;
    // The city decider runs this only when the city list exists; an absent one removes nothing.
    if (KindBlocks[kCity].has_value()) SubtractPositions(*KindBlocks[kApart], *KindBlocks[kCity]);
    const std::vector<Text> names = CollectInputNames(*KindBlocks[kApart], false);
    if (names.empty()) return false;
    FillingTags.push_back(entry(names.back(), tags::kAddress3));
    return true;
}

bool clsHTMLItems::DecideAddressTags(const std::optional<std::vector<int>>& cityList,
                                     const std::vector<Text>& names, bool apartInCity) {
    const bool zipDone = KindDecided[kZip];
    const bool prefDone = KindDecided[kPref];
    const bool apartDone = KindDecided[kApart];
    const Text eq = u"=";

    if (names.empty()) return false;

    if (names.size() == 1) {
        Text t1 = eq;
        // An input that already received the postal code takes the mark and the code again.
        if (!zipDone || GetFillingTag(names[0]) == tags::kZip)
            t1 += tags::kZiptPref;
        else if (!prefDone)
            t1 += tags::kPref;
        t1 += tags::kPlusAddress12;
        if (!apartDone) t1 += tags::kPlusAddress3;
        FillingTags.push_back(rawEntry(names[0], t1));
        return true;
    }

    if (names.size() == 2) {
        bool zipAndOther = cityList.has_value() && cityList->size() == 1 &&
                           blockOf(*this, cityList->front()).IsZipAndOther();
        Text t1 = eq;
        Text t2 = eq;
        if (zipDone)
            zipAndOther = false;
        else
            t1 += tags::kPlusZipt;
        if (!prefDone) {
            if (zipAndOther)
                t2 = tags::kEqPref;
            else
                t1 += tags::kPlusPref;
        }
        if (apartDone) {
            if (zipAndOther) {
                t2 += tags::kPlusAddress12;
            } else {
                t1 += tags::kPlusAddress1;
                t2 = tags::kEqAddress2;
            }
        } else if (t1 == eq) {
            // Zip and prefecture both done: the two inputs share the three address lines.
            t1 = apartInCity ? tags::kEqAddress12 : tags::kEqAddress1;
            t2 = apartInCity ? tags::kEqAddress3 : tags::kEqAddress23;
        } else if (zipAndOther) {
            t2 += tags::kPlusAddress123;
        } else if (apartInCity) {
            t1 += tags::kPlusAddress12;
            t2 = tags::kEqAddress3;
        } else {
            t1 += tags::kPlusAddress1;
            t2 = tags::kEqAddress23;
        }
        FillingTags.push_back(rawEntry(names[0], t1));
        FillingTags.push_back(rawEntry(names[1], t2));
        return true;
    }

    Text t1 = eq;
    if (!zipDone) t1 += tags::kPlusZipt;
    if (!prefDone) t1 += tags::kPlusPref;

    if (names.size() == 3) {
        Text t2;
        Text t3;
        if (apartDone) {
            t2 = tags::kEqAddress1;
            t3 = tags::kEqAddress2;
        } else {
            t1 += tags::kPlusAddress1;
            t2 = tags::kEqAddress2;
            t3 = tags::kEqAddress3;
        }
        // With zip, prefecture and building all done the first input gets an empty tag.
        FillingTags.push_back(rawEntry(names[0], t1));
        FillingTags.push_back(rawEntry(names[1], t2));
        FillingTags.push_back(rawEntry(names[2], t3));
        return true;
    }

    // Four or more inputs; those after the fourth receive nothing.
    if (t1 != eq) {
        FillingTags.push_back(rawEntry(names[0], t1));
        if (!apartDone) FillingTags.push_back(rawEntry(names[3], tags::kEqAddress3));
        FillingTags.push_back(rawEntry(names[1], tags::kEqAddress1));
        FillingTags.push_back(rawEntry(names[2], tags::kEqAddress2));
        return true;
    }
    FillingTags.push_back(rawEntry(names[0], tags::kEqAddress1));
    FillingTags.push_back(rawEntry(names[1], tags::kEqAddress2));
    if (!apartDone) FillingTags.push_back(rawEntry(names[2], tags::kEqAddress3));
    return true;
}

void clsHTMLItems::SubtractPositions(std::vector<int>& list, const std::vector<int>& other) {
    const std::vector<int> values = other;  // `other` may be `list` itself
    for (const int value : values) {
        const auto last = std::find(list.rbegin(), list.rend(), value);
        if (last != list.rend()) list.erase(std::next(last).base());
    }
}

Text clsHTMLItems::GetFillingTag(TextView name) const {
    const Text prefix = entry(name, u"");
    for (const Text& e : FillingTags)
        if (e.starts_with(prefix)) return e.substr(prefix.size());
    return Text();
}

}  // namespace orvex::engine
